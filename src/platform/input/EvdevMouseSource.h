#pragma once
// The mice of this machine read from the kernel's event devices.
//
// Every event device that is a mouse (udev's ID_INPUT_MOUSE, or relative X
// and Y axes with a left button) is opened read-only, without taking it from
// the desktop: the pointer still moves and clicks still reach the windows,
// and the reports reach this source whichever window is in front. Each
// report of the kernel (the events up to a SYN_REPORT) becomes one
// RawMouseInput. Mice plugged in while the source runs are opened as udev
// announces them (where no udev daemon runs, the list of mice is compared
// every two seconds instead); a mouse that is pulled out ends its reading and
// announces devicesChanged.
//
// Reading needs the permission to open /dev/input/event*: root, membership
// of the group "input", or a udev rule that gives it (see the README). A
// mouse that cannot be opened for that reason is listed by
// unreadableDevices() and skipped; the rest are read.

#include "platform/input/MouseInput.h"

#include <QHash>

#include <memory>

class QSocketNotifier;
class QTimer;
struct libevdev;
struct udev;
struct udev_monitor;

class EvdevMouseSource : public MouseInputSource {
    Q_OBJECT
public:
    explicit EvdevMouseSource(QObject* parent = nullptr);
    ~EvdevMouseSource() override;

    void start() override;
    void stop() override;
    bool started() const override { return m_started; }
    QStringList unreadableDevices() override;

    // A mouse plugged in now: its event device and its device name.
    struct Mouse {
        QString syspath;    // identity of the event device
        QString devnode;    // /dev/input/eventN
        QString name;       // the device name of MouseInput.h
    };
    QList<Mouse> mice() const;
    // Device names of the mice being read now.
    QStringList reading() const;

private:
    struct Device;
    void openMouse(const Mouse& mouse);
    void closeMouse(const QString& syspath);
    void readDevice(const QString& syspath);
    void monitorReady();
    void compareMice();

    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_monitorNotifier = nullptr;
    QTimer* m_poll = nullptr;           // without a udev daemon
    QStringList m_lastSeen;             // syspaths at the last comparison
    QHash<QString, Device*> m_open;     // by syspath
    QStringList m_unreadable;           // device names
    bool m_started = false;
};
