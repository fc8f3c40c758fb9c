// The FTP client's control connection against a real server: logging in,
// refusals, the banner, single commands and their result values, local
// errors, abort and a server that goes away.
#include "net/FtpTestServer.h"

#include <QTcpServer>

namespace FtpControlTestLocal {

// A loopback port with nobody listening on it.
quint16 ftpControlClosedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void ftpControlLogin(TCustomFtpClient& C, FtpRecorder& R)
{
    const FtpRecorder::Done d = R.run([&] { C.ConnectAsync(); });
    ASSERT_EQ(d.error, 0) << C.ErrorMessage().toStdString();
    ASSERT_TRUE(C.Connected());
}

} // namespace FtpControlTestLocal

using namespace FtpControlTestLocal;

TEST(FtpControl, ConnectLogsInWithUserAndPasswordOnly)
{
    FtpTestServer server;
    ASSERT_TRUE(server.running());
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    QStringList states;
    c.OnStateChange = [&](TCustomFtpClient* S) { states << QString::number(S->State()); };
    const FtpRecorder::Done d = r.run([&] { c.ConnectAsync(); });
    EXPECT_EQ(d.request, ftpConnectAsync);
    EXPECT_EQ(int(d.request), 5);
    EXPECT_EQ(d.error, 0);
    EXPECT_EQ(c.RequestResult(), 0);
    EXPECT_TRUE(c.Connected());
    EXPECT_EQ(c.State(), fsReady);
    // No CWD without a directory, no ACCT after PASS answered 230.
    EXPECT_EQ(r.sent(), (QStringList{"USER user", "PASS secret"}));
    EXPECT_EQ(c.StatusCode(), 230);
    // resolving, awaiting banner, banner, between steps, awaiting reply, ..., ready
    EXPECT_EQ(states.mid(0, 3), (QStringList{"3", "7", "4"}));
    EXPECT_EQ(states.last(), "1");
}

TEST(FtpControl, WrongPasswordFailsWithTheServersReply)
{
    FtpTestServer server;
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    c.PassWord = QStringLiteral("wrong");
    const FtpRecorder::Done d = r.run([&] { c.ConnectAsync(); });
    EXPECT_EQ(d.error, 530);
    EXPECT_EQ(c.RequestResult(), 530);
    EXPECT_TRUE(c.ErrorMessage().startsWith(QLatin1String("530 "))) << c.ErrorMessage().toStdString();
    EXPECT_EQ(c.State(), fsReady);
}

TEST(FtpControl, ARefusedConnectAnswers500WithItsErrorNumber)
{
    TCustomFtpClient c;
    FtpRecorder r(c);
    c.HostName = QStringLiteral("127.0.0.1");
    c.Port = QString::number(ftpControlClosedPort());
    c.UserName = QStringLiteral("user");
    c.PassWord = QStringLiteral("secret");
    int closedEvents = 0;
    c.OnSessionClosed = [&](TCustomFtpClient*, quint16) { ++closedEvents; };
    const FtpRecorder::Done d = r.run([&] { c.ConnectAsync(); });
    EXPECT_EQ(d.error, 10061);
    EXPECT_EQ(c.RequestResult(), 500);
    EXPECT_EQ(c.StatusCode(), 500);
    const QString expected = QStringLiteral("500 ") + SocketErrorText(10061) + QStringLiteral(" (Winsock error #10061)");
    EXPECT_EQ(c.LastResponse(), expected);
    EXPECT_EQ(c.ErrorMessage(), expected);
    EXPECT_TRUE(expected.contains(QLatin1String("refused"), Qt::CaseInsensitive)) << expected.toStdString();
    // Not a closed control connection: it never was connected.
    EXPECT_EQ(closedEvents, 0);
    EXPECT_FALSE(c.Connected());
    EXPECT_EQ(c.State(), fsReady);
    // Nothing was sent.
    EXPECT_TRUE(r.sent().isEmpty());
}

TEST(FtpControl, ABannerOtherThan220ClosesAndReportsThatCode)
{
    FtpTestServer server({"--banner-code", "421"});
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    const FtpRecorder::Done d = r.run([&] { c.ConnectAsync(); });
    EXPECT_EQ(d.error, 421);
    EXPECT_EQ(c.RequestResult(), 421);
    EXPECT_TRUE(c.ErrorMessage().startsWith(QLatin1String("421 ")));
    EXPECT_FALSE(c.Connected());
    EXPECT_TRUE(r.sent().isEmpty());
}

