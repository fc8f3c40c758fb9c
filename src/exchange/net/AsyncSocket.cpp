// The asynchronous socket: states, events, the send queue, connecting,
// receiving and closing.
#include "exchange/net/AsyncSocket.h"

#include "exchange/net/WSockBuf.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

#include <arpa/inet.h>
#include <atomic>
#include <mutex>
#include <netinet/tcp.h>

using namespace WinSock;

namespace {

std::mutex& asockQueueLock()
{
    static std::mutex m;
    return m;
}

bool asockClosedSessionError(int code)
{
    return code == WSAECONNRESET || code == WSAENOTSOCK || code == WSAENOTCONN || code == WSAEINVAL
        || code == WSAECONNABORTED;
}

} // namespace

// The window stand-in: receives the posted messages of one socket in the
// thread that made it.
class TSocketWindow : public QObject {
public:
    explicit TSocketWindow(TCustomAsyncSocket* Owner) : FOwner(Owner) {}
    // The socket lets go of its window: messages still on their way are
    // dropped.
    void Release() { FOwner = nullptr; }

protected:
    bool event(QEvent* E) override
    {
        if (E->type() != TSocketMessage::eventType())
            return QObject::event(E);
        if (TCustomAsyncSocket* Owner = FOwner)
            Owner->DispatchWindowMessage(*static_cast<TSocketMessage*>(E));
        return true;
    }

private:
    std::atomic<TCustomAsyncSocket*> FOwner;
};

QEvent::Type TSocketMessage::eventType()
{
    static const QEvent::Type t = QEvent::Type(QEvent::registerEventType());
    return t;
}

QString SocketStateName(TSocketState State)
{
    switch (State) {
    case skInvalidState: return QStringLiteral("skInvalidState");
    case skOpened: return QStringLiteral("skOpened");
    case skBound: return QStringLiteral("skBound");
    case skConnecting: return QStringLiteral("skConnecting");
    case skSocksConnected: return QStringLiteral("skSocksConnected");
    case skConnected: return QStringLiteral("skConnected");
    case skAccepting: return QStringLiteral("skAccepting");
    case skListening: return QStringLiteral("skListening");
    case skClosed: return QStringLiteral("skClosed");
    }
    return QString();
}

WinSock::WsaData WinsockInfo()
{
    return Binding::winsockInfo();
}

TCustomAsyncSocket::TCustomAsyncSocket(QObject* AOwner) : QObject(AOwner)
{
    CreateNotifyWindow();
    FMultiCastIpTTL = 1;
    FListenBacklog = 5;
    FBufferedByteCount = 0;
    ResetDefaults();
    FKeepAliveOnOff = skKeepAliveOnSystem;
    FKeepAliveTime = 30000;
    FKeepAliveInterval = 1000;
    Binding::addObject();
}

TCustomAsyncSocket::~TCustomAsyncSocket()
{
    FDestroying = true;
    // No event reaches an owner that may be half gone.
    OnSessionAvailable = nullptr;
    OnSessionConnected = nullptr;
    OnSessionClosed = nullptr;
    OnChangeState = nullptr;
    OnDataAvailable = nullptr;
    OnDataSent = nullptr;
    OnSendData = nullptr;
    OnDnsLookupDone = nullptr;
    OnError = nullptr;
    OnBgException = nullptr;
    try {
        CancelDnsLookup();
    } catch (...) {
    }
    if (FState != skClosed) {
        try {
            DoClose(true, 0);
        } catch (...) {
        }
    }
    if (FHSocket != InvalidSocket) {
        WinSock::closesocket(FHSocket);
        FHSocket = InvalidSocket;
    }
    Binding::releaseObject();
    DiscardQueue();
    DestroyNotifyWindow();
}

// ---- The window and threads -------------------------------------------------

void TCustomAsyncSocket::CreateNotifyWindow()
{
    FWindow = new TSocketWindow(this);
    FThreadId = QThread::currentThread();
}

void TCustomAsyncSocket::DestroyNotifyWindow()
{
    if (!FWindow)
        return;
    // Messages still posted to the window go with it.
    static_cast<TSocketWindow*>(FWindow)->Release();
    if (FWindow->thread() == QThread::currentThread())
        delete FWindow;
    else
        FWindow->deleteLater();
    FWindow = nullptr;
}

void TCustomAsyncSocket::ThreadDetach()
{
    if (QThread::currentThread() != FThreadId) {
        RaiseError(QStringLiteral("Cannot detach from other thread"));
        return;
    }
    if (FHSocket != InvalidSocket)
        WinSock::asyncSelect(FHSocket, this, 0);
    DestroyNotifyWindow();
    // Free of any thread, so that the attaching thread can take it.
    if (!parent() && thread() == QThread::currentThread())
        moveToThread(nullptr);
}

