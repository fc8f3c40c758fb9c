#pragma once
// Live scoring with its devices on real lines: the scoring control device on
// a pseudo-terminal mapped as "COM7" (the test plays the device on the far
// side), the judges' mice through a source the test feeds, and the mice the
// presence test finds in the station's hardware tree.

#include "LiveFixture.h"

#include "app/comport/SerialPort.h"
#include "comport/PtyPair.h"
#include "platform/input/MouseInput.h"
#include "platform/settings/PortMap.h"
#include "platform/settings/Registry.h"
#include "scoring/JudgeDevices.h"
#include "scoring/ScoringDevices.h"

#include <QDir>
#include <QListWidget>

// The device's port as the match screen sets it up.
inline void setUpDevicePort(TSerialPort& port)
{
    port.setBaudRate(br9600);
    port.Parity()->setBits(prNone);
    port.setStopBits(sbOneStopBit);
    port.setDataBits(dbEight);
    port.setDiscardNull(true);
    port.FlowControl()->setControlDTR(dtrEnable);
    port.FlowControl()->setControlRTS(rtsDisable);
}

// A USB mouse as the kernel lists it in /proc/bus/input/devices.
struct FakeMouse {
    unsigned vendor;
    unsigned product;
    QString phys;
    // The device name the mouse's reports carry.
    QString name() const { return MouseInputSource::deviceName(vendor, product, phys); }
};

// Three approved mice (vendor 0461, product 4D17) in three sockets, and an
// office mouse.
inline const FakeMouse kMouseA{0x0461, 0x4D17, "usb-0000:00:14.0-1/input0"};
inline const FakeMouse kMouseB{0x0461, 0x4D17, "usb-0000:00:14.0-2/input0"};
inline const FakeMouse kMouseC{0x0461, 0x4D17, "usb-0000:00:14.0-3/input0"};
inline const FakeMouse kMouseD{0x0461, 0x4D17, "usb-0000:00:14.0-4/input0"};
inline const FakeMouse kOfficeMouse{0x046D, 0xC077, "usb-0000:00:14.0-5/input0"};

class DeviceTest : public LiveTest {
protected:
    void SetUp() override
    {
        LiveTest::SetUp();
        ASSERT_TRUE(pty.valid());
        PortMap::setDevice("COM7", pty.slavePath());
        port = std::make_unique<TSerialPort>();
        setUpDevicePort(*port);
        port->setPort("COM7");
        mice = std::make_shared<ManualMouseSource>();
        devices = std::make_shared<ScoringDevices>(*live, port.get(), mice);
        devices->link().ctrlHeld = [this] { return ctrl; };
        live->setInputs(devices);
    }

    void TearDown() override
    {
        LiveTest::TearDown();
        devices.reset();
        port.reset();
    }

    DeviceLink& link() { return devices->link(); }
    JudgeMice& judgeMice() { return devices->mice(); }

    // The device sends bytes; returns when the link has taken them all.
    void device(const QByteArray& bytes)
    {
        const qint64 before = link().FBytesReceived;
        ASSERT_TRUE(pty.send(bytes));
        ASSERT_TRUE(waitFor([&] { return link().FBytesReceived >= before + bytes.size(); }))
            << "the link took " << (link().FBytesReceived - before) << " of " << bytes.size() << " bytes";
    }
    void device(std::initializer_list<int> codes)
    {
        QByteArray bytes;
        for (int c : codes)
            bytes.append(char(c));
        device(bytes);
    }
    // What the program wrote to the device so far (at most `size` bytes are
    // waited for).
    QByteArray written(int size) { return pty.receive(size, 2000); }

    // The mice plugged in, as the presence test reads them.
    void plugMice(const QList<FakeMouse>& list)
    {
        QByteArray text;
        int n = 0;
        for (const FakeMouse& m : list) {
            text += QString("I: Bus=0003 Vendor=%1 Product=%2 Version=0111\n")
                        .arg(m.vendor, 4, 16, QChar('0'))
                        .arg(m.product, 4, 16, QChar('0'))
                        .toUtf8();
            text += "N: Name=\"USB Optical Mouse\"\n";
            text += "P: Phys=" + m.phys.toUtf8() + "\n";
            text += "S: Sysfs=/devices/usb/input/input" + QByteArray::number(n) + "\n";
            text += "H: Handlers=mouse" + QByteArray::number(n) + " event" + QByteArray::number(n + 3) + "\n";
            text += "B: EV=17\n\n";
            ++n;
        }
        writeFile(Registry::hardwareRoot() + "/proc/bus/input/devices", text);
    }

    // The match screen's activation with the mice as the presence test finds
    // them and the device port as usable or not.
    void activate(bool portUsable = true)
    {
        live->activate();
        const int present = JudgeDevices::MouseKontrol() ? 1 : 0;
        live->FMiceMode = present;
        live->FMiceLinked = present;
        live->FDevicePortFailed = portUsable ? 0 : 1;
        devices->activated();
    }

    // A bout opened with the settings dialog, the judges' test made by
    // `test` while the dialog is open.
    void openWithTest(int key, const std::function<void()>& test, const Settings& s = Settings{})
    {
        match->current = key;
        modals().expect("TSkorb_giris", [s, test](QDialog*) {
            test();
            TSkorb_giris* d = Skorb_giris;
            d->Edit8->setText(s.referee);
            d->Edit1->setText(s.judge1);
            d->Edit2->setText(s.judge2);
            d->Edit3->setText(s.judge3);
            click(d->BitBtn4);
        });
        live->MsabakayEkranaYkle1Click();
    }

    // The settings dialog's six test marks, blue judges 1-3 then red.
    static QStringList marks()
    {
        QStringList m;
        for (SymbolLabel* l : Skorb_giris->testMarks())
            m << l->text() + (ScoreboardLook::textColour(l) == ScoreboardLook::Blue ? "b"
                              : ScoreboardLook::textColour(l) == ScoreboardLook::Red ? "r"
                                                                      : "w");
        return m;
    }

    PtyPair pty;
    std::unique_ptr<TSerialPort> port;
    std::shared_ptr<ManualMouseSource> mice;
    std::shared_ptr<ScoringDevices> devices;
    bool ctrl = false;
};
