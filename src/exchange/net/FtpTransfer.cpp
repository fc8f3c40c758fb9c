// The FTP client's data connection: PORT and PASV, downloads and listings
// (RETR, LIST, NLST, MLSD), uploads (STOR, APPE), REST, progress, the
// bandwidth limit, the compressed mode and the statistics line.
#include "exchange/net/FtpClient.h"

#include "exchange/net/FtpTime.h"
#include "exchange/net/VuqStreams.h"
#include "exchange/net/VuqZlibHigh.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Bytes per read of the local file for an upload, and per receive of a
// download. Larger than one network segment so that loopback transfers are
// not held back by the event loop's round trips.
constexpr int kFtpTransferBlock = 64 * 1024;
constexpr int kFtpLocalFileBuffer = 64 * 1024;

// Whether a local port is taken (a listening socket of another program or
// of this one holds it). The probe binds as the data socket's listen does,
// with address reuse, so a port whose last connection has just ended (and
// waits out its close on this side) counts as free, as it is for the listen.
bool ftpTransferPortInUse(unsigned Port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(quint16(Port));
    a.sin_addr.s_addr = htonl(INADDR_ANY);
    const bool inUse = ::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0 && errno == EADDRINUSE;
    ::close(fd);
    return inUse;
}

QString ftpTransferWinsockText(int Code)
{
    return SocketErrorText(Code) + QStringLiteral(" (Winsock error #%1)").arg(Code);
}

} // namespace

// ---- Small pieces -----------------------------------------------------------------

QString TCustomFtpClient::TransferStatistics(int64_t ByteCount, uint32_t StartTick, uint32_t StopTick)
{
    uint32_t duration = StopTick >= StartTick ? StopTick - StartTick : (0xFFFFFFFFu - StartTick) + StopTick;
    QString text = QString::number(ByteCount) + QStringLiteral(" bytes received/sent in ");
    if (duration < 5000) {
        text += QString::number(duration) + QStringLiteral(" milliseconds");
    } else {
        text += QString::number(duration / 1000) + QStringLiteral(" seconds");
        if (StartTick != StopTick) {
            const int64_t rate = ByteCount > 32767 ? 1000 * (ByteCount / duration) : (1000 * ByteCount) / duration;
            text += QStringLiteral(" (") + QString::number(rate) + QStringLiteral(" Bytes/sec)");
        }
    }
    return text;
}

void TCustomFtpClient::ShowStatistics()
{
    FStopTick = TickCount();
    Display(QStringLiteral("! ") + TransferStatistics(FByteCount, FStartTick, FStopTick));
}

bool TCustomFtpClient::Progress()
{
    if (!OnProgress)
        return true;
    bool abort = false;
    OnProgress(this, FByteCount + ResumeAt, abort);
    if (!abort)
        return true;
    Display(QStringLiteral("! Abort requested"));
    // Stopped by the application: the transfer fails.
    if (FDataCloseError == 0)
        FDataCloseError = 426;
    if (FErrorMessage.isEmpty())
        FErrorMessage = QStringLiteral("426 Transfer aborted by the application");
    if (FDataSocket && FDataSocket->State() != skClosed)
        FDataSocket->Close();
    return false;
}

void TCustomFtpClient::CloseDataSocket(bool Hard)
{
    if (!FDataSocket)
        return;
    FDataSocket->OnSessionClosed = nullptr;
    FDataSocket->OnDataAvailable = nullptr;
    FDataSocket->OnDataSent = nullptr;
    FDataSocket->OnSessionConnected = nullptr;
    FDataSocket->OnSessionAvailable = nullptr;
    FAcceptPending = false;
    FAcceptStep = nullptr;
    try {
        if (FDataSocket->State() != skClosed) {
            if (Hard)
                FDataSocket->Abort();
            else
                FDataSocket->Close();
        }
    } catch (const ESocketException&) {
    }
    StopBandwidth();
}

