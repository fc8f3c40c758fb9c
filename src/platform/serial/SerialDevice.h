#pragma once
// Serial lines: what the program needs of the Windows serial communications
// calls, over termios.
//
// A port is named as the program names it ("COM7", also "\\.\COM7"); the
// port map (PortMap) gives its device path. The calls keep the shape and the
// codes of the Windows calls they stand in for, so that the serial-port
// component keeps its own logic:
//
//   open            CreateFile: read/write, exclusive, existing device only
//   setupComm       SetupComm: size of the input queue (the output queue is
//                   the kernel's)
//   setCommState    SetCommState: the line-settings record (Dcb)
//   setCommTimeouts SetCommTimeouts: the five time-outs of read and write
//   read, write     ReadFile, WriteFile with those time-outs
//   purge           PurgeComm
//   clearCommError  ClearCommError: line errors since the last call, queue counts
//   getModemStatus  GetCommModemStatus: CTS, DSR, ring, RLSD
//   setCommMask,
//   waitCommEvent   SetCommMask, WaitCommEvent: the events of the line; the
//                   wait also ends when a stop signal is set
//
// A failed call returns false and leaves a Windows error code for
// Serial::lastError() of the calling thread (2 no such port, 5 port in use,
// 6 port not open, 87 bad settings, 1167 device gone, ...).
//
// How the line maps onto termios:
//   - received bytes go from the device into an input queue of the size given
//     to setupComm; bytes of value 0 are dropped there when the record says so
//     (fNull), bytes with a parity error are replaced by ErrorChar when the
//     record says so (fErrorChar), and a break is taken out of the data and
//     reported as a break (the line runs with PARMRK);
//   - parity check (fParity) is INPCK; CTS output flow or RTS handshake is
//     CRTSCTS; XON/XOFF are IXON/IXOFF with the record's characters; DSR flow,
//     DSR sensitivity and "continue on XOFF" have no termios counterpart and
//     are not applied;
//   - DTR and RTS are set through the modem-control calls; RTS "toggle" raises
//     RTS while a write is being sent;
//   - modem lines, line errors and breaks are read with TIOCMGET and
//     TIOCGICOUNT where the device has them. A device without modem lines (a
//     pseudo-terminal) reads as all lines off and never has line errors;
//   - a device that goes away (the far side of a pseudo-terminal closed, a USB
//     adapter unplugged) raises the error event once with the I/O error flag
//     (CE_IOE); the next wait fails, and reads and writes fail with 1167.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <mutex>

namespace Serial {

// Event mask bits (EV_*).
constexpr uint32_t EV_RXCHAR = 0x0001;
constexpr uint32_t EV_RXFLAG = 0x0002;
constexpr uint32_t EV_TXEMPTY = 0x0004;
constexpr uint32_t EV_CTS = 0x0008;
constexpr uint32_t EV_DSR = 0x0010;
constexpr uint32_t EV_RLSD = 0x0020;
constexpr uint32_t EV_BREAK = 0x0040;
constexpr uint32_t EV_ERR = 0x0080;
constexpr uint32_t EV_RING = 0x0100;
constexpr uint32_t EV_RX80FULL = 0x0400;

// Line error flags (CE_*).
constexpr uint32_t CE_RXOVER = 0x0001;
constexpr uint32_t CE_OVERRUN = 0x0002;
constexpr uint32_t CE_RXPARITY = 0x0004;
constexpr uint32_t CE_FRAME = 0x0008;
constexpr uint32_t CE_BREAK = 0x0010;
constexpr uint32_t CE_TXFULL = 0x0100;
constexpr uint32_t CE_IOE = 0x0400;
constexpr uint32_t CE_MODE = 0x8000;

// Modem status bits (MS_*).
constexpr uint32_t MS_CTS_ON = 0x0010;
constexpr uint32_t MS_DSR_ON = 0x0020;
constexpr uint32_t MS_RING_ON = 0x0040;
constexpr uint32_t MS_RLSD_ON = 0x0080;

// Purge flags (PURGE_*).
constexpr uint32_t PURGE_TXABORT = 0x0001;
constexpr uint32_t PURGE_RXABORT = 0x0002;
constexpr uint32_t PURGE_TXCLEAR = 0x0004;
constexpr uint32_t PURGE_RXCLEAR = 0x0008;

// Error codes left by a failed call.
constexpr int ERROR_INVALID_FUNCTION = 1;
constexpr int ERROR_FILE_NOT_FOUND = 2;
constexpr int ERROR_ACCESS_DENIED = 5;
constexpr int ERROR_INVALID_HANDLE = 6;
constexpr int ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr int ERROR_GEN_FAILURE = 31;
constexpr int ERROR_INVALID_PARAMETER = 87;
constexpr int ERROR_DEVICE_NOT_CONNECTED = 1167;
constexpr int ERROR_TIMEOUT = 1460;

// The Windows code of the calling thread's last failed call.
int lastError();
void setLastError(int code);
// The Windows code for a POSIX errno value.
int errorFromErrno(int err);

// The line-settings record, laid out as the Windows one (28 bytes).
struct Dcb {
    uint32_t DCBlength = sizeof(Dcb);
    uint32_t BaudRate = 0;
    uint32_t fBinary : 1 = 0;
    uint32_t fParity : 1 = 0;
    uint32_t fOutxCtsFlow : 1 = 0;
    uint32_t fOutxDsrFlow : 1 = 0;
    uint32_t fDtrControl : 2 = 0;
    uint32_t fDsrSensitivity : 1 = 0;
    uint32_t fTXContinueOnXoff : 1 = 0;
    uint32_t fOutX : 1 = 0;
    uint32_t fInX : 1 = 0;
    uint32_t fErrorChar : 1 = 0;
    uint32_t fNull : 1 = 0;
    uint32_t fRtsControl : 2 = 0;
    uint32_t fAbortOnError : 1 = 0;
    uint32_t fDummy2 : 17 = 0;
    uint16_t wReserved = 0;
    uint16_t XonLim = 0;
    uint16_t XoffLim = 0;
    uint8_t ByteSize = 8;
    uint8_t Parity = 0;     // 0 none, 1 odd, 2 even, 3 mark, 4 space
    uint8_t StopBits = 0;   // 0 one, 1 one and a half, 2 two
    char XonChar = 0;
    char XoffChar = 0;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;
    uint16_t wReserved1 = 0;

