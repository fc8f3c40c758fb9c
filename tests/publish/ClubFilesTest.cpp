#include "app/BrivexSchema.h"
#include "app/publish/ClubFiles.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace ClubFilesTestLocal {

// Valid national identity numbers (the check digits hold).
const QString kIdA = "10000000146";
const QString kIdB = "12345678950";
const QString kIdC = "23456789138";

const QDate kToday(2024, 3, 15);

struct Athlete {
    QString adi;
    QString soyadi;
    QString id = "";
    QString register_ = "";     // Vergi_Numarasi
    QString belt = "";          // E25
    QDate changed = QDate(2024, 1, 1);  // M2
};

class ClubFilesTest : public StationTest {
protected:
    void SetUp() override
    {
        StationTest::SetUp();
        club = {123, "ABC SPOR", "KUZEY"};
        db.insert("C_UYELIKSURESI", {{"Durum_Key", club.key}, {"Durum", club.name}, {"E1", club.region},
                                     {"E2", "12345"}});
        db.insert("C_UYELIKTURU", {{"Durum_Key", 9001}, {"Durum", "KUZEY"}, {"Tip2", "06"}});
        packageFile = dir.filePath("club/Fed0123.zip");
        QDir().mkpath(dir.filePath("club"));
        package.open(packageFile, false);
        brivexSchema().create(package);
    }
    void TearDown() override
    {
        package.close();
        StationTest::TearDown();
    }

    int fedKey = 5000;
    // A federation athlete of the club.
    void federation(const Athlete& a, const QVariantMap& more = {})
    {
        QVariantMap f{{"Musteri_Key", ++fedKey}, {"Adi", a.adi}, {"Soyadi", a.soyadi},
                      {"Ad_Soyad", a.adi + " " + a.soyadi}, {"E42", a.id}, {"Vergi_Numarasi", a.register_},
                      {"E25", a.belt}, {"E50", "SPORCU"}, {"Tip", 1}, {"Vergi_Dairesi", club.region},
                      {"E16", club.name}, {"M2", a.changed}};
        for (auto it = more.begin(); it != more.end(); ++it)
            f.insert(it.key(), it.value());
        db.insert("C_MUSTERI", f);
    }
    // A person of the club file.
    void own(int key, const Athlete& a, int terfi = 0)
    {
        package.insert("C_MUSTERI", {{"Musteri_Key", key}, {"Adi", a.adi}, {"Soyadi", a.soyadi},
                                     {"Ad_Soyad", a.adi + " " + a.soyadi}, {"E42", a.id},
                                     {"Vergi_Numarasi", a.register_}, {"E25", a.belt}, {"Terfi", terfi}});
    }
    ClubFiles::MergeResult merge(bool addClubRow = false)
    {
        return ClubFiles::mergeAthletes(db, package, club, kToday, addClubRow);
    }
    Record row(int key)
    {
        return package.first("select * from C_MUSTERI where Musteri_Key = :k", {{"k", key}}).value_or(Record());
    }
    int persons() { return package.scalar("select count(*) from C_MUSTERI").toInt(); }
    Records named(const QString& adi, const QString& soyadi)
    {
        return package.select("select * from C_MUSTERI where Adi = :a and Soyadi = :s order by Musteri_Key",
                              {{"a", adi}, {"s", soyadi}});
    }

    ClubFiles::Club club;
    QString packageFile;
    Database package;
};

struct CodeCase {
    int key;
    const char* code;
    const char* package;
};
class ClubCodes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(ClubCodes, ThreeDigitKeysGetALeadingZero)
{
    EXPECT_EQ(ClubFiles::clubCode4(GetParam().key), GetParam().code);
    EXPECT_EQ(QFileInfo(ClubFiles::packagePath("/tmp/x", ClubFiles::clubCode4(GetParam().key))).fileName(),
              GetParam().package);
}

INSTANTIATE_TEST_SUITE_P(Keys, ClubCodes,
                         ::testing::Values(CodeCase{123, "0123", "Fed0123.zip"}, CodeCase{1234, "1234", "Fed1234.zip"},
                                           CodeCase{12, "12", "Fed12.zip"}));

