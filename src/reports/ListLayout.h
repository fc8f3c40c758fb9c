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

#include "platform/report/Report.h"

#include <QFont>
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

// The narrow right-aligned line number at the left of a row (design "9000").
ReportLabel* addLineNumber(ReportBand* rows, const char* name, const QRectF& rect, int size);

// Date columns of a dataset print as "dd.mm.yyyy" (stored as ISO text);
// a value that is no date prints as it stands.
void showDates(ReportQuery& query, const QStringList& columns);

}
