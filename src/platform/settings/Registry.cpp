#include "platform/settings/Registry.h"

#include "platform/paths/DriveMap.h"
#include "platform/settings/PortMap.h"
#include "platform/ui/Messages.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

namespace {

const char* const kSerialComm = "hardware\\devicemap\\serialcomm";
const char* const kMouhidEnum = "system\\currentcontrolset\\services\\mouhid\\enum";

struct Value {
    QString name;   // as first written
    QVariant data;  // QString or int
};

struct Key {
    QString path;                 // as first written, without leading "\"
    QMap<QString, Value> values;  // lower-case name -> value
};

struct Store {
    bool loaded = false;
    QMap<QString, Key> keys;      // "HKCU\lower\path" -> key
    QString hardwareRoot;
};

Store& store()
{
    static Store s;
    return s;
}

QString rootName(Registry::RootKey r)
{
    return r == Registry::HKEY_CURRENT_USER ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

QString normaliseKey(QString key)
{
    key.replace('/', '\\');
    while (key.startsWith('\\'))
        key.remove(0, 1);
    while (key.endsWith('\\'))
        key.chop(1);
    return key;
}

QString storeId(Registry::RootKey r, const QString& key)
{
    return rootName(r) + "\\" + normaliseKey(key).toLower();
}

QString encode(const QString& s, bool isName)
{
    QString out;
    for (QChar c : s) {
        if (c == '%' || c == '\n' || c == '\r' || (isName && (c == '=' || c == '[')))
            out += QString("%%1").arg(c.unicode(), 2, 16, QChar('0')).toUpper();
        else
            out += c;
    }
    return out;
}

QString decode(const QString& s)
{
    QString out;
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            bool ok = false;
            const int code = s.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 2;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

void loadStore()
{
    Store& st = store();
    if (st.loaded)
        return;
    st.keys.clear();
    QFile f(Registry::storeFile());
    if (f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&f);
        in.setEncoding(QStringConverter::Utf8);
        Key* current = nullptr;
        while (!in.atEnd()) {
            const QString line = in.readLine();
            if (line.startsWith('[') && line.endsWith(']')) {
                const QString full = line.mid(1, line.size() - 2);
                const int slash = int(full.indexOf('\\'));
                const QString root = slash < 0 ? full : full.left(slash);
                const QString path = slash < 0 ? QString() : full.mid(slash + 1);
                const Registry::RootKey r = root == "HKEY_LOCAL_MACHINE" ? Registry::HKEY_LOCAL_MACHINE
                                                                        : Registry::HKEY_CURRENT_USER;
                Key& k = st.keys[storeId(r, path)];
                k.path = path;
                current = &k;
                continue;
            }
            if (!current || line.trimmed().isEmpty() || line.startsWith(';'))
                continue;
            const int eq = int(line.indexOf('='));
            if (eq < 0)
                continue;
            const QString name = decode(line.left(eq));
            const QString rest = line.mid(eq + 1);
            Value v;
            v.name = name;
            if (rest.startsWith("dword:"))
                v.data = rest.mid(6).toInt();
            else if (rest.startsWith("sz:"))
                v.data = decode(rest.mid(3));
            else
                v.data = decode(rest);
            current->values.insert(name.toLower(), v);
        }
    }
    st.loaded = true;
}

// Writes the whole store under a temporary name and renames it over the old
// file; false (and the file unchanged) when that fails.
bool saveStore(QString* reason)
{
    const QString file = Registry::storeFile();
    QDir().mkpath(QFileInfo(file).path());
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text)) {
        *reason = f.errorString();
        return false;
    }
    QTextStream out(&f);
    out.setEncoding(QStringConverter::Utf8);
    for (auto it = store().keys.constBegin(); it != store().keys.constEnd(); ++it) {
        const QString root = it.key().left(it.key().indexOf('\\'));
        out << "[" << root << "\\" << it->path << "]\n";
        for (const Value& v : it->values) {
            out << encode(v.name, true) << "=";
            if (v.data.typeId() == QMetaType::Int)
                out << "dword:" << v.data.toInt() << "\n";
            else
                out << "sz:" << encode(v.data.toString(), false) << "\n";
        }
        out << "\n";
    }
    out.flush();
    if (out.status() != QTextStream::Ok || !f.commit()) {
        *reason = f.errorString();
        return false;
    }
    return true;
}

