#pragma once
// The title of an activity as the printed documents show it: the activity's
// name on the first line, its period and place on the second.
//
//   ActivityTitle::period(QDate(2010, 3, 12), QDate(2010, 3, 14))     // "12 - 14 MART 2010"
//   ActivityTitle::period(QDate(2010, 4, 30), QDate(2010, 5, 2))      // "30 NİSAN  - 02 MAYIS 2010"
//   ActivityTitle::period(QDate(2010, 12, 28), QDate(2011, 1, 2))     // "28 ARALIK 2010  - 02 OCAK 2011"
//   ActivityTitle::compose(activityRow)   // Adi + "\n" + period + "  " + Yer
//
// The first day carries its own month when the months differ, and its own
// year when the years differ, so an activity over a year's end keeps both
// years. Every title that shows an activity's period is made here: the
// competition title dialog, the results screen's ranking list and the
// draw-sheet title dialog.

#include "platform/db/Database.h"

#include <QDate>
#include <QString>

namespace ActivityTitle {

// The name of month 1 to 12 in capitals: Turkish ("OCAK" ... "ARALIK"), or
// English ("JANUARY" ... "DECEMBER") for an international competition; ""
// for any other number.
QString monthName(int month, bool international = false);

// The period from `from` to `to`: the first day (two digits), its month and
// year where they differ from the last day's, " - ", the last day, its month
// and its year. A missing date takes the other one's place; with neither
// the period is empty.
QString period(const QDate& from, const QDate& to, bool international = false);

// The two-line title: the name, a line break, the period, two blanks and
// the place.
QString compose(const QString& name, const QDate& from, const QDate& to, const QString& place,
                bool international = false);
// The same from an activity row of C_TURNUVA (Adi, Tarih1, Tarih2, Yer).
QString compose(const Record& activity, bool international = false);

}
