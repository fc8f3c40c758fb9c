#pragma once
// The line pictures of the bracket charts, without any report: for every row
// of a chart, which horizontals, connectors, bout numbers and winners it
// carries. The chart forms (PrintMenu2D.h, PrintMenu2D_1.h, PrintMenuR.h)
// only draw what this model says.
//
//   BracketChart::BoutTable bouts;           // bout numbers and winners per round
//   const auto rows = BracketChart::portrait(lines, slotCount, bouts);
//   rows[1].left.stub[0]                      // row 2 starts a round-1 winner line
//
// The grid: column j (0 to 9) is a round. A side of a row carries
//   line[j]     the horizontal of column j at the row's line height (column 0:
//               the athlete's own line; column j >= 1: a winner line, or the
//               line of an athlete who advances without a bout)
//   lineEnd[j]  the last piece of that horizontal, up to column j's join
//   up[j]       the vertical at column j's join from the row's top to the line
//   down[j]     the vertical from the line to the row's bottom
//   stub[j]     the short horizontal from column j's join into column j + 1
//   bout[j]     the 1-based index of the bout whose number and winner are
//               printed at column j's join in this row (0: none)
//
// The rule (the same for the portrait chart and each half of the landscape
// chart): the athletes of a pair sit on rows 1 and 3 of the pair's four
// rows, joined by a vertical, and the winner line starts on row 2; an athlete
// without an opponent sits on row 2 and his line runs straight into the next
// column. In column j a join opens at the first line arriving, closes at the
// second, and starts its winner line on the row inside the join whose number
// is a multiple of 2^(j+1). The final's winner line ends in its own column.
// Rows that would draw verticals only are not printed (their number counts).
//
// The landscape chart draws each half from its own entries (a half with a
// bye of its own is drawn as it is) and numbers the bouts of each column in
// slot order: upper left, upper right, lower left, lower right, as the
// rounds' bouts follow one another in the bout table. When one page holds
// the whole bracket (4 to 64 slots), the two finalists' lines run on to the
// centre of the page and meet there: the final, with its number and its
// winner. Up to 3 slots there is one side, whose last join is the final.

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace BracketChart {

// Columns of the grid (rounds), joins in columns 0 to 8.
constexpr int kColumns = 10;
// Limits of the charts.
constexpr int kPortraitMaxSlots = 512;     // nine join columns
constexpr int kLandscapeMaxSlots = 256;    // four page groups of 64
constexpr int kMaxRounds = 10;
constexpr int kRepechageMaxBouts = 9;      // nine join columns

// The chart options of the draw-sheet title dialog.
struct Options {
    bool region = true;         // "Kura Tablosunda Bölge Yaz"
    bool club = false;          // "Kulüp Yaz"
    bool drawNumbers = false;   // "Sırt Numarası Yaz": back numbers, winners as back numbers
    bool points = false;        // "Puan Yaz"
    bool international = false; // "Uluslar arası Müsabaka"
};

// Bout numbers and winners per round, in bout table order: scores[r][i] is
// the number (Skor) of bout i + 1 of round r + 1.
struct BoutTable {
    QList<QStringList> scores;
    QList<QStringList> winners;

    QString score(int round, int index) const;    // 1-based; "" outside
    QString winner(int round, int index) const;
};

struct Side {
    QString name;       // the entry's first line ("" for an empty row)
    QString detail;     // the rest of the entry
    std::array<bool, kColumns + 1> line{};
    std::array<bool, kColumns + 1> lineEnd{};
    std::array<bool, kColumns> up{};
    std::array<bool, kColumns> down{};
    std::array<bool, kColumns> stub{};
    bool bye = false;                   // line[1] carries an athlete without a bout
    std::array<bool, kColumns> last{};  // the join is the bracket's last: nothing follows its winner line
    int toCentre = 0;                   // landscape: the finalist's line runs on from this column to the
                                        // centre, where the final is drawn (0: it does not)
    std::array<int, kColumns> bout{};   // bout index shown at the join, 0: none
    std::array<QString, kColumns> boutNo;
    std::array<QString, kColumns> winner;

    bool athlete() const { return line[0]; }
    // Draws a horizontal that makes the row worth printing.
    bool drawsLine() const;
    // Number of joins shown in column j on this side (0 or 1).
    bool shows(int j) const { return bout[size_t(j)] != 0; }
};

struct Row {
    int number = 0;         // R: the row's number within its block (page group half)
    bool printed = false;
    bool newPage = false;   // the first row of a page group after the first
    Side left;
    Side right;             // landscape chart only
    // Landscape: the final, drawn in the centre where the finalists' lines
    // meet, its number below and its winner above the meeting point.
    bool final = false;
    QString finalNo;
    QString finalWinner;
};

// The portrait chart of slotLines ("name\rdetail" or empty, two rows per
// slot) for a bracket of slotCount slots.
QList<Row> portrait(const QStringList& slotLines, int slotCount, const BoutTable& bouts);

// The page groups of the landscape chart: slots per side of one group.
int landscapeSideSlots(int slotCount);
// Number of page groups ("1", "2" or "4").
int landscapePageGroups(int slotCount);

// The landscape chart of rows "left entry\rright entry" (two rows per slot
// of a side, as landscapeRows() of the filler makes them).
QList<Row> landscape(const QStringList& slotLines, int slotCount, const BoutTable& bouts);

// The two entries of a landscape row text.
QString leftEntry(const QString& row);
QString rightEntry(const QString& row);

// The repechage chart: pool A rows, a row "-", pool B rows. Winners of
// pool A and B by bout: winnersA[b - 1] is the winner of bout b.
struct Repechage {
    QStringList lines;
    int boutsA = 0;
    int boutsB = 0;
    int linesA = 0;
    int linesB = 0;
    QStringList winnersA;
    QStringList winnersB;
};
QList<Row> repechage(const Repechage& input);

}
