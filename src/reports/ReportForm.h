#pragma once
// Base of every report form: the object that holds one banded report
// (ReportBody1), the datasets that feed it and the labels its callers fill.
// A report form is created once at start-up and never shown as a window;
// a caller prepares it and runs its preview (ReportLaunch.h).
//
// The row counters every form shares:
//   FFirstRow  set to 1 by the caller right before a run; the first move of
//              the numbered dataset consumes it and restarts FLineNo
//   FLineNo    the printed line number of the current row; 0 again at the
//              end of the data, so a second pass over the same rows (a print
//              after a preview) numbers from 1 as well
//   FRowNo     forms that load their data on the report's need-data event:
//              how often the event fired in this run; the caller sets it to
//              0 and the first event opens the datasets
//
// Every dataset of a form works on the login's shared connection and is
// closed after the preview.

#include "platform/report/Report.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>

namespace Reports {
// Today's date as the report dates print it (tests fix it).
QDate today();
void setToday(std::function<QDate()> clock);
// The sport's name the main window read at start-up (Ihbar of C_YAZILAR),
// the prefix of report titles and section captions.
QString sportName();
}

class TReportForm : public QObject {
    Q_OBJECT
public:
    explicit TReportForm(const QString& name);
    ~TReportForm() override;

    Report ReportBody1;
    int FFirstRow = 0;
    int FRowNo = 0;
    int FLineNo = 0;

    // The datasets of the form, in the order they were added.
    const QList<ReportQuery*>& dataSets() const { return m_dataSets; }
    // Closes every dataset (after a preview, after a refused launch).
    void closeDataSets();
    bool anyDataSetOpen() const;

    // Composed labels: the non-empty values joined by ", ".
    static QString joinColumns(const QStringList& values);

protected:
    // Registers a dataset of the form, bound to the shared connection.
    void addDataSet(ReportQuery& q);
    // Line numbering on dataset q: before it moves a pending FFirstRow
    // restarts the count; after each move to a row FLineNo grows by one and
    // `label` (may be null) shows it; at the end of the data FLineNo is 0.
    void numberRows(ReportQuery& q, ReportLabel* label);
    // Need-data loading: every need-data event counts in FRowNo; the first
    // one of a run resets `runningTotal` (may be null) and runs `open`.
    // The event never asks for more data, so the body prints once and the
    // sub-detail bands walk the datasets `open` opened.
    void loadOnNeedData(std::function<void()> open, ReportExpr* runningTotal = nullptr);

private:
    QList<ReportQuery*> m_dataSets;
    bool m_moving = false;
};

// Closes a report's datasets when the scope ends, however it ends (a
// launcher's last step).
//
//   CloseDataSetsAfter close{r};
struct CloseDataSetsAfter {
    TReportForm& report;
    ~CloseDataSetsAfter() { report.closeDataSets(); }
};
