#pragma once
// The frame the register lists share: one line per person (or club) of
// Query1 with its line number at the left, the title QRLabel9 across the
// page header, the print date QRLabel10 at its right, the column captions
// under them, and the page number in the page footer. Each list adds its
// columns (ListLayout::Column) and its own labels.
//
// The caller writes the title and the date, sets FFirstRow, replaces the
// text of Query1, opens it and previews (ReportLaunch.h); the rows are
// numbered from 1 in every run.

#include "reports/ListLayout.h"
#include "reports/ReportForm.h"

class TRegisterList : public TReportForm {
    Q_OBJECT
public:
    ReportQuery Query1{"Query1"};
    ReportLabel* QRLabel9;          // the title (design "RAPOR BAŞLIĞI")
    ReportLabel* QRLabel10;         // the print date (design "RAPOR")
    ReportLabel* QRLabel1;          // the line number (design "9000")
    ReportBand* PageHeaderBand1;
    ReportBand* DetailBand1;        // the rows (QRSubDetail1 for SubDetailRows)
    ReportBand* PageFooterBand1 = nullptr;

protected:
    // rowsBand: the rows are a sub-detail band QRSubDetail1 of a report
    // without dataset, so that further sections can follow them.
    enum Rows { DetailRows, SubDetailRows };
    TRegisterList(const QString& name, ReportPageSetup::Orientation orientation, bool pageFooter = true,
                  Rows rows = DetailRows);
    // The columns after the line number, captions under the title.
    ListLayout::Table addColumns(const std::vector<ListLayout::Column>& columns, int size = 8);
    // A calculated field `name` of Query1: the columns' values joined by ", "
    // (empty ones left out).
    void addJoined(const QString& name, const QStringList& columns);
    // The printable width of the page.
    double width() const { return ReportBody1.page.printableWidth(); }

    static constexpr double kNumberWidth = 10;
    static constexpr double kCaptionTop = 15;
};
