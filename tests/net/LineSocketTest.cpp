// Line mode on loopback: lines split over receipts, other delimiters, partial
// reads, the line limit, the last unterminated line at close, switching
// modes with bytes held, SendLine and the wait helper.
#include "NetTestSupport.h"

#include <gtest/gtest.h>

using namespace NetTest;

namespace LineSocketTestLocal {

struct LinePair {
    Peer peer;
    TAsyncSocket sock;
    QList<QByteArray> lines;
    QStringList events;
    int readSize = 4096;

    void open(const QByteArray& LineEnd)
    {
        const int Port = peer.listen();
        sock.SetLineMode(true);
        sock.SetLineEnd(LineEnd);
        sock.OnDataAvailable = [this](TCustomAsyncSocket* S, quint16) {
            char Buf[4096];
            const int N = S->Receive(Buf, readSize);
            if (N > 0) {
                lines << QByteArray(Buf, N);
                events << QStringLiteral("data");
            }
        };
        sock.OnSessionClosed = [this](TCustomAsyncSocket*, quint16) { events << QStringLiteral("closed"); };
        sock.SetAddr(QStringLiteral("127.0.0.1"));
        sock.SetPort(QString::number(Port));
        sock.Connect();
        ASSERT_TRUE(peer.accept());
        ASSERT_TRUE(waitFor([this] { return sock.State() == skConnected; }));
    }
};

} // namespace LineSocketTestLocal

using namespace LineSocketTestLocal;

TEST(LineSocket, ADelimiterSplitOverTwoReceiptsGivesOneLineAndKeepsTheRest)
{
    LinePair L;
    L.open("\r\n");
    L.peer.send("ab\r");
    ASSERT_TRUE(waitFor([&] { return L.sock.LineBufferCount() == 3; }));
    EXPECT_TRUE(L.lines.isEmpty());
    L.peer.send("\ncd");
    ASSERT_TRUE(waitFor([&] { return L.lines.size() == 1; }));
    EXPECT_EQ(L.lines[0], QByteArray("ab\r\n"));
    EXPECT_EQ(L.sock.LineBufferCount(), 2);
}

TEST(LineSocket, LinesEndWithTheGivenDelimiterWhateverItsLength)
{
    struct Case {
        QByteArray end;
        QByteArray sent;
        QList<QByteArray> lines;
    };
    const Case Cases[] = {
        {"\n", "one\ntwo\nthr", {"one\n", "two\n"}},
        {"|", "a|bb||c", {"a|", "bb|", "|"}},
        {"END", "xENDyyEN", {"xEND"}},
        {"\r\n", "first\r\nsecond\r\n", {"first\r\n", "second\r\n"}},
    };
    for (const Case& C : Cases) {
        LinePair L;
        L.open(C.end);
        L.peer.send(C.sent);
        ASSERT_TRUE(waitFor([&] { return L.lines.size() >= C.lines.size(); })) << C.end.constData();
        spin();
        EXPECT_EQ(L.lines, C.lines) << C.end.constData();
    }
}

TEST(LineSocket, AHandlerReadingTwoBytesAtATimeIsCalledThreeTimesForASixByteLine)
{
    LinePair L;
    L.readSize = 2;
    L.open("\r\n");
    L.peer.send("abcd\r\n");
    ASSERT_TRUE(waitFor([&] { return L.lines.size() == 3; }));
    EXPECT_EQ(L.lines, (QList<QByteArray>{"ab", "cd", "\r\n"}));
    EXPECT_EQ(L.sock.RcvdCount(), 0);
}

TEST(LineSocket, TheLineLimitFiresOnTheEleventhHeldByteAndDropsThem)
{
    LinePair L;
    L.open("\r\n");
    L.sock.SetLineLimit(10);
    int Reported = 0;
    L.sock.OnLineLimitExceeded = [&](TCustomAsyncSocket*, int Len, bool& Clear) {
        Reported = Len;
        EXPECT_TRUE(Clear);
    };
    L.peer.send("0123456789");
    ASSERT_TRUE(waitFor([&] { return L.sock.LineBufferCount() == 10; }));
    EXPECT_EQ(Reported, 0);
    L.peer.send("A");
    ASSERT_TRUE(waitFor([&] { return Reported == 11; }));
    EXPECT_EQ(L.sock.LineBufferCount(), 0);
    L.peer.send("ok\r\n");
    ASSERT_TRUE(waitFor([&] { return L.lines.size() == 1; }));
    EXPECT_EQ(L.lines[0], QByteArray("ok\r\n"));
}

TEST(LineSocket, TheUnterminatedLastLineArrivesOnceBeforeTheClose)
{
    LinePair L;
    L.open("\r\n");
    L.peer.send("full\r\ntail");
    L.peer.close();
    ASSERT_TRUE(waitFor([&] { return L.sock.State() == skClosed; }));
    EXPECT_EQ(L.lines, (QList<QByteArray>{"full\r\n", "tail"}));
    EXPECT_EQ(L.events, (QStringList{QStringLiteral("data"), QStringLiteral("data"), QStringLiteral("closed")}));
}

TEST(LineSocket, SwitchingLineModeOffDeliversTheHeldBytesAsStreamDataOnce)
{
    LinePair L;
    L.open("\r\n");
    L.peer.send("no end yet");
    ASSERT_TRUE(waitFor([&] { return L.sock.LineBufferCount() == 10; }));
    L.sock.SetLineMode(false);
    ASSERT_TRUE(waitFor([&] { return !L.lines.isEmpty(); }));
    spin();
    EXPECT_EQ(L.lines, (QList<QByteArray>{"no end yet"}));
    L.peer.send("more");
    ASSERT_TRUE(waitFor([&] { return L.lines.size() == 2; }));
    EXPECT_EQ(L.lines[1], QByteArray("more"));
}

TEST(LineSocket, SendLineQueuesTheTextWithItsLineEndAndReturnsTheBytesQueued)
{
    LinePair L;
    L.open("\n");
    EXPECT_EQ(L.sock.SendLine("USER x"), 7);
    L.sock.SetLineEnd("\r\n");
    EXPECT_EQ(L.sock.SendLine("PASS y"), 8);
    EXPECT_EQ(L.sock.SendLine(""), 0);
    EXPECT_EQ(L.peer.read(15), QByteArray("USER x\nPASS y\r\n"));
}

TEST(LineSocket, EditAndEchoInterpretBackspaceAndTabAndSendTheBytesBack)
{
    LinePair L;
    L.open("\r\n");
    L.sock.SetLineEdit(true);
    L.sock.SetLineEcho(true);
    L.peer.send("abx\bc\td\r\n");
    ASSERT_TRUE(waitFor([&] { return L.lines.size() == 1; }));
    EXPECT_EQ(L.lines[0], QByteArray("abc     d\r\n"));
    EXPECT_EQ(L.peer.read(15), QByteArray("abx\b \bc     d\r\n"));
}

TEST(LineSocket, WaitForFlagRunsTheLoopUntilTheFlagIsSet)
{
    LinePair L;
    L.open("\r\n");
    bool Flag = false;
    L.sock.OnDataAvailable = [&](TCustomAsyncSocket* S, quint16) {
        char Buf[64];
        if (S->Receive(Buf, sizeof Buf) > 0)
            Flag = true;
    };
    const int R = L.sock.RunAndWait([&] { L.peer.send("line\r\n"); }, Flag);
    EXPECT_EQ(R, 0);
    EXPECT_TRUE(Flag);
}
