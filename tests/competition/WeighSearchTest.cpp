// The weigh-in screen's person search, its athlete list report and the
// quick registration with its licence number.
#include "competition/WeighInFixture.h"

#include "app/Main.h"
#include "app/kit/Session.h"
#include "competition/QuickRegistration.h"
#include "competition/WeighSearch.h"
#include "reports/Baslik1.h"
#include "reports/PrintMenu1A.h"
#include "support/Screenshot.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QProcess>

namespace WeighSearchTestLocal {

class WeighSearchTest : public WeighInTest {
protected:
    void SetUp() override
    {
        WeighInTest::SetUp();
        addPerson(1, "ALİ O'NEIL", {{"E38", 72.5}, {"E26", "06-049000123"}});
        addPerson(2, "CEM KAYA", {{"Kullanici", 0}, {"E53", kMen65}, {"Vergi_Dairesi", "İZMİR"}});
        addPerson(3, "DAVUT ALİOĞLU", {{"E54", kMen65}, {"E16", "İZMİR SPOR"}});
        addPerson(4, "HAKEM BEY", {{"E50", ""}});   // no athlete status: never found
    }
    QStringList found()
    {
        QStringList names;
        for (const Record& r : screen->DBGrid1->records())
            names << r.str("Ad_Soyad");
        return names;
    }
    void search() { click(screen->BitBtn1); }
};

struct SearchCase {
    const char* name;
    std::function<void(TMusteriGiris3*)> fill;
    QStringList expected;
};
class SearchFilters : public WeighSearchTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(SearchFilters, EachFieldAloneAndTogether)
{
    open();
    GetParam().fill(screen);
    search();
    EXPECT_EQ(found(), GetParam().expected);
    saveScreenshot(screen, "BRIVEX_WEIGHSEARCH_SCREENSHOT");
    EXPECT_EQ(screen->CountLabel->text(), QString("Kayıt Sayısı : %1").arg(GetParam().expected.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SearchFilters,
    ::testing::Values(
        SearchCase{"Nothing", [](TMusteriGiris3*) {}, {"ALİ O'NEIL", "CEM KAYA", "DAVUT ALİOĞLU"}},
        SearchCase{"NameWithApostrophe", [](TMusteriGiris3* s) { s->Edit4->setText("O'NEIL"); }, {"ALİ O'NEIL"}},
        SearchCase{"NamePart", [](TMusteriGiris3* s) { s->Edit4->setText("ALİ"); }, {"ALİ O'NEIL", "DAVUT ALİOĞLU"}},
        SearchCase{"ClassInAnySlot", [](TMusteriGiris3* s) { pick(s->DBLookupComboBox8, kMen65); },
                   {"CEM KAYA", "DAVUT ALİOĞLU"}},
        SearchCase{"Region", [](TMusteriGiris3* s) { pick(s->DBLookupComboBox5, "İZMİR"); }, {"CEM KAYA"}},
        SearchCase{"Club", [](TMusteriGiris3* s) { pick(s->DBLookupComboBox6, "İZMİR SPOR"); }, {"DAVUT ALİOĞLU"}},
        SearchCase{"WeightWithComma", [](TMusteriGiris3* s) { s->Edit13->setText("72,5"); }, {"ALİ O'NEIL"}},
        SearchCase{"WeightWithPoint", [](TMusteriGiris3* s) { s->Edit13->setText("72.5"); }, {"ALİ O'NEIL"}},
        SearchCase{"Licence", [](TMusteriGiris3* s) { s->Edit18->setText("06-049000123"); }, {"ALİ O'NEIL"}},
        SearchCase{"NotCompeting", [](TMusteriGiris3* s) { pick(s->ComboBox4, "YARIŞMAYACAK"); }, {"CEM KAYA"}},
        SearchCase{"Competing", [](TMusteriGiris3* s) { pick(s->ComboBox4, "YARIŞACAK"); },
                   {"ALİ O'NEIL", "DAVUT ALİOĞLU"}},
        SearchCase{"Together",
                   [](TMusteriGiris3* s) {
                       s->Edit4->setText("ALİ");
                       pick(s->DBLookupComboBox8, kMen65);
                   },
                   {"DAVUT ALİOĞLU"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WeighSearchTest, TheRegisterNumberIsPaddedInTheFieldAndTheCondition)
{
    open();
    screen->Edit1->setText("3");
    QTest::keyClick(screen->Edit1, Qt::Key_Return);   // Enter searches while "Kaydet" is hidden
    EXPECT_EQ(screen->Edit1->text(), "0000003");
    EXPECT_EQ(found(), QStringList{"DAVUT ALİOĞLU"});
}

TEST_F(WeighSearchTest, AWeightThatIsNoNumberIsRefusedAndEmptied)
{
    open();
    screen->Edit13->setText("72,5,1");
    search();
    EXPECT_EQ(ui().texts(), QStringList{WeighSearch::kBadWeight});
    EXPECT_EQ(screen->Edit13->text(), "");
    EXPECT_FALSE(screen->FSearchOpen);
}

TEST_F(WeighSearchTest, TypingOrEmptyingAFieldClosesTheResult)
{
    open();
    search();
    ASSERT_TRUE(screen->FSearchOpen);
    QTest::keyClick(screen->Edit4, Qt::Key_A);
    EXPECT_FALSE(screen->FSearchOpen);
    EXPECT_EQ(screen->CountLabel->text(), "");
    search();
    pick(screen->DBLookupComboBox5, "ANKARA");
    EXPECT_FALSE(screen->FSearchOpen) << "a pick closes it";
    EXPECT_EQ(screen->SearchCaptions[1]->palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

TEST_F(WeighSearchTest, TheAthleteListPrintsTheSearchWithTheClassFilter)
{
    open();
    const int shown = int(modals().seen().size());
    screen->SporcuBilgileri1Click();   // no result: nothing
    EXPECT_EQ(modals().seen().size(), shown);

    screen->Edit4->setText("ALİ");
    search();
    modals().expect("TBaslik1", [](QDialog* d) {
        Baslik1->Edit8->setText("TARTI SPORCULARI");
        d->close();
    });
    const QString pdf = QDir(host("C:\\CO")).filePath("sporcu.pdf");
    modals().expect("ReportPreview", [this, pdf](QDialog* d) {
        EXPECT_FALSE(screen->isEnabled());
        ui().answerFile(pdf);
        click(d->findChild<QWidget*>("SaveButton"));
        d->close();
    });
    screen->SporcuBilgileri1Click();
    EXPECT_TRUE(screen->isEnabled());
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains("TARTI SPORCULARI")) << printed;
    EXPECT_TRUE(printed.contains("SPORCU LİSTESİ")) << printed;
    EXPECT_TRUE(printed.contains("ALİ O'NEIL")) << printed;
    EXPECT_TRUE(printed.contains("DAVUT ALİOĞLU")) << printed;
    EXPECT_FALSE(printed.contains("CEM KAYA")) << printed;
}

// --- Quick registration -----------------------------------------------------------------

struct LicenceCase {
    const char* typed;
    bool ok;
    const char* result;   // the number, or the message
};
class LicenceRule : public ::testing::TestWithParam<LicenceCase> {};

TEST_P(LicenceRule, BuildsOrRefuses)
{
    const auto l = QuickRegistration::LisHes("34", "İSTANBUL", QString::fromUtf8(GetParam().typed), "049");
    EXPECT_EQ(l.ok, GetParam().ok);
    EXPECT_EQ(l.ok ? l.number : l.failure.message, QString::fromUtf8(GetParam().result));
}

INSTANTIATE_TEST_SUITE_P(
    Licences, LicenceRule,
    ::testing::Values(LicenceCase{"77", true, "34-049000077"}, LicenceCase{"123456", true, "34-049123456"},
                      LicenceCase{"06-049000123", true, "06-049000123"},
                      LicenceCase{"1234567", false, QuickRegistration::kLicenceTooLong},
                      LicenceCase{"12A", false, QuickRegistration::kLicenceNotDigits},
                      LicenceCase{"", false, QuickRegistration::kNoLicenceDigits}));

class QuickRegistrationTest : public WeighSearchTest {
protected:
    void SetUp() override
    {
        WeighSearchTest::SetUp();
        db.exec("update C_SAYI set SonSicil = '0000041', sayi_uye = 100");
        screen->BitBtn10->show();
        open();
    }
    void fill(const QString& name, const QString& licence, const QString& weight)
    {
        screen->Edit4->setText(name);
        pick(screen->DBLookupComboBox5, "İSTANBUL");
        screen->Edit18->setText(licence);
        pick(screen->DBLookupComboBox8, kMen70);
        screen->Edit13->setText(weight);
        pick(screen->DBLookupComboBox6, kClub);
    }
};

TEST_F(QuickRegistrationTest, ANewAthleteIsRegisteredAndAcceptedWithTheTypedWeight)
{
    fill("AHMET CAN YILMAZ", "77", "71,25");
    click(screen->BitBtn10);
    EXPECT_EQ(ui().texts(), QStringList{msg(kAccepted, kMen70)});
    const Record p = db.first("select * from C_MUSTERI where Ad_Soyad = 'AHMET CAN YILMAZ'").value_or(Record());
    ASSERT_FALSE(p.isEmpty());
    EXPECT_EQ(p.str("Adi") + "|" + p.str("Soyadi"), "AHMET CAN|YILMAZ");
    EXPECT_EQ(p.str("E26"), "34-049000077");
    EXPECT_EQ(p.str("Vergi_Numarasi"), "0000042");
    EXPECT_DOUBLE_EQ(p.toDouble("E38"), 71.25);
    EXPECT_EQ(p.str("E15"), "ERKEK");
    EXPECT_EQ(p.toInt("Client_Key"), 2);
    EXPECT_EQ(db.scalar("select SonSicil from C_SAYI").toString(), "0000042");
    const Record row = db.first("select * from C_LISTE where Musteri_Key = :k", {{"k", p.value("Musteri_Key")}}).value();
    EXPECT_EQ(row.toInt("Onay"), 1);
    EXPECT_DOUBLE_EQ(row.toDouble("Kilo"), 71.25);
    EXPECT_DOUBLE_EQ(row.toDouble("TartilanKilo"), 71.25);
    EXPECT_EQ(row.str("BolgeK"), "İST");
    EXPECT_EQ(row.str("Takim"), kClub);
    EXPECT_EQ(row.toInt("Puan"), kPoints);
    // The fields for the next athlete.
    EXPECT_EQ(screen->Edit4->text(), "");
    EXPECT_EQ(screen->Edit9->text(), "");
    EXPECT_EQ(screen->Edit12->text(), "");
    EXPECT_EQ(screen->Edit16->text(), kMen70);
    // Class browsing shows the class with the new row last.
    EXPECT_EQ(screen->Edit2->text(), kMen70);
    EXPECT_EQ(screen->DBGrid2->currentRecord().str("Ad"), "AHMET CAN YILMAZ");
}

TEST_F(QuickRegistrationTest, TheSameAthleteTwiceInOneClassAddsNoRowAndChangesNothing)
{
    fill("AHMET YILMAZ", "77", "71");
    click(screen->BitBtn10);
    fill("AHMET YILMAZ", "34-049000077", "73,5");
    click(screen->BitBtn10);
    EXPECT_EQ(ui().lastText(), "Sporcu " + kMen70 + " Branşında Listede KAYITLI Bulunmaktadır ...!");
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE where Ad = 'AHMET YILMAZ'").toInt(), 1);
    EXPECT_DOUBLE_EQ(db.scalar("select E38 from C_MUSTERI where Ad_Soyad = 'AHMET YILMAZ'").toDouble(), 71.0)
        << "the person changes only with an accepted row";
}

TEST_F(QuickRegistrationTest, AKnownAthleteKeepsKeyAndNumberAndTakesTheTeamInATeamTournament)
{
    screen->FTeamMode = 1;
    db.exec("update C_MUSTERI set Vergi_Dairesi = 'İSTANBUL', E26 = '34-049000123' where Musteri_Key = 1");
    fill("ALİ O'NEIL", "123", "74");
    click(screen->BitBtn10);
    EXPECT_EQ(db.scalar("select count(*) from C_MUSTERI").toInt(), 4);
    const Record p = db.first("select * from C_MUSTERI where Musteri_Key = 1").value();
    EXPECT_EQ(p.str("Vergi_Numarasi"), "0000001");
    EXPECT_DOUBLE_EQ(p.toDouble("E38"), 74.0);
    EXPECT_EQ(db.scalar("select Takim from C_LISTE where Musteri_Key = 1").toString(), "A TAKIMI");
}

struct RefusalCase {
    const char* name;
    const char* typedName;
    const char* licence;
    const char* weight;
    const char* message;
};
class QuickRefusals : public QuickRegistrationTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(QuickRefusals, StopBeforeAnythingIsWritten)
{
    const int people = db.scalar("select count(*) from C_MUSTERI").toInt();
    fill(QString::fromUtf8(GetParam().typedName), QString::fromUtf8(GetParam().licence),
         QString::fromUtf8(GetParam().weight));
    click(screen->BitBtn10);
    EXPECT_EQ(ui().texts(), QStringList{QString::fromUtf8(GetParam().message)});
    EXPECT_EQ(db.scalar("select count(*) from C_MUSTERI").toInt(), people);
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE").toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, QuickRefusals,
    ::testing::Values(
        RefusalCase{"LeadingSpace", " AHMET YILMAZ", "77", "71",
                    "Sporcunun Adını Soyadını Hatalı Girdiniz. Başta Boşluk var ...!"},
        RefusalCase{"TrailingSpace", "AHMET YILMAZ ", "77", "71",
                    "Sporcunun Adını Soyadını Hatalı Girdiniz. Sonda Boşluk var ...!"},
        RefusalCase{"DoubleSpace", "AHMET  YILMAZ", "77", "71",
                    "Adını Hatalı Girdiniz. Ad İçerisinde Çift Boşluk Kullanılmış ...!"},
        RefusalCase{"NoWeight", "AHMET YILMAZ", "77", "", "Lütfen Sporcunun Kilosunu Giriniz ...!"},
        RefusalCase{"WeightNoNumber", "AHMET YILMAZ", "77", "yetmiş", WeighSearch::kBadWeight},
        RefusalCase{"LicenceTooLong", "AHMET YILMAZ", "1234567", "71", QuickRegistration::kLicenceTooLong},
        RefusalCase{"LicenceNotDigits", "AHMET YILMAZ", "7x", "71", QuickRegistration::kLicenceNotDigits}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QuickRegistrationTest, ALastRegisterNumberThatIsNoNumberStopsWithNoCounterMoved)
{
    db.exec("update C_SAYI set SonSicil = 'ABC'");
    const int counter = db.scalar("select sayi_uye from C_SAYI").toInt();
    fill("AHMET YILMAZ", "77", "71");
    click(screen->BitBtn10);
    EXPECT_EQ(ui().texts(), QStringList{QuickRegistration::kNoRegisterNumber});
    EXPECT_EQ(db.scalar("select sayi_uye from C_SAYI").toInt(), counter);
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE").toInt(), 0);
}

TEST_F(QuickRegistrationTest, EnterWalksTheRegistrationFieldsInsteadOfSearching)
{
    QApplication::setActiveWindow(screen);
    screen->Edit18->setText("5");
    screen->Edit18->setFocus();
    QTest::keyClick(screen->Edit18, Qt::Key_Return);
    EXPECT_FALSE(screen->FSearchOpen);
    EXPECT_TRUE(screen->Edit16->hasFocus() || QApplication::focusWidget() == screen->Edit16);
}

} // namespace WeighSearchTestLocal