TEST(ClubFilesNames, ResultDocumentNameCarriesCodePeriodAndRegion)
{
    const ClubFiles::Club c{123, "ABC SPOR", "KUZEY"};
    EXPECT_EQ(ClubFiles::resultFileName(c, 2), "ABC SPOR01232--KUZEY.pdf");
    EXPECT_EQ(ClubFiles::resultFileName(c, 0), "ABC SPOR01230--KUZEY.pdf") << "no period chosen";
    EXPECT_EQ(ClubFiles::resultFileName({4567, "DEF", "GÜNEY"}, 3), "DEF45673--GÜNEY.pdf");
}

struct WebNameCase {
    const char* name;
    const char* region;
    const char* e2;
    const char* tip2;
    const char* web;
};
class ClubWebNames : public ::testing::TestWithParam<WebNameCase> {};

TEST_P(ClubWebNames, FollowTheSeedAndTheLetterTable)
{
    const auto& c = GetParam();
    EXPECT_EQ(ClubFiles::webName(QString::fromUtf8(c.name), QString::fromUtf8(c.region), c.e2, c.tip2),
              QString::fromUtf8(c.web));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClubWebNames,
    ::testing::Values(
        // The worked example: seed 1203645, reversed 5463021.
        WebNameCase{"ABC SPOR", "KUZEY", "12345", "06", "ABC_SPO5R4K6U3Z0E2Y1"},
        // A four-character code: seed E2[1] T[1] E2[2] T[2] E2[3] E2[4] = 102634,
        // reversed 436201; Turkish capitals, a point, and lower-case letters
        // (ASCII ones upper-cased, Turkish ones not).
        WebNameCase{"ÇAĞ SPOR.", "İZMİR", "1234", "06", "C1AG1_SPORX14I13Z6M2I10R1"},
        WebNameCase{"abc spor", "ş", "1234", "06", "ABC_4S3P6O2R0W11"},
        // Left open by the rules, chosen here: too short codes give no name,
        // a name shorter than the seed keeps the first seed characters alone.
        WebNameCase{"ABC SPOR", "KUZEY", "", "06", ""}, WebNameCase{"ABC SPOR", "KUZEY", "123", "06", ""},
        WebNameCase{"ABC SPOR", "KUZEY", "12345", "6", ""}, WebNameCase{"ABC SPOR", "KUZEY", "12345", "", ""},
        WebNameCase{"AB", "C", "12345", "06", "5463A0B2C1"}));

TEST_F(ClubFilesTest, KulupWebAdiReadsTheClubAndItsRegionCode)
{
    EXPECT_EQ(ClubFiles::KulupWebAdi(db, "0123"), "ABC_SPO5R4K6U3Z0E2Y1");
    db.update("C_UYELIKSURESI", {{"E2", ""}}, "Durum_Key = :w_k", {{"w_k", 123}});
    EXPECT_EQ(ClubFiles::KulupWebAdi(db, "0123"), "") << "an empty name code: the marker file is then \".asp\"";
    EXPECT_EQ(ClubFiles::KulupWebAdi(db, "999"), "") << "no such club";
}

TEST(ClubFilesMarker, HoldsTheMomentTheCodeAndThePackageSize)
{
    const QByteArray text = ClubFiles::markerText("0123", 45056, QDateTime(QDate(2024, 3, 5), QTime(9, 7, 2)));
    EXPECT_EQ(text, QByteArray("<head>\r\n<title>KODX050320240907020123" "45056</title>\r\n</head>\r\n"));
}

