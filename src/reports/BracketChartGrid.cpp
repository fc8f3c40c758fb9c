#include "reports/BracketChartGrid.h"

#include "platform/report/Report.h"

#include <algorithm>

namespace {

// Label numbers of the portrait chart's grid, per join column.
constexpr int kGridLines[] = {1, 5, 13, 18, 23, 28, 33, 38, 43};
constexpr int kGridUpper[] = {4, 7, 15, 20, 25, 30, 35, 40, 45};
constexpr int kGridLower[] = {2, 8, 16, 21, 26, 31, 36, 41, 46};
constexpr int kGridStubs[] = {3, 9, 17, 22, 27, 32, 37, 42, 47};
constexpr int kGridNumbers[] = {56, 57, 58, 59, 60, 61, 62, 63, 64};
constexpr int kGridWinners[] = {65, 66, 67, 68, 69, 70, 71, 72, 73};
constexpr int kGridJoinColumns = 9;

QString gridLabelName(int number, const QString& suffix)
{
    return "QRLabel" + QString::number(number) + suffix;
}

} // namespace

BracketChartGrid::BracketChartGrid(ReportBand* band, const Layout& layout) : m_layout(layout)
{
    const Layout& l = m_layout;
    const int joins = std::min<int>(int(l.joinX.size()), kGridJoinColumns);
    auto label = [&](int number, const QRectF& r) {
        ReportLabel* lab = band->addLabel(gridLabelName(number, l.suffix), r);
        lab->frame.color = l.connectorColor;
        lab->font = QFont(l.fontFamily, int(l.numberSize));
        return lab;
    };
    m_name = band->addLabel("QRLabel53" + l.suffix, place(0, l.nameWidth, -9, 11));
    m_name->font = QFont(l.fontFamily, int(l.nameSize));
    m_name->alignment = (l.mirrored ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignBottom;
    m_detail = band->addLabel("QRLabel52" + l.suffix, place(1, l.nameWidth, 4, 9));
    m_detail->font = QFont(l.fontFamily, int(l.detailSize));
    m_detail->color = QColor(128, 0, 0);
    m_detail->alignment = (l.mirrored ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop;

    for (int j = 0; j < joins; ++j) {
        const double x = l.joinX[size_t(j)];
        const double from = j == 0 ? l.firstLineStart : l.joinX[size_t(j - 1)] + 6;
        const double to = j == 0 ? l.firstLineEnd : x - 8;
        Column c;
        c.line = label(kGridLines[j], place(from, to, l.lineY, 6));
        if (j == 1)
            c.byeLine = label(6, place(from, to, l.lineY, 6));
        c.up = label(kGridUpper[j], QRectF());
        c.down = label(kGridLower[j], QRectF());
        c.stub = label(kGridStubs[j], place(x, x + 8, l.lineY, 6));
        c.boutNo = label(kGridNumbers[j], place(x + 2, x + 48, l.lineY, 10));
        c.boutNo->color = QColor(0, 0, 128);
        c.boutNo->alignment = (l.mirrored ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop;
        const double winnerEnd = j + 1 < joins ? l.joinX[size_t(j + 1)] - 8 : (l.lastLineEnd > 0 ? l.lastLineEnd : x + 56);
        if (j + 1 < kGridJoinColumns || l.winnerAtLastColumn) {
            c.winner = label(kGridWinners[j], place(x + 8, winnerEnd, -9, 11));
            c.winner->font = QFont(l.fontFamily, int(l.nameSize));
            c.winner->alignment = (l.mirrored ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignBottom;
        }
        m_columns.push_back(c);
    }
    setRowHeight(l.rowHeight);
    if (l.lastLineEnd > 0 && joins > 0) {
        const double from = l.joinX[size_t(joins - 1)] + 6;
        m_afterLast = label(joins < kGridJoinColumns ? kGridLines[joins] : 14, place(from, l.lastLineEnd, l.lineY, 6));
        if (l.lastLineEndPiece > l.lastLineEnd)
            m_afterLastPiece = label(joins < kGridJoinColumns ? kGridLower[joins] : 51,
                                     place(l.lastLineEnd, l.lastLineEndPiece, l.lineY, 6));
    }
}

QRectF BracketChartGrid::place(double x1, double x2, double y, double h) const
{
    if (m_layout.mirrored) {
        const double a = m_layout.mirrorAxis - x2;
        const double b = m_layout.mirrorAxis - x1;
        x1 = a;
        x2 = b;
    }
    return QRectF(px(x1), px(y), px(x2 - x1), px(h));
}

void BracketChartGrid::setVertical(ReportLabel* label, bool on)
{
    if (m_layout.mirrored)
        label->frame.left = on;
    else
        label->frame.right = on;
}

void BracketChartGrid::setRowHeight(double rowHeight)
{
    m_layout.rowHeight = rowHeight;
    const double lineY = m_layout.lineY;
    for (size_t j = 0; j < m_columns.size(); ++j) {
        const double x = m_layout.joinX[j];
        // The upper connector reaches up into the row above, the lower one
        // down to the row's bottom, so consecutive rows join into one line.
        const double reach = std::min(8.0, rowHeight / 2);
        m_columns[j].up->rect = place(x - 8, x, -reach, lineY + reach);
        m_columns[j].down->rect = place(x - 8, x, lineY, rowHeight - lineY);
    }
}

void BracketChartGrid::clear()
{
    apply(BracketChart::Side());
}

void BracketChartGrid::apply(const BracketChart::Side& s)
{
    m_name->caption = s.name.isEmpty() ? QString() : " " + s.name;
    m_detail->caption = s.detail;
    for (size_t j = 0; j < m_columns.size(); ++j) {
        Column& c = m_columns[j];
        if (c.byeLine) {
            c.line->frame.top = s.line[j] && !s.bye;
            c.byeLine->frame.top = s.line[j] && s.bye;
        } else {
            c.line->frame.top = s.line[j];
        }
        c.down->frame.top = s.lineEnd[j];
        setVertical(c.down, s.down[j]);
        setVertical(c.up, s.up[j]);
        c.stub->frame.top = s.stub[j];
        const bool shown = s.bout[j] != 0;
        c.boutNo->caption = shown ? s.boutNo[j] : QString();
        c.boutNo->enabled = shown;
        if (c.winner) {
            c.winner->caption = shown ? s.winner[j] : QString();
            c.winner->enabled = shown;
        }
    }
    const size_t last = m_columns.size();
    if (m_afterLast)
        m_afterLast->frame.top = s.line[last];
    if (m_afterLastPiece)
        m_afterLastPiece->frame.top = s.lineEnd[last];
}
