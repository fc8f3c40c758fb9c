// Connecting through SOCKS proxies: a real SOCKS 5 proxy (microsocks) with
// and without user and password, and a small scripted responder in the test
// for versions 4 and 4A and for the replies microsocks never gives.
#include "NetTestSupport.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

using namespace NetTest;

namespace SocksSocketTestLocal {

// microsocks on 127.0.0.1, started and stopped by the test.
class SocksProxy {
public:
    bool start(const QString& User = QString(), const QString& Password = QString())
    {
        const QString Exe = QStandardPaths::findExecutable(QStringLiteral("microsocks"));
        if (Exe.isEmpty())
            return false;
        // The free port may be taken by another test before the proxy binds
        // it; the proxy then ends, and the next try takes another port.
        for (int Try = 0; Try < 5; ++Try) {
            port = freePort();
            QStringList Args{QStringLiteral("-i"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                             QString::number(port)};
            if (!User.isEmpty())
                Args << QStringLiteral("-u") << User << QStringLiteral("-P") << Password;
            proc.start(Exe, Args);
            if (!proc.waitForStarted())
                return false;
            waitFor([this] { return proc.state() != QProcess::Running || answersSocks5(port); });
            if (proc.state() == QProcess::Running && answersSocks5(port))
                return true;
            proc.kill();
            proc.waitForFinished();
        }
        return false;
    }
    // Whether the program on the port answers a SOCKS 5 greeting (so it is
    // this proxy, not another test's listener that took the port).
    static bool answersSocks5(int Port)
    {
        const int S = ::socket(AF_INET, SOCK_STREAM, 0);
        timeval Guard{2, 0};
        ::setsockopt(S, SOL_SOCKET, SO_RCVTIMEO, &Guard, sizeof Guard);
        sockaddr_in A{};
        A.sin_family = AF_INET;
        A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        A.sin_port = htons(uint16_t(Port));
        bool Ok = false;
        if (::connect(S, reinterpret_cast<sockaddr*>(&A), sizeof A) == 0) {
            const unsigned char Greeting[] = {5, 1, 0};
            unsigned char Reply[2] = {0, 0};
            Ok = ::send(S, Greeting, sizeof Greeting, MSG_NOSIGNAL) == sizeof Greeting
                 && ::recv(S, Reply, sizeof Reply, MSG_WAITALL) == sizeof Reply && Reply[0] == 5;
        }
        ::close(S);
        return Ok;
    }
    ~SocksProxy()
    {
        if (proc.state() != QProcess::NotRunning) {
            proc.kill();
            proc.waitForFinished();
        }
    }
    QProcess proc;
    int port = 0;
};

struct SocksClient {
    TAsyncSocket sock;
    EventLog log;
    QList<int> authStates;

