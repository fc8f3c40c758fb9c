// Connecting through a SOCKS proxy (versions 4, 4A and 5 with user name and
// password): the negotiation runs between the TCP connection to the proxy
// and OnSessionConnected, so the owner sees the events of a direct
// connection.
#include "exchange/net/AsyncSocket.h"

#include <arpa/inet.h>

using namespace WinSock;

namespace {

// Longest user name, password or host name a request carries (one length
// byte in version 5; the same bound keeps version 4 requests small).
constexpr int socksLongestField = 255;

QString socks5ReplyText(int Reply)
{
    switch (Reply) {
    case 1: return QStringLiteral("general SOCKS server failure");
    case 2: return QStringLiteral("connection not allowed by ruleset");
    case 3: return QStringLiteral("network unreachable");
    case 4: return QStringLiteral("host unreachable");
    case 5: return QStringLiteral("connection refused");
    case 6: return QStringLiteral("time to live expired");
    case 7: return QStringLiteral("command not supported");
    case 8: return QStringLiteral("address type not supported");
    default: return QStringLiteral("unassigned error #%1").arg(Reply);
    }
}

} // namespace

TCustomSocksSocket::TCustomSocksSocket(QObject* AOwner) : TCustomAsyncSocket(AOwner) {}

void TCustomSocksSocket::SetSocksServer(const QString& Value)
{
    if (FState != skClosed) {
        RaiseError(QStringLiteral("Can't change socks server if not closed"));
        return;
    }
    FSocksServer = Value.trimmed();
    FSocksServerAssigned = !FSocksServer.isEmpty();
}

void TCustomSocksSocket::SetSocksPort(const QString& Value)
{
    if (FState != skClosed) {
        RaiseError(QStringLiteral("Can't change socks port if not closed"));
        return;
    }
    FSocksPort = Value.trimmed();
    FSocksPortAssigned = !FSocksPort.isEmpty();
}

void TCustomSocksSocket::SetSocksLevel(const QString& Value)
{
    if (FState != skClosed) {
        RaiseError(QStringLiteral("Can't change socks level if not closed"));
        return;
    }
    const QString Upper = Value.toUpper();
    if (Upper != QLatin1String("4") && Upper != QLatin1String("4A") && Upper != QLatin1String("5")) {
        RaiseError(QStringLiteral("Invalid socks level. Must be 4, 4A or 5."));
        return;
    }
    FSocksLevel = Upper;
}

void TCustomSocksSocket::ResetDefaults()
{
    TCustomAsyncSocket::ResetDefaults();
    FSocksState = SocksStateData;
    FSocksServer.clear();
    FSocksPort.clear();
    FSocksLevel = QStringLiteral("5");
    FSocksServerAssigned = false;
    FSocksPortAssigned = false;
    FLeftover.clear();
    FRcvBuf.clear();
}

void TCustomSocksSocket::Listen()
{
    if (FSocksServerAssigned) {
        RaiseError(QStringLiteral("Listening is not supported thru socks server"));
        return;
    }
    TCustomAsyncSocket::Listen();
}

void TCustomSocksSocket::Connect()
{
    if (!FSocksServerAssigned) {
        TCustomAsyncSocket::Connect();
        return;
    }
    const QString P = FProtoStr.trimmed();
    if (P.compare(QLatin1String("tcp"), Qt::CaseInsensitive) != 0 && P != QLatin1String("6")) {
        RaiseError(QStringLiteral("tcp is the only protocol supported thru socks server"));
        return;
    }
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
    try {
        if (!FPortResolved) {
            sin.sin_port = htons(SocketResolvePort(FSocksPort, FProtoStr));
            FPortResolved = true;
        }
        if (!FAddrResolved) {
            sin.sin_addr.s_addr = SocketResolveHost(FSocksServer);
            FAddrResolved = true;
        }
        FSocksDestPort = SocketResolvePort(FPortStr, FProtoStr);
        FPortNum = FSocksDestPort;
    } catch (const ESocketException& E) {
        RaiseError(QStringLiteral("connect: ") + E.Message());
        return;
    }
    FSocksState = SocksStateMethods;
    FSocksRequestNotices = 0;
    FRcvBuf.clear();
    FLeftover.clear();
    TCustomAsyncSocket::Connect();
}

