// The port object on a real line: a pseudo-terminal whose slave side is mapped
// as "COM7" and whose master side plays the device.

#include "app/comport/SerialPort.h"
#include "comport/PtyPair.h"
#include "platform/settings/PortMap.h"
#include "support/TestSupport.h"

#include <QThread>

#include <atomic>
#include <functional>
#include <thread>

#include <termios.h>

namespace {

class SerialPortTest : public StationTest {
protected:
    void SetUp() override
    {
        StationTest::SetUp();
        ASSERT_TRUE(pty.valid());
        PortMap::setDevice("COM7", pty.slavePath());
        port.setPort("COM7");
        // The settings every screen's port has.
        port.FlowControl()->setControlDTR(dtrEnable);
        port.setDiscardNull(true);
    }

    termios lineSettings() const
    {
        termios t{};
        EXPECT_EQ(tcgetattr(pty.slave(), &t), 0);
        return t;
    }

    // Records the received bytes through OnRxChar, as the screens read them.
    void collectReceived()
    {
        port.OnRxChar = [this](QObject* sender, int count) {
            EXPECT_EQ(sender, &port);
            EXPECT_GT(count, 0);
            if (QThread::currentThread() != qApp->thread())
                offGuiThread = true;
            QByteArray text;
            EXPECT_EQ(port.ReadText(text, count), count) << "the bytes counted are there to read";
            received += text;
            ++rxEvents;
        };
    }