void TCustomAsyncSocket::ThreadAttach()
{
    if (FWindow) {
        RaiseError(QStringLiteral("Cannot attach when not detached"));
        return;
    }
    if (!thread())
        moveToThread(QThread::currentThread());
    CreateNotifyWindow();
    if (FHSocket != InvalidSocket && FSelectEvent != 0)
        WinSock::asyncSelect(FHSocket, this, FSelectEvent);
}

// ---- Properties -----------------------------------------------------------

void TCustomAsyncSocket::SetAddr(const QString& Value)
{
    if (FState != skClosed) {
        RaiseError(QStringLiteral("Cannot change Addr if not closed"));
        return;
    }
    if (!FAddrAssigned || Value.trimmed() != FAddrStr) {
        FAddrStr = Value.trimmed();
        FAddrAssigned = !FAddrStr.isEmpty();
        if (FAddrAssigned)
            FAddrResolved = false;
    }
}

void TCustomAsyncSocket::SetPort(const QString& Value)
{
    if (FState != skClosed) {
        RaiseError(QStringLiteral("Cannot change Port if not closed"));
        return;
    }
    if (!FPortAssigned || Value.trimmed() != FPortStr) {
        FPortStr = Value.trimmed();
        FPortAssigned = !FPortStr.isEmpty();
        if (FPortAssigned)
            FPortResolved = false;
    }
}

void TCustomAsyncSocket::SetProto(const QString& Value)
{
    if (FState != skClosed) {
        RaiseError(QStringLiteral("Cannot change Proto if not closed"));
        return;
    }
    if (!FProtoAssigned || Value.trimmed() != FProtoStr) {
        FProtoStr = Value.trimmed();
        FProtoAssigned = !FProtoStr.isEmpty();
        if (FProtoAssigned)
            FProtoResolved = false;
    }
}

void TCustomAsyncSocket::SetLocalAddr(const QString& Value)
{
    if (FState != skClosed) {
        RaiseError(QStringLiteral("Cannot change LocalAddr if not closed"));
        return;
    }
    FLocalAddr = Value.isEmpty() ? QStringLiteral("0.0.0.0") : Value;
}

void TCustomAsyncSocket::SetLocalPort(const QString& Value)
{
    if (FState != skClosed) {
        RaiseError(QStringLiteral("Cannot change LocalPort if not closed"));
        return;
    }
    FLocalPortStr = Value;
    FLocalPortResolved = false;
}

uint8_t TCustomAsyncSocket::ReqVerLow() const
{
    return Binding::reqVerLow();
}

uint8_t TCustomAsyncSocket::ReqVerHigh() const
{
    return Binding::reqVerHigh();
}

void TCustomAsyncSocket::SetReqVerLow(uint8_t Value)
{
    if (Value == Binding::reqVerLow())
        return;
    if (Binding::started()) {
        RaiseError(QStringLiteral("SetReqVerLow: WinSock version can't be changed now"));
        return;
    }
    Binding::setReqVer(Value, Binding::reqVerHigh());
}

void TCustomAsyncSocket::SetReqVerHigh(uint8_t Value)
{
    if (Value == Binding::reqVerHigh())
        return;
    if (Binding::started()) {
        RaiseError(QStringLiteral("SetReqVerHigh: WinSock version can't be changed now"));
        return;
    }
    Binding::setReqVer(Binding::reqVerLow(), Value);
}

TSocketSendFlags TCustomAsyncSocket::SendFlags()
{
    if (FSendFlags == 0)
        return skSendNormal;
    if (FSendFlags == MSG_OOB)
        return skSendUrgent;
    RaiseError(QStringLiteral("Invalid internal SendFlags"));
    return skSendNormal;
}

void TCustomAsyncSocket::SetSendFlags(TSocketSendFlags Value)
{
    switch (Value) {
    case skSendNormal: FSendFlags = 0; break;
    case skSendUrgent: FSendFlags = MSG_OOB; break;
    default: RaiseError(QStringLiteral("Invalid SendFlags"));
    }
}

// ---- Messages and notices --------------------------------------------------

void TCustomAsyncSocket::PostMessageToSelf(int Msg, intptr_t WParam, intptr_t LParam)
{
    // Without a window (detached) the message is lost, as one posted to a
    // window that is gone.
    if (FWindow)
        QCoreApplication::postEvent(FWindow, new TSocketMessage(Msg, WParam, LParam));
}

void TCustomAsyncSocket::DispatchWindowMessage(TSocketMessage& Msg)
{
    try {
        HandleMessage(Msg);
    } catch (const ESocketException& Ex) {
        HandleBackgroundError(Ex);
    } catch (const std::exception& Ex) {
        HandleBackgroundError(Ex);
    }
}

