#include "app/kit/Formats.h"
#include "registry/PersonChecks.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

Record category(const QString& name, const QString& kind, double low, double high)
{
    return Record({"Durum", "E_B", "AltKilo", "UstKilo"}, {name, kind, low, high});
}

const QString k57 = QString::fromUtf8("57 KG ERKEK BÜYÜKLER");
const QString k60 = QString::fromUtf8("60 KG ERKEK BÜYÜKLER");
const QString k52 = QString::fromUtf8("52 KG BAYAN BÜYÜKLER");

// The lists and the prompts the checks talk through; what they were asked is
// recorded, and questions are answered from `answers` (no when empty).
class PersonChecks : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = Formats::decimalSeparator();
        Formats::setDecimalSeparator(',');
        lists.categories = {category(k52, "B", 48, 52), category(k57, "E", 54, 57), category(k60, "E", 57, 60)};
        lists.regions = {QString::fromUtf8("ANKARA"), QString::fromUtf8("İSTANBUL")};
        prompts.warning = [this](const QString& t) { warnings << t; };
        prompts.question = [this](const QString& t) {
            questions << t;
            if (answers.isEmpty())
                return false;
            return answers.takeFirst();
        };
        prompts.notice = [this](const QString& t) { notices << t; };
        person = athlete();
    }
    void TearDown() override { Formats::setDecimalSeparator(saved); }

    static PersonValues athlete()
    {
        PersonValues v;
        v.set("Adi", QString::fromUtf8("ALİ"));
        v.set("Soyadi", QString::fromUtf8("YILMAZ"));
        v.set("Vergi_Dairesi", QString::fromUtf8("İSTANBUL"));
        v.set("E50", "SPORCU");
        v.set("E15", "ERKEK");
        v.set("E53", k57);
        v.set("E38", "55");
        v.participation = 1;
        for (const QString& c : kPersonDateColumns)
            v.set(c, kBlankDate);
        v.set("M1", "05.03.2009");
        v.set("M2", "05.03.2009");
        return v;
    }

    std::optional<CheckFailure> run(bool batch = false) { return KayitKontrol(person, batch, lists, prompts); }

    QChar saved;
    CheckLists lists;
    CheckPrompts prompts;
    PersonValues person;
    QStringList warnings, questions, notices;
    QList<bool> answers;
};

TEST_F(PersonChecks, AValidAthletePasses)
{
    EXPECT_FALSE(run().has_value());
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_TRUE(notices.isEmpty());
}

// --- One case per check, in the order they run -----------------------------------

struct CheckCase {
    const char* name;
    std::function<void(PersonValues&)> change;
    int number;
    const char* message;
    CheckFailure::Kind kind;
    const char* focus;
};

std::string checkCaseName(const ::testing::TestParamInfo<CheckCase>& info)
{
    return info.param.name;
}

class EachCheck : public PersonChecks, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(EachCheck, StopsWithItsMessage)
{
    const CheckCase& c = GetParam();
    c.change(person);
    const auto f = run();
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->number, c.number);
    EXPECT_EQ(f->message.toStdString(), c.message);
    EXPECT_EQ(f->kind, c.kind);
    EXPECT_EQ(f->focus.toStdString(), c.focus);
}

using K = CheckFailure::Kind;
const char* const kVisa = "Hatalı Vize Yılı Girdiniz. Lütfen Vize Yılını 4 Hane Yıl Olarak Giriniz ...";
const char* const kSame = "Aynı Branş 2 Defa Seçilmiş. Lütfen Düzeltiniz ...!";

auto set(const char* column, const char* text)
{
    return [=](PersonValues& v) { v.set(column, QString::fromUtf8(text)); };
}