TEST_F(ClubFilesTest, TheClubRowTellsWhoseFileItIs)
{
    EXPECT_EQ(ClubFiles::clubRowOf(package, club).state, ClubFiles::ClubRow::Missing);
    package.insert("C_UYELIKSURESI", {{"Durum_Key", 200}, {"Durum", "ABC SPOR"}, {"E1", "KUZEY"}});
    EXPECT_EQ(ClubFiles::clubRowOf(package, club).state, ClubFiles::ClubRow::Same);
    package.update("C_UYELIKSURESI", {{"E1", "GÜNEY"}}, "Durum_Key = 200");
    const auto other = ClubFiles::clubRowOf(package, club);
    EXPECT_EQ(other.state, ClubFiles::ClubRow::Other);
    EXPECT_EQ(other.name + "-" + other.region, "ABC SPOR-GÜNEY");
}

TEST_F(ClubFilesTest, AnUnknownAthleteIsAddedWithTheFederationsMarks)
{
    federation({"ALİ", "O'NEIL", kIdA, "34-100", "MAVİ KUŞAK"},
               {{"E43", "ANTRENÖR"}, {"E54", "70"}, {"M5", QDate(2020, 1, 1)}, {"E68", 2019}, {"Telefonlar", "555"}});
    const auto r = merge(true);
    EXPECT_EQ(r.added, 1);
    ASSERT_EQ(r.addedKeys, QList<int>({10000001}));
    const Record p = row(10000001);
    EXPECT_EQ(p.str("Ad_Soyad"), "ALİ O'NEIL") << "a name with an apostrophe";
    EXPECT_EQ(p.str("E42"), kIdA);
    EXPECT_EQ(p.str("Telefonlar"), "555") << "columns of both files are copied";
    EXPECT_EQ(p.toInt("Client_Key"), 200);
    EXPECT_EQ(p.str("Klup_Yetkilisi"), "o");
    EXPECT_EQ(p.toInt("Terfi"), ClubFiles::kAdded);
    EXPECT_EQ(p.str("Vergi_Dairesi"), "KUZEY");
    EXPECT_EQ(p.str("E50"), "SPORCU");
    EXPECT_EQ(p.toInt("Tip"), 1);
    EXPECT_EQ(p.date("M1"), kToday);
    EXPECT_EQ(p.date("M2"), kToday);
    EXPECT_EQ(p.str("User"), "FEDERASYON, 15.03.2024");
    EXPECT_EQ(p.toInt("Kullanici"), 0);
    EXPECT_EQ(p.str("E53"), "-");
    EXPECT_EQ(p.str("E75"), "MAVİ KUŞAK");
    EXPECT_EQ(p.str("E43"), "");
    EXPECT_EQ(p.str("E54"), "");
    EXPECT_TRUE(p.isNull("M5"));
    EXPECT_TRUE(p.isNull("E68"));
    const auto clubRow = ClubFiles::clubRowOf(package, club);
    EXPECT_EQ(clubRow.state, ClubFiles::ClubRow::Same) << "the club row was added with the merge";
}

TEST_F(ClubFilesTest, FirstNewKeysAndTheLatestOfTwoFederationRowsOfOneName)
{
    federation({"AHMET", "KAYA", "", "", "SARI", QDate(2023, 5, 1)});
    federation({"AHMET", "KAYA", "", "", "YEŞİL", QDate(2024, 2, 1)});
    federation({"BURAK", "DEMİR"});
    federation({"ZEYNEP", "ÇELİK"}, {{"E50", ""}});   // no status: not an athlete of the list
    const auto r = merge();
    EXPECT_EQ(r.addedKeys, QList<int>({10000001, 10000002}));
    const Records ahmet = named("AHMET", "KAYA");
    ASSERT_EQ(ahmet.size(), 1) << "only one of the two rows of the same Ad_Soyad";
    EXPECT_EQ(ahmet[0].str("E25"), "YEŞİL") << "the one changed last";
    EXPECT_EQ(ahmet[0].toInt("Musteri_Key"), 10000001);
    EXPECT_EQ(persons(), 2);
}