bool TCustomAsyncSocket::event(QEvent* E)
{
    if (E->type() != TSocketMessage::eventType())
        return QObject::event(E);
    DispatchWindowMessage(*static_cast<TSocketMessage*>(E));
    return true;
}

void TCustomAsyncSocket::socketNotice(TSocket S, int Bits, int Error)
{
    TSocketMessage Msg(WM_ASYNCSELECT, S, intptr_t((uint32_t(Error) << 16) | uint32_t(Bits & 0xFFFF)));
    try {
        HandleMessage(Msg);
    } catch (const std::exception& Ex) {
        HandleBackgroundError(Ex);
    }
}

void TCustomAsyncSocket::HandleMessage(TSocketMessage& Msg)
{
    switch (Msg.Msg) {
    case WM_ASYNCSELECT: {
        if (TSocket(Msg.WParam) != FHSocket || FPaused)
            return;
        const int Bits = int(Msg.LParam & 0xFFFF);
        const quint16 ErrCode = quint16((Msg.LParam >> 16) & 0xFFFF);
        // Each handler may close the socket; the later bits then belong to
        // a session that is over.
        const TSocket Handle = FHSocket;
        if ((Bits & FdConnect) && FHSocket == Handle)
            HandleConnectNotice(ErrCode);
        if ((Bits & FdRead) && FHSocket == Handle)
            HandleReadNotice(ErrCode);
        if ((Bits & FdWrite) && FHSocket == Handle)
            HandleWriteNotice(ErrCode);
        if ((Bits & FdAccept) && FHSocket == Handle)
            HandleAcceptNotice(ErrCode);
        if ((Bits & FdClose) && FHSocket == Handle)
            HandleCloseNotice(ErrCode);
        return;
    }
    case WM_CLOSE_DELAYED:
        Close();
        return;
    case WM_FREE_DELAYED:
        deleteLater();
        return;
    case WM_TRIGGER_EXCEPTION:
        throw ESocketException(QStringLiteral("Test exception in AsyncSocket"));
    case WM_SEND_DONE: {
        // What Send did on the spot, reported from the loop: the bytes handed
        // to the network, then a closed session or the write notice.
        if (TSocket(Msg.WParam) != FHSocket)
            return;
        const int Sent = FSendDataPending;
        FSendDataPending = 0;
        if (Sent > 0)
            FireSendData(Sent);
        if (FSendFailure) {
            const int Code = FSendFailure;
            FSendFailure = 0;
            FCloseInvoked = true;
            DiscardQueue();
            DoClose(false, 0);
            FireSessionClosed(quint16(Code));
            return;
        }
        if (bAllSent && FHSocket != InvalidSocket && !FPaused)
            HandleWriteNotice(0);
        return;
    }
    case WM_ASYNCGETHOSTBYNAME:
    case WM_ASYNCGETHOSTBYADDR:
        return;
    default:
        return;
    }
}

void TCustomAsyncSocket::HandleConnectNotice(quint16 ErrCode)
{
    if (FState == skConnected)
        return;
    ChangeState(skConnected);
    SessionConnectedHook(ErrCode);
    if (ErrCode != 0 && FState != skClosed)
        DoClose(true, ErrCode);
}

void TCustomAsyncSocket::HandleReadNotice(quint16 ErrCode)
{
    if (FState != skConnected) {
        ChangeState(skConnected);
        SessionConnectedHook(ErrCode);
    }
    ReceiveLoop(ErrCode, FComponentOptions);
}

void TCustomAsyncSocket::HandleWriteNotice(quint16 ErrCode)
{
    TryToSend();
    if (bAllSent)
        FireDataSent(ErrCode);
}

void TCustomAsyncSocket::HandleAcceptNotice(quint16 ErrCode)
{
    FireSessionAvailable(ErrCode);
}

void TCustomAsyncSocket::HandleCloseNotice(quint16 ErrCode)
{
    if (FState == skConnecting || FHSocket == InvalidSocket)
        return;
    ReceiveLoop(ErrCode, FComponentOptions & ~TSocketOptions(skoNoReceiveLoop));
    if (!FCloseInvoked && FHSocket != InvalidSocket) {
        FCloseInvoked = true;
        FireSessionClosed(ErrCode);
    }
    if (FState != skClosed)
        DoClose(true, ErrCode);
}

