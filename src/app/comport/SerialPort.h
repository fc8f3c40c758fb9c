#pragma once
// The serial-port component: the program's only access to serial lines.
//
// A screen owns one port object (`SerialPort1`), gives it its line settings
// in its constructor and then uses five operations: set the port name, open,
// close, read and write. Received characters are announced by OnRxChar on the
// GUI thread:
//
//   SerialPort1 = new TSerialPort(this);
//   SerialPort1->FlowControl()->setControlDTR(dtrEnable);
//   SerialPort1->setDiscardNull(true);
//   SerialPort1->OnRxChar = [this](QObject* Sender, int Count) { SerialPort1RxChar(Sender, Count); };
//   ...
//   SerialPort1->setPort("COM3");
//   try {
//       SerialPort1->OpenPort();
//   } catch (const ESerialPort&) {
//       SerialPort1->ClosePort();
//       Messages::error(...);
//   }
//
// Port names are "COMn"; the station's port map says which device each is.
// Texts read and written are byte strings: every byte value passes unchanged.
//
// An open port has an event thread (TSerialThread) that waits for the line's
// events and hands each batch to the GUI thread, waiting until the handlers
// have run there. Within a batch the events fire in a fixed order: error,
// received characters, transmit empty, break, ring, CTS, DSR, received flag
// character, RLSD, receive buffer 80 % full. ClosePort stops the thread; a
// batch that is being handed over at that moment still runs its handlers
// first, and no handler runs after OnAfterClose. A handler may close the port
// itself; the rest of its batch is then dropped. A device that goes away
// (unplugged, far side of a pseudo-terminal closed) raises OnError with ceIO
// once and its event thread ends; the port stays open until ClosePort.
//
// Every failure raises ESerialPort with a numbered message (see there).

#include "platform/serial/SerialDevice.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThread>

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <stdexcept>

enum TBaudRate {
    brCustom, br110, br300, br600, br1200, br2400, br4800, br9600, br14400, br19200, br38400, br56000, br57600,
    br115200, br128000, br256000
};
enum TStopBits { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
enum TDataBits { dbFive, dbSix, dbSeven, dbEight };
enum TParityBits { prNone, prOdd, prEven, prMark, prSpace };
enum TDTRFlowControl { dtrDisable, dtrEnable, dtrHandshake };
enum TRTSFlowControl { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };
// How events reach the handlers. Every value hands them to the GUI thread and
// waits there; no port of the program uses another than smThreadSync.
enum TSyncMethod { smThreadSync, smWindowSync, smNone };

enum TSerialEvent { evRxChar, evTxEmpty, evRxFlag, evRing, evBreak, evCTS, evDSR, evError, evRLSD, evRx80Full };
enum TSerialError { ceFrame, ceRxParity, ceOverrun, ceBreak, ceIO, ceMode, ceRxOver, ceTxFull };
// The modem input lines read by LineSignals.
enum TLineSignal { lsCTS, lsDSR, lsRing, lsRLSD };

// A set of values of an enumeration; bit n stands for ordinal n.
template <class E, int N>
class TSerialSet {
public:
    constexpr TSerialSet() = default;
    constexpr TSerialSet(std::initializer_list<E> items)
    {
        for (E e : items)
            m_bits |= 1u << unsigned(e);
    }
    static constexpr TSerialSet fromBits(uint32_t bits)
    {
        TSerialSet s;
        s.m_bits = bits & ((1u << N) - 1);
        return s;
    }
    static constexpr TSerialSet all() { return fromBits(~0u); }

    constexpr bool contains(E e) const { return m_bits & (1u << unsigned(e)); }
    constexpr bool empty() const { return m_bits == 0; }
    constexpr uint32_t bits() const { return m_bits; }
    constexpr TSerialSet& include(E e)
    {
        m_bits |= 1u << unsigned(e);
        return *this;
    }
    constexpr bool operator==(const TSerialSet&) const = default;

private:
    uint32_t m_bits = 0;
};

using TSerialEvents = TSerialSet<TSerialEvent, 10>;
using TSerialErrors = TSerialSet<TSerialError, 8>;
using TLineSignals = TSerialSet<TLineSignal, 4>;

// Event handler types. Sender is the port object.
using TSerialNotifyEvent = std::function<void(QObject* Sender)>;
using TRxCharEvent = std::function<void(QObject* Sender, int Count)>;
using TSerialErrorEvent = std::function<void(QObject* Sender, TSerialErrors Errors)>;
using TSerialSignalEvent = std::function<void(QObject* Sender, bool OnOff)>;

// The failure of a port operation. Its text is the numbered message followed
// by " (win error code: n)":
//    1 "Unable to open com port"              OpenPort (missing port, port in use)
//    2 "WriteFile function failed"            WriteText
//    3 "ReadFile function failed"             ReadText
//    5 "PurgeComm function failed"            ClosePort
//    7 "SetCommState function failed"         line settings
//    8 "SetCommTimeouts failed"               time-outs
//    9 "SetupComm function failed"            buffer sizes
//   10 "ClearCommError function failed"       PendingInputCount, LineErrors
//   11 "GetCommModemStatus function failed"   LineSignals
class ESerialPort : public std::runtime_error {
public:
    ESerialPort(int messageNumber, int windowsError);

