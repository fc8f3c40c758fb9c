// The FTP client's transfers against a real server: round trips in active
// and passive mode, text type, append, listings, resume, progress, refused
// and broken transfers, port ranges.
#include "net/FtpTestServer.h"
#include "support/NoFreeDescriptors.h"

#include <QRegularExpression>
#include <QTcpServer>

#include <type_traits>

namespace FtpTransferTestLocal {

// Logs in and sets binary type (the server starts in text type).
void ftpTransferLogin(TCustomFtpClient& C, FtpRecorder& R)
{
    const FtpRecorder::Done d = R.run([&] { C.ConnectAsync(); });
    ASSERT_EQ(d.error, 0) << C.ErrorMessage().toStdString();
    ASSERT_EQ(R.run([&] { C.TypeBinaryAsync(); }).error, 0);
}

struct RoundTrip {
    qint64 size;
    bool passive;
    // Bytes per second at which the server reads uploads; 0: as fast as it
    // can.
    int readRate = 0;
};

std::string ftpTransferName(const testing::TestParamInfo<RoundTrip>& Info)
{
    return std::to_string(Info.param.size) + (Info.param.passive ? "_passive" : "_active")
        + (Info.param.readRate ? "_slowreader" : "");
}

} // namespace FtpTransferTestLocal

using namespace FtpTransferTestLocal;

class FtpRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(FtpRoundTrip, UploadAndDownloadGiveTheSameBytes)
{
    const RoundTrip p = GetParam();
    FtpTestServer server(p.readRate ? QStringList{"--read-rate", QString::number(p.readRate)} : QStringList());
    ASSERT_TRUE(server.running());
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    c.Passive = p.passive;
    ftpTransferLogin(c, r);
    const QByteArray data = ftpTestBytes(p.size);
    ftpTestWriteFile(server.localPath("up.bin"), data);
    c.LocalFileName = server.localPath("up.bin");
    c.HostFileName = QStringLiteral("copy.bin");
    const FtpRecorder::Done put = r.run([&] { c.PutAsync(); });
    ASSERT_EQ(put.error, 0) << c.ErrorMessage().toStdString();
    EXPECT_EQ(put.request, ftpPutAsync);
    EXPECT_EQ(c.ByteCount(), p.size);
    EXPECT_TRUE(ftpTestReadFile(server.serverPath("copy.bin")) == data);

    c.LocalFileName = server.localPath("down.bin");
    const FtpRecorder::Done get = r.run([&] { c.GetAsync(); });
    ASSERT_EQ(get.error, 0) << c.ErrorMessage().toStdString();
    EXPECT_EQ(get.request, ftpGetAsync);
    EXPECT_EQ(c.ByteCount(), p.size);
    EXPECT_TRUE(ftpTestReadFile(server.localPath("down.bin")) == data);
    EXPECT_TRUE(r.trace.filter(QStringLiteral("bytes received/sent in")).size() == 2);
    const QStringList sent = r.sent();
    if (p.passive)
        EXPECT_EQ(sent.filter(QStringLiteral("PASV")).size(), 2);
    else
        EXPECT_EQ(sent.filter(QRegularExpression(QStringLiteral("^PORT 127,0,0,1,\\d+,\\d+$"))).size(), 2);
}

// Empty, one byte, whole 64 KB blocks of the local file's buffer, and a big
// file: many blocks more than the sockets hold at once, ending in a part block.
// Then the same against a server that reads uploads slower than the client
// writes, in bursts and pauses as a real server on a busy line does: the
// client's socket fills up, and the kernel often takes only part of a block.
// The rates keep each upload within a few seconds; the largest file is one
// of a size a register copy has.
INSTANTIATE_TEST_SUITE_P(Sizes, FtpRoundTrip,
    testing::Values(RoundTrip{0, false}, RoundTrip{0, true}, RoundTrip{1, false}, RoundTrip{1, true},
        RoundTrip{1 << 20, false}, RoundTrip{1 << 20, true}, RoundTrip{(8 << 20) + 3, false},
        RoundTrip{(8 << 20) + 3, true}, RoundTrip{1, false, 4 << 20}, RoundTrip{1, true, 4 << 20},
        RoundTrip{1 << 20, false, 4 << 20}, RoundTrip{1 << 20, true, 4 << 20},
        RoundTrip{(8 << 20) + 3, false, 8 << 20}, RoundTrip{(8 << 20) + 3, true, 8 << 20},
        RoundTrip{(40 << 20) + 5, false, 20 << 20}, RoundTrip{(40 << 20) + 5, true, 20 << 20}),
    ftpTransferName);

