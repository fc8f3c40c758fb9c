// "Device Button Test" over a pseudo-terminal: the device is woken through
// the match screen's port, every code counts on its counter, the judges' link
// codes switch their pictures, a click resets a counter, Esc closes the port,
// a missing port is told, and the match screen is left as it was found.
#include "app/Main.h"
#include "app/comport/SerialPort.h"
#include "comport/PtyPair.h"
#include "platform/settings/PortMap.h"
#include "platform/settings/Registry.h"
#include "scoring/KuraList.h"
#include "scoring/ScoringDevices.h"
#include "scoring/Test.h"
#include "support/Screenshot.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QDir>
#include <QLabel>

namespace {

const QByteArray kButtonTestOpening = QByteArray::fromHex("016464b416ff");
const QString kPortKey = QStringLiteral("\\Software\\Classes\\.comport\\Shellex\\PropertySheet");

class DeviceTestScreen : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        ASSERT_TRUE(pty.valid());
        PortMap::setDevice("COM7", pty.slavePath());
    }

    void TearDown() override
    {
        if (::Test && ::Test->isVisible())
            ::Test->close();
        ScreensTest::TearDown();
    }

    static void choosePort(const QString& name)
    {
        Registry user(Registry::HKEY_CURRENT_USER);
        ASSERT_TRUE(user.openKey(kPortKey, true));
        user.writeString("comport", name);
    }

    // Shows the window with a script run while it is open.
    void openTest(const std::function<void()>& whileOpen)
    {
        modals().expect("TTest", [whileOpen](QDialog*) { whileOpen(); });
        ::Test->showModal();
    }

    static int counted()
    {
        int sum = 0;
        for (const TTest::CounterPlace& p : TTest::counterPlaces())
            sum += ::Test->counterOf(p.code)->text().toInt();
        return sum;
    }
    // Sends codes and waits until the counters have taken `counts` more.
    void count(std::initializer_list<int> codes, int counts)
    {
        const int before = counted();
        QByteArray bytes;
        for (int c : codes)
            bytes.append(char(c));
        ASSERT_TRUE(pty.send(bytes));
        ASSERT_TRUE(waitFor([&] { return counted() >= before + counts; }));
        // Whatever else was sent has been read by then: the codes are read
        // in order.
        EXPECT_EQ(counted(), before + counts);
    }
    // Sends link codes and waits until a judge's picture shows `linked`.
    void link(int code, int judge, bool linked)
    {
        ASSERT_TRUE(pty.send(QByteArray(1, char(code))));
        QLabel* lost[3] = {::Test->Image2, ::Test->Image3, ::Test->Image4};
        ASSERT_TRUE(waitFor([&] { return lost[judge - 1]->isVisibleTo(::Test) == !linked; }));
    }
    static QStringList counters()
    {
        QStringList v;
        for (const TTest::CounterPlace& p : TTest::counterPlaces())
            v << QString("%1=%2").arg(p.name, ::Test->counterOf(p.code)->text());
        return v;
    }
    static QStringList allZero()
    {
        QStringList v;
        for (const TTest::CounterPlace& p : TTest::counterPlaces())
            v << QString("%1=0").arg(p.name);
        return v;
    }
    static QList<bool> linkedShown()
    {
        return {::Test->Image5->isVisibleTo(::Test) && !::Test->Image2->isVisibleTo(::Test),
                ::Test->Image6->isVisibleTo(::Test) && !::Test->Image3->isVisibleTo(::Test),
                ::Test->Image7->isVisibleTo(::Test) && !::Test->Image4->isVisibleTo(::Test)};
    }

    PtyPair pty;
};

TEST_F(DeviceTestScreen, TheWindowAsDesigned)
{
    EXPECT_EQ(::Test->windowTitle(), "Device Button Test");
    EXPECT_EQ(::Test->size(), QSize(1024, 727));
    EXPECT_EQ(::Test->Exit1->text(), "Exit");
    EXPECT_EQ(::Test->Exit1->shortcut(), QKeySequence(Qt::Key_Escape));
    ASSERT_EQ(TTest::counterPlaces().size(), 22);
    for (const TTest::CounterPlace& p : TTest::counterPlaces()) {
        auto* l = child<QLabel>(::Test, p.name);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->geometry(), QRect(p.left, p.top, 97, 75)) << p.name;
        EXPECT_EQ(l->text(), "0");
        EXPECT_EQ(l->font().pixelSize(), 64);
        EXPECT_TRUE(l->font().bold());
    }
    // Each judge's two pictures share one spot.
    EXPECT_EQ(::Test->Image5->geometry(), QRect(407, 441, 35, 35));
    EXPECT_EQ(::Test->Image6->geometry(), QRect(491, 441, 35, 35));
    EXPECT_EQ(::Test->Image7->geometry(), QRect(575, 441, 35, 35));
    EXPECT_EQ(::Test->Image2->geometry(), ::Test->Image5->geometry());
    EXPECT_EQ(::Test->SerialPort1->FlowControl()->ControlDTR(), dtrDisable);
    EXPECT_EQ(::Test->SerialPort1->FlowControl()->ControlRTS(), rtsDisable);
    EXPECT_TRUE(::Test->SerialPort1->DiscardNull());
}

