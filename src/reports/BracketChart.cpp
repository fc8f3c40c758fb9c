#include "reports/BracketChart.h"

#include <algorithm>

namespace {

using BracketChart::kColumns;

// Walks the rows of one side of a chart block and tracks the joins that are
// open in each column (the frames persist from row to row).
class ChartSideWalker {
public:
    // slotCount: slots of the whole bracket; finalSlots: the slot count at
    // which column j's join is the last one (its winner line ends there);
    // joinColumns: columns that may join.
    ChartSideWalker(int slotCount, int finalSlots, int joinColumns, const BracketChart::BoutTable& bouts,
                    std::array<int, kColumns>& counters)
        : m_slotCount(slotCount), m_finalSlots(finalSlots), m_joinColumns(joinColumns), m_bouts(bouts),
          m_counters(counters)
    {
        m_open.fill(false);
    }

    BracketChart::Side step(int r, const QString& text)
    {
        BracketChart::Side e = m_frames;
        e.bout.fill(0);
        e.boutNo.fill(QString());
        e.winner.fill(QString());
        e.last.fill(false);
        e.toCentre = 0;
        e.bye = false;
        const bool athlete = !text.isEmpty();
        e.name = text.section('\r', 0, 0);
        e.detail = text.section('\r', 1);
        e.line[0] = e.lineEnd[0] = athlete;

        // Column 0: the athletes' pairs.
        if (r % 2 == 1) {
            if (athlete) {
                if (!m_open[0]) {
                    e.down[0] = true;
                    m_open[0] = true;
                } else {
                    e.up[0] = true;
                    e.down[0] = false;
                    m_open[0] = false;
                }
            }
            e.stub[0] = e.line[1] = e.lineEnd[1] = false;
        } else if (m_open[0]) {
            e.up[0] = e.down[0] = true;
            e.stub[0] = e.line[1] = true;
            e.lineEnd[1] = m_slotCount != 2;
            e.last[0] = m_slotCount == 2;
        } else {
            e.up[0] = e.down[0] = false;
            e.stub[0] = e.line[1] = athlete;
            e.bye = athlete;
            e.lineEnd[1] = athlete && m_slotCount != 2;
        }
        if (m_slotCount == 1) {
            e.up[0] = e.down[0] = e.stub[0] = e.line[1] = e.lineEnd[1] = false;
            e.bye = false;
        }

        // Columns 1 on: the winner lines meet.
        for (int j = 1; j < kColumns; ++j) {
            const size_t c = size_t(j);
            if (j >= m_joinColumns) {
                e.up[c] = e.down[c] = e.stub[c] = false;
                if (j > m_joinColumns) // the line into the first column that no longer joins stays
                    e.line[c] = e.lineEnd[c] = false;
                e.line[c + 1] = e.lineEnd[c + 1] = false;
                continue;
            }
            if (e.lineEnd[c]) {
                if (!m_open[c]) {
                    e.down[c] = true;
                    e.up[c] = false;
                    m_open[c] = true;
                } else {
                    e.up[c] = true;
                    e.down[c] = false;
                    m_open[c] = false;
                }
            } else {
                e.up[c] = e.down[c] = m_open[c];
            }
            const int span = 1 << (j + 1);
            if (r % span == 0 && e.down[c]) {
                e.stub[c] = e.line[c + 1] = true;
                e.last[c] = m_finalSlots == span || m_slotCount == 3;
                e.lineEnd[c + 1] = !e.last[c];
            } else {
                e.stub[c] = e.line[c + 1] = e.lineEnd[c + 1] = false;
            }
        }

        // Bout numbers and winners at the joins whose winner line starts here.
        for (int j = 0; j < m_joinColumns && j < kColumns; ++j) {
            const size_t c = size_t(j);
            if (e.stub[c] && e.down[c]) {
                const int index = ++m_counters[c];
                e.bout[c] = index;
                e.boutNo[c] = m_bouts.score(j + 1, index);
                e.winner[c] = m_bouts.winner(j + 1, index);
            }
        }

        m_frames = e;
        return e;
    }

private:
    int m_slotCount;
    int m_finalSlots;
    int m_joinColumns;
    const BracketChart::BoutTable& m_bouts;
    std::array<int, kColumns>& m_counters;
    std::array<bool, kColumns> m_open{};
    BracketChart::Side m_frames;
};

// The final of a two-sided chart whose page holds the whole bracket (4 to
// 64 slots, a power of two): on the middle row of the block the winner lines
// of both sides' last joins run on to the centre and meet there.
void landscapeFinal(QList<BracketChart::Row>& block, int slotCount, const BracketChart::BoutTable& bouts)
{
    if (slotCount < 4 || slotCount > 64 || (slotCount & (slotCount - 1)) != 0)
        return;
    int rounds = 0;
    while ((1 << rounds) < slotCount)
        ++rounds;
    const int side = slotCount / 2;
    const int column = rounds - 1;      // the line after a side's last join
    if (side - 1 >= block.size())
        return;
    BracketChart::Row& row = block[side - 1];
    const bool left = row.left.line[size_t(column)];
    const bool right = row.right.line[size_t(column)];
    if (!left && !right)
        return;
    if (left)
        row.left.toCentre = column;
    if (right)
        row.right.toCentre = column;
    row.final = true;
    row.printed = true;
    row.finalNo = bouts.score(rounds, 1);
    row.finalWinner = bouts.winner(rounds, 1);
}

} // namespace

