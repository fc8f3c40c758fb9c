// The station's upkeep on two database files: this station's and a station
// copy brought from another computer.
#include "app/BrivexSchema.h"
#include "app/StationUpkeep.h"
#include "app/kit/DbConventions.h"
#include "support/TestSupport.h"

#include <QFile>

namespace {

class StationUpkeepTest : public StationTest {
protected:
    void SetUp() override
    {
        StationTest::SetUp();
        copyPath = dir.filePath("backup1.mdb");
        copy.open(copyPath, false);
        brivexSchema().create(copy);
        seedStation(copy);
        addPerson(db, 11, "AHMET YILMAZ");
        addPerson(db, 12, "BEKİR ÖZ");
        addPerson(db, 13, "CEMİL O'NEIL");
    }
    void TearDown() override
    {
        copy.close();
        StationTest::TearDown();
    }

    static void addPerson(Database& d, int key, const QString& name)
    {
        d.insert("C_MUSTERI", {{"Musteri_Key", key}, {"Ad_Soyad", name}, {"E50", "SPORCU"}, {"Kullanici", 2}});
    }
    static void addListRow(Database& d, int key, int athlete, const QString& name, const QString& category, int sira,
                           const QDate& date = QDate(2026, 3, 5))
    {
        d.insert("C_LISTE", {{"Liste_Key", key}, {"Musteri_Key", athlete}, {"Ad", name}, {"Brans", category},
                             {"Sira", sira}, {"Tarih", date}, {"Bolge", "İZMİR"}});
    }
    static void addBout(Database& d, int key, const QString& ad1, const QVariant& sira1, const QString& ad2,
                        const QVariant& sira2, const QString& karar = QString(), const QString& tur = "1. TUR")
    {
        d.insert("C_KURA", {{"Kura_Key", key}, {"Brans", "ERKEK 60 KİLO"}, {"Tur", tur}, {"Ad1", ad1},
                            {"Sira1", sira1}, {"Ad2", ad2}, {"Sira2", sira2}, {"Karar", karar},
                            {"Galip", karar.isEmpty() ? QVariant() : QVariant("1")}});
    }
    StationCopy readCopy() { return StationUpkeep::readCopy(copyPath); }
    int rows(Database& d, const QString& table) { return d.scalar("select count(*) from " + table).toInt(); }
    Record bout(int key) { return db.first("select * from C_KURA where Kura_Key = :k", {{"k", key}}).value_or(Record()); }

