// Name resolution of the socket layer: error texts, the resolver functions,
// the asynchronous lookups and the addresses of both ends.
#include "exchange/net/AsyncSocket.h"

#include <QHostAddress>
#include <QHostInfo>

#include <arpa/inet.h>
#include <cstring>
#include <netdb.h>

using namespace WinSock;

QString SocketErrorText(int ErrCode)
{
    switch (ErrCode) {
    case 0: return QStringLiteral("No Error");
    case 10004: return QStringLiteral("Interrupted system call");
    case 10009: return QStringLiteral("Bad file number");
    case 10013: return QStringLiteral("Permission denied");
    case 10014: return QStringLiteral("Bad address");
    case 10022: return QStringLiteral("Invalid argument");
    case 10024: return QStringLiteral("Too many open files");
    case 10035: return QStringLiteral("Operation would block");
    case 10036: return QStringLiteral("Operation now in progress");
    case 10037: return QStringLiteral("Operation already in progress");
    case 10038: return QStringLiteral("Socket operation on non-socket");
    case 10039: return QStringLiteral("Destination address required");
    case 10040: return QStringLiteral("Message too long");
    case 10041: return QStringLiteral("Protocol wrong type for socket");
    case 10042: return QStringLiteral("Protocol not available");
    case 10043: return QStringLiteral("Protocol not supported");
    case 10044: return QStringLiteral("Socket type not supported");
    case 10045: return QStringLiteral("Operation not supported on socket");
    case 10046: return QStringLiteral("Protocol family not supported");
    case 10047: return QStringLiteral("Address family not supported by protocol family");
    case 10048: return QStringLiteral("Address already in use");
    case 10049: return QStringLiteral("Address not available");
    case 10050: return QStringLiteral("Network is down");
    case 10051: return QStringLiteral("Network is unreachable");
    case 10052: return QStringLiteral("Network dropped connection on reset");
    case 10053: return QStringLiteral("Connection aborted");
    case 10054: return QStringLiteral("Connection reset by peer");
    case 10055: return QStringLiteral("No buffer space available");
    case 10056: return QStringLiteral("Socket is already connected");
    case 10057: return QStringLiteral("Socket is not connected");
    case 10058: return QStringLiteral("Can't send after socket shutdown");
    case 10059: return QStringLiteral("Too many references: can't splice");
    case 10060: return QStringLiteral("Connection timed out");
    case 10061: return QStringLiteral("Connection refused");
    case 10062: return QStringLiteral("Too many levels of symbolic links");
    case 10063: return QStringLiteral("File name too long");
    case 10064: return QStringLiteral("Host is down");
    case 10065: return QStringLiteral("No route to host");
    case 10066: return QStringLiteral("Directory not empty");
    case 10067: return QStringLiteral("Too many processes");
    case 10068: return QStringLiteral("Too many users");
    case 10069: return QStringLiteral("Disc quota exceeded");
    case 10070: return QStringLiteral("Stale NFS file handle");
    case 10071: return QStringLiteral("Too many levels of remote in path");
    case 10091: return QStringLiteral("Network sub-system is unusable");
    case 10092: return QStringLiteral("WinSock DLL cannot support this application");
    case 10093: return QStringLiteral("WinSock not initialized");
    case 11001: return QStringLiteral("Host not found");
    case 11002: return QStringLiteral("Non-authoritative host not found");
    case 11003: return QStringLiteral("Non-recoverable error");
    case 11004: return QStringLiteral("No Data");
    default: return QStringLiteral("Not a WinSock error");
    }
}

bool IsDottedIP(const QString& S)
{
    int I = 0;
    const int N = int(S.size());
    while (I < N && S[I] == QLatin1Char(' '))
        ++I;
    if (I < N && S[I] == QLatin1Char('.'))
        return false;
    int DotCount = 0;
    int Num = 0;
    bool HaveDigit = false;
    while (I < N) {
        const QChar C = S[I];
        if (C >= QLatin1Char('0') && C <= QLatin1Char('9')) {
            Num = Num * 10 + (C.unicode() - '0');
            if (Num > 255)
                return false;
            HaveDigit = true;
            ++I;
        } else if (C == QLatin1Char('.')) {
            ++DotCount;
            if (DotCount > 3 || !HaveDigit || I + 1 >= N || !S[I + 1].isDigit()
                || S[I + 1].unicode() > '9')
                return false;
            Num = 0;
            HaveDigit = false;
            ++I;
        } else {
            // Only blanks may follow the last number.
            while (I < N && S[I] == QLatin1Char(' '))
                ++I;
            if (I < N)
                return false;
            break;
        }
    }
    return DotCount == 3 && HaveDigit && Num <= 255;
}

