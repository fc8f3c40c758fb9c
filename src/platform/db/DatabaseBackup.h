#pragma once
// A consistent copy of an open database, for safekeeping.
//
//   DatabaseBackup::copyTo(session().db, "/media/usb/Fdr.mdb");   // throws DbError
//
// The copy is taken through the engine's online backup while the database
// stays in use (other connections may write meanwhile; the copy holds one
// consistent state). It is written under a temporary name beside the
// target, flushed to the disk and then renamed over the target, so an
// existing copy stays whole until the new one is complete, and a failed
// copy leaves nothing half-written behind.

#include <QString>

class Database;

namespace DatabaseBackup {
// The temporary name used beside the target while the copy is written.
QString temporaryNameFor(const QString& targetHostPath);
// Copies `db` to the host file `targetHostPath`. Throws DbError with a
// Turkish message ("Yedek dosyası oluşturulamadı: ...") when it fails.
void copyTo(Database& db, const QString& targetHostPath);
}
