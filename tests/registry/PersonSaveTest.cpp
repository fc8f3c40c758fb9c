#include "app/kit/DbConventions.h"
#include "app/kit/Formats.h"
#include "registry/PersonSave.h"
#include "support/TestSupport.h"

#include <QDate>

namespace {

class PersonSaveTest : public StationTest {
protected:
    void SetUp() override
    {
        StationTest::SetUp();
        saved = Formats::decimalSeparator();
        Formats::setDecimalSeparator(',');
        clubKey = Counters::next(db, "sayik");
        db.insert("C_UYELIKSURESI", {{"Durum_Key", clubKey}, {"Durum", "KARTAL SPOR"}, {"E1", "İSTANBUL"}});
    }
    void TearDown() override
    {
        Formats::setDecimalSeparator(saved);
        StationTest::TearDown();
    }

    int keyOf(const QString& sql, const QString& name)
    {
        return db.scalar(sql, {{"n", name}}).toInt();
    }
    int beltKey(const QString& name) { return keyOf("select Kusak_Key from KUSAK where Kusak_Adi = :n", name); }
    int titleKey(const QString& name) { return keyOf("select Durum_Key from C_UYEKULLANICI where Durum = :n", name); }

    // A new athlete as the editor gives it after the checks.
    PersonSave newAthlete()
    {
        PersonSave s;
        PersonValues& v = s.values;
        v.set("Adi", "ALİ RIZA");
        v.set("Soyadi", "YILMAZ");
        v.set("Ad_Soyad", "ALİ RIZA YILMAZ");
        v.set("Vergi_Dairesi", "İSTANBUL");
        v.set("E50", "SPORCU");
        v.set("E15", "ERKEK");
        v.set("E53", "57 KG ERKEK BÜYÜKLER");
        v.set("E38", "56,5");
        v.set("E16", "KARTAL SPOR");
        v.set("E42", "10000000146");
        for (const QString& c : kPersonDateColumns)
            v.set(c, kBlankDate);
        v.set("M1", "01.03.2009");
        v.set("M2", "01.03.2009");
        v.set("M3", "7.4.1990");
        v.participation = 1;
        s.userName = "ADMIN";
        s.now = QDateTime(QDate(2009, 3, 5), QTime(14, 5, 9));
        return s;
    }

    Record person(int key)
    {
        const auto r = db.first("select * from C_MUSTERI where Musteri_Key = :k", {{"k", key}});
        EXPECT_TRUE(r.has_value());
        return r ? *r : Record();
    }
    int count(const QString& table) { return db.scalar("select count(*) from " + table).toInt(); }

    QChar saved;
    int clubKey = 0;
};

TEST_F(PersonSaveTest, TheFirstPersonGetsKeyOneAndRegisterNumberOne)
{
    PersonSave s = newAthlete();
    ASSERT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::Saved);
    EXPECT_EQ(s.personKey, 1);
    EXPECT_TRUE(s.wasNew);
    EXPECT_EQ(s.values.value("Vergi_Numarasi"), "0000001");
    EXPECT_EQ(Counters::current(db, "sayi_uye"), 1);
    EXPECT_EQ(db.scalar("select SonSicil from C_SAYI").toString(), "0000001");

    const Record r = person(1);
    EXPECT_EQ(r.str("Vergi_Numarasi"), "0000001");
    EXPECT_EQ(r.str("Adi"), "ALİ RIZA");
    EXPECT_EQ(r.str("Ad_Soyad"), "ALİ RIZA YILMAZ");
    EXPECT_EQ(r.str("E42"), "10000000146");
    EXPECT_DOUBLE_EQ(r.toDouble("E38"), 56.5);
    EXPECT_EQ(r.toInt("Kullanici"), 1);
    EXPECT_EQ(r.toInt("Tip"), 1);
    EXPECT_TRUE(r.isNull("Ferdi"));
    EXPECT_TRUE(r.isNull("E82"));
    // The change stamp: today and the signed-in user; the registration date
    // is the day the editor was opened.
    EXPECT_EQ(r.date("M1"), QDate(2009, 3, 5));
    EXPECT_EQ(r.date("M2"), QDate(2009, 3, 1));
    EXPECT_EQ(r.str("User"), "ADMIN, 05.03.2009");
    EXPECT_EQ(r.date("M3"), QDate(1990, 4, 7));
    EXPECT_EQ(s.values.value("M3"), "07.04.1990");
    // Blank dates stay empty, not a zero date.
    EXPECT_TRUE(r.isNull("M4"));
    EXPECT_TRUE(r.isNull("M8"));
    EXPECT_EQ(r.toInt("Client_Key"), clubKey);
    EXPECT_TRUE(r.isNull("E67"));
}

