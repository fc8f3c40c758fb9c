#include "platform/net/WinSock.h"

#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <linux/sockios.h>
#include <mutex>
#include <netdb.h>
#include <sys/ioctl.h>
#include <sys/uio.h>
#include <unistd.h>
#include <unordered_map>

namespace WinSock {

namespace {

thread_local int wsLastError = 0;

struct WsBindingState {
    std::mutex lock;
    int live = 0;
    bool started = false;
    int startups = 0;
    uint8_t low = 1;
    uint8_t high = 1;
};

WsBindingState& wsBindingState()
{
    static WsBindingState s;
    return s;
}

// One watched socket: its notifiers and what WinSock would remember of it.
class WsSocketWatch : public QObject {
public:
    explicit WsSocketWatch(TSocket fd, bool stream) : fd(fd), stream(stream) {}

    TSocket fd;
    bool stream;
    NoticeTarget* target = nullptr;
    int mask = 0;
    bool connecting = false;
    bool listening = false;
    bool readArmed = true;
    bool writeArmed = false;
    bool closeSeen = false;
    QSocketNotifier* readNotifier = nullptr;
    QSocketNotifier* writeNotifier = nullptr;

    void ensureNotifiers()
    {
        if (readNotifier)
            return;
        readNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        writeNotifier = new QSocketNotifier(fd, QSocketNotifier::Write, this);
        readNotifier->setEnabled(false);
        writeNotifier->setEnabled(false);
        QObject::connect(readNotifier, &QSocketNotifier::activated, this, [this] { onReadable(); });
        QObject::connect(writeNotifier, &QSocketNotifier::activated, this, [this] { onWritable(); });
    }

    void update()
    {
        if (!target || mask == 0) {
            if (readNotifier) {
                readNotifier->setEnabled(false);
                writeNotifier->setEnabled(false);
            }
            return;
        }
        ensureNotifiers();
        const bool wantRead = !connecting && readArmed && !closeSeen && (mask & (FdRead | FdAccept | FdClose));
        const bool wantWrite = (connecting && (mask & FdConnect)) || (!connecting && writeArmed && (mask & FdWrite));
        if (readNotifier->isEnabled() != wantRead)
            readNotifier->setEnabled(wantRead);
        if (writeNotifier->isEnabled() != wantWrite)
            writeNotifier->setEnabled(wantWrite);
    }

    void deliver(int bits, int error)
    {
        if (target && (mask & bits))
            target->socketNotice(fd, bits, error);
    }

    void onReadable()
    {
        if (listening) {
            readArmed = false;
            update();
            deliver(FdAccept, 0);
            return;
        }
        if (!stream) {
            readArmed = false;
            update();
            deliver(FdRead, 0);
            return;
        }
        char c;
        const ssize_t n = ::recv(fd, &c, 1, MSG_PEEK | MSG_DONTWAIT);
        if (n > 0) {
            readArmed = false;
            update();
            deliver(FdRead, 0);
        } else if (n == 0) {
            closeSeen = true;
            update();
            deliver(FdClose, 0);
        } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            const int code = errorFromErrno(errno);
            closeSeen = true;
            update();
            deliver(FdClose, code);
        }
    }

    void onWritable()
    {
        if (connecting) {
            int err = 0;
            socklen_t len = sizeof err;
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len);
            connecting = false;
            update();
            deliver(FdConnect, err ? errorFromErrno(err) : 0);
            return;
        }
        writeArmed = false;
        update();
        deliver(FdWrite, 0);
    }
};

std::mutex& wsWatchLock()
{
    static std::mutex m;
    return m;
}

std::unordered_map<TSocket, QPointer<WsSocketWatch>>& wsWatches()
{
    static std::unordered_map<TSocket, QPointer<WsSocketWatch>> w;
    return w;
}

WsSocketWatch* wsWatchOf(TSocket s)
{
    std::lock_guard<std::mutex> g(wsWatchLock());
    auto it = wsWatches().find(s);
    return it == wsWatches().end() ? nullptr : it->second.data();
}

