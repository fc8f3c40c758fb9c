#include "platform/input/EvdevMouseSource.h"

#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <libevdev/libevdev.h>
#include <libudev.h>

#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <unistd.h>

struct EvdevMouseSource::Device {
    Mouse mouse;
    int fd = -1;
    libevdev* dev = nullptr;
    QSocketNotifier* notifier = nullptr;
    RawMouseInput pending;      // the report being gathered up to SYN_REPORT
    bool dirty = false;

    ~Device()
    {
        if (notifier) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
        if (dev)
            libevdev_free(dev);
        if (fd >= 0)
            ::close(fd);
    }
};

namespace {

QString text(const char* s)
{
    return s ? QString::fromUtf8(s) : QString();
}

// A capability bitmap of sysfs ("capabilities/key"): hex words separated by
// blanks, the highest word first.
bool hasBit(const char* bitmap, int bit)
{
    if (!bitmap)
        return false;
    const QStringList words = QString::fromLatin1(bitmap).split(' ', Qt::SkipEmptyParts);
    const int wordBits = int(sizeof(long) * CHAR_BIT);
    const int index = words.size() - 1 - bit / wordBits;
    if (index < 0 || index >= words.size())
        return false;
    bool ok = false;
    const qulonglong word = words[index].toULongLong(&ok, 16);
    return ok && (word >> (bit % wordBits)) & 1u;
}

// The input device above an event device ("inputN"), which has the ids.
udev_device* inputParent(udev_device* event)
{
    return udev_device_get_parent_with_subsystem_devtype(event, "input", nullptr);
}

bool isMouse(udev_device* event)
{
    const char* sysname = udev_device_get_sysname(event);
    if (!sysname || !QByteArray(sysname).startsWith("event") || !udev_device_get_devnode(event))
        return false;
    if (text(udev_device_get_property_value(event, "ID_INPUT_MOUSE")) == "1")
        return true;
    // Without udev's properties: relative X and Y and a left button.
    udev_device* parent = inputParent(event);
    if (!parent)
        return false;
    const char* rel = udev_device_get_sysattr_value(parent, "capabilities/rel");
    return hasBit(rel, 0) && hasBit(rel, 1) &&
           hasBit(udev_device_get_sysattr_value(parent, "capabilities/key"), 0x110 /* BTN_LEFT */);
}

EvdevMouseSource::Mouse describe(udev_device* event)
{
    EvdevMouseSource::Mouse m;
    m.syspath = text(udev_device_get_syspath(event));
    m.devnode = text(udev_device_get_devnode(event));
    udev_device* parent = inputParent(event);
    const QString vendor = parent ? text(udev_device_get_sysattr_value(parent, "id/vendor")) : QString();
    const QString product = parent ? text(udev_device_get_sysattr_value(parent, "id/product")) : QString();
    QString place = parent ? text(udev_device_get_sysattr_value(parent, "phys")).trimmed() : QString();
    if (place.isEmpty() && parent)
        place = text(udev_device_get_sysattr_value(parent, "uniq")).trimmed();
    if (place.isEmpty())
        place = text(udev_device_get_sysname(parent ? parent : event));
    m.name = MouseInputSource::deviceName(vendor.toUInt(nullptr, 16), product.toUInt(nullptr, 16), place);
    return m;
}

bool permissionError(int error)
{
    return error == EACCES || error == EPERM;
}

} // namespace

EvdevMouseSource::EvdevMouseSource(QObject* parent)
    : MouseInputSource(parent)
{
    m_udev = udev_new();
    if (!m_udev)
        return;
    // Plugging in and out: udev's own announcements, made after its rules
    // have given the device its permissions; without its daemon, a look at
    // the list of mice every two seconds.
    if (QFileInfo::exists("/run/udev/control")) {
        m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
        if (m_monitor && udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "input", nullptr) >= 0 &&
            udev_monitor_enable_receiving(m_monitor) >= 0) {
            m_monitorNotifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
            connect(m_monitorNotifier, &QSocketNotifier::activated, this, &EvdevMouseSource::monitorReady);
            return;
        }
        if (m_monitor)
            udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
    }
    for (const Mouse& m : mice())
        m_lastSeen << m.syspath;
    m_poll = new QTimer(this);
    m_poll->setInterval(2000);
    connect(m_poll, &QTimer::timeout, this, &EvdevMouseSource::compareMice);
    m_poll->start();
}

EvdevMouseSource::~EvdevMouseSource()
{
    qDeleteAll(m_open);
    m_open.clear();
    delete m_monitorNotifier;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

QList<EvdevMouseSource::Mouse> EvdevMouseSource::mice() const
{
    QList<Mouse> result;
    if (!m_udev)
        return result;
    udev_enumerate* e = udev_enumerate_new(m_udev);
    if (!e)
        return result;
    udev_enumerate_add_match_subsystem(e, "input");
    udev_enumerate_add_match_sysname(e, "event*");
    udev_enumerate_scan_devices(e);
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(e))
    {
        udev_device* d = udev_device_new_from_syspath(m_udev, udev_list_entry_get_name(entry));
        if (!d)
            continue;
        if (isMouse(d))
            result << describe(d);
        udev_device_unref(d);
    }
    udev_enumerate_unref(e);
    return result;
}

QStringList EvdevMouseSource::reading() const
{
    QStringList names;
    for (const Device* d : m_open)
        names << d->mouse.name;
    return names;
}

