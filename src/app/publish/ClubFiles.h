#pragma once
// The files the federation publishes for one club, without any window: the
// result document's remote name, the club athletes package (a copy of the
// club's own database file "Fed.mdb" with the federation's athletes of the
// club merged into it), and the marker file whose name only the web site can
// work out from the club's codes (KulupWebAdi).
//
//   const auto club = ClubFiles::club(db, key);
//   const QString code = ClubFiles::clubCode4(club->key);            // "0123"
//   ClubFiles::resultFileName(*club, 2);                             // "ABC SPOR01232--KUZEY.pdf"
//   Database package; package.open(ClubFiles::packagePath(folder, code));
//   ClubFiles::mergeAthletes(db, package, *club, today, addClubRow);
//
// The merge is one transaction on the package: a failure leaves the package
// as it was copied. Every value is bound.

#include "platform/db/Database.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace ClubFiles {

// A club of the club list (C_UYELIKSURESI): key, name and region.
struct Club {
    int key = 0;        // Durum_Key
    QString name;       // Durum
    QString region;     // E1
};

// The club with this key, or nothing.
std::optional<Club> club(Database& db, int key);

// The club key in decimal, with one "0" in front when it has exactly three
// digits: 123 -> "0123", 1234 -> "1234", 12 -> "12".
QString clubCode4(int key);

// The remote name of the club's result document: name + code + period
// ("1" to "3", "0" for none) + "--" + region + ".pdf".
QString resultFileName(const Club& club, int period);

// The package "Fed" + code + ".zip" and the club's own file "Fed.mdb" in a
// folder (host paths).
QString packagePath(const QString& folder, const QString& clubCode4);
QString clubFilePath(const QString& folder);

// The marker file's name without ".asp", made from the club's name, region,
// name code (E2) and region code (Tip2). Empty when E2 has fewer than four
// characters or Tip2 fewer than two (an empty E2 or Tip2 included).
QString webName(const QString& name, const QString& region, const QString& e2, const QString& tip2);
// The same for the club whose key is given as FClubCode4 ("0123"), read from
// the club list and the regions; empty when the club is not found.
QString KulupWebAdi(Database& db, const QString& clubCode4);

// The marker file's three lines (CR LF after each): "<head>", "<title>KODX"
// + ddMMyyyyhhmmss of `at` + code + package size + "</title>", "</head>".
QByteArray markerText(const QString& clubCode4, qint64 packageSize, const QDateTime& at);
// Writes the marker file (replacing an older one) under a temporary name and
// renames it; false when it could not be written.
bool writeMarker(const QString& hostPath, const QByteArray& text);

// Copies a file over `target` the way a person's files are replaced
// (PersonFiles::replace): the copy is made beside the target and renamed,
// so `target` is either the complete copy or the older file. False when it
// failed.
bool copyFile(const QString& source, const QString& target);

// The club row of a club file (key 200) compared with the chosen club.
struct ClubRow {
    enum State {
        Missing,    // no club row: an empty club file
        Same,       // the chosen club's row (same name and region)
        Other,      // the row of another club (name and region below)
        Several     // more than one row: not a club file
    };
    State state = Missing;
    QString name;
    QString region;
};
ClubRow clubRowOf(Database& package, const Club& club);

// How the federation marks its changes in the package's persons (Terfi).
enum Mark {
    kRefreshed = 3,     // imported before with the same register number: belts refreshed
    kByName = 4,        // found by first and last name
    kByIdentity = 5,    // found by national identity number
    kAdded = 6          // unknown to the club file: added
};

// New persons of a package get keys above this one.
inline constexpr int kFirstPackageKey = 10000000;

struct MergeResult {
    int refreshed = 0;
    int byName = 0;
    int byIdentity = 0;
    int added = 0;
    int skipped = 0;            // namesakes and ambiguous matches left alone
    QList<int> addedKeys;       // keys of the persons added, in order
};

// Merges the club's athletes of the federation database into the package's
// persons, in one transaction (with the club row added first when
// `addClubRow`):
// - of federation rows with the same Ad_Soyad only the one with the highest
//   M2 counts;
// - a federation athlete whose valid national identity number one package
//   row holds is that row; one several rows hold is skipped;
// - otherwise the one package row of the same first and last name is the
//   athlete, unless both carry valid identity numbers that differ (a
//   namesake: the federation athlete is added instead); several rows of that
//   name: skipped;
// - a package row that several federation athletes would change is left
//   unchanged;
// - new persons get keys above both kFirstPackageKey and every key of the
//   package, so a second merge into a merged package adds no key twice.
// Throws DbError; nothing of the merge is then kept.
MergeResult mergeAthletes(Database& federation, Database& package, const Club& club, const QDate& today,
                          bool addClubRow);

}
