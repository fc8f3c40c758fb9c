// The bracket charts' line model: which horizontals, connectors, bout
// numbers and winners each row carries, for small brackets drawn by hand,
// a bye, the two halves of the landscape chart, and the repechage ladders.
#include "reports/BracketChart.h"

#include <gtest/gtest.h>

namespace {

using BracketChart::Row;
using BracketChart::Side;

// One side of a row as tokens, column by column: A the athlete line, then
// per column j: Lj its line (B1 the line of an athlete without a bout), Ej
// its last piece, uj/dj the verticals above/below the line, sj the stub;
// then #j=number/winner for each join that shows its bout.
QString modelPicture(const Side& s)
{
    QStringList t;
    if (s.athlete())
        t << "A";
    for (int j = 0; j <= BracketChart::kColumns; ++j) {
        const size_t c = size_t(j);
        if (j >= 1 && s.line[c])
            t << ((j == 1 && s.bye) ? QString("B1") : "L" + QString::number(j));
        if (j >= 1 && s.lineEnd[c])
            t << "E" + QString::number(j);
        if (j < BracketChart::kColumns) {
            if (s.up[c])
                t << "u" + QString::number(j);
            if (s.down[c])
                t << "d" + QString::number(j);
            if (s.stub[c])
                t << "s" + QString::number(j);
        }
    }
    for (int j = 0; j < BracketChart::kColumns; ++j)
        if (s.bout[size_t(j)] != 0)
            t << "#" + QString::number(j) + "=" + s.boutNo[size_t(j)] + "/" + s.winner[size_t(j)];
    return t.join(' ');
}

QStringList modelPictures(const QList<Row>& rows, bool right = false)
{
    QStringList out;
    for (const Row& r : rows)
        out << modelPicture(right ? r.right : r.left);
    return out;
}

QList<bool> modelPrinted(const QList<Row>& rows)
{
    QList<bool> out;
    for (const Row& r : rows)
        out << r.printed;
    return out;
}

BracketChart::BoutTable modelFourSlotBouts()
{
    BracketChart::BoutTable t;
    t.scores = {{"101", "102"}, {"201"}};
    t.winners = {{"A", "C"}, {"A"}};
    return t;
}

// --- Portrait ----------------------------------------------------------------------

TEST(PortraitModel, FourSlotsTwoJoinsAndAFinalThatEndsInItsColumn)
{
    const QList<Row> rows =
        BracketChart::portrait({"A\r İZMİR", "", "B", "", "C", "", "D", ""}, 4, modelFourSlotBouts());
    EXPECT_EQ(modelPictures(rows), (QStringList{"A d0", "u0 d0 s0 L1 E1 d1 #0=101/A", "A u0 u1 d1",
                                                "u1 d1 s1 L2 #1=201/A", "A d0 u1 d1", "u0 d0 s0 L1 E1 u1 #0=102/C",
                                                "A u0", ""}));
    EXPECT_EQ(modelPrinted(rows), (QList<bool>{true, true, true, true, true, true, true, false}))
        << "the all-empty trailing row is left out";
    EXPECT_EQ(rows[0].left.name, "A");
    EXPECT_EQ(rows[0].left.detail, " İZMİR");
}

TEST(PortraitModel, OneSlotShowsTheAthleteOnly)
{
    const QList<Row> rows = BracketChart::portrait({"A", ""}, 1, {});
    EXPECT_EQ(modelPictures(rows), (QStringList{"A", ""}));
    EXPECT_EQ(modelPrinted(rows), (QList<bool>{true, false}));
}

TEST(PortraitModel, TwoSlotsOneJoinWhoseWinnerLineStopsAfterTheRoundTwoLine)
{
    BracketChart::BoutTable t;
    t.scores = {{"105"}};
    t.winners = {{"B"}};
    const QList<Row> rows = BracketChart::portrait({"A", "", "B", ""}, 2, t);
    EXPECT_EQ(modelPictures(rows), (QStringList{"A d0", "u0 d0 s0 L1 #0=105/B", "A u0", ""}));
}

TEST(PortraitModel, ThreeSlotsStopEveryWinnerLineInItsOwnColumn)
{
    BracketChart::BoutTable t;
    t.scores = {{"101", "102"}};
    const QList<Row> rows = BracketChart::portrait({"A", "", "B", "", "C", ""}, 3, t);
    for (const Row& r : rows)
        for (int j = 2; j <= BracketChart::kColumns; ++j)
            EXPECT_FALSE(r.left.lineEnd[size_t(j)]) << "row " << r.number << " column " << j;
}

TEST(PortraitModel, AByeRunsStraightIntoTheNextRoundWithoutABoutNumber)
{
    // Slot 3 has no opponent: its athlete sits on the pair's second row.
    const QList<Row> rows = BracketChart::portrait({"A", "", "B", "", "", "C", "", ""}, 4, modelFourSlotBouts());
    EXPECT_EQ(modelPictures(rows), (QStringList{"A d0", "u0 d0 s0 L1 E1 d1 #0=101/A", "A u0 u1 d1",
                                                "u1 d1 s1 L2 #1=201/A", "u1 d1", "A s0 B1 E1 u1", "", ""}));
    EXPECT_EQ(modelPrinted(rows), (QList<bool>{true, true, true, true, false, true, false, false}))
        << "a row of verticals only is left out";
}

TEST(PortraitModel, RowNumbersCountRowsThatAreLeftOut)
{
    const QList<Row> rows = BracketChart::portrait({"A", "", "B", "", "", "C", "", ""}, 4, modelFourSlotBouts());
    ASSERT_EQ(rows.size(), 8);
    for (int i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].number, i + 1);
}