TEST(FtpControl, SingleCommandsAndTheirResultValues)
{
    FtpTestServer server;
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    ftpControlLogin(c, r);
    ftpTestWriteFile(server.serverPath("a.txt"), "12345");

    c.HostFileName = QStringLiteral("dir \"q\"");
    EXPECT_EQ(r.run([&] { c.MkdAsync(); }).request, ftpMkdAsync);
    EXPECT_EQ(c.RequestResult(), 0);
    EXPECT_TRUE(QFileInfo(server.serverPath("dir \"q\"")).isDir());
    // The quoted name with doubled quotes comes back as one quote each.
    EXPECT_EQ(c.DirResult(), "/dir \"q\"");

    c.HostDirName = QStringLiteral("dir \"q\"");
    r.run([&] { c.CwdAsync(); });
    EXPECT_EQ(c.RequestResult(), 0);
    r.run([&] { c.PwdAsync(); });
    EXPECT_EQ(c.StatusCode(), 257);
    EXPECT_EQ(c.DirResult(), "/dir \"q\"");
    r.run([&] { c.CDupAsync(); });
    EXPECT_EQ(c.RequestResult(), 0);
    r.run([&] { c.RmdAsync(); });
    EXPECT_EQ(c.RequestResult(), 0);
    EXPECT_FALSE(QFileInfo::exists(server.serverPath("dir \"q\"")));

    // The server answers SIZE in binary type only.
    r.run([&] { c.TypeBinaryAsync(); });
    c.HostFileName = QStringLiteral("a.txt");
    r.run([&] { c.SizeAsync(); });
    EXPECT_EQ(c.SizeResult(), 5);

    c.LocalFileName = QStringLiteral("b.txt");
    const FtpRecorder::Done ren = r.run([&] { c.RenAsync(); });
    EXPECT_EQ(ren.request, ftpRenAsync);
    EXPECT_EQ(ren.error, 0);
    EXPECT_TRUE(QFileInfo::exists(server.serverPath("b.txt")));

    c.HostFileName = QStringLiteral("b.txt");
    r.run([&] { c.DeleAsync(); });
    EXPECT_EQ(c.RequestResult(), 0);
    EXPECT_FALSE(QFileInfo::exists(server.serverPath("b.txt")));
    // Deleting it again is refused with the server's code.
    const FtpRecorder::Done again = r.run([&] { c.DeleAsync(); });
    EXPECT_EQ(again.error, 550);
    EXPECT_TRUE(c.ErrorMessage().startsWith(QLatin1String("550 ")));

    r.run([&] { c.SystAsync(); });
    EXPECT_EQ(c.StatusCode(), 215);

    const QStringList sent = r.sent();
    EXPECT_TRUE(sent.contains("MKD dir \"q\""));
    EXPECT_TRUE(sent.contains("RNFR a.txt"));
    EXPECT_TRUE(sent.contains("RNTO b.txt"));
}

TEST(FtpControl, MultiLineRepliesCompleteOnceAtTheirLastLine)
{
    FtpTestServer server;
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    ftpControlLogin(c, r);
    int responses = 0;
    c.OnResponse = [&](TCustomFtpClient*) { ++responses; };
    const size_t before = r.done.size();
    r.run([&] { c.FeatAsync(); });
    EXPECT_EQ(r.done.size(), before + 1);
    EXPECT_EQ(c.StatusCode(), 211);
    EXPECT_EQ(c.RequestResult(), 0);
    const QStringList lines = c.LastMultiResponse().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    EXPECT_GT(lines.size(), 3);
    EXPECT_EQ(lines.size(), responses);
    EXPECT_TRUE(lines.first().startsWith(QLatin1String("211-")));
    EXPECT_TRUE(lines.last().startsWith(QLatin1String("211 ")));
    const TFtpExtensions ext = c.SupportedExtensions();
    EXPECT_TRUE(ext & ftpFeatSize);
    EXPECT_TRUE(ext & ftpFeatMDTM);
    EXPECT_TRUE(ext & ftpFeatMLST);
    EXPECT_TRUE(ext & ftpFeatRest);

    // A raw command with a multi-line answer, and one the server refuses.
    c.LocalFileName = QStringLiteral("HELP");
    r.run([&] { c.QuoteAsync(); });
    EXPECT_EQ(c.StatusCode(), 214);
    EXPECT_EQ(c.RequestResult(), 0);
    c.LocalFileName = QStringLiteral("XYZZY");
    const FtpRecorder::Done bad = r.run([&] { c.QuoteAsync(); });
    EXPECT_EQ(bad.request, ftpQuoteAsync);
    EXPECT_GE(bad.error, 500);
}