void TCustomFtpClient::CloseLocalFile()
{
    if (FLocalStream && FZStreamMark == 1 && FZStream && FZStream->Size() > 0) {
        // A compressed download is unpacked into the local file when it ends.
        const int64_t before = FLocalStream->Size();
        try {
            FZStream->SetPosition(0);
            DecompressStream(*FZStream, *FLocalStream);
            Display(QStringLiteral("! Download Size, Compressed %1 bytes, Uncompressed %2 bytes")
                        .arg(FZStream->Size())
                        .arg(FLocalStream->Size() - before));
        } catch (const EZlibError& E) {
            const QString msg = QStringLiteral("Failed to Decompress Stream - ") + E.Message();
            if (FErrorMessage.isEmpty())
                FErrorMessage = msg;
            if (FDataCloseError == 0)
                FDataCloseError = 550;
            Display(QStringLiteral("! ") + msg);
        }
    }
    if (FLocalStream) {
        if (auto* file = dynamic_cast<TBufferedFileStream*>(FLocalStream.get())) {
            try {
                file->Flush();
            } catch (const EStreamError& E) {
                if (FErrorMessage.isEmpty())
                    FErrorMessage = QStringLiteral("Error writing local file: ") + E.Message();
                if (FDataCloseError == 0)
                    FDataCloseError = 550;
            }
        }
        FLocalStream.reset();
    }
    FZStream.reset();
    FZStreamMark = 0;
}

void TCustomFtpClient::DataFailure(int Code, const QString& Response)
{
    FLastResponse = Response;
    FStatusCode = Code;
    FRequestResult = Code;
    if (FErrorMessage.isEmpty())
        FErrorMessage = Response;
    CloseDataSocket();
    CloseLocalFile();
    TriggerRequestDone(Code);
}

QString TCustomFtpClient::ControlPeerAddress()
{
    if (!FControlSocket)
        return QString();
    // Through a SOCKS proxy the connection's other end is the proxy; the
    // server is the address the control connection was asked for.
    if (FConnectionType == ftpSocks4 || FConnectionType == ftpSocks4A || FConnectionType == ftpSocks5)
        return FControlSocket->Addr();
    sockaddr_in peer{};
    if (FControlSocket->GetPeerName(peer, sizeof peer) == 0)
        return QString::fromLatin1(WinSock::inet_ntoa(peer.sin_addr));
    return FControlSocket->Addr();
}

bool TCustomFtpClient::PassiveTarget(QString& Host, quint16& PortNum)
{
    QString named;
    if (!FtpReply::parsePassiveAddress(FPasvResponse, named, PortNum))
        return false;
    // Only the port of the reply is used: the data connection goes to the
    // server the control connection is made with, never to another host
    // the reply may name.
    Host = ControlPeerAddress();
    if (Host.isEmpty())
        return false;
    if (named != Host)
        Display(QStringLiteral("! Passive address %1 not used; connecting to %2").arg(named, Host));
    return true;
}

bool TCustomFtpClient::AcceptFromServer(WinSock::TSocket Handle)
{
    sockaddr_in peer{};
    socklen_t len = sizeof peer;
    if (WinSock::getpeername(Handle, reinterpret_cast<sockaddr*>(&peer), &len) != 0)
        return false;
    const QString from = QString::fromLatin1(WinSock::inet_ntoa(peer.sin_addr));
    if (from == ControlPeerAddress())
        return true;
    Display(QStringLiteral("! Data connection from %1 refused").arg(from));
    return false;
}

bool TCustomFtpClient::AcceptDataConnection(WinSock::TSocket& Handle)
{
    Handle = WinSock::InvalidSocket;
    try {
        Handle = FDataSocket->Accept();
    } catch (const ESocketException&) {
    }
    if (Handle == WinSock::InvalidSocket || AcceptFromServer(Handle))
        return true;
    // Another host came first: it is turned away and the socket listens on
    // for the server.
    WinSock::closesocket(Handle);
    Handle = WinSock::InvalidSocket;
    return false;
}

int64_t TCustomFtpClient::TransferMark()
{
    int64_t mark = FByteCount;
    if (FDataSocket) {
        mark -= FDataSocket->QueuedByteCount();
        if (FDataSocket->HSocket() != WinSock::InvalidSocket)
            mark -= WinSock::unsentBytes(FDataSocket->HSocket());
    }
    return mark;
}

// ---- The local file of a download ----------------------------------------------------

QString TCustomFtpClient::DownloadWorkName(const QString& FileName)
{
    const QFileInfo target(FileName);
    return target.dir().filePath(QStringLiteral(".") + target.fileName() + QStringLiteral(".part"));
}

void TCustomFtpClient::EndDownloadFile(bool Keep)
{
    if (FDownloadWorkFile.isEmpty())
        return;
    const QString work = FDownloadWorkFile;
    const QString target = FDownloadTarget;
    FDownloadWorkFile.clear();
    FDownloadTarget.clear();
    CloseLocalFile();
    if (Keep) {
        if (::rename(QFile::encodeName(work).constData(), QFile::encodeName(target).constData()) == 0)
            return;
        const QString why = QString::fromLocal8Bit(::strerror(errno));
        if (FErrorMessage.isEmpty())
            FErrorMessage = QStringLiteral("550 Unable to rename %1 to %2: %3").arg(work, target, why);
        if (FRequestResult == 0)
            FRequestResult = 550;
    }
    QFile::remove(work);
}

