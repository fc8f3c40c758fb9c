// The blocking twins of the FTP client: results, local errors, time-outs,
// progress that keeps a slow transfer alive (an upload still draining to a
// slow server among it), and timers of the rest of the program held back
// while a call waits.
#include "net/FtpTestServer.h"
#include "net/NetTestSupport.h"

#include <QWidget>

namespace FtpSyncTestLocal {

QStringList ftpSyncSent(const QStringList& Trace)
{
    QStringList out;
    for (const QString& t : Trace)
        if (t.startsWith(QLatin1String("> ")))
            out << t.mid(2).section(u' ', 0, 0);
    return out;
}

// How an upload of the slow-server tests is started.
struct UploadCall {
    bool blocking;
    bool passive;
};

std::string ftpSyncCallName(const testing::TestParamInfo<UploadCall>& Info)
{
    return std::string(Info.param.blocking ? "blocking" : "async") + (Info.param.passive ? "_passive" : "_active");
}

// Runs the upload of C's LocalFileName the way Call says: true when it
// succeeded.
bool ftpSyncUpload(TFtpClient& C, FtpRecorder& R, const UploadCall& Call)
{
    if (Call.blocking)
        return C.Put();
    const FtpRecorder::Done d = R.run([&] { C.PutAsync(); });
    EXPECT_EQ(d.request, ftpPutAsync);
    return d.error == 0;
}

} // namespace FtpSyncTestLocal

using namespace FtpSyncTestLocal;

TEST(FtpSync, BlockingCallsReturnTheOutcome)
{
    FtpTestServer server;
    TFtpClient c;
    server.aim(c);
    EXPECT_TRUE(c.Connect()) << c.ErrorMessage().toStdString();
    EXPECT_TRUE(c.Connected());
    EXPECT_TRUE(c.Synchronize([&] { c.TypeBinaryAsync(); }));
    const QByteArray data = ftpTestBytes(100000);
    ftpTestWriteFile(server.localPath("a.bin"), data);
    c.LocalFileName = server.localPath("a.bin");
    c.HostFileName = QStringLiteral("a.bin");
    EXPECT_TRUE(c.Put());
    c.LocalFileName = server.localPath("a2.bin");
    EXPECT_TRUE(c.Get());
    EXPECT_EQ(ftpTestReadFile(server.localPath("a2.bin")).size(), data.size());
    EXPECT_TRUE(ftpTestReadFile(server.localPath("a2.bin")) == data);
    c.HostFileName = QStringLiteral("nope.bin");
    EXPECT_FALSE(c.Dele());
    EXPECT_EQ(c.RequestResult(), 550);
    c.LocalFileName = QStringLiteral("NOOP");
    EXPECT_TRUE(c.Quote());
    EXPECT_TRUE(c.Quit());
    EXPECT_FALSE(c.Connected());
    c.PassWord = QStringLiteral("wrong");
    EXPECT_FALSE(c.Connect());
    EXPECT_TRUE(c.ErrorMessage().startsWith(QLatin1String("530 ")));
}

TEST(FtpSync, ALocalErrorReturnsFalseWithThatError)
{
    FtpTestServer server;
    TFtpClient c;
    QStringList trace;
    c.OnDisplay = [&](TCustomFtpClient*, QString& M) { trace << M; };
    server.aim(c);
    // Raised before anything started.
    c.HostDirName = QStringLiteral("x");
    EXPECT_FALSE(c.Cwd());
    EXPECT_EQ(c.ErrorMessage(), "FTP component not connected");
    // Taken by OnError: still false.
    QStringList errors;
    c.OnError = [&](TCustomFtpClient*, QString& M) { errors << M; };
    EXPECT_FALSE(c.Pwd());
    EXPECT_EQ(c.ErrorMessage(), "FTP component not connected");
    EXPECT_EQ(errors.size(), 1);
    c.OnError = nullptr;

    // Inside a composite: the operation fails and QUIT still goes out.
    c.HostDirName.clear();
    c.HostFileName = QStringLiteral("x.bin");
    c.LocalFileName.clear();
    EXPECT_FALSE(c.Transmit());
    EXPECT_EQ(c.ErrorMessage(), "LocalFileName empty");
    EXPECT_NE(c.RequestResult(), 0);
    EXPECT_EQ(ftpSyncSent(trace), (QStringList{"USER", "PASS", "TYPE", "PORT", "QUIT"}));
    EXPECT_FALSE(c.Connected());
    EXPECT_EQ(c.State(), fsReady);
}

