#include "registry/MusteriGiris2.h"
#include "registry/PersonChecks.h"

#include <gtest/gtest.h>

namespace {

struct IdentityCase {
    const char* number;
    bool valid;
    const char* why;
};

class IdentityNumbers : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(IdentityNumbers, CheckDigitsDecide)
{
    const IdentityCase& c = GetParam();
    EXPECT_EQ(TCKimlikDogrula(QString::fromUtf8(c.number)), c.valid) << c.why;
    // The editor's method answers the same without a window.
    EXPECT_EQ(TMusteriGiris2::TCKimlikDogrula(QString::fromUtf8(c.number)), c.valid) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, IdentityNumbers,
    ::testing::Values(
        IdentityCase{"10000000146", true, "plain valid number"},
        // 7 x 1 - 36 = -29: the tenth digit is the non-negative remainder 1.
        IdentityCase{"19090909018", true, "negative difference"},
        IdentityCase{"12345678950", true, "valid number with every digit in use"},
        IdentityCase{"10000000156", false, "wrong tenth digit"},
        IdentityCase{"10000000147", false, "wrong eleventh digit"},
        IdentityCase{"19090909096", false, "check digits made with the remainder 9 of -29"},
        IdentityCase{"00000000000", false, "first digit 0, check digits right"},
        IdentityCase{"01000000090", false, "first digit 0, check digits right"},
        IdentityCase{"1000000014A", false, "a letter"},
        IdentityCase{"10000 00146", false, "a blank"},
        IdentityCase{"+1000000146", false, "a sign"},
        IdentityCase{"1000000014", false, "ten digits"},
        IdentityCase{"100000001460", false, "twelve digits"},
        IdentityCase{"", false, "empty"},
        IdentityCase{"１0000000146", false, "a digit of another script"}));

TEST(IdentityNumber, ChangingAnySingleDigitOfAValidNumberMakesItInvalid)
{
    const QString valid = "12345678950";
    ASSERT_TRUE(TCKimlikDogrula(valid));
    for (int i = 0; i < valid.size(); ++i) {
        for (char d = '0'; d <= '9'; ++d) {
            if (valid[i] == QChar(d))
                continue;
            QString changed = valid;
            changed[i] = QChar(d);
            EXPECT_FALSE(TCKimlikDogrula(changed)) << changed.toStdString();
        }
    }
}

} // namespace
