// The accreditation card: its A6 page, the rows each kind fills, the
// barcode, and the print log that records only what was printed or saved.
#include "CardsFixture.h"

#include "app/dialogs/Form5.h"
#include "platform/text/CodePage.h"
#include "reports/Akreditasyon.h"
#include "reports/Baslik1S.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QRadioButton>

using cards::expectRect;
using cards::textOn;

namespace {

constexpr double kA6Top = 1.06;
constexpr double kA6Left = 0.53;

QByteArray logBytes()
{
    QFile f(DriveMap::toHost(TAkreditasyon::logFile()));
    if (!f.open(QIODevice::ReadOnly))
        return "<no file>";
    return f.readAll();
}

bool logExists()
{
    return QFile::exists(DriveMap::toHost(TAkreditasyon::logFile()));
}

} // namespace

class AkreditasyonTest : public CardsTest {
protected:
    void SetUp() override
    {
        CardsTest::SetUp();
        TAkreditasyon::setClock([] { return QDateTime(QDate(2010, 3, 15), QTime(9, 7, 42)); });
    }
    void TearDown() override
    {
        TAkreditasyon::setClock(nullptr);
        CardsTest::TearDown();
    }

    // The title dialog with its person panel: title, role button, typed
    // name and title.
    static void expectTitle(const QString& title, const char* role, const QString& name = QString(),
                            const QString& unvan = QString())
    {
        modals().expect("TBaslik1S", [=](QDialog* d) {
            auto* t = static_cast<TBaslik1S*>(d);
            EXPECT_TRUE(t->Panel1->isVisible());
            EXPECT_FALSE(t->CheckBox2->isVisible());
            t->Edit8->setText(title);
            auto* button = d->findChild<QRadioButton*>(role);
            button->click();
            t->Edit1->setText(name);
            t->Edit2->setText(unvan);
            click(t->BitBtn4);
        });
    }

    // The log question, answered.
    static void expectLogQuestion(bool yes)
    {
        modals().expect("TForm5", [yes](QDialog* d) {
            EXPECT_EQ(Form5->Label1->text(), "Müsabaka kartı yazdırılan kişiler kaydedilsin mi?");
            click(yes ? static_cast<QWidget*>(Form5->BitBtn1) : static_cast<QWidget*>(Form5->BitBtn2));
            (void)d;
        });
    }

    // Five athletes; the registry list holds them all.
    void addAthletes()
    {
        addPerson(1, "ŞÜKRÜ ÇAĞLAR", "0000201", {{"Vergi_Dairesi", "İZMİR"}, {"E53", "BÜYÜKLER"}, {"E16", "GÜÇLÜ SPOR"},
                                               {"M3", QDate(1990, 1, 2)}});
        addPerson(2, "ÖMER IŞIK", "0000202", {{"Vergi_Dairesi", "ANKARA"}});
        addPerson(3, "AYŞE ÖZTÜRK", "0000203");
        addPerson(4, "GÜLŞEN İNCE", "0000204");
        addPerson(5, "CAN DEMİR", "0000205");
    }

    // A registry launch whose preview is saved as a PDF (or only looked at).
    // `answer`: the answer to the log question (1 yes, 0 no), -1 when none
    // is asked.
    ReportDocument launch(const char* role, const QString& pdf, int answer = -1, const QString& name = QString(),
                          const QString& unvan = QString())
    {
        std::optional<ReportDocument> pages;
        expectTitle("KICK BOKS ŞAMPİYONASI", role, name, unvan);
        expectPreview(pages, pdf);
        if (answer >= 0)
            expectLogQuestion(answer == 1);
        Cards::MsabakaKart1Click(caller(), searched(QString(), 5));
        return pages ? *pages : ReportDocument{};
    }
};

TEST_F(AkreditasyonTest, SavedAthleteCardsAreLoggedInPrintOrderInCodePage1254)
{
    addAthletes();
    const QString pdf = m_out.filePath("kart.pdf");
    const ReportDocument doc = launch("RadioButton1", pdf, 1);
    EXPECT_EQ(modals().pending(), 0);
    ASSERT_EQ(doc.pageCount(), 5);

    const QString lines = "15.03.2010 09:07 0000203 AYŞE ÖZTÜRK\r\n"
                          "15.03.2010 09:07 0000205 CAN DEMİR\r\n"
                          "15.03.2010 09:07 0000204 GÜLŞEN İNCE\r\n"
                          "15.03.2010 09:07 0000202 ÖMER IŞIK\r\n"
                          "15.03.2010 09:07 0000201 ŞÜKRÜ ÇAĞLAR\r\n";
    EXPECT_EQ(logBytes(), Cp1254::encode(lines));
    // Turkish letters are single bytes of the code page: "Ş" 0xDE, "İ" 0xDD.
    EXPECT_TRUE(logBytes().contains("\xDE\xDC" "KR\xDC \xC7" "A\xD0" "LAR\r\n"));

    // A second launch appends after the first.
    launch("RadioButton1", m_out.filePath("kart2.pdf"), 1);
    EXPECT_EQ(logBytes(), Cp1254::encode(lines + lines));
}