    void setUp(int ProxyPort, const QString& Level, int TargetPort, const QString& Host = QStringLiteral("127.0.0.1"))
    {
        log.attach(sock);
        sock.OnSocksConnected = [this](TCustomAsyncSocket*, quint16 E) { log.lines << QStringLiteral("socks connected %1").arg(E); };
        sock.OnSocksError = [this](TCustomAsyncSocket*, int E, const QString& Msg) {
            log.lines << QStringLiteral("socks error %1 %2").arg(E).arg(Msg);
        };
        sock.OnSocksAuthState = [this](TCustomAsyncSocket*, TSocksAuthState A) { authStates << int(A); };
        sock.SetSocksServer(QStringLiteral("127.0.0.1"));
        sock.SetSocksPort(QString::number(ProxyPort));
        sock.SetSocksLevel(Level);
        sock.SetAddr(Host);
        sock.SetPort(QString::number(TargetPort));
    }
};

} // namespace SocksSocketTestLocal

using namespace SocksSocketTestLocal;

TEST(SocksSocket, Version5WithoutAuthenticationReachesTheTargetAndCarriesData)
{
    SocksProxy Proxy;
    ASSERT_TRUE(Proxy.start());
    Peer Target;
    const int TargetPort = Target.listen();
    SocksClient C;
    C.setUp(Proxy.port, QStringLiteral("5"), TargetPort);
    C.sock.Connect();
    ASSERT_TRUE(Target.accept());
    ASSERT_TRUE(waitFor([&] { return C.log.has(QStringLiteral("connected 0")); }));
    EXPECT_EQ(C.log.lines, (QStringList{QStringLiteral("state skClosed>skOpened"),
                               QStringLiteral("state skOpened>skConnecting"),
                               QStringLiteral("state skConnecting>skConnected"), QStringLiteral("socks connected 0"),
                               QStringLiteral("connected 0")}));
    EXPECT_TRUE(C.authStates.isEmpty());
    C.sock.SendStr("through");
    EXPECT_EQ(Target.read(7), QByteArray("through"));
    Target.send("back");
    ASSERT_TRUE(waitFor([&] { return C.log.received == "back"; }));
    // Only the owner's own send is reported as sent.
    EXPECT_EQ(C.log.lines.count(QStringLiteral("sent 0")), 1) << C.log.lines.join(QStringLiteral("|")).toStdString();
    C.sock.Close();
    // Every close forgets the proxy.
    EXPECT_EQ(C.sock.SocksServer(), QString());
    EXPECT_EQ(C.sock.SocksLevel(), QStringLiteral("5"));
}

TEST(SocksSocket, Version5WithUserAndPasswordAuthenticatesOrFailsWithItsCode)
{
    SocksProxy Proxy;
    ASSERT_TRUE(Proxy.start(QStringLiteral("bob"), QStringLiteral("secret")));
    Peer Target;
    const int TargetPort = Target.listen();

    SocksClient Good;
    Good.setUp(Proxy.port, QStringLiteral("5"), TargetPort);
    Good.sock.SetSocksAuthentication(socksAuthenticateUsercode);
    Good.sock.SetSocksUsercode(QStringLiteral("bob"));
    Good.sock.SetSocksPassword(QStringLiteral("secret"));
    Good.sock.Connect();
    ASSERT_TRUE(Target.accept());
    ASSERT_TRUE(waitFor([&] { return Good.log.has(QStringLiteral("connected 0")); }));
    EXPECT_EQ(Good.authStates, (QList<int>{socksAuthStart, socksAuthSuccess}));
    Good.sock.SendStr("ok");
    EXPECT_EQ(Target.read(2), QByteArray("ok"));

    SocksClient Bad;
    Bad.setUp(Proxy.port, QStringLiteral("5"), TargetPort);
    Bad.sock.SetSocksAuthentication(socksAuthenticateUsercode);
    Bad.sock.SetSocksUsercode(QStringLiteral("bob"));
    Bad.sock.SetSocksPassword(QStringLiteral("wrong"));
    Bad.sock.Connect();
    ASSERT_TRUE(waitFor([&] { return Bad.sock.State() == skClosed; }));
    const int First = int(Bad.log.lines.indexOf(QStringLiteral("socks error 20015 socks authentication failed")));
    ASSERT_GE(First, 0) << Bad.log.lines.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Bad.log.lines.mid(First), (QStringList{QStringLiteral("socks error 20015 socks authentication failed"),
                                            QStringLiteral("connected 20015"),
                                            QStringLiteral("state skConnected>skClosed"),
                                            QStringLiteral("closed 20015")}));

    // A proxy that wants a password and a client that offers none.
    SocksClient None;
    None.setUp(Proxy.port, QStringLiteral("5"), TargetPort);
    None.sock.Connect();
    ASSERT_TRUE(waitFor([&] { return None.sock.State() == skClosed; }));
    EXPECT_TRUE(None.log.has(QStringLiteral("socks error 20003 authentification method not acceptable")));
}

