// The bracket charts filled from drawn categories: the line model for
// brackets of 1 to 100 entrants, the landscape chart's bout numbering on
// both halves, the row texts, the result box, the limits of the grids, the
// points list left alone, and the charts saved as PDF and read back.
#include "ScoringFixture.h"

#include "reports/PrintMenu2D.h"
#include "reports/PrintMenu2D_1.h"
#include "reports/PrintMenuR.h"
#include "scoring/BracketChartData.h"
#include "scoring/KuraDraw.h"
#include "scoring/RandomSource.h"
#include "scoring/SlotTable.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

using BracketChart::Row;

QString chartTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return "<" + program + " failed>";
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Dark pixels of page `page` of a PDF rendered at 40 dots per inch.
int chartInkOf(const QString& pdf, int page, const QString& prefix)
{
    chartTool("pdftoppm", {"-r", "40", "-png", "-f", QString::number(page), "-l", QString::number(page), "-singlefile",
                           pdf, prefix});
    QImage img(prefix + ".png");
    if (img.isNull())
        return -1;
    int dark = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                ++dark;
    return dark;
}

class BracketChartsTest : public ScoringTest {
protected:
    void drawChartCategory(int entrants, std::uint32_t seed = 5)
    {
        addEntrants(entrants, [](int i) { return QString("BÖLGE %1").arg(i % 7); });
        SeededRandom random(seed);
        KuraDraw d(db, *state, random);
        d.today = [] { return kDrawDay; };
        ASSERT_TRUE(d.KuraCek(kBranch, kMen));
    }

    BracketChart::BoutTable chartBouts(const BracketChart::Options& o = {}, bool landscape = false)
    {
        return BracketChartData::boutTable(db, kBranch, kMen, o, landscape);
    }

    QList<Row> portraitRows(const BracketChart::Options& o = {})
    {
        SlotTable::build(db, *state, kBranch, kMen);
        return BracketChart::portrait(BracketChartData::portraitLines(*state, o), state->FSlotCount, chartBouts(o));
    }

    // The bout numbers shown in column j, top to bottom.
    static QStringList shownNumbers(const QList<Row>& rows, int j, bool right = false)
    {
        QStringList out;
        for (const Row& r : rows) {
            const BracketChart::Side& s = right ? r.right : r.left;
            if (s.bout[size_t(j)] != 0)
                out << s.boutNo[size_t(j)];
        }
        return out;
    }

    // A full bracket of `slots` athletes in the slot table, bouts numbered
    // "round-index".
    BracketChart::BoutTable fullSlotTable(int slotTotal)
    {
        state->FSlotCount = slotTotal;
        for (int i = 1; i <= slotTotal; ++i) {
            state->FSlotName().set(i, QString("S%1").arg(i));
            state->FSlotRegion().set(i, "ANKARA");
            state->FSlotDrawNo().set(i, i);
            state->FSlotPoints().set(i, 0);
        }
        BracketChart::BoutTable t;
        for (int round = 1, bouts = slotTotal / 2; bouts >= 1; ++round, bouts /= 2) {
            QStringList numbers;
            for (int i = 1; i <= bouts; ++i)
                numbers << QString("%1-%2").arg(round).arg(i);
            t.scores << numbers;
            t.winners << numbers;
        }
        return t;
    }
};

// --- Edge model of drawn brackets --------------------------------------------------------

struct ChartSizeCase {
    int entrants;
    int slotTotal;
    std::vector<int> joins;   // joins per column
    int printed;              // rows printed
};

void PrintTo(const ChartSizeCase& c, std::ostream* os)
{
    *os << c.entrants << " entrants";
}

class DrawnChartBracket : public BracketChartsTest, public ::testing::WithParamInterface<ChartSizeCase> {};

