#include "platform/db/Schema.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "registry/CompanionMirror.h"
#include "support/TestSupport.h"

#include <QFile>

namespace {

const QString kCompanion = "C:\\CO\\QVX_PROG\\Tolk.mdb";

// A station with a companion database set up the way its own program
// leaves it: a counter row (key 1), one person, a status and a region.
class CompanionMirrorTest : public StationTest {
protected:
    void SetUp() override
    {
        StationTest::SetUp();
        now = QDateTime(QDate(2009, 3, 5), QTime(14, 5, 9));
        person.set("Ad_Soyad", "ALİ YILMAZ");
        person.set("Telefonlar", "0212 555 11 22");
        person.set("Adres", "BAĞDAT CAD. 5");
        person.set("Sokak", "KADIKÖY İSTANBUL");
        person.set("Semt", "MODA SOK. 3");
        person.set("Cadde", "KADIKÖY");
        person.set("Mahalle", "");
        person.set("No1", "");
        person.set("E50", "SPORCU");
        person.set("E63", "ali@ornek.com");
        person.set("E42", "10000000146");
        person.set("E23", "VELİ");
        person.set("E22", "AYŞE");
        person.set("E26", "34-049-000001");
        person.set("E67", "2009");
        person.set("E16", "KARTAL SPOR");
        person.set("E14", "LİSE");
        person.set("E17", "ANKARA");
        person.set("E15", "ERKEK");
        person.set("E18", "BEKAR");
        person.set("M3", "07.04.1990");
    }

    void makeCompanion(const QString& counter = "", bool counterRow = true, const QString& tip1 = "AB",
                       const QString& tip2 = "")
    {
        RegistryValues::setDbq(kCompanion, "tolk");
        Database c;
        c.open(kCompanion, false);
        CompanionMirror::companionSchema().create(c);
        if (counterRow)
            c.insert("C_MUSTERI", {{"Musteri_Key", 1}, {"Vergi_Numarasi", counter}});
        c.insert("C_MUSTERI", {{"Musteri_Key", 5}, {"Vergi_Numarasi", "AB-0999"}, {"Sokak", "999"}});
        c.insert("C_SAYI", {{"sayi", 5}});
        c.insert("C_UYEKULLANICI", {{"Durum_Key", 1}, {"Durum", "-"}});
        c.insert("C_UYEKULLANICI", {{"Durum_Key", 4}, {"Durum", "ÜYE"}});
        c.insert("C_UYELIKTURU", {{"Durum", "BURSA"}, {"Tip1", tip1}, {"Tip2", tip2}});
        c.insert("C_UYELIKTURU", {{"Durum", "ADANA"}, {"Tip1", "01"}, {"Tip2", ""}});
        c.close();
    }

    std::optional<Record> companionRow(int federationKey)
    {
        Database c;
        c.open(kCompanion);
        return c.first("select * from C_MUSTERI where Sokak = :s", {{"s", QString::number(federationKey)}});
    }
    QVariant companionScalar(const QString& sql)
    {
        Database c;
        c.open(kCompanion);
        return c.scalar(sql);
    }