TEST(FtpTransfer, TextTypeRoundTripOfALineEndedFile)
{
    FtpTestServer server;
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    ftpTransferLogin(c, r);
    r.run([&] { c.TypeAsciiAsync(); });
    EXPECT_TRUE(r.sent().contains("TYPE A"));
    const QByteArray text = "Ad;Soyad\r\nAYŞE;ÇELİK\r\n\r\nson satır\r\n";
    ftpTestWriteFile(server.localPath("list.csv"), text);
    c.LocalFileName = server.localPath("list.csv");
    c.HostFileName = QStringLiteral("list.csv");
    ASSERT_EQ(r.run([&] { c.PutAsync(); }).error, 0);
    // The server stores text with its own line ends.
    EXPECT_EQ(ftpTestReadFile(server.serverPath("list.csv")), QByteArray(text).replace("\r\n", "\n"));
    c.LocalFileName = server.localPath("back.csv");
    ASSERT_EQ(r.run([&] { c.GetAsync(); }).error, 0);
    EXPECT_EQ(ftpTestReadFile(server.localPath("back.csv")), text);
}

TEST(FtpTransfer, TransmitRunsEveryStepAndReportsTheUpload)
{
    FtpTestServer server;
    QDir(server.home()).mkdir(QStringLiteral("web"));
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    c.HostDirName = QStringLiteral("web");
    c.HostFileName = QStringLiteral("index.html");
    ftpTestWriteFile(server.localPath("index.html"), "<html/>");
    c.LocalFileName = server.localPath("index.html");
    const FtpRecorder::Done d = r.run([&] { c.TransmitAsync(); });
    EXPECT_EQ(d.error, 0) << c.ErrorMessage().toStdString();
    EXPECT_EQ(int(d.request), 18);
    EXPECT_TRUE(c.LastResponse().startsWith(QLatin1String("226"))) << c.LastResponse().toStdString();
    EXPECT_EQ(c.StatusCode(), 226);
    EXPECT_FALSE(c.Connected());
    QStringList verbs;
    for (const QString& s : r.sent())
        verbs << s.section(u' ', 0, 0);
    EXPECT_EQ(verbs, (QStringList{"USER", "PASS", "CWD", "TYPE", "PORT", "STOR", "QUIT"}));
    EXPECT_EQ(ftpTestReadFile(server.serverPath("web/index.html")), "<html/>");
}

TEST(FtpTransfer, AppendAddsToTheServersFile)
{
    FtpTestServer server;
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    c.Passive = true;
    ftpTransferLogin(c, r);
    ftpTestWriteFile(server.serverPath("log.txt"), "first|");
    ftpTestWriteFile(server.localPath("more.txt"), "second");
    c.LocalFileName = server.localPath("more.txt");
    c.HostFileName = QStringLiteral("log.txt");
    const FtpRecorder::Done d = r.run([&] { c.AppendAsync(); });
    EXPECT_EQ(d.request, ftpAppendAsync);
    EXPECT_EQ(d.error, 0);
    EXPECT_EQ(ftpTestReadFile(server.serverPath("log.txt")), "first|second");
}

TEST(FtpTransfer, ListingsComeLineByLineOrIntoAFile)
{
    FtpTestServer server;
    ftpTestWriteFile(server.serverPath("one.txt"), "1");
    ftpTestWriteFile(server.serverPath("two.txt"), "22");
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    ftpTransferLogin(c, r);
    QStringList lines;
    c.OnDisplayFile = [&](TCustomFtpClient*, QString& L) { lines << L; };
    c.DisplayFileFlag = true;
    const FtpRecorder::Done ls = r.run([&] { c.LsAsync(); });
    EXPECT_EQ(ls.request, ftpLsAsync);
    EXPECT_EQ(ls.error, 0);
    lines.sort();
    EXPECT_EQ(lines, (QStringList{"one.txt", "two.txt"}));
    lines.clear();
    r.run([&] { c.MlsdAsync(); });
    EXPECT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.filter(QStringLiteral("size=2;")).size(), 1);
    c.DisplayFileFlag = false;
    c.LocalFileName = server.localPath("dir.txt");
    const FtpRecorder::Done dir = r.run([&] { c.DirAsync(); });
    EXPECT_EQ(dir.request, ftpDirAsync);
    const QByteArray listing = ftpTestReadFile(server.localPath("dir.txt"));
    EXPECT_TRUE(listing.contains("one.txt") && listing.contains("two.txt")) << listing.constData();
}

