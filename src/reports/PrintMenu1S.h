#pragma once
// The record sheet ("Sicil Dökümü"): everything the register holds about a
// person, one page (or more) per person, A4 portrait. The person's columns
// with the photo at the top right, the physical and civil-registry boxes,
// then up to eight career sections: gyms and coaches, coach titles, referee
// titles, belts, seminars, licences, international and national
// activities; a section prints only when the person has rows in it.
//
// The caller writes the title into QRLabel9 (the sport's name +
// " SİCİL BİLGİLERİ" when the title dialog was left empty) and today's date
// into QRLabel42, sets the text of Query1 (persons of C_MUSTERI), opens it
// and previews. The report's need-data event opens the lookup tables; each
// person's career rows are read with the person's key bound, and the photo
// "R" + key + ".jpg" of the program folder is printed when it can be read.
//
// TPrintMenu1S1 is the shorter sheet (no career sections, no page number),
// one page per person; no command of the program prints it.

#include "reports/ReportForm.h"

#include <QHash>

#include <tuple>

class TPrintMenu1S : public TReportForm {
    Q_OBJECT
public:
    TPrintMenu1S();

    ReportQuery Query1{"Query1"};   // the persons
    // Career sections, each read for the person of Query1.
    ReportQuery Query2{"Query2"};   // F_GOR: gyms and coaches
    ReportQuery Query3{"Query3"};   // F_ANT: coach titles
    ReportQuery Query4{"Query4"};   // F_HAKEM: referee titles
    ReportQuery Query5{"Query5"};   // F_KUSAK: belts
    ReportQuery Query6{"Query6"};   // F_SEM: seminars
    ReportQuery Query7{"Query7"};   // F_LNC: licences
    ReportQuery Query8{"Query8"};   // TURSORGU: international activities
    ReportQuery Query9{"Query9"};   // TURSORGU: national activities
    // Lookup tables, opened by the need-data event.
    ReportQuery Query10{"Query10"}; // coach titles (C_UYEKULLANICI, Tip2 'A')
    ReportQuery Query11{"Query11"}; // referee titles (Tip2 'H')
    ReportQuery Query12{"Query12"}; // belts (KUSAK)
    ReportQuery Query13{"Query13"}; // clubs (C_UYELIKSURESI)
    ReportQuery Query14{"Query14"}; // regions (C_UYELIKTURU)

    ReportLabel* QRLabel9;          // the title
    ReportLabel* QRLabel42;         // the print date (page footer)
    ReportLabel* QRLabel67;         // "FAAL DEĞİL" when Tip is 0
    ReportLabel* QRLabel66;         // "FERDİ SPORCU" when Ferdi is 1
    ReportLabel* QRLabel63;         // belt line
    ReportLabel* QRLabel64;         // coach line
    ReportLabel* QRLabel65;         // referee line
    ReportLabel* QRLabel40;         // professional referee: E74, M9 joined
    ReportLabel* QRLabel39;         // its caption (start-up: " Profesyonel Hakem")
    ReportLabel* QRLabel79;         // caption of E64 (start-up: " Kick Beden No")
    ReportLabel* QRLabel80;         // caption of E65 (start-up: " Kick Ayakkabı No")
    ReportImage* QRImage1;          // the photo
    ReportBand* QRSubDetail1;       // the person band

    // The belt, coach and referee lines: the first value, then each further
    // value that is not empty after ", " (also when the line is still empty,
    // so it may begin with ", ").
    static QString appendedLine(const QString& first, const QStringList& further);

private:
    void personRow();
    void openLookups();
    QHash<qint64, QString> m_coachTitles, m_refereeTitles, m_belts, m_clubs, m_regions;
};

class TPrintMenu1S1 : public TReportForm {
    Q_OBJECT
public:
    TPrintMenu1S1();

    ReportQuery Query1{"Query1"};
    ReportLabel* QRLabel9;          // the title
    ReportLabel* QRLabel42;         // the print date
    ReportLabel* QRLabel11;         // club / region
    ReportLabel* QRLabel66;         // "FERDİ SPORCU"
    ReportLabel* QRLabel63;         // the new belt (E25)
    ReportImage* QRImage1;          // the photo

private:
    void personRow();
};

inline TPrintMenu1S* PrintMenu1S = nullptr;
inline TPrintMenu1S1* PrintMenu1S1 = nullptr;