    // The flag word (fBinary is bit 0).
    uint32_t flags() const;
};
static_assert(sizeof(Dcb) == 28, "the line-settings record keeps its 28 bytes");

constexpr uint32_t MAXDWORD = 0xFFFFFFFFu;

// Time-outs in milliseconds. ReadIntervalTimeout MAXDWORD with both read
// totals 0 makes a read return at once with what has arrived; a write of n
// bytes may take WriteTotalTimeoutMultiplier * n + WriteTotalTimeoutConstant
// (no limit when both are 0).
struct CommTimeouts {
    uint32_t ReadIntervalTimeout = 0;
    uint32_t ReadTotalTimeoutMultiplier = 0;
    uint32_t ReadTotalTimeoutConstant = 0;
    uint32_t WriteTotalTimeoutMultiplier = 0;
    uint32_t WriteTotalTimeoutConstant = 0;
};

struct ComStat {
    uint32_t cbInQue = 0;   // received bytes waiting to be read
    uint32_t cbOutQue = 0;  // bytes not yet sent
};

// A manual-reset event: stays set until reset. Waiting threads see it through
// fd(), which is readable while the signal is set.
class Signal {
public:
    Signal();
    ~Signal();
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    void set();
    void reset();
    bool isSet() const;
    int fd() const { return m_fd; }

private:
    int m_fd = -1;
};

// What the line discipline hands over (raw mode with PARMRK), turned into the
// bytes of the input queue: "\377\377" is a byte 0xFF, "\377\0\0" a break,
// "\377\0" + c a byte c received with a parity or framing error. A mark split
// over two reads is completed by the next one.
class InputFilter {
public:
    struct Options {
        bool discardNull = false;   // drop bytes of value 0
        bool replaceErrors = false; // put errorChar in place of a byte with an error
        char errorChar = 0;
        char eventChar = 0;
    };
    struct Found {
        int kept = 0;               // bytes appended
        bool eventChar = false;     // the event character was among them
        bool breakSeen = false;
        bool errorSeen = false;     // a byte with a parity or framing error
    };

    void setOptions(const Options& o) { m_options = o; }
    const Options& options() const { return m_options; }
    // Appends the bytes of `raw` to `out`.
    Found feed(const char* raw, int size, QByteArray& out);
    void reset() { m_state = Plain; }

private:
    void keep(char c, QByteArray& out, Found& found);
    enum State { Plain, Mark, MarkZero };
    State m_state = Plain;
    Options m_options;
};

class Device {
public:
    Device();
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Opens "COMn" or "\\.\COMn" through the port map.
    bool open(const QString& name);
    bool close();
    bool isOpen() const;
    // The file descriptor of the open device (-1 when closed).
    int handle() const;
    QString devicePath() const;

    bool setupComm(int inputSize, int outputSize);
    bool setCommState(const Dcb& dcb);
    bool setCommTimeouts(const CommTimeouts& timeouts);

    // Reads up to `count` bytes as the time-outs allow; *got holds how many.
    bool read(char* buffer, int count, int* got);
    // Writes `count` bytes as the time-outs allow; *written holds how many.
    bool write(const char* data, int count, int* written);

    bool purge(uint32_t flags);
    bool clearCommError(uint32_t* errors, ComStat* stat);
    bool getModemStatus(uint32_t* status);

    bool setCommMask(uint32_t mask);
    enum class Wait { Events, Stopped, Failed };
    // Waits until an event of the mask happens (Events, *events holds them;
    // 0 when the mask was changed meanwhile), `stop` is set (Stopped; the stop
    // takes precedence) or the wait cannot go on (Failed).
    Wait waitCommEvent(uint32_t* events, const Signal& stop);

private:
    void wakeLocked();
    void fillLocked();
    void sampleLinesLocked();
    void checkTxEmptyLocked();
    void markGoneLocked();
    void recordLocked(uint32_t events);
    bool takeLocked(char* buffer, int count, int* got);
    int pollTimeoutLocked() const;
    bool failIfClosedLocked() const;

    mutable std::mutex m_mutex;
    int m_fd = -1;
    int m_wake = -1;            // eventfd that wakes a waiting thread
    QString m_path;
    Dcb m_dcb;
    CommTimeouts m_timeouts;
    int m_inputSize = 4096;
    QByteArray m_queue;         // received bytes not yet read
    InputFilter m_filter;
    uint32_t m_mask = 0;
    uint32_t m_history = 0;     // events of the mask since the last wait ended
    uint32_t m_errors = 0;      // CE_* since the last clearCommError
    bool m_maskChanged = false;
    bool m_waiting = false;     // a thread is inside waitCommEvent's poll
    bool m_txPending = false;
    bool m_above80 = false;
    bool m_gone = false;        // the device went away
    bool m_goneReported = false;
    bool m_hasModemLines = false;
    bool m_hasCounters = false;
    uint32_t m_modem = 0;       // last modem status read
    struct Counters {
        int cts = 0, dsr = 0, rng = 0, dcd = 0, frame = 0, overrun = 0, parity = 0, brk = 0, bufOverrun = 0;
    } m_counters;
};

}