TEST_P(DrawnChartBracket, RowsJoinsWinnerLinesAndBoutNumbers)
{
    const ChartSizeCase& c = GetParam();
    drawChartCategory(c.entrants);
    const QList<Row> rows = portraitRows();
    EXPECT_EQ(state->FSlotCount, c.slotTotal);
    ASSERT_EQ(rows.size(), 2 * c.slotTotal) << "two rows per slot";

    int printed = 0;
    int athletes = 0;
    for (const Row& r : rows) {
        printed += r.printed;
        athletes += r.left.athlete();
        if (r.left.athlete()) {
            EXPECT_TRUE(r.printed);
        }
    }
    EXPECT_EQ(printed, c.printed);
    int filled = 0;
    for (int i = 1; i <= state->FSlotCount; ++i)
        filled += !state->FSlotName().text(i).isEmpty();
    EXPECT_EQ(athletes, filled) << "every seated slot has its one athlete line";

    // Every join opens once and closes once; its bout number shows once.
    const BracketChart::BoutTable bouts = chartBouts();
    for (int j = 0; j < BracketChart::kColumns - 1; ++j) {
        int opens = 0, closes = 0;
        for (const Row& r : rows) {
            opens += r.left.down[size_t(j)] && !r.left.up[size_t(j)] && r.left.lineEnd[size_t(j)];
            closes += r.left.up[size_t(j)] && !r.left.down[size_t(j)] && r.left.lineEnd[size_t(j)];
        }
        const int expected = j < int(c.joins.size()) ? c.joins[size_t(j)] : 0;
        EXPECT_EQ(opens, expected) << "column " << j;
        EXPECT_EQ(closes, expected) << "column " << j;
        // The numbers of a column are its round's bouts in bout order.
        const QStringList round = j < bouts.scores.size() ? bouts.scores[j] : QStringList();
        EXPECT_EQ(shownNumbers(rows, j), round.mid(0, expected)) << "column " << j;
    }
    // The final's winner line ends in its own column.
    const int last = int(c.joins.size());
    int finals = 0;
    for (const Row& r : rows) {
        if (r.left.line[size_t(last)] && last > 0) {
            ++finals;
            EXPECT_FALSE(r.left.lineEnd[size_t(last)]);
        }
        EXPECT_FALSE(r.left.line[size_t(last + 1)]);
    }
    EXPECT_EQ(finals, last > 0 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Entrants, DrawnChartBracket,
                         ::testing::Values(ChartSizeCase{1, 1, {}, 1}, ChartSizeCase{2, 2, {1}, 3},
                                           ChartSizeCase{3, 3, {1, 1}, 5}, ChartSizeCase{4, 4, {2, 1}, 7},
                                           ChartSizeCase{5, 8, {4, 2, 1}, 15}, ChartSizeCase{8, 8, {4, 2, 1}, 15},
                                           ChartSizeCase{9, 16, {8, 4, 2, 1}, 31},
                                           ChartSizeCase{16, 16, {8, 4, 2, 1}, 31},
                                           ChartSizeCase{17, 32, {16, 8, 4, 2, 1}, 63},
                                           ChartSizeCase{32, 32, {16, 8, 4, 2, 1}, 63},
                                           ChartSizeCase{100, 128, {64, 32, 16, 8, 4, 2, 1}, 255}),
                         [](const ::testing::TestParamInfo<ChartSizeCase>& info) {
                             return std::to_string(info.param.entrants);
                         });

TEST_F(BracketChartsTest, ThreeEntrantsPutTheFinalistOfTheSecondRoundOnHisPairsMiddleRow)
{
    drawChartCategory(3);
    const QList<Row> rows = portraitRows();
    ASSERT_EQ(rows.size(), 6);
    EXPECT_FALSE(rows[4].left.athlete());
    EXPECT_TRUE(rows[5].left.athlete());
    EXPECT_TRUE(rows[5].left.bye) << "his line runs straight into the final's column";
    EXPECT_EQ(rows[5].left.bout[0], 0) << "no bout number on a bye";
}

// --- Landscape: the right half's bout numbers ------------------------------------------------

// The right-half numbering of the two-sided chart for brackets whose halves
// are alike: with `a` the left half's running count of joins in column k,
// the left shows bout `left` and the right bout `right`.
std::pair<int, int> chartFormulaIndexes(int c, int k, int a)
{
    if (c <= 64)
        return {a, a + c / (1 << (k + 2))};
    const int s = 16 >> k;
    const int g = (a - 1) / s;
    return {a + g * s, a + (g + 1) * s};
}

class RightHalfIndexes : public BracketChartsTest, public ::testing::WithParamInterface<int> {};

TEST_P(RightHalfIndexes, FollowTheLeftHalfsBlocks)
{
    const int c = GetParam();
    const BracketChart::BoutTable t = fullSlotTable(c);
    const QStringList lines = BracketChartData::landscapeLines(db, *state, {});
    const QList<Row> rows = BracketChart::landscape(lines, c, t);
    const int joinColumns = c > 4 ? 5 : 1;
    int checked = 0;
    for (int k = 0; k < joinColumns; ++k) {
        int a = 0;
        for (const Row& r : rows) {
            if (r.left.bout[size_t(k)] == 0) {
                EXPECT_EQ(r.right.bout[size_t(k)], 0);
                continue;
            }
            const auto [left, right] = chartFormulaIndexes(c, k, ++a);
            EXPECT_EQ(r.left.bout[size_t(k)], left) << "c " << c << " column " << k << " a " << a;
            EXPECT_EQ(r.right.bout[size_t(k)], right) << "c " << c << " column " << k << " a " << a;
            EXPECT_EQ(r.right.boutNo[size_t(k)], t.score(k + 1, right));
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
    // Page groups of 64 slots: 64 rows each, a new page at each.
    int pages = 1;
    for (const Row& r : rows)
        pages += r.newPage;
    EXPECT_EQ(pages, BracketChart::landscapePageGroups(c));
}

INSTANTIATE_TEST_SUITE_P(BlockSizes, RightHalfIndexes, ::testing::Values(8, 16, 32, 64, 128, 256));

TEST_F(BracketChartsTest, SixtyFourSlotsMeetInTheCentre)
{
    const BracketChart::BoutTable t = fullSlotTable(64);
    const QList<Row> rows = BracketChart::landscape(BracketChartData::landscapeLines(db, *state, {}), 64, t);
    int centre = 0;
    for (const Row& r : rows) {
        if (r.left.line[5]) {
            ++centre;
            EXPECT_TRUE(r.right.line[5]);
            EXPECT_EQ(r.left.boutNo[4], "5-1") << "the left semi-final";
            EXPECT_EQ(r.right.boutNo[4], "5-2") << "the right semi-final";
        }
    }
    EXPECT_EQ(centre, 1);
}

// --- Row texts ------------------------------------------------------------------------

TEST_F(BracketChartsTest, PortraitEntriesFollowTheOptions)
{
    fullSlotTable(4);
    state->FSlotClub().set(1, "GÜÇ SK");
    BracketChart::Options o;
    EXPECT_EQ(BracketChartData::portraitLines(*state, o).first(), "S1\r ANKARA");
    o.club = true;
    EXPECT_EQ(BracketChartData::portraitLines(*state, o).first(), "S1\r ANKARA, GÜÇ SK");
    o.region = false;
    EXPECT_EQ(BracketChartData::portraitLines(*state, o).first(), "S1\r GÜÇ SK");
    o.drawNumbers = true;
    EXPECT_EQ(BracketChartData::portraitLines(*state, o).first(), "1, S1\r GÜÇ SK");
    EXPECT_EQ(BracketChartData::portraitLines(*state, o).size(), 8);
}

TEST_F(BracketChartsTest, LandscapeEntriesCarryRegionClubPointsAndTheMark)
{
    fullSlotTable(8);
    db.insert("C_UYELIKTURU", {{"Durum_Key", 901}, {"Durum", "ANKARA"}, {"BolgeK", "ANK"}});
    state->FSlotClub().set(1, "GÜÇ SK");
    state->FSlotPoints().set(1, 7);
    state->FSlotOut().set(1, 1);
    state->FSlotOut().set(5, 1);
    state->FSlotName().set(3, Bye::Name);
    state->FSlotRegion().set(3, Bye::Region);
    BracketChart::Options o;
    o.club = true;
    o.points = true;
    bool marked = false;
    const QStringList lines = BracketChartData::landscapeLines(db, *state, o, &marked);
    ASSERT_EQ(lines.size(), 8);
    EXPECT_TRUE(marked);
    // Each entry: the name, a line break, the place (the chart prints them
    // on one line where they fit).
    EXPECT_EQ(lines[0], "(X) S1\n(ANK), GÜÇ SK/7\rS5\n(ANK)/0 (X)");
    EXPECT_EQ(lines[2], "S2\n(ANK)/0\rS6\n(ANK)/0");
    EXPECT_EQ(lines[4], "Tur Atlar\n\rS7\n(ANK)/0") << "a bye gets neither Pass nor points";
    o.international = true;
    o.region = false;
    o.club = false;
    o.points = false;
    o.drawNumbers = true;
    const QStringList english = BracketChartData::landscapeLines(db, *state, o);
    EXPECT_EQ(english[4], "3, Tur Atlar\n(Pass)\r7, S7\n");
}

TEST_F(BracketChartsTest, WinnersAsNamesOrBackNumbersWithRegionAndNextPoints)
{
    drawChartCategory(4);
    // The first semi-final is decided: its winner meets in the final with
    // 9 points.
    const Records bouts = this->bouts();
    const Record semi = bouts.first();
    const QString winner = semi.str("Sira1");
    db.exec("update C_KURA set Galip = :g, Salon = :s where Kura_Key = :k",
               {{"g", winner}, {"s", semi.str("Ad1")}, {"k", semi.toInt("Kura_Key")}});
    db.exec("update C_KURA set Sira1 = :g, Puan1 = 9 where Tur = :t",
               {{"g", semi.toInt("Sira1")}, {"t", Rounds::Final}});
    db.exec("update C_LISTE set BolgeK = 'BLG' where Sira = :s", {{"s", winner.toInt()}});
    BracketChart::Options o;
    EXPECT_EQ(chartBouts(o).winners[0][0], semi.str("Ad1"));
    o.drawNumbers = true;
    EXPECT_EQ(chartBouts(o).winners[0][0], winner);
    o.points = true;
    EXPECT_EQ(chartBouts(o, true).winners[0][0], winner + " (BLG)/9");
    EXPECT_EQ(chartBouts(o, false).winners[0][0], winner) << "the portrait adds neither";
    EXPECT_EQ(chartBouts(o).scores.size(), 2) << "semi-finals and the final; the third-place row is left out";
}

TEST_F(BracketChartsTest, RoundIndexOpensAtEveryChangeOfRound)
{
    int key = 0;
    for (const char* tur : {"1. TUR", "1. TUR", "2. TUR", "1. TUR", "3.'LÜK MAÇI", "FİNAL"})
        db.insert("C_KURA", {{"Kura_Key", ++key}, {"Brans", kBranch}, {"Cinsiyet", kMen}, {"Tur", QString::fromUtf8(tur)},
                             {"Skor", QString::number(100 + key)}});
    const BracketChart::BoutTable t = chartBouts();
    EXPECT_EQ(t.scores, (QList<QStringList>{{"101", "102"}, {"103"}, {"104"}, {"106"}}));
}

TEST_F(BracketChartsTest, QuotesInTheCategoryNameAreSafe)
{
    const QString branch = "60 KİLO \"O'NEIL\" ERKEK";
    db.insert("C_KURA", {{"Kura_Key", 1}, {"Brans", branch}, {"Cinsiyet", kMen}, {"Tur", "YARI FİNAL"}, {"Skor", "1"}});
    db.insert("C_KURA", {{"Kura_Key", 2}, {"Brans", branch}, {"Cinsiyet", kMen}, {"Tur", Rounds::ThirdPlace},
                         {"Skor", "2"}, {"Grup", "A"}, {"Ad1", "X"}, {"Ad2", "Y"}});
    const BracketChart::BoutTable t = BracketChartData::boutTable(db, branch, kMen, {}, true);
    EXPECT_EQ(t.scores, (QList<QStringList>{{"1"}}));
    EXPECT_EQ(BracketChartData::repechage(db, branch, kMen, {}).boutsA, 1);
}

// --- Repechage ---------------------------------------------------------------------------

TEST_F(BracketChartsTest, RepechagePoolsFromTheThirdPlaceBouts)
{
    auto add = [this](int key, const char* grup, const char* ad1, int s1, const char* ad2, int s2, const char* salon,
                      const QString& galip, int p1, int p2) {
        db.insert("C_KURA", {{"Kura_Key", key}, {"Brans", kBranch}, {"Cinsiyet", kMen}, {"Tur", Rounds::ThirdPlace},
                             {"Grup", grup}, {"Ad1", ad1}, {"Sira1", s1}, {"Ad2", ad2}, {"Sira2", s2},
                             {"Salon", salon}, {"Galip", galip}, {"Puan1", p1}, {"Puan2", p2}});
    };
    for (const auto& [sira, bolge] : std::vector<std::pair<int, const char*>>{{1, "ANKARA"}, {2, "İZMİR"}, {3, "BURSA"}})
        db.insert("C_LISTE", {{"Liste_Key", sira}, {"Brans", kBranch}, {"Cinsiyet", kMen}, {"Sira", sira},
                              {"Ad", QString("S%1").arg(sira)}, {"Bolge", bolge}});
    add(1, "A", "S1", 1, "S2", 2, "S1", "1", 5, 3);
    add(2, "A", "S1", 1, "S3", 3, "", "", 8, 2);
    add(3, "B", "-", 0, "-", 0, "", "", 0, 0);   // an empty third-place row is no bout
    BracketChart::Options o;
    o.points = true;
    const BracketChart::Repechage r = BracketChartData::repechage(db, kBranch, kMen, o);
    EXPECT_EQ(r.lines, (QStringList{"S1 (ANKARA)/5", "", "S2 (İZMİR)/3", "", "S3 (BURSA)/2", "-", "", ""}));
    EXPECT_EQ(r.boutsA, 2);
    EXPECT_EQ(r.boutsB, 0);
    EXPECT_EQ(r.linesA, 5);
    EXPECT_EQ(r.linesB, 2);
    EXPECT_EQ(r.winnersA, (QStringList{"S1 (ANKARA)/8", ""}));
}

TEST_F(BracketChartsTest, RepechageBeyondNineBoutsIsRefused)
{
    for (int key = 1; key <= 10; ++key)
        db.insert("C_KURA", {{"Kura_Key", key}, {"Brans", kBranch}, {"Cinsiyet", kMen}, {"Tur", Rounds::ThirdPlace},
                             {"Grup", "B"}, {"Ad1", "A"}, {"Ad2", "B"}});
    TPrintMenuR chart;
    EXPECT_EQ(BracketChartData::fillRepechage(db, kBranch, kMen, {}, "", chart),
              "Röpresaj çizelgesine sığmıyor: B grubunda 10 maç var, çizelge bir grupta en fazla 9 maç gösterebilir "
              "...!");
    EXPECT_TRUE(chart.FInput.lines.isEmpty()) << "nothing filled";
}

// --- Limits ------------------------------------------------------------------------------

TEST_F(BracketChartsTest, BracketsBeyondTheGridAreRefused)
{
    // 65 second-round bouts give 260 slots: more than the landscape chart's 256.
    db.insert("C_KURA", {{"Kura_Key", 1}, {"Brans", kBranch}, {"Cinsiyet", kMen}, {"Tur", "1. TUR"}, {"Grup", "A"}});
    for (int key = 2; key <= 66; ++key)
        db.insert("C_KURA", {{"Kura_Key", key}, {"Brans", kBranch}, {"Cinsiyet", kMen}, {"Tur", "2. TUR"},
                             {"Grup", "A"}, {"Ad1", "X"}, {"Tip1", "AD"}, {"Sira1", key}, {"Ad2", "Y"}, {"Tip2", "AD"},
                             {"Sira2", 100 + key}});
    TPrintMenu2D_1 landscape;
    EXPECT_EQ(BracketChartData::fillLandscape(db, *state, kBranch, kMen, {}, "", landscape),
              "Bu kategorinin kurası çizelgeye sığmıyor: 260 sıra var, çizelge en fazla 256 sıra gösterebilir ...!");
    EXPECT_TRUE(landscape.FSlotLines.isEmpty());

    // Eleven changes of round: more rounds than the grid's ten columns.
    db.exec("delete from C_KURA");
    for (int key = 1; key <= 11; ++key)
        db.insert("C_KURA", {{"Kura_Key", key}, {"Brans", kBranch}, {"Cinsiyet", kMen},
                             {"Tur", key % 2 ? "1. TUR" : "2. TUR"}, {"Grup", "A"}});
    TPrintMenu2D portrait;
    EXPECT_EQ(BracketChartData::fillPortrait(db, *state, kBranch, kMen, {}, "", portrait),
              "Bu kategorinin kurası çizelgeye sığmıyor: 11 tur var, çizelge en fazla 10 tur gösterebilir ...!");
}

// --- Placings ----------------------------------------------------------------------------

TEST_F(BracketChartsTest, ResultBoxWithoutPlacingsIsTheTemplate)
{
    drawChartCategory(4);
    EXPECT_EQ(BracketChartData::resultBox(db, kBranch, kMen, false), (QStringList{"SONUÇ", "1.", "2.", "3.", "3."}));
    EXPECT_EQ(BracketChartData::resultBox(db, kBranch, kMen, true), (QStringList{"RESULT", "1.", "2.", "3.", "3."}));
}

// Four athletes placed: A beat B, C beat D, A beat C in the final.
class ResultBoxTest : public BracketChartsTest {
protected:
    void placeFour()
    {
        n = addEntrants(4, [](int i) { return QString("R%1").arg(i); });
        auto side = [&](int i) { return QString("SPORCU %1").arg(i + 1); };
        auto bout = [&](int key, const QString& tur, int a, int b, int winner) {
            db.insert("C_KURA", {{"Kura_Key", key}, {"Brans", kBranch}, {"Cinsiyet", kMen}, {"Tur", tur},
                                 {"Grup", "A"}, {"Ad1", side(a)}, {"Sira1", n[a]}, {"Tip1", "AD"}, {"Ad2", side(b)},
                                 {"Sira2", n[b]}, {"Tip2", "AD"}, {"Galip", QString::number(n[winner])},
                                 {"Salon", side(winner)}});
        };
        bout(1, "YARI FİNAL", 0, 1, 0);
        bout(2, "YARI FİNAL", 2, 3, 2);
        db.insert("C_KURA", {{"Kura_Key", 3}, {"Brans", kBranch}, {"Cinsiyet", kMen}, {"Tur", Rounds::ThirdPlace},
                             {"Ad1", "-"}, {"Ad2", "-"}});
        bout(4, "FİNAL", 0, 2, 0);
    }
    QList<int> n;   // back numbers
};

TEST_F(ResultBoxTest, ShowsThePlacesAndLeavesThePointsListAlone)
{
    placeFour();
    db.exec("update C_LISTE set BolgeK = 'BK', Puan = 42");
    const QStringList box = BracketChartData::resultBox(db, kBranch, kMen, false);
    ASSERT_EQ(box.size(), 5);
    EXPECT_EQ(box[0], "SONUÇ");
    EXPECT_EQ(box[1], "1. SPORCU 1 (BK)");
    EXPECT_EQ(box[2], "2. SPORCU 3 (BK)");
    EXPECT_TRUE(box[3].startsWith("3. ") && box[4].startsWith("3. ")) << "fourth place prints as 3";

    TPrintMenu2D_1 chart;
    ASSERT_EQ(BracketChartData::fillLandscape(db, *state, kBranch, kMen, {}, "ŞAMPİYONA", chart), "");
    chart.ReportBody1.run();
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE where Puan = 42").toInt(), 4) << "the points list stays";
}

TEST_F(ResultBoxTest, APlaceWithoutRegionPrintsNoEmptyParentheses)
{
    placeFour();
    // The winner's region has no short name, the runner-up's only blanks.
    db.exec("update C_LISTE set BolgeK = 'KMARAŞ'");
    db.exec("update C_LISTE set BolgeK = '' where Sira = :s", {{"s", n[0]}});
    db.exec("update C_LISTE set BolgeK = null where Sira = :s", {{"s", n[1]}});
    db.exec("update C_LISTE set BolgeK = '  ' where Sira = :s", {{"s", n[2]}});
    const QStringList box = BracketChartData::resultBox(db, kBranch, kMen, false);
    ASSERT_EQ(box.size(), 5);
    EXPECT_EQ(box[1], "1. SPORCU 1");
    EXPECT_EQ(box[2], "2. SPORCU 3");
    EXPECT_EQ(box.mid(3), (QStringList{"3. SPORCU 2", "3. SPORCU 4 (KMARAŞ)"}));

    TPrintMenu2D_1 chart;
    ASSERT_EQ(BracketChartData::fillLandscape(db, *state, kBranch, kMen, {}, "ŞAMPİYONA", chart), "");
    QTemporaryDir dir;
    const QString pdf = dir.filePath("yatay.pdf");
    ASSERT_TRUE(chart.ReportBody1.saveToFile(pdf));
    const QString text = chartTool("pdftotext", {"-layout", pdf, "-"});
    for (const QString line : {"1. SPORCU 1", "2. SPORCU 3", "3. SPORCU 2"}) {
        EXPECT_TRUE(text.contains(line)) << line.toStdString() << "\n" << text.toStdString();
        EXPECT_FALSE(text.contains(line + " (")) << line.toStdString() << "\n" << text.toStdString();
    }
    EXPECT_TRUE(text.contains("3. SPORCU 4 (KMARAŞ)")) << text.toStdString();
    QStringList printed;
    for (const ReportItem* i : chart.ReportBody1.document()->pages[0].findAll("QRMemo1"))
        if (i->kind == ReportItem::Text)
            printed << i->text;
    EXPECT_EQ(printed, (QStringList{"SONUÇ", "1. SPORCU 1", "2. SPORCU 3", "3. SPORCU 2", "3. SPORCU 4 (KMARAŞ)"}));
}

// --- PDF ---------------------------------------------------------------------------------

TEST_F(BracketChartsTest, PortraitChartOfEightAsPdf)
{
    drawChartCategory(8);
    TPrintMenu2D chart;
    ASSERT_EQ(BracketChartData::fillPortrait(db, *state, kBranch, kMen, {}, "İL ŞAMPİYONASI", chart), "");
    QTemporaryDir dir;
    const QString pdf = dir.filePath("kura.pdf");
    ASSERT_TRUE(chart.ReportBody1.saveToFile(pdf));
    EXPECT_EQ(chart.ReportBody1.document()->pageCount(), 1);
    const QString text = chartTool("pdftotext", {"-layout", pdf, "-"});
    for (const QString& expected : {QString("İL ŞAMPİYONASI"), kBranch + " KURA LİSTESİ (8)", QString("SPORCU 1"),
                                    QString("SPORCU 8"), QString("ÇEYREK FİNAL"), QString("YARI FİNAL"),
                                    QString("FİNAL")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
    EXPECT_GT(chartInkOf(pdf, 1, dir.filePath("p1")), 200) << "the bracket's lines are drawn";
}

TEST_F(BracketChartsTest, LandscapeChartOfHundredOnTwoPagesWithTheResultBoxOnTheLast)
{
    drawChartCategory(100);
    TPrintMenu2D_1 chart;
    BracketChart::Options o;
    o.international = true;
    ASSERT_EQ(BracketChartData::fillLandscape(db, *state, kBranch, kMen, o, "ŞAMPİYONA\n05 - 07 MART 2010  Y",
                                              chart),
              "");
    QTemporaryDir dir;
    const QString pdf = dir.filePath("yatay.pdf");
    ASSERT_TRUE(chart.ReportBody1.saveToFile(pdf));
    const auto doc = chart.ReportBody1.document();
    ASSERT_EQ(doc->pageCount(), 2);
    EXPECT_EQ(doc->pages[0].find("QRMemo1"), nullptr) << "no result box on page 1";
    EXPECT_NE(doc->pages[1].find("QRMemo1"), nullptr);
    const QString page1 = chartTool("pdftotext", {"-layout", "-f", "1", "-l", "1", pdf, "-"});
    const QString page2 = chartTool("pdftotext", {"-layout", "-f", "2", "-l", "2", pdf, "-"});
    EXPECT_TRUE(page1.contains("60 KG MALE SENIORS DRAWING LIST")) << page1.toStdString();
    EXPECT_TRUE(page1.contains("Sp.Count: 100"));
    EXPECT_TRUE(page1.contains("ŞAMPİYONA"));
    EXPECT_TRUE(page1.contains("Referee"));
    EXPECT_FALSE(page1.contains("RESULT"));
    EXPECT_TRUE(page2.contains("RESULT")) << page2.toStdString();
    QRegularExpression pageOf("Page: (\\d)\\s*/\\s*2");
    EXPECT_EQ(pageOf.match(page1).captured(1), "1") << page1.toStdString();
    EXPECT_EQ(pageOf.match(page2).captured(1), "2");
    EXPECT_GT(chartInkOf(pdf, 2, dir.filePath("p2")), 200);
}

TEST_F(BracketChartsTest, RepechageChartAsPdf)
{
    for (int key = 1; key <= 2; ++key)
        db.insert("C_KURA", {{"Kura_Key", key}, {"Brans", kBranch}, {"Cinsiyet", kMen}, {"Tur", Rounds::ThirdPlace},
                             {"Grup", "A"}, {"Ad1", key == 1 ? "ALİ" : "ALİ"}, {"Ad2", key == 1 ? "VELİ" : "CAN"},
                             {"Salon", key == 1 ? "ALİ" : ""}});
    TPrintMenuR chart;
    ASSERT_EQ(BracketChartData::fillRepechage(db, kBranch, kMen, {}, "KUPA", chart), "");
    QTemporaryDir dir;
    const QString pdf = dir.filePath("r.pdf");
    ASSERT_TRUE(chart.ReportBody1.saveToFile(pdf));
    const QString text = chartTool("pdftotext", {"-layout", pdf, "-"});
    for (const char* expected : {"KUPA", "RÖPRESAJ LİSTESİ", "VELİ", "CAN"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_GT(chartInkOf(pdf, 1, dir.filePath("r1")), 50);
}

} // namespace
