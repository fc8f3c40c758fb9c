#include "platform/paths/DriveMap.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QPair>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace {

struct DriveEntry {
    QString folder;
    bool remote = false;
};

struct State {
    QString root;                      // overridden data root ("" = from environment)
    bool loaded = false;
    QHash<QChar, DriveEntry> drives;   // upper-case letter -> entry
    QHash<QString, QString> rings;     // upper-case ring name -> folder
};

State& state()
{
    static State s;
    return s;
}

QString environmentRoot()
{
    const QString home = qEnvironmentVariable("BRIVEX_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(QDir(home).absolutePath());
    QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (xdg.isEmpty())
        xdg = QDir::homePath() + "/.local/share";
    return QDir::cleanPath(xdg + "/brivex");
}

QString absoluteUnderRoot(const QString& folder)
{
    if (QDir::isAbsolutePath(folder))
        return QDir::cleanPath(folder);
    return QDir::cleanPath(DriveMap::dataRoot() + "/" + folder);
}

void load()
{
    State& s = state();
    if (s.loaded)
        return;
    s.drives.clear();
    s.rings.clear();
    s.drives.insert(QChar('C'), DriveEntry{absoluteUnderRoot("C"), false});
    QSettings ini(DriveMap::stationFile(), QSettings::IniFormat);
    ini.beginGroup("Drives");
    for (const QString& key : ini.childKeys()) {
        if (key.size() != 1 || !key[0].isLetter())
            continue;
        const QString value = ini.value(key).toString();
        const QStringList parts = value.split(';');
        DriveEntry e;
        e.folder = absoluteUnderRoot(parts.value(0).trimmed());
        e.remote = parts.size() > 1 && parts[1].trimmed().compare("remote", Qt::CaseInsensitive) == 0;
        s.drives.insert(key[0].toUpper(), e);
    }
    ini.endGroup();
    ini.beginGroup("Rings");
    for (const QString& key : ini.childKeys())
        s.rings.insert(key.toUpper(), absoluteUnderRoot(ini.value(key).toString()));
    ini.endGroup();
    s.loaded = true;
}

// Appends the components to a host folder, matching each existing component
// without regard to case. ".." goes up one component but never above the
// folder itself (the drive's root), as on a drive.
QString resolveBelow(const QString& base, const QStringList& components)
{
    QString current = base;
    bool exists = QFileInfo(current).isDir();
    QList<QPair<QString, bool>> above;     // the folders gone through, to go back up
    for (const QString& c : components) {
        if (c.isEmpty() || c == ".")
            continue;
        if (c == "..") {
            if (!above.isEmpty()) {
                current = above.last().first;
                exists = above.last().second;
                above.removeLast();
            }
            continue;
        }
        above.append({current, exists});
        QString next = current + "/" + c;
        if (exists && !QFileInfo::exists(next)) {
            const QStringList entries = QDir(current).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString& e : entries) {
                if (e.compare(c, Qt::CaseInsensitive) == 0) {
                    next = current + "/" + e;
                    break;
                }
            }
        }
        exists = exists && QFileInfo::exists(next);
        current = next;
    }
    return current;
}

} // namespace

QString DriveMap::dataRoot()
{
    const State& s = state();
    return s.root.isEmpty() ? environmentRoot() : s.root;
}

void DriveMap::setDataRoot(const QString& hostFolder)
{
    state().root = QDir::cleanPath(QDir(hostFolder).absolutePath());
    reload();
}

QString DriveMap::stationFile()
{
    return dataRoot() + "/station.ini";
}

void DriveMap::reload()
{
    state().loaded = false;
}

QString DriveMap::driveFolder(QChar letter)
{
    load();
    const QChar l = letter.toUpper();
    const auto it = state().drives.constFind(l);
    if (it != state().drives.constEnd())
        return it->folder;
    return QString();
}

DriveMap::DriveType DriveMap::driveType(QChar letter)
{
    load();
    const QChar l = letter.toUpper();
    const auto it = state().drives.constFind(l);
    if (it == state().drives.constEnd())
        return DriveType::None;
    if (!QFileInfo(it->folder).isDir())
        return l == QChar('C') ? DriveType::Local : DriveType::None;
    return it->remote ? DriveType::Remote : DriveType::Local;
}

void DriveMap::mapDrive(QChar letter, const QString& hostFolder, bool remote)
{
    QSettings ini(stationFile(), QSettings::IniFormat);
    ini.setValue(QString("Drives/%1").arg(letter.toUpper()),
                 QDir::cleanPath(QDir(hostFolder).absolutePath()) + (remote ? ";remote" : ""));
    ini.sync();
    reload();
}

void DriveMap::unmapDrive(QChar letter)
{
    QSettings ini(stationFile(), QSettings::IniFormat);
    ini.remove(QString("Drives/%1").arg(letter.toUpper()));
    ini.sync();
    reload();
}

void DriveMap::mapRing(const QString& name, const QString& hostFolder)
{
    QSettings ini(stationFile(), QSettings::IniFormat);
    ini.setValue("Rings/" + name.toUpper(), QDir::cleanPath(QDir(hostFolder).absolutePath()));
    ini.sync();
    reload();
}

QList<QPair<QString, QString>> DriveMap::rings()
{
    load();
    QList<QPair<QString, QString>> list;
    for (auto it = state().rings.constBegin(); it != state().rings.constEnd(); ++it)
        list.append({it.key(), it.value()});
    std::sort(list.begin(), list.end());
    return list;
}

QString DriveMap::toHost(const QString& path)
{
    if (path.startsWith('/'))
        return path;
    QString p = path;
    p.replace('/', '\\');
    if (p.startsWith("\\\\")) {
        // "\\NAME\share\rest": the ring computer's folder stands for the
        // machine's whole network name.
        const QStringList parts = p.mid(2).split('\\');
        const QString name = parts.value(0).toUpper();
        load();
        QString base = state().rings.value(name);
        if (base.isEmpty())
            base = dataRoot() + "/rings/" + name;
        return resolveBelow(base, parts.mid(1));
    }
    if (p.size() >= 2 && p[0].isLetter() && p[1] == QChar(':')) {
        const QChar letter = p[0].toUpper();
        QString base = driveFolder(letter);
        if (base.isEmpty())
            base = dataRoot() + "/" + QString(letter);
        return resolveBelow(base, p.mid(2).split('\\'));
    }
    // A relative path: relative to the program's current folder.
    return resolveBelow(QDir::currentPath(), p.split('\\'));
}

QString DriveMap::toWindows(const QString& hostPath)
{
    load();
    const QString clean = QDir::cleanPath(QFileInfo(hostPath).absoluteFilePath());
    QChar bestLetter;
    int bestLength = -1;
    for (auto it = state().drives.constBegin(); it != state().drives.constEnd(); ++it) {
        const QString& folder = it->folder;
        if ((clean == folder || clean.startsWith(folder + "/")) && folder.size() > bestLength) {
            bestLength = int(folder.size());
            bestLetter = it.key();
        }
    }
    if (bestLength < 0)
        return hostPath;
    QString rest = clean.mid(bestLength);
    rest.replace('/', '\\');
    if (rest.isEmpty())
        rest = "\\";
    return QString(bestLetter) + ":" + rest;
}

bool DriveMap::exists(const QString& path)
{
    return QFileInfo::exists(toHost(path));
}

bool DriveMap::makePath(const QString& path)
{
    return QDir().mkpath(toHost(path));
}
