#pragma once
// "Sporcu Rapor": the athletes with licence number, gender, visa year,
// birth date and club, A4 portrait; every printed athlete also gives one
// line of the CSV file (CsvList.h) with the latest licence visa of each
// year from 2009 to the current year:
//   ADI;SOYADI;CİNSİYET;D.TARİHİ;KULÜBÜ;LİSANS NO;V 2009;V 2010;...

#include "reports/CsvList.h"

#include <QDate>

class TPrintMenuCS1 : public TCsvList {
    Q_OBJECT
public:
    TPrintMenuCS1();

    ReportQuery Query16{"Query16"};   // the person's licence rows with a visa date

    static constexpr int kFirstVisaYear = 2009;
    // The header for a current year.
    static QStringList header(int currentYear);
    // For each year from 2009 to `currentYear`, the latest of the visa
    // dates of that year as "dd.mm.yyyy", or "" for a year without a visa.
    // The dates are compared as dates, whatever order they come in.
    static QStringList visasByYear(const QList<QDate>& visas, int currentYear);
};

inline TPrintMenuCS1* PrintMenuCS1 = nullptr;
