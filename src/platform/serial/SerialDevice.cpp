#include "platform/serial/SerialDevice.h"

#include "platform/serial/SerialTermios.h"
#include "platform/settings/PortMap.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

thread_local int t_lastError = 0;

using Clock = std::chrono::steady_clock;

// Fails a call: leaves the code for lastError() and returns false.
bool fail(int code)
{
    Serial::setLastError(code);
    return false;
}

uint32_t modemBits(int tiocm)
{
    uint32_t s = 0;
    if (tiocm & TIOCM_CTS)
        s |= Serial::MS_CTS_ON;
    if (tiocm & TIOCM_DSR)
        s |= Serial::MS_DSR_ON;
    if (tiocm & TIOCM_RNG)
        s |= Serial::MS_RING_ON;
    if (tiocm & TIOCM_CAR)
        s |= Serial::MS_RLSD_ON;
    return s;
}

// Sets or clears one output line; devices without modem lines ignore it.
void setLine(int fd, int line, bool on)
{
    ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

void drain(int eventFd)
{
    uint64_t v;
    while (::read(eventFd, &v, sizeof v) > 0) {
    }
}

void poke(int eventFd)
{
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t r = ::write(eventFd, &one, sizeof one);
}

int64_t millisLeft(Clock::time_point deadline)
{
    return std::max<int64_t>(0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
}

} // namespace

int Serial::lastError()
{
    return t_lastError;
}

void Serial::setLastError(int code)
{
    t_lastError = code;
}

int Serial::errorFromErrno(int err)
{
    switch (err) {
    case 0:
        return 0;
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case ENOTDIR:
        return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EBUSY:
    case EWOULDBLOCK:
        return ERROR_ACCESS_DENIED;
    case EBADF:
        return ERROR_INVALID_HANDLE;
    case ENOTTY:
        return ERROR_INVALID_FUNCTION;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EIO:
        return ERROR_DEVICE_NOT_CONNECTED;
    case ETIMEDOUT:
        return ERROR_TIMEOUT;
    default:
        return ERROR_GEN_FAILURE;
    }
}

uint32_t Serial::Dcb::flags() const
{
    return fBinary | fParity << 1 | fOutxCtsFlow << 2 | fOutxDsrFlow << 3 | fDtrControl << 4 | fDsrSensitivity << 6 |
           fTXContinueOnXoff << 7 | fOutX << 8 | fInX << 9 | fErrorChar << 10 | fNull << 11 | fRtsControl << 12 |
           fAbortOnError << 14 | fDummy2 << 15;
}

// --- Signal -------------------------------------------------------------------

Serial::Signal::Signal()
    : m_fd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

Serial::Signal::~Signal()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void Serial::Signal::set()
{
    poke(m_fd);
}

void Serial::Signal::reset()
{
    drain(m_fd);
}

bool Serial::Signal::isSet() const
{
    pollfd p{m_fd, POLLIN, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
}

// --- InputFilter --------------------------------------------------------------

Serial::InputFilter::Found Serial::InputFilter::feed(const char* raw, int size, QByteArray& out)
{
    Found found;
    for (int i = 0; i < size; ++i) {
        const char c = raw[i];
        switch (m_state) {
        case Plain:
            if (uchar(c) == 0xFF)
                m_state = Mark;
            else
                keep(c, out, found);
            break;
        case Mark:
            m_state = Plain;
            if (uchar(c) == 0xFF) {
                keep(c, out, found);
            } else if (c == 0) {
                m_state = MarkZero;
            } else {
                // Not a mark after all: both bytes as they came.
                keep('\xff', out, found);
                keep(c, out, found);
            }
            break;
        case MarkZero:
            m_state = Plain;
            if (c == 0) {
                found.breakSeen = true;
            } else {
                found.errorSeen = true;
                keep(m_options.replaceErrors ? m_options.errorChar : c, out, found);
            }
            break;
        }
    }
    return found;
}

void Serial::InputFilter::keep(char c, QByteArray& out, Found& found)
{
    if (c == 0 && m_options.discardNull)
        return;
    out.append(c);
    ++found.kept;
    if (c == m_options.eventChar)
        found.eventChar = true;
}

// --- Device -------------------------------------------------------------------

Serial::Device::Device()
    : m_wake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

Serial::Device::~Device()
{
    if (isOpen())
        close();
    if (m_wake >= 0)
        ::close(m_wake);
}

bool Serial::Device::isOpen() const
{
    std::lock_guard l(m_mutex);
    return m_fd >= 0;
}

int Serial::Device::handle() const
{
    std::lock_guard l(m_mutex);
    return m_fd;
}

QString Serial::Device::devicePath() const
{
    std::lock_guard l(m_mutex);
    return m_path;
}

bool Serial::Device::failIfClosedLocked() const
{
    if (m_fd >= 0)
        return false;
    setLastError(ERROR_INVALID_HANDLE);
    return true;
}

bool Serial::Device::open(const QString& name)
{
    std::lock_guard l(m_mutex);
    if (m_fd >= 0)
        return fail(ERROR_ACCESS_DENIED);
    QString portName = name;
    if (portName.startsWith("\\\\.\\"))
        portName.remove(0, 4);
    const QString path = PortMap::devicePath(portName);
    if (path.isEmpty())
        return fail(ERROR_FILE_NOT_FOUND);

    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(errorFromErrno(errno));
    // No sharing: a port another program (or another port object) holds is
    // refused, as Windows refuses it.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        return fail(err == EWOULDBLOCK ? ERROR_ACCESS_DENIED : errorFromErrno(err));
    }
    if (isatty(fd)) {
        ioctl(fd, TIOCEXCL);
        // A port opens raw and with an empty input buffer; what arrived before
        // the port was opened is not delivered. What an earlier opening of the
        // same line wrote and the device has not taken yet stays on its way
        // (a program that closes a port and opens it again at once loses no
        // output).
        makeRaw(fd);
        tcflush(fd, TCIFLUSH);
    }

    m_fd = fd;
    m_path = path;
    m_dcb = Dcb();
    m_timeouts = CommTimeouts();
    m_queue.clear();
    m_filter = InputFilter();
    m_mask = 0;
    m_history = 0;
    m_errors = 0;
    m_maskChanged = false;
    m_waiting = false;
    m_txPending = false;
    m_above80 = false;
    m_gone = false;
    m_goneReported = false;

    int tiocm = 0;
    m_hasModemLines = ioctl(fd, TIOCMGET, &tiocm) == 0;
    m_modem = m_hasModemLines ? modemBits(tiocm) : 0;
    serial_icounter_struct ic{};
    m_hasCounters = ioctl(fd, TIOCGICOUNT, &ic) == 0;
    m_counters = {ic.cts, ic.dsr, ic.rng, ic.dcd, ic.frame, ic.overrun, ic.parity, ic.brk, ic.buf_overrun};
    drain(m_wake);
    return true;
}

bool Serial::Device::close()
{
    std::lock_guard l(m_mutex);
    if (failIfClosedLocked())
        return false;
    ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
    m_queue.clear();
    wakeLocked();
    return true;
}

bool Serial::Device::setupComm(int inputSize, int outputSize)
{
    std::lock_guard l(m_mutex);
    if (failIfClosedLocked())
        return false;
    if (!isatty(m_fd))
        return fail(ERROR_INVALID_FUNCTION);
    if (inputSize < 0 || outputSize < 0)
        return fail(ERROR_INVALID_PARAMETER);
    m_inputSize = inputSize > 0 ? inputSize : 4096;
    wakeLocked();
    return true;
}

bool Serial::Device::setCommState(const Dcb& dcb)
{
    std::lock_guard l(m_mutex);
    if (failIfClosedLocked())
        return false;
    const bool sizeOk = dcb.ByteSize >= 5 && dcb.ByteSize <= 8;
    const bool stopOk = dcb.StopBits == 0 || (dcb.StopBits == 1 && dcb.ByteSize == 5) ||
                        (dcb.StopBits == 2 && dcb.ByteSize > 5);
    const bool xonOk = !(dcb.fOutX || dcb.fInX) || dcb.XonChar != dcb.XoffChar;
    if (!sizeOk || !stopOk || !xonOk || dcb.Parity > 4 || dcb.BaudRate == 0 || dcb.fDtrControl > 2)
        return fail(ERROR_INVALID_PARAMETER);

    if (!isatty(m_fd))
        return fail(ERROR_INVALID_FUNCTION);
    if (!applyLine(m_fd, dcb))
        return fail(errorFromErrno(errno));

    setLine(m_fd, TIOCM_DTR, dcb.fDtrControl != 0);
    // Handshake leaves RTS to the kernel; toggle raises it while sending.
    if (dcb.fRtsControl != 2)
        setLine(m_fd, TIOCM_RTS, dcb.fRtsControl == 1);

    m_dcb = dcb;
    InputFilter::Options o;
    o.discardNull = dcb.fNull;
    o.replaceErrors = dcb.fErrorChar;
    o.errorChar = dcb.ErrorChar;
    o.eventChar = dcb.EvtChar;
    m_filter.setOptions(o);
    return true;
}

bool Serial::Device::setCommTimeouts(const CommTimeouts& timeouts)
{
    std::lock_guard l(m_mutex);
    if (failIfClosedLocked())
        return false;
    m_timeouts = timeouts;
    return true;
}

void Serial::Device::wakeLocked()
{
    poke(m_wake);
}

void Serial::Device::recordLocked(uint32_t events)
{
    m_history |= events & m_mask;
}

void Serial::Device::markGoneLocked()
{
    if (m_gone)
        return;
    m_gone = true;
    m_errors |= CE_IOE;
    m_txPending = false;
}

void Serial::Device::fillLocked()
{
    if (m_fd < 0 || m_gone)
        return;
    char raw[4096];
    for (;;) {
        const int room = m_inputSize - int(m_queue.size());
        if (room <= 0)
            return;
        const ssize_t n = ::read(m_fd, raw, std::min<size_t>(size_t(room), sizeof raw));
        if (n > 0) {
            const InputFilter::Found f = m_filter.feed(raw, int(n), m_queue);
            uint32_t events = 0;
            if (f.kept > 0)
                events |= EV_RXCHAR;
            if (f.eventChar)
                events |= EV_RXFLAG;
            // A device with error counters reports its errors through them.
            if (!m_hasCounters) {
                if (f.breakSeen) {
                    m_errors |= CE_BREAK;
                    events |= EV_BREAK;
                }
                if (f.errorSeen) {
                    m_errors |= m_dcb.Parity != 0 ? CE_RXPARITY : CE_FRAME;
                    events |= EV_ERR;
                }
            }
            if (!m_above80 && qsizetype(m_queue.size()) * 5 >= qsizetype(m_inputSize) * 4) {
                m_above80 = true;
                events |= EV_RX80FULL;
            }
            recordLocked(events);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        // End of file or an I/O error: the device was hung up.
        markGoneLocked();
        return;
    }
}

void Serial::Device::sampleLinesLocked()
{
    if (m_fd < 0 || m_gone)
        return;
    uint32_t events = 0;
    if (m_hasModemLines) {
        int tiocm = 0;
        if (ioctl(m_fd, TIOCMGET, &tiocm) == 0) {
            const uint32_t now = modemBits(tiocm);
            const uint32_t changed = now ^ m_modem;
            if (changed & MS_CTS_ON)
                events |= EV_CTS;
            if (changed & MS_DSR_ON)
                events |= EV_DSR;
            if (changed & MS_RLSD_ON)
                events |= EV_RLSD;
            if ((m_modem & MS_RING_ON) && !(now & MS_RING_ON))
                events |= EV_RING;
            m_modem = now;
        }
    }
    if (m_hasCounters) {
        serial_icounter_struct ic{};
        if (ioctl(m_fd, TIOCGICOUNT, &ic) == 0) {
            Counters& c = m_counters;
            if (ic.cts != c.cts)
                events |= EV_CTS;
            if (ic.dsr != c.dsr)
                events |= EV_DSR;
            if (ic.dcd != c.dcd)
                events |= EV_RLSD;
            if (ic.rng != c.rng)
                events |= EV_RING;
            if (ic.frame != c.frame) {
                m_errors |= CE_FRAME;
                events |= EV_ERR;
            }
            if (ic.parity != c.parity) {
                m_errors |= CE_RXPARITY;
                events |= EV_ERR;
            }
            if (ic.overrun != c.overrun) {
                m_errors |= CE_OVERRUN;
                events |= EV_ERR;
            }
            if (ic.buf_overrun != c.bufOverrun)
                m_errors |= CE_RXOVER;
            if (ic.brk != c.brk) {
                m_errors |= CE_BREAK;
                events |= EV_BREAK;
            }
            c = {ic.cts, ic.dsr, ic.rng, ic.dcd, ic.frame, ic.overrun, ic.parity, ic.brk, ic.buf_overrun};
        }
    }
    recordLocked(events);
}

void Serial::Device::checkTxEmptyLocked()
{
    if (!m_txPending || m_fd < 0)
        return;
    int queued = 0;
    if (ioctl(m_fd, TIOCOUTQ, &queued) != 0)
        queued = 0;
    if (queued > 0)
        return;
    m_txPending = false;
    if (m_dcb.fRtsControl == 3)
        setLine(m_fd, TIOCM_RTS, false);
    recordLocked(EV_TXEMPTY);
}

int Serial::Device::pollTimeoutLocked() const
{
    int timeout = -1;
    if (m_txPending) {
        // Look again when the bytes still queued should have been sent.
        int queued = 0;
        ioctl(m_fd, TIOCOUTQ, &queued);
        const int64_t rate = std::max<uint32_t>(m_dcb.BaudRate, 1);
        timeout = int(std::clamp<int64_t>(int64_t(queued) * 10 * 1000 / rate + 1, 1, 100));
    }
    const uint32_t lineEvents = EV_CTS | EV_DSR | EV_RLSD | EV_RING | EV_ERR | EV_BREAK;
    // Modem lines and error counters have no wake-up of their own: they are
    // read every few milliseconds while such events are waited for.
    if ((m_hasModemLines || m_hasCounters) && (m_mask & lineEvents))
        timeout = timeout < 0 ? 10 : std::min(timeout, 10);
    return timeout;
}

bool Serial::Device::takeLocked(char* buffer, int count, int* got)
{
    const int n = std::min<int>(count - *got, int(m_queue.size()));
    if (n <= 0)
        return false;
    memcpy(buffer + *got, m_queue.constData(), size_t(n));
    m_queue.remove(0, n);
    *got += n;
    if (m_above80 && qsizetype(m_queue.size()) * 5 < qsizetype(m_inputSize) * 4)
        m_above80 = false;
    // The queue has room again: a wait that stopped reading goes on.
    wakeLocked();
    return true;
}

bool Serial::Device::read(char* buffer, int count, int* got)
{
    *got = 0;
    std::unique_lock l(m_mutex);
    if (failIfClosedLocked())
        return false;
    if (count <= 0)
        return true;
    fillLocked();
    takeLocked(buffer, count, got);

    const CommTimeouts t = m_timeouts;
    const bool atOnce = t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == 0 &&
                        t.ReadTotalTimeoutConstant == 0;
    const bool firstBytes = t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == MAXDWORD &&
                            t.ReadTotalTimeoutConstant > 0 && t.ReadTotalTimeoutConstant < MAXDWORD;
    if (!atOnce && !(firstBytes && *got > 0)) {
        // Wait as the time-outs say: for the whole count, within the total
        // time-out and the interval between two bytes.
        std::optional<Clock::time_point> deadline;
        if (firstBytes)
            deadline = Clock::now() + std::chrono::milliseconds(t.ReadTotalTimeoutConstant);
        else if (t.ReadTotalTimeoutMultiplier != 0 || t.ReadTotalTimeoutConstant != 0)
            deadline = Clock::now() + std::chrono::milliseconds(uint64_t(t.ReadTotalTimeoutMultiplier) * uint64_t(count) +
                                                                t.ReadTotalTimeoutConstant);
        const bool useInterval = !firstBytes && t.ReadIntervalTimeout != 0 && t.ReadIntervalTimeout != MAXDWORD;
        Clock::time_point lastByte = Clock::now();
        while (*got < count && !m_gone && m_fd >= 0) {
            int64_t wait = deadline ? millisLeft(*deadline) : INT64_MAX;
            if (useInterval && *got > 0)
                wait = std::min<int64_t>(wait, millisLeft(lastByte + std::chrono::milliseconds(t.ReadIntervalTimeout)));
            if (wait <= 0)
                break;
            // Short slices: the event thread may move the bytes into the
            // queue before this poll sees them.
            pollfd p{m_fd, POLLIN, 0};
            l.unlock();
            poll(&p, 1, int(std::min<int64_t>(wait, 5)));
            l.lock();
            fillLocked();
            if (takeLocked(buffer, count, got)) {
                lastByte = Clock::now();
                if (firstBytes)
                    break;
            }
        }
    }
    if (*got == 0 && m_gone)
        return fail(ERROR_DEVICE_NOT_CONNECTED);
    return true;
}

bool Serial::Device::write(const char* data, int count, int* written)
{
    *written = 0;
    int fd;
    CommTimeouts t;
    {
        std::lock_guard l(m_mutex);
        if (failIfClosedLocked())
            return false;
        if (m_gone)
            return fail(ERROR_DEVICE_NOT_CONNECTED);
        if (count <= 0)
            return true;
        fd = m_fd;
        t = m_timeouts;
        if (m_dcb.fRtsControl == 3)
            setLine(fd, TIOCM_RTS, true);
    }
    std::optional<Clock::time_point> deadline;
    if (t.WriteTotalTimeoutMultiplier != 0 || t.WriteTotalTimeoutConstant != 0)
        deadline = Clock::now() + std::chrono::milliseconds(uint64_t(t.WriteTotalTimeoutMultiplier) * uint64_t(count) +
                                                            t.WriteTotalTimeoutConstant);
    int done = 0;
    int error = 0;
    while (done < count) {
        const ssize_t n = ::write(fd, data + done, size_t(count - done));
        if (n > 0) {
            done += int(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            // The output is full: wait for room until the time-out.
            const int64_t left = deadline ? millisLeft(*deadline) : -1;
            if (left == 0)
                break;
            pollfd p{fd, POLLOUT, 0};
            poll(&p, 1, left < 0 ? -1 : int(std::min<int64_t>(left, INT32_MAX)));
            continue;
        }
        error = n < 0 ? errno : EIO;
        break;
    }
    std::lock_guard l(m_mutex);
    *written = done;
    if (done > 0) {
        m_txPending = true;
        wakeLocked();
    }
    if (error != 0) {
        if (error == EIO)
            markGoneLocked();
        return fail(errorFromErrno(error));
    }
    return true;
}

bool Serial::Device::purge(uint32_t flags)
{
    std::lock_guard l(m_mutex);
    if (failIfClosedLocked())
        return false;
    if (flags & ~(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR))
        return fail(ERROR_INVALID_PARAMETER);
    // Reads and writes run to their end inside their own call, so there is
    // never a transfer to abort. A write has handed its bytes to the line
    // when it returns, as a finished write has sent them: clearing the output
    // takes none of them back (the port's event thread clears at every
    // close, right after a last write). A device that went away has nothing
    // left to clear.
    const bool tty = !m_gone && isatty(m_fd);
    if (flags & PURGE_RXCLEAR) {
        if (tty && tcflush(m_fd, TCIFLUSH) != 0)
            return fail(errorFromErrno(errno));
        m_queue.clear();
        m_filter.reset();
        m_above80 = false;
    }
    wakeLocked();
    return true;
}

bool Serial::Device::clearCommError(uint32_t* errors, ComStat* stat)
{
    std::lock_guard l(m_mutex);
    if (failIfClosedLocked())
        return false;
    fillLocked();
    sampleLinesLocked();
    *errors = m_errors;
    m_errors = 0;
    if (stat) {
        stat->cbInQue = uint32_t(m_queue.size());
        int queued = 0;
        if (m_gone || ioctl(m_fd, TIOCOUTQ, &queued) != 0)
            queued = 0;
        stat->cbOutQue = uint32_t(queued);
    }
    return true;
}

bool Serial::Device::getModemStatus(uint32_t* status)
{
    std::lock_guard l(m_mutex);
    if (failIfClosedLocked())
        return false;
    int tiocm = 0;
    // A device without modem lines, or one that went away, has all lines off.
    *status = m_hasModemLines && !m_gone && ioctl(m_fd, TIOCMGET, &tiocm) == 0 ? modemBits(tiocm) : 0;
    return true;
}

bool Serial::Device::setCommMask(uint32_t mask)
{
    std::lock_guard l(m_mutex);
    if (failIfClosedLocked())
        return false;
    m_mask = mask;
    m_history = 0;
    if (m_waiting) {
        m_maskChanged = true;
        wakeLocked();
    }
    return true;
}

Serial::Device::Wait Serial::Device::waitCommEvent(uint32_t* events, const Signal& stop)
{
    *events = 0;
    std::unique_lock l(m_mutex);
    for (;;) {
        if (m_fd < 0) {
            setLastError(ERROR_INVALID_HANDLE);
            return Wait::Failed;
        }
        if (stop.isSet())
            return Wait::Stopped;
        fillLocked();
        sampleLinesLocked();
        checkTxEmptyLocked();
        if (m_gone) {
            // Told once, with the error event; after that the wait fails.
            if (!m_goneReported) {
                m_goneReported = true;
                const uint32_t ev = m_history | (m_mask & EV_ERR);
                m_history = 0;
                if (ev) {
                    *events = ev;
                    return Wait::Events;
                }
            }
            setLastError(ERROR_DEVICE_NOT_CONNECTED);
            return Wait::Failed;
        }
        if (m_history) {
            *events = m_history;
            m_history = 0;
            return Wait::Events;
        }
        if (m_maskChanged) {
            m_maskChanged = false;
            return Wait::Events;
        }

        const bool room = int(m_queue.size()) < m_inputSize;
        pollfd fds[3] = {{stop.fd(), POLLIN, 0}, {m_wake, POLLIN, 0}, {m_fd, short(room ? POLLIN : 0), 0}};
        const int timeout = pollTimeoutLocked();
        m_waiting = true;
        l.unlock();
        const int r = poll(fds, 3, timeout);
        const int err = errno;
        l.lock();
        m_waiting = false;
        if (r < 0) {
            if (err == EINTR)
                continue;
            setLastError(errorFromErrno(err));
            return Wait::Failed;
        }
        if (fds[1].revents & POLLIN)
            drain(m_wake);
        if (fds[2].revents & POLLNVAL) {
            setLastError(ERROR_INVALID_HANDLE);
            return Wait::Failed;
        }
        if (fds[2].revents & (POLLHUP | POLLERR)) {
            fillLocked();
            markGoneLocked();
        }
    }
}
