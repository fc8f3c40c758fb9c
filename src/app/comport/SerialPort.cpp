#include "app/comport/SerialPort.h"

#include <QPointer>
#include <QScopeGuard>

// --- ESerialPort --------------------------------------------------------------

ESerialPort::ESerialPort(int messageNumber, int windowsError)
    : std::runtime_error(
          (TableText(messageNumber) + QString(" (win error code: %1)").arg(windowsError)).toStdString()),
      WindowsError(windowsError), MessageNumber(messageNumber)
{
}

QString ESerialPort::TableText(int messageNumber)
{
    switch (messageNumber) {
    case 1:
        return "Unable to open com port";
    case 2:
        return "WriteFile function failed";
    case 3:
        return "ReadFile function failed";
    case 5:
        return "PurgeComm function failed";
    case 7:
        return "SetCommState function failed";
    case 8:
        return "SetCommTimeouts failed";
    case 9:
        return "SetupComm function failed";
    case 10:
        return "ClearCommError function failed";
    case 11:
        return "GetCommModemStatus function failed";
    default:
        return QString();
    }
}

namespace {

[[noreturn]] void raise(int messageNumber)
{
    throw ESerialPort(messageNumber, Serial::lastError());
}

} // namespace

// --- Option objects -----------------------------------------------------------

void TSerialTimeouts::assign(int& field, int v)
{
    if (field == v)
        return;
    field = v;
    m_owner->SetTimeouts();
}

void TSerialTimeouts::setReadInterval(int v)
{
    assign(m_readInterval, v);
}

void TSerialTimeouts::setReadTotalMultiplier(int v)
{
    assign(m_readTotalMultiplier, v);
}

void TSerialTimeouts::setReadTotalConstant(int v)
{
    assign(m_readTotalConstant, v);
}

void TSerialTimeouts::setWriteTotalMultiplier(int v)
{
    assign(m_writeTotalMultiplier, v);
}

void TSerialTimeouts::setWriteTotalConstant(int v)
{
    assign(m_writeTotalConstant, v);
}

void TSerialBuffer::setInputSize(int v)
{
    if (m_inputSize == v)
        return;
    m_inputSize = v;
    m_owner->SetBufferSizes();
}

void TSerialBuffer::setOutputSize(int v)
{
    if (m_outputSize == v)
        return;
    m_outputSize = v;
    m_owner->SetBufferSizes();
}

// --- TCustomSerialPort: creation and settings ---------------------------------

TCustomSerialPort::TCustomSerialPort(QObject* owner)
    : QObject(owner),
      m_buffer(std::make_unique<TSerialBuffer>(this)),
      m_parity(std::make_unique<TSerialParity>(this)),
      m_timeouts(std::make_unique<TSerialTimeouts>(this)),
      m_flowControl(std::make_unique<TSerialFlowControl>(this))
{
}

TCustomSerialPort::~TCustomSerialPort()
{
    // The owner is being destroyed with its port, so its handlers may no
    // longer touch it: the port closes without firing.
    OnAfterOpen = OnAfterClose = OnBeforeOpen = OnBeforeClose = nullptr;
    OnTxEmpty = OnBreak = OnRing = OnRxFlag = OnRx80Full = nullptr;
    OnRxChar = nullptr;
    OnCTSChange = OnDSRChange = OnRLSDChange = nullptr;
    OnError = nullptr;
    try {
        ClosePort();
    } catch (const std::exception&) {
        // A port being destroyed has nobody left to tell.
    }
    // A thread still there (a close that failed half-way) is stopped here.
    m_eventWorker.reset();
    if (m_device.isOpen())
        m_device.close();
}

void TCustomSerialPort::setConnected(bool open)
{
    if (open)
        OpenPort();
    else
        ClosePort();
}

void TCustomSerialPort::setBaudRate(TBaudRate v)
{
    if (m_baudRate == v)
        return;
    m_baudRate = v;
    SetLineSettings();
}

void TCustomSerialPort::setCustomRate(int v)
{
    if (m_customRate == v)
        return;
    m_customRate = v;
    SetLineSettings();
}

void TCustomSerialPort::setPort(const QString& name)
{
    if (m_port == name)
        return;
    m_port = name;
    if (m_connected) {
        ClosePort();
        OpenPort();
    }
}

void TCustomSerialPort::setStopBits(TStopBits v)
{
    if (m_stopBits == v)
        return;
    m_stopBits = v;
    SetLineSettings();
}

void TCustomSerialPort::setDataBits(TDataBits v)
{
    if (m_dataBits == v)
        return;
    m_dataBits = v;
    SetLineSettings();
}

void TCustomSerialPort::setDiscardNull(bool v)
{
    if (m_discardNull == v)
        return;
    m_discardNull = v;
    SetLineSettings();
}

