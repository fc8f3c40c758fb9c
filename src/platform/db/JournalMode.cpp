#include "platform/db/JournalMode.h"

#include "platform/db/Database.h"
#include "platform/paths/DriveMap.h"

#include <QFile>

bool JournalMode::isWalFile(const QString& hostPath)
{
    QFile file(hostPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(20);
    // The header's file format versions (bytes 18 and 19): 2 is WAL.
    return header.size() == 20 && header.startsWith(QByteArray("SQLite format 3\0", 16)) &&
           (header[18] == 2 || header[19] == 2);
}

bool JournalMode::throughNetwork(const QString& path)
{
    QString p = path.trimmed();
    p.replace('/', '\\');
    if (p.startsWith("\\\\"))
        return true;
    return p.size() >= 2 && p[0].isLetter() && p[1] == QChar(':') &&
           DriveMap::driveType(p[0].toUpper()) == DriveMap::DriveType::Remote;
}

void JournalMode::refuseSharedWal(const QString& path, const QString& hostPath)
{
    if (throughNetwork(path) && isWalFile(hostPath))
        throw DbError(QString("Bu veritabanı yalnız kendi bilgisayarında açılabilen özel bir istasyona ait "
                              "(WAL günlük kipi). Ağ sürücüsü ya da ring adı üzerinden açılamaz: %1")
                          .arg(path));
}

void JournalMode::apply(Database& db, bool wal)
{
    db.exec(wal ? "PRAGMA journal_mode=WAL" : "PRAGMA journal_mode=DELETE");
    db.exec("PRAGMA synchronous=FULL");
}

void JournalMode::makePrivate(Database& db)
{
    const QString mode = db.scalar("PRAGMA journal_mode=WAL").toString();
    if (mode.compare("wal", Qt::CaseInsensitive) != 0)
        throw DbError("Veritabanı WAL günlük kipine geçirilemedi: " + mode);
    db.exec("PRAGMA synchronous=FULL");
}

QString JournalMode::current(const Database& db)
{
    return db.scalar("PRAGMA journal_mode").toString().toUpper();
}
