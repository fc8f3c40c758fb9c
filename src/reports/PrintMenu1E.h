#pragma once
// "MÜSABAKA SONUÇLARI", the results list: per gender and category the
// placed athletes with their place, region and club.
//
// The caller sets FPlaceFilter (kEveryPlace or kFirstThree), the title
// (QRLabel9), the club column (setClubColumn) and the section query Query2
// (Cinsiyet, Brans of the placed rows) and opens it. A category prints only
// when it has a first place; a place stored as 4 prints as "3" (the second
// bronze medal of a full ranking) and a place above 4 prints one lower.

#include "reports/FitText.h"
#include "reports/ListLayout.h"
#include "reports/ReportForm.h"

class TPrintMenu1E : public TReportForm {
    Q_OBJECT
public:
    TPrintMenu1E();

    // The comparisons on Puan the callers choose from.
    static inline const QString kEveryPlace = QStringLiteral("<>0");
    static inline const QString kFirstThree = QStringLiteral(">=1 and Puan <=4");

    ReportQuery Query1{"Query1"};   // the placed athletes of one section
    ReportQuery Query2{"Query2"};   // the sections: Cinsiyet, Brans

    // The comparison on Puan: kEveryPlace or kFirstThree (a program text,
    // never typed).
    QString FPlaceFilter = kEveryPlace;

    ReportLabel* QRLabel9;      // the title (design "RAPOR BAŞLIĞI")
    ReportLabel* QRLabel11;     // "MÜSABAKA SONUÇLARI"
    ReportLabel* QRLabel10;     // section caption: the category
    ReportLabel* QRLabel1;      // "Derece"
    ReportLabel* QRLabel2;      // "Adı Soyadı"
    ReportLabel* QRLabel3;      // "Bölge"
    ReportLabel* QRLabel4;      // "Kulüp"
    ReportLabel* QRLabel6;      // the athlete's place
    ReportDataText* QRDBText1;  // Ad
    ReportDataText* QRDBText2;  // Bolge
    ReportDataText* QRDBText3;  // Klup
    ReportSysData* QRSysData1;  // page number (disabled)

    // The club column with one page column (true), or no club and two page
    // columns (false); the rules of the bands follow.
    void setClubColumn(bool shown);
    bool clubColumn() const { return m_clubs; }

    // The printed place of a stored one.
    static QString placeText(int puan);

private:
    void sectionRow();
    void athleteRow();

    ReportBand* m_section;
    ReportBand* m_rows;
    ReportBand* m_closing;
    // Vertical rules of each band, left to right (the outer two first).
    QList<ReportShape*> m_rules[3];
    bool m_clubs = true;
    FitText::Box m_caption;            // the category on its line
    ListLayout::FittedCells m_cells;   // every value of an athlete row
};

inline TPrintMenu1E* PrintMenu1E = nullptr;