    PtyPair pty;
    TSerialPort port;
    QByteArray received;
    int rxEvents = 0;
    bool offGuiThread = false;
};

// A device that keeps sending until told to stop.
class Chatter {
public:
    explicit Chatter(const PtyPair& pty)
        : m_thread([this, &pty] {
              const QByteArray frame = "ST,GS,+0072.50kg\r\n";
              while (!m_stop) {
                  const ssize_t n = ::write(pty.master(), frame.constData(), size_t(frame.size()));
                  if (n < 0 && errno != EAGAIN && errno != EINTR)
                      break;
                  if (n < 0) {
                      pollfd p{pty.master(), POLLOUT, 0};
                      poll(&p, 1, 20);
                  }
              }
          })
    {
    }
    ~Chatter()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// --- Line settings ------------------------------------------------------------

// A pseudo-terminal always runs with eight data bits and no parity bit, so
// those two are checked on the record's termios words (SerialSettingsTest).
struct LineCase {
    const char* name;
    std::function<void(TSerialPort&)> setUp;
    speed_t speed;
    tcflag_t parity;    // PARODD, CMSPAR as set
    bool twoStopBits;
    bool hardwareFlow;
    bool xonXoff;
    bool parityCheck;
};

class OpenLineSettings : public SerialPortTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(OpenLineSettings, AreThoseOfThePort)
{
    const LineCase& c = GetParam();
    c.setUp(port);
    port.OpenPort();
    const termios t = lineSettings();
    EXPECT_EQ(cfgetospeed(&t), c.speed);
    EXPECT_EQ(cfgetispeed(&t), c.speed);
    EXPECT_EQ(t.c_cflag & (PARODD | CMSPAR), c.parity);
    EXPECT_EQ(bool(t.c_cflag & CSTOPB), c.twoStopBits);
    EXPECT_EQ(bool(t.c_cflag & CRTSCTS), c.hardwareFlow);
    EXPECT_EQ(bool(t.c_iflag & IXON), c.xonXoff);
    EXPECT_EQ(bool(t.c_iflag & IXOFF), c.xonXoff);
    EXPECT_EQ(bool(t.c_iflag & INPCK), c.parityCheck);
    if (c.xonXoff) {
        EXPECT_EQ(t.c_cc[VSTART], 0x11);
        EXPECT_EQ(t.c_cc[VSTOP], 0x13);
    }
    // Raw bytes both ways, reading whatever has arrived.
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
    EXPECT_FALSE(t.c_oflag & OPOST);
    EXPECT_FALSE(t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IGNBRK | BRKINT));
    EXPECT_TRUE(t.c_cflag & CREAD);
    EXPECT_TRUE(t.c_cflag & CLOCAL);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenLineSettings,
    ::testing::Values(
        // The scale and the scoring device: 9600 8N1, no handshake.
        LineCase{"ScreenPort", [](TSerialPort&) {}, B9600, 0, false, false, false, false},
        LineCase{"SevenEvenTwo",
                 [](TSerialPort& p) {
                     p.setBaudRate(br19200);
                     p.setDataBits(dbSeven);
                     p.Parity()->setBits(prEven);
                     p.setStopBits(sbTwoStopBits);
                 },
                 B19200, 0, true, false, false, false},
        LineCase{"FiveOddOneAndAHalf",
                 [](TSerialPort& p) {
                     p.setBaudRate(br115200);
                     p.setDataBits(dbFive);
                     p.Parity()->setBits(prOdd);
                     p.setStopBits(sbOne5StopBits);
                 },
                 B115200, PARODD, true, false, false, false},
        LineCase{"MarkParityChecked",
                 [](TSerialPort& p) {
                     p.setBaudRate(br1200);
                     p.Parity()->setBits(prMark);
                     p.Parity()->setCheck(true);
                 },
                 B1200, PARODD | CMSPAR, false, false, false, true},
        LineCase{"SpaceParity",
                 [](TSerialPort& p) {
                     p.setBaudRate(br57600);
                     p.setDataBits(dbSix);
                     p.Parity()->setBits(prSpace);
                 },
                 B57600, CMSPAR, false, false, false, false},
        LineCase{"CtsFlow", [](TSerialPort& p) { p.FlowControl()->setOutCTSFlow(true); }, B9600, 0, false, true, false,
                 false},
        LineCase{"RtsHandshake", [](TSerialPort& p) { p.FlowControl()->setControlRTS(rtsHandshake); }, B9600, 0,
                 false, true, false, false},
        LineCase{"XonXoff",
                 [](TSerialPort& p) {
                     p.FlowControl()->setXonXoffIn(true);
                     p.FlowControl()->setXonXoffOut(true);
                 },
                 B9600, 0, false, false, true, false}),
    [](const ::testing::TestParamInfo<LineCase>& i) { return std::string(i.param.name); });

TEST_F(SerialPortTest, RatesOutsideTheTermiosTableAreSetExactly)
{
    port.setBaudRate(br14400);
    port.OpenPort();
    EXPECT_EQ(ptyOutputSpeed(pty.slave()), 14400);
    port.setBaudRate(br256000);
    EXPECT_EQ(ptyOutputSpeed(pty.slave()), 256000);
    port.setCustomRate(31250);
    port.setBaudRate(brCustom);
    EXPECT_EQ(ptyOutputSpeed(pty.slave()), 31250);
    port.setCustomRate(250000);
    EXPECT_EQ(ptyOutputSpeed(pty.slave()), 250000) << "the custom rate of an open port applies at once";
    port.setBaudRate(br9600);
    const termios t = lineSettings();
    EXPECT_EQ(cfgetospeed(&t), B9600);
}

TEST_F(SerialPortTest, ChangesOnAnOpenPortApplyAtOnce)
{
    port.OpenPort();
    port.setBaudRate(br38400);
    port.setDataBits(dbSeven);
    port.Parity()->setBits(prOdd);
    port.setStopBits(sbTwoStopBits);
    const termios t = lineSettings();
    EXPECT_EQ(cfgetospeed(&t), B38400);
    EXPECT_TRUE(t.c_cflag & PARODD);
    EXPECT_TRUE(t.c_cflag & CSTOPB);
}

TEST_F(SerialPortTest, ImpossibleFramingFailsWithMessage7)
{
    port.setDataBits(dbFive);
    port.OpenPort();
    try {
        port.setStopBits(sbTwoStopBits);
        FAIL() << "five data bits with two stop bits were accepted";
    } catch (const ESerialPort& e) {
        EXPECT_EQ(e.MessageNumber, 7);
        EXPECT_EQ(e.WindowsError, 87);
        EXPECT_EQ(e.Message(), "SetCommState function failed (win error code: 87)");
    }
    EXPECT_TRUE(port.Connected()) << "the port stays open with its former line";
}

TEST_F(SerialPortTest, SettingsRefusedAtOpeningLeaveThePortClosedAndFree)
{
    port.setDataBits(dbSix);
    port.setStopBits(sbOne5StopBits);
    try {
        port.OpenPort();
        FAIL() << "six data bits with one and a half stop bits were accepted";
    } catch (const ESerialPort& e) {
        EXPECT_EQ(e.MessageNumber, 7);
    }
    EXPECT_FALSE(port.Connected());
    EXPECT_EQ(port.EventWorker(), nullptr);
    TSerialPort other;
    other.setPort("COM7");
    EXPECT_NO_THROW(other.OpenPort()) << "the device was released again";
}

TEST_F(SerialPortTest, DeviceThatIsNoSerialLineFailsWithMessage9)
{
    writeFile(dir.path() + "/notatty", "");
    PortMap::setDevice("COM8", dir.path() + "/notatty");
    port.setPort("COM8");
    try {
        port.OpenPort();
        FAIL();
    } catch (const ESerialPort& e) {
        EXPECT_EQ(e.MessageNumber, 9);
        EXPECT_EQ(e.WindowsError, 1);
    }
    EXPECT_FALSE(port.Connected());
}

// --- Opening and closing ------------------------------------------------------

TEST_F(SerialPortTest, OpeningAndClosingFireTheirEventsInOrder)
{
    QStringList log;
    port.OnBeforeOpen = [&](QObject*) { log << "before-open"; };
    port.OnAfterOpen = [&](QObject*) { log << "after-open"; };
    port.OnBeforeClose = [&](QObject*) { log << "before-close"; };
    port.OnAfterClose = [&](QObject*) { log << "after-close"; };
    port.OnCTSChange = [&](QObject*, bool on) { log << QString("cts %1").arg(on); };
    port.OnDSRChange = [&](QObject*, bool on) { log << QString("dsr %1").arg(on); };
    port.OnRLSDChange = [&](QObject*, bool on) { log << QString("rlsd %1").arg(on); };

    port.OpenPort();
    EXPECT_TRUE(port.Connected());
    EXPECT_TRUE(port.WorkerStarted());
    ASSERT_NE(port.EventWorker(), nullptr);
    EXPECT_TRUE(port.EventWorker()->isRunning());
    EXPECT_GE(port.PortHandle(), 0);
    // A pseudo-terminal has no modem lines: they read as off.
    EXPECT_TRUE(port.LineSignals().empty());
    // Opening an open port does nothing.
    port.OpenPort();
    EXPECT_EQ(log, QStringList({"before-open", "after-open", "cts 0", "dsr 0", "rlsd 0"}));

    log.clear();
    const int handle = port.PortHandle();
    port.ClosePort();
    EXPECT_FALSE(port.Connected());
    EXPECT_EQ(port.EventWorker(), nullptr);
    EXPECT_EQ(port.PortHandle(), handle) << "the handle is kept after closing";
    port.ClosePort();
    EXPECT_EQ(log, QStringList({"cts 0", "dsr 0", "rlsd 0", "before-close", "after-close"}));

    log.clear();
    port.OpenPort();
    EXPECT_TRUE(port.Connected()) << "a closed port opens again";
    EXPECT_EQ(log.value(1), "after-open");
}

TEST_F(SerialPortTest, MissingPortFailsWithMessage1AndStaysClosed)
{
    QStringList log;
    port.OnBeforeOpen = [&](QObject*) { log << "before-open"; };
    port.OnAfterOpen = [&](QObject*) { log << "after-open"; };
    port.OnBeforeClose = [&](QObject*) { log << "before-close"; };
    port.setPort("COM9");   // no device behind it
    try {
        port.OpenPort();
        FAIL() << "a missing port opened";
    } catch (const ESerialPort& e) {
        EXPECT_EQ(e.MessageNumber, 1);
        EXPECT_EQ(e.WindowsError, 2);
        EXPECT_EQ(e.Message(), "Unable to open com port (win error code: 2)");
    }
    EXPECT_FALSE(port.Connected());
    EXPECT_EQ(port.EventWorker(), nullptr);
    EXPECT_NO_THROW(port.ClosePort());
    EXPECT_EQ(log, QStringList({"before-open"}));

    // A port whose device has gone from the machine fails the same way.
    PortMap::setDevice("COM9", dir.path() + "/ttyUSB9");
    try {
        port.OpenPort();
        FAIL();
    } catch (const ESerialPort& e) {
        EXPECT_EQ(e.MessageNumber, 1);
        EXPECT_EQ(e.WindowsError, 2);
    }
}

TEST_F(SerialPortTest, PortHeldByAnotherFailsUntilItIsReleased)
{
    TSerialPort holder;
    holder.setPort("COM7");
    holder.OpenPort();
    try {
        port.OpenPort();
        FAIL() << "a port in use opened twice";
    } catch (const ESerialPort& e) {
        EXPECT_EQ(e.MessageNumber, 1);
        EXPECT_EQ(e.WindowsError, 5);
        EXPECT_EQ(e.Message(), "Unable to open com port (win error code: 5)");
    }
    EXPECT_FALSE(port.Connected());
    holder.ClosePort();
    EXPECT_NO_THROW(port.OpenPort());
}

TEST_F(SerialPortTest, PortNamesFromCom10UpwardOpen)
{
    PortMap::setDevice("COM12", pty.slavePath());
    port.setPort("COM12");
    EXPECT_NO_THROW(port.OpenPort());
    EXPECT_TRUE(port.Connected());
}

TEST_F(SerialPortTest, RenamingAnOpenPortReopensItOnlyForAnotherName)
{
    int opened = 0, closed = 0;
    port.OnAfterOpen = [&](QObject*) { ++opened; };
    port.OnAfterClose = [&](QObject*) { ++closed; };
    port.OpenPort();
    port.setPort("COM7");
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(closed, 0);
    // The comparison is exact: "com7" is another name (for the same device).
    port.setPort("com7");
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(port.Connected());

    port.ClosePort();
    port.setPort("COM9");
    EXPECT_EQ(opened, 2) << "a closed port only stores the name";
    EXPECT_EQ(port.Port(), "COM9");
}

TEST_F(SerialPortTest, DestroyingAnOpenPortReleasesTheDevice)
{
    auto* owner = new QObject;
    auto* mine = new TSerialPort(owner);
    mine->setPort("COM7");
    mine->OnRxChar = [](QObject*, int) { ADD_FAILURE() << "handler ran during destruction"; };
    mine->OpenPort();
    pty.send("abc");
    delete owner;
    EXPECT_NO_THROW(port.OpenPort());
}

TEST_F(SerialPortTest, ClosedPortOperationsFailWithTheirMessages)
{
    struct Case {
        std::function<void()> call;
        int number;
    };
    QByteArray text;
    const Case cases[] = {{[&] { port.PendingInputCount(); }, 10},
                          {[&] { port.LineErrors(); }, 10},
                          {[&] { port.LineSignals(); }, 11},
                          {[&] { port.ReadText(text, 5); }, 3},
                          {[&] { port.WriteText("x"); }, 2}};
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << "message " << c.number << " not raised";
        } catch (const ESerialPort& e) {
            EXPECT_EQ(e.MessageNumber, c.number);
            EXPECT_EQ(e.WindowsError, 6);
        }
    }
    // What needs no line succeeds on a closed port too.
    EXPECT_EQ(port.ReadText(text, 0), 0);
    EXPECT_EQ(port.WriteText(""), 0);
}

