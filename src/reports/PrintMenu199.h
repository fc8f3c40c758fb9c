#pragma once
// Address labels, filled row by row two across an A4 sheet of 97.1 x 33.9
// mm labels, 10-point type, report title "Yazıcı Raporu": TPrintMenu199 for
// persons (name, then Adres and Sokak), TPrintMenu198 for clubs (contact
// person, club name, then the club's address as the club letter builds
// it).
//
// The caller replaces and opens Query1 and previews.

#include "reports/ReportForm.h"

class TLabelForm : public TReportForm {
    Q_OBJECT
public:
    ReportQuery Query1{"Query1"};
    ReportBand* DetailBand1;

    static constexpr double kLabelWidth = 97.1;
    static constexpr double kLabelHeight = 33.9;

protected:
    TLabelForm(const QString& name, double leftMargin);
};

class TPrintMenu199 : public TLabelForm {
    Q_OBJECT
public:
    TPrintMenu199();
    ReportDataText* QRDBText1;  // Ad_Soyad
    ReportLabel* QRLabel1;      // the address
};

class TPrintMenu198 : public TLabelForm {
    Q_OBJECT
public:
    TPrintMenu198();
    ReportDataText* QRDBText1;  // the contact person (Ad_Soyad)
    ReportDataText* QRDBText2;  // the club (Durum)
    ReportLabel* QRLabel1;      // the address
};

inline TPrintMenu199* PrintMenu199 = nullptr;
inline TPrintMenu198* PrintMenu198 = nullptr;