    int WindowsError;   // the error code of the failed call
    int MessageNumber;  // the number in the table above

    QString Message() const { return QString::fromUtf8(what()); }
    // The table text of a message number ("" for a number not in the table).
    static QString TableText(int messageNumber);
};

class TCustomSerialPort;

// Driver time-outs in milliseconds; -1 is the all-ones value.
class TSerialTimeouts {
public:
    explicit TSerialTimeouts(TCustomSerialPort* owner) : m_owner(owner) {}
    TCustomSerialPort* Owner() const { return m_owner; }

    int ReadInterval() const { return m_readInterval; }
    int ReadTotalMultiplier() const { return m_readTotalMultiplier; }
    int ReadTotalConstant() const { return m_readTotalConstant; }
    int WriteTotalMultiplier() const { return m_writeTotalMultiplier; }
    int WriteTotalConstant() const { return m_writeTotalConstant; }
    void setReadInterval(int v);
    void setReadTotalMultiplier(int v);
    void setReadTotalConstant(int v);
    void setWriteTotalMultiplier(int v);
    void setWriteTotalConstant(int v);

private:
    void assign(int& field, int v);
    TCustomSerialPort* m_owner;
    int m_readInterval = -1;
    int m_readTotalMultiplier = 0;
    int m_readTotalConstant = 0;
    int m_writeTotalMultiplier = 100;
    int m_writeTotalConstant = 1000;
};

// Handshake settings.
class TSerialFlowControl {
public:
    explicit TSerialFlowControl(TCustomSerialPort* owner) : m_owner(owner) {}
    TCustomSerialPort* Owner() const { return m_owner; }

    bool OutCTSFlow() const { return m_outCTSFlow; }
    bool OutDSRFlow() const { return m_outDSRFlow; }
    TDTRFlowControl ControlDTR() const { return m_controlDTR; }
    TRTSFlowControl ControlRTS() const { return m_controlRTS; }
    bool XonXoffOut() const { return m_xonXoffOut; }
    bool XonXoffIn() const { return m_xonXoffIn; }
    bool DSRSensitivity() const { return m_dsrSensitivity; }
    bool TxContinueOnXoff() const { return m_txContinueOnXoff; }
    char XonChar() const { return m_xonChar; }
    char XoffChar() const { return m_xoffChar; }
    void setOutCTSFlow(bool v) { assign(m_outCTSFlow, v); }
    void setOutDSRFlow(bool v) { assign(m_outDSRFlow, v); }
    void setControlDTR(TDTRFlowControl v) { assign(m_controlDTR, v); }
    void setControlRTS(TRTSFlowControl v) { assign(m_controlRTS, v); }
    void setXonXoffOut(bool v) { assign(m_xonXoffOut, v); }
    void setXonXoffIn(bool v) { assign(m_xonXoffIn, v); }
    void setDSRSensitivity(bool v) { assign(m_dsrSensitivity, v); }
    void setTxContinueOnXoff(bool v) { assign(m_txContinueOnXoff, v); }
    void setXonChar(char v) { assign(m_xonChar, v); }
    void setXoffChar(char v) { assign(m_xoffChar, v); }

private:
    template <class T>
    void assign(T& field, T v);
    TCustomSerialPort* m_owner;
    bool m_outCTSFlow = false;
    bool m_outDSRFlow = false;
    TDTRFlowControl m_controlDTR = dtrDisable;
    TRTSFlowControl m_controlRTS = rtsDisable;
    bool m_xonXoffOut = false;
    bool m_xonXoffIn = false;
    bool m_dsrSensitivity = false;
    bool m_txContinueOnXoff = false;
    char m_xonChar = 0x11;
    char m_xoffChar = 0x13;
};

// Parity settings.
class TSerialParity {
public:
    explicit TSerialParity(TCustomSerialPort* owner) : m_owner(owner) {}
    TCustomSerialPort* Owner() const { return m_owner; }

