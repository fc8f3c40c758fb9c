// The report control: its picture follows the generator, the control's size
// follows the rotated symbol, and a report run prints each row's own
// symbol, in the display list and in a PDF.
#include "BarcodeTestSupport.h"

#include "reports/barcode/ReportBarcode.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace BarcodeTest;

namespace {

constexpr int k = TReportBarcode::kPixelsPerUnit;

// A report with one detail band; the control has the cards' design values.
class ReportBarcodeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        band = report.addBand(ReportBand::Detail, "DetailBand1", px(60));
        bc = band->add<TReportBarcode>("ReportBarcode1", QRectF(px(10), px(8), px(124), px(40)));
        bc->setTyp(bcCodeEAN128A);
        bc->setModul(1);
        bc->setRatio(2.0);
        bc->setBarcodeHeight(40);
        bc->setText("0000000");
    }

    // The picture with a white quiet zone around it, for zbarimg.
    static QImage withQuietZone(const QImage& picture)
    {
        QImage image(picture.width() + 40 * k, picture.height() + 40 * k, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.drawImage(20 * k, 20 * k, picture);
        return image;
    }

    Report report;
    ReportBand* band = nullptr;
    TReportBarcode* bc = nullptr;
};

TEST_F(ReportBarcodeTest, DesignValuesGiveA124By40Picture)
{
    EXPECT_EQ(bc->BarcodeWidth(), 123);
    EXPECT_NEAR(bc->rect.width(), px(124), 1e-9);
    EXPECT_NEAR(bc->rect.height(), px(40), 1e-9);
    EXPECT_NEAR(bc->rect.left(), px(10), 1e-9);
    EXPECT_NEAR(bc->rect.top(), px(8), 1e-9);
    EXPECT_EQ(bc->picture.size(), QSize(124 * k, 40 * k));
    // The picture's resolution makes it print at its size in units.
    EXPECT_NEAR(bc->picture.dotsPerMeterX() * 0.0254, 96.0 * k, 0.05);
    EXPECT_EQ(zbar(withQuietZone(bc->picture)), QStringList{"CODE-128:0000000"});
}

TEST_F(ReportBarcodeTest, GeneratorStartsWithHeight50)
{
    Report r;
    ReportBand* b = r.addBand(ReportBand::Detail, "DetailBand1", 20);
    auto* fresh = b->add<TReportBarcode>("ReportBarcode2", QRectF(0, 0, 10, 10));
    EXPECT_EQ(fresh->BarcodeHeight(), 50);
    EXPECT_EQ(fresh->Typ(), bcCodeEAN13);
    EXPECT_TRUE(fresh->picture.isNull());
    EXPECT_EQ(b->control("ReportBarcode2"), fresh);
}

TEST_F(ReportBarcodeTest, TheSameTextDoesNotRebuildAnotherDoes)
{
    const qint64 before = bc->picture.cacheKey();
    bc->setText("0000000");
    EXPECT_EQ(bc->picture.cacheKey(), before);
    bc->setText("1234567");
    EXPECT_NE(bc->picture.cacheKey(), before);
    EXPECT_EQ(zbar(withQuietZone(bc->picture)), QStringList{"CODE-128:1234567"});
}

TEST_F(ReportBarcodeTest, ColourAloneWaitsForTheNextTextChange)
{
    const QImage before = bc->picture;
    bc->setColorBar(QColor(0x2D, 0x2D, 0x2D));
    bc->setColor(Qt::yellow);
    bc->setCheckSumMethod(csmNone);
    EXPECT_EQ(bc->picture.cacheKey(), before.cacheKey());
    EXPECT_EQ(QColor(bc->picture.pixel(0, 0)), QColor(Qt::black));
    bc->setText("7654321");
    EXPECT_EQ(QColor(bc->picture.pixel(0, 0)), QColor(0x2D, 0x2D, 0x2D));
    EXPECT_EQ(QColor(bc->picture.pixel(2 * k, 0)), QColor(Qt::yellow));   // the start's first space
    EXPECT_EQ(bc->ColorBar(), QColor(0x2D, 0x2D, 0x2D));
}

TEST_F(ReportBarcodeTest, QuarterTurnStandsTheControlUpWithTheFirstBarAtTheBottom)
{
    bc->setAngle(90);
    EXPECT_NEAR(bc->rect.width(), px(40), 1e-9);
    EXPECT_NEAR(bc->rect.height(), px(124), 1e-9);
    ASSERT_EQ(bc->picture.size(), QSize(40 * k, 124 * k));
    const int x = 20 * k;
    EXPECT_TRUE(dark(bc->picture.pixel(x, 124 * k - 1)));   // the start's first bar
    EXPECT_FALSE(dark(bc->picture.pixel(x, 0)));            // the unit beyond the symbol
    EXPECT_EQ(zbar(withQuietZone(bc->picture)), QStringList{"CODE-128:0000000"});
}

TEST_F(ReportBarcodeTest, HalfTurnDrawsUpsideDownInTheSameBox)
{
    const QImage upright = bc->picture;
    bc->setAngle(180);
    EXPECT_NEAR(bc->rect.width(), px(124), 1e-9);
    EXPECT_NEAR(bc->rect.height(), px(40), 1e-9);
    ASSERT_EQ(bc->picture.size(), upright.size());
    // Upright the symbol fills columns 0 to 122; turned, 1 to 123 read from
    // the right.
    const int y = 20 * k;
    for (int x = 0; x < 123 * k; ++x)
        ASSERT_EQ(dark(bc->picture.pixel(124 * k - 1 - x, y)), dark(upright.pixel(x, y))) << x;
    EXPECT_FALSE(dark(bc->picture.pixel(0, y)));
}