    PersonValues person;
    QDateTime now;
};

TEST_F(CompanionMirrorTest, NothingHappensWithoutACompanionFile)
{
    EXPECT_FALSE(CompanionMirror::mirror(person, 7, "ADMIN", now));
    RegistryValues::setDbq(kCompanion, "tolk");
    EXPECT_FALSE(CompanionMirror::mirror(person, 7, "ADMIN", now));
    EXPECT_FALSE(QFile::exists(host(kCompanion)));
}

struct FolderCase {
    const char* dbq;
    const char* file;
};
class CompanionFolder : public StationTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(CompanionFolder, FollowsTheProgramFolderRule)
{
    RegistryValues::setDbq(GetParam().dbq, "tolk");
    EXPECT_EQ(CompanionMirror::companionFile().toStdString(), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CompanionFolder,
    ::testing::Values(FolderCase{"", "C:\\CO\\QVX_PROG\\Tolk.mdb"}, FolderCase{"X", "C:\\CO\\QVX_PROG\\Tolk.mdb"},
                      FolderCase{"c:\\baska\\yer\\tolk.mdb", "C:\\CO\\QVX_PROG\\Tolk.mdb"},
                      FolderCase{"m:\\QVX_PROG\\Tolk.mdb", "M:\\QVX_PROG\\Tolk.mdb"},
                      FolderCase{"D:\\Veri\\Baska\\Dosya.mdb", "D:\\QVX_PROG\\Tolk.mdb"}));

TEST_F(CompanionMirrorTest, TheFirstSaveInsertsTheSecondOverwrites)
{
    makeCompanion();
    ASSERT_TRUE(CompanionMirror::mirror(person, 7, "ADMIN", now));
    auto row = companionRow(7);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->toInt("Musteri_Key"), 6);
    EXPECT_EQ(row->str("Vergi_Numarasi"), "AB-1001");
    EXPECT_EQ(row->str("No"), "1001");
    EXPECT_EQ(row->toInt("Kullanici"), 4);
    EXPECT_EQ(row->str("Vergi_Dairesi"), "BURSA");
    EXPECT_EQ(row->str("Ad_Soyad"), "ALİ YILMAZ");
    EXPECT_EQ(row->str("Telefonlar"), "0212 555 11 22");
    EXPECT_EQ(row->str("Adres"), "BAĞDAT CAD. 5 KADIKÖY İSTANBUL");
    EXPECT_EQ(row->str("Semt"), "MODA SOK. 3 KADIKÖY (EV)");
    EXPECT_EQ(row->str("E10"), "SPORCU");
    EXPECT_EQ(row->str("E19"), "ali@ornek.com");
    EXPECT_EQ(row->str("E20"), "10000000146");
    EXPECT_EQ(row->str("E21"), "VELİ");
    EXPECT_EQ(row->str("E22"), "AYŞE");
    EXPECT_EQ(row->str("E23"), "34-049-000001");
    EXPECT_EQ(row->str("E24"), "2009");
    EXPECT_EQ(row->str("E25"), "KARTAL SPOR");
    EXPECT_EQ(row->str("E26"), "LİSE");
    EXPECT_EQ(row->str("E17"), "ANKARA");
    EXPECT_EQ(row->str("E15"), "ERKEK");
    EXPECT_EQ(row->str("E18"), "BEKAR");
    EXPECT_EQ(row->date("M3"), QDate(1990, 4, 7));
    EXPECT_EQ(row->str("User"), "ADMIN, 05.03.2009, 14:05");
    EXPECT_EQ(row->toInt("Tip"), 1);
    EXPECT_EQ(row->toInt("A_S"), 1);
    EXPECT_EQ(row->str("E14"), "");
    EXPECT_EQ(row->str("Il"), "");
    EXPECT_TRUE(row->isNull("M1"));
    EXPECT_EQ(companionScalar("select sayi from C_SAYI").toInt(), 6);
    EXPECT_EQ(companionScalar("select Vergi_Numarasi from C_MUSTERI where Musteri_Key = 1").toString(), "1001");

    // The second save finds the row by the federation key and keeps its
    // key, register number, status and region.
    person.set("Ad_Soyad", "ALİ KAYA");
    person.set("E51", "İL HAKEMİ");
    person.set("M3", kBlankDate);
    ASSERT_TRUE(CompanionMirror::mirror(person, 7, "OPERATÖR", now.addDays(1)));
    EXPECT_EQ(companionScalar("select count(*) from C_MUSTERI").toInt(), 3);
    row = companionRow(7);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->toInt("Musteri_Key"), 6);
    EXPECT_EQ(row->str("Vergi_Numarasi"), "AB-1001");
    EXPECT_EQ(row->str("No"), "1001");
    EXPECT_EQ(row->toInt("Kullanici"), 4);
    EXPECT_EQ(row->str("Ad_Soyad"), "ALİ KAYA");
    EXPECT_EQ(row->str("E10"), "HAKEM");
    EXPECT_TRUE(row->isNull("M3"));
    EXPECT_EQ(row->str("User"), "OPERATÖR, 06.03.2009, 14:05");
    EXPECT_EQ(companionScalar("select sayi from C_SAYI").toInt(), 6);
}