void TCustomAsyncSocket::ReceiveLoop(quint16 ErrCode, TSocketOptions Options)
{
    const TSocket Handle = FHSocket;
    try {
        for (;;) {
            FLastError = 0;
            if (!FireDataAvailable(ErrCode)) {
                char Junk[1024];
                if (RecvRaw(Junk, sizeof Junk, 0) < 0 && FLastError == WSAEWOULDBLOCK) {
                    FLastError = 0;
                    break;
                }
            }
            if (Options & skoNoReceiveLoop)
                break;
            if (FHSocket != Handle || FHSocket == InvalidSocket)
                break;
            if (FLastError != 0) {
                if (FLastError == -1)
                    FLastError = 0;
                break;
            }
            unsigned long Pending = 0;
            if (WinSock::ioctlsocket(FHSocket, FIONREAD_, &Pending) != 0) {
                FLastError = WSAGetLastError();
                break;
            }
            if (Pending == 0)
                break;
        }
    } catch (...) {
        // An exception inside a round ends the loop silently.
    }
}

// ---- Firing ----------------------------------------------------------------

bool TCustomAsyncSocket::FireDataAvailable(quint16 ErrCode)
{
    if (!OnDataAvailable)
        return false;
    OnDataAvailable(this, ErrCode);
    return true;
}

void TCustomAsyncSocket::FireSessionAvailable(quint16 ErrCode)
{
    if (OnSessionAvailable)
        OnSessionAvailable(this, ErrCode);
}

void TCustomAsyncSocket::SessionConnectedHook(quint16 ErrCode)
{
    FireSessionConnected(ErrCode);
}

void TCustomAsyncSocket::FireSessionConnected(quint16 ErrCode)
{
    if (OnSessionConnected)
        OnSessionConnected(this, ErrCode);
}

void TCustomAsyncSocket::FireSessionClosed(quint16 ErrCode)
{
    if (OnSessionClosed)
        OnSessionClosed(this, ErrCode);
}

void TCustomAsyncSocket::FireDataSent(quint16 ErrCode)
{
    if (OnDataSent)
        OnDataSent(this, ErrCode);
}

void TCustomAsyncSocket::FireChangeState(TSocketState OldState, TSocketState NewState)
{
    if (OnChangeState)
        OnChangeState(this, OldState, NewState);
}

void TCustomAsyncSocket::FireDnsLookupDone(quint16 ErrCode)
{
    if (OnDnsLookupDone)
        OnDnsLookupDone(this, ErrCode);
}

void TCustomAsyncSocket::FireError()
{
    if (OnError)
        OnError(this);
}

void TCustomAsyncSocket::FireSendData(int BytesSent)
{
    if (OnSendData)
        OnSendData(this, BytesSent);
}

void TCustomAsyncSocket::ChangeState(TSocketState NewState)
{
    const TSocketState OldState = FState;
    FState = NewState;
    if (OldState != NewState)
        FireChangeState(OldState, NewState);
}

// ---- Errors ----------------------------------------------------------------

void TCustomAsyncSocket::RaiseError(const QString& Msg)
{
    if (OnError)
        FireError();
    else
        throw ESocketException(Msg);
}

void TCustomAsyncSocket::SocketErrorCode(const QString& Sockfunc, int Code)
{
    const QString Line = QStringLiteral("Error %1 in function %2\r\n%3").arg(Code).arg(Sockfunc, SocketErrorText(Code));
    if (Code == WSAECONNRESET || Code == WSAENOTCONN) {
        if (FHSocket != InvalidSocket) {
            WinSock::closesocket(FHSocket);
            FHSocket = InvalidSocket;
        }
        if (FState != skClosed && !FCloseInvoked) {
            FCloseInvoked = true;
            FireSessionClosed(quint16(Code));
        }
        ChangeState(skClosed);
    }
    FLastError = Code;
    RaiseError(Line);
}

void TCustomAsyncSocket::SocketError(const QString& Sockfunc)
{
    SocketErrorCode(Sockfunc, WSAGetLastError());
}

void TCustomAsyncSocket::HandleBackgroundError(const std::exception& E)
{
    bool CanClose = true;
    if (OnBgException) {
        try {
            OnBgException(this, E, CanClose);
        } catch (...) {
        }
    }
    if (CanClose) {
        try {
            Abort();
        } catch (...) {
        }
    }
}

// ---- Defaults ----------------------------------------------------------------