// ---- Bandwidth -----------------------------------------------------------------

void TCustomFtpClient::StartBandwidth()
{
    if (!(Options & ftpBandwidthControl))
        return;
    FBandwidthCount = 0;
    if (!FBandwidthTimer) {
        FBandwidthTimer = new QTimer(this);
        connect(FBandwidthTimer, &QTimer::timeout, this, [this] { BandwidthTick(); });
    }
    FBandwidthTimer->stop();
    FBandwidthTimer->setInterval(qMax(1, BandwidthSampling));
    FBandwidthTimer->start();
    FBandwidthMaxCount = int64_t(BandwidthLimit) * BandwidthSampling / 1000;
    FBandwidthPaused = false;
}

void TCustomFtpClient::StopBandwidth()
{
    if (FBandwidthTimer && FBandwidthTimer->isActive())
        FBandwidthTimer->stop();
    FBandwidthPaused = true;
}

void TCustomFtpClient::CountBandwidth(int Bytes)
{
    if (!(Options & ftpBandwidthControl) || !FBandwidthTimer || !FBandwidthTimer->isActive())
        return;
    FBandwidthCount += Bytes;
    if (FBandwidthCount > FBandwidthMaxCount && !FBandwidthPaused) {
        FBandwidthPaused = true;
        if (FDataSocket)
            FDataSocket->Pause();
    }
}

void TCustomFtpClient::BandwidthTick()
{
    if (!FBandwidthPaused)
        return;
    FBandwidthPaused = false;
    FBandwidthCount = qMax<int64_t>(0, FBandwidthCount - FBandwidthMaxCount);
    if (FDataSocket)
        FDataSocket->Resume();
    // An upload waits for the tick to send its next block.
    if (FLocalStream && FStorAnswerRcvd && FPutDataOpen && !FEofSignalled)
        UploadSendNext(0);
}

// ---- PORT / PASV -------------------------------------------------------------------

void TCustomFtpClient::PortAsync()
{
    DataPortStep();
}

void TCustomFtpClient::DataPortStep()
{
    if (!CheckReady())
        return;
    if (!FConnected) {
        LocalFailure(QStringLiteral("FTP component not connected"));
        return;
    }
    CloseDataSocket();
    FDataSocket->SetProto(QStringLiteral("tcp"));
    FDataSocket->SetAddr(QStringLiteral("0.0.0.0"));
    FDataSocket->SetPort(QStringLiteral("0"));
    QString cmd;
    if (Passive) {
        cmd = QStringLiteral("PASV");
    } else {
        unsigned port = 0;
        if (FDataPortRangeStart != 0 || FDataPortRangeEnd != 0) {
            if (FDataPortRangeEnd < FDataPortRangeStart) {
                LocalFailure(QStringLiteral("DataPortRangeEnd must be greater than DataPortRangeStart"));
                return;
            }
            if (FLastDataPort < FDataPortRangeStart || FLastDataPort > FDataPortRangeEnd)
                FLastDataPort = FDataPortRangeStart;
            const unsigned first = FLastDataPort;
            unsigned p = first;
            for (;;) {
                FDataSocket->SetPort(QString::number(p));
                int err = ftpTransferPortInUse(p) ? WinSock::WSAEADDRINUSE : 0;
                if (err == 0) {
                try {
                    FDataSocket->Listen();
                    err = FDataSocket->State() == skListening ? 0 : FDataSocket->LastError();
                } catch (const ESocketException& E) {
                    err = FDataSocket->LastError();
                    if (err == 0) {
                        // The code is in the text ("Error 10048 in function Bind").
                        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Error (\\d+)")).match(E.Message());
                        err = m.hasMatch() ? m.captured(1).toInt() : WinSock::WSAEINVAL;
                    }
                }
                }
                if (err == 0)
                    break;
                CloseDataSocket();
                if (err != WinSock::WSAEADDRINUSE) {
                    LocalFailure(QStringLiteral("Data connection winsock.bind failed, error #%1").arg(err));
                    return;
                }
                p = p >= FDataPortRangeEnd ? FDataPortRangeStart : p + 1;
                if (p == first) {
                    LocalFailure(QStringLiteral("All ports in DataPortRange are in use"));
                    return;
                }
            }
            port = p;
            FLastDataPort = p >= FDataPortRangeEnd ? FDataPortRangeStart : p + 1;
        } else {
            try {
                FDataSocket->Listen();
            } catch (const ESocketException&) {
                const int err = FDataSocket->LastError();
                CloseDataSocket();
                LocalFailure(QStringLiteral("Data connection winsock.bind failed, error #%1").arg(err));
                return;
            }
            sockaddr_in name{};
            int len = sizeof name;
            FDataSocket->GetSockName(name, len);
            port = ntohs(name.sin_port);
        }
        QString host;
        if (FControlSocket->GetPeerAddr() == QLatin1String("127.0.0.1")) {
            host = QStringLiteral("127,0,0,1");
        } else {
            sockaddr_in own{};
            int len = sizeof own;
            FControlSocket->GetSockName(own, len);
            const uint32_t a = ntohl(own.sin_addr.s_addr);
            host = QStringLiteral("%1,%2,%3,%4").arg(a >> 24).arg((a >> 16) & 255).arg((a >> 8) & 255).arg(a & 255);
        }
        cmd = QStringLiteral("PORT %1,%2,%3").arg(host).arg(port >> 8).arg(port & 255);
        FDataSocket->OnSessionAvailable = [this](TCustomAsyncSocket*, quint16 E) {
            FAcceptPending = true;
            if (FAcceptStep) {
                auto step = FAcceptStep;
                step(E);
            }
        };
    }
    FByteCount = 0;
    ExecAsync(ftpPortAsync, cmd, {200, 227, 0, 0});
}

