#pragma once
// The bout list: one page per gender and weight class of C_KURA, listing
// its bouts with both corners, the winner, ring and order, decision and
// score. Landscape.
//
// The caller writes the title into QRLabel9 and the print date into
// QRLabel12, the group query into Query2 (Cinsiyet, Brans per row) and
// opens it. "Takım/Kulüp Gösterme" of the competition title dialog leaves
// the two club columns out.

#include "reports/ListLayout.h"
#include "reports/ReportForm.h"

class TPrintMenu2C : public TReportForm {
    Q_OBJECT
public:
    TPrintMenu2C();

    ReportQuery Query1{"Query1"};   // the bouts of one section, with Tur_Mac and skor1
    ReportQuery Query2{"Query2"};   // the sections: Cinsiyet, Brans

    ReportLabel* QRLabel9;      // the title
    ReportLabel* QRLabel10;     // section caption
    ReportLabel* QRLabel12;     // print date (page footer)
    ReportLabel* QRLabel1;      // "Maç"
    ReportLabel* QRLabel2;      // "Adı Soyadı (Mavi)"
    ReportLabel* QRLabel3;      // "Bölge"
    ReportLabel* QRLabel4;      // "Kulüp Adı"
    ReportLabel* QRLabel5;      // "Adı Soyadı (Kırmızı)"
    ReportLabel* QRLabel6;      // "Bölge"
    ReportLabel* QRLabel7;      // "Kulüp Adı"
    ReportLabel* QRLabel8;      // "Galip Sporcu"
    ReportLabel* QRLabel11;     // "Ring/Sıra"
    ReportLabel* QRLabel13;     // "Karar"
    ReportLabel* QRLabel14;     // "Skor"
    ReportDataText* QRDBText1;  // Tur_Mac
    ReportDataText* QRDBText2;  // Ad1
    ReportDataText* QRDBText3;  // Bolge1
    ReportDataText* QRDBText4;  // Klup1
    ReportDataText* QRDBText5;  // Ad2
    ReportDataText* QRDBText6;  // Bolge2
    ReportDataText* QRDBText7;  // Klup2
    ReportDataText* QRDBText8;  // Salon
    ReportDataText* QRDBText9;  // skor1
    ReportDataText* QRDBText10; // Karar
    ReportDataText* QRDBText11; // Puan1
    ReportDataText* QRDBText12; // Puan2

private:
    void sectionRow();

    ListLayout::FittedCells m_cells;   // every value of a bout row
};

inline TPrintMenu2C* PrintMenu2C = nullptr;