void TCustomAsyncSocket::ResetDefaults()
{
    sin = sockaddr_in{};
    sin.sin_family = AF_INET;
    FAddrFormat = AF_INET;
    FPortAssigned = false;
    FAddrAssigned = false;
    FAddrResolved = false;
    FPortResolved = false;
    FProtoResolved = false;
    FLocalPortResolved = false;
    FProtoAssigned = true;
    FProto = IPPROTO_TCP;
    FProtoStr = QStringLiteral("tcp");
    FType = SOCK_STREAM;
    FLocalPortStr = QStringLiteral("0");
    FLocalAddr = QStringLiteral("0.0.0.0");
    // The platform's orderly close unless the owner sets a linger of its own.
    FLingerOnOff = skLingerNoSet;
    FLingerTimeout = 0;
    FHSocket = InvalidSocket;
    FSelectEvent = 0;
    FState = skClosed;
    bAllSent = true;
    FPaused = false;
    FReadCount = 0;
    FCloseInvoked = false;
    FFlushTimeout = 60;
    FSendDataPending = 0;
    FSendFailure = 0;
}

// ---- Connecting ------------------------------------------------------------

int TCustomAsyncSocket::AskSelect(int Mask)
{
    FSelectEvent = Mask;
    return WinSock::asyncSelect(FHSocket, this, Mask);
}

void TCustomAsyncSocket::ResolveForConnect()
{
    if (!FProtoResolved) {
        FProto = SocketResolveProto(FProtoStr);
        FType = FProto == IPPROTO_TCP ? SOCK_STREAM : FProto == IPPROTO_UDP ? SOCK_DGRAM : SOCK_RAW;
        FProtoResolved = true;
    }
    if (!FPortResolved) {
        sin.sin_port = htons(SocketResolvePort(FPortStr, FProtoStr));
        FPortNum = ntohs(sin.sin_port);
        FPortResolved = true;
    }
    if (!FLocalPortResolved) {
        FLocalPortNum = SocketResolvePort(FLocalPortStr, FProtoStr);
        FLocalPortResolved = true;
    }
    if (!FAddrResolved) {
        sin.sin_addr.s_addr = SocketResolveHost(FAddrStr);
        FAddrResolved = true;
    }
}

void TCustomAsyncSocket::Connect()
{
    if (FHSocket != InvalidSocket && FState != skClosed) {
        RaiseError(QStringLiteral("Connect: Socket already in use"));
        return;
    }
    if (!FPortAssigned) {
        RaiseError(QStringLiteral("Connect: No Port Specified"));
        return;
    }
    if (!FAddrAssigned) {
        RaiseError(QStringLiteral("Connect: No IP Address Specified"));
        return;
    }
    if (!FProtoAssigned) {
        RaiseError(QStringLiteral("Connect: No Protocol Specified"));
        return;
    }
    try {
        ResolveForConnect();
    } catch (const ESocketException& E) {
        RaiseError(QStringLiteral("connect: ") + E.Message());
        return;
    }
    DiscardQueue();
    FHSocket = WinSock::socket(FAddrFormat, FType, FProto);
    if (FHSocket == InvalidSocket) {
        SocketError(QStringLiteral("Connect (socket)"));
        return;
    }
    int Size = 0;
    socklen_t Len = sizeof Size;
    if (WinSock::getsockopt(FHSocket, SOL_SOCKET, SO_SNDBUF, &Size, &Len) != 0) {
        SocketError(QStringLiteral("WinSock::getsockopt(SO_SNDBUF)"));
        return;
    }
    Len = sizeof Size;
    if (WinSock::getsockopt(FHSocket, SOL_SOCKET, SO_RCVBUF, &Size, &Len) != 0) {
        SocketError(QStringLiteral("WinSock::getsockopt(SO_RCVBUF)"));
        return;
    }
    ChangeState(skOpened);
    if (FState != skOpened) {
        WSASetLastError(WSAEINVAL);
        SocketError(QStringLiteral("Connect (Invalid operation in OnChangeState)"));
        return;
    }
    if (FType == SOCK_DGRAM) {
        BindLocal();
        if (FHSocket == InvalidSocket)
            return;
        if (FMultiCast) {
            if (FMultiCastIpTTL != 1) {
                const unsigned char Ttl = static_cast<unsigned char>(FMultiCastIpTTL);
                if (WinSock::setsockopt(FHSocket, IPPROTO_IP, IP_MULTICAST_TTL, &Ttl, sizeof Ttl) != 0) {
                    SocketError(QStringLiteral("WinSock::setsockopt(IP_MULTICAST_TTL)"));
                    return;
                }
            }
            if (FLocalAddr != QLatin1String("0.0.0.0")) {
                in_addr If{};
                If.s_addr = SocketResolveHost(FLocalAddr);
                if (WinSock::setsockopt(FHSocket, IPPROTO_IP, IP_MULTICAST_IF, &If, sizeof If) != 0) {
                    SocketError(QStringLiteral("WinSock::setsockopt(IP_MULTICAST_IF)"));
                    return;
                }
            }
        }
        if (sin.sin_addr.s_addr == INADDR_BROADCAST) {
            const int On = 1;
            if (WinSock::setsockopt(FHSocket, SOL_SOCKET, SO_BROADCAST, &On, sizeof On) != 0) {
                SocketError(QStringLiteral("WinSock::setsockopt(SO_BROADCAST)"));
                return;
            }
        }
    } else {
        const int On = 1;
        if (WinSock::setsockopt(FHSocket, SOL_SOCKET, SO_REUSEADDR, &On, sizeof On) != 0) {
            SocketError(QStringLiteral("WinSock::setsockopt(SO_REUSEADDR)"));
            return;
        }
        if (FComponentOptions & skoTcpNoDelay) {
            if (WinSock::setsockopt(FHSocket, IPPROTO_TCP, TCP_NODELAY, &On, sizeof On) != 0) {
                SocketError(QStringLiteral("WinSock::setsockopt(IPPROTO_TCP, TCP_NODELAY)"));
                return;
            }
        }
        SetLingerOption();
        SetKeepAliveOption();
        if (FHSocket == InvalidSocket)
            return;
        if (FLocalPortNum != 0 || FLocalAddr != QLatin1String("0.0.0.0")) {
            BindLocal();
            if (FHSocket == InvalidSocket)
                return;
        }
    }
    if (AskSelect(FdRead | FdWrite | FdAccept | FdConnect | FdClose) != 0) {
        SocketError(QStringLiteral("WSAAsyncSelect"));
        return;
    }
    if (FType == SOCK_DGRAM) {
        ChangeState(skConnected);
        SessionConnectedHook(0);
        return;
    }
    if (WinSock::connect(FHSocket, reinterpret_cast<const sockaddr*>(&sin), sizeof sin) == 0
        || WSAGetLastError() == WSAEWOULDBLOCK) {
        ChangeState(skConnecting);
        return;
    }
    FLastError = WSAGetLastError();
    SocketError(QStringLiteral("Connect"));
}

