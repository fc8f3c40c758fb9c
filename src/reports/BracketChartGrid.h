#pragma once
// The grid of narrow labels that draws the bracket charts' lines: per
// column a line label, an upper and a lower connector, a stub, a bout number
// label and a winner label, whose frame edges draw what a row of the chart
// model (BracketChart.h) says. The portrait and repechage charts use one
// grid; the landscape chart a left grid and, mirrored, a right one.

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
    };

    // Builds the labels on the band. Names follow the portrait chart's grid
    // (QRLabel1 the athlete line, QRLabel53 the name, ...).
    BracketChartGrid(ReportBand* band, const Layout& layout);

    // Sets the frames and captions of one side of a row.
    void apply(const BracketChart::Side& side);
    // Clears every frame and caption.
    void clear();
    // Fits the connectors to another row height (px).
    void setRowHeight(double rowHeight);

    ReportLabel* name() const { return m_name; }
    ReportLabel* detail() const { return m_detail; }

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

    Layout m_layout;
    std::vector<Column> m_columns;
    ReportLabel* m_afterLast = nullptr;       // the line after the last join column
    ReportLabel* m_afterLastPiece = nullptr;  // and its last piece
    ReportLabel* m_name = nullptr;
    ReportLabel* m_detail = nullptr;
};