struct NumberCase {
    const char* last;
    const char* next;
};
class RegisterNumbers : public PersonSaveTest, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(RegisterNumbers, FollowTheLastNumberGiven)
{
    db.exec("update C_SAYI set SonSicil = :s", {{"s", GetParam().last}});
    PersonSave s = newAthlete();
    ASSERT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::Saved);
    EXPECT_EQ(s.values.value("Vergi_Numarasi").toStdString(), GetParam().next);
    EXPECT_EQ(person(s.personKey).str("Vergi_Numarasi").toStdString(), GetParam().next);
    EXPECT_EQ(db.scalar("select SonSicil from C_SAYI").toString().toStdString(), GetParam().next);
}

INSTANTIATE_TEST_SUITE_P(Numbers, RegisterNumbers,
                         ::testing::Values(NumberCase{"", "0000001"}, NumberCase{"0000041", "0000042"},
                                           NumberCase{"17", "0000018"}, NumberCase{"9999999", "10000000"}));

TEST_F(PersonSaveTest, ARegisterNumberThatCannotBeMadeStopsTheSaveBeforeAnyWrite)
{
    db.exec("update C_SAYI set SonSicil = 'A-17'");
    PersonSave s = newAthlete();
    s.values.set("E25", "1.DAN");
    EXPECT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::NoRegisterNumber);
    EXPECT_EQ(s.personKey, 0);
    EXPECT_EQ(count("C_MUSTERI"), 0);
    EXPECT_EQ(count("F_KUSAK"), 0);
    EXPECT_EQ(Counters::current(db, "sayi_uye"), 0);
    EXPECT_EQ(Counters::current(db, "Sayiu"), 0);
    EXPECT_EQ(db.scalar("select SonSicil from C_SAYI").toString(), "A-17");
    EXPECT_EQ(PersonWriter::kNoRegisterNumberMessage,
              std::string("En Son Verilen Sicil Numarası Sayısal Değer Olmadığından Otomatik Sicil Numarası "
                          "Verilemiyor ...!"));
}