INSTANTIATE_TEST_SUITE_P(
    Order, EachCheck,
    ::testing::Values(
        CheckCase{"NameEmpty", set("Adi", ""), 1, "Adını Girmediniz ...!", K::ErrorBox, "Adi"},
        CheckCase{"NameASingleBlank", set("Adi", " "), 2, "Adını Hatalı Girdiniz. Başta Boşluk var ...!", K::Notice,
                  "Adi"},
        CheckCase{"NameLeadingBlank", set("Adi", " ALİ"), 2, "Adını Hatalı Girdiniz. Başta Boşluk var ...!",
                  K::Notice, "Adi"},
        CheckCase{"NameDoubleBlank", set("Adi", "ALİ  RIZA"), 3,
                  "Adını Hatalı Girdiniz. Ad İçerisinde Çift Boşluk Kullanılmış ...!", K::Notice, "Adi"},
        CheckCase{"NameTrailingBlank", set("Adi", "ALİ "), 4, "Adını Hatalı Girdiniz. Sonda Boşluk var ...!",
                  K::Notice, "Adi"},
        CheckCase{"LicenceVisaYearNotANumber", set("E67", "20a0"), 5, kVisa, K::Notice, "E67"},
        CheckCase{"RefereeVisaYear1Below1900", set("E68", "1899"), 6, kVisa, K::Notice, "E68"},
        CheckCase{"RefereeVisaYear2Above2100", set("E77", "2101"), 7, kVisa, K::Notice, "E77"},
        CheckCase{"RefereeVisaYear3TwoDigits", set("E78", "09"), 8, kVisa, K::Notice, "E78"},
        CheckCase{"CoachVisaYear2", set("E79", "x"), 9, kVisa, K::Notice, "E79"},
        CheckCase{"CoachVisaYear3", set("E80", "3000"), 10, kVisa, K::Notice, "E80"},
        CheckCase{"RegionalRefereeVisaYear", set("E81", "1000"), 11, kVisa, K::Notice, "E81"},
        CheckCase{"CoachVisaYear1ComesLast", set("E69", "20-9"), 12, kVisa, K::Notice, "E69"},
        CheckCase{"VisaYearsInTheirOrder",
                  [](PersonValues& v) {
                      v.set("E69", "1");
                      v.set("E81", "2");
                  },
                  11, kVisa, K::Notice, "E81"},
        CheckCase{"RegionEmpty", set("Vergi_Dairesi", ""), 13, "Bölgesini Seçmediniz ...!", K::ErrorBox,
                  "Vergi_Dairesi"},
        CheckCase{"NoRole", set("E50", ""), 14,
                  "Girmiş Olduğunuz Kişi ile İlgili; Unvan, Sporcu, Antrenör veya Hakem Kısımlarından en az Birini "
                  "Seçmeniz Gerekmektedir ...!",
                  K::ErrorBox, ""},
        CheckCase{"AthleteWithoutGender", set("E15", ""), 15, "Sporcunun Cinsiyetinin Girmeniz Gerekmektedir ...!",
                  K::ErrorBox, "E15"},
        CheckCase{"IdentityNumberLength", set("E42", "1234567890"), 16,
                  "T.C. Kimlik Numarasını 11 hane ve rakam olarak giriniz ...!", K::ErrorBox, ""},
        CheckCase{"IdentityNumberCheckDigits", set("E42", "10000000147"), 17, "T.C. Kimlik Numarasını Hatalı ...!",
                  K::ErrorBox, ""},
        CheckCase{"PassportOfFiveCharactersIsNoException",
                  [](PersonValues& v) {
                      v.set("E24", "U1234");
                      v.set("E42", "u1234");
                  },
                  16, "T.C. Kimlik Numarasını 11 hane ve rakam olarak giriniz ...!", K::ErrorBox, ""},
        CheckCase{"WeightWithAPoint", set("E38", "55.5"), 18,
                  "Hatalı Kilo Girdiniz. Lütfen Düzeltiniz ...!\n(Not: Ondalık ayıracında virgül kullanınız)",
                  K::ErrorBox, ""},
        CheckCase{"AthleteWithoutCategory", set("E53", ""), 19,
                  "Sporcunun Branşı/Kategorisini Girmeniz Gerekmektedir ...!", K::ErrorBox, "E53"},
        // Categories in the first and third field only: the order check comes
        // before any duplicate check.
        CheckCase{"CategoriesOutOfOrder",
                  [](PersonValues& v) {
                      v.set("E55", k57);
                      v.participation = 2;
                  },
                  20, "Diğer Branşları Sıralı Giriniz. (Branş 2'yi Branş 1'e Yazınız) ...!", K::ErrorBox, "E54"},
        CheckCase{"MainCategoryTwice", set("E54", "57 KG ERKEK BÜYÜKLER"), 21, kSame, K::ErrorBox, "E53"},
        CheckCase{"OtherCategoriesTwice",
                  [](PersonValues& v) {
                      v.set("E54", k60);
                      v.set("E55", k60);
                  },
                  22, kSame, K::ErrorBox, "E54"},
        CheckCase{"CategoryOfTheOtherGender", set("E53", "52 KG BAYAN BÜYÜKLER"), 24,
                  "ERKEK Sporcu 52 KG BAYAN BÜYÜKLER Branşında Yarışamaz. Lütfen Düzeltiniz ...!", K::ErrorBox,
                  "E53"},
        CheckCase{"SecondCategoryOfTheOtherGender",
                  [](PersonValues& v) {
                      v.set("E54", k52);
                      v.participation = 2;
                  },
                  24, "ERKEK Sporcu 52 KG BAYAN BÜYÜKLER Branşında Yarışamaz. Lütfen Düzeltiniz ...!", K::ErrorBox,
                  "E54"},
        CheckCase{"ParticipationAndCategoriesDiffer", [](PersonValues& v) { v.participation = 2; }, 25,
                  "Seçilen Branş Adeti ile Katılacağı Branş Sayısı Tutmamaktadır. Lütfen Düzeltiniz ...!", K::Notice,
                  ""},
        CheckCase{"CoachPlaceWithoutTitle", set("E56", "ANKARA"), 44,
                  "Antrenörlüğün Verildiği Yer ve Tarihi ile İlgili Bilgiler Girdiniz. Fakat Herhangi bir Antrenörlük "
                  "Pozisyonu Seçilmemiş Bulumaktadır.\nLütfen Kontrol Ediniz ...!",
                  K::Notice, "E52"},
        CheckCase{"CoachDateWithoutTitle", set("M5", "01.02.2003"), 44,
                  "Antrenörlüğün Verildiği Yer ve Tarihi ile İlgili Bilgiler Girdiniz. Fakat Herhangi bir Antrenörlük "
                  "Pozisyonu Seçilmemiş Bulumaktadır.\nLütfen Kontrol Ediniz ...!",
                  K::Notice, "E52"},
        CheckCase{"RefereePlaceWithoutTitle", set("E57", "İZMİR"), 45,
                  "Hakemliğin Verildiği Yer ve Tarihi ile İlgili Bilgiler Girdiniz. Fakat Herhangi bir Hakemlik "
                  "Pozisyonu Seçilmemiş Bulumaktadır.\nLütfen Kontrol Ediniz ...!",
                  K::Notice, "E51"},
        CheckCase{"BeltStyleWithoutBelt", set("Stil", "KICK"), 46,
                  "Kuşak ile ilgili bazı bilgiler girdiniz. Fakat herhangi bir Kuşak seçimi yapmadınız.\nLütfen kontrol "
                  "ediniz ...!",
                  K::Notice, "E25"},
        CheckCase{"BeltPlaceWithoutBelt", set("E58", "ANKARA"), 46,
                  "Kuşak ile ilgili bazı bilgiler girdiniz. Fakat herhangi bir Kuşak seçimi yapmadınız.\nLütfen kontrol "
                  "ediniz ...!",
                  K::Notice, "E25"},
        CheckCase{"RegionNotInTheList", set("Vergi_Dairesi", "İSTANBULL"), 47, "Lütfen Bölgesini Tekrar Seçiniz ...!",
                  K::Notice, ""},
        CheckCase{"RegionInOtherLetterCase", set("Vergi_Dairesi", "Ankara"), 47,
                  "Lütfen Bölgesini Tekrar Seçiniz ...!", K::Notice, ""},
        CheckCase{"FirstFailingCheckWins",
                  [](PersonValues& v) {
                      v.set("Vergi_Dairesi", "");
                      v.set("E67", "1");
                      v.set("E15", "");
                  },
                  5, kVisa, K::Notice, "E67"}),
    checkCaseName);