// Saves the store after a change. When the file cannot be written the change
// is dropped (the store is read again from the file), the user is told and
// false returned: a setting never seems saved when it is not.
bool saveOrUndo()
{
    QString reason;
    if (saveStore(&reason))
        return true;
    store().keys.clear();
    store().loaded = false;
    Messages::error(Registry::writeFailureMessage() + "\n\nAyrıntı: " + Registry::storeFile() + ": " + reason);
    return false;
}

QString readTextFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

// The USB mice of /proc/bus/input/devices, in the form the mouse service's
// device list has them.
QStringList mouseInstances()
{
    QStringList result;
    const QString text = readTextFile(Registry::hardwareRoot() + "/proc/bus/input/devices");
    const QStringList blocks = text.split(QRegularExpression("\\n\\s*\\n"), Qt::SkipEmptyParts);
    static const QRegularExpression idLine("Bus=([0-9a-fA-F]+)\\s+Vendor=([0-9a-fA-F]+)\\s+Product=([0-9a-fA-F]+)");
    for (const QString& block : blocks) {
        QString bus, vendor, product, phys, handlers;
        for (const QString& raw : block.split('\n')) {
            const QString line = raw.trimmed();
            if (line.startsWith("I:")) {
                const auto m = idLine.match(line);
                if (m.hasMatch()) {
                    bus = m.captured(1);
                    vendor = m.captured(2);
                    product = m.captured(3);
                }
            } else if (line.startsWith("P: Phys=")) {
                phys = line.mid(8);
            } else if (line.startsWith("H: Handlers=")) {
                handlers = line.mid(12);
            }
        }
        const bool isMouse = handlers.split(' ', Qt::SkipEmptyParts).filter(QRegularExpression("^mouse\\d+$")).size() > 0;
        if (!isMouse || bus.toInt(nullptr, 16) != 0x03)
            continue;
        result << QString("HID\\VID_%1&PID_%2\\%3")
                      .arg(vendor.rightJustified(4, '0').right(4).toUpper(),
                           product.rightJustified(4, '0').right(4).toUpper(), phys);
    }
    return result;
}

bool isHardwareKey(Registry::RootKey root, const QString& key)
{
    if (root != Registry::HKEY_LOCAL_MACHINE)
        return false;
    const QString k = normaliseKey(key).toLower();
    return k == kSerialComm || k == kMouhidEnum;
}

QList<Value> hardwareValues(const QString& key)
{
    QList<Value> values;
    const QString k = normaliseKey(key).toLower();
    if (k == kSerialComm) {
        int index = 0;
        for (const auto& port : PortMap::usbPorts())
            values << Value{QString("\\Device\\VCP%1").arg(index++), port.first};
    } else if (k == kMouhidEnum) {
        const QStringList mice = mouseInstances();
        for (int i = 0; i < mice.size(); ++i)
            values << Value{QString::number(i), mice[i]};
        values << Value{"Count", int(mice.size())};
        values << Value{"NextInstance", int(mice.size())};
    }
    return values;
}

} // namespace

Registry::Registry(RootKey root)
    : m_root(root)
{
}

QString Registry::storeFile()
{
    return DriveMap::dataRoot() + "/registry.ini";
}

void Registry::reload()
{
    store().loaded = false;
}

void Registry::setHardwareRoot(const QString& root)
{
    store().hardwareRoot = root;
}

QString Registry::hardwareRoot()
{
    QString r = store().hardwareRoot;
    while (r.endsWith('/'))
        r.chop(1);
    return r;
}

bool Registry::keyExists(const QString& key) const
{
    if (isHardwareKey(m_root, key))
        return true;
    loadStore();
    return store().keys.contains(storeId(m_root, key));
}

bool Registry::openKey(const QString& key, bool canCreate)
{
    closeKey();
    if (isHardwareKey(m_root, key)) {
        m_key = normaliseKey(key);
        m_open = true;
        m_writable = false;
        return true;
    }
    loadStore();
    const QString id = storeId(m_root, key);
    if (!store().keys.contains(id)) {
        if (!canCreate)
            return false;
        Key k;
        k.path = normaliseKey(key);
        store().keys.insert(id, k);
        if (!saveOrUndo())
            return false;
    }
    m_key = normaliseKey(key);
    m_open = true;
    m_writable = true;
    return true;
}

