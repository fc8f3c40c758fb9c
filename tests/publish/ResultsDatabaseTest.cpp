// The results database built from a small competition of both genders:
// its tables, rows and placings.
#include "app/publish/ResultsDatabase.h"
#include "competition/MatchState.h"
#include "support/TestSupport.h"

#include <QFile>

namespace ResultsDatabaseTestLocal {

const QString kSixty = QStringLiteral("60 KİLO BÜYÜKLER");
const QString kSeventy = QStringLiteral("70 KİLO BÜYÜKLER");
const QString kEighty = QStringLiteral("80 KİLO BÜYÜKLER");

class ResultsDatabaseTest : public StationTest {
protected:
    void SetUp() override
    {
        StationTest::SetUp();
        out = dir.path() + "/Sonuclar.mdb";
        // Regions: a flag of the first range, one of the second, one
        // ambiguous name.
        db.insert("C_UYELIKTURU", {{"Durum_Key", 100}, {"Durum", "BÖLGE A"}});
        db.insert("C_UYELIKTURU", {{"Durum_Key", 101}, {"Durum", "BÖLGE B"}});
        db.insert("C_UYELIKTURU", {{"Durum_Key", 150}, {"Durum", "BÖLGE Ç"}});
        db.insert("C_UYELIKTURU", {{"Durum_Key", 151}, {"Durum", "BÖLGE Ç"}});

        // Men and women share the class name and the back numbers 1 and 2.
        entry(1, kSixty, "ERKEK", 1, "ALİ", "BÖLGE A", "BA");
        entry(2, kSixty, "ERKEK", 2, "VELİ", "BÖLGE B", "BB");
        entry(3, kSixty, "KADIN", 1, "AYŞE", "BÖLGE Ç", "BÇ");
        entry(4, kSixty, "KADIN", 2, "FATMA", "BÖLGE D", "BD");
        entry(5, kSeventy, "ERKEK", 3, "CAN", "BÖLGE A", "BA");
        entry(6, kSeventy, "ERKEK", 4, "EMRE", "BÖLGE B", "BB");
        entry(7, kEighty, "ERKEK", 5, "HAKAN", "BÖLGE D", "BD");

        bout(1, kSixty, "ERKEK", Rounds::Final, 1, "ALİ", "BÖLGE A", 2, "VELİ", "BÖLGE B", "1", "ALİ", 3, 1);
        bout(2, kSixty, "KADIN", Rounds::Final, 1, "AYŞE", "BÖLGE Ç", 2, "FATMA", "BÖLGE D", "2", "FATMA", 0, 2);
        // Not fought yet.
        bout(3, kSeventy, "ERKEK", Rounds::Final, 3, "CAN", "BÖLGE A", 4, "EMRE", "BÖLGE B", "", "", 0, 0);
        // Against a bye.
        bout(4, kEighty, "ERKEK", Rounds::Final, 5, "HAKAN", "BÖLGE D", QVariant(), "", "Pass", "5", "HAKAN", 0, 0);
        // The third-place row nobody fights.
        bout(5, kEighty, "ERKEK", "3.'LÜK MAÇI", QVariant(), "-", "", QVariant(), "-", "", "-", "-", 0, 0);
    }

    void entry(int key, const QString& branch, const QString& gender, int number, const QString& name,
               const QString& region, const QString& shortRegion)
    {
        db.insert("C_LISTE", {{"Liste_Key", key}, {"Brans", branch}, {"Cinsiyet", gender}, {"Sira", number},
                              {"Ad", name}, {"Bolge", region}, {"BolgeK", shortRegion}, {"Onay", 1},
                              {"Klup", "KULÜP " + name}, {"Tarih", QDate(2026, 5, 9)}, {"Puan", 7}});
    }

