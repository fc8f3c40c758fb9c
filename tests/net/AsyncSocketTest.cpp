// The asynchronous socket on loopback: connecting, sending, receiving,
// closing in order and by reset, refused connects, pausing, listening and
// accepting, datagrams.
#include "NetTestSupport.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace NetTest;

namespace AsyncSocketTestLocal {

// Connects S to the peer's listening port and takes the connection.
void connectPair(TAsyncSocket& S, Peer& P, EventLog& Log)
{
    const int Port = P.listen();
    Log.attach(S);
    S.SetAddr(QStringLiteral("127.0.0.1"));
    S.SetPort(QString::number(Port));
    S.Connect();
    ASSERT_TRUE(P.accept());
    ASSERT_TRUE(waitFor([&] { return S.State() == skConnected; }));
}

} // namespace AsyncSocketTestLocal

using namespace AsyncSocketTestLocal;

TEST(AsyncSocket, ASessionConnectsSendsReceivesAndSeesThePeerCloseAfterItsLastBytes)
{
    Peer P;
    TAsyncSocket S;
    EventLog Log;
    connectPair(S, P, Log);
    EXPECT_EQ(Log.lines.mid(0, 4), (QStringList{QStringLiteral("state skClosed>skOpened"),
                                       QStringLiteral("state skOpened>skConnecting"),
                                       QStringLiteral("state skConnecting>skConnected"), QStringLiteral("connected 0")}));
    EXPECT_EQ(S.PeerAddr(), QStringLiteral("127.0.0.1"));

    EXPECT_EQ(S.SendStr("hello"), 5);
    EXPECT_EQ(P.read(5), QByteArray("hello"));
    ASSERT_TRUE(waitFor([&] { return Log.has(QStringLiteral("sent 0")); }));

    P.send("world");
    ASSERT_TRUE(waitFor([&] { return Log.received == "world"; }));

    // The peer's last bytes come before the close.
    Log.lines.clear();
    P.send("bye");
    P.close();
    ASSERT_TRUE(waitFor([&] { return S.State() == skClosed; }));
    EXPECT_EQ(Log.lines, (QStringList{QStringLiteral("data bye"), QStringLiteral("closed 0"),
                             QStringLiteral("state skConnected>skClosed")}));
}

TEST(AsyncSocket, ARefusedConnectPassesThroughConnectedAndReportsItsCodeOnBothEvents)
{
    TAsyncSocket S;
    EventLog Log;
    Log.attach(S);
    // A port held by a bound socket that does not listen refuses every
    // connect, and no other test can take it meanwhile.
    const int Held = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in A{};
    A.sin_family = AF_INET;
    A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(Held, reinterpret_cast<sockaddr*>(&A), sizeof A), 0);
    socklen_t L = sizeof A;
    ::getsockname(Held, reinterpret_cast<sockaddr*>(&A), &L);
    S.SetAddr(QStringLiteral("127.0.0.1"));
    S.SetPort(QString::number(ntohs(A.sin_port)));
    S.Connect();
    const bool Closed = waitFor([&] { return S.State() == skClosed; });
    ::close(Held);
    ASSERT_TRUE(Closed);
    EXPECT_EQ(Log.lines, (QStringList{QStringLiteral("state skClosed>skOpened"),
                             QStringLiteral("state skOpened>skConnecting"),
                             QStringLiteral("state skConnecting>skConnected"), QStringLiteral("connected 10061"),
                             QStringLiteral("state skConnected>skClosed"), QStringLiteral("closed 10061")}));
}

TEST(AsyncSocket, SendWhileConnectingQueuesNothingAndLeavesTheConnectGoing)
{
    Peer P;
    const int Port = P.listen();
    TAsyncSocket S;
    EventLog Log;
    Log.attach(S);
    S.SetAddr(QStringLiteral("127.0.0.1"));
    S.SetPort(QString::number(Port));
    S.Connect();
    ASSERT_EQ(S.State(), skConnecting);
    try {
        S.SendStr("early");
        FAIL() << "no error";
    } catch (const ESocketException& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Error 10057 in function Send\r\nSocket is not connected"));
    }
    EXPECT_EQ(S.QueuedByteCount(), 0);
    EXPECT_EQ(S.State(), skConnecting);
    ASSERT_TRUE(P.accept());
    ASSERT_TRUE(waitFor([&] { return S.State() == skConnected; }));
    S.SendStr("late");
    EXPECT_EQ(P.read(4), QByteArray("late"));
}