TEST(FtpTransfer, ResumedDownloadContinuesAtTheLocalFilesEnd)
{
    FtpTestServer server;
    const QByteArray data = ftpTestBytes(300000);
    ftpTestWriteFile(server.serverPath("big.bin"), data);
    ftpTestWriteFile(server.localPath("big.bin"), data.left(123457));
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    ftpTransferLogin(c, r);
    c.HostFileName = QStringLiteral("big.bin");
    c.LocalFileName = server.localPath("big.bin");
    std::vector<int64_t> counts;
    c.OnProgress = [&](TCustomFtpClient*, int64_t Count, bool&) { counts.push_back(Count); };
    const FtpRecorder::Done d = r.run([&] { c.RestGetAsync(); });
    EXPECT_EQ(d.request, ftpRestGetAsync);
    EXPECT_EQ(d.error, 0) << c.ErrorMessage().toStdString();
    EXPECT_TRUE(r.sent().contains("REST 123457"));
    EXPECT_EQ(c.ByteCount(), 300000 - 123457);
    EXPECT_EQ(ftpTestReadFile(server.localPath("big.bin")).size(), data.size());
    const QByteArray got = ftpTestReadFile(server.localPath("big.bin"));
    qsizetype firstDiff = -1;
    for (qsizetype i = 0; i < qMin(got.size(), data.size()) && firstDiff < 0; ++i)
        if (got[i] != data[i])
            firstDiff = i;
    EXPECT_EQ(firstDiff, -1);
    ASSERT_FALSE(counts.empty());
    // Counts include the resume offset.
    EXPECT_GE(counts.front(), 123457);
    EXPECT_EQ(c.ResumeAt, 0);
}

TEST(FtpTransfer, ProgressCountsAre64Bit)
{
    static_assert(std::is_same_v<std::invoke_result_t<decltype(&TCustomFtpClient::ByteCount), TCustomFtpClient>, int64_t>);
    TFtpProgress handler = [](TCustomFtpClient*, int64_t Count, bool& Abort) { Abort = Count > (int64_t(1) << 32); };
    bool abort = false;
    handler(nullptr, int64_t(5) << 30, abort);
    EXPECT_TRUE(abort);
}

TEST(FtpTransfer, AStopFromProgressFailsTheTransfer)
{
    FtpTestServer server;
    ftpTestWriteFile(server.serverPath("big.bin"), ftpTestBytes(4 << 20));
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    ftpTransferLogin(c, r);
    c.HostFileName = QStringLiteral("big.bin");
    c.LocalFileName = server.localPath("part.bin");
    c.OnProgress = [](TCustomFtpClient*, int64_t Count, bool& Abort) { Abort = Count > 100000; };
    const FtpRecorder::Done d = r.run([&] { c.GetAsync(); });
    EXPECT_NE(d.error, 0);
    EXPECT_NE(c.RequestResult(), 0);
    EXPECT_TRUE(r.trace.contains("! Abort requested"));
}

TEST(FtpTransfer, ARefusedStorIsAFailureWithTheServersText)
{
    FtpTestServer server;
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c, QStringLiteral("reader"));
    ftpTransferLogin(c, r);
    ftpTestWriteFile(server.localPath("x.bin"), "data");
    c.LocalFileName = server.localPath("x.bin");
    c.HostFileName = QStringLiteral("x.bin");
    const FtpRecorder::Done d = r.run([&] { c.PutAsync(); });
    EXPECT_EQ(d.error, 550);
    EXPECT_EQ(c.RequestResult(), 550);
    EXPECT_TRUE(c.ErrorMessage().startsWith(QLatin1String("550 "))) << c.ErrorMessage().toStdString();
    EXPECT_FALSE(QFileInfo::exists(server.serverPath("x.bin")));
    // The connection stays usable.
    r.run([&] { c.PwdAsync(); });
    EXPECT_EQ(c.RequestResult(), 0);
}

TEST(FtpTransfer, AMissingLocalFileFailsBeforeAnythingIsSent)
{
    FtpTestServer server;
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    ftpTransferLogin(c, r);
    c.LocalFileName = server.localPath("nothing-here.bin");
    c.HostFileName = QStringLiteral("n.bin");
    const FtpRecorder::Done d = r.run([&] { c.PutAsync(); });
    EXPECT_EQ(d.error, 426);
    EXPECT_TRUE(c.ErrorMessage().startsWith(QStringLiteral("Unable to open local file ") + c.LocalFileName + ": "))
        << c.ErrorMessage().toStdString();
    EXPECT_TRUE(r.sent().filter(QStringLiteral("STOR")).isEmpty());
}

class FtpBrokenTransfer : public testing::TestWithParam<bool> {};