TEST(FtpControl, TimeStampsAreSetAndReadBack)
{
    FtpTestServer server;
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    ftpControlLogin(c, r);
    ftpTestWriteFile(server.serverPath("t.bin"), "x");
    c.HostFileName = QStringLiteral("t.bin");
    c.RemFileDateTime = 0;
    EXPECT_THROW(c.MfmtAsync(), FtpException);
    const QDateTime when(QDate(2006, 3, 15), QTime(12, 30, 45));
    c.RemFileDateTime = DateTimeFromQDateTime(when);
    r.run([&] { c.MfmtAsync(); });
    EXPECT_EQ(c.RequestResult(), 0) << c.ErrorMessage().toStdString();
    EXPECT_TRUE(r.sent().contains("MFMT 20060315123045 t.bin"));
    c.RemFileDateTime = 0;
    r.run([&] { c.MdtmAsync(); });
    EXPECT_EQ(c.StatusCode(), 213);
    // The server keeps UTC; the stored moment comes back unchanged.
    EXPECT_EQ(QDateTimeFromDateTime(c.RemFileDateTime).toString("yyyyMMddHHmmss"), "20060315123045");
    c.HostFileName = QStringLiteral("missing.bin");
    r.run([&] { c.MdtmAsync(); });
    EXPECT_EQ(c.RequestResult(), 550);
}

TEST(FtpControl, LocalErrorsAreRaisedOrGoToOnError)
{
    FtpTestServer server;
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    // Not connected.
    try {
        c.PwdAsync();
        ADD_FAILURE() << "no exception";
    } catch (const FtpException& E) {
        EXPECT_EQ(E.Message(), "FTP component not connected");
    }
    ftpControlLogin(c, r);
    c.HostDirName.clear();
    QStringList errors;
    c.OnError = [&](TCustomFtpClient*, QString& Msg) { errors << Msg; };
    c.CwdAsync();
    c.ConnectAsync();
    EXPECT_EQ(errors, (QStringList{"HostDirName empty", "FTP component already connected"}));
    EXPECT_THROW(c.AuthAsync(), FtpException);
    // Busy: a second command is refused and the first one goes on.
    errors.clear();
    const FtpRecorder::Done d = r.run([&] {
        c.PwdAsync();
        c.SystAsync();
    });
    EXPECT_EQ(errors, (QStringList{"FTP component not ready"}));
    EXPECT_EQ(d.request, ftpPwdAsync);
    EXPECT_EQ(d.error, 0);
}

TEST(FtpControl, QuitClosesTheConnectionAndQuitWithoutOneEndsWell)
{
    FtpTestServer server;
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    ftpControlLogin(c, r);
    int closed = 0;
    c.OnSessionClosed = [&](TCustomFtpClient*, quint16) { ++closed; };
    const FtpRecorder::Done d = r.run([&] { c.QuitAsync(); });
    EXPECT_EQ(d.request, ftpQuitAsync);
    EXPECT_EQ(d.error, 0);
    EXPECT_EQ(c.StatusCode(), 221);
    EXPECT_FALSE(c.Connected());
    EXPECT_EQ(closed, 1);
    // QUIT without a connection: nothing is sent, the answer is made up.
    const FtpRecorder::Done again = r.run([&] { c.QuitAsync(); });
    EXPECT_EQ(again.error, 0);
    EXPECT_EQ(c.LastResponse(), "200 not connected");
}