// --- Receiving ----------------------------------------------------------------

TEST_F(SerialPortTest, BurstArrivesInOrderOnTheGuiThreadWithNothingLost)
{
    collectReceived();
    port.OpenPort();
    // 64 KiB of every byte value; the null bytes are dropped by the port.
    QByteArray burst;
    for (int i = 0; i < 64 * 1024; ++i)
        burst.append(char((i * 7 + i / 256) & 0xFF));
    QByteArray expected = burst;
    expected.replace(QByteArray(1, '\0'), QByteArray());
    ASSERT_LT(expected.size(), burst.size());

    std::thread device([&] { pty.send(burst); });
    const bool complete = waitFor([&] { return received.size() >= expected.size(); });
    device.join();
    ASSERT_TRUE(complete) << received.size() << " of " << expected.size() << " bytes arrived";
    EXPECT_TRUE(received == expected) << "bytes lost, added or out of order";
    EXPECT_FALSE(offGuiThread);
    EXPECT_GT(rxEvents, 1);
}

TEST_F(SerialPortTest, NullBytesArriveOnlyWhenNotDiscarded)
{
    collectReceived();
    port.OpenPort();
    pty.send(QByteArray("\0A\0B", 4));
    ASSERT_TRUE(waitFor([&] { return received.size() >= 2; }));
    EXPECT_EQ(received, "AB");

    port.setDiscardNull(false);
    received.clear();
    pty.send(QByteArray("\0C", 2));
    ASSERT_TRUE(waitFor([&] { return received.size() >= 2; }));
    EXPECT_EQ(received, QByteArray("\0C", 2));
}

