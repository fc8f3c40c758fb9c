// The match screen's chart commands through its named controls: the
// refusals without a category or a bout, the portrait, landscape and
// repechage charts previewed and saved as PDF after the draw-sheet title
// dialog (an activity picked, or the dialog left as it opens), and the ring
// list the portrait command prints instead while the list shows rings.
#include "LiveFixture.h"

#include "app/Main.h"
#include "app/dialogs/Porgres.h"
#include "app/kit/DbConventions.h"
#include "reports/Baslik3.h"
#include "reports/PrintMenu2D.h"
#include "reports/PrintMenu2D_1.h"
#include "reports/PrintMenuR.h"
#include "scoring/KuraList.h"
#include "scoring/RandomSource.h"
#include "support/PrintedTexts.h"

#include <QAction>
#include <QRegularExpression>

namespace {

class MatchScreenCharts : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        display = std::make_shared<FakeDisplay>(QSize(1280, 1024));
        DisplayMode::setBackend(display);
        KuraList->live().setTimeSource(std::make_shared<ManualTimeSource>());
        db.insert("C_BRANS", {{"Durum_Key", Counters::next(db, "Sayi")}, {"Durum", kBranch}, {"E_B", "E"}});
        ASSERT_TRUE(login("ADMIN", "1234"));
        Main->ScoringEdition = 1;
        insertBout(db, 1, {"AHMET", 11, "ANKARA", "ANKARA SPOR"}, {"BEKİR", 12, "İZMİR", "İZMİR SPOR"}, "YARI FİNAL",
                   "1", kBranch, {{"Skor", "1001"}});
        insertBout(db, 2, {"CEM", 13, "BURSA", "BURSA SPOR"}, {"DAVUT", 14, "KONYA", "KONYA SPOR"}, "YARI FİNAL",
                   "2", kBranch, {{"Skor", "1002"}, {"Grup", "B"}});
        insertBout(db, 3, {"AHMET", 11, "ANKARA"}, {"DAVUT", 14, "KONYA"}, "3.'LÜK MAÇI", "1", kBranch,
                   {{"Salon", "AHMET"}, {"Galip", "11"}});
        insertBout(db, 4, {"YARI FİNAL 1.MAÇ", {}}, {"YARI FİNAL 2.MAÇ", {}}, "FİNAL", "1", kBranch,
                   {{"Skor", "2001"}});
        db.insert("C_TURNUVA", {{"Turnuva_Key", 5}, {"Adi", "ŞAMPİYONA"}, {"Yer", "ANKARA"},
                                {"Tarih1", QDate(2010, 3, 5)}, {"Tarih2", QDate(2010, 3, 7)}});
        // The newest activity, first in the title dialog's list.
        db.insert("C_TURNUVA", {{"Turnuva_Key", 6}, {"Adi", "KUPA"}, {"Yer", "İZMİR"},
                                {"Tarih1", QDate(2011, 5, 1)}, {"Tarih2", QDate(2011, 5, 2)}});
    }

    void TearDown() override
    {
        if (KuraList->isVisible())
            KuraList->close();
        Porgres->close();
        DisplayMode::setBackend(nullptr);
        ScreensTest::TearDown();
    }

    void showChartScreen()
    {
        KuraList->show();
        ASSERT_TRUE(KuraList->isVisible());
        ui().clear();
    }

    // The draw-sheet title dialog: the activity picked (0: left as the
    // dialog opens), the title typed, "Tamam". Notes whether the title line
    // was read-only and what the dialog showed before "Tamam".
    struct TitleShown {
        bool readOnly = false;
        QString titleLine;
        QString activity;
    };
    void expectDrawSheetTitle(const QString& typed, TitleShown* shown = nullptr, int activityKey = 5)
    {
        modals().expect("TBaslik3", [typed, shown, activityKey](QDialog* d) {
            auto* picker = Baslik3->DBLookupComboBox1;
            if (activityKey != 0) {
                picker->setCurrentIndex(picker->findData(activityKey));
                emit picker->activated(picker->currentIndex());
            }
            if (!typed.isEmpty())
                Baslik3->Edit8->setText(typed);
            if (shown)
                *shown = {Baslik3->Edit8->isReadOnly(), Baslik3->Edit8->text(), picker->currentText()};
            click(d->findChild<QWidget*>("BitBtn4"));
        });
    }

    void expectChartSavedAs(const QString& path, bool* waited = nullptr)
    {
        modals().expect("ReportPreview", [path, waited](QDialog* d) {
            if (waited)
                *waited = !KuraList->isEnabled() && KuraList->FSkipActivate == 1;
            ui().answerFile(path);
            click(d->findChild<QWidget*>("SaveButton"));
            d->close();
        });
    }

    std::shared_ptr<FakeDisplay> display;
    QTemporaryDir chartDir;
};

TEST_F(MatchScreenCharts, WithoutACategoryOrABoutTheChartsAreRefused)
{
    showChartScreen();
    KuraList->KuraGrafiiSeilenin1->trigger();
    EXPECT_EQ(ui().texts(), QStringList{"Lütfen Branş Seçiniz ...!"});
    ui().clear();
    KuraList->KuraizelgesiYatay1->trigger();
    EXPECT_EQ(ui().texts(), QStringList{"Lütfen Branş Seçiniz ...!"});
    ui().clear();
    const QStringList seen = modals().seen();
    KuraList->Rpsajizelgesi1->trigger();
    EXPECT_TRUE(ui().texts().isEmpty()) << "the repechage command says nothing";
    EXPECT_EQ(modals().seen(), seen);
}