TEST(SocksSocket, TooLongNamesAreRefusedBeforeAnythingIsSent)
{
    SocksProxy Proxy;
    ASSERT_TRUE(Proxy.start(QStringLiteral("bob"), QStringLiteral("secret")));
    struct Case {
        QString user;
        QString password;
        QString host;
        QString text;
    };
    const QString Long(300, QLatin1Char('u'));
    const Case Cases[] = {
        {Long, QStringLiteral("p"), QStringLiteral("127.0.0.1"), QStringLiteral("socks error 20014 user name too long")},
        {QStringLiteral("bob"), Long, QStringLiteral("127.0.0.1"), QStringLiteral("socks error 20014 password too long")},
    };
    for (const Case& K : Cases) {
        SocksClient C;
        C.setUp(Proxy.port, QStringLiteral("5"), 21, K.host);
        C.sock.SetSocksAuthentication(socksAuthenticateUsercode);
        C.sock.SetSocksUsercode(K.user);
        C.sock.SetSocksPassword(K.password);
        C.sock.Connect();
        ASSERT_TRUE(waitFor([&] { return C.sock.State() == skClosed; }));
        EXPECT_TRUE(C.log.has(K.text)) << C.log.lines.join(QLatin1Char('|')).toStdString();
    }
    SocksClient C;
    C.setUp(Proxy.port, QStringLiteral("5"), 21, QString(256, QLatin1Char('h')));
    C.sock.SetSocksAuthentication(socksAuthenticateUsercode);
    C.sock.SetSocksUsercode(QStringLiteral("bob"));
    C.sock.SetSocksPassword(QStringLiteral("secret"));
    C.sock.Connect();
    ASSERT_TRUE(waitFor([&] { return C.sock.State() == skClosed; }));
    EXPECT_TRUE(C.log.has(QStringLiteral("socks error 20014 host name too long")));
}

TEST(SocksSocket, SettersRefuseWhatTheyCannotTake)
{
    TAsyncSocket S;
    S.SetSocksLevel(QStringLiteral("4a"));
    EXPECT_EQ(S.SocksLevel(), QStringLiteral("4A"));
    try {
        S.SetSocksLevel(QStringLiteral("6"));
        ADD_FAILURE();
    } catch (const ESocketException& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Invalid socks level. Must be 4, 4A or 5."));
    }
    S.SetSocksServer(QStringLiteral("127.0.0.1"));
    S.SetSocksPort(QStringLiteral("1080"));
    S.SetProto(QStringLiteral("udp"));
    S.SetAddr(QStringLiteral("127.0.0.1"));
    S.SetPort(QStringLiteral("21"));
    try {
        S.Connect();
        ADD_FAILURE();
    } catch (const ESocketException& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("tcp is the only protocol supported thru socks server"));
    }
    try {
        S.Listen();
        ADD_FAILURE();
    } catch (const ESocketException& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Listening is not supported thru socks server"));
    }
}

namespace SocksSocketTestLocal {

// Runs one scripted proxy exchange: Request bytes are expected, Reply sent.
QByteArray socksScriptExpect(Peer& P, int RequestSize, const QByteArray& Reply)
{
    const QByteArray Got = P.read(RequestSize);
    P.send(Reply);
    return Got;
}

QByteArray socksPortBytes(int Port)
{
    QByteArray B;
    B.append(char(Port >> 8)).append(char(Port & 0xFF));
    return B;
}

} // namespace SocksSocketTestLocal

TEST(SocksSocket, Version4And4ASendTheirRequestsAndTakeTheAnswers)
{
    {
        Peer Proxy;
        const int ProxyPort = Proxy.listen();
        SocksClient C;
        C.setUp(ProxyPort, QStringLiteral("4"), 2121);
        C.sock.SetSocksUsercode(QStringLiteral("me"));
        C.sock.Connect();
        ASSERT_TRUE(Proxy.accept());
        QByteArray Expected("\x04\x01", 2);
        Expected += socksPortBytes(2121) + QByteArray("\x7f\x00\x00\x01", 4) + QByteArray("me", 2) + QByteArray(1, '\0');
        EXPECT_EQ(socksScriptExpect(Proxy, int(Expected.size()), QByteArray("\x00\x5a\x00\x00\x00\x00\x00\x00hi", 10)),
            Expected);
        ASSERT_TRUE(waitFor([&] { return C.log.received == "hi"; }));
        EXPECT_EQ(C.log.lines.indexOf(QStringLiteral("connected 0")) + 1, C.log.lines.indexOf(QStringLiteral("data hi")));
    }
    {
        Peer Proxy;
        const int ProxyPort = Proxy.listen();
        SocksClient C;
        C.setUp(ProxyPort, QStringLiteral("4A"), 21, QStringLiteral("ftp.example"));
        C.sock.Connect();
        ASSERT_TRUE(Proxy.accept());
        QByteArray Expected("\x04\x01", 2);
        Expected += socksPortBytes(21) + QByteArray("\x00\x00\x00\x01\x00", 5) + QByteArray("ftp.example") + QByteArray(1, '\0');
        EXPECT_EQ(socksScriptExpect(Proxy, int(Expected.size()), QByteArray("\x00\x5b\x00\x00\x00\x00\x00\x00", 8)),
            Expected);
        ASSERT_TRUE(waitFor([&] { return C.sock.State() == skClosed; }));
        EXPECT_TRUE(C.log.has(QStringLiteral("socks error 20016 request rejected or failed")));
        EXPECT_TRUE(C.log.has(QStringLiteral("closed 20016")));
    }
}