    void bout(int key, const QString& branch, const QString& gender, const QString& round, const QVariant& n1,
              const QString& name1, const QString& region1, const QVariant& n2, const QString& name2,
              const QString& region2, const QString& winnerNo, const QString& winner, int points1, int points2)
    {
        db.insert("C_KURA", {{"Kura_Key", key}, {"Brans", branch}, {"Cinsiyet", gender}, {"Tur", round},
                             {"Sira1", n1}, {"Ad1", name1}, {"Bolge1", region1}, {"Sira2", n2}, {"Ad2", name2},
                             {"Bolge2", region2}, {"Galip", winnerNo}, {"Salon", winner}, {"Puan1", points1},
                             {"Puan2", points2}, {"Dis1", 0}, {"Dis2", 1}, {"Tar_Saat", "RING 1"},
                             {"Skor", QString::number(key)}, {"Grup", "A"}, {"Karar", winner.isEmpty() ? "" : "PUAN"},
                             {"Tip1", "AD"}, {"Tip2", "AD"}});
    }

    void build(bool flags)
    {
        ResultsDatabase::prepare(out);
        ResultsDatabase::fill(db, out, flags, QDateTime(QDate(2026, 5, 10), QTime(14, 30, 5)));
        result.open(out);
    }

    QString out;
    Database result;
};

TEST_F(ResultsDatabaseTest, BoutsKeepMenAndWomenApartAndShowUndecidedAndByes)
{
    build(true);
    EXPECT_EQ(result.tables().size(), 4);
    const Records rows = result.select("select * from Kuralar order by Sira_No");
    ASSERT_EQ(rows.size(), 4);

    const Record& men = rows[0];
    EXPECT_EQ(men.toInt("Sira_No"), 1);
    EXPECT_EQ(men.str("Cinsiyet"), "ERKEK");
    EXPECT_EQ(men.str("Ad_1"), "ALİ");
    EXPECT_EQ(men.str("Bolge_1"), "BÖLGE A");
    EXPECT_EQ(men.str("Bolge_Kisa_1"), "BA");
    EXPECT_EQ(men.str("Flag_1"), "Flg0.bmp");
    EXPECT_EQ(men.str("Bolge_2"), "BÖLGE B");
    EXPECT_EQ(men.str("Flag_2"), "Flg101.bmp");
    EXPECT_EQ(men.str("Galip"), "ALİ");
    EXPECT_EQ(men.toInt("Puan_1"), 3);
    EXPECT_EQ(men.toInt("Puan_2"), 1);
    EXPECT_EQ(men.toInt("Disq_2"), 1);
    EXPECT_EQ(men.str("Tarih_Ring"), "RING 1");
    EXPECT_EQ(men.str("Ring_Sira"), "1");
    EXPECT_EQ(men.str("Karar"), "PUAN");

    // Back number 1 of the women is not the man with number 1.
    const Record& women = rows[1];
    EXPECT_EQ(women.str("Bolge_1"), "BÖLGE Ç");
    EXPECT_EQ(women.str("Flag_1"), "");
    EXPECT_EQ(women.str("Bolge_2"), "BÖLGE D");
    EXPECT_EQ(women.str("Galip"), "FATMA");

    const Record& undecided = rows[2];
    EXPECT_EQ(undecided.str("Galip"), "");
    EXPECT_TRUE(undecided.isNull("Puan_1"));
    EXPECT_TRUE(undecided.isNull("Puan_2"));

    const Record& bye = rows[3];
    EXPECT_EQ(bye.str("Ad_2"), "");
    EXPECT_EQ(bye.str("Bolge_2"), "");
    EXPECT_EQ(bye.str("Bolge_Kisa_2"), "");
    EXPECT_EQ(bye.str("Bolge_1"), "BÖLGE D");
    EXPECT_TRUE(bye.isNull("Puan_1"));
    EXPECT_TRUE(bye.isNull("Puan_2"));
}

TEST_F(ResultsDatabaseTest, PlacingsPerCategoryWithoutTouchingThePointsList)
{
    build(true);
    const Records rows = result.select("select * from Dereceler where Brans = :b order by Sira_No", {{"b", kSixty}});
    ASSERT_EQ(rows.size(), 4);
    const QStringList expected = {"ERKEK 1 ALİ BÖLGE A Flg0.bmp", "ERKEK 2 VELİ BÖLGE B Flg101.bmp",
                                  "KADIN 1 FATMA BÖLGE D ", "KADIN 2 AYŞE BÖLGE Ç "};
    for (int i = 0; i < 4; ++i) {
        const Record& r = rows[i];
        EXPECT_EQ(r.toInt("Sira_No"), i + 1);
        EXPECT_EQ(QString("%1 %2 %3 %4 %5")
                      .arg(r.str("Cinsiyet"), r.str("Derece"), r.str("Ad"), r.str("Bolge"), r.str("Flag")),
                  expected[i]);
    }
    // The undecided category has no first place and gives no rows.
    EXPECT_EQ(result.scalar("select count(*) from Dereceler where Brans = :b", {{"b", kSeventy}}).toInt(), 0);
    // The competition's points stay as they were.
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE where Puan <> 7").toInt(), 0);
}

TEST_F(ResultsDatabaseTest, WeighInRowsAndExportTime)
{
    build(false);
    const Records rows = result.select("select * from Listeler order by Sira_No");
    ASSERT_EQ(rows.size(), 7);
    EXPECT_EQ(rows[2].str("Ad"), "AYŞE");
    EXPECT_EQ(rows[2].str("Cinsiyet"), "KADIN");
    EXPECT_EQ(rows[2].str("Kulup"), "KULÜP AYŞE");
    EXPECT_EQ(rows[2].str("Bolge_Kisa"), "BÇ");
    EXPECT_EQ(rows[2].toInt("Onay"), 1);
    EXPECT_EQ(rows[2].str("Tarih"), "2026-05-09");
    const Record at = *result.first("select * from Tarih");
    EXPECT_EQ(at.str("Tarih"), "2026-05-10");
    EXPECT_EQ(at.str("Saat"), "14:30:05");
    EXPECT_EQ(result.scalar("select count(*) from Tarih").toInt(), 1);
    // No flags asked: none anywhere.
    EXPECT_EQ(result.scalar("select count(*) from Listeler where Flag <> ''").toInt(), 0);
    EXPECT_EQ(result.scalar("select count(*) from Kuralar where Flag_1 <> '' or Flag_2 <> ''").toInt(), 0);
    EXPECT_EQ(result.scalar("select count(*) from Dereceler where Flag <> ''").toInt(), 0);
}

TEST_F(ResultsDatabaseTest, SecondPreparationEmptiesTheTables)
{
    build(true);
    result.close();
    ResultsDatabase::prepare(out);
    result.open(out);
    for (const char* table : {"Kuralar", "Listeler", "Dereceler", "Tarih"})
        EXPECT_EQ(result.scalar(QString("select count(*) from ") + table).toInt(), 0) << table;
    EXPECT_EQ(result.columns("Kuralar").size(), 21);
    EXPECT_EQ(result.columns("Listeler").size(), 10);
    EXPECT_EQ(result.columns("Dereceler").size(), 8);
}

TEST_F(ResultsDatabaseTest, NamesWithQuotesAreValuesNotStatements)
{
    db.exec("update C_LISTE set Bolge = :r where Liste_Key = 1", {{"r", "O'NEIL'; drop table Kuralar; --"}});
    db.insert("C_UYELIKTURU", {{"Durum_Key", 160}, {"Durum", "O'NEIL'; drop table Kuralar; --"}});
    build(true);
    const Record men = *result.first("select * from Kuralar where Sira_No = 1");
    EXPECT_EQ(men.str("Bolge_1"), "O'NEIL'; drop table Kuralar; --");
    EXPECT_EQ(men.str("Flag_1"), "Flg160.bmp");
}

}