void TCustomAsyncSocket::MarkConnected()
{
    ChangeState(skConnected);
}

// ---- Receiving -------------------------------------------------------------

int TCustomAsyncSocket::RecvRaw(void* Buffer, int BufferSize, int Flags)
{
    if (FHSocket == InvalidSocket) {
        WSASetLastError(WSAENOTSOCK);
        FLastError = WSAENOTSOCK;
        return -1;
    }
    const int R = WinSock::recv(FHSocket, Buffer, BufferSize, Flags);
    if (R < 0)
        FLastError = WSAGetLastError();
    return R;
}

int TCustomAsyncSocket::Receive(void* Buffer, int BufferSize)
{
    const int R = RecvRaw(Buffer, BufferSize, 0);
    if (R < 0)
        FLastError = WSAGetLastError();
    else
        FReadCount += R;
    return R;
}

int TCustomAsyncSocket::GetRcvdCount()
{
    if (FHSocket == InvalidSocket)
        return -1;
    unsigned long Pending = 0;
    if (WinSock::ioctlsocket(FHSocket, FIONREAD_, &Pending) != 0) {
        SocketError(QStringLiteral("ioctlSocket"));
        return -1;
    }
    return int(Pending);
}

QByteArray TCustomAsyncSocket::ReceiveStr()
{
    int Count = GetRcvdCount();
    if (Count < 0)
        return QByteArray();
    if (Count == 0)
        Count = 255;
    QByteArray Result(Count, '\0');
    const int N = Receive(Result.data(), Count);
    if (N <= 0)
        return QByteArray();
    Result.truncate(N);
    return Result;
}

// ---- Sending ---------------------------------------------------------------

void TCustomAsyncSocket::QueueData(const void* Data, int Len)
{
    if (Len <= 0 || !Data)
        return;
    std::lock_guard<std::mutex> Guard(asockQueueLock());
    if (FBufList.empty())
        FBufList.push_back(std::make_unique<TBuffer>(FBufSize));
    TBuffer* Last = FBufList.back().get();
    FBufferedByteCount += Len;
    const char* P = static_cast<const char*>(Data);
    int Rest = Len;
    int Taken = Last->Write(P, Rest);
    while (Taken < Rest) {
        P += Taken;
        Rest -= Taken;
        FBufList.push_back(std::make_unique<TBuffer>(FBufSize));
        Last = FBufList.back().get();
        Taken = Last->Write(P, Rest);
    }
    bAllSent = false;
}

void TCustomAsyncSocket::DiscardQueue()
{
    std::lock_guard<std::mutex> Guard(asockQueueLock());
    FBufList.clear();
    FBufferedByteCount = 0;
}

int TCustomAsyncSocket::SendRaw(const void* Data, int Len)
{
    int R;
    if (FType == SOCK_DGRAM)
        R = WinSock::sendto(FHSocket, Data, Len, FSendFlags, reinterpret_cast<const sockaddr*>(&sin), sizeof sin);
    else
        R = WinSock::send(FHSocket, Data, Len, FSendFlags);
    return R;
}