TEST(AsyncSocket, EventsNeverFireInsideSendAndZeroBytesStillGiveOneDataSent)
{
    Peer P;
    TAsyncSocket S;
    EventLog Log;
    connectPair(S, P, Log);
    bool InsideSend = false;
    int FiredInside = 0;
    int Sent = 0;
    int BytesReported = 0;
    S.OnDataSent = [&](TCustomAsyncSocket*, quint16) {
        FiredInside += InsideSend;
        ++Sent;
    };
    S.OnSendData = [&](TCustomAsyncSocket*, int N) {
        FiredInside += InsideSend;
        BytesReported += N;
    };
    InsideSend = true;
    EXPECT_EQ(S.Send("abc", 0), 0);
    EXPECT_EQ(S.SendStr("xyz"), 3);
    InsideSend = false;
    ASSERT_TRUE(waitFor([&] { return Sent == 2; }));
    EXPECT_EQ(FiredInside, 0);
    EXPECT_EQ(BytesReported, 3);
    spin();
    EXPECT_EQ(Sent, 2);
}

TEST(AsyncSocket, ASendTheKernelTakesInPartGoesOnWhenThePeerReads)
{
    // More than the kernel's buffers hold: the kernel takes a part of it,
    // the rest waits in the queue until the socket can be written again.
    Peer P;
    TAsyncSocket S;
    EventLog Log;
    connectPair(S, P, Log);
    QByteArray Big(8 * 1024 * 1024 + 3, '\0');
    for (int I = 0; I < Big.size(); ++I)
        Big[I] = char(I * 13);
    int DataSent = 0;
    S.OnDataSent = [&](TCustomAsyncSocket*, quint16) { ++DataSent; };
    EXPECT_EQ(S.SendStr(Big), Big.size());
    EXPECT_GT(S.QueuedByteCount(), 0);
    const QByteArray Got = P.read(Big.size());
    EXPECT_EQ(Got.size(), Big.size());
    EXPECT_TRUE(Got == Big);
    ASSERT_TRUE(waitFor([&] { return DataSent == 1; })) << "the queue's end is reported once";
    EXPECT_EQ(S.QueuedByteCount(), 0);
}

TEST(AsyncSocket, CloseSendsWhatIsQueuedAndEndsInOrderWhileAbortResets)
{
    // A large block fills the kernel's buffers, so most of it is still in
    // the send queue when Close comes.
    Peer P;
    TAsyncSocket S;
    EventLog Log;
    connectPair(S, P, Log);
    QByteArray Big(4 * 1024 * 1024, '\0');
    for (int I = 0; I < Big.size(); ++I)
        Big[I] = char(I * 7);
    S.SendStr(Big);
    EXPECT_GT(S.QueuedByteCount(), 0);
    S.Close();
    EXPECT_EQ(S.State(), skClosed);
    EXPECT_EQ(Log.lines.mid(Log.lines.size() - 2),
        (QStringList{QStringLiteral("state skConnected>skClosed"), QStringLiteral("closed 0")}));
    const QByteArray Got = P.readToEnd();
    EXPECT_EQ(Got.size(), Big.size());
    EXPECT_TRUE(Got == Big);

    Peer P2;
    TAsyncSocket S2;
    EventLog Log2;
    connectPair(S2, P2, Log2);
    S2.SendStr(Big);
    S2.Abort();
    EXPECT_EQ(S2.State(), skClosed);
    EXPECT_FALSE(P2.closedInOrder());
}

TEST(AsyncSocket, NoticesWaitWhilePausedAndArriveOnResume)
{
    Peer P;
    TAsyncSocket S;
    EventLog Log;
    connectPair(S, P, Log);
    ASSERT_TRUE(S.Pause());
    P.send("held");
    spin(50);
    EXPECT_TRUE(Log.received.isEmpty());
    ASSERT_TRUE(S.Resume());
    ASSERT_TRUE(waitFor([&] { return Log.received == "held"; }));
}

