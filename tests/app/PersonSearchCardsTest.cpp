// Every card and the diploma printed from the person search's report
// drop-down after each kind of search whose condition binds a value (name,
// register number, region, club): the PDF saved from the preview, the
// register number read back from each card's barcode with zbarimg.

#include "app/MusteriGiris1.h"
#include "app/kit/Session.h"
#include "barcode/BarcodeTestSupport.h"
#include "platform/report/ReportPreview.h"
#include "reports/Baslik1S.h"
#include "reports/BaslikDip.h"
#include "reports/CardLaunch.h"
#include "reports/Margin.h"
#include "reports/Millilik.h"
#include "support/ScreenDriving.h"
#include "support/PrintedTexts.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

namespace PersonSearchCardsTestLocal {

// What zbarimg reads from the barcode of every page that prints one, as a
// scanner sees the printed card: the page rendered at 300 dots per inch over
// the barcode's box grown by 4 mm at the sides and 2 mm above and below
// (within the page), with whatever the card prints there: its artwork, row
// frames and texts. Nothing is whitened: the bars need their own quiet zone.
QStringList barcodesOf(const QString& pdf, const ReportDocument& doc, const QString& folder)
{
    QStringList read;
    const int dpi = 300;
    const double dotsPerMm = dpi / 25.4;
    const QRectF page(QPointF(), doc.pageSize);
    for (int n = 0; n < doc.pageCount(); ++n) {
        const ReportItem* bars = doc.pages[size_t(n)].find("ReportBarcode1");
        if (!bars)
            continue;
        const QRectF around = bars->rect.adjusted(-4, -2, 4, 2) & page;
        const QRect box = QRectF(around.topLeft() * dotsPerMm, around.size() * dotsPerMm).toAlignedRect();
        const QString stem = QDir(folder).filePath(QFileInfo(pdf).baseName() + QString("-barkod%1").arg(n));
        // One entry per page, so that a page read as nothing shows.
        read << BarcodeTest::zbarFile(BarcodeTest::pdfPageImage(pdf, n + 1, stem, box, dpi)).join(" | ");
    }
    return read;
}

struct Search {
    const char* name;
    std::function<void(TMusteriGiris1*)> run;
};

void PrintTo(const Search& s, std::ostream* os)
{
    *os << s.name;
}

class PersonSearchCards : public SignedInTest, public ::testing::WithParamInterface<Search> {
protected:
    void SetUp() override
    {
        SignedInTest::SetUp();
        Margin->Edit2->setText("2010");
        person(1, "BERK ŞAHİN", "İZMİR", "KARTAL SPOR");
        person(2, "CEMİL ÖZ", "ANKARA", "ANKARA GÜCÜ");
        person(3, "AHMET IŞIK", "MUĞLA", "DENİZ SPOR");
        int club = 50;
        for (const char* name : {"KARTAL SPOR", "ANKARA GÜCÜ", "DENİZ SPOR"})
            db.insert("C_UYELIKSURESI", {{"Durum_Key", club++}, {"Durum", QString::fromUtf8(name)}});
        screen = MusteriGiris1;
        open(screen);
    }
    void TearDown() override
    {
        screen->close();
        SignedInTest::TearDown();
    }
    void person(int key, const QString& name, const QString& region, const QString& club)
    {
        db.insert("C_MUSTERI", {{"Musteri_Key", key},
                                {"Ad_Soyad", name},
                                {"Adi", name.section(' ', 0, 0)},
                                {"Soyadi", name.section(' ', 1)},
                                {"Vergi_Numarasi", QString("%1").arg(key + 100, 7, 10, QChar('0'))},
                                {"Vergi_Dairesi", region},
                                {"E16", club},
                                {"E25", "SARI KUŞAK"},
                                {"E51", "ULUSAL HAKEM"},
                                {"E52", "1.KADEME ANTRENÖR"},
                                {"E53", "BÜYÜKLER"},
                                {"M3", QDate(1990, 5, 6)},
                                {"Tip", 1}});
    }

