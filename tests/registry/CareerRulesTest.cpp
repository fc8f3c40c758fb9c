#include "registry/CareerRules.h"
#include "registry/PersonChecks.h"
#include "support/TestSupport.h"

namespace {

// A licence row: number and the three dates ("" for none).
Record licence(const QString& number, const QString& licenceDate, const QString& visaDate = QString(),
               const QString& transferDate = QString())
{
    auto date = [](const QString& d) {
        return d.isEmpty() ? QVariant(QMetaType(QMetaType::QDate)) : QVariant(QDate::fromString(d, "dd.MM.yyyy"));
    };
    return Record({"Lnc_No", "L_Tarih", "V_Tarih", "T_Tarih"},
                  {number, date(licenceDate), date(visaDate), date(transferDate)});
}

struct LicenceCase {
    const char* name;
    Records rows;
    QString shown;  // the visa year in the editor before
    LicenceSummary expected;
};

class SonLisansTable : public ::testing::TestWithParam<LicenceCase> {};

TEST_P(SonLisansTable, SummarisesTheLicenceRows)
{
    const LicenceCase& c = GetParam();
    const LicenceSummary s = SonLisans(c.rows, c.shown);
    EXPECT_EQ(s.licenceNumber, c.expected.licenceNumber);
    EXPECT_EQ(s.visaYear, c.expected.visaYear);
    EXPECT_EQ(s.visaYears, c.expected.visaYears);
}

INSTANTIATE_TEST_SUITE_P(
    Licences, SonLisansTable,
    ::testing::Values(
        LicenceCase{"NoRowsEmptiesAllThree", {}, "2007", {"", "", ""}},
        LicenceCase{"ThreeVisasGiveTheListAndTheLastYear",
                    {licence("34-049-000001", "01.01.2008", "05.01.2008"),
                     licence("34-049-000001", "01.01.2008", "05.01.2009"),
                     licence("34-049-000002", "01.01.2010", "05.01.2010")},
                    "",
                    {"34-049-000002", "2010", "2008,2009,2010"}},
        LicenceCase{"ATransferYearWhenTheLastRowHasNoVisa",
                    {licence("A", "01.01.2008", "05.01.2008"), licence("B", "01.01.2009", "", "12.06.2011")},
                    "",
                    {"B", "2011", "2008"}},
        LicenceCase{"TheLicenceYearWhenThatIsAllTheLastRowHas",
                    {licence("A", "01.01.2008", "05.01.2008"), licence("B", "01.07.2012")},
                    "2008",
                    {"B", "2012", "2008"}},
        LicenceCase{"ALastRowNumberedSerbestKeepsTheShownYear",
                    {licence("A", "01.01.2008", "05.01.2008"), licence("SERBEST", "01.01.2010", "05.01.2010")},
                    "1999",
                    {"SERBEST", "1999", "2008,2010"}},
        LicenceCase{"ALastRowWithoutAnyDateEmptiesTheYear",
                    {licence("A", "01.01.2008", "05.01.2008"), licence("B", "")},
                    "2008",
                    {"B", "", "2008"}},
        LicenceCase{"RowsWithoutVisaAreLeftOutOfTheList",
                    {licence("A", "01.01.2005"), licence("B", "01.01.2006", "02.02.2006"), licence("C", "01.01.2007")},
                    "",
                    {"C", "2007", "2006"}}),
    [](const ::testing::TestParamInfo<LicenceCase>& i) { return std::string(i.param.name); });

struct ShiftCase {
    const char* name;
    VisaYears before;
    QString entered;
    VisaYears after;
};

class VisaYearShift : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(VisaYearShift, MovesTheYearsAlongOnlyForANewYear)
{
    EXPECT_EQ(shiftVisaYears(GetParam().before, GetParam().entered), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, VisaYearShift,
    ::testing::Values(ShiftCase{"ANewYearMovesThemAndDropsTheOldest", {"2008", "2007", "2006"}, "2009",
                                {"2009", "2008", "2007"}},
                      ShiftCase{"TheSameYearChangesNothing", {"2008", "2007", "2006"}, "2008",
                                {"2008", "2007", "2006"}},
                      ShiftCase{"AnEmptyYearChangesNothing", {"2008", "2007", ""}, "", {"2008", "2007", ""}},
                      ShiftCase{"TheFirstYearOfAll", {"", "", ""}, "2009", {"2009", "", ""}},
                      ShiftCase{"AnOlderYearAlsoBecomesTheFirst", {"2008", "", ""}, "2005", {"2005", "2008", ""}}),
    [](const ::testing::TestParamInfo<ShiftCase>& i) { return std::string(i.param.name); });

struct VisaYearCase {
    const char* text;
    bool taken;
};

class VisaYearRule : public ::testing::TestWithParam<VisaYearCase> {};

TEST_P(VisaYearRule, OneRuleForTheDialogAndTheSave)
{
    EXPECT_EQ(isVisaYear(GetParam().text), GetParam().taken) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Years, VisaYearRule,
                         ::testing::Values(VisaYearCase{"1900", true}, VisaYearCase{"2009", true},
                                           VisaYearCase{"2100", true}, VisaYearCase{"1899", false},
                                           VisaYearCase{"2101", false}, VisaYearCase{"20a0", false},
                                           VisaYearCase{"09", false}, VisaYearCase{"2009-2010", false},
                                           VisaYearCase{"2009/2010", false}, VisaYearCase{" 200", false},
                                           VisaYearCase{"+200", false}, VisaYearCase{"", false}));

Record achievement(int activity, const QString& text)
{
    return Record({"Turnuva_Key", "Gorev"}, {activity, text});
}

TEST(CareerRules, ThePenaltyStatusIsTheFirstPenaltyOfTheNewestFirstRows)
{
    EXPECT_EQ(penaltyStatus({}), "");
    EXPECT_EQ(penaltyStatus({achievement(5, "HAKEM OLARAK GÖREV YAPMIŞTIR.")}), "");
    EXPECT_EQ(penaltyStatus({achievement(5, "BİRİNCİ"), achievement(1, "1 YIL MEN"), achievement(1, "UYARI")}),
              "1 YIL MEN");
}

TEST(CareerRules, TheGymAndCoachComeFromTheNewestRow)
{
    const Records rows = {Record({"Gorev", "Antrenor"}, {"KARTAL SPOR", "AHMET"}),
                          Record({"Gorev", "Antrenor"}, {"ESKİ SALON", "MEHMET"})};
    EXPECT_EQ(latestGym(rows).gym, "KARTAL SPOR");
    EXPECT_EQ(latestGym(rows).coach, "AHMET");
    EXPECT_EQ(latestGym({}).gym, "");
    EXPECT_EQ(latestGym({}).coach, "");
}

TEST(CareerRules, TheSeminarDateIsTheLastRowsEndDate)
{
    const Records rows = {Record({"Tarih"}, {QDate(2004, 1, 1)}), Record({"Tarih"}, {QDate(2009, 2, 1)})};
    EXPECT_EQ(latestSeminarDate(rows), "01.02.2009");
    EXPECT_EQ(latestSeminarDate({}), "");
}

class TitleHeldTest : public StationTest {};

TEST_F(TitleHeldTest, AnotherRowOfThePersonWithTheTitleCounts)
{
    db.insert("F_ANT", {{"Ant_Key", 3}, {"Musteri_Key", 7}, {"Durum_Key", 105}});
    db.insert("F_HAKEM", {{"Hak_Key", 4}, {"Musteri_Key", 7}, {"Durum_Key", 102}});
    EXPECT_TRUE(titleHeld(db, true, 7, 105));              // a row not yet stored
    EXPECT_FALSE(titleHeld(db, true, 7, 105, 3));          // the row itself
    EXPECT_TRUE(titleHeld(db, true, 7, 105, 9));           // another row changed to it
    EXPECT_FALSE(titleHeld(db, true, 8, 105));             // another person
    EXPECT_FALSE(titleHeld(db, true, 7, 102));             // a referee title is no coach title
    EXPECT_TRUE(titleHeld(db, false, 7, 102));
}

} // namespace