// --- Landscape ---------------------------------------------------------------------

TEST(LandscapeModel, EachHalfIsDrawnFromItsOwnEntries)
{
    // Eight slots; the right half has a bye (slot 7 without an opponent),
    // the left half has none.
    BracketChart::BoutTable t;
    t.scores = {{"101", "102", "103"}, {"201", "202"}, {"301"}};
    t.winners = {{"A", "C", "E"}, {"A", "G"}, {"A"}};
    const QStringList left{"A", "", "B", "", "C", "", "D", ""};
    const QStringList right{"E", "", "F", "", "", "G", "", ""};
    QStringList lines;
    for (int i = 0; i < left.size(); ++i)
        lines << left[i] + "\r" + right[i];
    const QList<Row> rows = BracketChart::landscape(lines, 8, t);
    EXPECT_EQ(modelPictures(rows), (QStringList{"A d0", "u0 d0 s0 L1 E1 d1 #0=101/A", "A u0 u1 d1",
                                                "u1 d1 s1 L2 #1=201/A", "A d0 u1 d1", "u0 d0 s0 L1 E1 u1 #0=102/C",
                                                "A u0", ""}));
    // The right half numbers its bouts after the left half's: bout 3 of
    // round 1 and bout 2 of round 2; its bye carries no number.
    EXPECT_EQ(modelPictures(rows, true), (QStringList{"A d0", "u0 d0 s0 L1 E1 d1 #0=103/E", "A u0 u1 d1",
                                                      "u1 d1 s1 L2 #1=202/G", "u1 d1", "A s0 B1 E1 u1", "", ""}));
    EXPECT_EQ(rows[0].left.name, "A");
    EXPECT_EQ(rows[0].right.name, "E");
}

TEST(LandscapeModel, UpToFourSlotsOnlyColumnZeroJoins)
{
    BracketChart::BoutTable t;
    t.scores = {{"101", "102"}, {"201"}};
    const QList<Row> rows = BracketChart::landscape({"A\rC", "\r", "B\rD", "\r"}, 4, t);
    for (const Row& r : rows)
        for (int j = 1; j < BracketChart::kColumns; ++j) {
            EXPECT_FALSE(r.left.up[size_t(j)] || r.left.down[size_t(j)]) << r.number;
            EXPECT_FALSE(r.right.up[size_t(j)] || r.right.down[size_t(j)]) << r.number;
        }
    EXPECT_EQ(modelPicture(rows[1].left), "u0 d0 s0 L1 E1 #0=101/");
    EXPECT_EQ(modelPicture(rows[1].right), "u0 d0 s0 L1 E1 #0=102/");
}