void TCustomSocksSocket::FireSocksConnected(quint16 ErrCode)
{
    if (OnSocksConnected)
        OnSocksConnected(this, ErrCode);
}

void TCustomSocksSocket::FireSocksError(int Error, const QString& Msg)
{
    if (OnSocksError)
        OnSocksError(this, Error, Msg);
}

void TCustomSocksSocket::SessionConnectedHook(quint16 ErrCode)
{
    if (FSocksState != SocksStateMethods) {
        TCustomAsyncSocket::SessionConnectedHook(ErrCode);
        return;
    }
    FireSocksConnected(ErrCode);
    if (ErrCode != 0) {
        FSocksState = SocksStateData;
        TCustomAsyncSocket::SessionConnectedHook(ErrCode);
        return;
    }
    if (FSocksLevel.startsWith(QLatin1Char('4'))) {
        SocksDoConnect();
        return;
    }
    FSocksMethod = FSocksAuthentication == socksAuthenticateUsercode ? 2 : 0;
    QByteArray Req;
    Req.append(char(5)).append(char(1)).append(char(FSocksMethod));
    SocksSendRequest(Req);
}

void TCustomSocksSocket::SocksSendRequest(const QByteArray& Request)
{
    try {
        Send(Request.constData(), int(Request.size()));
        ++FSocksRequestNotices;
    } catch (...) {
        // A failed request shows as the proxy's silence or a close.
    }
}

void TCustomSocksSocket::SocksDoConnect()
{
    FSocksState = SocksStateConnect;
    FRcvBuf.clear();
    const QByteArray Host = FAddrStr.toUtf8();
    const QByteArray User = FSocksUsercode.toUtf8();
    QByteArray Req;
    if (FSocksLevel.startsWith(QLatin1Char('4'))) {
        const bool Level4A = FSocksLevel == QLatin1String("4A");
        if (User.size() > socksLongestField) {
            SocksFailure(20014, QStringLiteral("user name too long"));
            return;
        }
        if (Level4A && Host.size() > socksLongestField) {
            SocksFailure(20014, QStringLiteral("host name too long"));
            return;
        }
        uint32_t Ip = htonl(1);
        if (!Level4A) {
            try {
                Ip = SocketResolveHost(FAddrStr);
            } catch (const ESocketException& E) {
                FireSocksError(20017, QStringLiteral("ESocketException ") + E.Message());
                FSocksState = SocksStateData;
                DoClose(true, 20017);
                return;
            }
        }
        Req.append(char(4)).append(char(1));
        Req.append(char(FSocksDestPort >> 8)).append(char(FSocksDestPort & 0xFF));
        Req.append(reinterpret_cast<const char*>(&Ip), 4);
        Req.append(User).append('\0');
        if (Level4A)
            Req.append(Host).append('\0');
    } else {
        if (Host.size() > socksLongestField) {
            SocksFailure(20014, QStringLiteral("host name too long"));
            return;
        }
        Req.append(char(5)).append(char(1)).append(char(0)).append(char(3));
        Req.append(char(Host.size())).append(Host);
        Req.append(char(FSocksDestPort >> 8)).append(char(FSocksDestPort & 0xFF));
    }
    SocksSendRequest(Req);
}

void TCustomSocksSocket::SocksDoAuthenticate()
{
    const QByteArray User = FSocksUsercode.toUtf8();
    const QByteArray Pass = FSocksPassword.toUtf8();
    if (User.size() > socksLongestField) {
        SocksFailure(20014, QStringLiteral("user name too long"));
        return;
    }
    if (Pass.size() > socksLongestField) {
        SocksFailure(20014, QStringLiteral("password too long"));
        return;
    }
    FSocksState = SocksStateAuth;
    if (OnSocksAuthState)
        OnSocksAuthState(this, socksAuthStart);
    QByteArray Req;
    Req.append(char(1)).append(char(User.size())).append(User).append(char(Pass.size())).append(Pass);
    SocksSendRequest(Req);
}