// ---- REST ---------------------------------------------------------------------------

void TCustomFtpClient::RestAsync()
{
    RestStep();
}

void TCustomFtpClient::RestStep()
{
    if (FRequestType != ftpRestPutAsync && FRequestType != ftpRestartPutAsync && !(Options & ftpNoAutoResumeAt))
        ResumeAt = GetLocalFileSize(LocalFileName);
    if (ResumeAt > 0) {
        ExecAsync(ftpRestAsync, QStringLiteral("REST %1").arg(ResumeAt), {0, 0, 0, 0});
        return;
    }
    if (!FHighLevelFlag)
        FRequestType = ftpRestAsync;
    FRequestDoneFlag = false;
    FRequestResult = 0;
    TriggerRequestDone(0);
}

// ---- Downloads and listings -----------------------------------------------------------

bool TCustomFtpClient::OpenLocalFileForDownload()
{
    EndDownloadFile(false);
    CloseLocalFile();
    try {
        if (ResumeAt > 0) {
            // A resumed download goes on in the file itself: the bytes before
            // the resume point stay as they are (the stream writes back only
            // what the download wrote), and what arrived before a failure is
            // kept for the next resume.
            auto file = std::make_unique<TBufferedFileStream>(LocalFileName, uint16_t(fmOpenWrite | FShareMode), kFtpLocalFileBuffer);
            if (file->Seek(ResumeAt, soFromBeginning) != ResumeAt) {
                DataFailure(550, QStringLiteral("Unable to set resume position in local file"));
                return false;
            }
            FLocalStream = std::move(file);
        } else {
            // A download from the start is written under a work name beside
            // the file and takes the file's name only when it is complete: a
            // failed or cut one leaves an earlier file as it was.
            const QString work = DownloadWorkName(LocalFileName);
            auto file = std::make_unique<TBufferedFileStream>(work, fmCreate, kFtpLocalFileBuffer);
            FDownloadWorkFile = work;
            FDownloadTarget = LocalFileName;
            if (FShareMode != 0) {
                file.reset();
                file = std::make_unique<TBufferedFileStream>(work, uint16_t(fmOpenWrite | FShareMode), kFtpLocalFileBuffer);
            }
            FLocalStream = std::move(file);
        }
    } catch (const EStreamError& E) {
        EndDownloadFile(false);
        DataFailure(550, QStringLiteral("Unable to open local file ") + LocalFileName + QStringLiteral(": ") + E.Message());
        return false;
    }
    return true;
}