// --- Date fields: a valid date, then its range ------------------------------------

struct PersonDateCase {
    const char* column;
    const char* firstInRange;
    const char* lastInRange;
    const char* tooEarly;
    const char* notADate;
    const char* outOfRange;
    const char* focus;
};

class DateChecks : public PersonChecks, public ::testing::WithParamInterface<PersonDateCase> {
protected:
    int index() const { return int(kPersonDateColumns.indexOf(GetParam().column)); }
};

TEST_P(DateChecks, NotADateThenOutOfRange)
{
    const PersonDateCase& c = GetParam();
    const int first = 26 + 2 * index();

    person.set(c.column, "31.02.2009");
    auto f = run();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->number, first);
    EXPECT_EQ(f->message.toStdString(), c.notADate);
    EXPECT_EQ(f->kind, CheckFailure::ErrorBox);
    EXPECT_EQ(f->focus.toStdString(), c.focus);

    // A date typed only in part is not a date either.
    person.set(c.column, "05.03.    ");
    f = run();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->number, first);

    person.set(c.column, c.tooEarly);
    f = run();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->number, first + 1);
    EXPECT_EQ(f->message.toStdString(), c.outOfRange);
    EXPECT_EQ(f->kind, CheckFailure::Notice);

    person.set(c.column, "02.01.2099");
    f = run();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->number, first + 1);
}

