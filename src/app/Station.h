#pragma once
// A station: its data folders, its database file and the registry value
// "DBQ" that points at it.

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace Station {

// Where a new station's database goes.
inline constexpr const char* kDefaultDatabase = "C:\\CO\\QVX_PROG\\Fdr.mdb";

// True when "DBQ" names a database file that exists.
bool exists();

// Makes a new station: the work and program folders, a database file with
// every table and the seed rows, and "DBQ" pointing at it. Refuses (throws
// std::runtime_error with a Turkish message) when the file already exists.
void init(const QString& databasePath = kDefaultDatabase);

// Makes this station work on a Brivex database that exists already: a ring
// computer on the main computer's "M:\QVX_PROG\Fdr.mdb", once drive M: is
// mapped to the main computer's folder. Checks that the file is there, that
// it opens as a Brivex database and that this station can write it; then
// makes the station's work folder and points "DBQ" at the file. Never
// creates, changes or overwrites a database. Throws std::runtime_error with
// a Turkish message, with no setting changed, when a check fails. The path
// names a drive; a host path is taken through the drive that maps its
// folder, and refused when none does. Returns the path stored.
QString use(const QString& databasePath);

// Makes the station's new database a private station's: one that no other
// station ever opens (a single-computer competition, a standalone office).
// Its file goes into WAL mode, durable at every commit (JournalMode.h).
void makePrivate(const QString& databasePath = kDefaultDatabase);

// Lines that tell where the station's files are, the database's journal
// mode, the mapped drives, ring computers and serial ports, and the kind.
QStringList describe();

}