void TCustomFtpClient::DownloadStep(const QString& Command)
{
    if (!FConnected) {
        LocalFailure(Command + QStringLiteral(": not connected"));
        return;
    }
    if (LocalFileName.isEmpty() && !DisplayFileFlag) {
        LocalFailure(QStringLiteral("LocalFileName empty"));
        return;
    }
    if (!CheckReady())
        return;
    if (!FHighLevelFlag) {
        FRequestType = Command == QLatin1String("RETR") ? ftpGetAsync
            : Command == QLatin1String("LIST")          ? ftpDirAsync
            : Command == QLatin1String("NLST")          ? ftpLsAsync
                                                        : ftpMlsdAsync;
    }
    FFinalReplyRcvd = false;
    FDataClosed = false;
    FRequestDoneFlag = false;
    FByteCount = 0;
    FDataCloseError = 0;
    FDataCommand = Command;
    if (!DisplayFileFlag && !OpenLocalFileForDownload())
        return;
    if (FZlibActive) {
        FZStream = std::make_unique<TMemoryStream>();
        FZStreamMark = 1;
    }
    if (Passive) {
        QString host;
        quint16 port = 0;
        if (!PassiveTarget(host, port)) {
            DataFailure(550, QStringLiteral("550 No usable passive mode address"));
            return;
        }
        FDataSocket->SetAddr(host);
        FDataSocket->SetPort(QString::number(port));
        FDataSocket->SetLocalAddr(LocalAddr);
        FDataSocket->OnSessionConnected = [this](TCustomAsyncSocket*, quint16 E) { DownloadConnected(E); };
        FDataSocket->SetComponentOptions(skoNoReceiveLoop);
        try {
            FDataSocket->Connect();
        } catch (const ESocketException& E) {
            DataFailure(550, QStringLiteral("550 ESocketException: ") + E.Message());
            return;
        }
    }
    if (!Passive) {
        FAcceptStep = [this](quint16 E) { DownloadAccepted(E); };
        if (FAcceptPending)
            DownloadAccepted(0);
    }
    FLastMultiResponse.clear();
    FOkResponses.fill(0);
    FNext = [this] { DownloadFirstReply(); };
    FAfterCheck = nullptr;
    FReplyReader.reset();
    SetState(fsAwaitingReply);
    SendCommand(HostFileName.isEmpty() ? Command : Command + u' ' + HostFileName);
}

void TCustomFtpClient::DownloadAccepted(quint16)
{
    FAcceptPending = false;
    WinSock::TSocket h = WinSock::InvalidSocket;
    if (!AcceptDataConnection(h))
        return;
    FAcceptStep = nullptr;
    FDataSocket->OnSessionAvailable = nullptr;
    FDataSocket->Close();
    if (h == WinSock::InvalidSocket) {
        DataFailure(550, QStringLiteral("Unable to establish data connection, error #%1").arg(FDataSocket->LastError()));
        return;
    }
    FDataSocket->OnSessionClosed = [this](TCustomAsyncSocket*, quint16 E) { DownloadClosed(E); };
    FDataSocket->OnDataAvailable = [this](TCustomAsyncSocket*, quint16 E) { DownloadDataAvailable(E); };
    FDataSocket->Dup(h);
    FDataSocket->SetComponentOptions(skoNoReceiveLoop);
    StartBandwidth();
    FStartTick = TickCount();
}

void TCustomFtpClient::DownloadConnected(quint16 ErrCode)
{
    if (ErrCode != 0) {
        DataFailure(550, QStringLiteral("Unable to establish data connection, error #%1").arg(ErrCode));
        return;
    }
    FDataSocket->OnSessionClosed = [this](TCustomAsyncSocket*, quint16 E) { DownloadClosed(E); };
    FDataSocket->OnDataAvailable = [this](TCustomAsyncSocket*, quint16 E) { DownloadDataAvailable(E); };
    FStartTick = TickCount();
    StartBandwidth();
}

void TCustomFtpClient::DownloadDataAvailable(quint16)
{
    if (!Progress())
        return;
    static thread_local QByteArray buffer(kFtpTransferBlock, Qt::Uninitialized);
    const int n = FDataSocket->Receive(buffer.data(), int(buffer.size()));
    if (n > 0) {
        CountBandwidth(n);
        bool written = true;
        try {
            if (FZStreamMark == 1 && FZStream)
                written = FZStream->Write(buffer.constData(), n) == n;
            else if (FLocalStream)
                written = FLocalStream->Write(buffer.constData(), n) == n;
        } catch (const EStreamError&) {
            written = false;
        }
        FByteCount += n;
        if (!written) {
            Display(QStringLiteral("! Error writing local file"));
            // The download cannot be complete: it fails.
            if (FDataCloseError == 0)
                FDataCloseError = 550;
            if (FErrorMessage.isEmpty())
                FErrorMessage = QStringLiteral("550 Error writing local file");
            FDataSocket->Shutdown(2);
            return;
        }
        if (DisplayFileFlag && OnDisplayFile) {
            int start = 0;
            int i = 0;
            while (i < n) {
                const char c = buffer.at(i);
                if (c == '\r' || c == '\n') {
                    QString piece = QString::fromUtf8(buffer.constData() + start, i - start);
                    OnDisplayFile(this, piece);
                    while (i < n && (buffer.at(i) == '\r' || buffer.at(i) == '\n'))
                        ++i;
                    start = i;
                } else {
                    ++i;
                }
            }
            if (start < n) {
                QString piece = QString::fromUtf8(buffer.constData() + start, n - start);
                OnDisplayFile(this, piece);
            }
        }
    } else if (n < 0 && FDataSocket->State() == skConnected && FDataSocket->LastError() != WinSock::WSAEWOULDBLOCK) {
        Display(QStringLiteral("! Data: Receive error %1").arg(FDataSocket->LastError()));
        FDataSocket->Shutdown(2);
    }
}

