// The scoreboard's own drawn controls: a mark line painted in part shows the
// marks of that part, wherever they lie on a line longer than the screen.
#include "scoring/ScoreboardWidgets.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

struct MarkLineCase {
    const char* name;
    Qt::Alignment align;
    int marks;
    QRect part;     // the part painted, in the line's coordinates
};

void PrintTo(const MarkLineCase& c, std::ostream* os) { *os << c.name; }

class MarkLinePainting : public ::testing::TestWithParam<MarkLineCase> {};

// Renders `part` of a line 2000 pixels wide and checks every pixel column's
// middle: a mark's square is black, the gaps and the unpainted rest white.
TEST_P(MarkLinePainting, ShowsEveryMarkOfThePartPainted)
{
    const MarkLineCase& c = GetParam();
    SymbolLabel line(SymbolLabel::MarkLine, QString(c.marks, 'n'), nullptr);
    line.setAlignment(c.align | Qt::AlignVCenter);
    line.resize(2000, 24);
    QPalette pal = line.palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    line.setPalette(pal);
    line.setAutoFillBackground(true);

    QImage image(line.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    // The part lands where it lies on the line.
    line.render(&image, c.part.topLeft(), QRegion(c.part));

    const int pitch = SymbolLabel::kMarkPitch;
    const int side = std::min(line.height() - 4, pitch - 4);
    const int start = c.align & Qt::AlignRight ? line.width() - SymbolLabel::lineWidth(c.marks) : 0;
    const int y = line.height() / 2;
    for (int x = 0; x < line.width(); ++x) {
        const int offset = x - start;
        const bool onMark = offset >= 0 && offset < SymbolLabel::lineWidth(c.marks) && offset % pitch >= 2 &&
                            offset % pitch < 2 + side;
        const bool black = onMark && c.part.contains(x, y);
        ASSERT_EQ(image.pixelColor(x, y) == QColor(Qt::black), black) << "x " << x;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MarkLinePainting,
    ::testing::Values(MarkLineCase{"LeftAlignedMiddle", Qt::AlignLeft, 90, QRect(613, 0, 95, 24)},
                      MarkLineCase{"LeftAlignedStart", Qt::AlignLeft, 90, QRect(0, 0, 41, 24)},
                      MarkLineCase{"LeftAlignedPastTheMarks", Qt::AlignLeft, 5, QRect(50, 0, 400, 24)},
                      MarkLineCase{"RightAlignedMiddle", Qt::AlignRight, 90, QRect(1111, 0, 57, 24)},
                      MarkLineCase{"RightAlignedEnd", Qt::AlignRight, 3, QRect(1900, 0, 100, 24)},
                      MarkLineCase{"LongerThanTheLine", Qt::AlignLeft, 400, QRect(1990, 0, 10, 24)}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