TEST_F(AkreditasyonTest, APreviewThatIsOnlyLookedAtLogsNothingAndAsksNothing)
{
    addAthletes();
    launch("RadioButton1", QString());
    EXPECT_FALSE(modals().seen().contains("TForm5"));
    EXPECT_FALSE(logExists());
}

TEST_F(AkreditasyonTest, AnsweringNoLeavesTheLogAsItWas)
{
    addAthletes();
    Cp1254::writeFile(DriveMap::toHost(TAkreditasyon::logFile()), "ESKİ SATIR\r\n");
    launch("RadioButton1", m_out.filePath("kart.pdf"), 0);
    EXPECT_EQ(logBytes(), Cp1254::encode("ESKİ SATIR\r\n"));
}

TEST_F(AkreditasyonTest, TheCardIsAnA6PageWithItsPartsInPlaceAndABarcodeThatScans)
{
    addAthletes();
    addPhoto(1);
    const QString pdf = m_out.filePath("kart.pdf");
    const ReportDocument doc = launch("RadioButton1", pdf, 0);
    EXPECT_NEAR(doc.pageSize.width(), 105, 1e-6);
    EXPECT_NEAR(doc.pageSize.height(), 148, 1e-6);
    EXPECT_EQ(doc.title, "Kimlik");
    const ReportPage& page = doc.pages[4];   // ŞÜKRÜ ÇAĞLAR
    expectRect(page.find("Background"), kA6Left + 2.6, kA6Top + 7.4, 90.0, 124.6);
    expectRect(page.find("Photo"), kA6Left + 34.7, kA6Top + 55.8, 26.5, 31.8);
    // The barcode block at the card's foot beside the day boxes, clear of
    // the club row.
    expectRect(page.find("BarcodeFrame"), kA6Left + 4.2, kA6Top + 123.8, 38.4, 6.6);
    expectRect(page.find("DayBox1"), kA6Left + 51.3, kA6Top + 123.8, 5.6, 5.0);
    expectRect(page.find("DayShadow3"), kA6Left + 86.0, kA6Top + 124.6, 5.6, 5.0);
    const ReportItem* bars = page.find("ReportBarcode1");
    ASSERT_NE(bars, nullptr);
    EXPECT_NEAR(bars->rect.top(), kA6Top + 124.3, 0.01);
    // The bars end at the register line under them (within a hundredth of
    // a millimetre: they are 8 units of 1/96 inch high).
    EXPECT_NEAR(bars->rect.height(), px(8), 0.01);
    EXPECT_LE(bars->rect.bottom(), kA6Top + 126.6 + 0.02);
    // Centred in the frame, with the quiet zone a scanner wants: ten
    // modules of white left and right of the bars, inside the frame's lines,
    // and nothing else printed there.
    const ReportItem* frame = page.find("BarcodeFrame");
    const QRectF symbol = cards::symbolOf(*bars);
    ASSERT_NEAR(symbol.width(), px(123), 0.01);
    EXPECT_NEAR(symbol.center().x(), frame->rect.center().x(), 0.01);
    const double pen = frame->penWidth / 2;
    const QRectF zone = symbol.adjusted(-10 * px(1), 0, 10 * px(1), 0);
    EXPECT_TRUE(frame->rect.adjusted(pen, pen, -pen, -pen).contains(zone));
    for (const ReportItem& i : page.items) {
        if (&i == bars || i.name == "Background" || i.name == "BarcodeFrame")
            continue;
        EXPECT_FALSE(cards::marks(i, zone)) << i.name.toStdString();
    }
    EXPECT_NEAR(page.find("QRLabelRegister")->rect.left(), bars->rect.left(), 0.01);
    EXPECT_GE(page.find("BarcodeFrame")->rect.top(), page.find("QRLabelClub")->rect.bottom());
    // The day captions print whole before their boxes.
    QImage fine(1, 1, QImage::Format_RGB32);
    fine.setDotsPerMeterX(47244);
    fine.setDotsPerMeterY(47244);
    for (const char* k : {"1", "2", "3"}) {
        const ReportItem* day = page.find(QString("DayLabel") + k);
        ASSERT_NE(day, nullptr);
        EXPECT_EQ(day->text, QString(k) + ".Gün");
        const double textWidth = QFontMetricsF(day->font, &fine).horizontalAdvance(day->text) * 1000.0 / 47244;
        EXPECT_LE(textWidth, day->rect.width()) << k;
        EXPECT_LE(day->rect.right(), page.find(QString("DayBox") + k)->rect.left()) << k;
    }
    EXPECT_EQ(textOn(page, "QRLabelRole"), "SPORCU");
    EXPECT_EQ(textOn(page, "QRLabelTitle"), "KICK BOKS ŞAMPİYONASI");
    EXPECT_EQ(textOn(page, "QRLabelRegister"), "Sicil No:0000201");
    EXPECT_EQ(textOn(page, "QRLabelBirth"), "02.01.1990");

    cards::expectPdfPages(pdf, 5, 105, 148);
    EXPECT_EQ(BarcodeTest::zbarFile(cards::pageImage(pdf, 5, m_out.path())), QStringList{"CODE-128:0000201"});
}