TEST_F(ClubFilesTest, MatchesByNameRefreshOrTakeTheRegisterNumber)
{
    own(11, {"AHMET", "KAYA", "", "34-7", "SARI"}, 2);     // imported before, same register number
    own(12, {"BURAK", "DEMİR", "", "", "SARI"}, 0);
    own(13, {" CAN ", "ER ", "", "", ""}, 0);              // blanks around the names
    federation({"AHMET", "KAYA", "", "34-7", "YEŞİL"});
    federation({"BURAK", "DEMİR", "", "34-8", "MAVİ"});
    federation({"CAN", "ER", "", "34-9", "KIRMIZI"});
    const auto r = merge();
    EXPECT_EQ(r.refreshed, 1);
    EXPECT_EQ(r.byName, 2);
    EXPECT_EQ(r.added, 0);
    const Record a = row(11);
    EXPECT_EQ(a.toInt("Terfi"), ClubFiles::kRefreshed);
    EXPECT_EQ(a.str("E25"), "YEŞİL");
    EXPECT_EQ(a.str("E75"), "YEŞİL");
    EXPECT_EQ(a.str("User"), "FEDERASYON, 15.03.2024");
    EXPECT_EQ(a.date("M1"), kToday);
    const Record b = row(12);
    EXPECT_EQ(b.toInt("Terfi"), ClubFiles::kByName);
    EXPECT_EQ(b.str("Vergi_Numarasi"), "34-8");
    EXPECT_EQ(b.str("E75"), "MAVİ");
    EXPECT_EQ(row(13).str("Vergi_Numarasi"), "34-9");
}

TEST_F(ClubFilesTest, TheNationalIdFindsAnAthleteWhoseNameChanged)
{
    own(21, {"AYŞE", "KAYA", kIdA, "", "SARI"});             // the club still has her maiden name
    own(22, {"AYŞE", "YILMAZ", kIdB, "", "SARI"});           // a namesake of her new name
    federation({"AYŞE", "YILMAZ", kIdA, "34-11", "MAVİ"});
    federation({"AYŞE", "YILMAZ", kIdB, "34-12", "YEŞİL"}, {{"Ad_Soyad", "AYŞE  YILMAZ"}});
    const auto r = merge();
    EXPECT_EQ(r.byIdentity, 1);
    EXPECT_EQ(r.byName, 1) << "found by number and by name";
    EXPECT_EQ(r.added, 0);
    EXPECT_EQ(row(21).toInt("Terfi"), ClubFiles::kByIdentity);
    EXPECT_EQ(row(21).str("Vergi_Numarasi"), "34-11");
    EXPECT_EQ(row(21).str("Soyadi"), "KAYA");
    EXPECT_EQ(row(22).toInt("Terfi"), ClubFiles::kByName);
    EXPECT_EQ(row(22).str("Vergi_Numarasi"), "34-12");
}

TEST_F(ClubFilesTest, ANamesakeIsNeverOverwritten)
{
    own(31, {"MEHMET", "ÖZ", kIdA, "34-1", "SİYAH"}, 2);
    federation({"MEHMET", "ÖZ", kIdB, "34-2", "SARI"});
    const auto r = merge();
    const Record kept = row(31);
    EXPECT_EQ(kept.str("Vergi_Numarasi"), "34-1");
    EXPECT_EQ(kept.str("E25"), "SİYAH");
    EXPECT_EQ(kept.toInt("Terfi"), 2);
    EXPECT_EQ(r.added, 1) << "the federation's Mehmet Öz is another person";
    const Records both = named("MEHMET", "ÖZ");
    ASSERT_EQ(both.size(), 2);
    EXPECT_EQ(both[1].str("E42"), kIdB);
}

TEST_F(ClubFilesTest, AmbiguousMatchesAreLeftAlone)
{
    own(41, {"ELİF", "AK", "", "", "SARI"});
    own(42, {"ELİF", "AK", "", "", "SARI"});                 // two of that name in the club file
    own(43, {"EMRE", "TAŞ", "", "", "SARI"});
    federation({"ELİF", "AK", "", "34-5", "MAVİ"});
    federation({"EMRE", "TAŞ", "", "34-6", "MAVİ"});
    federation({"EMRE", "TAŞ", "", "34-7", "YEŞİL"}, {{"Ad_Soyad", "EMRE  TAŞ"}});   // both would change 43
    const auto r = merge();
    EXPECT_EQ(r.skipped, 3);
    EXPECT_EQ(r.added, 0);
    for (int key : {41, 42, 43}) {
        EXPECT_EQ(row(key).str("E25"), "SARI") << key;
        EXPECT_EQ(row(key).str("Vergi_Numarasi"), "") << key;
    }
}