TEST(SocksSocket, Version5RepliesWithDataOrLongNamesComplete)
{
    struct Case {
        QByteArray reply;
        QString boundAddr;
        QByteArray data;
    };
    const QByteArray LongName(200, 'n');
    const Case Cases[] = {
        {QByteArray("\x05\x00\x00\x01\x0a\x01\x02\x03\x04\x01xyz", 13), QStringLiteral("10.1.2.3"), "xyz"},
        {QByteArray("\x05\x00\x00\x03", 4) + char(LongName.size()) + LongName + QByteArray("\x00\x15ok", 4),
            QString::fromLatin1(LongName), "ok"},
    };
    for (const Case& K : Cases) {
        Peer Proxy;
        const int ProxyPort = Proxy.listen();
        SocksClient C;
        C.setUp(ProxyPort, QStringLiteral("5"), 21, QStringLiteral("host.example"));
        C.sock.Connect();
        ASSERT_TRUE(Proxy.accept());
        EXPECT_EQ(socksScriptExpect(Proxy, 3, QByteArray("\x05\x00", 2)), QByteArray("\x05\x01\x00", 3));
        const QByteArray Request = Proxy.read(5 + 12 + 2);
        EXPECT_EQ(Request, QByteArray("\x05\x01\x00\x03\x0c", 5) + QByteArray("host.example") + socksPortBytes(21));
        Proxy.send(K.reply);
        ASSERT_TRUE(waitFor([&] { return C.log.received == K.data; })) << C.log.lines.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(C.log.lines.indexOf(QStringLiteral("connected 0")) + 1,
            C.log.lines.indexOf(QStringLiteral("data %1").arg(QString::fromLatin1(K.data))));
        EXPECT_EQ(C.sock.BoundAddr(), K.boundAddr);
    }
}

TEST(SocksSocket, RandomAndCutRepliesNeverCrashOrHangTheParser)
{
    QRandomGenerator Rng(120);
    const QString Levels[] = {QStringLiteral("4"), QStringLiteral("4A"), QStringLiteral("5")};
    for (int Round = 0; Round < 3000; ++Round) {
        TAsyncSocket S;
        S.OnError = [](TCustomAsyncSocket*) {};
        int Outcomes = 0;
        S.OnSessionConnected = [&](TCustomAsyncSocket*, quint16) { ++Outcomes; };
        S.SetSocksLevel(Levels[Round % 3]);
        S.SetAddr(QStringLiteral("host.example"));
        QByteArray Bytes;
        const int Len = int(Rng.bounded(300));
        for (int I = 0; I < Len; ++I)
            Bytes.append(char(Rng.bounded(Round % 2 ? 256 : 8)));
        if (Round % 5 == 0 && Len > 0)
            Bytes[0] = Levels[Round % 3] == QLatin1String("5") ? 5 : 0;
        S.SocksReceived(Bytes);
        // The negotiation either waits for more or has ended exactly once.
        EXPECT_LE(Outcomes, 1);
        EXPECT_EQ(Outcomes == 1, !S.SocksNegotiating());
    }
    // Every cut of a good version 5 exchange waits; the whole completes.
    const QByteArray Good = QByteArray("\x05\x00", 2) + QByteArray("\x05\x00\x00\x01\x7f\x00\x00\x01\x00\x15", 10);
    for (int Cut = 0; Cut <= Good.size(); ++Cut) {
        TAsyncSocket S;
        S.OnError = [](TCustomAsyncSocket*) {};
        QList<int> Codes;
        S.OnSessionConnected = [&](TCustomAsyncSocket*, quint16 E) { Codes << E; };
        S.SetAddr(QStringLiteral("host.example"));
        S.SocksReceived(Good.left(Cut));
        EXPECT_EQ(Codes, Cut == Good.size() ? QList<int>{0} : QList<int>{}) << Cut;
        EXPECT_EQ(S.SocksNegotiating(), Cut < Good.size());
    }
}
