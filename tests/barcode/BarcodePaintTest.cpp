// Painting: where the bars land at each angle, short bars, colours, the
// human-readable line and the painter's state.
#include "BarcodeTestSupport.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

using namespace BarcodeTest;

namespace {

// The register number as the cards print it: EAN-128A, Modul 1, 40 high.
void cardSymbol(TBarcode& b, double angle = 0)
{
    b.setTyp(bcCodeEAN128A);
    b.setText("1234567");
    b.setHeight(40);
    b.setAngle(angle);
}

QImage blank(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage paintAtOrigin(TBarcode& b)
{
    QImage image = blank(b.RotatedWidth(), b.RotatedHeight());
    QPainter p(&image);
    b.RenderTo(p);
    return image;
}

struct AngleCase {
    double angle;
    int width, height;   // the rotated box
    enum Read { LeftToRight, BottomToTop, RightToLeft, TopToBottom } read;
};

class BarcodeAngle : public ::testing::TestWithParam<AngleCase> {};

TEST_P(BarcodeAngle, BarsFillTheRotatedBoxInOrder)
{
    const AngleCase& c = GetParam();
    TBarcode b;
    cardSymbol(b, c.angle);
    EXPECT_EQ(b.RotatedWidth(), c.width);
    EXPECT_EQ(b.RotatedHeight(), c.height);
    const QImage image = paintAtOrigin(b);
    const std::vector<int> expected = elementWidths(b);

    std::vector<QRgb> line;
    switch (c.read) {
    case AngleCase::LeftToRight:
        line = row(image, 20);
        break;
    case AngleCase::RightToLeft:
        line = row(image, 20);
        std::reverse(line.begin(), line.end());
        break;
    case AngleCase::TopToBottom:
        line = column(image, 20);
        break;
    case AngleCase::BottomToTop:
        line = column(image, 20);
        std::reverse(line.begin(), line.end());
        break;
    }
    // The first bar stands at the edge the symbol starts from; the 123
    // units leave one light pixel line at the far edge of the 124 box.
    EXPECT_TRUE(dark(line.front()));
    EXPECT_FALSE(dark(line.back()));
    const Runs r = runs(line);
    std::vector<int> symbol = r.widths;
    symbol.pop_back();   // the light line at the far edge
    EXPECT_EQ(symbol, expected);
}

INSTANTIATE_TEST_SUITE_P(Angles, BarcodeAngle,
                         ::testing::Values(AngleCase{0, 124, 40, AngleCase::LeftToRight},
                                           AngleCase{90, 40, 124, AngleCase::BottomToTop},
                                           AngleCase{180, 124, 40, AngleCase::RightToLeft},
                                           AngleCase{270, 40, 124, AngleCase::TopToBottom}));

TEST(BarcodePaint, BarsAreFullHeightAtAngleZero)
{
    TBarcode b;
    cardSymbol(b);
    const QImage image = paintAtOrigin(b);
    const std::vector<QRgb> top = row(image, 0);
    for (int y = 1; y < image.height(); ++y)
        ASSERT_EQ(row(image, y), top) << "row " << y;
}

TEST(BarcodePaint, RotatedBoxOfAnOddAngle)
{
    TBarcode b;
    cardSymbol(b, 45);
    // 0.7071 x (123 + 40) + 0.5 = 115.76
    EXPECT_EQ(b.RotatedWidth(), 116);
    EXPECT_EQ(b.RotatedHeight(), 116);
    // The rotated symbol stays inside its box (a light border of the box
    // around it is allowed, no bar is cut).
    QImage image = blank(116 + 20, 116 + 20);
    b.setLeft(10);
    b.setTop(10);
    {
        QPainter p(&image);
        b.RenderTo(p);
    }
    for (int i = 0; i < image.width(); ++i) {
        for (int edge : {0, 1, 2, 3, image.width() - 4, image.width() - 3, image.width() - 2, image.width() - 1}) {
            EXPECT_FALSE(dark(image.pixel(i, edge))) << i << "," << edge;
            EXPECT_FALSE(dark(image.pixel(edge, i))) << edge << "," << i;
        }
    }
}

TEST(BarcodePaint, ModulScalesEveryElement)
{
    TBarcode one, three;
    cardSymbol(one);
    cardSymbol(three);
    three.setModul(3);
    std::vector<int> expected = elementWidths(one);
    for (int& w : expected)
        w *= 3;
    const QImage image = paintAtOrigin(three);
    std::vector<int> symbol = runs(row(image, 20)).widths;
    symbol.pop_back();
    EXPECT_EQ(symbol, expected);
    EXPECT_EQ(three.Width(), 369);
}

TEST(BarcodePaint, PostNetShortBarsStandOnTheBaseline)
{
    TBarcode b;
    b.setTyp(bcCodePostNet);
    b.setText("1");   // short, short, short, tall, tall
    b.setHeight(40);
    b.setModul(2);
    const QImage image = paintAtOrigin(b);
    // Elements: start bar (x 0-1), space (2-5), then bars at 6, 12, 18, 24, 30.
    const int shortTop = 40 - 40 * 2 / 5;   // 24
    for (int x : {6, 12, 18}) {
        EXPECT_FALSE(dark(image.pixel(x, shortTop - 1))) << x;
        EXPECT_TRUE(dark(image.pixel(x, shortTop))) << x;
        EXPECT_TRUE(dark(image.pixel(x, 39))) << x;
    }
    for (int x : {0, 24, 30}) {
        EXPECT_TRUE(dark(image.pixel(x, 0))) << x;
        EXPECT_TRUE(dark(image.pixel(x, 39))) << x;
    }
}

TEST(BarcodePaint, BarsAndSpacesInTheirColours)
{
    TBarcode b;
    cardSymbol(b);
    b.ColorBar = QColor(0x2D, 0x2D, 0x2D);
    b.Color = QColor(Qt::yellow);
    const QImage image = paintAtOrigin(b);
    // Start A is a bar of 2, a space of 1, ...
    EXPECT_EQ(QColor(image.pixel(0, 10)), QColor(0x2D, 0x2D, 0x2D));
    EXPECT_EQ(QColor(image.pixel(2, 10)), QColor(Qt::yellow));
    EXPECT_EQ(QColor(image.pixel(123, 10)), QColor(Qt::white));   // beyond the symbol
}

TEST(BarcodePaint, GivesThePainterItsFontPenAndBrushBack)
{
    TBarcode b;
    cardSymbol(b);
    b.setShowText(bcoBoth);
    b.setTop(40);
    QImage image = blank(200, 100);
    QPainter p(&image);
    const QFont font("DejaVu Serif", 17);
    const QPen pen(Qt::green, 3);
    const QBrush brush(Qt::magenta, Qt::Dense4Pattern);
    p.setFont(font);
    p.setPen(pen);
    p.setBrush(brush);
    b.RenderTo(p);
    EXPECT_EQ(p.font(), font);
    EXPECT_EQ(p.pen(), pen);
    EXPECT_EQ(p.brush(), brush);
}

TEST(BarcodePaint, ARefusedTextPaintsNothing)
{
    TBarcode b;
    b.setTyp(bcCodeEAN13);
    b.setText("12345X");
    b.setHeight(40);
    b.setShowText(bcoBoth);
    QImage image = blank(200, 60);
    const QImage before = image.copy();
    QPainter p(&image);
    try {
        b.RenderTo(p);
        ADD_FAILURE() << "no error";
    } catch (const EBarcodeError& e) {
        EXPECT_EQ(e.Message(), "Barcode must be numeric");
    }
    p.end();
    EXPECT_EQ(image, before);
}

// --- The human-readable line -------------------------------------------------------

bool isRed(QRgb c)
{
    return qRed(c) > 150 && qGreen(c) < 120 && qBlue(c) < 120;
}

struct TextPlace {
    TShowTextPosition position;
    const char* name;
};

class BarcodeText : public ::testing::TestWithParam<TextPlace> {};

// The text stands on a white box at its place: inside the box no bar is
// left, only the text's colour on white; the bars around it are untouched.
TEST_P(BarcodeText, CodeOnAWhiteBoxAtItsPlace)
{
    const TShowTextPosition pos = GetParam().position;
    TBarcode b;
    cardSymbol(b);
    b.setModul(2);
    b.setHeight(60);
    b.setShowText(bcoCode);
    b.setShowTextPosition(pos);
    b.ShowTextFontColor = Qt::red;
    b.setLeft(10);
    b.setTop(10);
    QImage image = blank(b.Width() + 20, 80);
    {
        QPainter p(&image);
        b.RenderTo(p);
    }
    const QFontMetrics fm(b.ShowTextFont(), &image);
    const int tw = fm.horizontalAdvance("1234567"), th = fm.height();
    const int W = b.Width();
    int x = 10;
    if (pos == stpTopRight || pos == stpBottomRight)
        x = 10 + W - tw;
    else if (pos == stpTopCenter || pos == stpBottomCenter)
        x = 10 + (W - tw) / 2;
    const int y = pos >= stpBottomLeft ? 10 + 60 - th : 10;
    const QRect box(x, y, tw, th);

    int red = 0;
    for (int yy = box.top(); yy <= box.bottom(); ++yy)
        for (int xx = box.left(); xx <= box.right(); ++xx) {
            const QRgb c = image.pixel(xx, yy);
            EXPECT_FALSE(qGray(c) < 60 && !isRed(c)) << "bar left inside the box at " << xx << "," << yy;
            red += isRed(c) ? 1 : 0;
        }
    EXPECT_GT(red, 20);
    // Bars go on above or below the box, across its whole width.
    const int outside = pos >= stpBottomLeft ? y - 2 : y + th + 1;
    int barPixels = 0;
    for (int xx = box.left(); xx <= box.right(); ++xx)
        barPixels += dark(image.pixel(xx, outside)) ? 1 : 0;
    EXPECT_GT(barPixels, tw / 4);
    // Nothing red outside the box.
    int redOutside = 0;
    for (int yy = 0; yy < image.height(); ++yy)
        for (int xx = 0; xx < image.width(); ++xx)
            if (!box.contains(xx, yy) && isRed(image.pixel(xx, yy)))
                ++redOutside;
    EXPECT_EQ(redOutside, 0);
}

INSTANTIATE_TEST_SUITE_P(Places, BarcodeText,
                         ::testing::Values(TextPlace{stpTopLeft, "TopLeft"}, TextPlace{stpTopRight, "TopRight"},
                                           TextPlace{stpTopCenter, "TopCenter"},
                                           TextPlace{stpBottomLeft, "BottomLeft"},
                                           TextPlace{stpBottomRight, "BottomRight"},
                                           TextPlace{stpBottomCenter, "BottomCenter"}),
                         [](const ::testing::TestParamInfo<TextPlace>& i) { return std::string(i.param.name); });

TEST(BarcodePaint, TypeNameStandsAboveTheSymbolAtTheLeft)
{
    TBarcode b;
    cardSymbol(b);
    b.setShowText(bcoTyp);
    b.ShowTextFontColor = Qt::red;
    b.setShowTextFont(QFont("DejaVu Sans", 8));   // 8 points: a height of -11 at 96 dpi
    b.setLeft(10);
    b.setTop(40);
    QImage image = blank(150, 90);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    {
        QPainter p(&image);
        b.RenderTo(p);
    }
    // At Top + round(-11 x 2.5) = 40 - 28 = 12, left-aligned at Left.
    const QFontMetrics fm(b.ShowTextFont(), &image);
    const QRect box(10, 12, fm.horizontalAdvance("EAN128A"), fm.height());
    int red = 0, redOutside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isRed(image.pixel(x, y)))
                ++(box.contains(x, y) ? red : redOutside);
    EXPECT_GT(red, 20);
    EXPECT_EQ(redOutside, 0);
    // The bars are all there: the name does not reach them.
    std::vector<int> symbol = runs(row(image, 60)).widths;
    symbol.erase(symbol.begin());
    symbol.pop_back();
    EXPECT_EQ(symbol, elementWidths(b));
}

} // namespace