int ParseLeadingNumber(const QString& S)
{
    int I = 0;
    const int N = int(S.size());
    while (I < N && S[I] == QLatin1Char(' '))
        ++I;
    qint64 Value = 0;
    while (I < N && S[I] >= QLatin1Char('0') && S[I] <= QLatin1Char('9')) {
        Value = Value * 10 + (S[I].unicode() - '0');
        if (Value > std::numeric_limits<int>::max())
            throw ESocketException(QStringLiteral("Integer overflow"));
        ++I;
    }
    return int(Value);
}

uint32_t SocketResolveHost(const QString& InAddr)
{
    if (InAddr.isEmpty() || InAddr.size() > 256)
        throw ESocketException(QStringLiteral("SocketResolveHost: '%1' Invalid Hostname.").arg(InAddr));
    if (IsDottedIP(InAddr)) {
        const QByteArray Text = InAddr.trimmed().toLatin1();
        const uint32_t A = WinSock::inet_addr(Text);
        if (A == INADDR_NONE && Text != "255.255.255.255")
            throw ESocketException(QStringLiteral("SocketResolveHost: '%1' Invalid IP address.").arg(InAddr));
        return A;
    }
    addrinfo Hints{};
    Hints.ai_family = AF_INET;
    Hints.ai_socktype = SOCK_STREAM;
    addrinfo* Res = nullptr;
    const int R = ::getaddrinfo(InAddr.trimmed().toUtf8().constData(), nullptr, &Hints, &Res);
    if (R != 0 || !Res) {
        const int Code = errorFromResolver(R);
        WSASetLastError(Code);
        throw ESocketException(
            QStringLiteral("SocketResolveHost: Cannot convert host address '%1', Error #%2").arg(InAddr).arg(Code));
    }
    const uint32_t A = reinterpret_cast<const sockaddr_in*>(Res->ai_addr)->sin_addr.s_addr;
    ::freeaddrinfo(Res);
    return A;
}

uint16_t SocketResolvePort(const QString& Port, const QString& Proto)
{
    if (Port.isEmpty() || Port.size() >= 32)
        throw ESocketException(QStringLiteral("SocketResolvePort: Invalid Port."));
    if (Proto.isEmpty() || Proto.size() >= 32)
        throw ESocketException(QStringLiteral("SocketResolvePort: Invalid Proto."));
    if (Port[0].isDigit() && Port[0].unicode() <= '9') {
        const int Value = ParseLeadingNumber(Port);
        if (Value > 65535)
            throw ESocketException(QStringLiteral("Range check error"));
        return uint16_t(Value);
    }
    servent Entry{};
    servent* Found = nullptr;
    char Buf[1024];
    const QByteArray PortText = Port.trimmed().toLatin1();
    const QByteArray ProtoText = Proto.trimmed().toLatin1();
    ::getservbyname_r(PortText.constData(), ProtoText.isEmpty() ? nullptr : ProtoText.constData(), &Entry, Buf,
        sizeof Buf, &Found);
    if (!Found) {
        WSASetLastError(WSANO_DATA);
        throw ESocketException(
            QStringLiteral("SocketResolvePort: Cannot convert port '%1', Error #%2").arg(Port).arg(WSANO_DATA));
    }
    return ntohs(uint16_t(Found->s_port));
}

int SocketResolveProto(const QString& Proto)
{
    if (Proto.isEmpty() || Proto.size() >= 32)
        throw ESocketException(QStringLiteral("SocketResolveProto: Invalid Protocol."));
    if (Proto[0].isDigit() && Proto[0].unicode() <= '9')
        return ParseLeadingNumber(Proto);
    const QString Lower = Proto.trimmed().toLower();
    if (Lower == QLatin1String("tcp"))
        return IPPROTO_TCP;
    if (Lower == QLatin1String("udp"))
        return IPPROTO_UDP;
    if (Lower == QLatin1String("raw"))
        return IPPROTO_RAW;
    protoent Entry{};
    protoent* Found = nullptr;
    char Buf[1024];
    ::getprotobyname_r(Lower.toLatin1().constData(), &Entry, Buf, sizeof Buf, &Found);
    if (!Found) {
        WSASetLastError(WSANO_DATA);
        throw ESocketException(
            QStringLiteral("SocketResolveProto: Cannot convert protocol '%1', Error #%2").arg(Lower).arg(WSANO_DATA));
    }
    return Found->p_proto;
}