TEST_P(DateChecks, BothEndsOfTheRangePass)
{
    const PersonDateCase& c = GetParam();
    if (QString(c.column) == "M5")
        person.set("E52", QString::fromUtf8("1.KADEME ANTRENÖR"));
    if (QString(c.column) == "M6")
        person.set("E51", QString::fromUtf8("İL HAKEMİ"));
    if (QString(c.column) == "M7")
        person.set("E25", "SİYAH");
    for (const char* d : {c.firstInRange, c.lastInRange}) {
        person.set(c.column, d);
        EXPECT_FALSE(run().has_value()) << c.column << " " << d;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DateChecks,
    ::testing::Values(
        PersonDateCase{"M1", "01.01.1950", "01.01.2050", "31.12.1949", "Hatalı Tarih ...!",
                 "Çok Büyük yada Çok Küçük Tarih ...!", ""},
        PersonDateCase{"M2", "01.01.1950", "01.01.2050", "31.12.1949", "Hatalı Tarih ...!",
                 "Çok Büyük yada Çok Küçük Tarih ...!", ""},
        PersonDateCase{"M3", "01.01.1890", "01.01.2099", "31.12.1889", "Doğum Tarihini Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
                 "Doğum Tarihini çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", ""},
        PersonDateCase{"M4", "01.01.1890", "01.01.2099", "31.12.1889",
                 "Verildiği Tarihi Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
                 "Verildiği Tarihi çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", ""},
        PersonDateCase{"M5", "01.01.1900", "01.01.2099", "31.12.1899",
                 "Antrenörlük Tarihini Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
                 "Antrenörlük Tarihini çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", ""},
        PersonDateCase{"M6", "01.01.1900", "01.01.2099", "31.12.1899",
                 "Hakemlik Tarihini Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
                 "Hakemlik Tarihini çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", ""},
        PersonDateCase{"M7", "01.01.1900", "01.01.2099", "31.12.1899", "Tarihi Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
                 "Tarihi çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", "M7"},
        PersonDateCase{"M8", "01.01.1900", "01.01.2099", "31.12.1899",
                 "Son Seminer Tarihini Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
                 "Son Seminer Tarihini çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", ""},
        PersonDateCase{"M9", "01.01.1900", "01.01.2099", "31.12.1899", "Tarihi Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
                 "Tarihi çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!", "M9"}));

// --- Edges and the steps between the checks ------------------------------------------

TEST_F(PersonChecks, VisaYearsAtTheEndsOfTheRangePass)
{
    person.set("E67", "1900");
    person.set("E68", "2100");
    EXPECT_FALSE(run().has_value());
}

TEST_F(PersonChecks, AnAthleteWithoutWeightGetsZeroEvenWhenALaterCheckFails)
{
    person.set("E38", "");
    person.set("E53", "");
    const auto f = run();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->number, 19);
    EXPECT_EQ(person.value("E38"), "0");
}

TEST_F(PersonChecks, APersonWhoIsNotAnAthleteKeepsAnEmptyWeight)
{
    person.set("E50", "");
    person.set("E43", QString::fromUtf8("İL TEMSİLCİSİ"));
    person.set("E38", "");
    person.participation = 0;
    EXPECT_FALSE(run().has_value());
    EXPECT_EQ(person.value("E38"), "");
}

TEST_F(PersonChecks, ACoachWithParticipationIsToldAndCorrected)
{
    person.set("E50", "");
    person.set("E52", QString::fromUtf8("1.KADEME ANTRENÖR"));
    person.participation = 2;
    EXPECT_FALSE(run().has_value());
    EXPECT_EQ(person.participation, 0);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_EQ(notices.first().toStdString(),
              "Bilgiler Kaydedilecektir. Ancak Kaydedilecek Olan Kişi SPORCU olmadığından Katılacağı Branş Sayısı "
              "\"YARIŞMAYACAK\" olarak düzeltilecektir ...!");
}