    TParityBits Bits() const { return m_bits; }
    bool Check() const { return m_check; }
    bool Replace() const { return m_replace; }
    char ReplaceChar() const { return m_replaceChar; }
    void setBits(TParityBits v) { assign(m_bits, v); }
    void setCheck(bool v) { assign(m_check, v); }
    void setReplace(bool v) { assign(m_replace, v); }
    void setReplaceChar(char v) { assign(m_replaceChar, v); }

private:
    template <class T>
    void assign(T& field, T v);
    TCustomSerialPort* m_owner;
    TParityBits m_bits = prNone;
    bool m_check = false;
    bool m_replace = false;
    char m_replaceChar = 0;
};

// Driver buffer sizes in bytes.
class TSerialBuffer {
public:
    explicit TSerialBuffer(TCustomSerialPort* owner) : m_owner(owner) {}
    TCustomSerialPort* Owner() const { return m_owner; }

    int InputSize() const { return m_inputSize; }
    int OutputSize() const { return m_outputSize; }
    void setInputSize(int v);
    void setOutputSize(int v);

private:
    TCustomSerialPort* m_owner;
    int m_inputSize = 1024;
    int m_outputSize = 1024;
};

// One batch of events on its way from the event thread to the GUI thread.
struct TSerialHandOver {
    std::mutex Lock;
    std::condition_variable Changed;
    TSerialEvents Events;
    bool Pending = false;   // waiting for the GUI thread
    bool Done = false;      // the GUI thread has run it (or let it go)
    bool Finished = false;  // the event thread has ended
    bool Abandoned = false; // nobody runs batches any more: the thread must not wait
};

class TSerialThread;

class TCustomSerialPort : public QObject {
    Q_OBJECT
public:
    explicit TCustomSerialPort(QObject* owner = nullptr);
    ~TCustomSerialPort() override;

    // State.
    TSerialThread* EventWorker() const { return m_eventWorker.get(); }
    bool WorkerStarted() const { return m_workerStarted; }
    // The handle of the last open; kept after the port is closed.
    int PortHandle() const { return m_portHandle; }
    QThread::Priority WorkerPriority() const { return m_workerPriority; }
    void setWorkerPriority(QThread::Priority p) { m_workerPriority = p; }
    bool Connected() const { return m_connected; }
    void setConnected(bool open);

    // Line settings. A change on an open port takes effect at once.
    TBaudRate BaudRate() const { return m_baudRate; }
    void setBaudRate(TBaudRate v);
    int CustomRate() const { return m_customRate; }
    void setCustomRate(int v);
    // The port name, "COM1" to "COMn". Setting another name on an open port
    // closes it and opens it under the new name; the comparison is exact.
    QString Port() const { return m_port; }
    void setPort(const QString& name);
    TStopBits StopBits() const { return m_stopBits; }
    void setStopBits(TStopBits v);
    TDataBits DataBits() const { return m_dataBits; }
    void setDataBits(TDataBits v);
    bool DiscardNull() const { return m_discardNull; }
    void setDiscardNull(bool v);
    char EventChar() const { return m_eventChar; }
    void setEventChar(char v);
    // The events the event thread waits for; takes effect at the next
    // OpenPort. Without events the port has no thread.
    TSerialEvents Events() const { return m_events; }
    void setEvents(TSerialEvents v) { m_events = v; }
    TSerialBuffer* Buffer() const { return m_buffer.get(); }
    TSerialParity* Parity() const { return m_parity.get(); }
    TSerialTimeouts* Timeouts() const { return m_timeouts.get(); }
    TSerialFlowControl* FlowControl() const { return m_flowControl.get(); }
    TSyncMethod SyncMethod() const { return m_syncMethod; }
    void setSyncMethod(TSyncMethod v) { m_syncMethod = v; }

    // Event handlers; each runs on the GUI thread, only when assigned.
    TSerialNotifyEvent OnAfterOpen;
    TSerialNotifyEvent OnAfterClose;
    TSerialNotifyEvent OnBeforeOpen;
    TSerialNotifyEvent OnBeforeClose;
    TRxCharEvent OnRxChar;          // Count: bytes waiting, always above 0
    TSerialNotifyEvent OnTxEmpty;
    TSerialNotifyEvent OnBreak;
    TSerialNotifyEvent OnRing;
    TSerialSignalEvent OnCTSChange;
    TSerialSignalEvent OnDSRChange;
    TSerialSignalEvent OnRLSDChange;
    TSerialNotifyEvent OnRxFlag;
    TSerialErrorEvent OnError;
    TSerialNotifyEvent OnRx80Full;

    // Opens the port named by Port with the line settings and starts the
    // event thread; nothing when it is open already.
    void OpenPort();
    // Stops the event thread and closes the port; nothing when it is closed.
    void ClosePort();
    // Reads what has arrived, up to Count bytes, into Text; returns the number
    // read (0 and an empty Text for a Count of 0 or less).
    int ReadText(QByteArray& Text, int Count);
    // Writes Text; returns the number of bytes written, fewer only when the
    // write time-out expired.
    int WriteText(const QByteArray& Text);
    // Received bytes waiting to be read.
    int PendingInputCount();
    // The modem input lines now on.
    TLineSignals LineSignals();
    // The line errors since the last call (this clears them).
    TSerialErrors LineErrors();

