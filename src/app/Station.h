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

// Makes the station's new database a private station's: one that no other
// station ever opens (a single-computer competition, a standalone office).
// Its file goes into WAL mode, durable at every commit (JournalMode.h).
void makePrivate(const QString& databasePath = kDefaultDatabase);

// Lines that tell where the station's files are and the database's journal
// mode.
QStringList describe();

}
