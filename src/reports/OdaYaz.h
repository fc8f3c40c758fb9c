#pragma once
// The activity list of the activity definition screen ("Rapor"): one line
// per activity with its type and category names, place, dates, numbers of
// countries and athletes and the team rankings, A4 landscape.
//
// The caller sets FTitle (printed as the heading), the text of Query1 (the
// screen's statement over C_TURNUVA), FRowNo := 0 and previews; the first
// need-data event opens the type and category names and the activities.

#include "reports/ReportForm.h"

#include <QHash>

class TOdaYaz : public TReportForm {
    Q_OBJECT
public:
    TOdaYaz();

    ReportQuery Query1{"Query1"};   // the activities
    ReportQuery Query2{"Query2"};   // activity types (C_TURTURU)
    ReportQuery Query3{"Query3"};   // category names (C_BRANSADI)
    QString FTitle;
    ReportLabel* QRLabel9;          // the heading

private:
    void openData();
    QHash<qint64, QString> m_types, m_categories;
};

inline TOdaYaz* OdaYaz = nullptr;