void TCustomFtpClient::DownloadFirstReply()
{
    const int code = FStatusCode;
    if ((code >= 150 && code <= 159) || code == 125) {
        FNext = [this] { DownloadFinalReply(); };
        return;
    }
    if (FErrorMessage.isEmpty())
        FErrorMessage = FLastResponse;
    FRequestResult = code;
    CloseDataSocket();
    CloseLocalFile();
    ResumeAt = 0;
    TriggerRequestDone(code);
}

void TCustomFtpClient::DownloadFinalReply()
{
    const int code = FStatusCode;
    if (code == 125 || code == 226 || code == 250) {
        FFinalReplyRcvd = true;
        DownloadTryFinish();
        return;
    }
    if (FErrorMessage.isEmpty())
        FErrorMessage = FLastResponse;
    CloseLocalFile();
    CloseDataSocket();
    Display(QStringLiteral("! RETR/LIST/NLST Failed"));
    FRequestResult = code;
    TriggerRequestDone(code);
}

void TCustomFtpClient::DownloadClosed(quint16 ErrCode)
{
    StopBandwidth();
    CloseLocalFile();
    FDataClosed = true;
    if (FDataCloseError == 0)
        FDataCloseError = ErrCode;
    DownloadTryFinish();
}

void TCustomFtpClient::DownloadTryFinish()
{
    if (!FFinalReplyRcvd || !FDataClosed || FRequestDoneFlag)
        return;
    ShowStatistics();
    ResumeAt = 0;
    // Closing the file may still fail (the last block written back, a
    // compressed download unpacked): then the download failed.
    CloseLocalFile();
    FRequestResult = FDataCloseError;
    if (FRequestResult != 0 && FErrorMessage.isEmpty())
        FErrorMessage = QStringLiteral("Data connection closed with error #%1").arg(FRequestResult);
    EndDownloadFile(FRequestResult == 0);
    TriggerRequestDone(FRequestResult);
}

// ---- Uploads ------------------------------------------------------------------------------

void TCustomFtpClient::UploadStep(bool Append)
{
    if (!FConnected) {
        LocalFailure(QStringLiteral("STOR/APPE: not connected"));
        return;
    }
    if (LocalFileName.isEmpty()) {
        LocalFailure(QStringLiteral("LocalFileName empty"));
        return;
    }
    if (!CheckReady())
        return;
    FRequestType = Append ? ftpAppendAsync : ftpPutAsync;
    FAppendFlag = Append;
    FFinalReplyRcvd = false;
    FPutClosed = false;
    FRequestDoneFlag = false;
    FPutDataOpen = false;
    FStorAnswerRcvd = false;
    FStartTick = 0;
    FByteCount = 0;
    FDataCloseError = 0;
    if (OnReadyToTransmit) {
        bool cancel = false;
        OnReadyToTransmit(this, cancel);
        if (cancel) {
            FErrorMessage = QStringLiteral("426 Transmit cancelled by application");
            FLastResponse = FErrorMessage;
            FStatusCode = 426;
            FRequestResult = 426;
            Display(QStringLiteral("! ") + FErrorMessage);
            TriggerRequestDone(426);
            return;
        }
    }
    CloseLocalFile();
    FEofSignalled = false;
    FUploadShutdown = false;
    try {
        FLocalStream = std::make_unique<TBufferedFileStream>(LocalFileName, uint16_t(fmOpenRead | FShareMode), kFtpLocalFileBuffer);
    } catch (const EStreamError& E) {
        FLocalStream.reset();
        const QString text = QStringLiteral("Unable to open local file ") + LocalFileName + QStringLiteral(": ") + E.Message();
        Display(QStringLiteral("! ") + text);
        DataFailure(426, text);
        return;
    }
    if (ResumeAt > 0 && FLocalStream->Seek(ResumeAt, soFromBeginning) != ResumeAt) {
        DataFailure(550, QStringLiteral("Unable to set resume position in local file"));
        return;
    }
    const int64_t size = FLocalStream->Size() - FLocalStream->Position();
    if (FZlibActive) {
        try {
            auto packed = std::make_unique<TMemoryStream>();
            CompressStream(*FLocalStream, *packed, clFastest, zsZLib, false);
            packed->SetPosition(0);
            Display(QStringLiteral("! Upload Size, Compressed %1 bytes, Uncompressed %2 bytes").arg(packed->Size()).arg(size));
            FZStream = std::move(packed);
            FZStreamMark = 2;
        } catch (const EZlibError& E) {
            FZStream.reset();
            FZStreamMark = 0;
            LocalFailure(QStringLiteral("Failed to Compress Stream - ") + E.Message());
            return;
        }
    } else {
        Display(QStringLiteral("! Upload Size %1").arg(size));
    }
    if (Passive) {
        QString host;
        quint16 port = 0;
        if (!PassiveTarget(host, port)) {
            DataFailure(426, QStringLiteral("426 No usable passive mode address"));
            return;
        }
        FDataSocket->SetAddr(host);
        FDataSocket->SetPort(QString::number(port));
        FDataSocket->SetLocalAddr(LocalAddr);
        FDataSocket->OnSessionConnected = [this](TCustomAsyncSocket*, quint16 E) { UploadConnected(E); };
        FDataSocket->SetComponentOptions(skoNoReceiveLoop);
        try {
            FDataSocket->Connect();
        } catch (const ESocketException& E) {
            DataFailure(426, QStringLiteral("426 ESocketException: ") + E.Message());
        }
        // The command goes out once the data connection is made.
        SetState(fsAwaitingReply);
        return;
    }
    FAcceptStep = [this](quint16 E) { UploadAccepted(E); };
    if (FAcceptPending)
        UploadAccepted(0);
    if (FRequestDoneFlag)
        return;
    SendUploadCommand();
}