    QString copyPath;
    Database copy;
};

TEST_F(StationUpkeepTest, TheClearingQuestionNamesThePeriodOfTheLists)
{
    EXPECT_EQ(StationUpkeep::weighInPeriod(db), "") << "no lists";
    addListRow(db, 1, 11, "AHMET YILMAZ", "ERKEK 60 KİLO", 1);
    addListRow(db, 2, 12, "BEKİR ÖZ", "ERKEK 60 KİLO", 2);
    EXPECT_EQ(StationUpkeep::weighInPeriod(db), "05.03.2026 Tarihinde");
    EXPECT_EQ(StationUpkeep::clearListsQuestion(StationUpkeep::weighInPeriod(db)),
              "05.03.2026 Tarihinde Oluşturulan Önceki Tartı \n Listeleri Silinecektir. Eminmisiniz ...?");
    addListRow(db, 3, 13, "CEMİL O'NEIL", "ERKEK 65 KİLO", 3, QDate(2026, 2, 28));
    EXPECT_EQ(StationUpkeep::weighInPeriod(db), "28.02.2026 ile 05.03.2026 Tarihleri Arasında");
}

TEST_F(StationUpkeepTest, ClearingSetsTheCountersBackToZero)
{
    addListRow(db, 1, 11, "AHMET YILMAZ", "ERKEK 60 KİLO", 1);
    addBout(db, 1, "AHMET YILMAZ", 1, "BEKİR ÖZ", 2);
    for (const char* c : {"sayi1", "sayi2", "sayi3"})
        Counters::set(db, c, 9);
    StationUpkeep::ListTemizle(db);
    EXPECT_EQ(rows(db, "C_LISTE"), 0);
    EXPECT_EQ(rows(db, "C_KURA"), 1);
    EXPECT_EQ(Counters::current(db, "sayi1"), 0);
    EXPECT_EQ(Counters::current(db, "sayi2"), 9);
    EXPECT_EQ(Counters::current(db, "sayi3"), 0);
    StationUpkeep::KuraTemizle(db);
    EXPECT_EQ(rows(db, "C_KURA"), 0);
    EXPECT_EQ(Counters::current(db, "sayi2"), 0);
}

TEST_F(StationUpkeepTest, ResettingCountsTouchesOnlyAthletesWithACount)
{
    db.insert("C_MUSTERI", {{"Musteri_Key", 20}, {"Ad_Soyad", "ANTRENÖR"}, {"E50", ""}, {"Kullanici", 3}});
    EXPECT_EQ(StationUpkeep::athletesWithCounts(db), 3);
    StationUpkeep::resetCounts(db);
    EXPECT_EQ(StationUpkeep::athletesWithCounts(db), 0);
    EXPECT_EQ(db.scalar("select Kullanici from C_MUSTERI where Musteri_Key = 20").toInt(), 3) << "not an athlete";
}

TEST_F(StationUpkeepTest, ReplacingTakesTheCopysRowsKeysAndCountersByColumnName)
{
    addListRow(db, 1, 11, "AHMET YILMAZ", "ERKEK 60 KİLO", 1);
    // The copy's list table holds its columns in another order and one
    // column this station does not have.
    copy.exec("drop table C_LISTE");
    copy.exec("create table C_LISTE (Ekstra text, Bolge text, Tarih text, Sira integer, Brans text, Ad text, "
              "Musteri_Key integer, Liste_Key integer)");
    addListRow(copy, 7, 12, "BEKİR ÖZ", "ERKEK 65 KİLO", 4);
    addBout(copy, 5, "BEKİR ÖZ", 4, "-", QVariant());
    Counters::set(copy, "sayi1", 7);
    Counters::set(copy, "sayi2", 5);
    Counters::set(copy, "sayi3", 4);

    StationUpkeep::replaceFromCopy(db, readCopy());
    const Records lists = db.select("select * from C_LISTE");
    ASSERT_EQ(lists.size(), 1);
    EXPECT_EQ(lists[0].toInt("Liste_Key"), 7);
    EXPECT_EQ(lists[0].str("Ad"), "BEKİR ÖZ");
    EXPECT_EQ(lists[0].toInt("Sira"), 4);
    EXPECT_EQ(bout(5).str("Ad1"), "BEKİR ÖZ");
    EXPECT_EQ(Counters::current(db, "sayi1"), 7);
    EXPECT_EQ(Counters::current(db, "sayi2"), 5);
    EXPECT_EQ(Counters::current(db, "sayi3"), 4);
    // The next weigh-in row continues the copy's numbering.
    EXPECT_EQ(Counters::next(db, "sayi1"), 8);
}

TEST_F(StationUpkeepTest, ACopyThatIsNoDatabaseIsRefusedWithItsName)
{
    copy.close();
    QFile f(copyPath);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const QByteArray head = f.read(2048);
    f.resize(0);
    f.write(head);      // truncated: the tables' pages are gone
    f.close();
    try {
        readCopy();
        FAIL() << "a truncated copy was read";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().startsWith(
            "Seçilen dosya bu programın bir veritabanı değil ya da okunamıyor: backup1.mdb"))
            << e.message().toStdString();
    }
    const QString other = dir.filePath("backup2.mdb");
    writeFile(other, "not a database at all");
    EXPECT_THROW(StationUpkeep::readCopy(other), DbError);
}

TEST_F(StationUpkeepTest, GatheringWeighInsAddsWhatIsMissingWithNewKeysAndOneBackNumberPerAthlete)
{
    // Here: Ahmet in 60 kg with back number 5, counters at 6.
    addListRow(db, 6, 11, "AHMET YILMAZ", "ERKEK 60 KİLO", 5);
    Counters::set(db, "sayi1", 6);
    Counters::set(db, "sayi3", 6);
    // The copy: Ahmet in 60 kg again (present), Ahmet in 65 kg, Bekir in two
    // classes, Cemil with an apostrophe, and a person this station lacks.
    addListRow(copy, 1, 11, "AHMET YILMAZ", "ERKEK 60 KİLO", 1);
    addListRow(copy, 2, 11, "AHMET YILMAZ", "ERKEK 65 KİLO", 1);
    addListRow(copy, 3, 12, "BEKİR ÖZ", "ERKEK 60 KİLO", 2);
    addListRow(copy, 4, 12, "BEKİR ÖZ", "ERKEK 65 KİLO", 2);
    addListRow(copy, 5, 13, "CEMİL O'NEIL", "ERKEK 60 KİLO", 3);
    addListRow(copy, 6, 99, "YABANCI KİŞİ", "ERKEK 70 KİLO", 4);

    const GatherOutcome out = StationUpkeep::gatherWeighIns(db, readCopy());
    EXPECT_EQ(out.transferred, 4);
    EXPECT_EQ(out.notTransferred, 2);
    EXPECT_EQ(out.missing, QStringList{"YABANCI KİŞİ adlı sporcu sistemde bulunamadığı için aktarılmadı.\n"
                                       "Branşı: ERKEK 70 KİLO\n"
                                       "LÜTFEN BU BİLGİLERİ NOT ALINIZ VE GEREKLİ DÜZENLEMEYİ YAPINIZ."});
    EXPECT_EQ(StationUpkeep::weighInsOutcomeText(out), "Aktarılan sporcu sayısı: 4\nAKTARILAMAYAN SPORCU SAYISI: 2");

    QStringList got;
    for (const Record& r : db.select("select * from C_LISTE order by Liste_Key"))
        got << QString("%1 %2 %3 %4").arg(r.toInt("Liste_Key")).arg(r.str("Ad"), r.str("Brans")).arg(r.toInt("Sira"));
    EXPECT_EQ(got, (QStringList{"6 AHMET YILMAZ ERKEK 60 KİLO 5", "7 AHMET YILMAZ ERKEK 65 KİLO 5",
                                "8 BEKİR ÖZ ERKEK 60 KİLO 8", "9 BEKİR ÖZ ERKEK 65 KİLO 8",
                                "10 CEMİL O'NEIL ERKEK 60 KİLO 10"}));
    EXPECT_EQ(Counters::current(db, "sayi1"), 10);
    EXPECT_EQ(Counters::current(db, "sayi3"), 10);

    // The same copy again adds nothing.
    const GatherOutcome again = StationUpkeep::gatherWeighIns(db, readCopy());
    EXPECT_EQ(again.transferred, 0);
    EXPECT_EQ(again.notTransferred, 6);
    EXPECT_EQ(rows(db, "C_LISTE"), 5);
}