TEST_P(FtpBrokenTransfer, AServerDroppingMidTransferFailsIt)
{
    const bool passive = GetParam();
    FtpTestServer server({"--drop-after", "200000"});
    const QByteArray data = ftpTestBytes(2 << 20);
    ftpTestWriteFile(server.serverPath("big.bin"), data);
    ftpTestWriteFile(server.localPath("big.bin"), data);
    {
        TCustomFtpClient c;
        FtpRecorder r(c);
        server.aim(c);
        c.Passive = passive;
        ftpTransferLogin(c, r);
        c.HostFileName = QStringLiteral("big.bin");
        c.LocalFileName = server.localPath("down.bin");
        // An earlier copy stays as it was, and no part of the new one is
        // left beside it.
        ftpTestWriteFile(c.LocalFileName, "the earlier copy");
        const FtpRecorder::Done d = r.run([&] { c.GetAsync(); });
        EXPECT_NE(d.error, 0);
        EXPECT_NE(c.RequestResult(), 0);
        EXPECT_FALSE(c.ErrorMessage().isEmpty());
        EXPECT_FALSE(c.Connected());
        EXPECT_EQ(c.State(), fsReady);
        EXPECT_EQ(ftpTestReadFile(c.LocalFileName), "the earlier copy");
        EXPECT_EQ(QDir(server.localPath(QString())).entryList(QDir::Files | QDir::Hidden),
            (QStringList{"big.bin", "down.bin"}));
    }
    {
        TCustomFtpClient c;
        FtpRecorder r(c);
        server.aim(c);
        c.Passive = passive;
        ftpTransferLogin(c, r);
        c.HostFileName = QStringLiteral("up.bin");
        c.LocalFileName = server.localPath("big.bin");
        const FtpRecorder::Done d = r.run([&] { c.PutAsync(); });
        EXPECT_NE(d.error, 0);
        EXPECT_NE(c.RequestResult(), 0);
        EXPECT_FALSE(c.Connected());
    }
}

