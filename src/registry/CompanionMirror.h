#pragma once
// The companion mirror: every person the record editor saves is copied, in a
// reduced form, into the person table of the companion database "Tolk.mdb",
// another program's file installed beside this one. Where no companion file
// is installed nothing happens.
//
// The companion file lies in the folder that the program-folder rule gives
// for HKCU "\Software\ODBC\ODBC.INI\tolk" value "DBQ". One companion row is
// kept per federation person, found again by the federation key that its
// column Sokak holds: the first save inserts it (with the companion's own
// key and register number), every later save overwrites it.

#include "registry/PersonValues.h"

#include <QDateTime>
#include <QString>

class Database;
class Schema;

namespace CompanionMirror {

// The registry source whose "DBQ" locates the companion folder.
inline constexpr const char* kRegistrySource = "tolk";
inline constexpr const char* kFileName = "Tolk.mdb";

// The companion file in Windows form (folder + "Tolk.mdb"), wherever it may
// be; whether it exists is for the caller to see.
QString companionFile();

// Mirrors one person. `values` are the texts the save has just stored,
// `personKey` the federation key, `userName` the signed-in user. Returns
// false when no companion file is installed (nothing done). Errors of the
// companion database throw DbError; the companion is then left unchanged.
bool mirror(const PersonValues& values, int personKey, const QString& userName, const QDateTime& now);
// The same on an open companion database.
void mirror(Database& companion, const PersonValues& values, int personKey, const QString& userName,
            const QDateTime& now);

// The tables and columns of the companion database that the mirror uses, as
// the other program lays them out (for setting up a companion file).
const Schema& companionSchema();

// The companion columns a mirrored row gets from a person.
QString homeAndWorkAddress(const PersonValues& values);
QString roleText(const PersonValues& values);

} // namespace CompanionMirror