TEST_F(SerialPortTest, ReadTextReturnsWhatHasArrivedAtOnce)
{
    port.setEvents({});
    port.OpenPort();
    EXPECT_EQ(port.EventWorker(), nullptr) << "a port without events has no thread";
    EXPECT_FALSE(port.WorkerStarted());
    QByteArray text = "old";
    EXPECT_EQ(port.ReadText(text, 0), 0);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(port.ReadText(text, 10), 0) << "nothing has arrived: no waiting";
    EXPECT_TRUE(text.isEmpty());

    pty.send("1234");
    ASSERT_TRUE(waitFor([&] { return port.PendingInputCount() == 4; }));
    EXPECT_EQ(port.ReadText(text, 10), 4);
    EXPECT_EQ(text, "1234");
    EXPECT_EQ(port.PendingInputCount(), 0);

    pty.send("abcdef");
    ASSERT_TRUE(waitFor([&] { return port.PendingInputCount() == 6; }));
    EXPECT_EQ(port.ReadText(text, 4), 4);
    EXPECT_EQ(text, "abcd");
    EXPECT_EQ(port.ReadText(text, 4), 2);
    EXPECT_EQ(text, "ef");
}

TEST_F(SerialPortTest, ReadTimeOutsOtherThanTheDefaultWaitForBytes)
{
    // A total time-out without an interval: the read waits for the whole
    // count, also while the event thread is handing over a batch.
    port.Timeouts()->setReadInterval(0);
    port.Timeouts()->setReadTotalConstant(20000);
    port.OpenPort();
    pty.send("ab");
    std::thread device([&] { pty.send("cd"); });
    QByteArray text;
    EXPECT_EQ(port.ReadText(text, 4), 4);
    device.join();
    EXPECT_EQ(text, "abcd");

    // "Return with the first bytes": waits only until something has come.
    port.Timeouts()->setReadInterval(-1);
    port.Timeouts()->setReadTotalMultiplier(-1);
    std::thread later([&] { pty.send("xy"); });
    const int got = port.ReadText(text, 10);
    later.join();
    EXPECT_GE(got, 1);
    EXPECT_TRUE(QByteArray("xy").startsWith(text)) << text.toStdString();
}

