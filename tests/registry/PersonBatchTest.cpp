// The person search's batch writes without the screen: the delete with its
// guard and transaction, visa years and seminars.

#include "app/kit/DbConventions.h"
#include "registry/PersonBatch.h"
#include "support/TestSupport.h"

#include <QFile>

namespace PersonBatchTestLocal {

class PersonBatchTest : public StationTest {
protected:
    void person(int key, QVariantMap fields = {})
    {
        fields.insert("Musteri_Key", key);
        if (!fields.contains("Ad_Soyad"))
            fields.insert("Ad_Soyad", QStringLiteral("KİŞİ %1").arg(key));
        db.insert("C_MUSTERI", fields);
    }
    void history(int key)
    {
        db.insert("F_SEM", {{"Sem_Key", key * 10 + 1}, {"Musteri_Key", key}});
        db.insert("F_DER", {{"Der_Key", key * 10 + 2}, {"Musteri_Key", key}});
        db.insert("F_DER", {{"Der_Key", key * 10 + 3}, {"Musteri_Key", key}});
        db.insert("F_GOR", {{"Gor_Key", key * 10 + 4}, {"Musteri_Key", key}});
        db.insert("F_KUSAK", {{"Kus_Key", key * 10 + 5}, {"Musteri_Key", key}});
        db.insert("F_ANT", {{"Ant_Key", key * 10 + 6}, {"Musteri_Key", key}});
        db.insert("F_HAKEM", {{"Hak_Key", key * 10 + 7}, {"Musteri_Key", key}});
        db.insert("F_LNC", {{"Lnc_Key", key * 10 + 8}, {"Musteri_Key", key}});
    }
    int rowsOf(int key)
    {
        int n = 0;
        for (const char* t : {"F_SEM", "F_DER", "F_GOR", "F_KUSAK", "F_ANT", "F_HAKEM", "F_LNC", "C_MUSTERI"})
            n += db.scalar(QStringLiteral("select count(*) from %1 where Musteri_Key = :k").arg(t), {{"k", key}})
                     .toInt();
        return n;
    }
};

TEST_F(PersonBatchTest, DeleteTakesTheHistoryThePersonAndAReadOnlyPhoto)
{
    person(1);
    person(2);
    history(1);
    history(2);
    const QString photo = dir.filePath("R1.jpg");
    writeFile(photo, "jpeg");
    QFile::setPermissions(photo, QFileDevice::ReadOwner);

    const PersonBatch::DeleteCheck c = PersonBatch::checkDelete(db, 1);
    EXPECT_TRUE(c.refusal.isEmpty());
    EXPECT_EQ(c.resultRows, 2);
    EXPECT_EQ(PersonBatch::deleteQuestion(c),
              "KİŞİ 1 Kaydı Silinecektir. Eminmisiniz ...?\n(Kişinin 2 Faaliyet Sonucu Kaydı da Silinecektir.)");
    EXPECT_TRUE(PersonBatch::deletePerson(db, 1, photo));
    EXPECT_EQ(rowsOf(1), 0);
    EXPECT_EQ(rowsOf(2), 9);
    EXPECT_FALSE(QFile::exists(photo));
    // A missing photo is no error.
    EXPECT_TRUE(PersonBatch::deletePerson(db, 2, dir.filePath("R2.jpg")));
}

TEST_F(PersonBatchTest, TheQuestionCutsTheNameAndLeavesOutNoResults)
{
    person(1, {{"Ad_Soyad", QString(40, QChar('A'))}});
    EXPECT_EQ(PersonBatch::deleteQuestion(PersonBatch::checkDelete(db, 1)),
              QString(35, QChar('A')) + " Kaydı Silinecektir. Eminmisiniz ...?");
}

TEST_F(PersonBatchTest, APersonOnAWeighInListOrInABoutIsRefused)
{
    person(1);
    person(2);
    db.insert("C_LISTE", {{"Liste_Key", 1}, {"Musteri_Key", 1}, {"Brans", "57 KG"}, {"Sira", 4}});
    db.insert("C_LISTE", {{"Liste_Key", 2}, {"Musteri_Key", 2}, {"Brans", "63 KG"}, {"Sira", 9}});
    db.insert("C_KURA", {{"Kura_Key", 1}, {"Brans", "63 KG"}, {"Sira1", 3}, {"Sira2", 9}});
    EXPECT_EQ(PersonBatch::checkDelete(db, 1).refusal, "Bu Sporcu Tartı Listesinde Bulunduğundan Silinemiyor ...!");
    EXPECT_EQ(PersonBatch::checkDelete(db, 2).refusal,
              "Bu Sporcu Kura Listesinde (Müsabakada) Bulunduğundan Silinemiyor ...!");
}

TEST_F(PersonBatchTest, AFailedDeleteLeavesEveryRow)
{
    person(1);
    history(1);
    db.exec("create trigger person_locked before delete on C_MUSTERI begin select raise(abort, 'kilitli'); end");
    EXPECT_THROW(PersonBatch::deletePerson(db, 1, QString()), DbError);
    EXPECT_EQ(rowsOf(1), 9);
}

TEST_F(PersonBatchTest, VisaYearsMoveDownAndAreWrittenOnce)
{
    person(1, {{"E68", 2023}, {"E77", 2022}, {"E78", 2021}, {"M1", QDate(2001, 1, 1)}});
    person(2, {{"E69", QVariant()}, {"E79", 2020}});
    person(3, {{"E68", 2023}, {"E81", 2020}});
    const QDate today(2024, 2, 3);
    EXPECT_EQ(PersonBatch::countPersons(db, "1,3"), 2);
    EXPECT_EQ(PersonBatch::postVisa(db, "1,3", PersonBatch::VisaKind::Referee, 2024, "ADMIN, 03.02.2024", today), 2);
    auto p = db.first("select * from C_MUSTERI where Musteri_Key = 1");
    EXPECT_EQ(p->toInt("E68"), 2024);
    EXPECT_EQ(p->toInt("E77"), 2023);
    EXPECT_EQ(p->toInt("E78"), 2022);
    EXPECT_EQ(p->date("M1"), today);
    EXPECT_EQ(p->str("User"), "ADMIN, 03.02.2024");
    // Again with the same year: nothing changes, not even the stamp.
    EXPECT_EQ(PersonBatch::postVisa(db, "1", PersonBatch::VisaKind::Referee, 2024, "X", QDate(2025, 1, 1)), 0);
    EXPECT_EQ(db.first("select * from C_MUSTERI where Musteri_Key = 1")->str("User"), "ADMIN, 03.02.2024");

    PersonBatch::postVisa(db, "2", PersonBatch::VisaKind::Coach, 2024, "ADMIN, 03.02.2024", today);
    p = db.first("select * from C_MUSTERI where Musteri_Key = 2");
    EXPECT_EQ(p->toInt("E69"), 2024);
    EXPECT_TRUE(p->isNull("E79"));
    EXPECT_EQ(p->toInt("E80"), 2020);

    PersonBatch::postVisa(db, "3", PersonBatch::VisaKind::RegionalReferee, 2024, "ADMIN, 03.02.2024", today);
    p = db.first("select * from C_MUSTERI where Musteri_Key = 3");
    EXPECT_EQ(p->toInt("E81"), 2024);
    EXPECT_EQ(p->toInt("E68"), 2024);   // from the referee visa above
}

TEST_F(PersonBatchTest, ASeminarMovesTheSeminarDateOnlyForward)
{
    person(1, {{"M8", QDate(2012, 6, 1)}});
    person(2);
    const PersonBatch::Seminar s{"HAKEM SEMİNERİ", "ANKARA", QDate(2012, 5, 10), QDate()};
    const QDate today(2012, 5, 11);
    PersonBatch::postSeminar(db, 1, s, "ADMIN, 11.05.2012", today);
    PersonBatch::postSeminar(db, 2, s, "ADMIN, 11.05.2012", today);
    EXPECT_EQ(db.first("select M8 from C_MUSTERI where Musteri_Key = 1")->date("M8"), QDate(2012, 6, 1));
    EXPECT_EQ(db.first("select M8 from C_MUSTERI where Musteri_Key = 2")->date("M8"), QDate(2012, 5, 10));
    const auto row = db.first("select * from F_SEM where Musteri_Key = 1");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->str("Seminer"), "HAKEM SEMİNERİ");
    EXPECT_EQ(row->str("Yer"), "ANKARA");
    EXPECT_EQ(row->date("Tarih"), QDate(2012, 5, 10));
    EXPECT_TRUE(row->isNull("BTar"));
    EXPECT_EQ(db.first("select * from C_MUSTERI where Musteri_Key = 2")->str("User"), "ADMIN, 11.05.2012");
    EXPECT_TRUE(PersonBatch::hasSeminarOn(db, 1, QDate(2012, 5, 10)));
    EXPECT_FALSE(PersonBatch::hasSeminarOn(db, 1, QDate(2012, 5, 11)));
}

} // namespace PersonBatchTestLocal