TEST_F(PersonSaveTest, ANewPersonGetsTheFirstCareerRowsWithConsecutiveKeys)
{
    Counters::set(db, "Sayiu", 40);
    PersonSave s = newAthlete();
    PersonValues& v = s.values;
    v.set("E25", "1.DAN");
    v.set("E58", "ANKARA");
    v.set("M7", "10.06.2008");
    v.set("Stil", "KICK");
    v.set("E52", "1.KADEME ANTRENÖR");
    v.set("E56", "İZMİR");
    v.set("M5", kBlankDate);
    s.pendingBelt = {"K-12", "01.07.2008 / 77"};
    s.pendingCoachTitle = {"A-3", ""};
    const int region = db.scalar("select Durum_Key from C_UYELIKTURU where Durum = 'İSTANBUL'").toInt();
    s.pendingLicence = {"34-049-000001", QString::number(region), QString::number(clubKey), "02.02.2009",
                        "", "", "MENAJER", "İLK LİSANS"};
    ASSERT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::Saved);
    EXPECT_TRUE(s.firstRowsWritten);

    const auto belt = db.first("select * from F_KUSAK");
    ASSERT_TRUE(belt);
    EXPECT_EQ(belt->toInt("Kus_Key"), 41);
    EXPECT_EQ(belt->toInt("Musteri_Key"), s.personKey);
    EXPECT_EQ(belt->toInt("Kusak_Key"), beltKey("1.DAN"));
    EXPECT_EQ(belt->date("Tarih"), QDate(2008, 6, 10));
    EXPECT_EQ(belt->str("Yer"), "ANKARA");
    EXPECT_EQ(belt->str("Stil"), "KICK");
    EXPECT_EQ(belt->str("KarNo"), "K-12");
    EXPECT_EQ(belt->str("Dip_No_Tar"), "01.07.2008 / 77");

    const auto coach = db.first("select * from F_ANT");
    ASSERT_TRUE(coach);
    EXPECT_EQ(coach->toInt("Ant_Key"), 42);
    EXPECT_EQ(coach->toInt("Durum_Key"), titleKey("1.KADEME ANTRENÖR"));
    EXPECT_TRUE(coach->isNull("Tarih"));
    EXPECT_EQ(coach->str("Yer"), "İZMİR");
    EXPECT_EQ(coach->str("KarNo"), "A-3");
    EXPECT_EQ(count("F_HAKEM"), 0);

    const auto licence = db.first("select * from F_LNC");
    ASSERT_TRUE(licence);
    EXPECT_EQ(licence->toInt("Lnc_Key"), 43);
    EXPECT_EQ(licence->str("Lnc_No"), "34-049-000001");
    EXPECT_EQ(licence->toInt("Bolge_Key"), region);
    EXPECT_EQ(licence->toInt("Klup_Key"), clubKey);
    EXPECT_EQ(licence->date("L_Tarih"), QDate(2009, 2, 2));
    EXPECT_TRUE(licence->isNull("V_Tarih"));
    EXPECT_EQ(licence->str("Kategori"), "MENAJER");
    EXPECT_EQ(Counters::current(db, "Sayiu"), 43);

    // A new person's styles summary comes from the fields.
    EXPECT_EQ(person(s.personKey).str("Stiller"), "1.DAN(KICK)");
    EXPECT_EQ(s.values.value("Stiller"), "1.DAN(KICK)");
}

TEST_F(PersonSaveTest, AnIncompleteLicenceGivesNoLicenceRow)
{
    PersonSave s = newAthlete();
    s.pendingLicence = {"34-049-000001", "34", QString::number(clubKey), "", "", "", "", ""};
    ASSERT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::Saved);
    EXPECT_EQ(count("F_LNC"), 0);
    EXPECT_EQ(count("F_KUSAK"), 0);
}

TEST_F(PersonSaveTest, AnExistingPersonIsUpdatedWithoutNewRows)
{
    PersonSave s = newAthlete();
    s.values.set("E25", "SARI KUŞAK");
    ASSERT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::Saved);
    const int key = s.personKey;
    ASSERT_EQ(count("F_KUSAK"), 1);
    const int sayiu = Counters::current(db, "Sayiu");

    PersonSave again = newAthlete();
    again.personKey = key;
    again.values = s.values;
    again.values.set("Soyadi", "KAYA");
    again.values.set("Ad_Soyad", "ALİ RIZA KAYA");
    again.values.set("E16", "BİLİNMEYEN KULÜP");
    again.values.set("M2", "02.02.2002");  // the registration date is never rewritten
    again.values.inactive = true;
    again.values.individual = true;
    again.values.participation = 0;
    again.userName = "OPERATÖR";
    again.now = QDateTime(QDate(2010, 1, 2), QTime(9, 0));
    ASSERT_EQ(PersonWriter::KisiYaz(db, again), PersonWriter::Saved);
    EXPECT_FALSE(again.wasNew);
    EXPECT_EQ(again.personKey, key);

    EXPECT_EQ(count("C_MUSTERI"), 1);
    const Record r = person(key);
    EXPECT_EQ(r.str("Ad_Soyad"), "ALİ RIZA KAYA");
    EXPECT_EQ(r.str("Vergi_Numarasi"), "0000001");
    EXPECT_EQ(r.date("M2"), QDate(2009, 3, 1));
    EXPECT_EQ(r.date("M1"), QDate(2010, 1, 2));
    EXPECT_EQ(r.str("User"), "OPERATÖR, 02.01.2010");
    EXPECT_EQ(r.toInt("Tip"), 0);
    EXPECT_EQ(r.toInt("Ferdi"), 1);
    EXPECT_EQ(r.toInt("Kullanici"), 0);
    // A club name that matches no club leaves the key as it was.
    EXPECT_EQ(r.toInt("Client_Key"), clubKey);
    EXPECT_EQ(r.str("E16"), "BİLİNMEYEN KULÜP");
    // The first rows are written once.
    EXPECT_EQ(count("F_KUSAK"), 1);
    EXPECT_EQ(Counters::current(db, "Sayiu"), sayiu);
    EXPECT_EQ(Counters::current(db, "sayi_uye"), 1);
}

