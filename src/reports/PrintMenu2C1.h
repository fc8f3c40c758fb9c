#pragma once
// The ring list: one page per ring of a day (each value of Tar_Saat), its
// bouts in ring order with round, weight class, both corners with back
// number, region and team, and the winner. Landscape.
//
// The caller writes the title into QRLabel9, sets FFirstRow, writes the
// ring query into Query2 (Tar_Saat per row) and opens it. The line counter
// restarts in every ring; its label is not printed.

#include "reports/ListLayout.h"
#include "reports/ReportForm.h"

class TPrintMenu2C1 : public TReportForm {
    Q_OBJECT
public:
    TPrintMenu2C1();

    ReportQuery Query1{"Query1"};   // the bouts of one ring, with Tur_Mac
    ReportQuery Query2{"Query2"};   // the rings: Tar_Saat
    ReportQuery Query3{"Query3"};   // region and team of a back number

    ReportLabel* QRLabel9;      // the title (design "RAPOR BAŞLIĞI")
    ReportLabel* QRLabel10;     // section caption: the ring + " MÜSABAKA LİSTESİ"
    ReportLabel* QRLabel2;      // "Tur"
    ReportLabel* QRLabel3;      // "Branş"
    ReportLabel* QRLabel4;      // "Sıra"
    ReportLabel* QRLabel5;      // "Adı Soyadı" (blue corner)
    ReportLabel* QRLabel6;      // "Bölge/Takım"
    ReportLabel* QRLabel7;      // "Adı Soyadı" (red corner)
    ReportLabel* QRLabel11;     // "Bölge/Takım"
    ReportLabel* QRLabel12;     // "Galip"
    ReportLabel* QRLabel1;      // line number (design "9000"; not printed)
    ReportDataText* QRDBText1;  // Tur_Mac
    ReportDataText* QRDBText2;  // Brans
    ReportDataText* QRDBText3;  // Skor
    ReportDataText* QRDBText4;  // Sira1
    ReportDataText* QRDBText5;  // Ad1
    ReportLabel* QRLabel8;      // region and team of the blue corner
    ReportDataText* QRDBText6;  // Sira2
    ReportDataText* QRDBText7;  // Ad2
    ReportLabel* QRLabel13;     // region and team of the red corner
    ReportDataText* QRDBText8;  // Galip (bold)
    ReportMemo* Memo1;          // hidden; keeps its design line "Memo1"

    // Bolge + ", " + Takim of the weigh-in row with this back number; empty
    // for an empty number or one without a weigh-in row.
    QString regionAndTeam(const QString& backNumber);

private:
    void sectionRow();
    void boutRow();

    ListLayout::FittedCells m_cells;   // every value of a bout row
};

inline TPrintMenu2C1* PrintMenu2C1 = nullptr;