void TCustomSerialPort::setEventChar(char v)
{
    if (m_eventChar == v)
        return;
    m_eventChar = v;
    SetLineSettings();
}

int TCustomSerialPort::RateOf(TBaudRate rate)
{
    static const int rates[] = {0,     110,   300,   600,   1200,  2400,   4800,   9600,
                                14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
    return rates[rate];
}

Serial::Dcb TCustomSerialPort::LineSettingsRecord() const
{
    const TSerialFlowControl& flow = *m_flowControl;
    const TSerialParity& parity = *m_parity;
    Serial::Dcb d;
    d.DCBlength = sizeof(Serial::Dcb);
    d.BaudRate = m_baudRate == brCustom ? uint32_t(m_customRate) : uint32_t(RateOf(m_baudRate));
    d.fBinary = 1;
    d.fParity = parity.Check();
    d.fOutxCtsFlow = flow.OutCTSFlow();
    d.fOutxDsrFlow = flow.OutDSRFlow();
    d.fDtrControl = flow.ControlDTR();
    d.fDsrSensitivity = flow.DSRSensitivity();
    d.fTXContinueOnXoff = flow.TxContinueOnXoff();
    d.fOutX = flow.XonXoffOut();
    d.fInX = flow.XonXoffIn();
    d.fErrorChar = parity.Check() && parity.Replace();
    d.fNull = m_discardNull;
    d.fRtsControl = flow.ControlRTS();
    d.XonLim = uint16_t(m_buffer->InputSize() / 4);
    d.XoffLim = uint16_t(m_buffer->InputSize() / 4);
    d.ByteSize = uint8_t(5 + m_dataBits);
    d.Parity = uint8_t(parity.Bits());
    d.StopBits = uint8_t(m_stopBits);
    d.XonChar = flow.XonChar();
    d.XoffChar = flow.XoffChar();
    d.ErrorChar = d.fErrorChar ? parity.ReplaceChar() : 0;
    d.EvtChar = m_eventChar;
    return d;
}

namespace {

struct EventBit {
    TSerialEvent event;
    uint32_t mask;
};
const EventBit kEventBits[] = {
    {evRxChar, Serial::EV_RXCHAR}, {evTxEmpty, Serial::EV_TXEMPTY}, {evRxFlag, Serial::EV_RXFLAG},
    {evRing, Serial::EV_RING},     {evBreak, Serial::EV_BREAK},     {evCTS, Serial::EV_CTS},
    {evDSR, Serial::EV_DSR},       {evError, Serial::EV_ERR},       {evRLSD, Serial::EV_RLSD},
    {evRx80Full, Serial::EV_RX80FULL}};

} // namespace

uint32_t TCustomSerialPort::EventSetToMask(TSerialEvents events)
{
    uint32_t mask = 0;
    for (const EventBit& b : kEventBits)
        if (events.contains(b.event))
            mask |= b.mask;
    return mask;
}

TSerialEvents TCustomSerialPort::MaskToEventSet(uint32_t mask)
{
    TSerialEvents events;
    for (const EventBit& b : kEventBits)
        if (mask & b.mask)
            events.include(b.event);
    return events;
}

TSerialErrors TCustomSerialPort::ErrorFlagsToSet(uint32_t flags) const
{
    TSerialErrors errors;
    if (flags & Serial::CE_FRAME)
        errors.include(ceFrame);
    if ((flags & Serial::CE_RXPARITY) && m_parity->Check())
        errors.include(ceRxParity);
    if (flags & Serial::CE_OVERRUN)
        errors.include(ceOverrun);
    if (flags & Serial::CE_BREAK)
        errors.include(ceBreak);
    if (flags & Serial::CE_IOE)
        errors.include(ceIO);
    if (flags & Serial::CE_MODE)
        errors.include(ceMode);
    if (flags & Serial::CE_RXOVER)
        errors.include(ceRxOver);
    if (flags & Serial::CE_TXFULL)
        errors.include(ceTxFull);
    return errors;
}

// --- Opening and closing ------------------------------------------------------

void TCustomSerialPort::OpenPort()
{
    if (m_connected)
        return;
    FireBeforeOpen();
    OpenDevice();
    m_connected = true;
    try {
        ConfigurePort();
    } catch (...) {
        CloseDevice();
        m_connected = false;
        throw;
    }
    if (!m_events.empty()) {
        m_eventWorker = std::make_unique<TSerialThread>(this);
        m_workerStarted = true;
    } else {
        m_workerStarted = false;
    }
    FireAfterOpen();
    FireCTSChange(LineSignals().contains(lsCTS));
    FireDSRChange(LineSignals().contains(lsDSR));
    FireRLSDChange(LineSignals().contains(lsRLSD));
}

void TCustomSerialPort::ClosePort()
{
    // A handler that closes the port while it is being closed changes nothing.
    if (!m_connected || m_closing)
        return;
    m_closing = true;
    auto closing = qScopeGuard([this] { m_closing = false; });

    FireCTSChange(false);
    FireDSRChange(false);
    FireRLSDChange(false);
    FireBeforeClose();
    AbortTransfers();
    std::exception_ptr handlerError;
    if (m_eventWorker)
        handlerError = StopEventWorker();
    CloseDevice();
    m_connected = false;
    ++m_generation;
    closing.dismiss();
    m_closing = false;
    FireAfterClose();
    if (handlerError)
        std::rethrow_exception(handlerError);
}

void TCustomSerialPort::OpenDevice()
{
    // The "\\.\" prefix lets names from COM10 upwards open as well.
    if (!m_device.open("\\\\.\\" + m_port))
        raise(1);
    m_portHandle = m_device.handle();
}

void TCustomSerialPort::CloseDevice()
{
    if (m_device.isOpen())
        m_device.close();
}

void TCustomSerialPort::ConfigurePort()
{
    SetBufferSizes();
    SetLineSettings();
    SetTimeouts();
}

void TCustomSerialPort::SetBufferSizes()
{
    if (!m_connected)
        return;
    if (!m_device.setupComm(m_buffer->InputSize(), m_buffer->OutputSize()))
        raise(9);
}

void TCustomSerialPort::SetLineSettings()
{
    if (!m_connected)
        return;
    if (!m_device.setCommState(LineSettingsRecord()))
        raise(7);
}

void TCustomSerialPort::SetTimeouts()
{
    if (!m_connected)
        return;
    Serial::CommTimeouts t;
    t.ReadIntervalTimeout = uint32_t(m_timeouts->ReadInterval());
    t.ReadTotalTimeoutMultiplier = uint32_t(m_timeouts->ReadTotalMultiplier());
    t.ReadTotalTimeoutConstant = uint32_t(m_timeouts->ReadTotalConstant());
    t.WriteTotalTimeoutMultiplier = uint32_t(m_timeouts->WriteTotalMultiplier());
    t.WriteTotalTimeoutConstant = uint32_t(m_timeouts->WriteTotalConstant());
    if (!m_device.setCommTimeouts(t))
        raise(8);
}

void TCustomSerialPort::AbortTransfers()
{
    if (!m_device.purge(Serial::PURGE_TXABORT | Serial::PURGE_RXABORT))
        raise(5);
}

// --- Transfers and line state -------------------------------------------------

int TCustomSerialPort::ReadText(QByteArray& Text, int Count)
{
    if (Count <= 0) {
        Text.clear();
        return 0;
    }
    Text.resize(Count);
    int got = 0;
    if (!m_device.read(Text.data(), Count, &got)) {
        Text.clear();
        raise(3);
    }
    Text.resize(got);
    return got;
}

int TCustomSerialPort::WriteText(const QByteArray& Text)
{
    if (Text.isEmpty())
        return 0;
    int written = 0;
    if (!m_device.write(Text.constData(), int(Text.size()), &written))
        raise(2);
    return written;
}

int TCustomSerialPort::PendingInputCount()
{
    uint32_t errors = 0;
    Serial::ComStat stat;
    if (!m_device.clearCommError(&errors, &stat))
        raise(10);
    return int(stat.cbInQue);
}

TSerialErrors TCustomSerialPort::LineErrors()
{
    uint32_t errors = 0;
    Serial::ComStat stat;
    if (!m_device.clearCommError(&errors, &stat))
        raise(10);
    return ErrorFlagsToSet(errors);
}

TLineSignals TCustomSerialPort::LineSignals()
{
    uint32_t status = 0;
    if (!m_device.getModemStatus(&status))
        raise(11);
    TLineSignals s;
    if (status & Serial::MS_CTS_ON)
        s.include(lsCTS);
    if (status & Serial::MS_DSR_ON)
        s.include(lsDSR);
    if (status & Serial::MS_RING_ON)
        s.include(lsRing);
    if (status & Serial::MS_RLSD_ON)
        s.include(lsRLSD);
    return s;
}

// --- Events -------------------------------------------------------------------

void TCustomSerialPort::FireEvents(TSerialEvents events)
{
    static const TSerialEvent order[] = {evError, evRxChar, evTxEmpty, evBreak, evRing,
                                         evCTS,   evDSR,    evRxFlag,  evRLSD,  evRx80Full};
    QPointer<TCustomSerialPort> self(this);
    const uint64_t generation = m_generation;
    for (TSerialEvent e : order) {
        if (!events.contains(e))
            continue;
        // A handler closed (or destroyed) the port: the rest of the batch
        // belongs to a line that is no longer there.
        if (!self || m_generation != generation || !m_connected)
            return;
        switch (e) {
        case evError:
            if (const TSerialErrors errors = LineErrors(); !errors.empty())
                FireError(errors);
            break;
        case evRxChar:
            if (const int count = PendingInputCount(); count > 0)
                FireRxChar(count);
            break;
        case evTxEmpty:
            FireTxEmpty();
            break;
        case evBreak:
            FireBreak();
            break;
        case evRing:
            FireRing();
            break;
        case evCTS:
            FireCTSChange(LineSignals().contains(lsCTS));
            break;
        case evDSR:
            FireDSRChange(LineSignals().contains(lsDSR));
            break;
        case evRxFlag:
            FireRxFlag();
            break;
        case evRLSD:
            FireRLSDChange(LineSignals().contains(lsRLSD));
            break;
        case evRx80Full:
            FireRx80Full();
            break;
        }
    }
}

void TCustomSerialPort::RunHandOver(const std::shared_ptr<TSerialHandOver>& handOver)
{
    TSerialEvents events;
    {
        std::lock_guard l(handOver->Lock);
        if (!handOver->Pending)
            return;
        handOver->Pending = false;
        events = handOver->Events;
    }
    QPointer<TCustomSerialPort> self(this);
    std::shared_ptr<TSerialHandOver> previous = m_firing;
    m_firing = handOver;
    // The event thread goes on however the handlers end.
    auto release = qScopeGuard([&] {
        {
            std::lock_guard l(handOver->Lock);
            handOver->Done = true;
        }
        handOver->Changed.notify_all();
        if (self)
            m_firing = previous;
    });
    FireEvents(events);
}

std::exception_ptr TCustomSerialPort::StopEventWorker()
{
    const std::shared_ptr<TSerialHandOver> handOver = m_eventWorker->HandOver();
    m_eventWorker->StopWorker();
    if (m_firing == handOver) {
        // Closed from one of this port's own handlers: the thread waits for
        // that handler, so let it go now; it sees the stop and ends.
        {
            std::lock_guard l(handOver->Lock);
            handOver->Done = true;
        }
        handOver->Changed.notify_all();
    }
    // Wait for the end, running a batch the thread hands over meanwhile
    // (it would otherwise wait for the GUI thread while the GUI thread waits
    // for it).
    std::exception_ptr error;
    for (;;) {
        std::unique_lock l(handOver->Lock);
        handOver->Changed.wait(l, [&] { return handOver->Finished || handOver->Pending; });
        if (handOver->Finished)
            break;
        l.unlock();
        try {
            RunHandOver(handOver);
        } catch (...) {
            if (!error)
                error = std::current_exception();
        }
    }
    m_eventWorker.reset();
    return error;
}

void TCustomSerialPort::FireAfterOpen()
{
    if (OnAfterOpen)
        OnAfterOpen(this);
}

void TCustomSerialPort::FireAfterClose()
{
    if (OnAfterClose)
        OnAfterClose(this);
}

void TCustomSerialPort::FireBeforeOpen()
{
    if (OnBeforeOpen)
        OnBeforeOpen(this);
}

void TCustomSerialPort::FireBeforeClose()
{
    if (OnBeforeClose)
        OnBeforeClose(this);
}

void TCustomSerialPort::FireRxChar(int Count)
{
    if (OnRxChar)
        OnRxChar(this, Count);
}

void TCustomSerialPort::FireTxEmpty()
{
    if (OnTxEmpty)
        OnTxEmpty(this);
}

void TCustomSerialPort::FireBreak()
{
    if (OnBreak)
        OnBreak(this);
}

void TCustomSerialPort::FireRing()
{
    if (OnRing)
        OnRing(this);
}

void TCustomSerialPort::FireCTSChange(bool OnOff)
{
    if (OnCTSChange)
        OnCTSChange(this, OnOff);
}

void TCustomSerialPort::FireDSRChange(bool OnOff)
{
    if (OnDSRChange)
        OnDSRChange(this, OnOff);
}

void TCustomSerialPort::FireRLSDChange(bool OnOff)
{
    if (OnRLSDChange)
        OnRLSDChange(this, OnOff);
}

void TCustomSerialPort::FireRxFlag()
{
    if (OnRxFlag)
        OnRxFlag(this);
}

void TCustomSerialPort::FireError(TSerialErrors Errors)
{
    if (OnError)
        OnError(this, Errors);
}

void TCustomSerialPort::FireRx80Full()
{
    if (OnRx80Full)
        OnRx80Full(this);
}
