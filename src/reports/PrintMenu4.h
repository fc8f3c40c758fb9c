#pragma once
// "Genel Liste": the register's general list, and the short general list.
//
// TPrintMenu4: name, register number, titles, region, belt, birth date,
// national identity number and the penalty (or, when the search filtered by
// e-mail, the e-mail address), one numbered line each. Every column is
// printed: the page is A4 landscape, so the birth date, identity number and
// e-mail columns fit beside the others. No page footer.
//
// The caller writes the title into QRLabel9 and today's date into
// QRLabel10, sets FActivityFilter and the last column (setEmailColumn),
// FFirstRow, replaces and opens Query1 and previews.
//
// TPrintMenu41: name, register number, licence number, previous and new
// belt and coach, A4 portrait (no command of the program prints it).

#include "reports/RegisterList.h"

class TPrintMenu4 : public TRegisterList {
    Q_OBJECT
public:
    TPrintMenu4();

    // The search's activity filter: "Unvan" shows E43, E50, E51, E52 joined
    // for "" and "DİĞER", E50 for "SPORCU", E52 for "ANTRENÖR", E51 for
    // "HAKEM", nothing for any other value.
    QString FActivityFilter;
    static QString titlesLine(const QString& activityFilter, const QString& e43, const QString& e50,
                              const QString& e51, const QString& e52);

    // The last column: "E-Mail" (E63) when the search filtered by e-mail,
    // else "Ceza" (E73).
    void setEmailColumn(bool email);

    ReportLabel* QRLabel17;     // caption of the last column
    ReportDataText* QRDBText8;  // the last column
};

class TPrintMenu41 : public TRegisterList {
    Q_OBJECT
public:
    TPrintMenu41();
};

inline TPrintMenu4* PrintMenu4 = nullptr;
inline TPrintMenu41* PrintMenu41 = nullptr;
