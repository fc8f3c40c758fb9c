// The person search's filter builder: each criterion alone and combined,
// run on a small register, with every typed value bound.

#include "app/kit/DbConventions.h"
#include "registry/PersonSearch.h"
#include "support/TestSupport.h"

#include <QDate>

#include <functional>

namespace PersonSearchTestLocal {

class PersonSearchTest : public StationTest {
protected:
    void SetUp() override
    {
        StationTest::SetUp();
        person(1, {{"Ad_Soyad", "AHMET YILMAZ"}, {"Adi", "AHMET"}, {"Soyadi", "YILMAZ"}, {"E47", ""},
                   {"M1", QDate(2010, 3, 5)}, {"E16", "KARTAL SPOR"}, {"E53", "57 KG"}, {"E38", 56.5},
                   {"E15", "ERKEK"}, {"Vergi_Dairesi", "İSTANBUL"}, {"E50", "MİLLİ SPORCU"}, {"E25", "SİYAH KUŞAK"},
                   {"Stil", "KICK"}, {"Kullanici", 2}, {"Tip", 1}, {"E63", "a@b.com"}, {"E62", "0532 123 45 67"},
                   {"E68", 2024}, {"E67", 2023}, {"E39", "A RH+"}, {"E70", "ÖĞRETMEN"}, {"E42", "12345678901"}});
        person(2, {{"Ad_Soyad", "AHMET"}, {"E47", ""}, {"M1", QDate(2012, 1, 1)}, {"E16", "ANKARA GÜCÜ"},
                   {"E54", "57 KG"}, {"E38", 60.0}, {"E15", "ERKEK"}, {"Vergi_Dairesi", "ANKARA"},
                   {"E51", "ULUSAL HAKEM"}, {"Kullanici", 0}, {"Tip", 0}, {"Telefonlar", "312 444 55 66"},
                   {"E77", 2024}, {"M9", QDate(2011, 2, 2)}, {"Stiller", "MAVİ KUŞAK(KICK), SARI KUŞAK(LOW)"}});
        person(3, {{"Ad_Soyad", "AYŞE KAYA"}, {"E47", "AHMET"}, {"M1", QDate(2050, 1, 1)}, {"E16", "KARTAL SPOR"},
                   {"E38", 52.0}, {"E15", "BAYAN"}, {"E52", "ANTRENÖR"}, {"Kullanici", 1}, {"Tip", 1},
                   {"Telefonlar", "5551112233"}, {"E81", 2022}, {"E43", "BAŞKAN"}});
        person(4, {{"Ad_Soyad", "O'NEIL %100 SPOR"}, {"E47", ""}, {"Tip", 1}, {"Klup_Yetkilisi", "BAŞKAN"},
                   {"E69", 2021}, {"E80", 2019}});
        person(5, {{"Ad_Soyad", "X100 SPOR"}, {"Tip", 1}, {"E74", "VAR"}});
        db.insert("F_KUSAK", {{"Kus_Key", 1}, {"Musteri_Key", 1}, {"KarNo", "007"}});
        db.insert("F_ANT", {{"Ant_Key", 2}, {"Musteri_Key", 3}, {"KarNo", "7"}});
        db.insert("F_HAKEM", {{"Hak_Key", 3}, {"Musteri_Key", 2}, {"KarNo", "77"}});
    }

    void person(int key, QVariantMap fields)
    {
        fields.insert("Musteri_Key", key);
        fields.insert("Vergi_Numarasi", QString("%1").arg(key, 7, 10, QChar('0')));
        db.insert("C_MUSTERI", fields);
    }