TEST_F(AkreditasyonTest, APersonWithoutRegisterNumberGetsNoBarcodeAndNoRegisterLine)
{
    addPerson(1, "ŞÜKRÜ ÇAĞLAR", "");
    const ReportDocument doc = launch("RadioButton1", m_out.filePath("kart.pdf"), 0);
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_FALSE(fixture::prints(doc.pages[0], "ReportBarcode1"));
    EXPECT_FALSE(fixture::prints(doc.pages[0], "QRLabelRegister"));
    EXPECT_EQ(textOn(doc.pages[0], "QRLabelName"), "ŞÜKRÜ ÇAĞLAR");
}

struct KindCase {
    const char* name;
    const char* button;        // role button of the title dialog
    int kind;
    const char* role;
    const char* caption;       // the large caption
    const char* category;
    const char* club;          // the club row's value
    bool clubCaption;
    bool birth;
    bool days;
};

class AccreditationKindTest : public AkreditasyonTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(AccreditationKindTest, EachKindFillsItsOwnRows)
{
    const KindCase& c = GetParam();
    addPerson(1, "ŞÜKRÜ ÇAĞLAR", "0000201",
              {{"Vergi_Dairesi", "İZMİR"}, {"E53", "BÜYÜKLER"}, {"E16", "GÜÇLÜ SPOR"}, {"M3", QDate(1990, 1, 2)},
               {"E51", "ULUSAL HAKEM"}, {"E52", "2.KADEME ANTRENÖR"}});
    std::optional<ReportDocument> pages;
    if (c.kind == 1) {
        // The weigh-in screen: its activity title and the class as category.
        modals().expect("TBaslik1S", [](QDialog* d) {
            auto* t = static_cast<TBaslik1S*>(d);
            EXPECT_TRUE(t->Edit8->isReadOnly());
            t->Edit8->setText("KICK BOKS ŞAMPİYONASI");
            t->FActivityTitle = "KICK BOKS ŞAMPİYONASI\n12 - 14 MART 2010  İZMİR";
            d->close();
        });
        expectPreview(pages, m_out.filePath("kart.pdf"));
        expectLogQuestion(false);
        Cards::weighInCards(caller(), {1}, "ERKEK 60 KİLO");
    } else {
        expectTitle("KICK BOKS ŞAMPİYONASI", c.button, c.kind == 5 ? "AHMET KONUK" : "", "BASIN");
        expectPreview(pages, m_out.filePath("kart.pdf"));
        if (c.kind != 5)
            expectLogQuestion(false);
        Cards::MsabakaKart1Click(caller(), searched(QString(), 1));
    }
    EXPECT_EQ(modals().pending(), 0);
    ASSERT_TRUE(pages);
    ASSERT_EQ(pages->pageCount(), 1);
    const ReportPage& p = pages->pages[0];
    EXPECT_EQ(textOn(p, "QRLabelRole"), QString::fromUtf8(c.role));
    EXPECT_EQ(textOn(p, "QRLabelCaption"), QString::fromUtf8(c.caption));
    EXPECT_EQ(textOn(p, "QRLabelName"), c.kind == 5 ? "AHMET KONUK" : "ŞÜKRÜ ÇAĞLAR");
    EXPECT_EQ(textOn(p, "QRLabelRegion"), c.kind == 4 || c.kind == 5 ? "" : "İZMİR");
    EXPECT_EQ(fixture::prints(p, "CaptionRegion"), c.kind != 4 && c.kind != 5);
    EXPECT_EQ(textOn(p, "QRLabelCategory"), QString::fromUtf8(c.category));
    EXPECT_EQ(textOn(p, "QRLabelClub"), QString::fromUtf8(c.club));
    EXPECT_EQ(fixture::prints(p, "CaptionClub"), c.clubCaption);
    EXPECT_EQ(fixture::prints(p, "CaptionBirth"), c.birth);
    EXPECT_EQ(fixture::prints(p, "DayBox1") && fixture::prints(p, "DayLabel3"), c.days);
    EXPECT_EQ(fixture::prints(p, "ReportBarcode1"), c.kind != 5);
    if (c.kind == 1) {
        EXPECT_EQ(fixture::textsOf(*pages, "QRLabelTitle"),
                  (QStringList{"KICK BOKS ŞAMPİYONASI", "12 - 14 MART 2010  İZMİR"}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, AccreditationKindTest,
    ::testing::Values(
        KindCase{"WeighInAthlete", "", 1, "SPORCU", "", "ERKEK 60 KİLO", "GÜÇLÜ SPOR", true, true, true},
        KindCase{"Athlete", "RadioButton1", 2, "SPORCU", "", "BÜYÜKLER", "GÜÇLÜ SPOR", true, true, true},
        KindCase{"Referee", "RadioButton2", 3, "HAKEM", "", "ULUSAL HAKEM", "", false, false, false},
        KindCase{"Title", "RadioButton4", 4, "", "BASIN", "", "", false, false, false},
        KindCase{"TypedName", "RadioButton6", 5, "", "BASIN", "", "", false, false, false},
        KindCase{"Coach", "RadioButton3", 6, "ANTRENÖR", "", "2.KADEME ANTRENÖR", "", false, false, false},
        KindCase{"RefereeCoach", "RadioButton5", 7, "HAKEM-ANTRENÖR", "", "ULUSAL HAKEM", "2.KADEME ANTRENÖR", false,
                 false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AkreditasyonTest, ATypedNameNeedsNoSearchAndIsNeverLogged)
{
    std::optional<ReportDocument> pages;
    expectTitle("KICK BOKS ŞAMPİYONASI", "RadioButton6", "AHMET KONUK", "BASIN");
    expectPreview(pages, m_out.filePath("kart.pdf"));
    Cards::MsabakaKart1Click(caller(), Cards::RegistryList{});
    ASSERT_TRUE(pages);
    EXPECT_EQ(pages->pageCount(), 1);
    EXPECT_FALSE(modals().seen().contains("TForm5"));
    EXPECT_FALSE(logExists());
}

TEST_F(AkreditasyonTest, TheLaunchRefusesAnEmptyTitleAMissingNameAndAMissingSearch)
{
    expectTitle("", "RadioButton1");
    Cards::MsabakaKart1Click(caller(), searched());
    expectTitle("BAŞLIK", "RadioButton6");
    Cards::MsabakaKart1Click(caller(), searched());
    expectTitle("BAŞLIK", "RadioButton1");
    Cards::MsabakaKart1Click(caller(), Cards::RegistryList{});
    EXPECT_EQ(ui().texts(),
              (QStringList{"Lütfen Başlık Belirtiniz ...!", "Lütfen Ad Soyad Giriniz ...!",
                           "Lütfen 'Kayıt Bul' Düğmesine Basarak Kart Bastıracağınız Kişiyi Seçiniz ...!"}));
    EXPECT_FALSE(Baslik1S->Panel1->isVisibleTo(Baslik1S));
}

TEST_F(AkreditasyonTest, AWeighInCardThatWasNotPrintedIsNotLogged)
{
    addAthletes();
    modals().expect("TBaslik1S", [](QDialog* d) {
        static_cast<TBaslik1S*>(d)->Edit8->setText("KICK BOKS ŞAMPİYONASI");
        d->close();
    });
    ui().answerCancel();   // the printer chooser
    Cards::weighInCard(caller(), 1, "ERKEK 60 KİLO");
    EXPECT_EQ(modals().pending(), 0);
    EXPECT_FALSE(modals().seen().contains("TForm5"));
    EXPECT_FALSE(logExists());
}

TEST_F(AkreditasyonTest, AWeighInCardNeedsAnActivity)
{
    modals().expect("TBaslik1S", [](QDialog* d) { d->close(); });
    Cards::weighInCard(caller(), 1, "ERKEK 60 KİLO");
    EXPECT_EQ(ui().texts(), QStringList{"Lütfen Turnuva Seçiniz ...!"});
}