TEST(FtpSync, ASilentServerTimesOut)
{
    FtpTestServer server({"--silent", "SYST"});
    TFtpClient c;
    server.aim(c);
    c.Timeout = 1;
    ASSERT_TRUE(c.Connect());
    EXPECT_FALSE(c.Syst());
    EXPECT_EQ(c.ErrorMessage(), "426 Timeout");
    EXPECT_EQ(c.StatusCode(), 426);
    EXPECT_FALSE(c.Connected());
    EXPECT_EQ(c.State(), fsReady);
    // The client can start again.
    EXPECT_TRUE(c.Connect());
}

TEST(FtpSync, ProgressKeepsASlowTransferAlive)
{
    // A download that as a whole lasts longer than the time-out of two
    // seconds but never stalls: on the client's clock, each of the first
    // four blocks takes 0.8 s to arrive (3.2 s in all). Every block received
    // moves the deadline on, so the download completes; a deadline counted
    // from the start of the call would have passed at the third block, and
    // the client would have cut the transfer at its next look at the clock.
    FtpTestServer server;
    const QByteArray data = ftpTestBytes(1200000);
    ftpTestWriteFile(server.serverPath("slow.bin"), data);
    TFtpClient c;
    server.aim(c);
    c.Timeout = 2;
    qint64 now = 0;
    c.WaitClock = [&] { return now; };
    ASSERT_TRUE(c.Connect());
    ASSERT_TRUE(c.Synchronize([&] { c.TypeBinaryAsync(); }));
    int slowBlocks = 0;
    c.OnProgress = [&](TCustomFtpClient*, int64_t Count, bool&) {
        if (Count > 0 && slowBlocks < 4) {
            ++slowBlocks;
            now += 800;
        }
    };
    c.LocalFileName = server.localPath("slow.bin");
    c.HostFileName = QStringLiteral("slow.bin");
    EXPECT_TRUE(c.Get()) << c.ErrorMessage().toStdString();
    EXPECT_EQ(slowBlocks, 4);
    EXPECT_TRUE(ftpTestReadFile(server.localPath("slow.bin")) == data);
}

TEST(FtpSync, TimersAndOtherWorkWaitUntilTheCallReturns)
{
    FtpTestServer server;
    TFtpClient c;
    server.aim(c);
    QWidget screen;
    bool fired = false;
    bool refused = false;
    QTimer timer(&screen);
    timer.setSingleShot(true);
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, &screen, [&] {
        fired = true;
        // Would be refused as "not ready" if it ran inside the call.
        try {
            c.PwdAsync();
        } catch (const FtpException&) {
            refused = true;
        }
    });
    int singleShots = 0;
    QTimer::singleShot(1, &screen, [&] { ++singleShots; });
    timer.start();
    FtpRecorder r(c);
    ASSERT_TRUE(c.Connect());
    EXPECT_FALSE(fired);
    EXPECT_EQ(singleShots, 0);
    // Once the call is back they run, once each: first the connect is
    // reported, then the timer's command.
    for (int i = 0; i < 3 && (r.done.empty() || r.done.back().request != ftpPwdAsync); ++i)
        r.run([] {});
    ASSERT_FALSE(r.done.empty());
    EXPECT_EQ(r.done.front().request, ftpConnectAsync);
    const FtpRecorder::Done d = r.done.back();
    EXPECT_TRUE(fired);
    EXPECT_FALSE(refused);
    // The single shot's turn comes when the loop next looks at its timers.
    EXPECT_TRUE(waitFor([&] { return singleShots > 0; }));
    EXPECT_EQ(singleShots, 1);
    EXPECT_EQ(d.request, ftpPwdAsync);
    EXPECT_EQ(d.error, 0);
}