// A full bracket of `slotTotal` for the landscape chart, bouts "round-index".
std::pair<QStringList, BracketChart::BoutTable> modelFullLandscape(int slotTotal)
{
    BracketChart::BoutTable t;
    for (int round = 1, bouts = slotTotal / 2; bouts >= 1; ++round, bouts /= 2) {
        QStringList numbers;
        for (int i = 1; i <= bouts; ++i)
            numbers << QString("%1-%2").arg(round).arg(i);
        t.scores << numbers;
        t.winners << numbers;
    }
    const int side = slotTotal / 2;
    QStringList lines;
    for (int k = 0; k < side; ++k) {
        lines << QString("L%1\rR%1").arg(k + 1);
        lines << "\r";
    }
    return {lines, t};
}

struct LandscapeFinalCase {
    int slotTotal;
    int row;        // the final's row (1-based)
    int column;     // the line after each side's last join
    QString number;
};

class LandscapeFinal : public ::testing::TestWithParam<LandscapeFinalCase> {};

TEST_P(LandscapeFinal, TheFinalistsLinesMeetInTheCentreOnTheMiddleRow)
{
    const LandscapeFinalCase& c = GetParam();
    const auto [lines, bouts] = modelFullLandscape(c.slotTotal);
    const QList<Row> rows = BracketChart::landscape(lines, c.slotTotal, bouts);
    int finals = 0;
    for (const Row& r : rows) {
        if (!r.final) {
            EXPECT_EQ(r.left.toCentre, 0) << r.number;
            EXPECT_EQ(r.right.toCentre, 0) << r.number;
            continue;
        }
        ++finals;
        EXPECT_EQ(r.number, c.row);
        EXPECT_TRUE(r.printed);
        EXPECT_EQ(r.left.toCentre, c.column);
        EXPECT_EQ(r.right.toCentre, c.column);
        EXPECT_TRUE(r.left.line[size_t(c.column)]) << "the left finalist's line starts there";
        EXPECT_TRUE(r.right.line[size_t(c.column)]);
        EXPECT_EQ(r.finalNo, c.number);
        EXPECT_EQ(r.finalWinner, c.number);
        // No side's join is the last: the final is in the centre.
        for (int j = 0; j < BracketChart::kColumns; ++j)
            EXPECT_FALSE(r.left.last[size_t(j)] || r.right.last[size_t(j)]);
    }
    EXPECT_EQ(finals, 1);
}

INSTANTIATE_TEST_SUITE_P(Slots, LandscapeFinal,
                         ::testing::Values(LandscapeFinalCase{4, 2, 1, "2-1"}, LandscapeFinalCase{8, 4, 2, "3-1"},
                                           LandscapeFinalCase{32, 16, 4, "5-1"},
                                           LandscapeFinalCase{64, 32, 5, "6-1"}),
                         [](const ::testing::TestParamInfo<LandscapeFinalCase>& info) {
                             return std::to_string(info.param.slotTotal);
                         });

TEST(LandscapeModel, ThreeSlotsJoinTheirFinalInTheSecondColumn)
{
    BracketChart::BoutTable t;
    t.scores = {{"101"}, {"201"}};
    t.winners = {{"A"}, {"C"}};
    const QList<Row> rows = BracketChart::landscape({"A\r", "\r", "B\r", "\r", "\r", "C\r"}, 3, t);
    EXPECT_EQ(modelPictures(rows), (QStringList{"A d0", "u0 d0 s0 L1 E1 d1 #0=101/A", "A u0 u1 d1",
                                                "u1 d1 s1 L2 #1=201/C", "u1 d1", "A s0 B1 E1 u1"}));
    EXPECT_TRUE(rows[3].left.last[1]) << "the final: nothing follows its winner line";
    for (const Row& r : rows)
        EXPECT_FALSE(r.final) << "one side: no final in the centre";
}

TEST(PortraitModel, TheFinalsJoinIsTheLast)
{
    const QList<Row> rows =
        BracketChart::portrait({"A", "", "B", "", "C", "", "D", ""}, 4, modelFourSlotBouts());
    QList<int> last;
    for (const Row& r : rows)
        for (int j = 0; j < BracketChart::kColumns; ++j)
            if (r.left.last[size_t(j)])
                last << r.number * 10 + j;
    EXPECT_EQ(last, QList<int>{41}) << "row 4, column 1: the final";
}

