#pragma once
// "MÜSABAKA İSTATİSTİKLERİ", the regional medal table: per region the
// accepted male and female athletes and the gold, silver and bronze medals,
// the regions with most medals first, and the totals.
//
// Medals are the places of C_LISTE.Puan in the categories that have a
// champion (a row with place 1), so a category still being fought adds no
// medal: 1 gold, 2 silver, 3 and 4 bronze (a full ranking stores the second
// bronze medallist as 4).
//
// The caller sets the title QRLabel9, the filters of the athlete counts
// (the category and style chosen in the competition title dialog, its
// Edit6 and ComboBox2) and FFirstRow := 1, and opens Query2.

#include "reports/ReportForm.h"

class TPrintMenu330 : public TReportForm {
    Q_OBJECT
public:
    TPrintMenu330();

    ReportQuery Query1{"Query1"};   // counting
    ReportQuery Query2{"Query2"};   // the regions with their medals

    // Filters of the athlete counts.
    QString FCategory;              // Brans ends with it (empty: every category)
    QString FStyle;                 // "KATA", "KUMİTE" or empty

    // Running totals of the athletes.
    int FMen = 0;
    int FWomen = 0;
    int FGold = 0;
    int FSilver = 0;
    int FBronze = 0;
    int FMedals = 0;

    ReportLabel* QRLabel9;          // the title
    ReportLabel* QRLabel1;          // "MÜSABAKA İSTATİSTİKLERİ"
    ReportLabel* QRLabel20;         // line number
    ReportDataText* QRDBText1;      // Bolge
    ReportLabel* QRLabel21;         // men
    ReportLabel* QRLabel22;         // women
    ReportLabel* QRLabel23;         // gold
    ReportLabel* QRLabel24;         // silver
    ReportLabel* QRLabel25;         // bronze
    ReportLabel* QRLabel26;         // medals
    ReportLabel* QRLabel27;         // "TOPLAM :"
    ReportLabel* QRLabel28;         // total men
    ReportLabel* QRLabel29;         // total women
    ReportLabel* QRLabel30;         // total gold
    ReportLabel* QRLabel31;         // total silver
    ReportLabel* QRLabel32;         // total bronze
    ReportLabel* QRLabel33;         // total medals

    // Distinct accepted athletes of a region and gender, with the filters.
    int athletes(const QString& region, const QString& gender);

private:
    void regionMoved();
    bool m_moving = false;
};

inline TPrintMenu330* PrintMenu330 = nullptr;