QString BracketChart::BoutTable::score(int round, int index) const
{
    if (round < 1 || round > scores.size())
        return QString();
    const QStringList& r = scores.at(round - 1);
    return index >= 1 && index <= r.size() ? r.at(index - 1) : QString();
}

QString BracketChart::BoutTable::winner(int round, int index) const
{
    if (round < 1 || round > winners.size())
        return QString();
    const QStringList& r = winners.at(round - 1);
    return index >= 1 && index <= r.size() ? r.at(index - 1) : QString();
}

bool BracketChart::Side::drawsLine() const
{
    if (line[0] || (line[1] && !bye))
        return true;
    for (size_t j = 2; j < line.size(); ++j)
        if (line[j])
            return true;
    return false;
}

QList<BracketChart::Row> BracketChart::portrait(const QStringList& slotLines, int slotCount, const BoutTable& bouts)
{
    std::array<int, kColumns> counters{};
    ChartSideWalker walker(slotCount, slotCount, kColumns - 1, bouts, counters);
    QList<Row> rows;
    rows.reserve(slotLines.size());
    for (int i = 0; i < slotLines.size(); ++i) {
        Row row;
        row.number = i + 1;
        row.left = walker.step(row.number, slotLines.at(i));
        row.printed = row.left.drawsLine();
        rows << row;
    }
    return rows;
}

int BracketChart::landscapeSideSlots(int slotCount)
{
    if (slotCount <= 3)
        return std::max(slotCount, 0);
    if (slotCount <= 64)
        return slotCount / 2;
    return 32;
}

int BracketChart::landscapePageGroups(int slotCount)
{
    if (slotCount <= 64)
        return 1;
    return slotCount <= 128 ? 2 : 4;
}

QString BracketChart::leftEntry(const QString& row)
{
    return row.section('\r', 0, 0);
}

QString BracketChart::rightEntry(const QString& row)
{
    return row.section('\r', 1);
}

QList<BracketChart::Row> BracketChart::landscape(const QStringList& slotLines, int slotCount, const BoutTable& bouts)
{
    QList<Row> rows;
    const int sideSlots = landscapeSideSlots(slotCount);
    if (sideSlots <= 0)
        return rows;
    const int blockRows = 2 * sideSlots;
    // Columns 1 to 4 join only in brackets of more than four slots; the
    // last join of a side is the one of a side of slotCount / 2 slots. A
    // bracket of three has one side, whose second join is the final.
    const int joinColumns = slotCount > 4 ? 5 : (slotCount == 3 ? 2 : 1);
    const int finalSlots = slotCount <= 64 ? slotCount / 2 : 0;
    const bool twoSided = slotCount > 3;
    std::array<int, kColumns> counters{};
    for (int start = 0; start < slotLines.size(); start += blockRows) {
        const int end = std::min<int>(start + blockRows, slotLines.size());
        ChartSideWalker leftWalker(slotCount, finalSlots, joinColumns, bouts, counters);
        QList<Row> block;
        for (int i = start; i < end; ++i) {
            Row row;
            row.number = i - start + 1;
            row.newPage = start > 0 && i == start;
            row.left = leftWalker.step(row.number, leftEntry(slotLines.at(i)));
            block << row;
        }
        ChartSideWalker rightWalker(slotCount, finalSlots, joinColumns, bouts, counters);
        for (Row& row : block) {
            row.right = rightWalker.step(row.number, rightEntry(slotLines.at(start + row.number - 1)));
            if (twoSided) {
                // A side's last join is a semi-final: the final is in the centre.
                row.left.last.fill(false);
                row.right.last.fill(false);
            }
            row.printed = row.left.drawsLine() || row.right.drawsLine();
        }
        if (twoSided && start == 0 && blockRows >= slotLines.size())
            landscapeFinal(block, slotCount, bouts);
        rows << block;
    }
    return rows;
}