TEST(FtpControl, AnAbortedOrUnansweredCommandIsAFailure)
{
    FtpTestServer server({"--silent", "NOOP"});
    TCustomFtpClient c;
    FtpRecorder r(c);
    server.aim(c);
    ftpControlLogin(c, r);
    c.LocalFileName = QStringLiteral("NOOP");
    // Abort while the command waits for its reply.
    const FtpRecorder::Done aborted = r.run([&] {
        c.QuoteAsync();
        QTimer::singleShot(0, &c, [&] { c.Abort(); });
    });
    EXPECT_EQ(aborted.error, 426);
    EXPECT_EQ(c.RequestResult(), 426);
    EXPECT_EQ(c.ErrorMessage(), "426 Operation aborted.");
    EXPECT_FALSE(c.Connected());
    EXPECT_EQ(c.State(), fsReady);
    // Abort with nothing running reports nothing.
    const size_t before = r.done.size();
    c.Abort();
    QCoreApplication::processEvents();
    EXPECT_EQ(r.done.size(), before);
}

TEST(FtpControl, AServerThatGoesAwayFailsTheWaitingCommand)
{
    auto server = std::make_unique<FtpTestServer>(QStringList{"--silent", "NOOP"});
    TCustomFtpClient c;
    FtpRecorder r(c);
    server->aim(c);
    ftpControlLogin(c, r);
    c.LocalFileName = QStringLiteral("NOOP");
    const FtpRecorder::Done d = r.run([&] {
        c.QuoteAsync();
        QTimer::singleShot(0, &c, [&] { server.reset(); });
    });
    EXPECT_NE(d.error, 0);
    EXPECT_EQ(c.RequestResult(), 500);
    EXPECT_TRUE(c.ErrorMessage().startsWith(QLatin1String("500 Control connection closed.")))
        << c.ErrorMessage().toStdString();
    EXPECT_FALSE(c.Connected());
}

TEST(FtpControl, SettingsOfTheConnectionKindAndSharing)
{
    TFtpClient c;
    c.SetShareMode(ftpShareDenyRead);
    EXPECT_EQ(c.ShareMode(), ftpShareDenyRead);
    c.SetShareMode(ftpShareExclusive);
    EXPECT_EQ(c.ShareMode(), ftpShareExclusive);
    c.SetConnectionType(ftpSocks5);
    EXPECT_TRUE(c.Passive);
    c.SetPassiveMode(false);
    EXPECT_TRUE(c.Passive);
    EXPECT_EQ(c.ControlSocket()->SocksLevel(), "5");
    EXPECT_EQ(c.DataSocket()->SocksAuthentication(), socksAuthenticateUsercode);
    c.SetConnectionType(ftpDirect);
    c.SetPassiveMode(false);
    EXPECT_FALSE(c.Passive);
    c.SetSocksServer(QStringLiteral("127.0.0.1"));
    c.SetSocksPort(QStringLiteral("1080"));
    EXPECT_EQ(c.DataSocket()->SocksServer(), "127.0.0.1");
    EXPECT_EQ(c.SocksPort(), "1080");
    try {
        c.SetDataPortRangeEnd(70000);
        ADD_FAILURE() << "no exception";
    } catch (const FtpException& E) {
        EXPECT_EQ(E.Message(), "DataPortRangeEnd must be in the range 0..65535");
    }
    EXPECT_EQ(c.DataPortRangeEnd(), 0u);
    EXPECT_EQ(c.Timeout, 15);
    EXPECT_EQ(c.Options, TFtpOptions(ftpAcceptLF));
    EXPECT_TRUE(c.Binary());
    EXPECT_EQ(c.Port, "ftp");
}

TEST(FtpControl, TransferStatisticsText)
{
    EXPECT_EQ(TCustomFtpClient::TransferStatistics(1000, 100, 5099), "1000 bytes received/sent in 4999 milliseconds");
    EXPECT_EQ(TCustomFtpClient::TransferStatistics(1000, 100, 5100),
        "1000 bytes received/sent in 5 seconds (200 Bytes/sec)");
    EXPECT_EQ(TCustomFtpClient::TransferStatistics(5000000, 0, 10000),
        "5000000 bytes received/sent in 10 seconds (500000 Bytes/sec)");
    // The tick counter wrapped.
    EXPECT_EQ(TCustomFtpClient::TransferStatistics(10, 0xFFFFFF00u, 100),
        "10 bytes received/sent in 355 milliseconds");
}