void TCustomSocksSocket::SocksFailure(int Code, const QString& Msg)
{
    FireSocksError(Code, Msg);
    FSocksState = SocksStateData;
    FRcvBuf.clear();
    SessionConnectedHook(quint16(Code));
    DoClose(true, quint16(Code));
}

bool TCustomSocksSocket::FireDataAvailable(quint16 ErrCode)
{
    if (FSocksState == SocksStateData)
        return TCustomAsyncSocket::FireDataAvailable(ErrCode);
    if (ErrCode != 0) {
        SocksFailure(ErrCode, QStringLiteral("data receive error"));
        return true;
    }
    const int Want = SocksReadLimit() - int(FRcvBuf.size());
    if (Want <= 0) {
        SocksParseReply();
        return true;
    }
    char Buf[262];
    const int N = TCustomAsyncSocket::RecvRaw(Buf, Want, 0);
    if (N <= 0)
        return true;
    FRcvBuf.append(Buf, N);
    SocksParseReply();
    return true;
}

int TCustomSocksSocket::SocksReadLimit() const
{
    // Only the bytes of the reply awaited are taken, so that nothing that
    // follows it is lost: two for the method and the authentication
    // replies, eight for a version 4 reply; a version 5 reply may carry a
    // host name of up to 255 bytes (what follows it is kept as leftover).
    switch (FSocksState) {
    case SocksStateMethods:
    case SocksStateAuth:
        return 2;
    case SocksStateConnect:
        return FSocksLevel.startsWith(QLatin1Char('4')) ? 8 : 262;
    default:
        return 127;
    }
}

void TCustomSocksSocket::SocksReceived(const QByteArray& Bytes)
{
    if (FSocksState == SocksStateData)
        FSocksState = FSocksLevel.startsWith(QLatin1Char('4')) ? SocksStateConnect : SocksStateMethods;
    int Pos = 0;
    while (Pos < Bytes.size() && FSocksState != SocksStateData) {
        const int Take = std::min<int>(SocksReadLimit() - int(FRcvBuf.size()), int(Bytes.size()) - Pos);
        if (Take <= 0)
            break;
        FRcvBuf.append(Bytes.mid(Pos, Take));
        Pos += Take;
        SocksParseReply();
    }
}