void TCustomFtpClient::SendUploadCommand()
{
    FLastMultiResponse.clear();
    FOkResponses.fill(0);
    FNext = [this] { UploadFirstReply(); };
    FAfterCheck = nullptr;
    FReplyReader.reset();
    SetState(fsAwaitingReply);
    SendCommand((FAppendFlag ? QStringLiteral("APPE ") : QStringLiteral("STOR ")) + HostFileName);
}

void TCustomFtpClient::UploadConnected(quint16 ErrCode)
{
    if (ErrCode != 0) {
        DataFailure(550, QStringLiteral("Unable to establish data connection, error #%1").arg(ErrCode));
        return;
    }
    FDataSocket->OnSessionClosed = [this](TCustomAsyncSocket*, quint16 E) { UploadClosed(E); };
    FDataSocket->OnDataAvailable = [this](TCustomAsyncSocket*, quint16) {
        char junk[2048];
        FDataSocket->Receive(junk, sizeof junk);
    };
    FDataSocket->OnDataSent = nullptr;
    FPutDataOpen = true;
    FStartTick = TickCount();
    StartBandwidth();
    SendUploadCommand();
}

void TCustomFtpClient::UploadAccepted(quint16)
{
    FAcceptPending = false;
    WinSock::TSocket h = WinSock::InvalidSocket;
    if (!AcceptDataConnection(h))
        return;
    FAcceptStep = nullptr;
    FDataSocket->OnSessionAvailable = nullptr;
    FDataSocket->Close();
    if (h == WinSock::InvalidSocket) {
        DataFailure(550, QStringLiteral("Unable to establish data connection, error #%1").arg(FDataSocket->LastError()));
        return;
    }
    FDataSocket->OnSessionClosed = [this](TCustomAsyncSocket*, quint16 E) { UploadClosed(E); };
    FDataSocket->OnDataAvailable = [this](TCustomAsyncSocket*, quint16) {
        char junk[2048];
        FDataSocket->Receive(junk, sizeof junk);
    };
    FDataSocket->OnDataSent = [this](TCustomAsyncSocket*, quint16 E) { UploadSendNext(E); };
    FDataSocket->Dup(h);
    FDataSocket->SetComponentOptions(skoNoReceiveLoop);
    StartBandwidth();
    FPutDataOpen = true;
    if (FStorAnswerRcvd && FStartTick == 0)
        PostClientMessage(MsgStartSend, 0);
}

