#pragma once
// Sockets: what the socket layer needs of WinSock, over POSIX sockets and the
// Qt event loop.
//
// The calls keep the shape and the codes of the WinSock calls they stand in
// for, so that the socket component keeps its own logic:
//
//   socket, bind, listen, accept, connect, send, recv, sendto, recvfrom,
//   shutdown, closesocket, setsockopt, getsockopt, getsockname, getpeername,
//   ioctlsocket (FIONREAD, FIONBIO)
//                   the POSIX calls; every socket is non-blocking from its
//                   creation, and a failed call leaves a WinSock error code
//                   (10035 would block, 10054 reset, 10061 refused, ...) for
//                   WSAGetLastError() of the calling thread
//   asyncSelect     WSAAsyncSelect: notices of a socket (read, write, accept,
//                   connect, close) delivered to a target object from the Qt
//                   event loop of the thread that asked, never from inside a
//                   call; a mask of 0 stops them
//   closeAfterSending
//                   hands a connected socket over with bytes still to send:
//                   they go out from the event loop, then the sending side is
//                   shut down and the socket closed (an orderly close)
//
// How notices map onto the event loop (QSocketNotifier):
//   - read: the socket is readable and holds bytes. One notice, then none
//     until the owner calls recv (or recvfrom) again, as WinSock does; an
//     owner that never reads gets no busy loop;
//   - close: the peer has closed the stream, seen from the read side once
//     every byte before it was read (pending bytes are always delivered
//     first), or the connection was reset (error 10054);
//   - connect: a connect that was in progress has ended, with its error code
//     (0, 10061 refused, ...);
//   - accept: a listening socket has a connection waiting; one notice until
//     the owner calls accept;
//   - write: a send failed with "would block", or took only part of the
//     bytes, and the socket can take bytes again. The write notifier is
//     enabled only in those cases, so an idle socket costs nothing.
//
// Notices run in one thread: the one that asked for them. Another thread
// takes them over by asking again once the first has stopped them (mask 0).
// While notices are on, the socket is used (send, recv, accept, closesocket
// and the like) only from that thread: the notifiers can be switched only
// there, so a send from another thread could never get its write notice. A
// debug build stops at such a call.
//
// The binding (live-object count, start-up record) keeps the WinSock
// start-up/clean-up pairing visible to the component; on this platform
// starting and stopping only counts.

#include <QByteArray>
#include <QString>

#include <cstdint>

#include <netinet/in.h>
#include <sys/socket.h>

