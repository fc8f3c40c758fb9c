#pragma once
// The jobs of the results screen that change the tables, without widgets:
// posting an activity's results or duties into the persons' records (F_DER)
// and computing the points list (C_LISTE.Puan).
//
//   ResultsPosting::Totals t = ResultsPosting::postResults(db, activity, {}, stamp, progress);
//   // show t.warnings, then the totals
//
// A posting run is one transaction: an error leaves nothing of it posted.
// A person who already holds a row for the activity (and the category) is
// skipped, so running a job again posts nothing twice. Warnings about
// persons are collected and shown by the caller after the run, so no
// message box waits while the database is held.

#include "platform/db/Database.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace ResultsPosting {

// Odul of an athlete who was disqualified at the weigh-in or stayed away
// from his bout.
inline const QString kDisqualified = QStringLiteral("DİSKALİFİYE");

// What a run did.
struct Totals {
    int posted = 0;
    int notPosted = 0;
    QStringList warnings;   // one per person not found, in the order met
};

// The stamp a posted person gets: M1 := today, User := user + ", " + today.
struct Stamp {
    QDate today;
    QString user;
};

// Progress of a run: rows done × 100 ÷ rows.
using Progress = std::function<void(int percent)>;

// The branches (Brans) of the weigh-in rows that C_BRANS does not hold as a
// Durum, in Turkish order.
QStringList missingBranches(const Database& db);
// branch + " branşı sistemde kayıtlı değildir." + line break + "Lütfen ...!"
QString missingBranchText(const QString& branch);
inline const QString kRetryBranches =
    QStringLiteral("Lütfen belirtilen branş adlarını aynı şekilde sisteme tanıtıp aktarma işlemini yeniden deneyiniz...!");

// Posts every weigh-in row's result for activity `activityKey`: each
// athlete's place (1 to 3, from the bouts; written into C_LISTE.Puan as
// well), "DİSKALİFİYE" for a disqualified or absent athlete, the weigh-in
// date and the category (Durum_Key of C_BRANS, 1 when unknown). A row is
// skipped when F_DER already holds the activity, the person and the
// category, and refused with a warning when the person is not the one
// C_MUSTERI row with that key and name. `category`, when not empty, limits
// the run to the rows whose Brans ends with it.
Totals postResults(Database& db, int activityKey, const QString& category, const Stamp& stamp,
                   const Progress& progress = {});
// name + " adlı sporcu sistemde kayıtlı değildir." + line break + "...!"
QString unknownAthleteText(const QString& name);

// Posts the duty text `duty` for activity `activityKey` (dated its start,
// category 1) to each person of `personKeys`; a person who holds a row of
// the activity with category 1 already is skipped.
Totals postDuties(Database& db, int activityKey, const QDate& activityStart, const QList<int>& personKeys,
                  const QString& duty, const Stamp& stamp, const Progress& progress = {});
// name + " Sistemde kayıtlı değildir." + line break + "...!"
QString unknownPersonText(const QString& name);

}

namespace PointsList {

// The six rows of C_PUAN, in table order.
struct PointValues {
    int participation = 0;
    int bye = 0;
    int first = 0;
    int second = 0;
    int third = 0;
    int win = 0;
};
PointValues read(const Database& db);

// Whether a bout that is to be fought has no winner yet. The third-place
// row that the draw writes and nobody fights, and a bout with an empty
// corner ("-"), never count.
bool hasUndecidedBouts(const Database& db);

// The points list into C_LISTE.Puan, in one transaction: participation for
// every approved athlete, the place points of the bouts, bye points for the
// athletes seated opposite a preliminary's winner, and (with `winPoints`)
// win points for every bout won, a bye's opponent included. Bye and win
// points go only to categories of more than one entrant.
void compute(Database& db, const PointValues& points, bool winPoints);

}