TEST_F(SerialPortTest, BytesLeftUnreadAreCountedByTheNextEvent)
{
    QList<int> counts;
    port.OnRxChar = [&](QObject*, int count) { counts << count; };
    port.OpenPort();
    pty.send("abc");
    ASSERT_TRUE(waitFor([&] { return !counts.isEmpty() && counts.last() == 3; }));
    pty.send("de");
    ASSERT_TRUE(waitFor([&] { return counts.last() == 5; }));
    for (int i = 1; i < counts.size(); ++i)
        EXPECT_GE(counts[i], counts[i - 1]) << "nothing was read, so nothing went away";
    QByteArray text;
    EXPECT_EQ(port.ReadText(text, 100), 5);
    EXPECT_EQ(text, "abcde");
}

TEST_F(SerialPortTest, EventCharacterFiresAfterTheReceivedCharacters)
{
    QStringList log;
    port.setEventChar('\r');
    port.OnRxChar = [&](QObject*, int count) {
        QByteArray text;
        port.ReadText(text, count);
        log << "rx";
    };
    port.OnRxFlag = [&](QObject*) { log << "flag"; };
    port.OpenPort();
    pty.send("0072.50\r");
    ASSERT_TRUE(waitFor([&] { return log.contains("flag"); }));
    const qsizetype flag = log.indexOf("flag");
    ASSERT_GT(flag, 0);
    EXPECT_EQ(log[flag - 1], "rx") << "a batch fires the received characters before the event character";
}

TEST_F(SerialPortTest, InputBufferEightyPercentFull)
{
    int full = 0;
    port.Buffer()->setInputSize(100);
    port.OnRx80Full = [&](QObject*) { ++full; };
    port.OpenPort();
    pty.send(QByteArray(79, 'x'));
    ASSERT_TRUE(waitFor([&] { return port.PendingInputCount() == 79; }));
    EXPECT_EQ(full, 0);
    pty.send("y");
    ASSERT_TRUE(waitFor([&] { return full == 1; }));
    QByteArray text;
    EXPECT_EQ(port.ReadText(text, 200), 80);
}