TEST_F(MatchScreenCharts, PortraitChartPreviewsAndSavesAsPdf)
{
    showChartScreen();
    pick(KuraList->DBLookupComboBox1, kBranch);
    ASSERT_TRUE(KuraList->boutListOpen());
    const QString pdf = chartDir.filePath("kura.pdf");
    expectDrawSheetTitle("İL ŞAMPİYONASI");
    bool waited = false;
    expectChartSavedAs(pdf, &waited);
    KuraList->KuraGrafiiSeilenin1->trigger();
    EXPECT_TRUE(waited);
    EXPECT_TRUE(KuraList->isEnabled());
    const QString text = pdftotext(pdf);
    for (const char* expected : {"İL ŞAMPİYONASI", "AHMET", "BEKİR", "CEM", "DAVUT", "1001", "1002", "2001"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_EQ(PrintMenu2D->FSlotCount, 4);
}

TEST_F(MatchScreenCharts, LandscapeChartTakesItsTitleFromTheActivityList)
{
    showChartScreen();
    pick(KuraList->DBLookupComboBox1, kBranch);
    const QString pdf = chartDir.filePath("yatay.pdf");
    TitleShown shown;
    expectDrawSheetTitle(QString(), &shown);
    expectChartSavedAs(pdf);
    KuraList->KuraizelgesiYatay1Click();
    EXPECT_TRUE(shown.readOnly);
    EXPECT_TRUE(shown.activity.contains("ŞAMPİYONA")) << shown.activity.toStdString();
    EXPECT_EQ(shown.titleLine, shown.activity) << "the pick is copied into the title line";
    EXPECT_FALSE(Baslik3->Edit8->isReadOnly()) << "read-only only while the landscape command shows it";
    EXPECT_EQ(PrintMenu2D_1->QRLabel10->caption, "ŞAMPİYONA\n05 - 07 MART 2010  ANKARA");
    const QString text = pdftotext(pdf);
    for (const char* expected : {"ŞAMPİYONA", "KURA LİSTESİ", "Sp.Sayısı: 4", "SONUÇ", "AHMET", "DAVUT"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    // The activity's period and place on the title's second line.
    EXPECT_TRUE(text.contains(QRegularExpression("05 - 07 MART 2010\\s+ANKARA"))) << text.toStdString();
    EXPECT_FALSE(text.contains("KUPA")) << "the activity picked, not the newest";
}

// The landscape and repechage charts with the title dialog left as it opens:
// it shows no title line and no activity, and the chart prints no title,
// not even the title's empty shaded box.
struct UntitledChart {
    const char* name;
    QAction* TKuraList::*command;
    const ReportDocument* (*document)();
    const char* listTitle;   // what the chart prints at its top all the same
};

void PrintTo(const UntitledChart& c, std::ostream* os)
{
    *os << c.name;
}

class UntitledCharts : public MatchScreenCharts, public ::testing::WithParamInterface<UntitledChart> {};

TEST_P(UntitledCharts, PrintNoTitleWhenTheDialogIsLeftAsItOpens)
{
    const UntitledChart& c = GetParam();
    showChartScreen();
    pick(KuraList->DBLookupComboBox1, kBranch);
    const QString pdf = chartDir.filePath("untitled.pdf");
    TitleShown shown;
    expectDrawSheetTitle(QString(), &shown, 0);
    expectChartSavedAs(pdf);
    (KuraList->*c.command)->trigger();
    EXPECT_TRUE(shown.titleLine.isEmpty());
    EXPECT_TRUE(shown.activity.isEmpty()) << shown.activity.toStdString();
    EXPECT_TRUE(Baslik3->FActivityTitle.isEmpty());

    const ReportDocument& doc = *c.document();
    ASSERT_GE(doc.pageCount(), 1);
    for (const ReportPage& page : doc.pages)
        EXPECT_TRUE(page.findAll("QRLabel10").empty()) << "no title box on page " << page.number;
    const QString text = pdftotext(pdf);
    EXPECT_TRUE(text.contains(QString::fromUtf8(c.listTitle))) << text.toStdString();
    for (const char* activity : {"ŞAMPİYONA", "KUPA", "MART", "MAYIS"})
        EXPECT_FALSE(text.contains(QString::fromUtf8(activity))) << activity << "\n" << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Charts, UntitledCharts,
    ::testing::Values(
        UntitledChart{"Landscape", &TKuraList::KuraizelgesiYatay1,
                      [] { return PrintMenu2D_1->ReportBody1.document().get(); }, "KURA LİSTESİ"},
        UntitledChart{"Repechage", &TKuraList::Rpsajizelgesi1, [] { return PrintMenuR->ReportBody1.document().get(); },
                      "RÖPRESAJ LİSTESİ"}),
    [](const ::testing::TestParamInfo<UntitledChart>& info) { return std::string(info.param.name); });

TEST_F(MatchScreenCharts, RepechageChartPrintsThePools)
{
    showChartScreen();
    pick(KuraList->DBLookupComboBox1, kBranch);
    const QString pdf = chartDir.filePath("r.pdf");
    expectDrawSheetTitle("X");
    expectChartSavedAs(pdf);
    KuraList->Rpsajizelgesi1->trigger();
    EXPECT_EQ(PrintMenuR->FInput.boutsA, 1);
    const QString text = pdftotext(pdf);
    for (const char* expected : {"ŞAMPİYONA", "RÖPRESAJ LİSTESİ", "AHMET", "DAVUT"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

} // namespace