TEST_F(PersonChecks, BatchModeCorrectsParticipationWithoutTheNotice)
{
    person.set("E50", "");
    person.set("E51", QString::fromUtf8("İL HAKEMİ"));
    person.participation = 1;
    EXPECT_FALSE(run(true).has_value());
    EXPECT_EQ(person.participation, 0);
    EXPECT_TRUE(notices.isEmpty());
}

TEST_F(PersonChecks, BatchModeLeavesOutIdentityCategoryAndParticipationChecks)
{
    person.set("E42", "123");
    person.set("E53", k52);     // the other gender's category
    person.set("E38", "99");    // out of every limit
    person.participation = 3;   // one category only
    EXPECT_FALSE(run(true).has_value());
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_TRUE(questions.isEmpty());
    // Everything else still runs.
    person.set("Adi", "");
    const auto f = run(true);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->number, 1);
}

TEST_F(PersonChecks, APassportNumberMayStandForTheIdentityNumber)
{
    person.set("E24", "tr123456");
    person.set("E42", "TR123456");
    EXPECT_FALSE(run().has_value());
}

TEST_F(PersonChecks, CategoryNameThatOnlyBeginsAListedOneWarnsAndGoesOn)
{
    person.set("E53", "57 KG");
    person.set("E54", "60 KG ERKEK");
    person.set("E55", "99 KG");
    person.set("E38", "57");
    person.participation = 3;
    answers = {true};
    EXPECT_FALSE(run().has_value());
    EXPECT_EQ(warnings, QStringList({QString::fromUtf8("DİKKAT! Sporcu Branşında Uyuşmazlık Bulunmaktadır."),
                                     QString::fromUtf8("DİKKAT! Sporcu Branşında Uyuşmazlık Bulunmaktadır (Branş1)."),
                                     QString::fromUtf8("DİKKAT! Sporcu Branşında Uyuşmazlık Bulunmaktadır (Branş2).")}));
    // 57 lies within both categories found: no weight question.
    EXPECT_TRUE(questions.isEmpty());
}

struct WeightCase {
    const char* weight;
    bool asks;
};
class WeightLimits : public PersonChecks, public ::testing::WithParamInterface<WeightCase> {};

TEST_P(WeightLimits, BothLimitsBelongToTheCategory)
{
    person.set("E53", k60);
    person.set("E38", GetParam().weight);
    answers = {true};
    EXPECT_FALSE(run().has_value());
    EXPECT_EQ(questions.size(), GetParam().asks ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Weights, WeightLimits,
                         ::testing::Values(WeightCase{"60", false}, WeightCase{"57", false}, WeightCase{"58,5", false},
                                           WeightCase{"56,9", true}, WeightCase{"60,1", true}));

TEST_F(PersonChecks, AWeightOutsideTheLimitsAsksAndNoStopsSilently)
{
    person.set("E38", "70");
    const auto f = run();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->number, 24);
    EXPECT_EQ(f->kind, CheckFailure::Silent);
    EXPECT_EQ(f->focus, "");  // the focus stays for the main category
    EXPECT_EQ(questions, QStringList({QString::fromUtf8(
                             "Sporcunun Kilosu Branşın Kilo Limitleri Arasında Değildir.\nBilgiler Kaydedilsinmi ...?")}));
}

TEST_F(PersonChecks, TheWeightQuestionOfTheOtherCategoriesNamesThem)
{
    person.set("E38", "56");
    person.set("E54", k60);
    person.set("E55", QString::fromUtf8("52 KG BAYAN BÜYÜKLER"));
    person.set("E15", "BAYAN");
    lists.categories = {category(k52, "E/B", 48, 52), category(k57, "E/B", 54, 57), category(k60, "E/B", 57, 60)};
    person.participation = 3;
    answers = {true};
    auto f = run();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->focus, "E55");
    EXPECT_EQ(questions, QStringList({QString::fromUtf8("Sporcunun Kilosu Branş 1'in Kilo Limitleri Arasında "
                                                        "Değildir.\nBilgiler Kaydedilsinmi ...?"),
                                      QString::fromUtf8("Sporcunun Kilosu Branş 2'nin Kilo Limitleri Arasında "
                                                        "Değildir.\nBilgiler Kaydedilsinmi ...?")}));
}

TEST_F(PersonChecks, WeightAndCategoryAreNotCheckedForAPersonWhoIsNotAnAthlete)
{
    person.set("E50", "");
    person.set("E43", QString::fromUtf8("İL TEMSİLCİSİ"));
    person.set("E15", "");
    person.set("E53", "");
    person.participation = 0;
    EXPECT_FALSE(run().has_value());
}

} // namespace