// A socket whose notices were asked for is used only from the thread that
// asked: its notifiers can be switched only there (Qt refuses from another
// thread, so a write notice armed there would never come, and a closed
// socket's notifier would stay on). A debug build stops at a call from
// another thread.
void wsCheckThread(const WsSocketWatch* w)
{
    Q_ASSERT_X(w->mask == 0 || !w->target || w->thread() == QThread::currentThread(), "WinSock",
               "a socket with notices is used only from the thread that asked for them");
    Q_UNUSED(w);
}

void wsAddWatch(TSocket s, bool stream)
{
    auto* w = new WsSocketWatch(s, stream);
    std::lock_guard<std::mutex> g(wsWatchLock());
    auto it = wsWatches().find(s);
    if (it != wsWatches().end() && it->second)
        it->second->deleteLater();
    wsWatches()[s] = w;
}

void wsDropWatch(TSocket s)
{
    WsSocketWatch* w = nullptr;
    {
        std::lock_guard<std::mutex> g(wsWatchLock());
        auto it = wsWatches().find(s);
        if (it == wsWatches().end())
            return;
        w = it->second.data();
        wsWatches().erase(it);
    }
    if (!w)
        return;
    wsCheckThread(w);
    w->target = nullptr;
    w->mask = 0;
    w->update();
    // The notice being delivered may be the one whose handler closes the
    // socket: the notifiers go once the event loop is back.
    w->deleteLater();
}

// A send could not take everything: the write notice comes once the socket
// can take bytes again.
void wsArmWrite(TSocket s)
{
    if (auto* w = wsWatchOf(s)) {
        wsCheckThread(w);
        w->writeArmed = true;
        w->update();
    }
}

int wsFail()
{
    wsLastError = errorFromErrno(errno);
    return SocketErrorResult;
}

// Reads and drops what the peer has sent and nobody will read, so that the
// close that follows is an orderly one (unread bytes make the kernel reset).
void wsDiscardPending(TSocket s)
{
    char buf[4096];
    for (int round = 0; round < 256; ++round) {
        const ssize_t n = ::recv(s, buf, sizeof buf, MSG_DONTWAIT);
        if (n <= 0)
            break;
    }
}