namespace {
// Set while Send runs, so that TryToSend reports from the loop instead.
thread_local const TCustomAsyncSocket* asockInsideSend = nullptr;
}

void TCustomAsyncSocket::removeSent(int Count)
{
    // Emptied chunks leave the queue, except the last one, kept for reuse.
    while (Count > 0) {
        TBuffer* First = FBufList.front().get();
        Count -= First->Remove(Count);
        if (First->UnsentCount() > 0 || FBufList.size() == 1)
            break;
        FBufList.pop_front();
    }
}

void TCustomAsyncSocket::TryToSend()
{
    const bool InsideSend = asockInsideSend == this;
    int ClosedCode = 0;
    {
        std::unique_lock<std::mutex> Guard(asockQueueLock());
        if (FHSocket == InvalidSocket || FBufList.empty()) {
            bAllSent = true;
            return;
        }
        for (;;) {
            TBuffer* First = FBufList.front().get();
            int Len = 0;
            const char* P = First->Peek(Len);
            if (Len <= 0) {
                if (FBufList.size() > 1) {
                    FBufList.pop_front();
                    continue;
                }
                bAllSent = true;
                return;
            }
            // A stream socket's queued chunks go in one call where there are
            // several (a 64 KB block of a file is 45 chunks): one system call
            // instead of one for every 1,460 bytes.
            int Count;
            if (FType != SOCK_DGRAM && FBufList.size() > 1) {
                WinSock::SendBlock Blocks[kChunksPerSend];
                int N = 0;
                int Total = 0;
                for (const auto& Chunk : FBufList) {
                    int ChunkLen = 0;
                    const char* Data = Chunk->Peek(ChunkLen);
                    if (ChunkLen <= 0)
                        continue;
                    Blocks[N++] = {Data, ChunkLen};
                    Total += ChunkLen;
                    if (N == kChunksPerSend)
                        break;
                }
                Len = Total;
                Count = WinSock::sendBlocks(FHSocket, Blocks, N, FSendFlags);
            } else {
                Count = SendRaw(P, Len);
            }
            if (Count > 0) {
                FBufferedByteCount = std::max(0, FBufferedByteCount - Count);
                removeSent(Count);
                if (InsideSend) {
                    FSendDataPending += Count;
                } else {
                    Guard.unlock();
                    FireSendData(Count);
                    Guard.lock();
                    if (FHSocket == InvalidSocket || FBufList.empty()) {
                        bAllSent = true;
                        return;
                    }
                }
                if (Count < Len)
                    return;
                continue;
            }
            if (Count == 0)
                return;
            const int Err = WSAGetLastError();
            if (Err == WSAEWOULDBLOCK)
                return;
            if (asockClosedSessionError(Err)) {
                ClosedCode = Err;
                break;
            }
            Guard.unlock();
            FLastError = Err;
            SocketErrorCode(QStringLiteral("TryToSend failed"), Err);
            return;
        }
    }
    if (InsideSend) {
        // Reported from the loop (WM_SEND_DONE), never inside Send.
        FSendFailure = ClosedCode;
        return;
    }
    FCloseInvoked = true;
    DiscardQueue();
    Close();
    FireSessionClosed(quint16(ClosedCode));
}

int TCustomAsyncSocket::Send(const void* Data, int Len)
{
    if (FState != skConnected && FState != skSocksConnected) {
        // Nothing is queued and a connect in progress goes on.
        WSASetLastError(WSAENOTCONN);
        FLastError = WSAENOTCONN;
        RaiseError(QStringLiteral("Error %1 in function Send\r\n%2").arg(WSAENOTCONN).arg(SocketErrorText(WSAENOTCONN)));
        return -1;
    }
    bAllSent = false;
    int Result = 0;
    if (Len > 0) {
        Result = Len;
        QueueData(Data, Len);
    }
    asockInsideSend = this;
    try {
        TryToSend();
    } catch (...) {
        asockInsideSend = nullptr;
        throw;
    }
    asockInsideSend = nullptr;
    if (bAllSent || FSendDataPending > 0 || FSendFailure)
        PostMessageToSelf(WM_SEND_DONE, FHSocket, 0);
    return Result;
}

int TCustomAsyncSocket::SendStr(const QByteArray& Str)
{
    if (Str.isEmpty())
        return 0;
    return Send(Str.constData(), int(Str.size()));
}

void TCustomAsyncSocket::Flush()
{
    while (FHSocket != InvalidSocket && !bAllSent) {
        TryToSend();
        MessagePump();
    }
}

