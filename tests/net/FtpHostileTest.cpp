// The FTP client against servers that misbehave (tests/net/HostileFtpServer.h):
// every wait ends in the time-out, blocking or not, with the same error and
// request-done; an upload the server still takes does not time out; data
// goes only to and from the server; a failed download leaves no file behind.
//
// Time-outs run on a clock of the test: it stands still until the server has
// stalled, then every look of the client moves it on by half a second. The
// client looks every few milliseconds, so the default time-out of 15 s passes
// after some thirty looks, however busy the machine is.
#include "net/FtpTestServer.h"
#include "net/HostileFtpServer.h"

#include <QDir>

#include <sys/socket.h>

namespace FtpHostileTestLocal {

using Script = HostileFtpServer::Script;

void ftpHostileAim(TCustomFtpClient& C, const HostileFtpServer& S)
{
    C.HostName = QStringLiteral("127.0.0.1");
    C.Port = QString::number(S.port());
    C.UserName = QStringLiteral("user");
    C.PassWord = QStringLiteral("secret");
}

struct StallClock {
    std::atomic<qint64> now{0};
    void drive(TFtpClient& C, const HostileFtpServer& S)
    {
        C.WaitCheckInterval = 2;
        C.WaitClock = [this, &S] {
            if (S.stalled)
                now += 500;
            return now.load();
        };
    }
};

// Everything in a folder, the hidden ones too.
QStringList ftpHostileFiles(const QString& Folder)
{
    return QDir(Folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

struct StallCase {
    Script script;
    bool blocking;
    const char* name;
};

std::string ftpHostileName(const testing::TestParamInfo<StallCase>& Info)
{
    return std::string(Info.param.name) + (Info.param.blocking ? "_blocking" : "_async");
}

} // namespace FtpHostileTestLocal

using namespace FtpHostileTestLocal;

class FtpStall : public testing::TestWithParam<StallCase> {};

TEST_P(FtpStall, EndsInTheTimeOutWithTheSameErrorAndRequestDone)
{
    const StallCase p = GetParam();
    HostileFtpServer server(p.script);
    TFtpClient c;
    FtpRecorder r(c);
    ftpHostileAim(c, server);
    StallClock clock;
    clock.drive(c, server);
    QTemporaryDir local;
    const QString file = local.filePath(QStringLiteral("results.mdb"));
    TFtpRequest expected = ftpConnectAsync;
    std::function<void()> start = [&] { c.ConnectAsync(); };
    std::function<bool()> blocking = [&] { return c.Connect(); };
    if (p.script == Script::StalledStor || p.script == Script::StalledRetr) {
        ASSERT_EQ(r.run([&] { c.ConnectAsync(); }).error, 0) << c.ErrorMessage().toStdString();
        c.HostFileName = QStringLiteral("results.mdb");
        c.LocalFileName = file;
        if (p.script == Script::StalledStor) {
            ftpTestWriteFile(file, ftpTestBytes(8 << 20));
            expected = ftpPutAsync;
            start = [&] { c.PutAsync(); };
            blocking = [&] { return c.Put(); };
        } else {
            // An earlier copy that a failed download must leave alone.
            ftpTestWriteFile(file, "the earlier copy");
            expected = ftpGetAsync;
            start = [&] { c.GetAsync(); };
            blocking = [&] { return c.Get(); };
        }
    }

    FtpRecorder::Done d;
    if (p.blocking) {
        const size_t before = r.done.size();
        EXPECT_FALSE(blocking());
        EXPECT_EQ(c.ErrorMessage(), "426 Timeout");
        // The aborted operation's request-done comes from the loop.
        if (r.done.size() == before)
            r.run([] {});
        ASSERT_GT(r.done.size(), before);
        d = r.done.back();
    } else {
        d = r.run(start);
    }
    EXPECT_EQ(d.request, expected);
    EXPECT_EQ(d.error, 426);
    EXPECT_EQ(c.ErrorMessage(), "426 Timeout");
    EXPECT_EQ(c.StatusCode(), 426);
    EXPECT_FALSE(c.Connected());
    EXPECT_EQ(c.State(), fsReady);
    // On the client's clock the time-out passed after the stall, not before.
    EXPECT_GE(clock.now.load(), 15000);
    if (p.script == Script::StalledRetr) {
        EXPECT_EQ(ftpTestReadFile(file), "the earlier copy");
        EXPECT_EQ(ftpHostileFiles(local.path()), QStringList{"results.mdb"});
    }
}

INSTANTIATE_TEST_SUITE_P(Servers, FtpStall,
    testing::Values(StallCase{Script::SilentAfterConnect, false, "SilentAfterConnect"},
        StallCase{Script::SilentAfterConnect, true, "SilentAfterConnect"},
        StallCase{Script::EndlessGreeting, false, "EndlessMultiLineReply"},
        StallCase{Script::EndlessGreeting, true, "EndlessMultiLineReply"},
        StallCase{Script::StalledStor, false, "StalledStor"}, StallCase{Script::StalledStor, true, "StalledStor"},
        StallCase{Script::StalledRetr, false, "StalledRetr"}, StallCase{Script::StalledRetr, true, "StalledRetr"}),
    ftpHostileName);

class FtpDraining : public testing::TestWithParam<bool> {};

TEST_P(FtpDraining, AnUploadTheServerStillTakesDoesNotTimeOut)
{
    // The server reads 100 KiB per second of the test's clock, and the
    // client's socket takes a good part of the file at once: once it is
    // handed over, the upload goes on only in the kernel, for longer than
    // the time-out of 2 s. It must not time out while the server still
    // takes bytes.
    const bool blocking = GetParam();
    std::atomic<qint64> clock{0};
    HostileFtpServer server(Script::MeteredStor, &clock);
    TFtpClient c;
    FtpRecorder r(c);
    ftpHostileAim(c, server);
    c.Timeout = 2;
    c.WaitCheckInterval = 2;
    c.WaitClock = [&] { return clock.load(); };
    ASSERT_EQ(r.run([&] { c.ConnectAsync(); }).error, 0);
    QTemporaryDir local;
    const QByteArray data = ftpTestBytes(800 * 1024);
    c.LocalFileName = local.filePath(QStringLiteral("copy.mdb"));
    c.HostFileName = QStringLiteral("copy.mdb");
    ftpTestWriteFile(c.LocalFileName, data);
    bool widened = false;
    c.OnProgress = [&](TCustomFtpClient* C, int64_t, bool&) {
        if (widened || !C->DataSocket() || C->DataSocket()->HSocket() < 0)
            return;
        const int big = 4 << 20;
        ::setsockopt(C->DataSocket()->HSocket(), SOL_SOCKET, SO_SNDBUF, &big, sizeof big);
        widened = true;
    };
    if (blocking) {
        EXPECT_TRUE(c.Put()) << c.ErrorMessage().toStdString();
    } else {
        const FtpRecorder::Done d = r.run([&] { c.PutAsync(); });
        EXPECT_EQ(d.error, 0) << c.ErrorMessage().toStdString();
    }
    EXPECT_TRUE(server.stored() == data);
    // The upload lasted more than three times the time-out on the client's
    // clock.
    EXPECT_GE(clock.load(), 7000);
}

INSTANTIATE_TEST_SUITE_P(Calls, FtpDraining, testing::Values(false, true),
    [](const testing::TestParamInfo<bool>& I) { return std::string(I.param ? "blocking" : "async"); });

struct SlowCase {
    bool upload;
    bool blocking;
};

class FtpSlowReplies : public testing::TestWithParam<SlowCase> {};

TEST_P(FtpSlowReplies, AServerThatAnswersEveryCommandSlowlyIsWaitedForAcrossTheWholeOperation)
{
    // Each reply takes 4 s on the client's clock, the greeting and the 226
    // after the transfer too; the time-out is 15 s. A whole transfer
    // (greeting, USER, PASS, CWD, TYPE, PORT, STOR or RETR, 226, QUIT) takes
    // 36 s: far more than the time-out, yet never 15 s without a complete
    // reply. The clock moves on only while the server holds a reply, half a
    // second at each look of the client, and stops where the server answers.
    const SlowCase p = GetParam();
    std::atomic<qint64> now{0};
    HostileFtpServer server(Script::SlowReplies, &now);
    TFtpClient c;
    FtpRecorder r(c);
    ftpHostileAim(c, server);
    ASSERT_EQ(c.Timeout, 15);
    c.WaitCheckInterval = 2;
    c.WaitClock = [&] {
        const qint64 until = server.answerAt.load();
        if (now.load() < until)
            now = std::min(now.load() + 500, until);
        return now.load();
    };
    QTemporaryDir local;
    const QString file = local.filePath(QStringLiteral("results.mdb"));
    const QByteArray data = ftpTestBytes(200000);
    if (p.upload)
        ftpTestWriteFile(file, data);
    c.LocalFileName = file;
    c.HostDirName = QStringLiteral("db");
    c.HostFileName = QStringLiteral("results.mdb");

    // A transmit reports itself as the upload.
    const TFtpRequest expected = p.upload ? ftpPutAsync : ftpReceiveAsync;
    if (p.blocking) {
        EXPECT_TRUE(p.upload ? c.Transmit() : c.Receive()) << c.ErrorMessage().toStdString();
        // The request-done comes from the loop.
        if (r.done.empty())
            r.run([] {});
    } else {
        const FtpRecorder::Done d = r.run([&] { p.upload ? c.TransmitAsync() : c.ReceiveAsync(); });
        EXPECT_EQ(d.error, 0) << c.ErrorMessage().toStdString() << "\n" << r.trace.join(u'\n').toStdString();
    }
    ASSERT_FALSE(r.done.empty());
    EXPECT_EQ(r.done.back().request, expected);
    EXPECT_EQ(r.done.back().error, 0);
    EXPECT_NE(c.ErrorMessage(), "426 Timeout");
    if (p.upload)
        EXPECT_TRUE(server.stored() == data);
    else
        EXPECT_TRUE(ftpTestReadFile(file) == server.retrContent);
    QStringList verbs;
    for (const QString& s : r.sent())
        verbs << s.section(u' ', 0, 0);
    EXPECT_EQ(verbs, (QStringList{"USER", "PASS", "CWD", "TYPE", "PORT", p.upload ? "STOR" : "RETR", "QUIT"}));
    // Nine replies of 4 s each on the client's clock.
    EXPECT_EQ(now.load(), 36000);
}

INSTANTIATE_TEST_SUITE_P(Servers, FtpSlowReplies,
    testing::Values(SlowCase{true, false}, SlowCase{true, true}, SlowCase{false, false}, SlowCase{false, true}),
    [](const testing::TestParamInfo<SlowCase>& I) {
        return std::string(I.param.upload ? "Transmit" : "Receive") + (I.param.blocking ? "_blocking" : "_async");
    });

TEST(FtpHostile, APassiveReplyNamingAnotherHostConnectsToTheServerItself)
{
    HostileFtpServer server(Script::PasvNamesAnotherHost);
    TFtpClient c;
    FtpRecorder r(c);
    ftpHostileAim(c, server);
    c.Passive = true;
    ASSERT_EQ(r.run([&] { c.ConnectAsync(); }).error, 0);
    QTemporaryDir local;
    const QByteArray data = ftpTestBytes(300000);
    c.LocalFileName = local.filePath(QStringLiteral("up.bin"));
    c.HostFileName = QStringLiteral("up.bin");
    ftpTestWriteFile(c.LocalFileName, data);
    const FtpRecorder::Done d = r.run([&] { c.PutAsync(); });
    EXPECT_EQ(d.error, 0) << c.ErrorMessage().toStdString();
    EXPECT_TRUE(server.stored() == data);
    EXPECT_EQ(server.decoyConnections.load(), 0);
    EXPECT_TRUE(r.trace.contains("! Passive address 127.0.0.2 not used; connecting to 127.0.0.1"))
        << r.trace.join(u'\n').toStdString();
}

TEST(FtpHostile, AnActiveDataConnectionFromAnotherHostIsTurnedAway)
{
    QTemporaryDir local;
    const QByteArray data = ftpTestBytes(300000);
    const QString file = local.filePath(QStringLiteral("up.bin"));
    ftpTestWriteFile(file, data);
    {
        // The other host comes first: it is closed, gets nothing, and the
        // server's own connection that follows carries the file.
        HostileFtpServer server(Script::ForeignDataFirst);
        TFtpClient c;
        FtpRecorder r(c);
        ftpHostileAim(c, server);
        ASSERT_EQ(r.run([&] { c.ConnectAsync(); }).error, 0);
        c.LocalFileName = file;
        c.HostFileName = QStringLiteral("up.bin");
        const FtpRecorder::Done d = r.run([&] { c.PutAsync(); });
        EXPECT_EQ(d.error, 0) << c.ErrorMessage().toStdString();
        EXPECT_TRUE(server.stored() == data);
        EXPECT_TRUE(server.foreignClosed.load());
        EXPECT_EQ(server.foreignBytes.load(), 0);
        EXPECT_TRUE(r.trace.contains("! Data connection from 127.0.0.2 refused")) << r.trace.join(u'\n').toStdString();
    }
    {
        // Only the other host connects and the server says 226: no
        // success, the upload times out.
        HostileFtpServer server(Script::ForeignDataOnly);
        TFtpClient c;
        FtpRecorder r(c);
        ftpHostileAim(c, server);
        StallClock clock;
        clock.drive(c, server);
        ASSERT_EQ(r.run([&] { c.ConnectAsync(); }).error, 0);
        c.LocalFileName = file;
        c.HostFileName = QStringLiteral("up.bin");
        const FtpRecorder::Done d = r.run([&] { c.PutAsync(); });
        EXPECT_EQ(d.error, 426);
        EXPECT_EQ(c.ErrorMessage(), "426 Timeout");
        EXPECT_TRUE(server.foreignClosed.load());
        EXPECT_EQ(server.foreignBytes.load(), 0);
    }
}