void TCustomSocksSocket::SocksParseReply()
{
    const auto Byte = [this](int I) { return int(uint8_t(FRcvBuf[I])); };
    switch (FSocksState) {
    case SocksStateMethods: {
        if (FSocksLevel.startsWith(QLatin1Char('4'))) {
            SocksFailure(20001, QStringLiteral("TAsyncSocket logic error"));
            return;
        }
        if (FRcvBuf.size() < 2)
            return;
        const int Version = Byte(0);
        const int Method = Byte(1);
        FRcvBuf.clear();
        if (Version != 5) {
            SocksFailure(20002, QStringLiteral("socks version error"));
            return;
        }
        if (Method == 0) {
            if (FSocksMethod != 0 && OnSocksAuthState)
                OnSocksAuthState(this, socksAuthNotRequired);
            SocksDoConnect();
        } else if (Method == 2) {
            SocksDoAuthenticate();
        } else {
            SocksFailure(20003, QStringLiteral("authentification method not acceptable"));
        }
        return;
    }
    case SocksStateAuth:
        if (Byte(0) != 1) {
            SocksFailure(20002, QStringLiteral("socks version error"));
            return;
        }
        if (FRcvBuf.size() < 2)
            return;
        if (Byte(1) != 0) {
            SocksFailure(20015, QStringLiteral("socks authentication failed"));
            return;
        }
        if (FRcvBuf.size() > 2) {
            SocksFailure(20001, QStringLiteral("too much data availaible"));
            return;
        }
        FRcvBuf.clear();
        if (OnSocksAuthState)
            OnSocksAuthState(this, socksAuthSuccess);
        SocksDoConnect();
        return;
    case SocksStateConnect:
        if (FSocksLevel.startsWith(QLatin1Char('4'))) {
            if (FRcvBuf.size() < 8)
                return;
            const int Version = Byte(0);
            const int Answer = Byte(1);
            FRcvBuf.clear();
            if (Version != 0) {
                SocksFailure(20002, QStringLiteral("socks version error"));
                return;
            }
            switch (Answer) {
            case 90: break;
            case 91: SocksFailure(20016, QStringLiteral("request rejected or failed")); return;
            case 92: SocksFailure(20008, QStringLiteral("connection refused")); return;
            case 93: SocksFailure(20015, QStringLiteral("authentification failed")); return;
            default: SocksFailure(20012, QStringLiteral("unassigned error #%1").arg(Answer)); return;
            }
        } else {
            if (Byte(0) != 5) {
                SocksFailure(20002, QStringLiteral("socks version error"));
                return;
            }
            if (FRcvBuf.size() >= 2 && Byte(1) != 0) {
                const int Reply = Byte(1);
                SocksFailure(Reply >= 1 && Reply <= 8 ? 20003 + Reply : 20012, socks5ReplyText(Reply));
                return;
            }
            if (FRcvBuf.size() <= 4)
                return;
            const int Type = Byte(3);
            const int Len = Type == 1 ? 10 : Type == 3 ? Byte(4) + 7 : 5;
            if (FRcvBuf.size() < Len)
                return;
            if (Type == 1) {
                FBoundAddr = QStringLiteral("%1.%2.%3.%4").arg(Byte(4)).arg(Byte(5)).arg(Byte(6)).arg(Byte(7));
            } else if (Type == 3) {
                FBoundAddr = QString::fromLatin1(FRcvBuf.mid(5, Byte(4)));
            } else {
                SocksFailure(20011, QStringLiteral("address type not supported"));
                return;
            }
            FBoundPort = QString::number((Byte(Len - 2) << 8) | Byte(Len - 1));
            FLeftover = FRcvBuf.mid(Len);
            FRcvBuf.clear();
        }
        FSocksState = SocksStateData;
        SessionConnectedHook(0);
        if (FHSocket != InvalidSocket && GetRcvdCount() > 0)
            FireDataAvailable(0);
        return;
    default:
        SocksFailure(20013, QStringLiteral("internal error"));
        return;
    }
}

void TCustomSocksSocket::FireSessionClosed(quint16 ErrCode)
{
    if (FSocksState == SocksStateAuth && OnSocksAuthState)
        OnSocksAuthState(this, socksAuthFailure);
    TCustomAsyncSocket::FireSessionClosed(ErrCode);
}

void TCustomSocksSocket::FireDataSent(quint16 ErrCode)
{
    // The requests of the negotiation are the proxy's business, not the
    // owner's, also when their notice comes after the negotiation ended.
    if (FSocksRequestNotices > 0) {
        --FSocksRequestNotices;
        return;
    }
    if (FSocksState != SocksStateData)
        return;
    TCustomAsyncSocket::FireDataSent(ErrCode);
}

int TCustomSocksSocket::GetRcvdCount()
{
    if (!FLeftover.isEmpty())
        return int(FLeftover.size());
    return TCustomAsyncSocket::GetRcvdCount();
}

int TCustomSocksSocket::RecvRaw(void* Buffer, int BufferSize, int Flags)
{
    if (!FLeftover.isEmpty()) {
        const int N = std::min<int>(BufferSize, int(FLeftover.size()));
        memcpy(Buffer, FLeftover.constData(), size_t(N));
        FLeftover.remove(0, N);
        return N;
    }
    return TCustomAsyncSocket::RecvRaw(Buffer, BufferSize, Flags);
}