    // Applying the settings to an open port; each does nothing on a closed one.
    virtual void SetLineSettings();
    virtual void SetTimeouts();
    virtual void SetBufferSizes();

    // The line-settings record SetLineSettings applies.
    Serial::Dcb LineSettingsRecord() const;
    // Bits per second of a rate (0 for brCustom).
    static int RateOf(TBaudRate rate);
    static uint32_t EventSetToMask(TSerialEvents events);
    static TSerialEvents MaskToEventSet(uint32_t mask);
    // Line error flags as a set; a parity error counts only with Parity.Check.
    TSerialErrors ErrorFlagsToSet(uint32_t flags) const;

protected:
    virtual void OpenDevice();
    virtual void CloseDevice();
    virtual void ConfigurePort();

    virtual void FireAfterOpen();
    virtual void FireAfterClose();
    virtual void FireBeforeOpen();
    virtual void FireBeforeClose();
    virtual void FireRxChar(int Count);
    virtual void FireTxEmpty();
    virtual void FireBreak();
    virtual void FireRing();
    virtual void FireCTSChange(bool OnOff);
    virtual void FireDSRChange(bool OnOff);
    virtual void FireRLSDChange(bool OnOff);
    virtual void FireRxFlag();
    virtual void FireError(TSerialErrors Errors);
    virtual void FireRx80Full();

    // Runs the port's step and handler of each event of a batch, in the
    // fixed order (GUI thread).
    void FireEvents(TSerialEvents events);

private:
    friend class TSerialThread;

    void AbortTransfers();
    // Runs a batch handed over by the event thread, unless already run.
    void RunHandOver(const std::shared_ptr<TSerialHandOver>& handOver);
    // Stops the event thread, running what it hands over meanwhile; returns
    // the first exception a handler raised then.
    std::exception_ptr StopEventWorker();

    Serial::Device m_device;
    std::unique_ptr<TSerialThread> m_eventWorker;
    std::shared_ptr<TSerialHandOver> m_firing;  // batch whose handlers run now
    bool m_workerStarted = false;
    int m_portHandle = -1;
    QThread::Priority m_workerPriority = QThread::NormalPriority;
    bool m_connected = false;
    bool m_closing = false;
    uint64_t m_generation = 0;  // counts closings
    TBaudRate m_baudRate = br9600;
    int m_customRate = 9600;
    QString m_port = "COM1";
    TStopBits m_stopBits = sbOneStopBit;
    TDataBits m_dataBits = dbEight;
    bool m_discardNull = false;
    char m_eventChar = 0;
    TSerialEvents m_events = TSerialEvents::all();
    std::unique_ptr<TSerialBuffer> m_buffer;
    std::unique_ptr<TSerialParity> m_parity;
    std::unique_ptr<TSerialTimeouts> m_timeouts;
    std::unique_ptr<TSerialFlowControl> m_flowControl;
    TSyncMethod m_syncMethod = smThreadSync;
};

// The published port class the screens own.
class TSerialPort : public TCustomSerialPort {
    Q_OBJECT
public:
    using TCustomSerialPort::TCustomSerialPort;
};

// The event thread of an open port: waits for the port's events and hands
// each batch to the GUI thread, waiting there until its handlers have run.
class TSerialThread : public QThread {
public:
    // Sets the port's event mask and starts waiting (the port is open).
    explicit TSerialThread(TCustomSerialPort* port);
    // Stops the thread and waits until it has ended.
    ~TSerialThread() override;

    TCustomSerialPort* OwnerPort() const { return m_ownerPort; }
    Serial::Signal StopSignal;
    TSerialEvents PendingEvents;  // of the last completed wait

    // Sets StopSignal; the thread ends after its current step.
    void StopWorker();
    const std::shared_ptr<TSerialHandOver>& HandOver() const { return m_handOver; }

protected:
    void run() override { RunWorker(); }
    virtual void RunWorker();
    // Hands PendingEvents to the GUI thread and waits until they have run.
    void HandOverEvents();

private:
    TCustomSerialPort* m_ownerPort;
    Serial::Device& m_device;
    std::shared_ptr<TSerialHandOver> m_handOver;
};

template <class T>
void TSerialFlowControl::assign(T& field, T v)
{
    if (field == v)
        return;
    field = v;
    m_owner->SetLineSettings();
}

template <class T>
void TSerialParity::assign(T& field, T v)
{
    if (field == v)
        return;
    field = v;
    m_owner->SetLineSettings();
}
