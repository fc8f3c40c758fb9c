// The port object's settings, its line-settings record, the event and error
// conversions, its messages, and the filter of received bytes: no line needed.

#include "app/comport/SerialPort.h"
#include "platform/serial/SerialTermios.h"

#include <gtest/gtest.h>

#include <functional>

#include <termios.h>

namespace {

TEST(SerialPortSettings, DefaultsAtCreation)
{
    TSerialPort p;
    EXPECT_EQ(p.EventWorker(), nullptr);
    EXPECT_FALSE(p.WorkerStarted());
    EXPECT_EQ(p.PortHandle(), -1);
    EXPECT_EQ(p.WorkerPriority(), QThread::NormalPriority);
    EXPECT_FALSE(p.Connected());
    EXPECT_EQ(p.BaudRate(), br9600);
    EXPECT_EQ(p.CustomRate(), 9600);
    EXPECT_EQ(p.Port(), "COM1");
    EXPECT_EQ(p.StopBits(), sbOneStopBit);
    EXPECT_EQ(p.DataBits(), dbEight);
    EXPECT_FALSE(p.DiscardNull());
    EXPECT_EQ(p.EventChar(), 0);
    EXPECT_EQ(p.Events().bits(), 0x3FFu) << "all ten events";
    EXPECT_EQ(p.SyncMethod(), smThreadSync);

    EXPECT_EQ(p.Timeouts()->ReadInterval(), -1);
    EXPECT_EQ(p.Timeouts()->ReadTotalMultiplier(), 0);
    EXPECT_EQ(p.Timeouts()->ReadTotalConstant(), 0);
    EXPECT_EQ(p.Timeouts()->WriteTotalMultiplier(), 100);
    EXPECT_EQ(p.Timeouts()->WriteTotalConstant(), 1000);

    const TSerialFlowControl* f = p.FlowControl();
    EXPECT_FALSE(f->OutCTSFlow());
    EXPECT_FALSE(f->OutDSRFlow());
    EXPECT_EQ(f->ControlDTR(), dtrDisable);
    EXPECT_EQ(f->ControlRTS(), rtsDisable);
    EXPECT_FALSE(f->XonXoffOut());
    EXPECT_FALSE(f->XonXoffIn());
    EXPECT_FALSE(f->DSRSensitivity());
    EXPECT_FALSE(f->TxContinueOnXoff());
    EXPECT_EQ(f->XonChar(), 0x11);
    EXPECT_EQ(f->XoffChar(), 0x13);

    EXPECT_EQ(p.Parity()->Bits(), prNone);
    EXPECT_FALSE(p.Parity()->Check());
    EXPECT_FALSE(p.Parity()->Replace());
    EXPECT_EQ(p.Parity()->ReplaceChar(), 0);
    EXPECT_EQ(p.Buffer()->InputSize(), 1024);
    EXPECT_EQ(p.Buffer()->OutputSize(), 1024);

    // The option objects point back to their port.
    EXPECT_EQ(p.Timeouts()->Owner(), &p);
    EXPECT_EQ(p.FlowControl()->Owner(), &p);
    EXPECT_EQ(p.Parity()->Owner(), &p);
    EXPECT_EQ(p.Buffer()->Owner(), &p);
}

TEST(SerialPortSettings, ClosedPortStoresSettingsWithoutTouchingALine)
{
    TSerialPort p;
    p.setPort("COM55");
    p.setBaudRate(br115200);
    p.setDataBits(dbSeven);
    p.FlowControl()->setControlDTR(dtrEnable);
    p.Timeouts()->setWriteTotalConstant(5);
    p.Buffer()->setInputSize(64);
    EXPECT_FALSE(p.Connected());
    EXPECT_EQ(p.Port(), "COM55");
    EXPECT_EQ(p.BaudRate(), br115200);
    EXPECT_EQ(p.DataBits(), dbSeven);
    EXPECT_EQ(p.FlowControl()->ControlDTR(), dtrEnable);
    EXPECT_EQ(p.Timeouts()->WriteTotalConstant(), 5);
    EXPECT_EQ(p.Buffer()->InputSize(), 64);
}

// --- The line-settings record -------------------------------------------------

struct RecordCase {
    const char* name;
    std::function<void(TSerialPort&)> setUp;
    uint32_t baud;
    uint32_t flags;
    int byteSize;
    int parity;
    int stopBits;
    int xonLim;
    char errorChar;
    char evtChar;
};

class LineSettingsRecord : public ::testing::TestWithParam<RecordCase> {};

TEST_P(LineSettingsRecord, FollowsTheSettings)
{
    const RecordCase& c = GetParam();
    TSerialPort p;
    c.setUp(p);
    const Serial::Dcb d = p.LineSettingsRecord();
    EXPECT_EQ(d.DCBlength, 28u);
    EXPECT_EQ(d.BaudRate, c.baud);
    EXPECT_EQ(d.flags(), c.flags) << std::hex << d.flags();
    EXPECT_EQ(d.ByteSize, c.byteSize);
    EXPECT_EQ(d.Parity, c.parity);
    EXPECT_EQ(d.StopBits, c.stopBits);
    EXPECT_EQ(d.XonLim, c.xonLim);
    EXPECT_EQ(d.XoffLim, c.xonLim);
    EXPECT_EQ(d.XonChar, 0x11);
    EXPECT_EQ(d.XoffChar, 0x13);
    EXPECT_EQ(d.ErrorChar, c.errorChar);
    EXPECT_EQ(d.EvtChar, c.evtChar);
    EXPECT_EQ(d.EofChar, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineSettingsRecord,
    ::testing::Values(
        RecordCase{"Defaults", [](TSerialPort&) {}, 9600, 0x0001, 8, 0, 0, 256, 0, 0},
        // What the screens' form data give: DTR on, null bytes dropped.
        RecordCase{"ScreenPort",
                   [](TSerialPort& p) {
                       p.FlowControl()->setControlDTR(dtrEnable);
                       p.setDiscardNull(true);
                   },
                   9600, 0x0811, 8, 0, 0, 256, 0, 0},
        RecordCase{"CustomRate",
                   [](TSerialPort& p) {
                       p.setCustomRate(31250);
                       p.setBaudRate(brCustom);
                   },
                   31250, 0x0001, 8, 0, 0, 256, 0, 0},
        RecordCase{"Rate110", [](TSerialPort& p) { p.setBaudRate(br110); }, 110, 0x0001, 8, 0, 0, 256, 0, 0},
        RecordCase{"Rate256000", [](TSerialPort& p) { p.setBaudRate(br256000); }, 256000, 0x0001, 8, 0, 0, 256, 0,
                   0},
        // The replacement character counts only with the parity check on.
        RecordCase{"CheckAndReplace",
                   [](TSerialPort& p) {
                       p.Parity()->setCheck(true);
                       p.Parity()->setReplace(true);
                       p.Parity()->setReplaceChar('?');
                   },
                   9600, 0x0403, 8, 0, 0, 256, '?', 0},
        RecordCase{"ReplaceWithoutCheck",
                   [](TSerialPort& p) {
                       p.Parity()->setReplace(true);
                       p.Parity()->setReplaceChar('?');
                   },
                   9600, 0x0001, 8, 0, 0, 256, 0, 0},
        RecordCase{"EveryHandshake",
                   [](TSerialPort& p) {
                       TSerialFlowControl* f = p.FlowControl();
                       f->setOutCTSFlow(true);
                       f->setOutDSRFlow(true);
                       f->setControlDTR(dtrHandshake);
                       f->setDSRSensitivity(true);
                       f->setTxContinueOnXoff(true);
                       f->setXonXoffOut(true);
                       f->setXonXoffIn(true);
                       f->setControlRTS(rtsToggle);
                   },
                   9600, 0x33ED, 8, 0, 0, 256, 0, 0},
        RecordCase{"RtsHandshake", [](TSerialPort& p) { p.FlowControl()->setControlRTS(rtsHandshake); }, 9600,
                   0x2001, 8, 0, 0, 256, 0, 0},
        RecordCase{"Framing",
                   [](TSerialPort& p) {
                       p.setDataBits(dbFive);
                       p.Parity()->setBits(prSpace);
                       p.setStopBits(sbOne5StopBits);
                   },
                   9600, 0x0001, 5, 4, 1, 256, 0, 0},
        RecordCase{"SevenEvenTwo",
                   [](TSerialPort& p) {
                       p.setDataBits(dbSeven);
                       p.Parity()->setBits(prEven);
                       p.setStopBits(sbTwoStopBits);
                   },
                   9600, 0x0001, 7, 2, 2, 256, 0, 0},
        RecordCase{"InputBufferSetsXonLimits", [](TSerialPort& p) { p.Buffer()->setInputSize(4003); }, 9600, 0x0001,
                   8, 0, 0, 1000, 0, 0},
        RecordCase{"EventChar", [](TSerialPort& p) { p.setEventChar('\r'); }, 9600, 0x0001, 8, 0, 0, 256, 0, '\r'}),
    [](const ::testing::TestParamInfo<RecordCase>& i) { return std::string(i.param.name); });

// --- The record on the line ----------------------------------------------------

struct TermiosCase {
    const char* name;
    std::function<void(TSerialPort&)> setUp;
    tcflag_t cflag;     // without CREAD, CLOCAL, HUPCL
    tcflag_t iflag;     // without PARMRK
};

class LineTermios : public ::testing::TestWithParam<TermiosCase> {};

TEST_P(LineTermios, WordsFollowTheRecord)
{
    const TermiosCase& c = GetParam();
    TSerialPort p;
    c.setUp(p);
    const Serial::LineFlags f = Serial::lineFlags(p.LineSettingsRecord());
    EXPECT_EQ(f.cflag, c.cflag | CREAD | CLOCAL | HUPCL) << std::oct << f.cflag;
    EXPECT_EQ(f.iflag, c.iflag | PARMRK) << std::oct << f.iflag;
    // Raw: no output processing, no line editing, echo or signals.
    EXPECT_EQ(f.oflag, 0u);
    EXPECT_EQ(f.lflag, 0u);
    EXPECT_EQ(f.startChar, 0x11);
    EXPECT_EQ(f.stopChar, 0x13);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineTermios,
    ::testing::Values(
        TermiosCase{"EightNoneOne", [](TSerialPort&) {}, CS8, 0},
        TermiosCase{"SevenEvenTwo",
                    [](TSerialPort& p) {
                        p.setDataBits(dbSeven);
                        p.Parity()->setBits(prEven);
                        p.setStopBits(sbTwoStopBits);
                    },
                    CS7 | PARENB | CSTOPB, 0},
        TermiosCase{"SixOdd",
                    [](TSerialPort& p) {
                        p.setDataBits(dbSix);
                        p.Parity()->setBits(prOdd);
                    },
                    CS6 | PARENB | PARODD, 0},
        TermiosCase{"FiveMarkOneAndAHalf",
                    [](TSerialPort& p) {
                        p.setDataBits(dbFive);
                        p.Parity()->setBits(prMark);
                        p.setStopBits(sbOne5StopBits);
                    },
                    CS5 | PARENB | PARODD | CMSPAR | CSTOPB, 0},
        TermiosCase{"SpaceChecked",
                    [](TSerialPort& p) {
                        p.Parity()->setBits(prSpace);
                        p.Parity()->setCheck(true);
                    },
                    CS8 | PARENB | CMSPAR, INPCK},
        TermiosCase{"CtsFlow", [](TSerialPort& p) { p.FlowControl()->setOutCTSFlow(true); }, CS8 | CRTSCTS, 0},
        TermiosCase{"RtsHandshake", [](TSerialPort& p) { p.FlowControl()->setControlRTS(rtsHandshake); },
                    CS8 | CRTSCTS, 0},
        // DTR and RTS levels are modem lines, not termios words.
        TermiosCase{"DtrAndRtsOn",
                    [](TSerialPort& p) {
                        p.FlowControl()->setControlDTR(dtrEnable);
                        p.FlowControl()->setControlRTS(rtsEnable);
                    },
                    CS8, 0},
        TermiosCase{"XonXoff",
                    [](TSerialPort& p) {
                        p.FlowControl()->setXonXoffOut(true);
                        p.FlowControl()->setXonXoffIn(true);
                    },
                    CS8, IXON | IXOFF}),
    [](const ::testing::TestParamInfo<TermiosCase>& i) { return std::string(i.param.name); });

// --- Events and errors --------------------------------------------------------

TEST(SerialPortEvents, EachEventHasItsMaskBit)
{
    const std::pair<TSerialEvent, uint32_t> table[] = {
        {evRxChar, 0x0001}, {evTxEmpty, 0x0004}, {evRxFlag, 0x0002}, {evRing, 0x0100}, {evBreak, 0x0040},
        {evCTS, 0x0008},    {evDSR, 0x0010},     {evError, 0x0080},  {evRLSD, 0x0020}, {evRx80Full, 0x0400}};
    for (const auto& [event, bit] : table) {
        EXPECT_EQ(TCustomSerialPort::EventSetToMask({event}), bit) << event;
        EXPECT_EQ(TCustomSerialPort::MaskToEventSet(bit), TSerialEvents({event})) << event;
    }
    EXPECT_EQ(TCustomSerialPort::EventSetToMask(TSerialEvents::all()), 0x05FFu);
    EXPECT_EQ(TCustomSerialPort::EventSetToMask({}), 0u);
    // Bits that stand for no event of the set are ignored.
    EXPECT_EQ(TCustomSerialPort::MaskToEventSet(0xFFFFFFFFu), TSerialEvents::all());
    EXPECT_EQ(TCustomSerialPort::MaskToEventSet(0x0200 | 0x0800 | 0x1000), TSerialEvents());
    EXPECT_EQ(TCustomSerialPort::MaskToEventSet(0x0081), TSerialEvents({evError, evRxChar}));
}

TEST(SerialPortEvents, LineErrorFlagsBecomeErrors)
{
    TSerialPort p;
    EXPECT_EQ(p.ErrorFlagsToSet(0x0008), TSerialErrors({ceFrame}));
    EXPECT_EQ(p.ErrorFlagsToSet(0x0002), TSerialErrors({ceOverrun}));
    EXPECT_EQ(p.ErrorFlagsToSet(0x0010), TSerialErrors({ceBreak}));
    EXPECT_EQ(p.ErrorFlagsToSet(0x0400), TSerialErrors({ceIO}));
    EXPECT_EQ(p.ErrorFlagsToSet(0x8000), TSerialErrors({ceMode}));
    EXPECT_EQ(p.ErrorFlagsToSet(0x0001), TSerialErrors({ceRxOver}));
    EXPECT_EQ(p.ErrorFlagsToSet(0x0100), TSerialErrors({ceTxFull}));
    // A parity error counts only while the parity check is on.
    EXPECT_TRUE(p.ErrorFlagsToSet(0x0004).empty());
    EXPECT_EQ(p.ErrorFlagsToSet(0xFFFF).bits(), 0xFDu) << "everything but the parity error";
    p.Parity()->setCheck(true);
    EXPECT_EQ(p.ErrorFlagsToSet(0x0004), TSerialErrors({ceRxParity}));
    EXPECT_EQ(p.ErrorFlagsToSet(0xFFFF), TSerialErrors::all());
}

struct MessageCase {
    int number;
    int code;
    const char* text;
};

class SerialPortMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(SerialPortMessages, CarryNumberCodeAndText)
{
    const MessageCase& c = GetParam();
    const ESerialPort e(c.number, c.code);
    EXPECT_EQ(e.MessageNumber, c.number);
    EXPECT_EQ(e.WindowsError, c.code);
    EXPECT_EQ(e.Message().toStdString(), c.text);
    EXPECT_STREQ(e.what(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Table, SerialPortMessages,
                         ::testing::Values(MessageCase{1, 2, "Unable to open com port (win error code: 2)"},
                                           MessageCase{1, 5, "Unable to open com port (win error code: 5)"},
                                           MessageCase{2, 1167, "WriteFile function failed (win error code: 1167)"},
                                           MessageCase{3, 6, "ReadFile function failed (win error code: 6)"},
                                           MessageCase{5, 6, "PurgeComm function failed (win error code: 6)"},
                                           MessageCase{7, 87, "SetCommState function failed (win error code: 87)"},
                                           MessageCase{8, 6, "SetCommTimeouts failed (win error code: 6)"},
                                           MessageCase{9, 1, "SetupComm function failed (win error code: 1)"},
                                           MessageCase{10, 6, "ClearCommError function failed (win error code: 6)"},
                                           MessageCase{11, 6,
                                                       "GetCommModemStatus function failed (win error code: 6)"}));

// --- The filter of received bytes ----------------------------------------------

struct FilterCase {
    const char* name;
    std::vector<QByteArray> chunks;   // as the line hands them over
    Serial::InputFilter::Options options;
    QByteArray expected;
    bool breakSeen;
    bool errorSeen;
    bool eventChar;
};

class ReceivedBytes : public ::testing::TestWithParam<FilterCase> {};

TEST_P(ReceivedBytes, AreTakenOutOfTheMarkedStream)
{
    const FilterCase& c = GetParam();
    Serial::InputFilter filter;
    filter.setOptions(c.options);
    QByteArray out;
    int kept = 0;
    bool breakSeen = false, errorSeen = false, eventChar = false;
    for (const QByteArray& chunk : c.chunks) {
        const Serial::InputFilter::Found f = filter.feed(chunk.constData(), int(chunk.size()), out);
        kept += f.kept;
        breakSeen |= f.breakSeen;
        errorSeen |= f.errorSeen;
        eventChar |= f.eventChar;
    }
    EXPECT_EQ(out.toHex(' ').toStdString(), c.expected.toHex(' ').toStdString());
    EXPECT_EQ(kept, c.expected.size());
    EXPECT_EQ(breakSeen, c.breakSeen);
    EXPECT_EQ(errorSeen, c.errorSeen);
    EXPECT_EQ(eventChar, c.eventChar);
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

Serial::InputFilter::Options opts(bool discardNull, bool replace = false, char errorChar = 0, char eventChar = 0)
{
    Serial::InputFilter::Options o;
    o.discardNull = discardNull;
    o.replaceErrors = replace;
    o.errorChar = errorChar;
    o.eventChar = eventChar;
    return o;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReceivedBytes,
    ::testing::Values(
        FilterCase{"Plain", {"AB12"}, opts(false, false, 0, 'x'), "AB12", false, false, false},
        FilterCase{"DoubledFFIsOneByte", {bytes({'a', 0xFF, 0xFF, 'b'})}, opts(false), bytes({'a', 0xFF, 'b'}), false,
                   false, false},
        FilterCase{"DoubledFFSplitOverTwoReads", {bytes({'a', 0xFF}), bytes({0xFF, 'b'})}, opts(false),
                   bytes({'a', 0xFF, 'b'}), false, false, false},
        FilterCase{"BreakIsNoByte", {bytes({'a', 0xFF, 0, 0, 'b'})}, opts(false), "ab", true, false, false},
        FilterCase{"BreakSplitOverThreeReads", {bytes({0xFF}), bytes({0}), bytes({0, 'z'})}, opts(false), "z", true,
                   false, false},
        FilterCase{"ErrorKeepsTheByte", {bytes({0xFF, 0, 'Q'})}, opts(false), "Q", false, true, false},
        FilterCase{"ErrorReplaced", {bytes({0xFF, 0, 'Q', 'R'})}, opts(false, true, '?'), "?R", false, true, false},
        FilterCase{"NullsDropped", {bytes({0, 'A', 0, 'B', 0})}, opts(true), "AB", false, false, false},
        FilterCase{"NullsKept", {bytes({0, 'A'})}, opts(false, false, 0, 'x'), bytes({0, 'A'}), false, false, false},
        FilterCase{"EventChar", {"12\r"}, opts(true, false, 0, '\r'), "12\r", false, false, true},
        // The event character 0 is among the null bytes only when they are kept.
        FilterCase{"NullEventCharDropped", {bytes({'A', 0})}, opts(true), "A", false, false, false},
        FilterCase{"NullEventCharKept", {bytes({'A', 0})}, opts(false), bytes({'A', 0}), false, false, true}),
    [](const ::testing::TestParamInfo<FilterCase>& i) { return std::string(i.param.name); });

} // namespace