    // The keys the criteria find, in key order.
    QList<int> found(const PersonSearch::Criteria& c)
    {
        const PersonSearch::Condition w = PersonSearch::build(db, c);
        QList<int> keys;
        for (const Record& r : db.select("select Musteri_Key from C_MUSTERI" + w.where + " order by Musteri_Key",
                                         w.params))
            keys << r.toInt("Musteri_Key");
        return keys;
    }
};

struct PersonSearchCase {
    const char* what;
    std::function<void(PersonSearch::Criteria&)> set;
    QList<int> keys;
};

TEST_F(PersonSearchTest, EachCriterionAloneFindsItsPersons)
{
    using C = PersonSearch::Criteria;
    const QList<PersonSearchCase> cases = {
        {"whole name matches the maiden name too", [](C& c) { c.name = "AHMET"; }, {2, 3}},
        {"part of a one-word name", [](C& c) { c.name = "AHMET"; c.nameContains = true; }, {1, 2, 3}},
        {"part of a two-word name ignores the maiden name",
         [](C& c) { c.name = "AHMET YIL"; c.nameContains = true; }, {1}},
        {"whole two-word name", [](C& c) { c.name = "AHMET YILMAZ"; }, {1}},
        {"first name", [](C& c) { c.firstName = "AHMET"; }, {1}},
        {"surname", [](C& c) { c.lastName = "YILMAZ"; }, {1}},
        {"changed from", [](C& c) { c.changedFrom = QDate(2012, 1, 1); }, {2, 3}},
        {"changed up to", [](C& c) { c.changedTo = QDate(2012, 1, 1); }, {1, 2}},
        {"club", [](C& c) { c.club = "KARTAL SPOR"; }, {1, 3}},
        {"category in any of three columns", [](C& c) { c.category = "57 KG"; }, {1, 2}},
        {"weight at most", [](C& c) { c.weightMax = 56.5; }, {1, 3}},
        {"weight at least", [](C& c) { c.weightMin = 56.5; }, {1, 2}},
        {"gender", [](C& c) { c.gender = "BAYAN"; }, {3}},
        {"register number", [](C& c) { c.registerNumber = PersonSearch::padRegisterNumber("2"); }, {2}},
        {"region", [](C& c) { c.region = "İSTANBUL"; }, {1}},
        {"activity athlete", [](C& c) { c.activity = "SPORCU"; }, {1}},
        {"activity referee", [](C& c) { c.activity = "HAKEM"; }, {2}},
        {"activity coach", [](C& c) { c.activity = "ANTRENÖR"; }, {3}},
        {"activity other", [](C& c) { c.activity = "DİĞER"; }, {3}},
        {"athlete status", [](C& c) { c.athleteTitle = "MİLLİ SPORCU"; }, {1}},
        {"other status or club official", [](C& c) { c.otherTitle = "BAŞKAN"; }, {3, 4}},
        {"belt in E25 or the belt list", [](C& c) { c.belt = "MAVİ KUŞAK"; }, {2}},
        {"belt with style", [](C& c) { c.belt = "SARI KUŞAK"; c.style = "LOW"; }, {2}},
        {"belt with another style", [](C& c) { c.belt = "SARI KUŞAK"; c.style = "KICK"; }, {}},
        {"style alone", [](C& c) { c.style = "KICK"; }, {1, 2}},
        {"competing", [](C& c) { c.participation = "YARIŞACAK"; }, {1, 3}},
        {"not competing", [](C& c) { c.participation = "YARIŞMAYACAK"; }, {2}},
        {"active", [](C& c) { c.active = "FAAL"; }, {1, 3, 4, 5}},
        {"not active", [](C& c) { c.active = "FAAL DEĞİL"; }, {2}},
        {"e-mail", [](C& c) { c.email = "KAYDI OLANLAR"; }, {1}},
        {"professional referee", [](C& c) { c.profReferee = "VAR"; }, {2, 5}},
        {"no professional referee", [](C& c) { c.profReferee = "YOK"; }, {1, 3, 4}},
        {"mobile number", [](C& c) { c.mobile = "KAYDI OLANLAR"; }, {1, 3}},
        {"referee visa in any of three years", [](C& c) { c.refereeVisa = 2024; }, {1, 2}},
        {"coach visa", [](C& c) { c.coachVisa = 2019; }, {4}},
        {"regional referee visa", [](C& c) { c.regionalRefereeVisa = 2022; }, {3}},
        {"athlete visa", [](C& c) { c.athleteVisa = 2023; }, {1}},
        {"telephone part", [](C& c) { c.phone = "444"; }, {2}},
        {"blood group part", [](C& c) { c.bloodGroup = "RH+"; }, {1}},
        {"profession part", [](C& c) { c.profession = "ĞRET"; }, {1}},
        {"identity number", [](C& c) { c.identityNumber = "12345678901"; }, {1}},
        {"certificate number with its zero forms", [](C& c) { c.certificateNumber = "7"; }, {1, 3}},
        {"certificate number of two digits", [](C& c) { c.certificateNumber = "77"; }, {2}},
        {"certificate number found nowhere", [](C& c) { c.certificateNumber = "99"; }, {}},
        {"name with an apostrophe", [](C& c) { c.name = "O'NEIL %100 SPOR"; }, {4}},
        {"percent sign matches itself", [](C& c) { c.name = "%100"; c.nameContains = true; }, {4}},
        {"underscore matches itself", [](C& c) { c.name = "X_00"; c.nameContains = true; }, {}},
    };
    for (const PersonSearchCase& t : cases) {
        PersonSearch::Criteria c;
        t.set(c);
        EXPECT_EQ(found(c), t.keys) << t.what;
    }
}

TEST_F(PersonSearchTest, CriteriaCombineWithAndInTheScreensOrder)
{
    PersonSearch::Criteria c;
    c.club = "KARTAL SPOR";
    c.gender = "ERKEK";
    c.weightMin = 50;
    const PersonSearch::Condition w = PersonSearch::build(db, c);
    EXPECT_EQ(w.where, " where E16 = :ps1 and E38 >= :ps2 and E15 = :ps3");
    EXPECT_TRUE(w.hasWhere);
    EXPECT_EQ(w.params.value("ps1").toString(), "KARTAL SPOR");
    EXPECT_EQ(found(c), QList<int>{1});

    PersonSearch::Criteria none;
    EXPECT_EQ(PersonSearch::build(db, none).where, "");
    EXPECT_FALSE(PersonSearch::build(db, none).hasWhere);
}

TEST_F(PersonSearchTest, TypedValuesNeverStandInTheStatement)
{
    PersonSearch::Criteria c;
    c.name = "X' or '1'='1";
    c.phone = "'; delete from C_MUSTERI; --";
    const PersonSearch::Condition w = PersonSearch::build(db, c);
    EXPECT_FALSE(w.where.contains("1'='1"));
    EXPECT_FALSE(w.where.contains("delete"));
    EXPECT_EQ(found(c), QList<int>{});
    EXPECT_EQ(db.scalar("select count(*) from C_MUSTERI").toInt(), 5);
}

TEST_F(PersonSearchTest, MobileConditionHoldsNoFixedNumber)
{
    EXPECT_EQ(PersonSearch::mobileCondition(),
              "(Telefonlar like '5%' or E62 like '5%' or Telefonlar like '05%' or E62 like '05%'"
              " or Telefonlar like '0 5%' or E62 like '0 5%')");
}

TEST_F(PersonSearchTest, StatusListModeCombinesEveryCollectedValueWithOr)
{
    PersonSearch::Criteria c;
    c.statusListMode = true;
    c.athleteTitle = "MİLLİ SPORCU";
    c.athleteTitles = {"MİLLİ SPORCU", "SPORCU"};
    c.refereeTitle = "ULUSAL HAKEM";
    c.refereeTitles = {"ULUSAL HAKEM"};
    c.club = "KARTAL SPOR";
    EXPECT_EQ(found(c), QList<int>{1});
    c.club.clear();
    EXPECT_EQ(found(c), (QList<int>{1, 2}));
    // A kind whose field is empty does not count, though its list holds values.
    c.refereeTitle.clear();
    EXPECT_EQ(found(c), QList<int>{1});
    // Other statuses look at the official's title too; belts take the style.
    PersonSearch::Criteria o;
    o.statusListMode = true;
    o.otherTitle = "BAŞKAN";
    o.otherTitles = {"BAŞKAN"};
    o.belt = "SARI KUŞAK";
    o.belts = {"SARI KUŞAK", "SİYAH KUŞAK"};
    EXPECT_EQ(found(o), (QList<int>{1, 2, 3, 4}));
    o.style = "LOW";
    EXPECT_EQ(found(o), (QList<int>{2, 3, 4}));
}

TEST_F(PersonSearchTest, RegisterNumberIsPaddedToSevenCharacters)
{
    EXPECT_EQ(PersonSearch::padRegisterNumber("12"), "0000012");
    EXPECT_EQ(PersonSearch::padRegisterNumber("1234567"), "1234567");
    EXPECT_EQ(PersonSearch::padRegisterNumber("123456789"), "123456789");
}

} // namespace PersonSearchTestLocal
