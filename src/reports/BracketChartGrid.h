#pragma once
// The grid of narrow labels that draws the bracket charts' lines: per
// column a line label, an upper and a lower connector, a stub, a bout number
// label and a winner label, whose frame edges draw what a row of the chart
// model (BracketChart.h) says. The portrait and repechage charts use one
// grid; the landscape chart a left grid and, mirrored, a right one.
//
// Texts are printed whole: each is fitted (FitText.h) into the room its
// column leaves it, in smaller type or on more lines where it must. A text
// above a line may rise into the rows above as far as they are free in its
// column (the grid keeps, per column, how far down the printed rows are
// used); a text below a line stays inside its row, as the report engine cuts
// a band's controls at its bottom edge.
//
//   grid.restartPage(12);             // a page begins: 12 px free above its first row
//   grid.apply(row.left, row.printed);

#include "reports/BracketChart.h"

#include <QColor>
#include <QRectF>
#include <QString>

#include <array>
#include <vector>

class ReportBand;
class ReportLabel;

class BracketChartGrid {
public:
    struct Layout {
        std::vector<double> joinX;     // x of each join column's vertical (px)
        double firstLineStart = 2;     // where the athlete line starts (px)
        double firstLineEnd = 184;     // where the athlete line label ends (px)
        double lastLineEnd = 0;        // end of the line after the last join column (px); 0: none
        double lastLineEndPiece = 0;   // end of that line's last piece (px); 0: none
        double finalRight = 0;         // where the winner of the bracket's last join may reach (px); 0: its column
        double rowHeight = 16;         // px
        double lineY = 3;              // px
        bool mirrored = false;         // drawn right to left: x' = mirrorAxis - x
        double mirrorAxis = 0;
        QString suffix;                // appended to every control name
        double nameWidth = 180;        // px of the name label
        QString fontFamily = "DejaVu Sans";
        double nameSize = 8;
        double detailSize = 6;
        double numberSize = 7;
        QColor connectorColor = Qt::black;
        bool winnerAtLastColumn = true; // the last join column has a winner label
        // Entries "name\nplace" (the landscape chart): printed on one line
        // when they fit in at least this size (points), otherwise the name
        // above the athlete's line and the place below it. 0: entries are
        // "name" with the detail apart.
        double splitBelow = 0;
    };

    // Builds the labels on the band. Names follow the portrait chart's grid
    // (QRLabel1 the athlete line, QRLabel53 the name, ...).
    BracketChartGrid(ReportBand* band, const Layout& layout);

    // Sets the frames and captions of one side of a row. A printed row takes
    // its place below the rows printed before it on the page.
    void apply(const BracketChart::Side& side, bool printed = true);
    // Clears every frame and caption.
    void clear();
    // Fits the connectors to another row height and line height (px).
    void setRowHeight(double rowHeight);
    void setRowHeight(double rowHeight, double lineY);
    // Where the winner of the bracket's last join may reach (px; 0: its column).
    void setFinalRight(double x) { m_layout.finalRight = x; }
    // A page begins with `room` px free above its first row. The row applied
    // last, when it moves onto the new page, is fitted again there.
    void restartPage(double room);

    ReportLabel* name() const { return m_name; }
    ReportLabel* detail() const { return m_detail; }
    const Layout& layout() const { return m_layout; }

    // The lanes: lane 0 holds the athletes' names, lane j (1 to the number
    // of joins) the texts and lines between join j - 1 and join j. In px
    // from the top of the page's first row: the line of the row applied
    // last, the lowest point used in a lane by the rows before it, and the
    // top of the texts that row placed above its line in a lane (its line
    // when none).
    double lineTop() const { return m_lineTop; }
    double laneBottom(int lane) const;
    double textTop(int lane) const;
    int lanes() const { return int(m_laneBottom.size()); }
    // Where a lane's texts begin, in px of the unmirrored grid.
    double laneStart(int lane) const { return laneLeft(lane); }
    // px from the top of the page's first row to the top of the row applied last.
    double rowTop() const { return m_rowTop; }

private:
    struct Column {
        ReportLabel* line = nullptr;    // the horizontal of this column
        ReportLabel* byeLine = nullptr; // column 1: the line of an athlete who advances without a bout
        ReportLabel* up = nullptr;
        ReportLabel* down = nullptr;    // its top: the line's last piece
        ReportLabel* stub = nullptr;
        ReportLabel* boutNo = nullptr;
        ReportLabel* winner = nullptr;
    };
    QRectF place(double x1, double x2, double y, double h) const;
    void setVertical(ReportLabel* label, bool on);
    double laneLeft(int lane) const;
    double laneRight(int lane) const;
    void fitEntry(const BracketChart::Side& s);
    void markLines(const BracketChart::Side& s);
    void applyAt(const BracketChart::Side& side, bool printed);

    Layout m_layout;
    std::vector<Column> m_columns;
    ReportLabel* m_afterLast = nullptr;       // the line after the last join column
    ReportLabel* m_afterLastPiece = nullptr;  // and its last piece
    ReportLabel* m_name = nullptr;
    ReportLabel* m_detail = nullptr;

    // The printed rows of the page so far (px).
    double m_y = 0;
    double m_rowTop = 0;
    double m_lineTop = 0;
    std::vector<double> m_laneBottom;
    std::vector<double> m_laneBefore;   // as they were before the row applied last
    std::vector<double> m_textTop;
    double m_detailBottom = 0;   // the row's detail below its line
    BracketChart::Side m_lastSide;
    bool m_lastPrinted = false;
    bool m_hasLast = false;
};
