#pragma once
// The layout the lists share: the title across the page header, a section
// band per group that starts a new page with its caption and column
// captions, the rows in one font size, and the page number at the right of
// the page footer. Each form adds its own columns in its own places; these
// only keep the common parts alike.
//
// Register lists lay their columns out from a table (addColumns): captions
// and cells side by side, every cell wrapping its text and stretching its
// row, so a long value takes more lines instead of being cut and every
// column fits the page.
//
// Competition lists keep their columns and fit each value into its cell
// (FittedCells): a long name or club prints in smaller type, or on more
// lines where even that is too wide, never cut off or run into the next
// column.

#include "platform/report/Report.h"

#include <QFont>
#include <QRectF>
#include <QStringList>

#include <vector>

namespace ListLayout {

// The lists' font ("Arial", printed as DejaVu Sans).
QFont font(int size, bool bold = false);

// The page header band PageHeaderBand1 with the title QRLabel9 ("RAPOR
// BAŞLIĞI", bold 12, centred) across `width` mm. A long title is printed
// in smaller type on its line, or (below 7 points) on more lines, the band
// growing with them: never cut off.
ReportLabel* addTitle(Report& report, double width);

// The section band QRSubDetail2, one per row of `groups`, each on a new
// page, with its caption QRLabel10 (bold 11) `captionWidth` mm wide.
struct Section {
    ReportBand* band;
    ReportLabel* QRLabel10;
};
Section addSection(Report& report, ReportQuery* groups, double captionWidth);

// Column captions of a band: bold, in one size.
struct Captions {
    ReportBand* band;
    int size;
    ReportLabel* operator()(const char* name, const QRectF& rect, const char* text) const;
};

// Data texts of a band on one dataset, in one size.
struct Fields {
    ReportBand* band;
    ReportQuery* query;
    int size;
    ReportDataText* operator()(const char* name, const QRectF& rect, const char* column) const;
};

// The page number ("Sayfa n", 8 points, right-aligned) QRSysData1.
ReportSysData* addPageNumber(ReportBand* footer, const QRectF& rect);

// A column of a register list: its caption and its cell.
struct Column {
    const char* captionName;   // the caption label ("" for a column without caption)
    const char* caption;
    const char* cellName;      // the data text of the rows
    const char* field;         // a column or a calculated field of the rows' dataset
    double width;              // millimetres
    Qt::Alignment align = Qt::AlignLeft;
};
struct Table {
    std::vector<ReportLabel*> captions;   // null for a column without caption
    std::vector<ReportDataText*> cells;
    double right = 0;                     // where the last column ends
};
// Lays the columns out side by side from `left`: bold captions at
// `captionTop` of `captionBand`, cells at `rowTop` of `rows`, both in
// `size` points. Captions and cells wrap and stretch their band.
Table addColumns(ReportBand* captionBand, double captionTop, ReportBand* rows, ReportQuery* query,
                 const std::vector<Column>& columns, int size, double left = 0, double rowTop = 0.5);

// Cells that print their values whole: fit() fits each to the text it
// prints now (a label's caption, a data text's value) with FitText, in its
// design size where the value fits, else in smaller type down to 6 points
// (the narrow face tried as well), else in lines broken at blanks, the band
// growing with them. A blank millimetre on the side the text runs toward
// (the right, the left of a right-aligned cell, both halves of a centred
// one) keeps it apart from the next column. A band's beforePrint calls
// fit() after it has set its labels:
//
//   m_cells.add({QRDBText5, QRLabel8});
//   rows->beforePrint = [this](ReportBand&, bool&) { boutRow(); m_cells.fit(); };
//
// A cell's design font and box are those it has when added; a form that
// lays a cell out anew (a column shown or hidden) sets its rect as before,
// and that box is the design from then on. A cell with other texts right
// below it (a sheet's fixed fields) keeps to its box's height: it takes
// more lines only in type small enough for the box to hold them.
class FittedCells {
public:
    enum Height { RowGrows, BoxHolds };
    void add(std::initializer_list<ReportTextControl*> cells, Height height = RowGrows);
    void fit();

private:
    struct Cell {
        ReportTextControl* control;
        Height height;
        QFont font;          // design
        QRectF box;          // design
        QRectF fittedBox;    // as fit() left it
    };
    std::vector<Cell> m_cells;
};

// The narrow right-aligned line number at the left of a row (design "9000").
ReportLabel* addLineNumber(ReportBand* rows, const char* name, const QRectF& rect, int size);

// Date columns of a dataset print as "dd.mm.yyyy" (stored as ISO text);
// a value that is no date prints as it stands.
void showDates(ReportQuery& query, const QStringList& columns);

}