TEST_F(CompanionMirrorTest, RegisterNumbersFollowTheCounterRow)
{
    makeCompanion("1041", true, "AB", "C");
    ASSERT_TRUE(CompanionMirror::mirror(person, 7, "ADMIN", now));
    ASSERT_TRUE(CompanionMirror::mirror(person, 8, "ADMIN", now));
    EXPECT_EQ(companionRow(7)->str("Vergi_Numarasi"), "ABC-1042");
    EXPECT_EQ(companionRow(8)->str("Vergi_Numarasi"), "ABC-1043");
    EXPECT_EQ(companionRow(8)->toInt("Musteri_Key"), 7);
}

TEST_F(CompanionMirrorTest, WithoutACounterRowEveryNumberIs1000AndWithoutAPrefixItStandsBare)
{
    makeCompanion("", false, "", "");
    ASSERT_TRUE(CompanionMirror::mirror(person, 7, "ADMIN", now));
    ASSERT_TRUE(CompanionMirror::mirror(person, 8, "ADMIN", now));
    EXPECT_EQ(companionRow(7)->str("Vergi_Numarasi"), "1000");
    EXPECT_EQ(companionRow(8)->str("Vergi_Numarasi"), "1000");
}

TEST_F(CompanionMirrorTest, ACompanionNotSetUpReceivesNothing)
{
    makeCompanion();
    {
        Database c;
        c.open(kCompanion);
        c.exec("delete * from C_UYEKULLANICI where Durum_Key > 1");
    }
    EXPECT_TRUE(CompanionMirror::mirror(person, 7, "ADMIN", now));
    EXPECT_FALSE(companionRow(7).has_value());
    EXPECT_EQ(companionScalar("select sayi from C_SAYI").toInt(), 5);
}

TEST_F(CompanionMirrorTest, ACounterThatIsNoNumberFailsAndChangesNothing)
{
    makeCompanion("A12");
    EXPECT_THROW(CompanionMirror::mirror(person, 7, "ADMIN", now), DbError);
    EXPECT_FALSE(companionRow(7).has_value());
    EXPECT_EQ(companionScalar("select sayi from C_SAYI").toInt(), 5);
}

struct AddressCase {
    const char* semt;
    const char* cadde;
    const char* mahalle;
    const char* no1;
    const char* expected;
};
class HomeAndWork : public ::testing::TestWithParam<AddressCase> {};

TEST_P(HomeAndWork, JoinsWhatIsThere)
{
    PersonValues v;
    v.set("Semt", QString::fromUtf8(GetParam().semt));
    v.set("Cadde", QString::fromUtf8(GetParam().cadde));
    v.set("Mahalle", QString::fromUtf8(GetParam().mahalle));
    v.set("No1", QString::fromUtf8(GetParam().no1));
    EXPECT_EQ(CompanionMirror::homeAndWorkAddress(v).toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Addresses, HomeAndWork,
                         ::testing::Values(AddressCase{"MODA", "KADIKÖY", "", "", "MODA KADIKÖY (EV)"},
                                           AddressCase{"", "", "LEVENT", "BEŞİKTAŞ", "LEVENT BEŞİKTAŞ (İŞ)"},
                                           AddressCase{"MODA", "", "", "ŞİŞLİ", "MODA  (EV),  ŞİŞLİ (İŞ)"},
                                           AddressCase{"", "", "", "", ""}));

struct RoleCase {
    const char* referee;
    const char* coach;
    const char* athlete;
    const char* title;
    const char* expected;
};
class Roles : public ::testing::TestWithParam<RoleCase> {};

TEST_P(Roles, RefereeThenCoachThenAthleteThenTitle)
{
    PersonValues v;
    v.set("E51", QString::fromUtf8(GetParam().referee));
    v.set("E52", QString::fromUtf8(GetParam().coach));
    v.set("E50", QString::fromUtf8(GetParam().athlete));
    v.set("E43", QString::fromUtf8(GetParam().title));
    EXPECT_EQ(CompanionMirror::roleText(v).toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, Roles,
                         ::testing::Values(RoleCase{"İL HAKEMİ", "", "SPORCU", "", "HAKEM"},
                                           RoleCase{"", "1.KADEME ANTRENÖR", "SPORCU", "", "ANTRENÖR"},
                                           RoleCase{"", "", "SPORCU", "İL TEMSİLCİSİ", "SPORCU"},
                                           RoleCase{"", "", "", "İL TEMSİLCİSİ", "İL TEMSİLCİSİ"}));

} // namespace
