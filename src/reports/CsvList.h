#pragma once
// The frame of the lists that also collect a CSV file: besides printing,
// each printed person adds one line to the hidden line buffer Memo1, after
// a header line; the caller saves the buffer (Csv::writeFile) after the
// preview.
//
// The buffer is filled once per run: the first move of Query1 after the
// caller set FFirstRow empties it and adds the header; each row adds its
// line; the end of the data stops the collecting, so printing from the
// preview after viewing adds nothing twice. Lists with a line number
// (numbered) count their rows in the same moves.

#include "platform/text/Csv.h"
#include "reports/ListLayout.h"
#include "reports/ReportForm.h"

class TCsvList : public TReportForm {
    Q_OBJECT
public:
    ReportQuery Query1{"Query1"};
    ReportLabel* QRLabel9;          // the title (bold)
    ReportLabel* QRLabel1 = nullptr;   // the line number (numbered lists)
    ReportBand* PageHeaderBand1;
    ReportBand* DetailBand1;
    ReportBand* PageFooterBand1;

    // The hidden line buffer: the header and one line per person.
    CsvRows Memo1;
    int FCollecting = 0;

protected:
    TCsvList(const QString& name, bool numbered);
    // The columns of the printed list, from `left`.
    ListLayout::Table addColumns(const std::vector<ListLayout::Column>& columns, double left);
    double width() const { return ReportBody1.page.printableWidth(); }

    // The header line, and the work on each row (its lookups), whose line
    // follows; both given by each list.
    std::function<QStringList()> csvHeader;
    std::function<void()> rowMoved;
    std::function<QStringList()> csvLine;

    static constexpr double kCaptionTop = 12;
};