void EvdevMouseSource::start()
{
    if (m_started)
        return;
    m_started = true;
    m_unreadable.clear();
    for (const Mouse& m : mice())
        openMouse(m);
}

void EvdevMouseSource::stop()
{
    if (!m_started)
        return;
    m_started = false;
    qDeleteAll(m_open);
    m_open.clear();
}

QStringList EvdevMouseSource::unreadableDevices()
{
    QStringList result;
    for (const Mouse& m : mice()) {
        if (m_open.contains(m.syspath))
            continue;
        const int fd = ::open(m.devnode.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0)
            ::close(fd);
        else if (permissionError(errno))
            result << m.name;
    }
    return result;
}

void EvdevMouseSource::openMouse(const Mouse& mouse)
{
    if (m_open.contains(mouse.syspath))
        return;
    const int fd = ::open(mouse.devnode.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (permissionError(errno) && !m_unreadable.contains(mouse.name))
            m_unreadable << mouse.name;
        return;
    }
    auto* d = new Device;
    d->mouse = mouse;
    d->fd = fd;
    if (libevdev_new_from_fd(fd, &d->dev) < 0) {
        d->dev = nullptr;
        delete d;
        return;
    }
    d->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    const QString key = mouse.syspath;
    connect(d->notifier, &QSocketNotifier::activated, this, [this, key] { readDevice(key); });
    m_open.insert(key, d);
}

void EvdevMouseSource::closeMouse(const QString& syspath)
{
    delete m_open.take(syspath);
}

void EvdevMouseSource::readDevice(const QString& syspath)
{
    Device* d = m_open.value(syspath);
    if (!d)
        return;
    // Everything waiting is read first; the reports go out afterwards, so a
    // receiver that stops the source never pulls the device from under the
    // reading.
    QList<RawMouseInput> reports;
    bool gone = false;
    bool syncing = false;
    for (;;) {
        input_event ev{};
        const int rc = libevdev_next_event(d->dev, syncing ? LIBEVDEV_READ_FLAG_SYNC : LIBEVDEV_READ_FLAG_NORMAL, &ev);
        if (rc == LIBEVDEV_READ_STATUS_SYNC) {
            // Events were dropped: the state catches up, the half report
            // goes.
            syncing = true;
            d->pending = RawMouseInput{};
            d->dirty = false;
            continue;
        }
        if (rc == -EAGAIN) {
            if (syncing) {
                syncing = false;
                continue;
            }
            break;
        }
        if (rc != LIBEVDEV_READ_STATUS_SUCCESS) {
            gone = true;    // pulled out (ENODEV) or broken
            break;
        }
        RawMouseInput& r = d->pending;
        if (ev.type == EV_KEY) {
            const bool down = ev.value != 0;
            if (ev.value == 2)
                continue;   // auto-repeat
            if (ev.code == BTN_LEFT)
                r.buttonFlags |= down ? RawMouseInput::LeftDown : RawMouseInput::LeftUp;
            else if (ev.code == BTN_RIGHT)
                r.buttonFlags |= down ? RawMouseInput::RightDown : RawMouseInput::RightUp;
            else if (ev.code == BTN_MIDDLE)
                r.buttonFlags |= down ? RawMouseInput::MiddleDown : RawMouseInput::MiddleUp;
            else
                continue;
            d->dirty = true;
        } else if (ev.type == EV_REL) {
            if (ev.code == REL_X)
                r.dx += ev.value;
            else if (ev.code == REL_Y)
                r.dy += ev.value;
            else if (ev.code == REL_WHEEL || ev.code == REL_HWHEEL)
                r.buttonFlags |= RawMouseInput::Wheel;
            d->dirty = true;
        } else if (ev.type == EV_SYN && ev.code == SYN_REPORT) {
            if (d->dirty) {
                r.device = d->mouse.name;
                reports << r;
            }
            r = RawMouseInput{};
            d->dirty = false;
        }
    }
    if (gone)
        closeMouse(syspath);
    for (const RawMouseInput& r : reports) {
        if (!m_started)
            break;
        Q_EMIT input(r);
    }
    if (gone)
        Q_EMIT devicesChanged();
}

void EvdevMouseSource::monitorReady()
{
    udev_device* d = udev_monitor_receive_device(m_monitor);
    if (!d)
        return;
    const QString action = text(udev_device_get_action(d));
    const QString syspath = text(udev_device_get_syspath(d));
    const QString sysname = text(udev_device_get_sysname(d));
    bool changed = false;
    if (sysname.startsWith("event")) {
        if (action == "add" && isMouse(d)) {
            if (m_started)
                openMouse(describe(d));
            changed = true;
        } else if (action == "remove") {
            changed = m_open.contains(syspath) || text(udev_device_get_property_value(d, "ID_INPUT_MOUSE")) == "1";
            closeMouse(syspath);
        }
    }
    udev_device_unref(d);
    if (changed)
        Q_EMIT devicesChanged();
}

void EvdevMouseSource::compareMice()
{
    const QList<Mouse> now = mice();
    QStringList seen;
    for (const Mouse& m : now)
        seen << m.syspath;
    if (seen == m_lastSeen)
        return;
    // Gone ones were closed by their reading; new ones are opened.
    for (const Mouse& m : now)
        if (m_started && !m_lastSeen.contains(m.syspath))
            openMouse(m);
    for (const QString& old : m_lastSeen)
        if (!seen.contains(old))
            closeMouse(old);
    m_lastSeen = seen;
    Q_EMIT devicesChanged();
}
