#include "app/Station.h"

#include "app/BrivexSchema.h"
#include "app/kit/DbConventions.h"
#include "app/kit/StationKind.h"
#include "platform/db/Database.h"
#include "platform/db/JournalMode.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool Station::exists()
{
    const QString dbq = RegistryValues::dbq();
    return dbq.size() >= 2 && QFileInfo(DriveMap::toHost(dbq)).isFile();
}

void Station::init(const QString& databasePath)
{
    const QString host = DriveMap::toHost(databasePath);
    if (QFileInfo::exists(host))
        throw std::runtime_error(QString("Veritabanı dosyası zaten var, üzerine yazılmadı: %1")
                                     .arg(host).toStdString());
    DriveMap::makePath(Folders::workFolder());
    DriveMap::makePath(Folders::programFolderFor(databasePath));
    DriveMap::makePath(Folders::programFolderFor(databasePath) + "Flags");
    QDir().mkpath(QFileInfo(host).path());
    try {
        Database db;
        db.open(databasePath, false);
        brivexSchema().create(db);
        seedStation(db);
        db.close();
    } catch (const DbError& e) {
        QFile::remove(host);
        throw std::runtime_error(e.message().toStdString());
    }
    RegistryValues::setDbq(databasePath);
}

void Station::makePrivate(const QString& databasePath)
{
    try {
        Database db;
        db.open(databasePath);
        JournalMode::makePrivate(db);
    } catch (const DbError& e) {
        throw std::runtime_error(e.message().toStdString());
    }
}

QStringList Station::describe()
{
    const QString dbq = RegistryValues::dbq();
    QStringList lines;
    lines << "Veri kökü         : " + DriveMap::dataRoot();
    lines << "İstasyon dosyası  : " + DriveMap::stationFile();
    lines << "Kayıt defteri     : " + Registry::storeFile();
    lines << "DBQ               : " + (dbq.isEmpty() ? QString("(yok)") : dbq);
    if (!dbq.isEmpty())
        lines << "Veritabanı dosyası: " + DriveMap::toHost(dbq) + (exists() ? "" : " (bulunamadı)");
    if (exists())
        lines << "Günlük kipi       : " +
                     QString(JournalMode::isWalFile(DriveMap::toHost(dbq))
                                 ? "WAL, synchronous=FULL (özel istasyon: başka istasyon açmaz)"
                                 : "DELETE, synchronous=FULL (başka istasyonlar ağdan açabilir)");
    lines << "C: sürücüsü       : " + DriveMap::driveFolder('C');
    lines << "Program klasörü   : " + Folders::programFolder() + " -> " + DriveMap::toHost(Folders::programFolder());
    lines << "Çalışma klasörü   : " + Folders::workFolder() + " -> " + DriveMap::toHost(Folders::workFolder());
    for (QChar l = 'A'; l <= 'Z'; l = QChar(l.unicode() + 1)) {
        if (l == QChar('C'))
            continue;
        const auto type = DriveMap::driveType(l);
        if (type != DriveMap::DriveType::None)
            lines << QString("%1: sürücüsü       : ").arg(l) + DriveMap::driveFolder(l) +
                         (type == DriveMap::DriveType::Remote ? " (ağ)" : "");
    }
    lines << "İstasyon türü     : " + StationKinds::name(StationKinds::read());
    return lines;
}