void TCustomFtpClient::UploadFirstReply()
{
    const int code = FStatusCode;
    if (code == 150 || code == 125) {
        FStorAnswerRcvd = true;
        FNext = [this] { UploadFinalReply(); };
        if (Passive) {
            FDataSocket->OnDataSent = [this](TCustomAsyncSocket*, quint16 E) { UploadSendNext(E); };
            UploadSendNext(0);
        } else if (FPutDataOpen && FStartTick == 0) {
            PostClientMessage(MsgStartSend, 0);
        }
        return;
    }
    if (FErrorMessage.isEmpty())
        FErrorMessage = FLastResponse;
    CloseDataSocket();
    CloseLocalFile();
    ResumeAt = 0;
    FRequestResult = code;
    TriggerRequestDone(code);
}

void TCustomFtpClient::UploadSendNext(quint16 ErrCode)
{
    if (!FLocalStream || !FDataSocket)
        return;
    if (ErrCode != 0) {
        Display(QStringLiteral("! Error #%1 sending data").arg(ErrCode));
        if (FDataCloseError == 0)
            FDataCloseError = ErrCode;
        FDataSocket->Close();
        return;
    }
    if (!FStorAnswerRcvd || !FPutDataOpen || FRequestDoneFlag)
        return;
    if (FEofSignalled) {
        // Every block is queued: once the queue is empty the sending side is
        // shut down, which tells the server the file is complete.
        UploadEndCheck();
        return;
    }
    if ((Options & ftpBandwidthControl) && FBandwidthPaused)
        return;
    if (!Progress())
        return;
    static thread_local QByteArray block(kFtpTransferBlock, Qt::Uninitialized);
    int n = 0;
    try {
        TStream* source = FZStreamMark == 2 && FZStream ? static_cast<TStream*>(FZStream.get()) : FLocalStream.get();
        n = source->Read(block.data(), int(block.size()));
    } catch (const EStreamError& E) {
        Display(QStringLiteral("! Error reading file EStreamError: ") + E.Message());
        if (FDataCloseError == 0)
            FDataCloseError = 550;
        if (FErrorMessage.isEmpty())
            FErrorMessage = QStringLiteral("550 Error reading file: ") + E.Message();
        FDataSocket->Close();
        return;
    }
    if (n > 0) {
        FByteCount += n;
        try {
            if (FDataSocket->Send(block.constData(), n) < 0) {
                if (FDataCloseError == 0)
                    FDataCloseError = FDataSocket->LastError() ? FDataSocket->LastError() : 426;
                FDataSocket->Close();
                return;
            }
        } catch (const ESocketException&) {
            if (FDataCloseError == 0)
                FDataCloseError = FDataSocket->LastError() ? FDataSocket->LastError() : 426;
            if (FDataSocket->State() != skClosed)
                FDataSocket->Close();
            return;
        }
        CountBandwidth(n);
        return;
    }
    FEofSignalled = true;
    FEofDeadline = TickCount() + 5000;
    UploadEndCheck();
}

void TCustomFtpClient::UploadEndCheck()
{
    if (!FDataSocket || FUploadShutdown || !FEofSignalled)
        return;
    if (FDataSocket->QueuedByteCount() > 0)
        return; // the next data-sent event comes back here
    FUploadShutdown = true;
    FDataSocket->Shutdown(1);
}

void TCustomFtpClient::UploadFinalReply()
{
    const int code = FStatusCode;
    if (code == 226 || code == 250) {
        FFinalReplyRcvd = true;
        UploadTryFinish();
        return;
    }
    if (FErrorMessage.isEmpty())
        FErrorMessage = FLastResponse;
    CloseLocalFile();
    CloseDataSocket();
    Display(QStringLiteral("! STOR Failed"));
    FRequestResult = code;
    TriggerRequestDone(code);
}

void TCustomFtpClient::UploadClosed(quint16 ErrCode)
{
    StopBandwidth();
    CloseLocalFile();
    FPutClosed = true;
    if (FDataCloseError == 0)
        FDataCloseError = ErrCode;
    if (FDataCloseError == 0 && !FUploadShutdown) {
        // The connection ended before every byte went out: whatever the
        // server answers, the file there is not complete.
        FDataCloseError = 426;
        if (FErrorMessage.isEmpty())
            FErrorMessage = QStringLiteral("426 Data connection closed before the upload was complete");
    }
    UploadTryFinish();
}

void TCustomFtpClient::UploadTryFinish()
{
    if (!FFinalReplyRcvd || !FPutClosed || FRequestDoneFlag)
        return;
    ShowStatistics();
    ResumeAt = 0;
    FRequestResult = FDataCloseError;
    if (FRequestResult != 0 && FErrorMessage.isEmpty())
        FErrorMessage = QStringLiteral("Data connection closed with error #%1 (%2)")
                            .arg(FRequestResult)
                            .arg(ftpTransferWinsockText(FRequestResult));
    TriggerRequestDone(FRequestResult);
}
