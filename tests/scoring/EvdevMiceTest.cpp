// The judges' mice through the machine's own event devices: virtual USB mice
// made with uinput are read by the evdev source and score a bout. Runs where
// /dev/uinput exists and this user may write it; skipped elsewhere.
#include "DeviceFixture.h"

#include "platform/input/EvdevMouseSource.h"

#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>

#include <unistd.h>

namespace {

// A USB mouse made by the kernel's uinput.
class VirtualMouse {
public:
    VirtualMouse(unsigned vendor, unsigned product, const char* phys)
    {
        m_dev = libevdev_new();
        libevdev_set_name(m_dev, "Brivex virtual mouse");
        libevdev_set_phys(m_dev, phys);
        libevdev_set_id_bustype(m_dev, BUS_USB);
        libevdev_set_id_vendor(m_dev, int(vendor));
        libevdev_set_id_product(m_dev, int(product));
        libevdev_enable_event_type(m_dev, EV_REL);
        for (unsigned code : {REL_X, REL_Y, REL_WHEEL})
            libevdev_enable_event_code(m_dev, EV_REL, code, nullptr);
        libevdev_enable_event_type(m_dev, EV_KEY);
        for (unsigned code : {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE})
            libevdev_enable_event_code(m_dev, EV_KEY, code, nullptr);
        if (libevdev_uinput_create_from_device(m_dev, LIBEVDEV_UINPUT_OPEN_MANAGED, &m_uinput) != 0)
            m_uinput = nullptr;
    }
    ~VirtualMouse()
    {
        if (m_uinput)
            libevdev_uinput_destroy(m_uinput);
        libevdev_free(m_dev);
    }
    VirtualMouse(const VirtualMouse&) = delete;
    VirtualMouse& operator=(const VirtualMouse&) = delete;

    bool valid() const { return m_uinput != nullptr; }

    void press(unsigned button, bool down)
    {
        libevdev_uinput_write_event(m_uinput, EV_KEY, button, down ? 1 : 0);
        libevdev_uinput_write_event(m_uinput, EV_SYN, SYN_REPORT, 0);
    }
    void click(unsigned button)
    {
        press(button, true);
        press(button, false);
    }
    void move()
    {
        libevdev_uinput_write_event(m_uinput, EV_REL, REL_X, 3);
        libevdev_uinput_write_event(m_uinput, EV_REL, REL_Y, -1);
        libevdev_uinput_write_event(m_uinput, EV_SYN, SYN_REPORT, 0);
    }

private:
    libevdev* m_dev = nullptr;
    libevdev_uinput* m_uinput = nullptr;
};

class EvdevMiceTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        if (::access("/dev/uinput", W_OK) != 0)
            GTEST_SKIP() << "no writable /dev/uinput here";
    }
};

TEST_F(EvdevMiceTest, VirtualMiceAreReadAndScoreABout)
{
    const FakeMouse a{0x0461, 0x4D17, "brivex-test-1"};
    const FakeMouse b{0x0461, 0x4D17, "brivex-test-2"};
    const FakeMouse c{0x0461, 0x4D17, "brivex-test-3"};
    const FakeMouse office{0x046D, 0xC077, "brivex-test-4"};
    VirtualMouse ma(a.vendor, a.product, "brivex-test-1");
    VirtualMouse mb(b.vendor, b.product, "brivex-test-2");
    VirtualMouse mc(c.vendor, c.product, "brivex-test-3");
    VirtualMouse mo(office.vendor, office.product, "brivex-test-4");
    ASSERT_TRUE(ma.valid() && mb.valid() && mc.valid() && mo.valid());

    auto source = std::make_shared<EvdevMouseSource>();
    const QStringList wanted{a.name(), b.name(), c.name(), office.name()};
    auto listed = [&] {
        QStringList names;
        for (const EvdevMouseSource::Mouse& m : source->mice())
            names << m.name;
        for (const QString& w : wanted)
            if (!names.contains(w))
                return false;
        return true;
    };
    ASSERT_TRUE(waitFor(listed, 10000)) << "the virtual mice appear among the event devices";

    // The reports as they come, in the raw input's form.
    QList<RawMouseInput> got;
    QObject::connect(source.get(), &MouseInputSource::input, [&](const RawMouseInput& r) { got << r; });
    source->start();
    ASSERT_TRUE(waitFor([&] {
        const QStringList r = source->reading();
        return r.contains(a.name()) && r.contains(b.name()) && r.contains(c.name()) && r.contains(office.name());
    }, 10000)) << "no permission? " << source->unreadableDevices().join(", ").toStdString();
    ma.move();
    ma.press(BTN_LEFT, true);
    mo.press(BTN_RIGHT, true);
    ASSERT_TRUE(waitFor([&] { return got.size() >= 3; }, 10000));
    EXPECT_EQ(got[0].device, a.name());
    EXPECT_EQ(got[0].buttonFlags, 0u);
    EXPECT_EQ(got[0].dx, 3);
    EXPECT_EQ(got[0].dy, -1);
    EXPECT_EQ(got[1].device, a.name());
    EXPECT_EQ(got[1].buttonFlags, unsigned(RawMouseInput::LeftDown));
    EXPECT_EQ(got[2].device, office.name());
    EXPECT_EQ(got[2].buttonFlags, unsigned(RawMouseInput::RightDown));
    ma.press(BTN_LEFT, false);
    mo.press(BTN_RIGHT, false);
    ASSERT_TRUE(waitFor([&] { return got.size() >= 5; }, 10000));
    source->stop();

    // The same mice as the judges' hand boxes of a bout.
    plugMice({a, b, c, office});
    activate(false);
    ASSERT_EQ(live->FMiceMode, 1);
    judgeMice().setSource(source);
    addStandardBout();
    Skorb_giris->resetTestMarks();
    openWithTest(1, [&] {
        ASSERT_TRUE(waitFor([&] { return source->reading().size() >= 3; }, 10000));
        for (VirtualMouse* m : {&mb, &ma, &mc}) {
            m->click(BTN_LEFT);
            m->click(BTN_RIGHT);
        }
        ASSERT_TRUE(waitFor([&] { return !marks().contains("ow"); }, 10000)) << marks().join(' ').toStdString();
    });
    ASSERT_TRUE(Skor->isVisible());
    live->SpeedButton1Click();
    ma.click(BTN_RIGHT);    // a is judge 2: b pressed first
    ASSERT_TRUE(waitFor([&] { return bout(1).toInt("H2K") == 1; }, 10000));
    mo.click(BTN_LEFT);
    mb.click(BTN_LEFT);
    ASSERT_TRUE(waitFor([&] { return bout(1).toInt("H1M") == 1; }, 10000));
    EXPECT_EQ(bout(1).str("R1"), "1;0;0;1;0;0;0;0;0;0;0;0") << "the office mouse scored nothing";
}

TEST(EvdevMouseSource, ListsOnlyMiceAndStartsAndStops)
{
    EvdevMouseSource source;
    for (const EvdevMouseSource::Mouse& m : source.mice()) {
        EXPECT_TRUE(m.devnode.startsWith("/dev/input/event")) << m.devnode.toStdString();
        EXPECT_TRUE(m.name.startsWith("\\\\?\\HID#VID_")) << m.name.toStdString();
    }
    source.start();
    EXPECT_TRUE(source.started());
    EXPECT_LE(source.reading().size(), source.mice().size());
    source.stop();
    EXPECT_FALSE(source.started());
    EXPECT_TRUE(source.reading().isEmpty());
}

} // namespace
