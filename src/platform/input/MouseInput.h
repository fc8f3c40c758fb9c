#pragma once
// Raw input of mice, each mouse told apart by its device name.
//
// A source delivers one report per mouse report (a movement, a button going
// down or up, the wheel), whether or not a window of the program is in
// front, from the moment start() is called until stop(); mice plugged in
// while it runs are read as well. Every report names its device in the form
// the raw input of the Windows platform gives:
//
//   "\\?\HID#VID_0461&PID_4D17#usb-0000:00:14.0-2/input0"
//
// vendor and product id as four upper-case hex digits, then the place the
// device is plugged into (its physical path, the same for the same socket
// after it is plugged out and in again). The registry's mouse list
// ("Mouhid\Enum") names the same ids, so a rule on the ids reads both.
//
//   auto source = MouseInputSource::instance();
//   connect(source.get(), &MouseInputSource::input, this, [](const RawMouseInput& r) {
//       if (r.buttonFlags & RawMouseInput::LeftDown) ...
//   });
//   connect(source.get(), &MouseInputSource::devicesChanged, this, ...);   // plugged in or out
//   source->start();
//   if (!source->unreadableDevices().isEmpty()) ...   // no permission to read them
//
// The program's source reads the kernel's event devices (/dev/input/event*)
// through libevdev and learns of mice plugged in and out through udev
// (EvdevMouseSource). Tests install a ManualMouseSource and feed it.

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

struct RawMouseInput {
    // Button transitions of the report, as the raw input's button flags.
    enum ButtonFlag : unsigned {
        LeftDown = 0x0001,
        LeftUp = 0x0002,
        RightDown = 0x0004,
        RightUp = 0x0008,
        MiddleDown = 0x0010,
        MiddleUp = 0x0020,
        Wheel = 0x0400,
    };

    QString device;             // the device name (see above)
    unsigned buttonFlags = 0;   // ButtonFlag bits; 0 for a movement only
    int dx = 0;                 // relative movement
    int dy = 0;
};
Q_DECLARE_METATYPE(RawMouseInput)

class MouseInputSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Reports flow from start() to stop(); each does nothing when the
    // source already is in that state.
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool started() const = 0;
    // Mice that are plugged in but that this user may not read (device
    // names); empty when every mouse can be read.
    virtual QStringList unreadableDevices() = 0;

    // The device name of a mouse from its ids and its physical path.
    static QString deviceName(unsigned vendor, unsigned product, const QString& place);

    // The program's source: the event devices unless replaced (tests replace
    // it before the screens are made).
    static std::shared_ptr<MouseInputSource> instance();
    static void setInstance(std::shared_ptr<MouseInputSource> source);

Q_SIGNALS:
    void input(const RawMouseInput& report);
    // A mouse was plugged in or out.
    void devicesChanged();
};

// A source that reports what it is told: tests, and stations whose mice
// cannot be read.
class ManualMouseSource : public MouseInputSource {
    Q_OBJECT
public:
    using MouseInputSource::MouseInputSource;

    void start() override { m_started = true; }
    void stop() override { m_started = false; }
    bool started() const override { return m_started; }
    QStringList unreadableDevices() override { return unreadable; }

    // A report of a device; delivered only while started, as the real source.
    void feed(const RawMouseInput& report)
    {
        if (m_started)
            Q_EMIT input(report);
    }
    void feed(const QString& device, unsigned buttonFlags, int dx = 0, int dy = 0)
    {
        feed(RawMouseInput{device, buttonFlags, dx, dy});
    }
    // A device was plugged in or out.
    void plugged() { Q_EMIT devicesChanged(); }

    QStringList unreadable;

private:
    bool m_started = false;
};