TEST(AsyncSocket, WithoutADataHandlerIncomingBytesAreReadAndDropped)
{
    Peer P;
    TAsyncSocket S;
    EventLog Log;
    connectPair(S, P, Log);
    S.OnDataAvailable = nullptr;
    P.send(QByteArray(5000, 'x'));
    ASSERT_TRUE(waitFor([&] { return S.RcvdCount() > 0; }));
    ASSERT_TRUE(waitFor([&] { return S.RcvdCount() == 0; }));
    spin();
    EXPECT_EQ(S.RcvdCount(), 0);
}

TEST(AsyncSocket, ConnectChecksAndAddressSettersReportTheirTexts)
{
    struct Case {
        const char* addr;
        const char* port;
        const char* proto;
        const char* text;
    };
    const Case Cases[] = {
        {"127.0.0.1", "", "tcp", "Connect: No Port Specified"},
        {"", "21", "tcp", "Connect: No IP Address Specified"},
        {"127.0.0.1", "21", "", "Connect: No Protocol Specified"},
        {"127.0.0.1", "99999", "tcp", "connect: Range check error"},
        {"127.0.0.1", "nosuchservice", "tcp", "connect: SocketResolvePort: Cannot convert port 'nosuchservice', Error #11004"},
    };
    for (const Case& C : Cases) {
        TAsyncSocket S;
        S.SetAddr(QString::fromLatin1(C.addr));
        S.SetPort(QString::fromLatin1(C.port));
        S.SetProto(QString::fromLatin1(C.proto));
        try {
            S.Connect();
            ADD_FAILURE() << C.addr << " " << C.port;
        } catch (const ESocketException& E) {
            EXPECT_EQ(E.Message(), QString::fromLatin1(C.text));
        }
        EXPECT_EQ(S.State(), skClosed);
    }

    // After a close the port must be given again.
    Peer P;
    TAsyncSocket S;
    EventLog Log;
    connectPair(S, P, Log);
    try {
        S.SetAddr(QStringLiteral("127.0.0.2"));
        ADD_FAILURE();
    } catch (const ESocketException& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Cannot change Addr if not closed"));
    }
    S.Close();
    EXPECT_EQ(S.Addr(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(S.Proto(), QStringLiteral("tcp"));
    try {
        S.Connect();
        ADD_FAILURE();
    } catch (const ESocketException& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Connect: No Port Specified"));
    }
}

TEST(AsyncSocket, AnErrorHandlerTakesTheErrorInsteadOfAnException)
{
    TAsyncSocket S;
    int Errors = 0;
    S.OnError = [&](TCustomAsyncSocket*) { ++Errors; };
    S.SetAddr(QStringLiteral("127.0.0.1"));
    S.Connect();
    EXPECT_EQ(Errors, 1);
    EXPECT_EQ(S.SendStr("x"), -1);
    EXPECT_EQ(S.LastError(), 10057);
    EXPECT_EQ(Errors, 2);
}

TEST(AsyncSocket, AChangeStateHandlerThatClosesDuringConnectMakesConnectFail)
{
    Peer P;
    const int Port = P.listen();
    TAsyncSocket S;
    S.SetAddr(QStringLiteral("127.0.0.1"));
    S.SetPort(QString::number(Port));
    S.OnChangeState = [](TCustomAsyncSocket* Sender, TSocketState, TSocketState N) {
        if (N == skOpened)
            Sender->ChangeState(skClosed);
    };
    try {
        S.Connect();
        ADD_FAILURE();
    } catch (const ESocketException& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Error 10022 in function Connect (Invalid operation in OnChangeState)\r\nInvalid argument"));
    }
}

TEST(AsyncSocket, AListeningSocketAcceptsAndAnotherObjectAdoptsTheConnection)
{
    TAsyncSocket Server;
    Server.SetAddr(QStringLiteral("127.0.0.1"));
    Server.SetPort(QStringLiteral("0"));
    Server.Listen();
    EXPECT_EQ(Server.State(), skListening);
    const QString Port = Server.GetBoundPort();
    EXPECT_NE(Port, QStringLiteral("0"));
    EXPECT_EQ(Server.GetBoundAddr(), QStringLiteral("127.0.0.1"));

    TAsyncSocket Served;
    EventLog ServedLog;
    Server.OnSessionAvailable = [&](TCustomAsyncSocket* Sender, quint16 Err) {
        ASSERT_EQ(Err, 0);
        const WinSock::TSocket H = Sender->Accept();
        ASSERT_NE(H, WinSock::InvalidSocket);
        Sender->Close();
        ServedLog.attach(Served);
        Served.Dup(H);
    };

    TAsyncSocket Client;
    EventLog ClientLog;
    ClientLog.attach(Client);
    Client.SetAddr(QStringLiteral("127.0.0.1"));
    Client.SetPort(Port);
    Client.Connect();
    ASSERT_TRUE(waitFor([&] { return Served.State() == skConnected && Client.State() == skConnected; }));
    EXPECT_EQ(Server.State(), skClosed);
    EXPECT_FALSE(ServedLog.has(QStringLiteral("connected 0")));

    Client.SendStr("ping");
    ASSERT_TRUE(waitFor([&] { return ServedLog.received == "ping"; }));
    Served.SendStr("pong");
    ASSERT_TRUE(waitFor([&] { return ClientLog.received == "pong"; }));
    EXPECT_EQ(Served.PeerPort(), Client.GetBoundPort());

    Client.Close();
    ASSERT_TRUE(waitFor([&] { return Served.State() == skClosed; }));
    EXPECT_TRUE(ServedLog.has(QStringLiteral("closed 0")));
}

TEST(AsyncSocket, AcceptAndDupRefuseWhatTheyCannotTake)
{
    TAsyncSocket S;
    try {
        S.Accept();
        ADD_FAILURE();
    } catch (const ESocketException& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Error 10022 in function not a listening socket\r\nInvalid argument"));
    }
    S.OnError = [](TCustomAsyncSocket*) {};
    EXPECT_EQ(S.Accept(), WinSock::InvalidSocket);
    S.Dup(-1);
    EXPECT_EQ(S.LastError(), 10022);
    EXPECT_EQ(S.PeerAddr(), QStringLiteral("error"));
    EXPECT_EQ(S.GetBoundPort(), QStringLiteral("error"));
}

TEST(AsyncSocket, DupOnAListeningObjectClosesTheListenerFirst)
{
    TAsyncSocket Server;
    Server.SetAddr(QStringLiteral("127.0.0.1"));
    Server.SetPort(QStringLiteral("0"));
    Server.Listen();
    const int Port = Server.GetBoundPort().toInt();
    EventLog Log;
    WinSock::TSocket Accepted = WinSock::InvalidSocket;
    Server.OnSessionAvailable = [&](TCustomAsyncSocket* Sender, quint16) { Accepted = Sender->Accept(); };
    Peer P;
    ASSERT_TRUE(P.connectTo(Port));
    ASSERT_TRUE(waitFor([&] { return Accepted != WinSock::InvalidSocket; }));
    Log.attach(Server);
    Server.Dup(Accepted);
    EXPECT_EQ(Log.lines, (QStringList{QStringLiteral("state skListening>skClosed"),
                             QStringLiteral("state skClosed>skConnected")}));
    P.send("x");
    ASSERT_TRUE(waitFor([&] { return Log.received == "x"; }));
    // The listener is gone: a second connect is refused.
    Peer P2;
    EXPECT_FALSE(P2.connectTo(Port));
}

TEST(AsyncSocket, ListenOnAPortInUseReportsBindAndStaysClosed)
{
    TAsyncSocket A;
    A.SetAddr(QStringLiteral("127.0.0.1"));
    A.SetPort(QStringLiteral("0"));
    A.Listen();
    TAsyncSocket B;
    B.SetAddr(QStringLiteral("127.0.0.1"));
    B.SetPort(A.GetBoundPort());
    try {
        B.Listen();
        ADD_FAILURE();
    } catch (const ESocketException& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Error 10048 in function Bind\r\nAddress already in use"));
    }
    EXPECT_EQ(B.State(), skClosed);
    EXPECT_EQ(B.HSocket(), WinSock::InvalidSocket);

    TAsyncSocket C;
    try {
        C.Listen();
        ADD_FAILURE();
    } catch (const ESocketException& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Error 10022 in function listen: port not assigned\r\nInvalid argument"));
    }
}

TEST(AsyncSocket, DatagramsGoBothWaysWithTheSendersAddress)
{
    TAsyncSocket Server;
    EventLog ServerLog;
    ServerLog.attach(Server, false);
    QByteArray Got;
    sockaddr_in From{};
    Server.OnDataAvailable = [&](TCustomAsyncSocket* Sender, quint16) {
        char Buf[2048];
        int Len = sizeof From;
        const int N = Sender->ReceiveFrom(Buf, sizeof Buf, From, Len);
        if (N > 0)
            Got = QByteArray(Buf, N);
    };
    Server.SetProto(QStringLiteral("udp"));
    Server.SetAddr(QStringLiteral("127.0.0.1"));
    Server.SetPort(QStringLiteral("0"));
    Server.Listen();
    // A datagram socket reports its session inside Listen.
    EXPECT_EQ(ServerLog.lines, (QStringList{QStringLiteral("state skClosed>skBound"),
                                   QStringLiteral("state skBound>skListening"),
                                   QStringLiteral("state skListening>skConnected"), QStringLiteral("connected 0")}));

    TAsyncSocket Client;
    EventLog ClientLog;
    ClientLog.attach(Client, false);
    Client.SetProto(QStringLiteral("UDP"));
    Client.SetAddr(QStringLiteral("127.0.0.1"));
    Client.SetPort(Server.GetBoundPort());
    Client.Connect();
    EXPECT_TRUE(ClientLog.has(QStringLiteral("connected 0")));
    EXPECT_EQ(Client.SendStr("datagram"), 8);
    ASSERT_TRUE(waitFor([&] { return Got == "datagram"; }));
    EXPECT_EQ(QString::number(ntohs(From.sin_port)), Client.LocalPort());
    ASSERT_TRUE(waitFor([&] { return ClientLog.has(QStringLiteral("sent 0")); }));

    // And back, to the address it came from.
    QByteArray Back;
    Client.OnDataAvailable = [&](TCustomAsyncSocket* Sender, quint16) {
        char Buf[64];
        const int N = Sender->Receive(Buf, sizeof Buf);
        if (N > 0)
            Back = QByteArray(Buf, N);
    };
    EXPECT_EQ(Server.SendTo(From, sizeof From, "reply", 5), 5);
    ASSERT_TRUE(waitFor([&] { return Back == "reply"; }));
}

TEST(AsyncSocket, PostCloseClosesFromTheLoopAndOnSessionClosedFiresOnce)
{
    Peer P;
    TAsyncSocket S;
    EventLog Log;
    connectPair(S, P, Log);
    S.PostClose();
    EXPECT_EQ(S.State(), skConnected);
    ASSERT_TRUE(waitFor([&] { return S.State() == skClosed; }));
    EXPECT_TRUE(P.closedInOrder());
    spin();
    EXPECT_EQ(Log.lines.count(QStringLiteral("closed 0")), 1);
}

TEST(AsyncSocket, AnExceptionInAHandlerAbortsByDefaultOrAsTheHandlerSays)
{
    for (bool Keep : {false, true}) {
        Peer P;
        TAsyncSocket S;
        EventLog Log;
        connectPair(S, P, Log);
        QString Seen;
        S.OnBgException = [&](TCustomAsyncSocket*, const std::exception& E, bool& CanClose) {
            Seen = QString::fromUtf8(E.what());
            CanClose = !Keep;
        };
        S.PostMessageToSelf(WM_TRIGGER_EXCEPTION, 0, 0);
        ASSERT_TRUE(waitFor([&] { return !Seen.isEmpty(); }));
        EXPECT_EQ(Seen, QStringLiteral("Test exception in AsyncSocket"));
        EXPECT_EQ(S.State(), Keep ? skConnected : skClosed);
    }
}

TEST(AsyncSocket, LastObjectGoneStopsTheBindingAndTheNextStartsItAgain)
{
    ASSERT_EQ(WinSock::Binding::liveObjects(), 0);
    const int Before = WinSock::Binding::startupCount();
    WinsockInfo();
    WinsockInfo();
    EXPECT_EQ(WinSock::Binding::startupCount(), Before + 2);
    EXPECT_FALSE(WinSock::Binding::started());
    {
        TAsyncSocket S;
        // The same version may be set at any time; another only while the
        // binding is stopped.
        S.SetReqVerLow(S.ReqVerLow());
        S.SetAddr(QStringLiteral("127.0.0.1"));
        S.SetPort(QStringLiteral("0"));
        S.Listen();
        EXPECT_TRUE(WinSock::Binding::started());
        try {
            S.SetReqVerHigh(2);
            ADD_FAILURE();
        } catch (const ESocketException& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("SetReqVerHigh: WinSock version can't be changed now"));
        }
    }
    EXPECT_FALSE(WinSock::Binding::started());
    EXPECT_EQ(WinsockInfo().wVersion, 0x0101);
}

TEST(AsyncSocket, LookupsOfAddressesAnswerAtOnceAndNamesThroughTheLoop)
{
    TAsyncSocket S;
    QList<int> Done;
    S.OnDnsLookupDone = [&](TCustomAsyncSocket*, quint16 E) { Done << E; };

    S.DnsLookup(QStringLiteral(" 127.000.0.1 "));
    EXPECT_EQ(Done, QList<int>{0});
    EXPECT_EQ(S.DnsResult(), QStringLiteral("127.0.0.1"));

    Done.clear();
    S.DnsLookup(QStringLiteral("localhost"));
    EXPECT_TRUE(Done.isEmpty());
    ASSERT_TRUE(waitFor([&] { return !Done.isEmpty(); }));
    EXPECT_EQ(Done, QList<int>{0});
    EXPECT_TRUE(S.DnsResultList().contains(QStringLiteral("127.0.0.1"))) << S.DnsResultList().join(',').toStdString();
    EXPECT_EQ(S.DnsResult(), S.DnsResultList().first());

    // A cancelled lookup answers 10004 and nothing later.
    Done.clear();
    S.DnsLookup(QStringLiteral("localhost"));
    S.CancelDnsLookup();
    EXPECT_EQ(Done, QList<int>{10004});
    spin(50);
    EXPECT_EQ(Done, QList<int>{10004});

    Done.clear();
    S.OnError = [](TCustomAsyncSocket*) {};
    S.DnsLookup(QString());
    EXPECT_EQ(Done, QList<int>{10022});
}

TEST(AsyncSocket, EveryPendingByteArrivesBeforeTheCloseEvenOneEventPerNotice)
{
    Peer P;
    TAsyncSocket S;
    EventLog Log;
    connectPair(S, P, Log);
    S.SetComponentOptions(skoNoReceiveLoop);
    S.OnDataAvailable = [&](TCustomAsyncSocket* Sender, quint16) {
        char C;
        if (Sender->Receive(&C, 1) == 1)
            Log.received.append(C);
    };
    P.send("abcdef");
    P.close();
    ASSERT_TRUE(waitFor([&] { return S.State() == skClosed; }));
    EXPECT_EQ(Log.received, QByteArray("abcdef"));
    EXPECT_EQ(Log.lines.mid(Log.lines.size() - 2),
        (QStringList{QStringLiteral("closed 0"), QStringLiteral("state skConnected>skClosed")}));
}

TEST(AsyncSocket, NoticesForAnotherHandleChangeNothing)
{
    Peer P;
    TAsyncSocket S;
    EventLog Log;
    connectPair(S, P, Log);
    Log.lines.clear();
    S.PostMessageToSelf(WM_ASYNCSELECT, S.HSocket() + 1000, WinSock::FdClose | WinSock::FdRead);
    spin();
    EXPECT_EQ(S.State(), skConnected);
    EXPECT_TRUE(Log.lines.isEmpty());
}

TEST(AsyncSocket, TheLingerOptionNeedsAHandleUnlessNothingIsSet)
{
    TAsyncSocket S;
    S.SetLingerOnOff(skLingerNoSet);
    S.SetLingerOption();
    S.SetLingerOnOff(skLingerOn);
    try {
        S.SetLingerOption();
        ADD_FAILURE();
    } catch (const ESocketException& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Cannot set linger option at this time"));
    }
}