TEST(LandscapeModel, PageGroups)
{
    for (const auto& [slotTotal, side, groups] : std::vector<std::tuple<int, int, int>>{
             {1, 1, 1}, {3, 3, 1}, {4, 2, 1}, {8, 4, 1}, {64, 32, 1}, {100, 32, 2}, {128, 32, 2}, {256, 32, 4}}) {
        EXPECT_EQ(BracketChart::landscapeSideSlots(slotTotal), side) << slotTotal;
        EXPECT_EQ(BracketChart::landscapePageGroups(slotTotal), groups) << slotTotal;
    }
}

// --- Repechage ---------------------------------------------------------------------

BracketChart::Repechage modelLadders(int boutsA, int boutsB)
{
    BracketChart::Repechage r;
    auto pool = [&r](int bouts, const QString& tag, QStringList& winners) {
        const int before = r.lines.size();
        if (bouts == 0) {
            r.lines << "" << "";
        } else {
            r.lines << tag + "1" << "";
            for (int b = 1; b <= bouts; ++b) {
                r.lines << tag + QString::number(b + 1);
                if (b < bouts)
                    r.lines << "";
                winners << "W" + tag + QString::number(b);
            }
        }
        return int(r.lines.size()) - before;
    };
    r.boutsA = boutsA;
    r.linesA = pool(boutsA, "A", r.winnersA);
    r.lines << "-";
    r.boutsB = boutsB;
    r.linesB = pool(boutsB, "B", r.winnersB);
    return r;
}

struct RepechageLadderCase {
    const char* name;
    int boutsA;
    int boutsB;
    QStringList pictures;
};

class RepechageLadder : public ::testing::TestWithParam<RepechageLadderCase> {};

TEST_P(RepechageLadder, Staircase)
{
    const RepechageLadderCase& c = GetParam();
    const QList<Row> rows = BracketChart::repechage(modelLadders(c.boutsA, c.boutsB));
    EXPECT_EQ(modelPictures(rows), c.pictures);
    for (const Row& r : rows)
        EXPECT_TRUE(r.printed) << "every row of the ladders prints";
}

INSTANTIATE_TEST_SUITE_P(
    Pools, RepechageLadder,
    ::testing::Values(
        // A pool without bouts draws no ladder; the separator restarts the
        // numbering for pool B.
        RepechageLadderCase{"NoBouts", 0, 1, {"", "", "", "A d0", "u0 d0 s0 L1 E1 #0=/WB1", "A u0"}},
        RepechageLadderCase{"OneBoutEach", 1, 1,
                   {"A d0", "u0 d0 s0 L1 E1 #0=/WA1", "A u0", "", "A d0", "u0 d0 s0 L1 E1 #0=/WB1", "A u0"}},
        RepechageLadderCase{"TwoAndThree", 2, 3,
                   {"A d0", "u0 d0 s0 L1 E1 d1 #0=/WA1", "A u0 u1 d1", "u1 d1 s1 L2 E2 #1=/WA2", "A s0 L1 E1 u1",
                    "", "A d0", "u0 d0 s0 L1 E1 d1 #0=/WB1", "A u0 u1 d1", "u1 d1 s1 L2 E2 d2 #1=/WB2",
                    "A s0 L1 E1 u1 u2 d2", "u2 d2 s2 L3 E3 #2=/WB3", "A s0 L1 E1 s1 L2 E2 u2"}}),
    [](const ::testing::TestParamInfo<RepechageLadderCase>& info) { return std::string(info.param.name); });

TEST(RepechageModel, NineBoutsReachTheLastColumnAndShowEveryWinner)
{
    const QList<Row> rows = BracketChart::repechage(modelLadders(9, 0));
    ASSERT_EQ(rows.size(), 19 + 1 + 2);
    QStringList winners;
    for (const Row& r : rows)
        for (int j = 0; j < BracketChart::kColumns; ++j)
            if (r.left.bout[size_t(j)] != 0)
                winners << QString::number(j) + ":" + r.left.winner[size_t(j)];
    EXPECT_EQ(winners, (QStringList{"0:WA1", "1:WA2", "2:WA3", "3:WA4", "4:WA5", "5:WA6", "6:WA7", "7:WA8", "8:WA9"}));
    // Bout 9's winner line runs in the column after the last join.
    EXPECT_TRUE(rows[17].left.line[9]);
}

} // namespace
