#pragma once
// Conventions every screen follows with the federation database and the
// file system: the counters row, the folders, date literals in built SQL.

#include <QString>

class Database;

namespace Folders {
// The work folder, fixed: "C:\CO\".
QString workFolder();
// The program folder for a database path: "C:\CO\QVX_PROG\" when the path is
// shorter than 2 characters or on drive C, else its drive letter followed by
// ":\QVX_PROG\".
QString programFolderFor(const QString& databasePath);
// The same rule on the registry's current database path ("DBQ").
QString programFolder();
// The letters folder: "C:\CO\" when the database path is shorter than 2
// characters or on drive C, else the root of its drive.
QString lettersFolderFor(const QString& databasePath);
QString lettersFolder();
}

namespace Counters {
// The counter idiom on the one row of C_SAYI: reads the column (named
// without regard to case), writes it back plus n and returns the first new
// value (old + 1); the caller uses old + 1 .. old + n.
int next(Database& db, const QString& column, int n = 1);
// The value a counter holds now.
int current(Database& db, const QString& column);
// Sets a counter (the station maintenance resets and copies some).
void set(Database& db, const QString& column, int value);
}

namespace DatabaseCopies {
// A copy of the database that leaves the station (the published register,
// a club's exam package): a consistent copy of `db` written to `tempHost`,
// the passwords of C_SIFRE removed and the file rewritten so that no trace
// of them stays in free pages, then renamed over `targetHost`, which it
// replaces in one step (`tempHost` lies beside it). A copy with passwords
// never stands under the target's name. Throws DbError; a failed copy
// leaves no temporary file behind and an earlier copy at `targetHost` as
// it was.
void withoutPasswords(Database& db, const QString& tempHost, const QString& targetHost);
}

namespace DbKind {
// The database kind of C_DATABASE ("ACCESS" or "SQLSERVER").
QString read(Database& db);
}

// A date typed as "dd.mm.yyyy" as it stands in built SQL: "#mm/dd/yyyy#" for
// "ACCESS", "'dd.mm.yyyy'" for "SQLSERVER". The date is normalised first
// (read, then written back in the short date format); an empty mask or a
// text that is no date gives "".
QString sqlDateLiteral(const QString& typedDate, const QString& databaseKind);

// The connection string the program gives every Access database file.
QString connectionString(const QString& databasePath);