// ---- Lookups ---------------------------------------------------------------

namespace {

constexpr quint64 asockLookupMark = quint64(1) << 40;

int asockHostInfoError(const QHostInfo& Info)
{
    switch (Info.error()) {
    case QHostInfo::NoError: return 0;
    case QHostInfo::HostNotFound: return WSAHOST_NOT_FOUND;
    default: return WSANO_RECOVERY;
    }
}

} // namespace

void TCustomAsyncSocket::DnsLookup(const QString& HostName)
{
    if (HostName.isEmpty()) {
        RaiseError(QStringLiteral("DNS lookup: invalid host name."));
        FireDnsLookupDone(WSAEINVAL);
        return;
    }
    if (FDnsLookupHandle) {
        QHostInfo::abortHostLookup(int(FDnsLookupHandle - asockLookupMark));
        FDnsLookupHandle = 0;
    }
    FDnsResult.clear();
    FDnsResultList.clear();
    if (IsDottedIP(HostName)) {
        const QByteArray Text = HostName.trimmed().toLatin1();
        const uint32_t A = WinSock::inet_addr(Text);
        if (A != INADDR_NONE) {
            in_addr In{};
            In.s_addr = A;
            FDnsResult = QString::fromLatin1(WinSock::inet_ntoa(In));
            FDnsResultList.append(FDnsResult);
            FireDnsLookupDone(0);
            return;
        }
    }
    // The name server is asked by Qt's resolver threads; the answer comes
    // back through the event loop.
    const int Id = QHostInfo::lookupHost(HostName.trimmed(), FWindow ? FWindow : static_cast<QObject*>(this), [this](const QHostInfo& Info) {
        if (FDnsLookupHandle != asockLookupMark + quint64(Info.lookupId()))
            return;
        FDnsLookupHandle = 0;
        int Err = asockHostInfoError(Info);
        if (Err == 0) {
            for (const QHostAddress& A : Info.addresses()) {
                if (A.protocol() != QAbstractSocket::IPv4Protocol)
                    continue;
                if (FDnsResultList.size() >= 256)
                    break;
                FDnsResultList.append(A.toString());
            }
            if (FDnsResultList.isEmpty())
                Err = WSANO_DATA;
            else
                FDnsResult = FDnsResultList.first();
        }
        try {
            FireDnsLookupDone(quint16(Err));
        } catch (const std::exception& E) {
            HandleBackgroundError(E);
        }
    });
    FDnsLookupHandle = asockLookupMark + quint64(Id);
}

void TCustomAsyncSocket::ReverseDnsLookup(const QString& HostAddr)
{
    if (HostAddr.isEmpty() || HostAddr.size() > 256) {
        RaiseError(QStringLiteral("ReverseDnsLookup: Invalid host name."));
        FireDnsLookupDone(WSAEINVAL);
        return;
    }
    if (FDnsLookupHandle) {
        QHostInfo::abortHostLookup(int(FDnsLookupHandle - asockLookupMark));
        FDnsLookupHandle = 0;
    }
    FDnsResult.clear();
    FDnsResultList.clear();
    const QString Address = HostAddr.trimmed();
    const int Id = QHostInfo::lookupHost(Address, FWindow ? FWindow : static_cast<QObject*>(this), [this, Address](const QHostInfo& Info) {
        if (FDnsLookupHandle != asockLookupMark + quint64(Info.lookupId()))
            return;
        FDnsLookupHandle = 0;
        int Err = asockHostInfoError(Info);
        if (Err == 0 && (Info.hostName().isEmpty() || Info.hostName() == Address))
            Err = WSAHOST_NOT_FOUND;
        if (Err == 0) {
            FDnsResult = Info.hostName();
            FDnsResultList.append(FDnsResult);
        }
        try {
            FireDnsLookupDone(quint16(Err));
        } catch (const std::exception& E) {
            HandleBackgroundError(E);
        }
    });
    FDnsLookupHandle = asockLookupMark + quint64(Id);
}

