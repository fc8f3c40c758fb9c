#pragma once
// The journal mode of a station's database file, by who opens the file.
//
// Other stations open a station's database over the network (the main
// computer's as "M:", a ring computer's as "\\RING2\CO\QVX_PROG\Fdr.mdb").
// WAL needs every user of the file on one machine (its index lives in shared
// memory), so a station's database is in DELETE mode unless the station was
// made private (`brivex-station init --private`): a single-computer
// competition or a standalone office, whose file no other station opens.
// A private station's file is in WAL mode; the mode is kept in the file
// itself, so every program that opens it finds it. Both modes run with
// synchronous=FULL: every commit is on the disk when it returns.
//
// A WAL file reached through a remote drive or a ring name is refused before
// the engine touches it.

#include <QString>

class Database;

namespace JournalMode {

// Whether the host file is a database in WAL mode (read from its header;
// false for a missing or non-database file).
bool isWalFile(const QString& hostPath);

// Whether a path in Windows form reaches its file over the network: a ring
// computer's name ("\\RING2\...") or a drive mapped as remote.
bool throughNetwork(const QString& path);

// Throws DbError with the Turkish refusal when `path` names a WAL file
// through the network.
void refuseSharedWal(const QString& path, const QString& hostPath);

// Sets the connection's journal mode (WAL for a WAL file, DELETE otherwise)
// and full synchronisation. Called by Database::open.
void apply(Database& db, bool wal);

// Turns an open database into a private station's (WAL).
void makePrivate(Database& db);

// "WAL" or "DELETE": the mode of the open connection.
QString current(const Database& db);

}
