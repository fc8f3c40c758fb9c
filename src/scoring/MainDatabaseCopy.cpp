#include "scoring/MainDatabaseCopy.h"

#include "platform/db/Database.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "platform/ui/Messages.h"

#include <QFileInfo>
#include <QSet>

namespace {

// Where an earlier version kept the waiting list: the station's settings.
const QString kOldListKey = QStringLiteral("\\Software\\Brivex\\Scoring");
const QString kOldListValue = QStringLiteral("PendingMainCopy");
const QString kThirdPlace = QStringLiteral("3.'LÜK MAÇI");

QStringList boutKeys(const QString& text)
{
    QStringList keys;
    for (const QString& part : text.split(',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int key = part.trimmed().toInt(&ok);
        if (ok && !keys.contains(QString::number(key)))
            keys << QString::number(key);
    }
    return keys;
}

} // namespace

MainDatabaseCopy::MainDatabaseCopy(Database& station, QString programFolder, QString mainDatabasePath)
    : m_station(station), m_programFolder(std::move(programFolder)), m_mainPath(std::move(mainDatabasePath))
{
}

QString MainDatabaseCopy::unreachableMessage()
{
    return QStringLiteral("Ana Sistem Veritabanına Ulaşılamadı. Müsabaka Sonucu Bekletiliyor, Ana Sisteme "
                          "Bağlantı Sağlandığında Aktarılacaktır ...!");
}

QString MainDatabaseCopy::waitingMessage(int bouts)
{
    return QStringLiteral("Ana Sistem Veritabanına Aktarılmayı Bekleyen %1 Müsabaka Bulunmaktadır. Ana Sisteme "
                          "Bağlantı Sağlandığında Aktarılacaktır ...!")
        .arg(bouts);
}

QStringList MainDatabaseCopy::pendingKeys(const Database& station)
{
    QStringList keys;
    for (const Record& r : station.select("select Kura_Key from C_BEKLEYEN order by Sira, Kura_Key"))
        keys << QString::number(r.toInt("Kura_Key"));
    return keys;
}

void MainDatabaseCopy::queue(const QString& changedKeys)
{
    const QStringList keys = boutKeys(changedKeys);
    if (keys.isEmpty() || !linked())
        return;
    Transaction tx(m_station);
    int next = m_station.scalar("select Nz(Max(Sira), 0) from C_BEKLEYEN").toInt();
    for (const QString& k : keys) {
        if (m_station.scalar("select count(*) from C_BEKLEYEN where Kura_Key = :k", {{"k", k.toInt()}}).toInt() == 0)
            m_station.insert("C_BEKLEYEN", {{"Kura_Key", k.toInt()}, {"Sira", ++next}});
    }
    tx.commit();
}

void MainDatabaseCopy::takeOverSettingsList()
{
    Registry reg(Registry::HKEY_CURRENT_USER);
    if (!reg.openKeyReadOnly(kOldListKey) || !reg.valueExists(kOldListValue))
        return;
    const QString keys = reg.readString(kOldListValue);
    queue(keys);
    // Once the list is in the database the settings no longer hold it.
    Registry writable(Registry::HKEY_CURRENT_USER);
    if (writable.openKey(kOldListKey, false))
        writable.deleteValue(kOldListValue);
}

bool MainDatabaseCopy::reachable() const
{
    return m_programFolder.startsWith('C', Qt::CaseInsensitive) && DriveMap::exists(m_mainPath);
}

bool MainDatabaseCopy::linked() const
{
    if (!m_programFolder.startsWith('C', Qt::CaseInsensitive) || m_mainPath.isEmpty())
        return false;
    if (!DriveMap::exists(m_mainPath))
        return !DriveMap::driveFolder(m_mainPath.left(1).at(0)).isEmpty();
    // A main database that is the station's own file needs no copy.
    const QString own = QFileInfo(m_station.hostPath()).canonicalFilePath();
    return own.isEmpty() || own != QFileInfo(DriveMap::toHost(m_mainPath)).canonicalFilePath();
}

MainDatabaseCopy::Result MainDatabaseCopy::copy(const QString& changedKeys)
{
    if (!linked())
        return Result::NotLinked;
    return send(changedKeys, true);
}

MainDatabaseCopy::Result MainDatabaseCopy::sendWaiting()
{
    // A station on the main database itself, or one without any, has
    // nothing to send. Bouts that wait while drive M: is not there at all
    // are still waiting: the caller tells how many.
    if (!m_programFolder.startsWith('C', Qt::CaseInsensitive) || m_mainPath.isEmpty())
        return Result::NotLinked;
    if (reachable() && !linked())
        return Result::NotLinked;
    return send(QString(), false);
}

MainDatabaseCopy::Result MainDatabaseCopy::send(const QString& changedKeys, bool tell)
{
    // The waiting list is on disk before the main database is tried. When
    // the station's database cannot take the bouts now (another station
    // holds it), the copy is still tried with them: only a copy that reaches
    // the main database keeps them safe then.
    QStringList keys;
    try {
        // The settings' list goes into the database only where queue() puts
        // it there (a station linked to a main database).
        if (linked())
            takeOverSettingsList();
        queue(changedKeys);
        keys = pendingKeys(m_station);
    } catch (const DbError&) {
        try {
            keys = pendingKeys(m_station);
        } catch (const DbError&) {
        }
    }
    for (const QString& k : boutKeys(changedKeys))
        if (!keys.contains(k))
            keys << k;
    if (keys.isEmpty())
        return Result::Copied;
    if (!reachable()) {
        if (tell)
            Messages::warning(unreachableMessage());
        return Result::Pending;
    }
    // A main database that another ring is writing is only busy: the copy is
    // tried again, and a lock that outlasts the tries leaves the bouts
    // waiting for the next copy without telling the operator it is lost.
    for (int attempt = 0;; ++attempt) {
        try {
            Database main;
            main.open(m_mainPath, true);
            if (m_busyWait >= 0)
                main.setBusyTimeout(m_busyWait);
            copyRows(main, keys);
            main.close();
            break;
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::Busy) {
                if (tell)
                    Messages::warning(unreachableMessage());
                return Result::Pending;
            }
            if (attempt + 1 >= kBusyAttempts)
                return Result::Busy;
        }
    }
    // The copied bouts leave the list. A list that cannot be cleared now
    // copies the same bouts again next time, which changes nothing in the
    // main database.
    try {
        m_station.exec("delete * from C_BEKLEYEN where Kura_Key in (" + keys.join(',') + ")");
    } catch (const DbError&) {
    }
    return Result::Copied;
}

