// The activity query screen: its seventeen filters alone and together, the
// date checks, list mode and the order, and its report commands.
#include "app/kit/DbGrid.h"
#include "app/kit/ReservedRows.h"
#include "competition/ActivityQuery.h"
#include "competition/TurnuvaGiris1.h"
#include "reports/ActivityReports.h"
#include "reports/Baslik1.h"
#include "support/Screenshot.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>

namespace ActivityQueryTestLocal {

using F = TTurnuvaGiris1::Filter;

class ActivityQueryTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        ASSERT_TRUE(login(kInitialAdminName, kInitialAdminPassword));
        db.insert("C_TURTURU", {{"Tur_Key", 901}, {"Turu", "AVRUPA ŞAMPİYONASI"}, {"Tipi", "ULUSLAR ARASI"}});
        db.insert("C_TURTURU", {{"Tur_Key", 902}, {"Turu", "TÜRKİYE ŞAMPİYONASI"}, {"Tipi", "ULUSAL"}});
        db.insert("C_BRANSADI", {{"Durum_Key", 901}, {"Durum", "BÜYÜKLER"}});
        db.insert("C_BRANS", {{"Durum_Key", 901}, {"Durum", "60 KİLO ERKEK BÜYÜKLER"}, {"E_B", "E"}});
        db.insert("C_BRANS", {{"Durum_Key", 902}, {"Durum", "55 KİLO BAYAN GENÇLER"}, {"E_B", "B"}});
        db.insert("C_TURNUVA", {{"Turnuva_Key", 901}, {"Adi", "2009 AVRUPA"}, {"Tur_Key", 901}, {"Durum_Key", 901},
                                {"Tarih1", QDate(2009, 3, 5)}, {"Tarih2", QDate(2009, 3, 8)}, {"Yili", 2009}});
        db.insert("C_TURNUVA", {{"Turnuva_Key", 902}, {"Adi", "2010 TÜRKİYE"}, {"Tur_Key", 902}, {"Durum_Key", 901},
                                {"Tarih1", QDate(2010, 4, 1)}, {"Tarih2", QDate(2010, 4, 3)}, {"Yili", 2010}});
        status(951, "SPOR A", "S");
        status(952, "SPOR B", "S");
        status(953, "HAKEM A", "H");
        person(1, "AYŞE O'NEIL", "ANKARA", "BAYAN", {{"E50", "SPOR A"}});
        person(2, "MEHMET ÖZ", "İZMİR", "ERKEK", {{"E50", "SPOR B"}});
        person(3, "ZEKİ ŞAHİN", "ANKARA", "ERKEK", {{"E51", "HAKEM A"}});
        result(1, 1, 901, 1, 902);
        result(2, 2, 901, 2, 901);
        result(3, 3, 902, 0, 0);
        result(4, 1, 902, 3, 902);
        screen = TurnuvaGiris1;
    }
    void TearDown() override
    {
        if (screen->isVisible())
            screen->close();
        ScreensTest::TearDown();
    }
    void status(int key, const QString& name, const QString& kind)
    {
        db.insert("C_UYEKULLANICI", {{"Durum_Key", key}, {"Durum", name}, {"Tip1", ""}, {"Tip2", kind}});
    }
    void person(int key, const QString& name, const QString& region, const QString& gender, const QVariantMap& more)
    {
        QVariantMap p{{"Musteri_Key", key},       {"Ad_Soyad", name}, {"Vergi_Numarasi", QString("000000%1").arg(key)},
                      {"Vergi_Dairesi", region}, {"E15", gender},    {"E50", ""}, {"E51", ""}, {"E52", ""}, {"E43", ""}};
        for (auto it = more.begin(); it != more.end(); ++it)
            p.insert(it.key(), it.value());
        db.insert("C_MUSTERI", p);
    }
    void result(int key, int person, int activity, int place, int weightClass)
    {
        QVariantMap row{{"Der_Key", key}, {"Musteri_Key", person}, {"Turnuva_Key", activity}, {"Derece", place}};
        if (weightClass)
            row.insert("Durum_Key", weightClass);
        db.insert("F_DER", row);
    }
    void open()
    {
        screen->show();
        ui().clear();
    }
    QStringList found()
    {
        QStringList rows;
        for (const Record& r : screen->DBGrid1->records())
            rows << r.str("Ad_Soyad") + "/" + r.str("Adi");
        return rows;
    }
    void search() { click(screen->BitBtn1); }

    TTurnuvaGiris1* screen = nullptr;
};