// Sends what was still queued when the owner closed, then closes.
class WsCloseAfterSending : public QObject {
public:
    WsCloseAfterSending(TSocket s, QByteArray pending) : fd(s), rest(std::move(pending))
    {
        notifier = new QSocketNotifier(fd, QSocketNotifier::Write, this);
        QObject::connect(notifier, &QSocketNotifier::activated, this, [this] { pump(); });
    }

private:
    void pump()
    {
        while (!rest.isEmpty()) {
            const ssize_t n = ::send(fd, rest.constData(), size_t(rest.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) {
                rest.remove(0, n);
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
                return;
            rest.clear();
        }
        notifier->setEnabled(false);
        ::shutdown(fd, SHUT_WR);
        wsDiscardPending(fd);
        ::close(fd);
        deleteLater();
    }

    TSocket fd;
    QByteArray rest;
    QSocketNotifier* notifier;
};

} // namespace

int WSAGetLastError()
{
    return wsLastError;
}

void WSASetLastError(int code)
{
    wsLastError = code;
}

int errorFromErrno(int e)
{
    switch (e) {
    case 0: return 0;
    case EINTR: return WSAEINTR;
    case EBADF: return WSAEBADF;
    case EACCES: case EPERM: return WSAEACCES;
    case EFAULT: return WSAEFAULT;
    case EINVAL: return WSAEINVAL;
    case EMFILE: case ENFILE: return WSAEMFILE;
    case EAGAIN: return WSAEWOULDBLOCK;
    case EINPROGRESS: return WSAEWOULDBLOCK;
    case EALREADY: return WSAEALREADY;
    case ENOTSOCK: return WSAENOTSOCK;
    case EDESTADDRREQ: return 10039;
    case EMSGSIZE: return WSAEMSGSIZE;
    case EPROTOTYPE: return 10041;
    case ENOPROTOOPT: return 10042;
    case EPROTONOSUPPORT: return 10043;
    case ESOCKTNOSUPPORT: return 10044;
    case EOPNOTSUPP: return 10045;
    case EPFNOSUPPORT: return 10046;
    case EAFNOSUPPORT: return 10047;
    case EADDRINUSE: return WSAEADDRINUSE;
    case EADDRNOTAVAIL: return WSAEADDRNOTAVAIL;
    case ENETDOWN: return 10050;
    case ENETUNREACH: return WSAENETUNREACH;
    case ENETRESET: return 10052;
    case ECONNABORTED: return WSAECONNABORTED;
    case EPIPE: return WSAECONNABORTED;
    case ECONNRESET: return WSAECONNRESET;
    case ENOBUFS: case ENOMEM: return WSAENOBUFS;
    case EISCONN: return WSAEISCONN;
    case ENOTCONN: return WSAENOTCONN;
    case ESHUTDOWN: return WSAESHUTDOWN;
    case ETOOMANYREFS: return 10059;
    case ETIMEDOUT: return WSAETIMEDOUT;
    case ECONNREFUSED: return WSAECONNREFUSED;
    case ELOOP: return 10062;
    case ENAMETOOLONG: return 10063;
    case EHOSTDOWN: return 10064;
    case EHOSTUNREACH: return WSAEHOSTUNREACH;
    case ENOTEMPTY: return 10066;
    case EUSERS: return 10068;
    case EDQUOT: return 10069;
    case ESTALE: return 10070;
    case EREMOTE: return 10071;
    default: return WSAEINVAL;
    }
}

int errorFromResolver(int gai)
{
    switch (gai) {
    case 0: return 0;
    case EAI_NONAME: return WSAHOST_NOT_FOUND;
#ifdef EAI_NODATA
    case EAI_NODATA: return WSANO_DATA;
#endif
    case EAI_AGAIN: return WSATRY_AGAIN;
    case EAI_FAIL: return WSANO_RECOVERY;
    case EAI_SERVICE: return WSANO_DATA;
    default: return WSANO_RECOVERY;
    }
}

void Binding::addObject()
{
    auto& b = wsBindingState();
    std::lock_guard<std::mutex> g(b.lock);
    ++b.live;
}

void Binding::releaseObject()
{
    auto& b = wsBindingState();
    std::lock_guard<std::mutex> g(b.lock);
    --b.live;
    if (b.live < 1 && b.started)
        b.started = false;
}

int Binding::liveObjects()
{
    auto& b = wsBindingState();
    std::lock_guard<std::mutex> g(b.lock);
    return b.live;
}

bool Binding::ensureStarted()
{
    auto& b = wsBindingState();
    std::lock_guard<std::mutex> g(b.lock);
    if (!b.started) {
        b.started = true;
        ++b.startups;
    }
    return true;
}

bool Binding::started()
{
    auto& b = wsBindingState();
    std::lock_guard<std::mutex> g(b.lock);
    return b.started;
}

int Binding::startupCount()
{
    auto& b = wsBindingState();
    std::lock_guard<std::mutex> g(b.lock);
    return b.startups;
}

WsaData Binding::winsockInfo()
{
    auto& b = wsBindingState();
    std::lock_guard<std::mutex> g(b.lock);
    if (!b.started) {
        b.started = true;
        ++b.startups;
    }
    WsaData d;
    d.wVersion = uint16_t(b.low | (b.high << 8));
    d.wHighVersion = 0x0202;
    d.szDescription = "WinSock 2.2 over POSIX sockets";
    d.szSystemStatus = "Running";
    d.iMaxSockets = 0x7FFF;
    d.iMaxUdpDg = 65507;
    if (b.live < 1)
        b.started = false;
    return d;
}

uint8_t Binding::reqVerLow()
{
    auto& b = wsBindingState();
    std::lock_guard<std::mutex> g(b.lock);
    return b.low;
}

uint8_t Binding::reqVerHigh()
{
    auto& b = wsBindingState();
    std::lock_guard<std::mutex> g(b.lock);
    return b.high;
}

void Binding::setReqVer(uint8_t low, uint8_t high)
{
    auto& b = wsBindingState();
    std::lock_guard<std::mutex> g(b.lock);
    b.low = low;
    b.high = high;
}

TSocket socket(int family, int type, int protocol)
{
    Binding::ensureStarted();
    const int fd = ::socket(family, type | SOCK_NONBLOCK | SOCK_CLOEXEC, protocol);
    if (fd < 0) {
        wsFail();
        return InvalidSocket;
    }
    wsAddWatch(fd, type == SOCK_STREAM);
    return fd;
}

int bind(TSocket s, const sockaddr* addr, socklen_t len)
{
    return ::bind(s, addr, len) == 0 ? 0 : wsFail();
}

int listen(TSocket s, int backlog)
{
    if (::listen(s, backlog) != 0)
        return wsFail();
    if (auto* w = wsWatchOf(s)) {
        w->listening = true;
        w->update();
    }
    return 0;
}

TSocket accept(TSocket s, sockaddr* addr, socklen_t* len)
{
    const int fd = ::accept4(s, addr, len, SOCK_NONBLOCK | SOCK_CLOEXEC);
    const int saved = errno;
    if (auto* w = wsWatchOf(s)) {
        wsCheckThread(w);
        w->readArmed = true;
        w->update();
    }
    if (fd < 0) {
        wsLastError = errorFromErrno(saved);
        return InvalidSocket;
    }
    wsAddWatch(fd, true);
    return fd;
}

int connect(TSocket s, const sockaddr* addr, socklen_t len)
{
    const int r = ::connect(s, addr, len);
    const int saved = errno;
    auto* w = wsWatchOf(s);
    if (w && w->stream && (r == 0 || saved == EINPROGRESS)) {
        // The outcome arrives as a connect notice, as with WinSock, also when
        // the kernel finished at once.
        w->connecting = true;
        w->update();
    }
    if (r == 0)
        return 0;
    wsLastError = errorFromErrno(saved);
    return SocketErrorResult;
}

int send(TSocket s, const void* data, int len, int flags)
{
    const ssize_t n = ::send(s, data, size_t(len), flags | MSG_NOSIGNAL);
    if (n >= 0) {
        // The kernel took only part of the block: its buffer is (nearly)
        // full, and the rest waits for room, as after "would block". The
        // owner stops at a short count and waits for the write notice.
        if (n < len)
            wsArmWrite(s);
        return int(n);
    }
    const int saved = errno;
    if (saved == EAGAIN || saved == EWOULDBLOCK)
        wsArmWrite(s);
    wsLastError = errorFromErrno(saved);
    return SocketErrorResult;
}

int sendBlocks(TSocket s, const SendBlock* blocks, int count, int flags)
{
    constexpr int kMost = 64;
    iovec v[kMost];
    const int n = std::min(count, kMost);
    qint64 len = 0;
    for (int i = 0; i < n; ++i) {
        v[i].iov_base = const_cast<char*>(blocks[i].data);
        v[i].iov_len = size_t(blocks[i].len);
        len += blocks[i].len;
    }
    msghdr m{};
    m.msg_iov = v;
    m.msg_iovlen = size_t(n);
    const ssize_t sent = ::sendmsg(s, &m, flags | MSG_NOSIGNAL);
    if (sent >= 0) {
        if (sent < len)
            wsArmWrite(s);
        return int(sent);
    }
    const int saved = errno;
    if (saved == EAGAIN || saved == EWOULDBLOCK)
        wsArmWrite(s);
    wsLastError = errorFromErrno(saved);
    return SocketErrorResult;
}

int recv(TSocket s, void* buf, int len, int flags)
{
    const ssize_t n = ::recv(s, buf, size_t(len), flags);
    const int saved = errno;
    if (auto* w = wsWatchOf(s)) {
        wsCheckThread(w);
        w->readArmed = true;
        w->update();
    }
    if (n >= 0)
        return int(n);
    wsLastError = errorFromErrno(saved);
    return SocketErrorResult;
}

int sendto(TSocket s, const void* data, int len, int flags, const sockaddr* to, socklen_t toLen)
{
    const ssize_t n = ::sendto(s, data, size_t(len), flags | MSG_NOSIGNAL, to, toLen);
    if (n >= 0) {
        if (n < len)
            wsArmWrite(s);
        return int(n);
    }
    const int saved = errno;
    if (saved == EAGAIN || saved == EWOULDBLOCK)
        wsArmWrite(s);
    wsLastError = errorFromErrno(saved);
    return SocketErrorResult;
}

int recvfrom(TSocket s, void* buf, int len, int flags, sockaddr* from, socklen_t* fromLen)
{
    const ssize_t n = ::recvfrom(s, buf, size_t(len), flags, from, fromLen);
    const int saved = errno;
    if (auto* w = wsWatchOf(s)) {
        wsCheckThread(w);
        w->readArmed = true;
        w->update();
    }
    if (n >= 0)
        return int(n);
    wsLastError = errorFromErrno(saved);
    return SocketErrorResult;
}

int shutdown(TSocket s, int how)
{
    return ::shutdown(s, how) == 0 ? 0 : wsFail();
}

int closesocket(TSocket s)
{
    wsDropWatch(s);
    // Bytes that arrived and were never read would turn the close into a
    // reset; they are dropped first.
    wsDiscardPending(s);
    return ::close(s) == 0 ? 0 : wsFail();
}

int setsockopt(TSocket s, int level, int name, const void* value, socklen_t len)
{
    return ::setsockopt(s, level, name, value, len) == 0 ? 0 : wsFail();
}

int getsockopt(TSocket s, int level, int name, void* value, socklen_t* len)
{
    return ::getsockopt(s, level, name, value, len) == 0 ? 0 : wsFail();
}

int getsockname(TSocket s, sockaddr* addr, socklen_t* len)
{
    return ::getsockname(s, addr, len) == 0 ? 0 : wsFail();
}

int getpeername(TSocket s, sockaddr* addr, socklen_t* len)
{
    return ::getpeername(s, addr, len) == 0 ? 0 : wsFail();
}

int ioctlsocket(TSocket s, long cmd, unsigned long* arg)
{
    if (cmd == FIONREAD_) {
        int n = 0;
        if (::ioctl(s, FIONREAD, &n) != 0)
            return wsFail();
        *arg = static_cast<unsigned long>(n);
        return 0;
    }
    if (cmd == FIONBIO_) {
        const int flags = ::fcntl(s, F_GETFL);
        if (flags < 0)
            return wsFail();
        const int want = *arg ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
        return ::fcntl(s, F_SETFL, want) == 0 ? 0 : wsFail();
    }
    wsLastError = WSAEINVAL;
    return SocketErrorResult;
}

int unsentBytes(TSocket s)
{
    int n = 0;
    if (::ioctl(s, SIOCOUTQ, &n) != 0)
        return 0;
    return n;
}

uint32_t inet_addr(const QByteArray& dotted)
{
    in_addr a{};
    if (::inet_aton(dotted.constData(), &a) == 0)
        return INADDR_NONE;
    return a.s_addr;
}

QByteArray inet_ntoa(in_addr a)
{
    char buf[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &a, buf, sizeof buf);
    return QByteArray(buf);
}

int asyncSelect(TSocket s, NoticeTarget* target, int mask)
{
    auto* w = wsWatchOf(s);
    if (!w) {
        wsLastError = WSAENOTSOCK;
        return SocketErrorResult;
    }
    if (mask != 0 && w->thread() != QThread::currentThread()) {
        // Notices belong to one thread. Another thread takes them over only
        // once the old one has stopped them (mask 0): the socket's state
        // moves to a watch of the calling thread.
        if (w->mask != 0 && w->target) {
            wsLastError = WSAEINVAL;
            return SocketErrorResult;
        }
        auto* moved = new WsSocketWatch(w->fd, w->stream);
        moved->connecting = w->connecting;
        moved->listening = w->listening;
        moved->readArmed = w->readArmed;
        moved->writeArmed = w->writeArmed;
        moved->closeSeen = w->closeSeen;
        {
            std::lock_guard<std::mutex> g(wsWatchLock());
            wsWatches()[s] = moved;
        }
        w->deleteLater();
        w = moved;
    }
    w->target = target;
    w->mask = mask;
    w->update();
    return 0;
}

void closeAfterSending(TSocket s, const QByteArray& pending)
{
    wsDropWatch(s);
    if (pending.isEmpty()) {
        ::shutdown(s, SHUT_WR);
        wsDiscardPending(s);
        ::close(s);
        return;
    }
    new WsCloseAfterSending(s, pending);
}

} // namespace WinSock