    // The dialogs an item shows before its preview, answered.
    static void expectDialogs(const QString& item)
    {
        if (item == "MsabakaKart1") {
            modals().expect("TBaslik1S", [](QDialog*) {
                Baslik1S->Edit8->setText("TÜRKİYE ŞAMPİYONASI");
                Baslik1S->RadioButton1->click();
                click(Baslik1S->BitBtn4);
            });
            return;
        }
        if (item == "Diploma1") {
            modals().expect("TBaslikDip", [](QDialog*) {
                BaslikDip->Edit8->setText("ANKARA");
                click(BaslikDip->BitBtn4);
            });
            return;
        }
        modals().expect("TMargin", [](QDialog*) { click(Margin->BitBtn1); });
        if (item == "MilliSporcuKimlik1")
            modals().expect("TMillilik", [](QDialog*) { click(Millilik->BitBtn4); });
    }

    TMusteriGiris1* screen = nullptr;
};

TEST_P(PersonSearchCards, EveryCardAndTheDiplomaPrintTheFoundPersonWithHisBarcode)
{
    GetParam().run(screen);
    ASSERT_TRUE(screen->FListOpen);
    ASSERT_EQ(screen->DBGrid1->rowCount(), 1);
    ASSERT_EQ(screen->DBGrid1->currentRecord().str("Ad_Soyad"), "CEMİL ÖZ");
    ASSERT_FALSE(screen->FParams.isEmpty()) << "the search binds its value";

    QTemporaryDir out;
    // BRIVEX_KEEP_CARD_PDFS=1 keeps the printed PDFs and the barcode regions
    // read to look at.
    if (qEnvironmentVariableIsSet("BRIVEX_KEEP_CARD_PDFS")) {
        out.setAutoRemove(false);
        std::printf("card PDFs in %s\n", qPrintable(out.path()));
    }
    int printed = 0;
    for (const Cards::MenuItem& m : Cards::menuItems()) {
        if (!Cards::offered(m, true))
            continue;
        const QString item = QString::fromLatin1(m.name);
        QAction* action = screen->PopupMenu1->findChild<QAction*>(item);
        ASSERT_NE(action, nullptr) << m.name;
        ASSERT_TRUE(action->isVisible()) << m.name;
        const QString pdf = out.filePath(item + ".pdf");
        std::optional<ReportDocument> pages;
        ui().clear();
        expectDialogs(item);
        modals().expect("ReportPreview", [&pages, pdf](QDialog* d) {
            pages = static_cast<ReportPreview*>(d)->document();
            ui().answerFile(pdf);
            click(d->findChild<QWidget*>("SaveButton"));
            d->close();
        });
        if (item == "MsabakaKart1")
            answerQuestion(false);
        action->trigger();
        EXPECT_EQ(modals().pending(), 0) << m.name;
        modals().clear();
        EXPECT_TRUE(ui().texts().isEmpty()) << m.name << ": " << ui().texts().join(" | ").toStdString();
        ASSERT_TRUE(pages.has_value()) << m.name << " previewed nothing";
        ASSERT_TRUE(QFile::exists(pdf)) << m.name;
        const QString text = pdftotext(pdf);
        EXPECT_TRUE(text.contains("CEMİL ÖZ")) << m.name;
        if (item == "Diploma1") {
            EXPECT_TRUE(text.contains("0000102")) << m.name;
        } else {
            const QStringList bars = barcodesOf(pdf, *pages, out.path());
            ASSERT_FALSE(bars.isEmpty()) << m.name << " printed no barcode";
            EXPECT_EQ(bars, QStringList(bars.size(), "CODE-128:0000102")) << m.name;
        }
        ++printed;
    }
    EXPECT_EQ(printed, 28);
}

INSTANTIATE_TEST_SUITE_P(
    Searches, PersonSearchCards,
    ::testing::Values(Search{"ByName",
                             [](TMusteriGiris1* s) {
                                 s->Edit7->setText("CEMİL ÖZ");
                                 click(s->BitBtn1);
                             }},
                      Search{"ByRegisterNumber",
                             [](TMusteriGiris1* s) {
                                 s->Edit1->setText("102");
                                 click(s->BitBtn1);
                             }},
                      Search{"ByRegion",
                             [](TMusteriGiris1* s) {
                                 pick(s->DBLookupComboBox2, "ANKARA");
                                 click(s->BitBtn1);
                             }},
                      Search{"ByClub",
                             [](TMusteriGiris1* s) {
                                 pick(s->DBLookupComboBox4, "ANKARA GÜCÜ");
                                 click(s->BitBtn1);
                             }}),
    [](const ::testing::TestParamInfo<Search>& info) { return std::string(info.param.name); });

} // namespace PersonSearchCardsTestLocal