TEST_P(FtpBrokenTransfer, AnUploadCutShortFailsEvenWhenTheServerSays226)
{
    const bool passive = GetParam();
    FtpTestServer server({"--cut-after", "65536"});
    ftpTestWriteFile(server.localPath("big.bin"), ftpTestBytes(8 << 20));
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    c.Passive = passive;
    ftpTransferLogin(c, r);
    c.HostFileName = QStringLiteral("up.bin");
    c.LocalFileName = server.localPath("big.bin");
    const FtpRecorder::Done d = r.run([&] { c.PutAsync(); });
    EXPECT_TRUE(r.trace.contains("< 226 Transfer complete."));
    EXPECT_NE(d.error, 0);
    EXPECT_NE(c.RequestResult(), 0);
    EXPECT_FALSE(c.ErrorMessage().isEmpty());
    EXPECT_LT(QFileInfo(server.serverPath("up.bin")).size(), 8 << 20);
    // The control connection is still fine.
    r.run([&] { c.PwdAsync(); });
    EXPECT_EQ(c.RequestResult(), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, FtpBrokenTransfer, testing::Values(false, true),
    [](const testing::TestParamInfo<bool>& I) { return std::string(I.param ? "passive" : "active"); });

TEST(FtpTransfer, DataPortRangeIsUsedInTurnAndItsErrorsAreReported)
{
    FtpTestServer server;
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    ftpTransferLogin(c, r);
    ftpTestWriteFile(server.localPath("s.txt"), "s");
    c.LocalFileName = server.localPath("s.txt");
    c.HostFileName = QStringLiteral("s.txt");
    auto portOf = [](const QString& line) {
        const QStringList f = line.mid(5).split(u',');
        return f[4].toInt() * 256 + f[5].toInt();
    };
    // Two neighbouring free ports. Between finding them and the client's
    // bind another program may take one; then the pair is chosen again.
    quint16 base = 0;
    QStringList ports;
    for (int attempt = 0; attempt < 50 && ports.size() != 2; ++attempt) {
        base = 0;
        {
            QTcpServer a;
            QTcpServer b;
            if (a.listen(QHostAddress::Any, 0) && a.serverPort() < 65535 &&
                b.listen(QHostAddress::Any, a.serverPort() + 1))
                base = a.serverPort();
        }
        if (!base)
            continue;
        c.SetDataPortRangeStart(base);
        c.SetDataPortRangeEnd(base + 1);
        const int before = int(r.sent().filter(QStringLiteral("PORT")).size());
        if (r.run([&] { c.PutAsync(); }).error != 0 || r.run([&] { c.PutAsync(); }).error != 0)
            continue;
        ports = r.sent().filter(QStringLiteral("PORT")).mid(before);
    }
    ASSERT_EQ(ports.size(), 2);
    EXPECT_EQ(portOf(ports[0]), base);
    EXPECT_EQ(portOf(ports[1]), base + 1);
    // Round again at once: a port whose last connection has just ended is
    // free for the next transfer (it may still wait out its close here).
    for (int round = 0; round < 2; ++round) {
        const FtpRecorder::Done again = r.run([&] { c.PutAsync(); });
        EXPECT_EQ(again.error, 0) << c.ErrorMessage().toStdString();
        EXPECT_EQ(portOf(r.sent().filter(QStringLiteral("PORT")).last()), base + round);
    }

    // Both ports busy (held here, or already taken by another program).
    {
        QTcpServer a;
        QTcpServer b;
        a.listen(QHostAddress::Any, base);
        b.listen(QHostAddress::Any, base + 1);
        const FtpRecorder::Done d = r.run([&] { c.PutAsync(); });
        EXPECT_EQ(d.error, 550);
        EXPECT_EQ(c.ErrorMessage(), "All ports in DataPortRange are in use");
    }
    c.SetDataPortRangeStart(base + 1);
    c.SetDataPortRangeEnd(base);
    const FtpRecorder::Done bad = r.run([&] { c.PutAsync(); });
    EXPECT_EQ(bad.error, 550);
    EXPECT_EQ(c.ErrorMessage(), "DataPortRangeEnd must be greater than DataPortRangeStart");
    EXPECT_TRUE(c.Connected());
}

TEST(FtpTransfer, BandwidthLimitStillDeliversEveryByte)
{
    FtpTestServer server;
    const QByteArray data = ftpTestBytes(600000);
    ftpTestWriteFile(server.localPath("b.bin"), data);
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    c.Options |= ftpBandwidthControl;
    c.BandwidthLimit = 2000000;
    c.BandwidthSampling = 100;
    ftpTransferLogin(c, r);
    c.LocalFileName = server.localPath("b.bin");
    c.HostFileName = QStringLiteral("b.bin");
    ASSERT_EQ(r.run([&] { c.PutAsync(); }).error, 0);
    c.LocalFileName = server.localPath("b2.bin");
    ASSERT_EQ(r.run([&] { c.GetAsync(); }).error, 0);
    EXPECT_TRUE(ftpTestReadFile(server.localPath("b2.bin")) == data);
}

TEST(FtpTransfer, ACompleteDownloadReplacesTheEarlierFile)
{
    FtpTestServer server;
    const QByteArray data = ftpTestBytes(200000);
    ftpTestWriteFile(server.serverPath("new.bin"), data);
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    ftpTransferLogin(c, r);
    c.HostFileName = QStringLiteral("new.bin");
    c.LocalFileName = server.localPath("copy.bin");
    ftpTestWriteFile(c.LocalFileName, QByteArray(500000, 'e'));
    ASSERT_EQ(r.run([&] { c.GetAsync(); }).error, 0) << c.ErrorMessage().toStdString();
    EXPECT_TRUE(ftpTestReadFile(c.LocalFileName) == data);
    EXPECT_EQ(QDir(server.localPath(QString())).entryList(QDir::Files | QDir::Hidden), QStringList{"copy.bin"});
}

TEST(FtpTransfer, PutAsyncRaisesTheDataSocketsErrorBesidesItsReport)
{
    FtpTestServer server;
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    ftpTransferLogin(c, r);
    ftpTestWriteFile(server.localPath("s.txt"), "s");
    c.LocalFileName = server.localPath("s.txt");
    c.HostFileName = QStringLiteral("s.txt");
    // An error left over from before is cleared first.
    c.DataSocket()->SetLastError(WinSock::WSAECONNRESET);
    EXPECT_EQ(r.run([&] { c.PutAsync(); }).error, 0);

    // No file handle left for the data socket's listen: the operation fails
    // with its own report, and the call raises the socket's error.
    QString raised;
    {
        NoFreeDescriptors none;
        ASSERT_TRUE(none.active());
        try {
            c.PutAsync();
        } catch (const FtpException& E) {
            raised = E.Message();
        }
    }
    EXPECT_EQ(raised, "Socket Error 10024");
    const FtpRecorder::Done d = r.run([] {});
    EXPECT_EQ(d.request, ftpPutAsync);
    EXPECT_EQ(d.error, 550);
    EXPECT_EQ(c.ErrorMessage(), "Data connection winsock.bind failed, error #10024");
}
