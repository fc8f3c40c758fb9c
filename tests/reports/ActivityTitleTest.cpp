// The period and the two-line title of an activity.
#include "reports/ActivityTitle.h"

#include <gtest/gtest.h>

namespace {

struct PeriodCase {
    QDate from, to;
    bool international;
    const char* period;
};

void PrintTo(const PeriodCase& c, std::ostream* os)
{
    *os << c.period;
}

class Period : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(Period, NamesTheDaysMonthsAndYears)
{
    const PeriodCase& c = GetParam();
    EXPECT_EQ(ActivityTitle::period(c.from, c.to, c.international).toStdString(), c.period);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, Period,
    ::testing::Values(PeriodCase{{2010, 3, 12}, {2010, 3, 14}, false, "12 - 14 MART 2010"},
                      PeriodCase{{2010, 4, 30}, {2010, 5, 2}, false, "30 NİSAN  - 02 MAYIS 2010"},
                      PeriodCase{{2010, 4, 30}, {2010, 5, 2}, true, "30 APRIL  - 02 MAY 2010"},
                      PeriodCase{{2010, 2, 27}, {2010, 9, 1}, false, "27 ŞUBAT  - 01 EYLÜL 2010"},
                      // Over a year's end each day keeps its year.
                      PeriodCase{{2010, 12, 28}, {2011, 1, 2}, false, "28 ARALIK 2010  - 02 OCAK 2011"},
                      PeriodCase{{2010, 12, 28}, {2011, 1, 2}, true, "28 DECEMBER 2010  - 02 JANUARY 2011"},
                      PeriodCase{{2010, 1, 15}, {2011, 1, 14}, false, "15 OCAK 2010  - 14 OCAK 2011"},
                      // A missing date takes the other one's place.
                      PeriodCase{{}, {2010, 6, 14}, false, "14 - 14 HAZİRAN 2010"},
                      PeriodCase{{2010, 10, 3}, {}, false, "03 - 03 EKİM 2010"},
                      PeriodCase{{}, {}, false, ""}));

TEST(ActivityTitle, ComposesNamePeriodAndPlace)
{
    EXPECT_EQ(ActivityTitle::compose("TÜRKİYE ŞAMPİYONASI", {2010, 12, 28}, {2011, 1, 2}, "ANKARA"),
              "TÜRKİYE ŞAMPİYONASI\n28 ARALIK 2010  - 02 OCAK 2011  ANKARA");
    const Record activity({"Adi", "Yer", "Tarih1", "Tarih2"}, {"KUPA", "İZMİR", "2010-11-05", "2010-11-07"});
    EXPECT_EQ(ActivityTitle::compose(activity), "KUPA\n05 - 07 KASIM 2010  İZMİR");
    EXPECT_EQ(ActivityTitle::compose(activity, true), "KUPA\n05 - 07 NOVEMBER 2010  İZMİR");
}

TEST(ActivityTitle, MonthNames)
{
    EXPECT_EQ(ActivityTitle::monthName(1), "OCAK");
    EXPECT_EQ(ActivityTitle::monthName(8), "AĞUSTOS");
    EXPECT_EQ(ActivityTitle::monthName(12, true), "DECEMBER");
    EXPECT_EQ(ActivityTitle::monthName(0), "");
    EXPECT_EQ(ActivityTitle::monthName(13), "");
}

} // namespace
