#pragma once
// "Antrenör Rapor": the coaches with their licence number (the diploma
// number of the highest coach title), gender, visa year, region, grade and
// club, A4 portrait; every printed coach also gives one line of the CSV
// file (CsvList.h):
//   ADI;SOYADI;LİSANS NO;CİNSİYET;İLİ;ÇALIŞTIĞI KULÜP;KADEME;VİZE YILI

#include "reports/CsvList.h"

class TPrintMenuCA1 : public TCsvList {
    Q_OBJECT
public:
    TPrintMenuCA1();

    ReportQuery Query17{"Query17"};   // the person's coach titles with a diploma number

    // The year of a stored visa value, whatever its form: 2010, "2010",
    // "12.05.2010" and "2010-05-12" all give "2010"; "" for none. A value
    // without a four-digit year is given as it stands.
    static QString visaYear(const QVariant& value);

    // Of the row being printed.
    QString FLicenceNo;
    QString FVisaYear;
};

inline TPrintMenuCA1* PrintMenuCA1 = nullptr;
