#pragma once
// The layout the competition lists share: the title across the page header,
// a section band per group that starts a new page with its caption and
// column captions, the rows in one font size, and the page number at the
// right of the page footer. Each form adds its own columns in its own
// places; these only keep the common parts alike.

#include "platform/report/Report.h"

#include <QFont>

namespace ListLayout {

// The lists' font ("Arial", printed as DejaVu Sans).
QFont font(int size, bool bold = false);

// The page header band PageHeaderBand1 with the title QRLabel9 ("RAPOR
// BAŞLIĞI", bold 12, centred, growing with its text) across `width` mm.
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

}