TEST_F(ReportBarcodeTest, WritingBarcodeWidthScalesModulAndTheControl)
{
    bc->setBarcodeWidth(246);
    EXPECT_EQ(bc->Modul(), 2);
    EXPECT_EQ(bc->BarcodeWidth(), 246);
    EXPECT_NEAR(bc->rect.width(), px(246), 1e-9);   // 246.5 rounds to even
    EXPECT_EQ(bc->picture.width(), 246 * k);
}

TEST_F(ReportBarcodeTest, ResizeFitsTheControlToTheSymbolAgain)
{
    bc->rect.setSize(QSizeF(50, 50));
    bc->Resize();
    EXPECT_NEAR(bc->rect.width(), px(124), 1e-9);
    EXPECT_NEAR(bc->rect.height(), px(40), 1e-9);
}

TEST_F(ReportBarcodeTest, ARefusedTextThrowsAndLeavesNoPicture)
{
    bc->setTyp(bcCodeEAN13);
    try {
        bc->setText("12A");
        ADD_FAILURE() << "no error";
    } catch (const EBarcodeError& e) {
        EXPECT_EQ(e.Message(), "Barcode must be numeric");
    }
    EXPECT_TRUE(bc->picture.isNull());
    // The next good text draws again.
    bc->setText("4006381333931");
    EXPECT_FALSE(bc->picture.isNull());
}

TEST_F(ReportBarcodeTest, ShowTextPrintsTheNumberUnderTheBars)
{
    bc->Generator().ShowTextFontColor = Qt::red;
    bc->Generator().setShowTextPosition(stpBottomCenter);
    bc->setShowText(bcoCode);
    // Red pixels in the lower part of the picture, none in the upper.
    int lower = 0, upper = 0;
    for (int y = 0; y < bc->picture.height(); ++y)
        for (int x = 0; x < bc->picture.width(); ++x) {
            const QRgb c = bc->picture.pixel(x, y);
            if (qRed(c) > 150 && qGreen(c) < 120)
                ++(y >= bc->picture.height() / 2 ? lower : upper);
        }
    EXPECT_GT(lower, 50);
    EXPECT_EQ(upper, 0);
}

// --- In a report run ------------------------------------------------------------------

const QStringList kNumbers{"0000000", "1234567", "7654321"};

class ReportBarcodeRun : public ReportBarcodeTest {
protected:
    void SetUp() override
    {
        ReportBarcodeTest::SetUp();
        Records rows;
        for (const QString& n : kNumbers)
            rows << Record({"Vergi_Numarasi"}, {n});
        query.openRows(rows);
        report.dataSet = &query;
        band->addDataText("QRDBText1", {px(150), px(20), 40, 6}, &query, "Vergi_Numarasi");
        band->beforePrint = [this](ReportBand&, bool&) { bc->setText(query.str("Vergi_Numarasi")); };
    }
    ReportQuery query{"Query1"};
};

TEST_F(ReportBarcodeRun, EachRowPrintsItsOwnSymbol)
{
    const ReportDocument& doc = report.run();
    ASSERT_EQ(doc.pageCount(), 1);
    const std::vector<const ReportItem*> items = doc.pages[0].findAll("ReportBarcode1");
    ASSERT_EQ(items.size(), size_t(3));
    double previousTop = -1;
    for (int i = 0; i < 3; ++i) {
        const ReportItem& item = *items[i];
        EXPECT_EQ(item.kind, ReportItem::Image);
        EXPECT_EQ(item.band, "DetailBand1");
        EXPECT_NEAR(item.rect.width(), px(124), 1e-6);
        EXPECT_NEAR(item.rect.height(), px(40), 1e-6);
        EXPECT_GT(item.rect.top(), previousTop);
        previousTop = item.rect.top();
        EXPECT_TRUE(item.clip.isNull());
        EXPECT_EQ(zbar(withQuietZone(item.image)), QStringList{"CODE-128:" + kNumbers[i]}) << i;
    }
    EXPECT_EQ(doc.pages[0].texts(), kNumbers);
}

TEST_F(ReportBarcodeRun, PdfPageScansBackToEveryNumber)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("kart.pdf");
    ASSERT_TRUE(report.saveToFile(pdf));
    // To look at the page: BRIVEX_BARCODE_PDF=/tmp/kart.pdf
    if (const QString keep = qEnvironmentVariable("BRIVEX_BARCODE_PDF"); !keep.isEmpty()) {
        QFile::remove(keep);
        QFile::copy(pdf, keep);
    }
    // Every page, in grey, as PGM files: the same pixels as a PNG, without
    // the compression that costs poppler more than the rendering.
    QProcess p;
    p.start("pdftoppm", {"-r", "300", "-gray", pdf, dir.filePath("sayfa")});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QStringList pages = QDir(dir.path()).entryList({"sayfa*.pgm"});
    ASSERT_EQ(pages.size(), 1);
    QStringList read = zbarFile(dir.filePath(pages[0]));
    read.sort();
    EXPECT_EQ(read, (QStringList{"CODE-128:0000000", "CODE-128:1234567", "CODE-128:7654321"}));
}

TEST_F(ReportBarcodeRun, ARefusedNumberEndsTheRunWithItsMessage)
{
    Records rows;
    rows << Record({"Vergi_Numarasi"}, {"12345"}) << Record({"Vergi_Numarasi"}, {"12ab"});
    query.openRows(rows);
    bc->setTyp(bcCodeEAN128C);
    try {
        report.run();
        ADD_FAILURE() << "no error";
    } catch (const EBarcodeError& e) {
        EXPECT_EQ(e.Message(), "Barcode must be numeric");
    }
}

} // namespace