namespace WinSock {

using TSocket = int;
constexpr TSocket InvalidSocket = -1;
constexpr int SocketErrorResult = -1;

// Notice bits (FD_*).
constexpr int FdRead = 1;
constexpr int FdWrite = 2;
constexpr int FdOob = 4;
constexpr int FdAccept = 8;
constexpr int FdConnect = 16;
constexpr int FdClose = 32;

// The WinSock error codes the socket layer names.
constexpr int WSAEINTR = 10004;
constexpr int WSAEBADF = 10009;
constexpr int WSAEACCES = 10013;
constexpr int WSAEFAULT = 10014;
constexpr int WSAEINVAL = 10022;
constexpr int WSAEMFILE = 10024;
constexpr int WSAEWOULDBLOCK = 10035;
constexpr int WSAEINPROGRESS = 10036;
constexpr int WSAEALREADY = 10037;
constexpr int WSAENOTSOCK = 10038;
constexpr int WSAEMSGSIZE = 10040;
constexpr int WSAEADDRINUSE = 10048;
constexpr int WSAEADDRNOTAVAIL = 10049;
constexpr int WSAENETUNREACH = 10051;
constexpr int WSAECONNABORTED = 10053;
constexpr int WSAECONNRESET = 10054;
constexpr int WSAENOBUFS = 10055;
constexpr int WSAEISCONN = 10056;
constexpr int WSAENOTCONN = 10057;
constexpr int WSAESHUTDOWN = 10058;
constexpr int WSAETIMEDOUT = 10060;
constexpr int WSAECONNREFUSED = 10061;
constexpr int WSAEHOSTUNREACH = 10065;
constexpr int WSANOTINITIALISED = 10093;
constexpr int WSAHOST_NOT_FOUND = 11001;
constexpr int WSATRY_AGAIN = 11002;
constexpr int WSANO_RECOVERY = 11003;
constexpr int WSANO_DATA = 11004;

// The error code of the last failed call of this thread.
int WSAGetLastError();
void WSASetLastError(int code);
// The WinSock code for an errno value (10000 + the WinSock number; errno
// values without a WinSock counterpart give 10022 "Invalid argument").
int errorFromErrno(int errnoValue);
// The WinSock code for a getaddrinfo result (11001 host not found, ...).
int errorFromResolver(int gaiResult);

// The start-up record (WSADATA) as the socket layer reads it.
struct WsaData {
    uint16_t wVersion = 0;
    uint16_t wHighVersion = 0;
    QByteArray szDescription;
    QByteArray szSystemStatus;
    uint16_t iMaxSockets = 0;
    uint16_t iMaxUdpDg = 0;
};

// The process-wide binding: live-object count and start-up state.
class Binding {
public:
    // Raises or lowers the count of live socket objects; the last one out
    // stops WinSock (cleanup).
    static void addObject();
    static void releaseObject();
    static int liveObjects();
    // Starts WinSock if needed (the first call after a stop counts a new
    // start-up); true when started.
    static bool ensureStarted();
    static bool started();
    // How often WinSock was started since the program began (tests read it).
    static int startupCount();
    // The start-up record; starts WinSock for the copy and stops it again at
    // once when no socket object lives.
    static WsaData winsockInfo();
    // The requested version (low byte major, high byte minor).
    static uint8_t reqVerLow();
    static uint8_t reqVerHigh();
    static void setReqVer(uint8_t low, uint8_t high);
};

// Receives the notices of asyncSelect.
class NoticeTarget {
public:
    virtual ~NoticeTarget() = default;
    // bits: one FD_* bit per call; error: WinSock code (0 = none).
    virtual void socketNotice(TSocket s, int bits, int error) = 0;
};

TSocket socket(int family, int type, int protocol);
int bind(TSocket s, const sockaddr* addr, socklen_t len);
int listen(TSocket s, int backlog);
TSocket accept(TSocket s, sockaddr* addr, socklen_t* len);
int connect(TSocket s, const sockaddr* addr, socklen_t len);
int send(TSocket s, const void* data, int len, int flags);
// One send of several blocks in their order (as WSASend with several
// buffers): the count of bytes the kernel took, which may end inside any
// block; a short count arms the write notice as send does.
struct SendBlock {
    const char* data;
    int len;
};
int sendBlocks(TSocket s, const SendBlock* blocks, int count, int flags);
int recv(TSocket s, void* buf, int len, int flags);
int sendto(TSocket s, const void* data, int len, int flags, const sockaddr* to, socklen_t toLen);
int recvfrom(TSocket s, void* buf, int len, int flags, sockaddr* from, socklen_t* fromLen);
int shutdown(TSocket s, int how);
int closesocket(TSocket s);
int setsockopt(TSocket s, int level, int name, const void* value, socklen_t len);
int getsockopt(TSocket s, int level, int name, void* value, socklen_t* len);
int getsockname(TSocket s, sockaddr* addr, socklen_t* len);
int getpeername(TSocket s, sockaddr* addr, socklen_t* len);
// FIONREAD: bytes pending; FIONBIO: non-blocking on/off.
constexpr long FIONREAD_ = 0x4004667F;
constexpr long FIONBIO_ = 0x8004667E;
int ioctlsocket(TSocket s, long cmd, unsigned long* arg);
// inet_addr: INADDR_NONE (all ones) for a text that is no address.
uint32_t inet_addr(const QByteArray& dotted);
QByteArray inet_ntoa(in_addr a);

// Asks for notices of s (mask of FD_* bits) to target; mask 0 stops them.
// From a thread other than the one that asked before, only after that one
// stopped them (10022 otherwise); the notices then come in the calling
// thread.
int asyncSelect(TSocket s, NoticeTarget* target, int mask);
// Bytes of a connected stream socket that the kernel holds and the peer has
// not taken yet (not sent, or sent and not acknowledged); 0 when unknown.
// Not a WinSock call: it tells a transfer that still moves on the wire from
// one that stalled after the last hand-over.
int unsentBytes(TSocket s);
// Hands s over with the bytes still to send (see above). s must not be used
// by the caller afterwards.
void closeAfterSending(TSocket s, const QByteArray& pending);

} // namespace WinSock