// ---- Closing ---------------------------------------------------------------

void TCustomAsyncSocket::Shutdown(int How)
{
    if (FHSocket != InvalidSocket)
        WinSock::shutdown(FHSocket, How);
}

void TCustomAsyncSocket::Close()
{
    DoClose(true, 0);
}

void TCustomAsyncSocket::DoClose(bool ShutFirst, quint16 ErrCode)
{
    if (FHSocket == InvalidSocket) {
        if (FState != skClosed) {
            ChangeState(skClosed);
            ResetDefaults();
        }
        return;
    }
    if (FState == skClosed)
        return;
    const TSocket Handle = FHSocket;
    FHSocket = InvalidSocket;
    // Bytes still queued go out from the event loop after the close, with an
    // orderly end (unless the owner asked for a linger of its own or an
    // abort, which dropped the queue).
    QByteArray Pending;
    {
        std::lock_guard<std::mutex> Guard(asockQueueLock());
        for (const auto& B : FBufList) {
            int Len = 0;
            const char* P = B->Peek(Len);
            if (Len > 0)
                Pending.append(P, Len);
        }
        FBufList.clear();
        FBufferedByteCount = 0;
    }
    if (ShutFirst && FType == SOCK_STREAM && FState == skConnected && FLingerOnOff == skLingerNoSet) {
        WinSock::asyncSelect(Handle, nullptr, 0);
        WinSock::closeAfterSending(Handle, Pending);
    } else {
        if (ShutFirst && FType == SOCK_STREAM && FState == skConnected)
            WinSock::shutdown(Handle, SHUT_WR);
        if (WinSock::closesocket(Handle) != 0) {
            FLastError = WSAGetLastError();
            if (FLastError != WSANOTINITIALISED) {
                SocketError(QStringLiteral("Disconnect (closesocket)"));
                return;
            }
        }
    }
    ChangeState(skClosed);
    if (!FDestroying && !FCloseInvoked) {
        FCloseInvoked = true;
        FireSessionClosed(ErrCode);
    }
    try {
        ResetDefaults();
    } catch (...) {
    }
}

void TCustomAsyncSocket::DoAbort(quint16 ErrCode)
{
    CancelDnsLookup();
    DiscardQueue();
    if (FState == skConnected && FProto == IPPROTO_TCP && FHSocket != InvalidSocket) {
        FLingerOnOff = skLingerOff;
        // A linger of on with time 0 makes the close a reset.
        linger L{1, 0};
        WinSock::setsockopt(FHSocket, SOL_SOCKET, SO_LINGER, &L, sizeof L);
    }
    DoClose(false, ErrCode);
}

void TCustomAsyncSocket::Abort()
{
    DoAbort(0);
}

void TCustomAsyncSocket::PostClose()
{
    PostMessageToSelf(WM_CLOSE_DELAYED, 0, 0);
}

void TCustomAsyncSocket::PostFree()
{
    PostMessageToSelf(WM_FREE_DELAYED, 0, 0);
}

void TCustomAsyncSocket::DrainUntilClosed()
{
    while (FHSocket != InvalidSocket && FState != skClosed) {
        MessagePump();
        if (FHSocket == InvalidSocket)
            break;
        unsigned long Pending = 0;
        if (WinSock::ioctlsocket(FHSocket, FIONREAD_, &Pending) != 0)
            break;
        if (Pending > 0)
            FireDataAvailable(0);
        if (FHSocket == InvalidSocket)
            break;
        char Probe;
        const int R = ::recv(FHSocket, &Probe, 1, MSG_PEEK | MSG_DONTWAIT);
        if (R < 1) {
            const int Err = R == 0 ? 0 : errorFromErrno(errno);
            if (Err != WSAEWOULDBLOCK) {
                FLastError = Err;
                break;
            }
        }
        MessagePump();
    }
}

// ---- Pausing and the event loop --------------------------------------------

bool TCustomAsyncSocket::Pause()
{
    FPaused = true;
    if (FHSocket == InvalidSocket)
        return false;
    return WinSock::asyncSelect(FHSocket, this, 0) == 0;
}

bool TCustomAsyncSocket::Resume()
{
    FPaused = false;
    if (FHSocket == InvalidSocket)
        return false;
    return WinSock::asyncSelect(FHSocket, this, FSelectEvent) == 0;
}

void TCustomAsyncSocket::MessagePump()
{
    if (FMultiThreaded)
        ProcessMessages();
    else
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TCustomAsyncSocket::ProcessMessages()
{
    QCoreApplication::sendPostedEvents();
    if (auto* D = QThread::currentThread()->eventDispatcher())
        D->processEvents(QEventLoop::AllEvents);
}