void TCustomAsyncSocket::ReverseDnsLookupNow(const QString& HostAddr)
{
    if (HostAddr.isEmpty() || HostAddr.size() > 256) {
        RaiseError(QStringLiteral("ReverseDnsLookup: Invalid host name."));
        FireDnsLookupDone(WSAEINVAL);
        return;
    }
    if (FDnsLookupHandle) {
        QHostInfo::abortHostLookup(int(FDnsLookupHandle - asockLookupMark));
        FDnsLookupHandle = 0;
    }
    FDnsResult.clear();
    FDnsResultList.clear();
    sockaddr_in Sa{};
    Sa.sin_family = AF_INET;
    Sa.sin_addr.s_addr = WinSock::inet_addr(HostAddr.trimmed().toLatin1());
    char Host[NI_MAXHOST] = {};
    const int R = ::getnameinfo(reinterpret_cast<const sockaddr*>(&Sa), sizeof Sa, Host, sizeof Host, nullptr, 0,
        NI_NAMEREQD);
    if (R != 0) {
        FireDnsLookupDone(quint16(errorFromResolver(R)));
        return;
    }
    FDnsResult = QString::fromUtf8(Host);
    FDnsResultList.append(FDnsResult);
    FireDnsLookupDone(0);
}

void TCustomAsyncSocket::CancelDnsLookup()
{
    if (!FDnsLookupHandle)
        return;
    QHostInfo::abortHostLookup(int(FDnsLookupHandle - asockLookupMark));
    FDnsLookupHandle = 0;
    if (!FDestroying)
        FireDnsLookupDone(WSAEINTR);
}

// ---- The two ends ------------------------------------------------------------

QString TCustomAsyncSocket::GetPeerAddr()
{
    if (FState != skConnected)
        return QStringLiteral("error");
    sockaddr_in Peer{};
    socklen_t Len = sizeof Peer;
    if (WinSock::getpeername(FHSocket, reinterpret_cast<sockaddr*>(&Peer), &Len) != 0) {
        SocketError(QStringLiteral("GetPeerAddr"));
        return QStringLiteral("error");
    }
    return QString::fromLatin1(WinSock::inet_ntoa(Peer.sin_addr));
}

QString TCustomAsyncSocket::GetPeerPort()
{
    if (FState != skConnected)
        return QStringLiteral("error");
    sockaddr_in Peer{};
    socklen_t Len = sizeof Peer;
    if (WinSock::getpeername(FHSocket, reinterpret_cast<sockaddr*>(&Peer), &Len) != 0) {
        SocketError(QStringLiteral("GetPeerPort"));
        return QStringLiteral("error");
    }
    return QString::number(ntohs(Peer.sin_port));
}

int TCustomAsyncSocket::GetPeerName(sockaddr_in& Name, int NameLen)
{
    if (FState != skConnected)
        return -1;
    socklen_t Len = socklen_t(NameLen);
    return WinSock::getpeername(FHSocket, reinterpret_cast<sockaddr*>(&Name), &Len);
}

QString TCustomAsyncSocket::GetBoundPort()
{
    if (FState != skBound && FState != skConnected && FState != skListening)
        return QStringLiteral("error");
    sockaddr_in Local{};
    socklen_t Len = sizeof Local;
    if (WinSock::getsockname(FHSocket, reinterpret_cast<sockaddr*>(&Local), &Len) != 0)
        return QStringLiteral("error");
    return QString::number(ntohs(Local.sin_port));
}

QString TCustomAsyncSocket::GetBoundAddr()
{
    if (FState != skBound && FState != skConnected && FState != skListening)
        return QStringLiteral("error");
    sockaddr_in Local{};
    socklen_t Len = sizeof Local;
    if (WinSock::getsockname(FHSocket, reinterpret_cast<sockaddr*>(&Local), &Len) != 0)
        return QStringLiteral("error");
    return QString::fromLatin1(WinSock::inet_ntoa(Local.sin_addr));
}

int TCustomAsyncSocket::GetSockName(sockaddr_in& Name, int& NameLen)
{
    socklen_t Len = socklen_t(NameLen);
    const int R = WinSock::getsockname(FHSocket, reinterpret_cast<sockaddr*>(&Name), &Len);
    NameLen = int(Len);
    return R;
}
