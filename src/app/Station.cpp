#include "app/Station.h"

#include "app/BrivexSchema.h"
#include "app/kit/DbConventions.h"
#include "app/kit/StationKind.h"
#include "platform/db/Database.h"
#include "platform/db/JournalMode.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/PortMap.h"
#include "platform/settings/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

bool Station::exists()
{
    const QString dbq = RegistryValues::dbq();
    return dbq.size() >= 2 && QFileInfo(DriveMap::toHost(dbq)).isFile();
}

void Station::init(const QString& databasePath)
{
    const QString host = DriveMap::toHost(databasePath);
    if (QFileInfo::exists(host))
        throw std::runtime_error(QString("Veritabanı dosyası zaten var, üzerine yazılmadı: %1\n"
                                         "Var olan bir veritabanını kullanmak için: brivex-station use-database %2")
                                     .arg(host, databasePath)
                                     .toStdString());
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

namespace {

[[noreturn]] void refuseUse(const QString& text)
{
    throw std::runtime_error((text + "\nİstasyonun ayarları değiştirilmedi.").toStdString());
}

} // namespace

QString Station::use(const QString& databasePath)
{
    QString path = databasePath.trimmed();
    // Every path of the program names a drive ("M:\QVX_PROG\Fdr.mdb"): the
    // program folder and the letters' folder are found from its letter. A
    // host path is taken through the drive that maps its folder.
    static const QRegularExpression driveForm(R"(^[A-Za-z]:\\)");
    if (!driveForm.match(path).hasMatch()) {
        const QString onDrive = path.isEmpty() || path.startsWith("\\") ? QString() : DriveMap::toWindows(path);
        if (!driveForm.match(onDrive).hasMatch())
            refuseUse(QString("Veritabanı yolu bir sürücü harfiyle verilmeli: %1\n"
                              "Örnek: M:\\QVX_PROG\\Fdr.mdb (ana bilgisayarın klasörü M: olarak bağlıyken; "
                              "bağlamak için: brivex-station map-drive M KLASÖR --remote)")
                          .arg(path));
        path = onDrive;
    }
    // The login opens a database off drive C only through the network
    // drive M:.
    const bool onC = path.startsWith("C:", Qt::CaseInsensitive);
    if (!onC && DriveMap::driveType('M') != DriveMap::DriveType::Remote)
        refuseUse(QString("M: ağ sürücüsü bağlı değil: %1 açılamaz.\n"
                          "Önce ana bilgisayarın klasörünü bağlayın: brivex-station map-drive M KLASÖR --remote")
                      .arg(path));
    const QString host = DriveMap::toHost(path);
    if (!QFileInfo(host).isFile())
        refuseUse(QString("Veritabanı dosyası bulunamadı: %1 (%2)").arg(path, host));
    const QString notBrivex = QString("Bu dosya bir Brivex veritabanı değil: %1 (%2)").arg(path, host);
    try {
        Database db;
        db.open(path);
        if (!db.hasTable("C_SIFRE"))
            refuseUse(notBrivex);
        try {
            BusyWait briefly(db, 2000);
            db.checkWritable();
        } catch (const DbError& e) {
            // Another station writing at this moment is no reason to refuse.
            if (e.kind() != DbError::Kind::Busy)
                refuseUse(QString("Bu istasyon veritabanına yazamıyor: %1\n%2").arg(path, e.message()));
        }
        db.close();
    } catch (const DbError& e) {
        if (e.kind() == DbError::Kind::NotADatabase || e.kind() == DbError::Kind::Damaged)
            refuseUse(notBrivex);
        refuseUse(QString("Veritabanı açılamadı: %1\n%2").arg(path, e.message()));
    }
    DriveMap::makePath(Folders::workFolder());
    if (!RegistryValues::setDbq(path))
        refuseUse(QString("Ayarlar yazılamadı: %1").arg(Registry::storeFile()));
    return path;
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
    const QList<QPair<QString, QString>> rings = DriveMap::rings();
    for (const auto& ring : rings)
        lines << "Ring bilgisayarı  : \\\\" + ring.first + " -> " + ring.second;
    // A USB serial adapter plugged in for the first time gets its name here,
    // as the program would give it.
    PortMap::usbPorts();
    const QList<QPair<QString, QString>> ports = PortMap::mappings();
    if (ports.isEmpty())
        lines << "Seri portlar      : (tanımlı yok)";
    for (const auto& port : ports)
        lines << "Seri port         : " + port.first + " -> " + port.second;
    lines << "İstasyon türü     : " + StationKinds::name(StationKinds::read());
    return lines;
}
