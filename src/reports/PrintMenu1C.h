#pragma once
// The weigh-in list: one page per gender and weight class of C_LISTE, with
// each athlete's back number, weighed weight, region and club, the accepted
// athletes first; disqualified athletes and those who did not come to their
// bouts print on a grey line with their status.
//
// The caller writes the title into QRLabel9, the group query into Query2
// (Cinsiyet, Brans per row) and opens it; the options come from the
// competition title dialog while the report runs: "Kilo Gösterme" leaves
// the weights out, "Takım/Kulüp Gösterme" the clubs, "Uluslar arası
// Müsabaka" prints the captions in English.

#include "reports/FitText.h"
#include "reports/ListLayout.h"
#include "reports/ReportForm.h"

class TPrintMenu1C : public TReportForm {
    Q_OBJECT
public:
    TPrintMenu1C();

    ReportQuery Query1{"Query1"};   // the athletes of one section
    ReportQuery Query2{"Query2"};   // the sections: Cinsiyet, Brans
    ReportQuery Query3{"Query3"};   // the section's bouts with an absent athlete

    // Back numbers, each in single quotes, of the section's athletes who did
    // not take part in their bouts.
    QString FOutList;
    // Order of the athletes after the accepted ones: the weigh-in screen's
    // order of its lists.
    QString FOrderBy = "Ad";

    ReportLabel* QRLabel9;      // the title (design "RAPOR BAŞLIĞI")
    ReportLabel* QRLabel10;     // section caption
    ReportLabel* QRLabel8;      // athlete count of the section
    ReportLabel* QRLabel1;      // "No."
    ReportLabel* QRLabel2;      // "Adı Soyadı"
    ReportLabel* QRLabel4;      // "Kilo"
    ReportLabel* QRLabel5;      // "Bölge"
    ReportLabel* QRLabel6;      // "Takım/Kulüp"
    ReportLabel* QRLabel7;      // "Kulüp"
    ReportDataText* QRDBText1;  // Sira
    ReportDataText* QRDBText2;  // Ad
    ReportDataText* QRDBText3;  // TartilanKilo
    ReportDataText* QRDBText4;  // Bolge
    ReportDataText* QRDBText5;  // Takim
    ReportDataText* QRDBText6;  // Klup
    ReportLabel* QRLabel3;      // the athlete's status

    // A weight class's name in English: MALE, FEMALE, KG, SENIORS, ...
    static QString englishCategory(const QString& category);

private:
    void sectionRow();
    void athleteRow(ReportBand& band);

    FitText::Box m_caption;            // the section caption on its line
    ListLayout::FittedCells m_cells;   // every value of an athlete row
};

inline TPrintMenu1C* PrintMenu1C = nullptr;
