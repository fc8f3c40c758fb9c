#pragma once
// The ring plan of a competition day, without widgets: the bouts of chosen
// weight classes spread over 1 to 20 rings, the plan cancelled again, and
// the plan as the rows of its CSV file. The ring distribution screen
// (TRingDag) calls it.
//
// A planned bout carries, in C_KURA:
//   Tar_Saat   the day and its ring: "dd.MM.yyyy / RİNG-n" (the ring lists'
//              section title; the match screen lists a ring by it)
//   Skor       the ring number followed by three match digits: "1005" is the
//              fifth bout of ring 1, "12003" the third of ring 12 (what the
//              bout opening proposes as ring and match)
//   StartTime  the planned start, "HH:mm"
//
// Order: the bouts of every class go round by round (its Kura_Key order,
// where each round follows the one that feeds it). All bouts of one round
// level are dealt over the rings before the next level begins, and a new
// level starts on a new time slot, so the bout an athlete advances into
// always stands in a later slot than the bout that feeds it. The bouts of a
// day that other classes already hold keep their places; the new ones come
// after the last slot used that day. Byes and the unplayed third-place row
// get no place.
//
//   RingPlan::distribute(db, {"70 KİLO ERKEK"}, 4, "12.03.2010");
//   RingPlan::cancel(db, {"70 KİLO ERKEK"});
//   Csv::writeFile(path, RingPlan::csvRows(db, "12.03.2010"));

#include "platform/db/Database.h"
#include "platform/text/Csv.h"

#include <QString>
#include <QStringList>
#include <QTime>

namespace RingPlan {

inline constexpr int kMaxRings = 20;

struct Timing {
    QTime firstStart = QTime(9, 0);   // the first slot of the day
    int slotMinutes = 10;             // one bout with its change-over
};

// "dd.MM.yyyy / RİNG-n".
QString ringLabel(const QString& dateText, int ring, const QString& ringWord = QStringLiteral("RİNG"));

// Plans the bouts of `branches` (Brans values) over `rings` rings on the
// day `dateText` ("dd.mm.yyyy"), in one transaction. Returns the number of
// bouts planned. rings outside 1..20 throws DbError.
int distribute(Database& db, const QStringList& branches, int rings, const QString& dateText,
               const Timing& timing = {});

// Empties Tar_Saat, Skor and StartTime of every bout of `branches`.
// Returns the number of bouts changed.
int cancel(Database& db, const QStringList& branches);

// The day's plan as CSV rows: a heading, then one row per bout by ring and
// order: ring, order, start, round, class, both corners (back number, name,
// region), winner.
CsvRows csvRows(Database& db, const QString& dateText);

}
