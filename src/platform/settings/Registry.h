#pragma once
// The settings store that stands in for the Windows registry.
//
// Keys and values keep their registry names: root HKCU or HKLM, key paths such
// as "\Software\ODBC\ODBC.INI\fdr", values such as "DBQ". Key paths and value
// names are compared without regard to case. Everything written is kept in
// "registry.ini" under the data root (see DriveMap); a write is on disk when
// the call returns. The file is written under a temporary name and renamed;
// a write that fails (read-only data folder, full disk) changes nothing, is
// shown to the user (writeFailureMessage) and returns false.
//
// Two hardware keys are answered live from the machine instead of the file:
//   HKLM "\HARDWARE\DEVICEMAP\SERIALCOMM": one value per USB or ACM serial
//     device, named "\Device\VCP0", "\Device\VCP1", ... in a stable order,
//     holding the device's "COMn" name (see PortMap);
//   HKLM "\System\CurrentControlSet\Services\Mouhid\Enum": the USB mice, as
//     values "0" .. "n-1" of the form "HID\VID_045E&PID_0040\<phys>" and "Count".
// They are read from /sys/class/tty and /proc/bus/input/devices below the
// hardware root, which tests point at a fake tree.

#include <QString>
#include <QStringList>
#include <QVariant>

class Registry {
public:
    enum RootKey { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE };

    explicit Registry(RootKey root = HKEY_CURRENT_USER);

    RootKey rootKey() const { return m_root; }
    void setRootKey(RootKey root) { m_root = root; closeKey(); }

    // Opens a key (a leading "\" is optional). With canCreate the key is
    // created when missing; otherwise a missing key gives false.
    bool openKey(const QString& key, bool canCreate);
    bool openKeyReadOnly(const QString& key);
    void closeKey();
    bool keyExists(const QString& key) const;
    QString currentPath() const { return m_key; }

    bool valueExists(const QString& name) const;
    // A missing value reads as "" (string) or 0 (integer, with *ok false).
    QString readString(const QString& name) const;
    int readInteger(const QString& name, bool* ok = nullptr) const;
    QStringList valueNames() const;

    // Writing needs a key opened for writing; returns false otherwise, and
    // when the store file could not be written.
    bool writeString(const QString& name, const QString& value);
    bool writeInteger(const QString& name, int value);
    bool deleteValue(const QString& name);

    // Where /sys and /proc are read from for the hardware keys ("" = "/").
    static void setHardwareRoot(const QString& root);
    static QString hardwareRoot();
    // Forgets the cached store (another process may have written it).
    static void reload();
    static QString storeFile();
    static QString writeFailureMessage();

private:
    bool writeValue(const QString& name, const QVariant& data);

    RootKey m_root;
    QString m_key;        // normalised key path of the open key, "" = none
    bool m_open = false;
    bool m_writable = false;
};

// Convenience readers for the values the program reads in many places.
namespace RegistryValues {
// HKCU "\Software\ODBC\ODBC.INI\<source>" value "DBQ" (the database path).
QString dbq(const QString& source = "fdr");
// False when the settings store could not be written (it has said so).
bool setDbq(const QString& path, const QString& source = "fdr");
}