TEST_F(SerialPortTest, FullInputBufferHoldsTheRestInTheLine)
{
    port.Buffer()->setInputSize(16);
    port.OpenPort();
    pty.send(QByteArray(100, 'z'));
    ASSERT_TRUE(waitFor([&] { return port.PendingInputCount() == 16; }));
    QByteArray all;
    while (all.size() < 100 && waitFor([&] { return port.PendingInputCount() > 0; })) {
        QByteArray text;
        EXPECT_LE(port.ReadText(text, 16), 16);
        all += text;
    }
    EXPECT_EQ(all, QByteArray(100, 'z'));
}

TEST_F(SerialPortTest, HandlerExceptionIsShownAndTheLineGoesOn)
{
    int calls = 0;
    port.OnRxChar = [&](QObject*, int count) {
        QByteArray text;
        port.ReadText(text, count);
        if (++calls == 1)
            throw std::runtime_error("handler failed");
    };
    port.OpenPort();
    pty.send("a");
    ASSERT_TRUE(waitFor([&] { return calls == 1; }));
    EXPECT_EQ(ui().lastText(), "handler failed");
    pty.send("b");
    ASSERT_TRUE(waitFor([&] { return calls == 2; }));
}

// --- Writing ------------------------------------------------------------------

TEST_F(SerialPortTest, WriteTextArrivesOnTheFarSide)
{
    int txEmpty = 0;
    port.OnTxEmpty = [&](QObject*) { ++txEmpty; };
    port.OpenPort();
    // The scoring device's opening sequence: every byte value passes as it is.
    const QByteArray opening("\x01\x64\x64\xB4\x16\xFF", 6);
    for (char b : opening)
        EXPECT_EQ(port.WriteText(QByteArray(1, b)), 1);
    EXPECT_EQ(pty.receive(6).toHex(), opening.toHex());
    EXPECT_EQ(port.WriteText("TARTI\r\n"), 7);
    EXPECT_EQ(pty.receive(7), "TARTI\r\n");
    EXPECT_EQ(port.WriteText(""), 0);
    EXPECT_TRUE(waitFor([&] { return txEmpty > 0; })) << "the sent bytes left the port";
}

TEST_F(SerialPortTest, BytesWrittenRightBeforeTheCloseStillArriveAndReopeningKeepsThem)
{
    // A screen that wakes a device and closes the port at once, then opens
    // the line again: the device gets every byte, whenever it reads.
    const QByteArray opening("\x01\x64\x64\xB4\x16\xFF", 6);
    for (int round = 0; round < 10; ++round) {
        port.OpenPort();
        for (char b : opening)
            ASSERT_EQ(port.WriteText(QByteArray(1, b)), 1);
        port.ClosePort();
        port.OpenPort();
        port.ClosePort();
        EXPECT_EQ(pty.receive(6, 2000).toHex(), opening.toHex()) << "round " << round;
    }
}

TEST_F(SerialPortTest, WriteStopsAtItsTimeOutWhenTheDeviceTakesNothing)
{
    port.Timeouts()->setWriteTotalMultiplier(0);
    port.Timeouts()->setWriteTotalConstant(30);
    port.OpenPort();
    const QByteArray big(1024 * 1024, 'w');
    const int written = port.WriteText(big);
    EXPECT_GT(written, 0);
    EXPECT_LT(written, big.size()) << "the device read nothing, so not everything fitted";
}

// --- Closing while the line is busy, and lines that go away --------------------

