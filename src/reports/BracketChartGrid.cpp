#include "reports/BracketChartGrid.h"

#include "platform/report/Report.h"
#include "platform/report/ReportFonts.h"
#include "reports/FitText.h"

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

// Gaps (px): between a text and the vertical line beside it, between a
// text and a line above or below it.
constexpr double kGridSideGap = 2;
constexpr double kGridLineGap = 1;
constexpr double kGridUnderGap = 0.5;
// The least room (px) a text above a line is given: one line of the
// smallest one-line type, even where the rows above are tight.
constexpr double kGridLeastRoom = 8;

// Texts fitted into the chart's narrow places: smaller type first, lines
// broken only when even small type is too wide.
const FitText::Limits kGridLimits{5, 4.5, ReportFonts::kCondensed};

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
        lab->font = QFont(l.fontFamily);
        lab->font.setPointSizeF(l.numberSize);
        return lab;
    };
    m_name = band->addLabel("QRLabel53" + l.suffix, place(0, l.nameWidth, -9, 11));
    m_name->font = QFont(l.fontFamily);
    m_name->font.setPointSizeF(l.nameSize);
    m_name->alignment = (l.mirrored ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignBottom;
    m_detail = band->addLabel("QRLabel52" + l.suffix, place(1, l.nameWidth, 4, 9));
    m_detail->font = QFont(l.fontFamily);
    m_detail->font.setPointSizeF(l.detailSize);
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
        if (j + 1 < kGridJoinColumns || l.winnerAtLastColumn) {
            c.winner = label(kGridWinners[j], place(x + 8, x + 56, -9, 11));
            c.winner->font.setPointSizeF(l.nameSize);
            c.winner->alignment = (l.mirrored ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignBottom;
        }
        m_columns.push_back(c);
    }
    if (l.lastLineEnd > 0 && joins > 0) {
        const double from = l.joinX[size_t(joins - 1)] + 6;
        m_afterLast = label(joins < kGridJoinColumns ? kGridLines[joins] : 14, place(from, l.lastLineEnd, l.lineY, 6));
        if (l.lastLineEndPiece > l.lastLineEnd)
            m_afterLastPiece = label(joins < kGridJoinColumns ? kGridLower[joins] : 51,
                                     place(l.lastLineEnd, l.lastLineEndPiece, l.lineY, 6));
    }
    setRowHeight(l.rowHeight, l.lineY);
    restartPage(12);
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
    setRowHeight(rowHeight, m_layout.lineY);
}

void BracketChartGrid::setRowHeight(double rowHeight, double lineY)
{
    m_layout.rowHeight = rowHeight;
    m_layout.lineY = lineY;
    auto atLine = [&](ReportLabel* label) {
        if (label)
            label->rect.moveTop(px(lineY));
    };
    for (size_t j = 0; j < m_columns.size(); ++j) {
        const double x = m_layout.joinX[j];
        Column& c = m_columns[j];
        // The upper connector reaches up into the row above, the lower one
        // down to the row's bottom, so consecutive rows join into one line.
        const double reach = std::min(8.0, rowHeight / 2);
        c.up->rect = place(x - 8, x, -reach, lineY + reach);
        c.down->rect = place(x - 8, x, lineY, rowHeight - lineY);
        atLine(c.line);
        atLine(c.byeLine);
        atLine(c.stub);
    }
    atLine(m_afterLast);
    atLine(m_afterLastPiece);
}

void BracketChartGrid::restartPage(double room)
{
    m_y = 0;
    m_rowTop = 0;
    m_lineTop = m_layout.lineY;
    const size_t lanes = m_columns.size() + 1;
    m_laneBottom.assign(lanes, -room);
    m_textTop.assign(lanes, m_lineTop);
    // The row that goes onto the new page is fitted again for it.
    if (m_hasLast)
        applyAt(m_lastSide, m_lastPrinted);
}

double BracketChartGrid::laneBottom(int lane) const
{
    return lane >= 0 && lane < int(m_laneBefore.size()) ? m_laneBefore[size_t(lane)] : m_lineTop;
}

