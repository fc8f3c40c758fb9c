// The socket's server side and options: listening, accepting, adopting an
// accepted handle, datagrams, binding, linger and keep-alive.
#include "exchange/net/AsyncSocket.h"

#include <arpa/inet.h>
#include <netinet/tcp.h>

using namespace WinSock;

void TCustomAsyncSocket::Listen()
{
    if (!FPortAssigned) {
        WSASetLastError(WSAEINVAL);
        SocketError(QStringLiteral("listen: port not assigned"));
        return;
    }
    if (!FProtoAssigned) {
        WSASetLastError(WSAEINVAL);
        SocketError(QStringLiteral("listen: protocol not assigned"));
        return;
    }
    if (!FAddrAssigned) {
        WSASetLastError(WSAEINVAL);
        SocketError(QStringLiteral("listen: address not assigned"));
        return;
    }
    try {
        if (!FProtoResolved) {
            if (FProtoStr.left(4).compare(QLatin1String("raw_"), Qt::CaseInsensitive) == 0) {
                FType = SOCK_RAW;
                FProto = SocketResolveProto(FProtoStr.mid(4, 10));
            } else {
                FProto = SocketResolveProto(FProtoStr);
                FType = FProto == IPPROTO_UDP ? SOCK_DGRAM : SOCK_STREAM;
            }
            FProtoResolved = true;
        }
        if (!FPortResolved) {
            sin.sin_port = htons(SocketResolvePort(FPortStr, FType == SOCK_RAW ? QStringLiteral("raw") : FProtoStr));
            FPortNum = ntohs(sin.sin_port);
            FPortResolved = true;
        }
        if (!FAddrResolved) {
            sin.sin_addr.s_addr = SocketResolveHost(FAddrStr);
            FAddrResolved = true;
        }
    } catch (const ESocketException& E) {
        RaiseError(QStringLiteral("listen: ") + E.Message());
        return;
    }
    DiscardQueue();
    FHSocket = WinSock::socket(FAddrFormat, FType, FProto);
    if (FHSocket == InvalidSocket) {
        SocketError(QStringLiteral("socket"));
        return;
    }
    if (FType == SOCK_DGRAM && FReuseAddr) {
        const int On = 1;
        if (WinSock::setsockopt(FHSocket, SOL_SOCKET, SO_REUSEADDR, &On, sizeof On) != 0) {
            SocketError(QStringLiteral("WinSock::setsockopt(SO_REUSEADDR)"));
            Close();
            return;
        }
    }
    if (FType == SOCK_STREAM) {
        // A listening port can be taken again at once after a close.
        const int On = 1;
        WinSock::setsockopt(FHSocket, SOL_SOCKET, SO_REUSEADDR, &On, sizeof On);
    }
    if (WinSock::bind(FHSocket, reinterpret_cast<const sockaddr*>(&sin), sizeof sin) != 0) {
        const int Err = WSAGetLastError();
        // The handle goes first, so that the object is closed when the error
        // arrives.
        WinSock::closesocket(FHSocket);
        FHSocket = InvalidSocket;
        ResetDefaults();
        SocketErrorCode(QStringLiteral("Bind"), Err);
        return;
    }
    ChangeState(skBound);
    if (FType == SOCK_STREAM) {
        if (WinSock::listen(FHSocket, FListenBacklog) != 0) {
            SocketError(QStringLiteral("Listen"));
            return;
        }
        ChangeState(skListening);
    } else if (FType == SOCK_DGRAM || FType == SOCK_RAW) {
        if (FType == SOCK_DGRAM && FMultiCast) {
            ip_mreq Mreq{};
            Mreq.imr_multiaddr.s_addr = WinSock::inet_addr(FMultiCastAddrStr.toLatin1());
            Mreq.imr_interface.s_addr = sin.sin_addr.s_addr;
            if (WinSock::setsockopt(FHSocket, IPPROTO_IP, IP_ADD_MEMBERSHIP, &Mreq, sizeof Mreq) != 0) {
                SocketError(QStringLiteral("WinSock::setsockopt(IP_ADD_MEMBERSHIP)"));
                return;
            }
        }
        // Receiving every packet of an interface has no counterpart here;
        // a raw socket receives the packets of its protocol.
        ChangeState(skListening);
        ChangeState(skConnected);
        SessionConnectedHook(0);
        if (FHSocket == InvalidSocket)
            return;
    } else {
        SocketError(QStringLiteral("Listen: unexpected protocol."));
        return;
    }
    if (AskSelect(FdRead | FdWrite | FdAccept | FdClose) != 0) {
        SocketError(QStringLiteral("WSAASyncSelect"));
        return;
    }
}

TSocket TCustomAsyncSocket::Accept()
{
    if (FState != skListening) {
        WSASetLastError(WSAEINVAL);
        SocketError(QStringLiteral("not a listening socket"));
        return InvalidSocket;
    }
    socklen_t Len = sizeof sin;
    FASocket = WinSock::accept(FHSocket, reinterpret_cast<sockaddr*>(&sin), &Len);
    if (FASocket == InvalidSocket) {
        SocketError(QStringLiteral("Accept"));
        return InvalidSocket;
    }
    return FASocket;
}