TEST_F(SerialPortTest, ClosingWhileDataFlowsReturnsAndNothingFiresAfterwards)
{
    QStringList log;
    port.OnRxChar = [&](QObject*, int count) {
        QByteArray text;
        port.ReadText(text, count);
        log << "rx";
    };
    port.OnAfterClose = [&](QObject*) { log << "after-close"; };
    Chatter device(pty);
    port.OpenPort();
    ASSERT_TRUE(waitFor([&] { return log.size() >= 3; }));
    port.ClosePort();
    EXPECT_FALSE(port.Connected());
    EXPECT_EQ(port.EventWorker(), nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(log.last(), "after-close");
    EXPECT_EQ(log.count("after-close"), 1);
}

TEST_F(SerialPortTest, ClosingFromItsOwnHandlerWhileDataFlows)
{
    int rx = 0;
    QStringList log;
    port.OnRxChar = [&](QObject*, int) {
        ++rx;
        log << "rx";
        port.ClosePort();
        log << "closed";
    };
    port.OnAfterClose = [&](QObject*) { log << "after-close"; };
    port.OnTxEmpty = [&](QObject*) { log << "tx-empty"; };
    Chatter device(pty);
    port.OpenPort();
    port.WriteText("x");   // a transmit-empty event may share the batch
    ASSERT_TRUE(waitFor([&] { return !port.Connected(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(rx, 1);
    EXPECT_EQ(port.EventWorker(), nullptr);
    EXPECT_EQ(log.mid(log.indexOf("rx")), QStringList({"rx", "after-close", "closed"}))
        << "the rest of the batch is dropped once the handler closed the port";

    // And the port opens again and receives.
    log.clear();
    port.OnRxChar = [&](QObject*, int count) {
        QByteArray text;
        port.ReadText(text, count);
        log << "rx";
    };
    port.OpenPort();
    ASSERT_TRUE(waitFor([&] { return log.contains("rx"); }));
}

TEST_F(SerialPortTest, ClosingWhileABatchWaitsForTheGuiThreadRunsItFirst)
{
    QStringList log;
    port.OnRxChar = [&](QObject*, int count) {
        QByteArray text;
        port.ReadText(text, count);
        log << "rx";
    };
    port.OnBeforeClose = [&](QObject*) { log << "before-close"; };
    port.OnAfterClose = [&](QObject*) { log << "after-close"; };
    port.OpenPort();
    // The event thread hands the batch over while the GUI thread is busy
    // elsewhere (the event loop does not run here).
    pty.send("a");
    const std::shared_ptr<TSerialHandOver> handOver = port.EventWorker()->HandOver();
    {
        std::unique_lock l(handOver->Lock);
        ASSERT_TRUE(handOver->Changed.wait_for(l, std::chrono::seconds(20), [&] { return handOver->Pending; }));
    }
    port.ClosePort();
    EXPECT_EQ(log, QStringList({"before-close", "rx", "after-close"}));
    QCoreApplication::processEvents();
    EXPECT_EQ(log.size(), 3) << "the batch ran once";
}

TEST_F(SerialPortTest, FarSideClosingRaisesTheErrorEventAndEndsTheThread)
{
    QList<TSerialErrors> errors;
    bool offGui = false;
    port.OnError = [&](QObject*, TSerialErrors e) {
        offGui |= QThread::currentThread() != qApp->thread();
        errors << e;
    };
    collectReceived();
    port.OpenPort();
    pty.send("before");
    ASSERT_TRUE(waitFor([&] { return received == "before"; }));

    pty.closeMaster();
    ASSERT_TRUE(waitFor([&] { return !errors.isEmpty(); }));
    EXPECT_EQ(errors.first(), TSerialErrors({ceIO}));
    EXPECT_FALSE(offGui);
    ASSERT_TRUE(waitFor([&] { return port.EventWorker()->isFinished(); })) << "the event thread ended";
    EXPECT_TRUE(port.Connected()) << "the port stays open until it is closed";
    QCoreApplication::processEvents();
    EXPECT_EQ(errors.size(), 1) << "told once";

    try {
        port.WriteText("x");
        FAIL() << "writing to a line that has gone succeeded";
    } catch (const ESerialPort& e) {
        EXPECT_EQ(e.MessageNumber, 2);
        EXPECT_EQ(e.WindowsError, 1167);
    }
    EXPECT_TRUE(port.LineSignals().empty());
    port.ClosePort();
    EXPECT_FALSE(port.Connected());
    EXPECT_EQ(port.EventWorker(), nullptr);
}

TEST_F(SerialPortTest, FarSideClosingWithoutAnErrorHandlerAlsoEndsTheThread)
{
    port.OpenPort();
    pty.closeMaster();
    ASSERT_TRUE(waitFor([&] { return port.EventWorker()->isFinished(); }));
    port.ClosePort();
    EXPECT_FALSE(port.Connected());
}

} // namespace