double BracketChartGrid::textTop(int lane) const
{
    return lane >= 0 && lane < int(m_textTop.size()) ? m_textTop[size_t(lane)] : m_lineTop;
}

double BracketChartGrid::laneLeft(int lane) const
{
    if (lane <= 0)
        return 0;
    return m_layout.joinX[size_t(lane - 1)] + kGridSideGap;
}

double BracketChartGrid::laneRight(int lane) const
{
    if (lane <= 0)
        return m_layout.nameWidth;
    if (lane < int(m_columns.size()))
        return m_layout.joinX[size_t(lane)] - kGridSideGap;
    const double end = std::max(m_layout.lastLineEndPiece, m_layout.lastLineEnd);
    return end > 0 ? end - kGridSideGap : m_layout.joinX[size_t(lane - 1)] + 56;
}

void BracketChartGrid::clear()
{
    m_hasLast = false;
    applyAt(BracketChart::Side(), false);
}

void BracketChartGrid::apply(const BracketChart::Side& s, bool printed)
{
    m_lastSide = s;
    m_lastPrinted = printed;
    m_hasLast = true;
    applyAt(s, printed);
}

void BracketChartGrid::applyAt(const BracketChart::Side& s, bool printed)
{
    // Where this row prints on the page (a row left out takes no place).
    m_rowTop = m_y;
    m_lineTop = m_rowTop + m_layout.lineY;
    std::fill(m_textTop.begin(), m_textTop.end(), m_lineTop);
    m_laneBefore = m_laneBottom;

    const int joins = int(m_columns.size());
    for (int j = 0; j < joins; ++j) {
        const size_t c = size_t(j);
        Column& col = m_columns[c];
        if (col.byeLine) {
            col.line->frame.top = s.line[c] && !s.bye;
            col.byeLine->frame.top = s.line[c] && s.bye;
        } else {
            col.line->frame.top = s.line[c];
        }
        col.down->frame.top = s.lineEnd[c];
        setVertical(col.down, s.down[c]);
        setVertical(col.up, s.up[c]);
        col.stub->frame.top = s.stub[c];
    }
    if (m_afterLast)
        m_afterLast->frame.top = s.line[size_t(joins)];
    if (m_afterLastPiece)
        m_afterLastPiece->frame.top = s.lineEnd[size_t(joins)];
    // The finalist's line on to the centre of the page.
    if (s.toCentre >= 1 && s.toCentre <= joins) {
        for (int k = s.toCentre; k <= joins; ++k) {
            if (k > s.toCentre) {
                if (k < joins)
                    m_columns[size_t(k)].line->frame.top = true;
                else if (m_afterLast)
                    m_afterLast->frame.top = true;
            }
            if (k < joins) {
                m_columns[size_t(k)].down->frame.top = true;
                m_columns[size_t(k)].stub->frame.top = true;
            } else if (m_afterLastPiece) {
                m_afterLastPiece->frame.top = true;
            }
        }
    }

    // The texts, each in the room its lane leaves it above or below the line.
    const double lineY = m_layout.lineY;
    const double below = m_layout.rowHeight - lineY - kGridUnderGap;   // down to the row's bottom
    fitEntry(s);
    // What this row prints below its line, taken into the lanes once every
    // text above the line has its room.
    std::vector<double> under(m_laneBottom.size(), -1e9);
    under[0] = m_detailBottom;
    for (int j = 0; j < joins; ++j) {
        const size_t c = size_t(j);
        Column& col = m_columns[c];
        const bool shown = s.bout[c] != 0;
        const int lane = j + 1;
        const double left = laneLeft(lane);
        const double right = laneRight(lane);
        col.boutNo->enabled = shown;
        if (shown) {
            const FitText::Fit f = FitText::place(col.boutNo, s.boutNo[c], place(left, right, lineY + kGridUnderGap, below),
                                                  m_layout.numberSize, FitText::Below, kGridLimits);
            if (printed && !s.boutNo[c].isEmpty())
                under[size_t(lane)] = std::max(under[size_t(lane)], m_lineTop + kGridUnderGap + f.height() / px(1));
        } else {
            col.boutNo->caption.clear();
        }
        if (!col.winner)
            continue;
        col.winner->enabled = shown;
        if (!shown) {
            col.winner->caption.clear();
            continue;
        }
        // The winner of the bracket's last join may run on to the right:
        // nothing follows it.
        const bool last = s.last[c] && m_layout.finalRight > 0;
        const double winnerRight = last ? m_layout.finalRight : right;
        const double room = std::max(kGridLeastRoom, m_lineTop - kGridLineGap - m_laneBottom[size_t(lane)] - kGridLineGap);
        const FitText::Fit f =
            FitText::place(col.winner, s.winner[c], place(left, winnerRight, lineY - kGridLineGap - room, room),
                           m_layout.nameSize, FitText::Above, kGridLimits);
        col.winner->alignment =
            ((m_layout.mirrored != last) ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignBottom;
        if (!s.winner[c].isEmpty())
            m_textTop[size_t(lane)] = std::min(m_textTop[size_t(lane)], m_lineTop - kGridLineGap - f.height() / px(1));
    }
    if (printed) {
        markLines(s);
        for (size_t lane = 0; lane < under.size(); ++lane)
            m_laneBottom[lane] = std::max(m_laneBottom[lane], under[lane]);
        m_y += m_layout.rowHeight;
    }
}

void BracketChartGrid::fitEntry(const BracketChart::Side& s)
{
    m_detailBottom = -1e9;
    const Layout& l = m_layout;
    const double room = std::max(kGridLeastRoom, m_lineTop - kGridLineGap - m_laneBottom[0] - kGridLineGap);
    const double below = l.rowHeight - l.lineY - kGridUnderGap;
    const QRectF above = place(0, l.nameWidth, l.lineY - kGridLineGap - room, room);
    const QRectF under = place(1, l.nameWidth, l.lineY + kGridUnderGap, below);

    QString name = s.name;
    QString detail = s.detail;
    if (l.splitBelow > 0) {
        // "name\nplace": one line when it fits in readable type, else the
        // place under the athlete's line.
        const QString first = name.section('\n', 0, 0).trimmed();
        const QString rest = name.section('\n', 1).trimmed();
        const QString joined = rest.isEmpty() ? first : first + " " + rest;
        QFont f = m_name->font;
        f.setPointSizeF(l.splitBelow);
        const bool oneLine = ReportFonts::textWidth(ReportFonts::resolve(f), " " + joined) <= above.width() &&
                             ReportFonts::lineHeight(ReportFonts::resolve(f)) <= above.height();
        name = oneLine ? joined : first;
        detail = oneLine ? QString() : rest;
        m_detail->enabled = !detail.isEmpty();
    }
    const FitText::Fit fn = FitText::place(m_name, name.isEmpty() ? QString() : " " + name, above, l.nameSize,
                                           FitText::Above, kGridLimits);
    if (!name.isEmpty())
        m_textTop[0] = std::min(m_textTop[0], m_lineTop - kGridLineGap - fn.height() / px(1));
    const FitText::Fit fd = FitText::place(m_detail, detail, under, l.detailSize, FitText::Below, kGridLimits);
    if (!detail.isEmpty() && m_detail->enabled)
        m_detailBottom = m_lineTop + kGridUnderGap + fd.height() / px(1);
}

void BracketChartGrid::markLines(const BracketChart::Side& s)
{
    const int joins = int(m_columns.size());
    auto mark = [&](int lane) {
        if (lane >= 0 && lane < int(m_laneBottom.size()))
            m_laneBottom[size_t(lane)] = std::max(m_laneBottom[size_t(lane)], m_lineTop);
    };
    for (int j = 0; j <= joins && j < int(s.line.size()); ++j)
        if (s.line[size_t(j)] || s.lineEnd[size_t(j)])
            mark(j);
    for (int j = 0; j < joins; ++j)
        if (s.stub[size_t(j)])
            mark(j + 1);
    if (s.toCentre >= 1)
        for (int k = s.toCentre; k <= joins; ++k)
            mark(k);
}
