#pragma once
// The station's upkeep between competitions, without windows: clearing the
// weigh-in lists, the bouts and the athletes' participation counts, and
// taking over lists and results from a station copy (another station's
// database file brought to this computer). The main window's maintenance
// commands (StationMaintenance.h) ask the password and the questions and
// call these.
//
//   StationUpkeep::ListTemizle(db);                       // lists gone, counters 0
//   StationCopy copy = StationUpkeep::readCopy(hostPath); // throws DbError on a bad file
//   GatherOutcome out = StationUpkeep::gatherWeighIns(db, copy);
//   Messages::info(StationUpkeep::weighInsOutcomeText(out));
//
// A station copy is read whole and checked before anything changes here,
// and each command changes this database in one transaction: a copy that
// cannot be read changes nothing. Rows go from the copy to this database
// column by column by name, so the two files may order their columns
// differently or one may lack columns of the other.

#include "platform/db/Database.h"

#include <QString>
#include <QStringList>

class Database;

// Everything of a station copy the maintenance commands take over.
struct StationCopy {
    Records lists;          // C_LISTE, in its order
    Records bouts;          // C_KURA, in its order
    int sayi1 = 0;          // the counters of C_SAYI
    int sayi2 = 0;
    int sayi3 = 0;
};

// What a gather did.
struct GatherOutcome {
    int transferred = 0;        // rows or bouts taken over
    int notTransferred = 0;     // the rest (never below 0)
    QStringList missing;        // the messages of rows this station lacks, in order
};

namespace StationUpkeep {

// The file dialog of the commands that read a station copy.
inline constexpr const char* kCopyTitle = "Lütfen Veritabanı Dosyasını Seçiniz.";
inline constexpr const char* kCopyFilter = "Aktarılacak Veritabanı Dosyası (backup*.mdb)";

// Empties C_LISTE and sets the counters sayi1 and sayi3 to 0.
void ListTemizle(Database& db);
// Empties C_KURA and sets the counter sayi2 to 0.
void KuraTemizle(Database& db);

// The period of the weigh-in lists for the clearing question:
// "01.03.2026 ile 05.03.2026 Tarihleri Arasında" or "01.03.2026 Tarihinde";
// "" when C_LISTE is empty.
QString weighInPeriod(Database& db);
// The clearing question (two lines).
QString clearListsQuestion(const QString& period);

// Athletes whose participation count is not 0.
int athletesWithCounts(Database& db);
// Sets every athlete's participation count to 0.
void resetCounts(Database& db);

// Reads a station copy (host path) whole. Throws DbError with a Turkish
// message when the file is no database of this program or cannot be read.
StationCopy readCopy(const QString& hostPath);

// Replaces the lists and bouts by the copy's (keys kept) and takes over its
// counters; one transaction.
void replaceFromCopy(Database& db, const StationCopy& copy);

// Adds the copy's weigh-in rows this station lacks (same athlete key, name
// and category), each under a new list key; an athlete keeps one back
// number: the one this station gave him already, else the new key.
GatherOutcome gatherWeighIns(Database& db, const StationCopy& copy);
// "Aktarılan sporcu sayısı: n" + line break + "AKTARILAMAYAN SPORCU SAYISI: m".
QString weighInsOutcomeText(const GatherOutcome& outcome);

// Takes over the copy's decided bouts that are undecided here (the whole
// row) and the winners the copy advanced into bouts whose side is still
// empty here. A bout decided here is never changed.
GatherOutcome gatherResults(Database& db, const StationCopy& copy);
// "Aktarılan müsabaka sayısı: n" + line break + "AKTARILAMAYAN MÜSABAKA SAYISI: m".
QString resultsOutcomeText(const GatherOutcome& outcome);

}
