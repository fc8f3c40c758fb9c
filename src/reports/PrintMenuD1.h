#pragma once
// The diploma: the data of one person and the exam texts of the dialog
// "Sınav Yeri ve Tarihi", printed twice side by side onto a pre-printed
// sheet of 420 x 285 mm, one sheet per person. The sheet's artwork and
// captions are not printed, only the data.

#include "reports/ReportForm.h"

class TPrintMenuD1 : public TReportForm {
    Q_OBJECT
public:
    TPrintMenuD1();

    ReportQuery Query1{"Query1"};
    ReportBand* DetailBand1;
    // Each of the two copies: register number, name, region, birth date.
    ReportDataText* QRDBText[2][4];
    // Each copy: degree, exam place, exam date, president.
    ReportLabel* QRLabelDegree[2];
    ReportLabel* QRLabelPlace[2];
    ReportLabel* QRLabelDate[2];
    ReportLabel* QRLabelPresident[2];

    // The exam texts into both copies.
    void setExamTexts(const QString& place, const QString& date, const QString& degree, const QString& president);
};

inline TPrintMenuD1* PrintMenuD1 = nullptr;