bool Registry::openKeyReadOnly(const QString& key)
{
    const bool ok = openKey(key, false);
    m_writable = false;
    return ok;
}

void Registry::closeKey()
{
    m_key.clear();
    m_open = false;
    m_writable = false;
}

bool Registry::valueExists(const QString& name) const
{
    if (!m_open)
        return false;
    if (isHardwareKey(m_root, m_key)) {
        for (const Value& v : hardwareValues(m_key))
            if (v.name.compare(name, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    }
    loadStore();
    const auto it = store().keys.constFind(storeId(m_root, m_key));
    return it != store().keys.constEnd() && it->values.contains(name.toLower());
}

QStringList Registry::valueNames() const
{
    QStringList names;
    if (!m_open)
        return names;
    if (isHardwareKey(m_root, m_key)) {
        for (const Value& v : hardwareValues(m_key))
            names << v.name;
        return names;
    }
    loadStore();
    const auto it = store().keys.constFind(storeId(m_root, m_key));
    if (it != store().keys.constEnd())
        for (const Value& v : it->values)
            names << v.name;
    return names;
}

static QVariant lookup(Registry::RootKey root, const QString& key, bool open, const QString& name)
{
    if (!open)
        return QVariant();
    if (isHardwareKey(root, key)) {
        for (const Value& v : hardwareValues(key))
            if (v.name.compare(name, Qt::CaseInsensitive) == 0)
                return v.data;
        return QVariant();
    }
    loadStore();
    const auto it = store().keys.constFind(storeId(root, key));
    if (it == store().keys.constEnd())
        return QVariant();
    const auto v = it->values.constFind(name.toLower());
    return v == it->values.constEnd() ? QVariant() : v->data;
}

QString Registry::readString(const QString& name) const
{
    const QVariant v = lookup(m_root, m_key, m_open, name);
    return v.isValid() ? v.toString() : QString();
}

int Registry::readInteger(const QString& name, bool* ok) const
{
    const QVariant v = lookup(m_root, m_key, m_open, name);
    bool converted = false;
    const int value = v.isValid() ? v.toInt(&converted) : 0;
    if (ok)
        *ok = v.isValid() && converted;
    return converted ? value : 0;
}

bool Registry::writeValue(const QString& name, const QVariant& data)
{
    if (!m_open || !m_writable)
        return false;
    loadStore();
    Key& k = store().keys[storeId(m_root, m_key)];
    if (k.path.isEmpty())
        k.path = m_key;
    Value& v = k.values[name.toLower()];
    if (v.name.isEmpty())
        v.name = name;
    v.data = data;
    return saveOrUndo();
}

bool Registry::writeString(const QString& name, const QString& value)
{
    return writeValue(name, value);
}

bool Registry::writeInteger(const QString& name, int value)
{
    return writeValue(name, value);
}

bool Registry::deleteValue(const QString& name)
{
    if (!m_open || !m_writable)
        return false;
    loadStore();
    auto it = store().keys.find(storeId(m_root, m_key));
    if (it == store().keys.end() || !it->values.remove(name.toLower()))
        return false;
    return saveOrUndo();
}

QString Registry::writeFailureMessage()
{
    return QStringLiteral("AYARLAR KAYDEDİLEMEDİ: ayar dosyasına yazılamıyor (salt okunur klasör ya da dolu disk). "
                          "Değişiklik kaydedilmedi ...!");
}

// ---------------------------------------------------------------------------

QString RegistryValues::dbq(const QString& source)
{
    Registry reg(Registry::HKEY_CURRENT_USER);
    if (!reg.openKeyReadOnly("\\Software\\ODBC\\ODBC.INI\\" + source))
        return QString();
    return reg.readString("DBQ");
}

bool RegistryValues::setDbq(const QString& path, const QString& source)
{
    Registry reg(Registry::HKEY_CURRENT_USER);
    return reg.openKey("\\Software\\ODBC\\ODBC.INI\\" + source, true) && reg.writeString("DBQ", path);
}
