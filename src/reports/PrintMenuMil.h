#pragma once
// The national-team diploma list ("Millilik Diploması"): the persons with a
// national-team diploma, its date and number, then on a new page
// "YILLARA GÖRE DAĞILIM", the number of diplomas per year. Every column is
// printed, the identity number and the penalty too: the page is A4
// landscape.
//
// The caller writes the title into QRLabel9 and today's date into
// QRLabel10, sets FFirstRow, replaces and opens Query1 (the persons) and
// Query2 (SaySNO, Yil per year) and previews.

#include "reports/RegisterList.h"

class TPrintMenuMil : public TRegisterList {
    Q_OBJECT
public:
    TPrintMenuMil();

    ReportQuery Query2{"Query2"};   // SaySNO, Yil
    ReportLabel* QRLabel20;         // "YILLARA GÖRE DAĞILIM"
    ReportLabel* QRLabel21;         // the year, or "Yılı boş olan"
    ReportDataText* QRDBText20;     // SaySNO

    // The year line's text: the year, or "Yılı boş olan" when it is empty.
    static QString yearText(const QVariant& year);
};

inline TPrintMenuMil* PrintMenuMil = nullptr;
