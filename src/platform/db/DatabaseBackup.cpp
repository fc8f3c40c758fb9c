#include "platform/db/DatabaseBackup.h"

#include "platform/db/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

QString backupFailure(const QString& detail)
{
    return "Yedek dosyası oluşturulamadı: " + detail;
}

sqlite3* backupHandleOf(Database& db)
{
    const QVariant handle = db.connection().driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        return *static_cast<sqlite3* const*>(handle.constData());
    return nullptr;
}

// Flushes a file or a folder to the disk.
bool backupSync(const QString& hostPath, bool folder)
{
    const QByteArray name = QFile::encodeName(hostPath);
    const int fd = ::open(name.constData(), folder ? (O_RDONLY | O_DIRECTORY) : O_RDWR);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

namespace DatabaseBackup {

QString temporaryNameFor(const QString& targetHostPath)
{
    const QFileInfo target(targetHostPath);
    return target.dir().filePath("." + target.fileName() + ".yedek-tmp");
}

void copyTo(Database& db, const QString& targetHostPath)
{
    sqlite3* source = db.isOpen() ? backupHandleOf(db) : nullptr;
    if (!source)
        throw DbError(backupFailure("veritabanı açık değil"));
    const QString tmp = temporaryNameFor(targetHostPath);
    QFile::remove(tmp);

    sqlite3* target = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(tmp).constData(), &target,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString detail;
    if (rc == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
        if (!backup) {
            detail = QString::fromUtf8(sqlite3_errmsg(target));
            rc = SQLITE_ERROR;
        } else {
            // All pages in one step: the copy is one consistent state even
            // while other connections write. A writer that holds the file
            // for a moment is waited for.
            int tries = 0;
            do {
                rc = sqlite3_backup_step(backup, -1);
                if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
                    sqlite3_sleep(50);
            } while ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED || rc == SQLITE_OK) && ++tries < 400);
            const int finish = sqlite3_backup_finish(backup);
            if (rc == SQLITE_DONE)
                rc = finish;
            else if (rc == SQLITE_OK)
                rc = SQLITE_BUSY;
            if (rc != SQLITE_OK)
                detail = QString::fromUtf8(sqlite3_errstr(rc));
        }
    } else {
        detail = target ? QString::fromUtf8(sqlite3_errmsg(target)) : QString::fromUtf8(sqlite3_errstr(rc));
    }
    // The copy stands alone: no journal file goes with it.
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(target, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    if (target)
        sqlite3_close_v2(target);
    if (rc != SQLITE_OK) {
        QFile::remove(tmp);
        throw DbError(backupFailure(detail.isEmpty() ? QString::fromUtf8(sqlite3_errstr(rc)) : detail));
    }
    if (!backupSync(tmp, false)) {
        QFile::remove(tmp);
        throw DbError(backupFailure("dosya diske yazılamadı"));
    }
    if (::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(targetHostPath).constData()) != 0) {
        const QString why = QString::fromLocal8Bit(strerror(errno));
        QFile::remove(tmp);
        throw DbError(backupFailure(why));
    }
    backupSync(QFileInfo(targetHostPath).absolutePath(), true);
}

}