// A real server that reads uploads slowly, with a receive buffer it keeps
// small: what it has not read yet stays on the client's side, as it does
// behind a slow line. The client's kernel takes the whole file at once, and
// from then on the upload moves only as the server reads.
class FtpSlowReader : public testing::TestWithParam<UploadCall> {
protected:
    // Signs `c` in at the server in the case's mode with the time-out, and
    // makes `data` the local file it uploads as "copy.mdb".
    void prepare(FtpTestServer& server, TFtpClient& c, FtpRecorder& r, int timeout, const QByteArray& data)
    {
        ASSERT_TRUE(server.running());
        server.aim(c);
        c.Passive = GetParam().passive;
        c.Timeout = timeout;
        ASSERT_EQ(r.run([&] { c.ConnectAsync(); }).error, 0) << c.ErrorMessage().toStdString();
        ASSERT_EQ(r.run([&] { c.TypeBinaryAsync(); }).error, 0);
        ftpTestWriteFile(server.localPath("copy.mdb"), data);
        c.LocalFileName = server.localPath("copy.mdb");
        c.HostFileName = QStringLiteral("copy.mdb");
    }
};

TEST_P(FtpSlowReader, AnUploadStillDrainingToTheServerIsNotCutByTheTimeOut)
{
    // 512 KiB read at 160 KiB/s: some 3.2 s, nearly all of it after the last
    // byte was handed to the kernel, against a time-out of 2 s. What the
    // kernel still holds goes down with every window the server opens (some
    // 32 KiB, a fifth of a second apart), and that is progress. A loaded
    // machine only makes the server read later and the upload last longer;
    // it still moves.
    const UploadCall p = GetParam();
    FtpTestServer server({"--read-rate", "163840", "--receive-buffer", "16384"});
    TFtpClient c;
    FtpRecorder r(c);
    const QByteArray data = ftpTestBytes(512 * 1024);
    prepare(server, c, r, 2, data);
    if (HasFatalFailure())
        return;
    QElapsedTimer clock;
    clock.start();
    qint64 handedOver = -1;
    c.OnProgress = [&](TCustomFtpClient*, int64_t Count, bool&) {
        if (Count == data.size() && handedOver < 0)
            handedOver = clock.elapsed();
    };

    EXPECT_TRUE(ftpSyncUpload(c, r, p)) << c.ErrorMessage().toStdString() << "\n"
                                        << r.trace.join(u'\n').toStdString();
    const qint64 took = clock.elapsed();
    EXPECT_NE(c.ErrorMessage(), "426 Timeout");
    EXPECT_TRUE(ftpTestReadFile(server.serverPath("copy.mdb")) == data);
    // What the test is about: the last byte went to the kernel, and the
    // server then read for longer than the time-out.
    ASSERT_GE(handedOver, 0);
    EXPECT_GT(took - handedOver, qint64(c.Timeout) * 1000)
        << "handed over after " << handedOver << " ms of " << took << " ms";
}

TEST_P(FtpSlowReader, AnUploadToAServerThatStopsReadingTimesOut)
{
    // The server reads 64 KiB and then nothing more, holding the connection:
    // the client's kernel holds bytes that never go down. That is no
    // progress, and the upload ends in the time-out.
    const UploadCall p = GetParam();
    FtpTestServer server({"--stop-reading-after", "65536", "--receive-buffer", "16384"});
    TFtpClient c;
    FtpRecorder r(c);
    const QByteArray data = ftpTestBytes(2 << 20);
    prepare(server, c, r, 1, data);
    if (HasFatalFailure())
        return;
    const size_t done = r.done.size();
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(ftpSyncUpload(c, r, p));
    EXPECT_EQ(c.ErrorMessage(), "426 Timeout");
    EXPECT_EQ(c.StatusCode(), 426);
    EXPECT_GE(clock.elapsed(), 1000);
    EXPECT_FALSE(c.Connected());
    if (p.blocking) {
        // The aborted operation's request-done comes from the loop.
        if (r.done.size() == done)
            r.run([] {});
        ASSERT_GT(r.done.size(), done);
        EXPECT_EQ(r.done.back().request, ftpPutAsync);
        EXPECT_EQ(r.done.back().error, 426);
    }
    EXPECT_EQ(c.State(), fsReady);
    EXPECT_LT(QFileInfo(server.serverPath("copy.mdb")).size(), data.size());
}

INSTANTIATE_TEST_SUITE_P(Calls, FtpSlowReader,
    testing::Values(UploadCall{true, false}, UploadCall{false, true}),
    ftpSyncCallName);