TEST_F(DeviceTestScreen, WakesTheDeviceAndCountsEveryButtonOnItsCounter)
{
    choosePort("COM7");
    openTest([this] {
        EXPECT_EQ(pty.receive(6, 2000), kButtonTestOpening)
            << "the opening sequence through the match screen's port " << ui().texts().join('|').toStdString();
        EXPECT_TRUE(pty.receive(1, 300).isEmpty());
        EXPECT_TRUE(::Test->SerialPort1->Connected());
        EXPECT_FALSE(KuraList->SerialPort1->Connected());
        EXPECT_EQ(counters(), allZero());
        EXPECT_EQ(linkedShown(), (QList<bool>{true, true, true}));

        // Judge 2's red button three times.
        count({5, 5, 5}, 3);
        EXPECT_EQ(::Test->Label21->text(), "3");
        EXPECT_EQ(counted(), 3) << "the other counters stay 0";

        // Every counted button once; 13, 0 and codes above 29 count nowhere.
        QList<int> every;
        for (const TTest::CounterPlace& p : TTest::counterPlaces())
            every << p.code;
        for (int code : every)
            count({code, 13, 30, 255}, 1);
        for (const TTest::CounterPlace& p : TTest::counterPlaces())
            EXPECT_EQ(::Test->counterOf(p.code)->text(), p.code == 5 ? "4" : "1") << p.name;
    });
    EXPECT_FALSE(::Test->SerialPort1->Connected()) << "the window's close closes its port";
}

TEST_F(DeviceTestScreen, OneThirteenFourCountsJudgeOnesTwoButtons)
{
    choosePort("COM7");
    openTest([this] {
        pty.receive(6, 2000);
        count({1, 13, 4}, 2);
        EXPECT_EQ(::Test->Label17->text(), "1");
        EXPECT_EQ(::Test->Label20->text(), "1");
        EXPECT_EQ(counted(), 2);
    });
}

TEST_F(DeviceTestScreen, LinkCodesSwitchTheJudgesPictures)
{
    choosePort("COM7");
    openTest([this] {
        pty.receive(6, 2000);
        link(7, 1, false);
        EXPECT_EQ(linkedShown(), (QList<bool>{false, true, true}));
        EXPECT_TRUE(::Test->Image2->isVisibleTo(::Test));
        EXPECT_FALSE(::Test->Image5->isVisibleTo(::Test));
        link(11, 3, false);
        link(9, 2, false);
        EXPECT_EQ(linkedShown(), (QList<bool>{false, false, false}));
        link(8, 1, true);
        link(12, 3, true);
        EXPECT_EQ(linkedShown(), (QList<bool>{true, false, true}));
        link(10, 2, true);
        EXPECT_EQ(linkedShown(), (QList<bool>{true, true, true}));
        EXPECT_EQ(counted(), 0) << "link codes count nowhere";
    });
}

TEST_F(DeviceTestScreen, AClickResetsACounterAndEscClosesThePort)
{
    choosePort("COM7");
    openTest([this] {
        pty.receive(6, 2000);
        count({26, 26, 14}, 3);
        QTest::mouseClick(::Test->Label4, Qt::LeftButton);
        EXPECT_EQ(::Test->Label4->text(), "0");
        EXPECT_EQ(::Test->Label16->text(), "1") << "the others keep theirs";
        count({26}, 1);
        EXPECT_EQ(::Test->Label4->text(), "1");
        link(7, 1, false);
        QTest::keyClick(::Test, Qt::Key_Escape);
        EXPECT_FALSE(::Test->isVisible());
        EXPECT_FALSE(::Test->SerialPort1->Connected());
    });
    // Opened again: all zero, every judge linked.
    openTest([this] {
        EXPECT_EQ(pty.receive(6, 2000), kButtonTestOpening);
        EXPECT_EQ(counters(), allZero());
        EXPECT_EQ(linkedShown(), (QList<bool>{true, true, true}));
        count({26}, 1);
    });
}