struct FilterCase {
    const char* name;
    std::function<void(TTurnuvaGiris1*)> fill;
    QStringList expected;
};
class ActivityFilters : public ActivityQueryTest, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(ActivityFilters, ListOnlyTheMatchingRows)
{
    open();
    GetParam().fill(screen);
    search();
    EXPECT_EQ(found(), GetParam().expected);
    saveScreenshot(screen, "BRIVEX_ACTIVITYQUERY_SCREENSHOT");
    EXPECT_EQ(screen->Label10->text(), QString("Kayıt Sayısı : %1").arg(GetParam().expected.size()));
}

void setField(TTurnuvaGiris1* s, F f, const QString& v) { s->Field[f]->setText(v); }
void pickField(TTurnuvaGiris1* s, F f, const QString& v) { pick(s->Picker[f], v); }

INSTANTIATE_TEST_SUITE_P(
    Filters, ActivityFilters,
    ::testing::Values(
        FilterCase{"None", [](TTurnuvaGiris1*) {},
                   {"AYŞE O'NEIL/2009 AVRUPA", "AYŞE O'NEIL/2010 TÜRKİYE", "MEHMET ÖZ/2009 AVRUPA",
                    "ZEKİ ŞAHİN/2010 TÜRKİYE"}},
        FilterCase{"NameWithApostrophe", [](TTurnuvaGiris1* s) { setField(s, F::AdSoyad, "O'NEIL"); },
                   {"AYŞE O'NEIL/2009 AVRUPA", "AYŞE O'NEIL/2010 TÜRKİYE"}},
        FilterCase{"DateFrom", [](TTurnuvaGiris1* s) { setField(s, F::TarihBas, "01.01.2010"); },
                   {"AYŞE O'NEIL/2010 TÜRKİYE", "ZEKİ ŞAHİN/2010 TÜRKİYE"}},
        FilterCase{"DateTo", [](TTurnuvaGiris1* s) { setField(s, F::TarihBit, "08.03.2009"); },
                   {"AYŞE O'NEIL/2009 AVRUPA", "MEHMET ÖZ/2009 AVRUPA"}},
        FilterCase{"Type", [](TTurnuvaGiris1* s) { pickField(s, F::Turu, "TÜRKİYE ŞAMPİYONASI"); },
                   {"AYŞE O'NEIL/2010 TÜRKİYE", "ZEKİ ŞAHİN/2010 TÜRKİYE"}},
        FilterCase{"Kind", [](TTurnuvaGiris1* s) { pickField(s, F::Tipi, "ULUSLAR ARASI"); },
                   {"AYŞE O'NEIL/2009 AVRUPA", "MEHMET ÖZ/2009 AVRUPA"}},
        FilterCase{"WeightClass", [](TTurnuvaGiris1* s) { pickField(s, F::Brans, "55 KİLO BAYAN GENÇLER"); },
                   {"AYŞE O'NEIL/2009 AVRUPA", "AYŞE O'NEIL/2010 TÜRKİYE"}},
        FilterCase{"ActivityTyped", [](TTurnuvaGiris1* s) { setField(s, F::Faaliyet, "AVRUPA"); },
                   {"AYŞE O'NEIL/2009 AVRUPA", "MEHMET ÖZ/2009 AVRUPA"}},
        FilterCase{"Gender", [](TTurnuvaGiris1* s) { pickField(s, F::Cinsiyet, "ERKEK"); },
                   {"MEHMET ÖZ/2009 AVRUPA", "ZEKİ ŞAHİN/2010 TÜRKİYE"}},
        FilterCase{"Category", [](TTurnuvaGiris1* s) { setField(s, F::Kategori, "GENÇLER"); },
                   {"AYŞE O'NEIL/2009 AVRUPA", "AYŞE O'NEIL/2010 TÜRKİYE"}},
        FilterCase{"RegisterNumber", [](TTurnuvaGiris1* s) { setField(s, F::SicilNo, "0003"); },
                   {"ZEKİ ŞAHİN/2010 TÜRKİYE"}},
        FilterCase{"Region", [](TTurnuvaGiris1* s) { pickField(s, F::Bolge, "İZMİR"); }, {"MEHMET ÖZ/2009 AVRUPA"}},
        FilterCase{"Placings", [](TTurnuvaGiris1* s) { pickField(s, F::Derece, "1,2"); },
                   {"AYŞE O'NEIL/2009 AVRUPA", "MEHMET ÖZ/2009 AVRUPA"}},
        FilterCase{"RoleReferee", [](TTurnuvaGiris1* s) { pickField(s, F::Aktivite, "HAKEM"); },
                   {"ZEKİ ŞAHİN/2010 TÜRKİYE"}},
        FilterCase{"AthleteStatus", [](TTurnuvaGiris1* s) { pickField(s, F::Sporcu, "SPOR B"); },
                   {"MEHMET ÖZ/2009 AVRUPA"}},
        FilterCase{"Together",
                   [](TTurnuvaGiris1* s) {
                       pickField(s, F::Bolge, "ANKARA");
                       pickField(s, F::Derece, "1,2,3");
                       setField(s, F::TarihBas, "1.1.2010");
                   },
                   {"AYŞE O'NEIL/2010 TÜRKİYE"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ActivityQueryTest, ADateBecomesTheDatabaseKindsLiteralInItsNormalForm)
{
    open();
    setField(screen, F::TarihBas, "5.3.2009");
    search();
    EXPECT_EQ(screen->Field[F::TarihBas]->text(), "05.03.2009");
    EXPECT_EQ(screen->FWhereClause, " where TURSORGU.Turnuva_Key > 0  and TURSORGU.Tarih1 >=#03/05/2009#");
    EXPECT_EQ(screen->FReportSql, "Select * from TURSORGU" + screen->FWhereClause);
}

struct DateCase {
    const char* from;
    const char* to;
    const char* message;   // "" for none
    bool searched;
};
class ActivityDates : public ActivityQueryTest, public ::testing::WithParamInterface<DateCase> {};

TEST_P(ActivityDates, AreCheckedFromThenTo)
{
    open();
    setField(screen, F::TarihBas, GetParam().from);
    setField(screen, F::TarihBit, GetParam().to);
    search();
    const QString message = QString::fromUtf8(GetParam().message);
    EXPECT_EQ(ui().texts(), message.isEmpty() ? QStringList() : QStringList{message});
    EXPECT_EQ(screen->FResultOpen, GetParam().searched);
}

INSTANTIATE_TEST_SUITE_P(Dates, ActivityDates,
                         ::testing::Values(DateCase{"31.12.1949", "", ActivityQuery::kDateOutOfRange, false},
                                           DateCase{"01.01.2050", "", ActivityQuery::kNothingFound, true},
                                           DateCase{"01.01.2009", "02.01.2050", ActivityQuery::kDateOutOfRange, false},
                                           DateCase{"31.02.2009", "02.01.2050", ActivityQuery::kBadDate, false},
                                           DateCase{"", "01.01.2050", "", true}));

TEST_F(ActivityQueryTest, ListModeJoinsTheCollectedStatusesInOneGroup)
{
    open();
    click(screen->SpeedButton1);
    EXPECT_TRUE(screen->ListBox1->isVisible());
    pickField(screen, F::Sporcu, "SPOR A");
    pickField(screen, F::Sporcu, "SPOR B");
    pickField(screen, F::Sporcu, "SPOR A");   // once only
    pickField(screen, F::Hakem, "HAKEM A");
    EXPECT_EQ(screen->ListBox1->count(), 3);
    search();
    EXPECT_TRUE(screen->FWhereClause.endsWith(
        " and (TURSORGU.E50 = :aq_l0_0 or TURSORGU.E50 = :aq_l0_1 or TURSORGU.E51 = :aq_l1_0)"))
        << screen->FWhereClause;
    EXPECT_EQ(found().size(), 4);

    // Clicking a status caption empties its field and its list.
    screen->Caption[F::Sporcu]->setFocus();
    QTest::mouseClick(screen->Caption[F::Sporcu], Qt::LeftButton);
    EXPECT_EQ(screen->ListBox1->count(), 1);
    search();
    EXPECT_EQ(found(), QStringList{"ZEKİ ŞAHİN/2010 TÜRKİYE"});

    // Leaving list mode: each field on its own again.
    click(screen->SpeedButton2);
    EXPECT_FALSE(screen->ListBox1->isVisible());
    EXPECT_FALSE(screen->FResultOpen);
}

TEST_F(ActivityQueryTest, TheOrderButtonsSortAndResetTheResult)
{
    open();
    search();
    click(screen->SpeedButton5);
    EXPECT_FALSE(screen->FResultOpen);
    EXPECT_FALSE(screen->SpeedButton5->isVisible());
    search();
    EXPECT_EQ(screen->DBGrid1->records().first().str("Vergi_Dairesi"), "ANKARA");
    EXPECT_EQ(screen->DBGrid1->records().last().str("Vergi_Dairesi"), "İZMİR");
}

TEST_F(ActivityQueryTest, AChangedFilterHidesTheResultAndTheReportsAskForASearch)
{
    open();
    search();
    pickField(screen, F::Cinsiyet, "BAYAN");
    EXPECT_FALSE(screen->FResultOpen);
    EXPECT_EQ(screen->Label10->text(), "");
    screen->BitBtn6Click();
    screen->arihBazndaListe1Click();
    EXPECT_EQ(ui().texts(), (QStringList{"Lütfen 'Kayıt Bul' Düğmesine Basarak Sporcuları Listeleyiniz ...!",
                                         "Lütfen 'Kayıt Bul' Düğmesine Basarak Faaliyetleri Listeleyiniz ...!"}));
    setField(screen, F::AdSoyad, "YOK");
    search();
    screen->BitBtn6Click();
    EXPECT_EQ(ui().texts().mid(2), (QStringList{ActivityQuery::kNothingFound,
                                                "Liste Alanında Herhangibir Sporcu Bulunmamaktadır ...!"}));
}

TEST_F(ActivityQueryTest, ThePairsListsNeedAGender)
{
    open();
    search();
    screen->itlerListesi1Click();
    screen->iftlerListesiBranagresral1Click();
    EXPECT_EQ(ui().texts(), (QStringList{Reports::kChooseGender, Reports::kChooseGender}));
}

TEST_F(ActivityQueryTest, TheYearReportPrintsTheYearsOfTheSearch)
{
    open();
    search();
    const QString pdf = QDir(host("C:\\CO")).filePath("yil.pdf");
    modals().expect("TBaslik1", [](QDialog* d) {
        Baslik1->Edit8->setText("YILLARA GÖRE");
        d->close();
    });
    modals().expect("ReportPreview", [this, pdf](QDialog* d) {
        EXPECT_FALSE(screen->isEnabled());
        ui().answerFile(pdf);
        click(d->findChild<QWidget*>("SaveButton"));
        d->close();
    });
    screen->arihBazndaListe1Click();
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains("YILLARA GÖRE")) << printed;
    EXPECT_TRUE(printed.contains("2009")) << printed;
    EXPECT_TRUE(printed.contains("2010")) << printed;
}

TEST_F(ActivityQueryTest, TheGeneralListOffersTheActivityFilterAsItsTitle)
{
    open();
    setField(screen, F::Faaliyet, "AVRUPA");
    search();
    QString offered;
    modals().expect("TBaslik1", [&offered](QDialog* d) {
        offered = Baslik1->Edit8->text();
        d->close();
    });
    modals().expect("ReportPreview", [](QDialog* d) { d->close(); });
    screen->BitBtn6Click();
    EXPECT_EQ(offered, "AVRUPA");
    EXPECT_EQ(screen->FPreviewReport != nullptr, true);
}

} // namespace ActivityQueryTestLocal