QList<BracketChart::Row> BracketChart::repechage(const Repechage& in)
{
    QList<Row> rows;
    Side e;
    bool poolB = false;
    int n = 1;
    int number = 0;
    for (const QString& text : in.lines) {
        Row row;
        row.number = ++number;
        row.printed = true;
        if (text == "-") {
            n = 1;
            poolB = true;
            e = Side();
            row.left = e;
            rows << row;
            continue;
        }
        const int bouts = poolB ? in.boutsB : in.boutsA;
        const int last = poolB ? in.linesB : in.linesA;
        const QStringList& winners = poolB ? in.winnersB : in.winnersA;

        e.up.fill(false);
        e.down.fill(false);
        e.bout.fill(0);
        e.boutNo.fill(QString());
        e.winner.fill(QString());
        e.stub[0] = e.line[1] = e.lineEnd[1] = false;
        e.name = text.section('\r', 0, 0);
        e.detail = text.section('\r', 1);
        e.line[0] = e.lineEnd[0] = !text.isEmpty();

        const int m = (n - 4) / 2;
        auto col = [](int c) { return size_t(std::clamp(c, 0, kColumns - 1)); };
        auto lineCol = [](int c) { return size_t(std::clamp(c, 0, kColumns)); };
        if (bouts <= 0) {
            // A pool without bouts draws no ladder.
        } else if (n == 1) {
            e.down[0] = true;
        } else if (n == 2) {
            e.up[0] = e.down[0] = true;
            e.stub[0] = e.line[1] = e.lineEnd[1] = true;
            if (bouts > 1)
                e.down[1] = true;
        } else if (n == 3) {
            e.up[0] = true;
            if (bouts > 1)
                e.up[1] = e.down[1] = true;
        } else if (n % 2 == 0) {
            // The winner line of bout m + 2 starts in column m + 1.
            if (n >= 6) {
                for (int c = 0; c <= m; ++c)
                    e.stub[col(c)] = false;
                for (int c = 1; c <= m + 1; ++c)
                    e.line[lineCol(c)] = e.lineEnd[lineCol(c)] = false;
            }
            e.stub[col(m + 1)] = e.line[lineCol(m + 2)] = e.lineEnd[lineCol(m + 2)] = true;
            e.up[col(m + 1)] = e.down[col(m + 1)] = true;
            e.up[col(m + 2)] = false;
            e.down[col(m + 2)] = true;
        } else {
            // Athlete m + 3 meets the winner of bout m + 1: his line runs up
            // to column m + 1's join.
            e.stub[0] = e.line[1] = e.lineEnd[1] = true;
            for (int c = 1; c <= m; ++c) {
                e.stub[col(c)] = true;
                e.line[lineCol(c + 1)] = e.lineEnd[lineCol(c + 1)] = true;
            }
            e.stub[col(m + 1)] = e.line[lineCol(m + 2)] = e.lineEnd[lineCol(m + 2)] = false;
            e.up[col(m + 1)] = true;
            e.down[col(m + 1)] = false;
            e.up[col(m + 2)] = e.down[col(m + 2)] = true;
        }
        if (bouts > 0 && m + 2 < kColumns) {
            if (n == last - 1 && m + 2 >= 0)
                e.down[col(m + 2)] = false;
            if (n == last && m + 2 >= 0)
                e.up[col(m + 2)] = e.down[col(m + 2)] = false;
        }
        // Column c shows the winner of bout c + 1; the numbers stay empty.
        for (int c = 0; c < kColumns - 1; ++c) {
            if (e.stub[size_t(c)] && e.down[size_t(c)] && bouts > 0) {
                e.bout[size_t(c)] = c + 1;
                e.winner[size_t(c)] = c < winners.size() ? winners.at(c) : QString();
            }
        }
        row.left = e;
        rows << row;
        ++n;
    }
    return rows;
}