void TCustomAsyncSocket::Dup(TSocket NewHSocket)
{
    if (NewHSocket == 0 || NewHSocket == InvalidSocket) {
        WSASetLastError(WSAEINVAL);
        SocketError(QStringLiteral("Dup"));
        return;
    }
    if (FState != skClosed) {
        if (FHSocket != InvalidSocket) {
            const TSocket Old = FHSocket;
            FHSocket = InvalidSocket;
            if (WinSock::closesocket(Old) != 0) {
                SocketError(QStringLiteral("Dup (closesocket)"));
                return;
            }
        }
        ChangeState(skClosed);
    }
    FHSocket = NewHSocket;
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
    SetLingerOption();
    if (AskSelect(FdRead | FdWrite | FdConnect | FdClose) != 0) {
        SocketError(QStringLiteral("WSAAsyncSelect"));
        return;
    }
    FCloseInvoked = false;
    MarkConnected();
}

void TCustomAsyncSocket::BindLocal()
{
    sockaddr_in Local{};
    Local.sin_family = AF_INET;
    Local.sin_port = htons(uint16_t(FLocalPortNum));
    try {
        Local.sin_addr.s_addr = SocketResolveHost(FLocalAddr);
    } catch (const ESocketException& E) {
        RaiseError(E.Message());
        return;
    }
    if (WinSock::bind(FHSocket, reinterpret_cast<const sockaddr*>(&Local), sizeof Local) != 0) {
        const int Err = WSAGetLastError();
        FLastError = Err;
        RaiseError(QStringLiteral("winsock.bind failed, error #%1").arg(Err));
        return;
    }
    socklen_t Len = sizeof Local;
    if (WinSock::getsockname(FHSocket, reinterpret_cast<sockaddr*>(&Local), &Len) != 0) {
        RaiseError(QStringLiteral("winsock.getsockname failed, error #%1").arg(WSAGetLastError()));
        return;
    }
    FLocalPortNum = ntohs(Local.sin_port);
    FLocalPortStr = QString::number(FLocalPortNum);
}

void TCustomAsyncSocket::SetLingerOption()
{
    if (FLingerOnOff == skLingerNoSet)
        return;
    if (FHSocket == InvalidSocket) {
        RaiseError(QStringLiteral("Cannot set linger option at this time"));
        return;
    }
    linger L{};
    L.l_onoff = FLingerOnOff == skLingerOn ? 1 : 0;
    L.l_linger = uint16_t(FLingerTimeout);
    if (WinSock::setsockopt(FHSocket, SOL_SOCKET, SO_LINGER, &L, sizeof L) != 0)
        SocketError(QStringLiteral("WinSock::setsockopt(SO_LINGER)"));
}

void TCustomAsyncSocket::SetKeepAliveOption()
{
    if (FKeepAliveOnOff == skKeepAliveOff)
        return;
    const int On = 1;
    if (WinSock::setsockopt(FHSocket, SOL_SOCKET, SO_KEEPALIVE, &On, sizeof On) != 0) {
        SocketError(QStringLiteral("WinSock::setsockopt(SO_KEEPALIVE)"));
        return;
    }
    if (FKeepAliveOnOff == skKeepAliveOnCustom) {
        // The time before the first probe and between probes, in seconds
        // here (the values are kept in milliseconds).
        const int Idle = std::max(1, FKeepAliveTime / 1000);
        const int Interval = std::max(1, FKeepAliveInterval / 1000);
        if (WinSock::setsockopt(FHSocket, IPPROTO_TCP, TCP_KEEPIDLE, &Idle, sizeof Idle) != 0
            || WinSock::setsockopt(FHSocket, IPPROTO_TCP, TCP_KEEPINTVL, &Interval, sizeof Interval) != 0)
            SocketError(QStringLiteral("Socket_WSAIoctl(SIO_KEEPALIVE_VALS)"));
    }
}

int TCustomAsyncSocket::SendTo(const sockaddr_in& Dest, int DestLen, const void* Data, int Len)
{
    const int R = WinSock::sendto(FHSocket, Data, Len, FSendFlags, reinterpret_cast<const sockaddr*>(&Dest),
        socklen_t(DestLen));
    if (R > 0) {
        FireSendData(R);
        if (R == Len && FType == SOCK_DGRAM)
            PostMessageToSelf(WM_ASYNCSELECT, FHSocket, FdWrite);
    }
    return R;
}

int TCustomAsyncSocket::ReceiveFrom(void* Buffer, int BufferSize, sockaddr_in& From, int& FromLen)
{
    socklen_t Len = socklen_t(FromLen);
    const int R = WinSock::recvfrom(FHSocket, Buffer, BufferSize, 0, reinterpret_cast<sockaddr*>(&From), &Len);
    FromLen = int(Len);
    if (R < 0)
        FLastError = WSAGetLastError();
    else
        FReadCount += R;
    return R;
}