TEST_F(ClubFilesTest, TwoRunsInARowKeepKeysUniqueAndAddNoRowTwice)
{
    package.insert("C_MUSTERI", {{"Musteri_Key", 10000001}, {"Adi", "ESKİ"}, {"Soyadi", "PAKET"}});
    federation({"ALİ", "VELİ", kIdA, "34-1", "SARI"});
    federation({"CAN", "YÜCE", "", "34-2", "SARI"});
    const auto first = merge();
    EXPECT_EQ(first.addedKeys, QList<int>({10000002, 10000003})) << "keys above the file's own";

    // The club takes the package as its file; the federation meanwhile has
    // a new athlete and a new belt.
    federation({"DENİZ", "AY", kIdC, "34-3", "SARI"});
    db.update("C_MUSTERI", {{"E25", "MAVİ"}}, "Ad_Soyad = :w_n", {{"w_n", "ALİ VELİ"}});
    const auto second = merge();
    EXPECT_EQ(second.addedKeys, QList<int>({10000004}));
    EXPECT_EQ(second.byName, 2);
    EXPECT_EQ(persons(), 4);
    EXPECT_EQ(package.scalar("select count(distinct Musteri_Key) from C_MUSTERI").toInt(), 4);
    EXPECT_EQ(named("ALİ", "VELİ").size(), 1);
    EXPECT_EQ(named("ALİ", "VELİ")[0].str("E25"), "MAVİ");
}

TEST_F(ClubFilesTest, AFailureHalfWayLeavesTheFileAsItWas)
{
    own(51, {"AHMET", "KAYA", "", "", "SARI"});
    federation({"AHMET", "KAYA", "", "34-1", "MAVİ"});        // an update first
    federation({"BURAK", "DEMİR"});                           // then an insert that fails
    ASSERT_TRUE(QSqlQuery(package.connection())
                    .exec("create trigger clubfiles_refuse before insert on C_MUSTERI when new.Adi = 'BURAK' "
                          "begin select raise(abort, 'refused'); end"));
    EXPECT_THROW(merge(true), DbError);
    EXPECT_FALSE(package.inTransaction());
    EXPECT_EQ(row(51).str("E25"), "SARI");
    EXPECT_EQ(row(51).toInt("Terfi"), 0);
    EXPECT_EQ(persons(), 1);
    EXPECT_EQ(ClubFiles::clubRowOf(package, club).state, ClubFiles::ClubRow::Missing) << "the club row too";
}

TEST_F(ClubFilesTest, OnlyTheChosenClubsAthletesOfItsRegionAreMerged)
{
    federation({"ALİ", "VELİ"});
    federation({"CAN", "YÜCE"}, {{"E16", "BAŞKA SPOR"}});
    federation({"DENİZ", "AY"}, {{"Vergi_Dairesi", "GÜNEY"}});
    federation({"EMRE", "TAŞ"}, {{"Tip", 0}});
    EXPECT_EQ(merge().added, 1);
    EXPECT_EQ(named("ALİ", "VELİ").size(), 1);
}

TEST_F(ClubFilesTest, ACopyReplacesItsTargetWhole)
{
    const QString source = dir.filePath("club/a.pdf");
    const QString target = dir.filePath("club/b.pdf");
    writeFile(source, "new content");
    writeFile(target, "old");
    ASSERT_TRUE(ClubFiles::copyFile(source, target));
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("new content"));
    EXPECT_FALSE(QFile::exists(target + ".part"));
    EXPECT_FALSE(ClubFiles::copyFile(dir.filePath("club/none.pdf"), target));
}

} // namespace ClubFilesTestLocal
