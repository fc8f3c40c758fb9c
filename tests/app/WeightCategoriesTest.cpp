#include "app/kit/WeightCategories.h"
#include "support/TestSupport.h"

namespace {

struct WeightCategoriesNameCase {
    const char* weight;
    const char* unit;
    const char* gender;
    const char* categoryName;
    const char* name;
    bool tooLong;
};

class WeightCategoryName : public ::testing::TestWithParam<WeightCategoriesNameCase> {};

TEST_P(WeightCategoryName, IsThePartsJoinedBySingleSpaces)
{
    const WeightCategoriesNameCase& c = GetParam();
    const QString name = WeightCategories::composeName(QString::fromUtf8(c.weight), QString::fromUtf8(c.unit),
                                                       QString::fromUtf8(c.gender), QString::fromUtf8(c.categoryName));
    EXPECT_EQ(name.toStdString(), c.name);
    const QString refusal = WeightCategories::lengthRefusal(name);
    if (c.tooLong)
        EXPECT_EQ(refusal.toStdString(), std::string(c.name) + " Branş Adı çok uzun...!");
    else
        EXPECT_TRUE(refusal.isEmpty()) << refusal.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Names, WeightCategoryName,
    ::testing::Values(
        // The weight category screen: the unit word is normally "KİLO".
        WeightCategoriesNameCase{"48", "KİLO", "ERKEK", "BÜYÜKLER", "48 KİLO ERKEK BÜYÜKLER", false},
        WeightCategoriesNameCase{"52,5", "KİLO", "BAYAN", "GENÇLER", "52,5 KİLO BAYAN GENÇLER", false},
        WeightCategoriesNameCase{"+91", "KİLO", "ERKEK", "YILDIZLAR", "+91 KİLO ERKEK YILDIZLAR", false},
        // The bout entry: the unit "KG"; a weight typed as -57 stays as typed.
        WeightCategoriesNameCase{"57", "KG", "BAYAN", "MİNİKLER", "57 KG BAYAN MİNİKLER", false},
        WeightCategoriesNameCase{"-57", "KG", "ERKEK", "GENÇLER", "-57 KG ERKEK GENÇLER", false},
        // 40 characters fit, 41 do not (Turkish letters count as one each).
        WeightCategoriesNameCase{"48", "KİLO", "ERKEK", "ÜMİT GENÇLER ŞAMPİYONLUĞU", "48 KİLO ERKEK ÜMİT GENÇLER ŞAMPİYONLUĞU", false},
        WeightCategoriesNameCase{"100", "KİLO", "BAYAN", "ÜMİT GENÇLER ŞAMPİYONLUĞU", "100 KİLO BAYAN ÜMİT GENÇLER ŞAMPİYONLUĞU",
                 false},
        WeightCategoriesNameCase{"100", "KİLO", "BAYAN", "ÜMİT GENÇLER ŞAMPİYONLUĞUU", "100 KİLO BAYAN ÜMİT GENÇLER ŞAMPİYONLUĞUU",
                 true},
        WeightCategoriesNameCase{"100,5", "KİLO", "ERKEK", "ÜMİT GENÇLER ŞAMPİYONLUĞU", "100,5 KİLO ERKEK ÜMİT GENÇLER ŞAMPİYONLUĞU",
                 true}));

TEST(WeightCategoryHyphens, EachHyphenIsRefusedOnce)
{
    const QString message = "Lütfen '-' İşaterini Kullanmayınız ...!";
    EXPECT_TRUE(WeightCategories::hyphenRefusals("48 KİLO ERKEK BÜYÜKLER").isEmpty());
    EXPECT_EQ(WeightCategories::hyphenRefusals("-48 KİLO ERKEK BÜYÜKLER"), QStringList({message}));
    EXPECT_EQ(WeightCategories::hyphenRefusals("-48 KİLO ERKEK 19-40 YAŞ"), QStringList({message, message}));
}

struct BelongsCase {
    const char* weightCategory;
    const char* categoryName;
};

class CategoryNameOf : public ::testing::TestWithParam<BelongsCase> {};

TEST_P(CategoryNameOf, IsTheNameTheWeightCategoryEndsWith)
{
    // Category names in key order.
    const QStringList names = {"BÜYÜKLER", "GENÇLER", "ÜMİT GENÇLER", "YILDIZLAR", "MİNİKLER", "LER"};
    EXPECT_EQ(WeightCategories::categoryNameOf(QString::fromUtf8(GetParam().weightCategory), names).toStdString(),
              GetParam().categoryName);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CategoryNameOf,
    ::testing::Values(BelongsCase{"48 KİLO ERKEK BÜYÜKLER", "BÜYÜKLER"},
                      BelongsCase{"57 KG BAYAN MİNİKLER", "MİNİKLER"},
                      // The name it was made from, not a shorter name it also ends with.
                      BelongsCase{"60 KİLO ERKEK ÜMİT GENÇLER", "ÜMİT GENÇLER"},
                      BelongsCase{"60 KİLO ERKEK GENÇLER", "GENÇLER"},
                      // A whole word only: "...BÜYÜKLER" does not belong to "LER".
                      BelongsCase{"YILDIZLAR", "YILDIZLAR"},
                      // A name in the middle is not the category.
                      BelongsCase{"48 KİLO GENÇLER ERKEK", ""}, BelongsCase{"", ""}));

class CategoryNameFromDatabase : public StationTest {};

TEST_F(CategoryNameFromDatabase, ReadsTheOfferedCategoryNames)
{
    EXPECT_EQ(WeightCategories::categoryNameOf(db, "71 KİLO ERKEK YILDIZLAR"), "YILDIZLAR");
    // Key 2 ("-") is no category a weight category belongs to.
    EXPECT_EQ(WeightCategories::categoryNameOf(db, "71 KİLO ERKEK -"), "");
}

struct SemiContactCase {
    const char* name;
    bool semi;
};

class SemiContactName : public ::testing::TestWithParam<SemiContactCase> {};

TEST_P(SemiContactName, IsFoundInAnyCaseWithTurkishLettersFolded)
{
    EXPECT_EQ(WeightCategories::isSemiContact(QString::fromUtf8(GetParam().name)), GetParam().semi) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Names, SemiContactName,
                         ::testing::Values(SemiContactCase{"57 KİLO ERKEK SEMI CONTACT", true},
                                           SemiContactCase{"57 kilo erkek semi contact", true},
                                           SemiContactCase{"57 KİLO ERKEK SEMİ CONTACT", true},
                                           SemiContactCase{"57 KİLO ERKEK semı contact", true},
                                           SemiContactCase{"57 KİLO BAYAN Point Fighting", true},
                                           SemiContactCase{"57 KİLO BAYAN POİNT FİGHTİNG", true},
                                           SemiContactCase{"57 KİLO ERKEK FULL CONTACT", false},
                                           SemiContactCase{"57 KİLO ERKEK LOW KICK", false},
                                           SemiContactCase{"", false}));

} // namespace