TEST_F(PersonSaveTest, ANewPersonWithAnUnknownClubGetsClubOne)
{
    PersonSave s = newAthlete();
    s.values.set("E16", "kartal spor");  // the program compares names exactly
    ASSERT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::Saved);
    EXPECT_EQ(person(s.personKey).toInt("Client_Key"), 1);
}

TEST_F(PersonSaveTest, AnEmptyRegistrationDateFieldEmptiesTheColumnOfAnExistingPerson)
{
    PersonSave s = newAthlete();
    ASSERT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::Saved);
    s.values.set("M2", kBlankDate);
    s.values.set("M3", kBlankDate);
    ASSERT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::Saved);
    EXPECT_TRUE(person(s.personKey).isNull("M2"));
    EXPECT_TRUE(person(s.personKey).isNull("M3"));
}

TEST_F(PersonSaveTest, ChangingTheStyleGoesToTheMatchingBeltRowAndTheSummary)
{
    db.insert("STIL", {{"Stil_Key", 1}, {"Stil", "KICK"}});
    db.insert("STIL", {{"Stil_Key", 2}, {"Stil", "FULL"}});
    PersonSave s = newAthlete();
    s.values.set("E25", "SARI KUŞAK");
    s.values.set("E58", "ANKARA");
    s.values.set("M7", "01.01.2007");
    s.values.set("Stil", "KICK");
    ASSERT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::Saved);
    const int key = s.personKey;
    // Two more belt rows: a higher belt in KICK, the same belt elsewhere.
    db.insert("F_KUSAK", {{"Kus_Key", 90}, {"Musteri_Key", key}, {"Kusak_Key", beltKey("YEŞİL KUŞAK")}, {"Stil", "KICK"}});
    db.insert("F_KUSAK", {{"Kus_Key", 91}, {"Musteri_Key", key}, {"Kusak_Key", beltKey("SARI KUŞAK")}, {"Yer", "İZMİR"},
                          {"Tarih", QDate(2007, 1, 1)}, {"Stil", ""}});

    s.values.set("Stil", "FULL");
    s.styleChanged = true;
    ASSERT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::Saved);
    EXPECT_FALSE(s.styleChanged);
    // Only the row of the same belt, place and date takes the style.
    EXPECT_EQ(db.scalar("select Stil from F_KUSAK where Yer = 'ANKARA'").toString(), "FULL");
    EXPECT_EQ(db.scalar("select Stil from F_KUSAK where Kus_Key = 91").toString(), "");
    EXPECT_EQ(person(key).str("Stiller"), "SARI KUŞAK(FULL),YEŞİL KUŞAK(KICK)");
    EXPECT_EQ(person(key).str("Stil"), "FULL");
}