TEST_F(StationUpkeepTest, GatheringResultsNeverOverwritesADecidedBoutAndBringsAdvancedWinners)
{
    // Here: bout 1 undecided, bout 2 decided "KO", bout 3 waits for the
    // winner of bout 1, bout 6 is a bye.
    addBout(db, 1, "AHMET YILMAZ", 11, "BEKİR ÖZ", 12);
    addBout(db, 2, "CEMİL O'NEIL", 13, "DAVUT EK", 14, "KO");
    addBout(db, 3, "1. TUR 1.MAÇ", QVariant(), "DAVUT EK", 14, QString(), "YARI FİNAL");
    addBout(db, 6, "EMRE AK", 15, "-", QVariant());
    // The copy decided bouts 1 and 2 and a bout this station lacks, and
    // advanced Ahmet into bout 3.
    addBout(copy, 1, "AHMET YILMAZ", 11, "BEKİR ÖZ", 12, "RSC");
    addBout(copy, 2, "CEMİL O'NEIL", 13, "DAVUT EK", 14, "WO");
    addBout(copy, 3, "AHMET YILMAZ", 11, "DAVUT EK", 14, QString(), "YARI FİNAL");
    addBout(copy, 4, "FİKRET SU", 16, "GÖKHAN AY", 17, "KO", "ÇEYREK FİNAL");
    addBout(copy, 6, "EMRE AK", 15, "-", QVariant(), "BYE");

    const GatherOutcome out = StationUpkeep::gatherResults(db, readCopy());
    EXPECT_EQ(bout(1).str("Karar"), "RSC");
    EXPECT_EQ(bout(2).str("Karar"), "KO") << "decided here: never overwritten";
    EXPECT_EQ(bout(3).str("Ad1"), "AHMET YILMAZ");
    EXPECT_EQ(bout(3).toInt("Sira1"), 11);
    EXPECT_EQ(bout(3).str("Karar"), "");
    EXPECT_EQ(bout(6).str("Karar"), "BYE");
    EXPECT_EQ(out.missing, QStringList{"ERKEK 60 KİLO/ ÇEYREK FİNAL, Sistemde bulunamadı...!"});
    EXPECT_EQ(out.transferred, 2);
    // Real bouts of the copy: 1, 2, 3, 4; taken over of them: 1.
    EXPECT_EQ(out.notTransferred, 3);
    EXPECT_EQ(StationUpkeep::resultsOutcomeText(out), "Aktarılan müsabaka sayısı: 2\nAKTARILAMAYAN MÜSABAKA SAYISI: 3");

    const GatherOutcome again = StationUpkeep::gatherResults(db, readCopy());
    EXPECT_EQ(again.transferred, 0);
    EXPECT_EQ(again.notTransferred, 4);
}

TEST_F(StationUpkeepTest, ACopyOfDecidedByesOnlyNeverGivesANegativeCount)
{
    addBout(db, 6, "EMRE AK", 15, "-", QVariant());
    addBout(copy, 6, "EMRE AK", 15, "-", QVariant(), "BYE");
    const GatherOutcome out = StationUpkeep::gatherResults(db, readCopy());
    EXPECT_EQ(out.transferred, 1);
    EXPECT_EQ(out.notTransferred, 0);
}

} // namespace
