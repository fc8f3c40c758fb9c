// The match screen's chart commands through its named controls: the
// refusals without a category or a bout, the portrait, landscape and
// repechage charts previewed and saved as PDF after the draw-sheet title
// dialog, and the ring list the portrait command prints instead while the
// list shows rings.
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

    void expectDrawSheetTitle(const QString& typed, bool* readOnly = nullptr)
    {
        modals().expect("TBaslik3", [typed, readOnly](QDialog* d) {
            if (readOnly)
                *readOnly = Baslik3->Edit8->isReadOnly();
            auto* picker = Baslik3->DBLookupComboBox1;
            picker->setCurrentIndex(picker->findData(5));
            emit picker->activated(picker->currentIndex());
            if (!typed.isEmpty())
                Baslik3->Edit8->setText(typed);
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
    bool readOnly = false;
    expectDrawSheetTitle(QString(), &readOnly);
    expectChartSavedAs(pdf);
    KuraList->KuraizelgesiYatay1Click();
    EXPECT_TRUE(readOnly);
    EXPECT_FALSE(Baslik3->Edit8->isReadOnly()) << "read-only only while the landscape command shows it";
    EXPECT_EQ(PrintMenu2D_1->QRLabel10->caption, "ŞAMPİYONA\n05 - 07 MART 2010  ANKARA");
    const QString text = pdftotext(pdf);
    for (const char* expected : {"ŞAMPİYONA", "KURA LİSTESİ", "Sp.Sayısı: 4", "SONUÇ", "AHMET", "DAVUT"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

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