TEST_F(PersonSaveTest, StylesSummaryTakesTheHighestBeltOfEachStyle)
{
    const int key = 7;
    db.insert("F_KUSAK", {{"Kus_Key", 1}, {"Musteri_Key", key}, {"Kusak_Key", beltKey("SARI KUŞAK")}, {"Stil", "KICK"}});
    db.insert("F_KUSAK", {{"Kus_Key", 2}, {"Musteri_Key", key}, {"Kusak_Key", beltKey("MAVİ KUŞAK")}, {"Stil", "KICK"}});
    db.insert("F_KUSAK", {{"Kus_Key", 3}, {"Musteri_Key", key}, {"Kusak_Key", beltKey("BEYAZ KUŞAK")}, {"Stil", "FULL"}});
    db.insert("F_KUSAK", {{"Kus_Key", 4}, {"Musteri_Key", key}, {"Kusak_Key", beltKey("1.DAN")}, {"Stil", ""}});
    db.insert("F_KUSAK", {{"Kus_Key", 5}, {"Musteri_Key", key + 1}, {"Kusak_Key", beltKey("1.DAN")}, {"Stil", "KICK"}});
    EXPECT_EQ(PersonWriter::stylesSummary(db, key), "BEYAZ KUŞAK(FULL),MAVİ KUŞAK(KICK)");
    EXPECT_EQ(PersonWriter::stylesSummary(db, 99), "");
}

TEST_F(PersonSaveTest, BatchModeAddsABeltRowEachTimeAndOneGymRowPerGym)
{
    PersonSave s = newAthlete();
    s.batchMode = true;
    s.values.set("E25", "MAV");          // the first belt whose name begins with it
    s.values.set("E49", "KARTAL SPOR");
    s.values.set("E48", "AHMET HOCA");
    s.pendingBelt = {"X", "Y"};          // first rows are not written in batch mode
    ASSERT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::Saved);
    EXPECT_FALSE(s.firstRowsWritten);
    ASSERT_EQ(count("F_KUSAK"), 1);
    EXPECT_EQ(db.scalar("select Kusak_Key from F_KUSAK").toInt(), beltKey("MAVİ KUŞAK"));
    EXPECT_EQ(db.scalar("select KarNo from F_KUSAK").toString(), "");

    s.values.set("E48", "MEHMET HOCA");
    ASSERT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::Saved);
    ASSERT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::Saved);
    EXPECT_EQ(count("F_KUSAK"), 3);
    ASSERT_EQ(count("F_GOR"), 1);
    EXPECT_EQ(db.scalar("select Antrenor from F_GOR").toString(), "MEHMET HOCA");

    s.values.set("E49", "DOĞAN SPOR");
    ASSERT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::Saved);
    EXPECT_EQ(count("F_GOR"), 2);
}

TEST_F(PersonSaveTest, TypedTextWithApostrophesIsStoredAsTyped)
{
    db.insert("C_UYELIKSURESI", {{"Durum_Key", 77}, {"Durum", "O'NEIL SPOR"}});
    PersonSave s = newAthlete();
    s.values.set("Adi", "D'ARTAGNAN");
    s.values.set("Ad_Soyad", "D'ARTAGNAN YILMAZ");
    s.values.set("E16", "O'NEIL SPOR");
    s.values.set("E25", "SARI KUŞAK");
    s.values.set("E58", "L'AQUILA");
    s.values.set("Stil", "K'1");
    ASSERT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::Saved);
    s.styleChanged = true;
    ASSERT_EQ(PersonWriter::KisiYaz(db, s), PersonWriter::Saved);
    const Record r = person(s.personKey);
    EXPECT_EQ(r.str("Adi"), "D'ARTAGNAN");
    EXPECT_EQ(r.toInt("Client_Key"), 77);
    EXPECT_EQ(r.str("Stiller"), "SARI KUŞAK(K'1)");
    EXPECT_EQ(db.scalar("select Yer from F_KUSAK").toString(), "L'AQUILA");
}

TEST_F(PersonSaveTest, AFailingStepLeavesNothingHalfWritten)
{
    db.exec("drop table F_ANT");
    PersonSave s = newAthlete();
    s.values.set("E25", "SARI KUŞAK");
    s.values.set("E52", "1.KADEME ANTRENÖR");
    EXPECT_THROW(PersonWriter::KisiYaz(db, s), DbError);
    EXPECT_EQ(s.personKey, 0);
    EXPECT_EQ(count("C_MUSTERI"), 0);
    EXPECT_EQ(count("F_KUSAK"), 0);
    EXPECT_EQ(Counters::current(db, "sayi_uye"), 0);
    EXPECT_EQ(db.scalar("select SonSicil from C_SAYI").toString(), "0000000");
}

} // namespace
