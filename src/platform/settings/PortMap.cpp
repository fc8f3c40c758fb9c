#include "platform/settings/PortMap.h"

#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"

#include <QCollator>
#include <QDir>
#include <QList>
#include <QMap>
#include <QPair>
#include <QSet>
#include <QSettings>

#include <algorithm>

namespace {

int portNumber(const QString& name)
{
    if (!name.startsWith("COM", Qt::CaseInsensitive))
        return -1;
    bool ok = false;
    const int n = name.mid(3).toInt(&ok);
    return ok ? n : -1;
}

} // namespace

QString PortMap::devicePath(const QString& portName)
{
    const int n = portNumber(portName.trimmed());
    if (n < 0)
        return QString();
    QSettings ini(DriveMap::stationFile(), QSettings::IniFormat);
    ini.beginGroup("Ports");
    for (const QString& key : ini.childKeys())
        if (portNumber(key) == n)
            return ini.value(key).toString();
    ini.endGroup();
    // A USB device seen for the first time may not have been named yet.
    for (const auto& p : usbPorts())
        if (portNumber(p.first) == n)
            return p.second;
    return QString();
}

void PortMap::setDevice(const QString& portName, const QString& devicePath)
{
    const int n = portNumber(portName.trimmed());
    if (n < 0)
        return;
    QSettings ini(DriveMap::stationFile(), QSettings::IniFormat);
    ini.beginGroup("Ports");
    for (const QString& key : ini.childKeys())
        if (portNumber(key) == n)
            ini.remove(key);
    ini.setValue(QString("COM%1").arg(n), devicePath);
    ini.endGroup();
    ini.sync();
}

QList<QPair<QString, QString>> PortMap::usbPorts()
{
    QDir tty(Registry::hardwareRoot() + "/sys/class/tty");
    QStringList names = tty.entryList({"ttyACM*", "ttyUSB*"}, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    QCollator natural;
    natural.setNumericMode(true);
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) { return natural.compare(a, b) < 0; });

    QSettings ini(DriveMap::stationFile(), QSettings::IniFormat);
    ini.beginGroup("Ports");
    QMap<QString, int> byDevice;   // device -> number
    QSet<int> used;
    for (const QString& key : ini.childKeys()) {
        const int n = portNumber(key);
        if (n < 0)
            continue;
        used.insert(n);
        byDevice.insert(ini.value(key).toString(), n);
    }
    QList<QPair<QString, QString>> result;
    bool changed = false;
    for (const QString& name : names) {
        const QString device = "/dev/" + name;
        int n = byDevice.value(device, -1);
        if (n < 0) {
            n = 3;
            while (used.contains(n))
                ++n;
            used.insert(n);
            ini.setValue(QString("COM%1").arg(n), device);
            changed = true;
        }
        result.append({QString("COM%1").arg(n), device});
    }
    ini.endGroup();
    if (changed)
        ini.sync();
    return result;
}

QList<QPair<QString, QString>> PortMap::mappings()
{
    QSettings ini(DriveMap::stationFile(), QSettings::IniFormat);
    ini.beginGroup("Ports");
    QList<QPair<int, QString>> byNumber;
    for (const QString& key : ini.childKeys()) {
        const int n = portNumber(key);
        if (n >= 0)
            byNumber.append({n, ini.value(key).toString()});
    }
    ini.endGroup();
    std::sort(byNumber.begin(), byNumber.end());
    QList<QPair<QString, QString>> result;
    for (const auto& p : byNumber)
        result.append({QString("COM%1").arg(p.first), p.second});
    return result;
}
