#pragma once
// What "Veritabanı" publishes: a copy of the register database for the web
// site, without the user accounts' passwords, and the club list page.
//
//   PublishDatabase::writeCopy(session().db, tempHost, copyHost);   // throws DbError
//   PublishDatabase::writeClubList(session().db, clubListHost);     // false: not written
//
// The copy is a consistent state of the database in use (taken while other
// stations may write) and is an SQLite file. It is made under a temporary
// name, the passwords of C_SIFRE are removed and the file rewritten so that
// no trace of them is left in free pages, and only then does it take its
// published name: a copy with passwords is never where the queue reads it.
// A copy that fails ends with DbError at once; nothing waits for it.

#include <QString>
#include <QStringList>

class Database;

namespace PublishDatabase {

// Copies `db` to `copyHost` through `tempHost` and removes the passwords.
void writeCopy(Database& db, const QString& tempHost, const QString& copyHost);

// The lines of the club list page: "<html>", the title, the code page,
// "FIRST<br>", one line per active club (key to six digits, region, name,
// each text HTML-escaped), "LAST", "</html>".
QStringList clubListLines(const Database& db);
// Writes the lines in code page 1254 with CR LF line ends.
bool writeClubList(const Database& db, const QString& hostPath, QString* error = nullptr);

}