TEST_F(DeviceTestScreen, WithoutAPortTheErrorIsShownAndNothingCounts)
{
    openTest([this] {
        EXPECT_EQ(ui().texts(), QStringList{"Sisteminizde Tanımlı Olmayan veya Kullanımda Olan Seri İletişim Portu "
                                            "Seçili.\nLütfen 'İletişim Portu Seçme' Ekranından Düzeltiniz ...!"});
        EXPECT_FALSE(::Test->SerialPort1->Connected());
        EXPECT_FALSE(KuraList->SerialPort1->Connected());
        EXPECT_TRUE(::Test->isVisible()) << "the window stays open";
        EXPECT_EQ(counters(), allZero());
        EXPECT_TRUE(pty.receive(1, 300).isEmpty());
    });
}

TEST_F(DeviceTestScreen, ThePlugInNameOfTheAdapterBecomesTheChosenPort)
{
    // A USB serial adapter is plugged in: it is "\Device\VCP0" of the
    // machine's port list, and the chosen port from now on.
    QDir().mkpath(Registry::hardwareRoot() + "/sys/class/tty/ttyUSB0");
    choosePort("COM7");
    Registry hardware(Registry::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(hardware.openKeyReadOnly("\\HARDWARE\\DEVICEMAP\\SERIALCOMM"));
    const QString adapter = hardware.readString("\\Device\\VCP0");
    ASSERT_FALSE(adapter.isEmpty());
    openTest([this] {
        // The adapter's device is no line here: the port error.
        EXPECT_EQ(ui().count(), 1);
        EXPECT_TRUE(pty.receive(1, 300).isEmpty()) << "COM7 is no longer the chosen port";
    });
    Registry user(Registry::HKEY_CURRENT_USER);
    ASSERT_TRUE(user.openKeyReadOnly(kPortKey));
    EXPECT_EQ(user.readString("comport"), adapter);
    EXPECT_EQ(::Test->SerialPort1->Port(), adapter);
    EXPECT_EQ(KuraList->SerialPort1->Port(), "COM1") << "the match screen's own name is kept";
}

TEST_F(DeviceTestScreen, TheMatchScreenIsLeftAsItWasFound)
{
    choosePort("COM7");
    TSerialPort* matchPort = KuraList->SerialPort1;
    matchPort->setPort("COM5");
    KuraList->live().FDeviceLive = 0;
    DeviceLink& matchLink = KuraList->devices().link();
    const qint64 before = matchLink.FBytesReceived;
    openTest([&] {
        EXPECT_EQ(pty.receive(6, 2000), kButtonTestOpening);
        EXPECT_EQ(matchPort->Port(), "COM5");
        EXPECT_FALSE(matchPort->Connected());
        EXPECT_EQ(KuraList->live().FDeviceLive, 0) << "the judges' codes stay off";
        count({1, 4, 14}, 3);
    });
    EXPECT_EQ(matchLink.FBytesReceived, before) << "no code reached the match screen";
    EXPECT_TRUE(bool(matchPort->OnRxChar)) << "the match screen keeps its handler";

    // A port the match screen had open stays open.
    PtyPair matchLine;
    ASSERT_TRUE(matchLine.valid());
    PortMap::setDevice("COM5", matchLine.slavePath());
    matchPort->OpenPort();
    KuraList->live().FDeviceLive = 1;
    openTest([this] {
        EXPECT_EQ(pty.receive(6, 2000), kButtonTestOpening);
        EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join('|').toStdString();
    });
    EXPECT_TRUE(matchPort->Connected());
    EXPECT_EQ(matchPort->Port(), "COM5");
    EXPECT_EQ(KuraList->live().FDeviceLive, 1);
    matchPort->ClosePort();
}

TEST_F(DeviceTestScreen, MainWindowOpensItFromTheBlankLabel)
{
    ASSERT_TRUE(login("ADMIN", "1234"));
    choosePort("COM7");
    modals().expect("TTest", [this](QDialog*) { EXPECT_EQ(pty.receive(6, 2000), kButtonTestOpening); });
    QTest::mouseDClick(Main->Label_t, Qt::LeftButton);
    EXPECT_EQ(modals().seen().last(), "TTest");
}

TEST_F(DeviceTestScreen, LooksRightAt1024x768)
{
    choosePort("COM7");
    openTest([this] {
        pty.receive(6, 2000);
        count({16, 16, 24, 2, 14}, 5);
        link(9, 2, false);
        saveScreenshot(::Test, "BRIVEX_DEVICETEST_SCREENSHOT");
    });
}

} // namespace