void MainDatabaseCopy::copyRows(Database& main, const QStringList& keys)
{
    const QString list = keys.join(',');
    const Records stationRows = m_station.select("select * from C_KURA where Kura_Key in (" + list + ")");
    QSet<QString> mainColumns;
    for (const QString& c : main.columns("C_KURA"))
        mainColumns.insert(c.toLower());

    QStringList missing;
    Transaction tx(main);
    const Records mainRows = main.select("select Kura_Key from C_KURA where Kura_Key in (" + list + ")");
    QSet<int> inMain;
    for (const Record& r : mainRows)
        inMain.insert(r.toInt("Kura_Key"));
    // In the order the bouts were decided and advanced.
    for (const QString& k : keys) {
        const int key = k.toInt();
        const auto it = std::find_if(stationRows.begin(), stationRows.end(),
                                     [key](const Record& r) { return r.toInt("Kura_Key") == key; });
        if (it == stationRows.end())
            continue;
        const Record& row = *it;
        const QString notFound = row.str("Brans") + "/ " + row.str("Tur") + ", Sistemde bulunamadı...!";
        QVariantMap fields;
        if (!row.str("Galip").isEmpty()) {
            // A decided bout: every column, matched by name.
            if (!inMain.contains(key)) {
                missing << notFound;
                continue;
            }
            for (int i = 0; i < row.fieldNames().size(); ++i) {
                const QString& name = row.fieldNames()[i];
                if (name.compare("Kura_Key", Qt::CaseInsensitive) != 0 && mainColumns.contains(name.toLower()))
                    fields.insert(name, row.value(i));
            }
        } else {
            // A bout the winner moved into: the sides that have an athlete.
            if (row.str("Ad1") == "-" || row.str("Ad2") == "-")
                continue;
            if (row.str("Sira1").isEmpty() && row.str("Sira2").isEmpty())
                continue;
            if (!inMain.contains(key)) {
                missing << notFound;
                continue;
            }
            const bool thirdPlace = row.str("Tur") == kThirdPlace;
            for (const char* side : {"1", "2"}) {
                const QString n(side);
                if (row.str("Sira" + n).isEmpty() && !thirdPlace)
                    continue;
                for (const char* c : {"Ad", "Sira", "Tur_Key", "Dis", "Bolge", "Klup", "Tip"}) {
                    const QString column = QString(c) + n;
                    if (mainColumns.contains(column.toLower()))
                        fields.insert(column, row.value(column));
                }
            }
        }
        if (!fields.isEmpty())
            main.update("C_KURA", fields, "Kura_Key = :w_k", {{"w_k", key}});
    }
    tx.commit();
    for (const QString& m : missing)
        Messages::error(m);
}
