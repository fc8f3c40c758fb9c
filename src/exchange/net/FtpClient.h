#pragma once
// The FTP client component.
//
// TCustomFtpClient: the asynchronous client. It owns two sockets, the control
// connection (one command line at a time, numbered replies) and the data
// connection (transfers and listings, active with PORT or passive with PASV).
// Every operation returns at once; its outcome comes later through
// OnRequestDone, which is always posted and so runs from the event loop,
// never from inside the call that started the operation.
//
// TFtpClient: the same plus blocking twins (Connect, Transmit, Put, ...) that
// run the asynchronous operation and wait for its end or a time-out. The wait
// runs the event loop only for the client's own work: user input and the
// timers of the rest of the program wait until the call returns, so a button
// or a timer can never start an operation inside an operation.
//
// Errors:
//  - a local error (a missing name, the client busy, ...) when no operation
//    is running goes to OnError, or is raised as FtpException when OnError is
//    not assigned; no OnRequestDone follows;
//  - a local error inside a running composite operation fails that operation:
//    QUIT is still sent when it was pending, and OnRequestDone reports the
//    failure (ErrorMessage holds the error's text);
//  - server refusals, lost connections, an abort and a time-out end the
//    operation with a non-zero code (the reply code, 500, 550 or 426).

#include "exchange/net/AsyncSocket.h"
#include "exchange/net/FtpCommands.h"
#include "exchange/net/FtpReply.h"
#include "exchange/net/FtpTime.h"
#include "exchange/net/FtpTypes.h"

#include <QDateTime>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

class QTimer;
class TStream;
class TMemoryStream;

// A local error of the FTP client, with its text.
class FtpException : public std::runtime_error {
public:
    explicit FtpException(const QString& Msg) : std::runtime_error(Msg.toStdString()), FMessage(Msg) {}
    QString Message() const { return FMessage; }

private:
    QString FMessage;
};

class TCustomFtpClient;
using TFtpDisplay = std::function<void(TCustomFtpClient* Sender, QString& Msg)>;
using TFtpCommand = std::function<void(TCustomFtpClient* Sender, QString& Cmd)>;
using TFtpNotify = std::function<void(TCustomFtpClient* Sender)>;
using TFtpSessionEvent = std::function<void(TCustomFtpClient* Sender, quint16 ErrCode)>;
using TFtpRequestDone = std::function<void(TCustomFtpClient* Sender, TFtpRequest RqType, quint16 ErrCode)>;
// Count is the bytes moved so far plus the resume offset, 64-bit.
using TFtpProgress = std::function<void(TCustomFtpClient* Sender, int64_t Count, bool& Abort)>;
using TFtpReadyToTransmit = std::function<void(TCustomFtpClient* Sender, bool& bCancel)>;
using TFtpBgException = std::function<void(TCustomFtpClient* Sender, const std::exception& E, bool& CanClose)>;

class TCustomFtpClient : public QObject {
public:
    explicit TCustomFtpClient(QObject* AOwner = nullptr);
    ~TCustomFtpClient() override;

    // ---- Properties -------------------------------------------------------
    QString HostName;
    QString Port = QStringLiteral("ftp");
    QString LocalAddr = QStringLiteral("0.0.0.0");
    QString UserName;
    QString PassWord;
    QString Account;
    QString HostDirName;
    QString HostFileName;
    QString LocalFileName;
    bool DisplayFileFlag = false;
    TFtpOptions Options = ftpAcceptLF;
    QString ProxyServer;
    int BandwidthLimit = 10000;
    int BandwidthSampling = 1000;
    bool Passive = false;
    int64_t ResumeAt = 0;
    // Time stamp for MFMT and MDTM with a time; set by an MDTM reply (-1
    // when the reply was not 213).
    TDateTime RemFileDateTime = 0;

    bool Binary() const { return FType == 'I'; }
    void SetBinary(bool Value) { FType = Value ? 'I' : 'A'; }
    unsigned DataPortRangeStart() const { return FDataPortRangeStart; }
    unsigned DataPortRangeEnd() const { return FDataPortRangeEnd; }
    void SetDataPortRangeStart(unsigned Value);
    void SetDataPortRangeEnd(unsigned Value);
    TFtpShareMode ShareMode() const;
    void SetShareMode(TFtpShareMode Value);
    TFtpConnectionType ConnectionType() const { return FConnectionType; }
    void SetConnectionType(TFtpConnectionType Value);
    QString SocksServer() const;
    void SetSocksServer(const QString& Value);
    QString SocksPort() const;
    void SetSocksPort(const QString& Value);
    QString SocksUserCode() const;
    void SetSocksUserCode(const QString& Value);
    QString SocksPassword() const;
    void SetSocksPassword(const QString& Value);
    // Passive on request; always on through a proxy or SOCKS.
    void SetPassiveMode(bool Value);

    // ---- Run-time values --------------------------------------------------
    int StatusCode() const { return FStatusCode; }
    QString LastResponse() const { return FLastResponse; }
    QString LastMultiResponse() const { return FLastMultiResponse; }
    int RequestResult() const { return FRequestResult; }
    TFtpRequest RequestType() const { return FRequestType; }
    TFtpClientState State() const { return FState; }
    bool Connected() const { return FConnected; }
    QString ErrorMessage() const { return FErrorMessage; }
    QString DirResult() const { return FDirResult; }
    int64_t SizeResult() const { return FSizeResult; }
    QString Md5Result() const { return FMd5Result; }
    QString RemFacts() const { return FRemFacts; }
    TFtpExtensions SupportedExtensions() const { return FSupportedExtensions; }
    int64_t ByteCount() const { return FByteCount; }
    TCustomSyncSocket* ControlSocket() const { return FControlSocket; }
    TCustomSyncSocket* DataSocket() const { return FDataSocket; }

    // ---- Events -----------------------------------------------------------
    TFtpDisplay OnDisplay;
    TFtpDisplay OnDisplayFile;
    TFtpDisplay OnError;
    TFtpCommand OnCommand;
    TFtpNotify OnResponse;
    TFtpSessionEvent OnSessionConnected;
    TFtpSessionEvent OnSessionClosed;
    TFtpNotify OnStateChange;
    TFtpRequestDone OnRequestDone;
    TFtpProgress OnProgress;
    TFtpReadyToTransmit OnReadyToTransmit;
    TFtpBgException OnBgException;

    // ---- Single-command operations ----------------------------------------
    void OpenAsync();
    void UserAsync();
    void PassAsync();
    void AcctAsync();
    void CwdAsync();
    void PwdAsync();
    void CDupAsync();
    void MkdAsync();
    void RmdAsync();
    void DeleAsync();
    void RenFromAsync();
    void RenToAsync();
    void SystAsync();
    void SizeAsync();
    void TypeSetAsync();
    void TypeBinaryAsync();
    void TypeAsciiAsync();
    void QuoteAsync();
    void AbortXferAsync();
    void QuitAsync();
    void FeatAsync();
    void MlstAsync();
    void MdtmAsync();
    void MdtmYyAsync();
    void MfmtAsync();
    void Md5Async();
    void ModeZAsync();
    void OptsAsync();
    void PortAsync();
    void RestAsync();
    // Secured logins are not offered: these raise FtpException.
    void AuthAsync();
    void ProtAsync();
    void PbszAsync();
    void CccAsync();

    // ---- Composite operations ---------------------------------------------
    void ConnectAsync();
    void TransmitAsync();
    void PutAsync();
    void RenAsync();
    void ReceiveAsync();
    void GetAsync();
    void RestGetAsync();
    void RestartGetAsync();
    void RestPutAsync();
    void RestartPutAsync();
    void AppendAsync();
    void AppendFileAsync();
    void DirAsync();
    void DirectoryAsync();
    void LsAsync();
    void ListAsync();
    void MlsdAsync();
    void SystemAsync();
    void FileSizeAsync();
    void MkdirAsync();
    void RmdirAsync();
    void DeleteAsync();
    void RenameAsync();
    void DoQuoteAsync();

    // Ends everything at once: both connections are dropped, a running
    // operation ends with 426 "426 Operation aborted.".
    void Abort();

    // The statistics text of a transfer (without the leading "! ").
    static QString TransferStatistics(int64_t ByteCount, uint32_t StartTick, uint32_t StopTick);

protected:
    // The client's private messages, posted to itself.
    enum { MsgRequestDone = 1, MsgStartSend = 2, MsgEndOfUpload = 3 };
    bool event(QEvent* E) override;
    // Progress of a transfer: false when the transfer is to stop.
    virtual bool Progress();

    // ---- Control connection -----------------------------------------------
    using TFtpNext = std::function<void()>;
    void SetState(TFtpClientState NewState);
    void Display(const QString& Msg);
    void HandleError(const QString& Msg);
    void LocalFailure(const QString& Msg);
    bool CheckReady();
    bool IsReady() const;
    void SendCommand(const QString& Cmd);
    void ExecAsync(TFtpRequest RqType, const QString& Cmd, const std::array<int, 4>& OkResponses,
        TFtpNext Next = {});
    void RunCommandRow(TFtpRequest RqType);
    QString CommandLine(const FtpCommandRow& Row) const;
    void NextExecAsync();
    void TriggerRequestDone(int ErrCode);
    void PostClientMessage(int Msg, int Param);
    void ControlDataAvailable(quint16 ErrCode);
    void ControlSessionConnected(quint16 ErrCode);
    void ControlSessionClosed(quint16 ErrCode);
    void ControlDnsLookupDone(quint16 ErrCode);
    bool HandleReplyLine(const QString& Line);
    void CollectFeatures(const QString& Line);
    void ReplyCheck();
    void TakeResultValues();
    void CompositeStart(const char* Name);
    void NextStep();
    bool RunStep(FtpStep Step);
    void QuitContinuation();
    void HandleBackgroundException(const std::exception& E);
    void HookSocket(TCustomSyncSocket* Socket);

    // ---- Data connection --------------------------------------------------
    void DataPortStep();
    void DownloadStep(const QString& Command);
    void UploadStep(bool Append);
    void RestStep();
    bool OpenLocalFileForDownload();
    void DownloadAccepted(quint16 ErrCode);
    void DownloadConnected(quint16 ErrCode);
    void DownloadDataAvailable(quint16 ErrCode);
    void DownloadFirstReply();
    void DownloadFinalReply();
    void DownloadClosed(quint16 ErrCode);
    void DownloadTryFinish();
    void UploadAccepted(quint16 ErrCode);
    void UploadConnected(quint16 ErrCode);
    void UploadFirstReply();
    void UploadFinalReply();
    void UploadSendNext(quint16 ErrCode);
    void UploadEndCheck();
    void UploadClosed(quint16 ErrCode);
    void UploadTryFinish();
    void SendUploadCommand();
    void DataFailure(int Code, const QString& Response);
    // Closes the data connection without its events (Abort: a reset).
    void CloseDataSocket(bool Hard = false);
    void CloseLocalFile();
    // A download from the start is written under a work name and renamed
    // when complete; EndDownloadFile renames it (Keep) or removes it.
    static QString DownloadWorkName(const QString& FileName);
    void EndDownloadFile(bool Keep);
    // The address of the server the control connection is made with.
    QString ControlPeerAddress();
    // Whether an accepted data connection comes from that server.
    bool AcceptFromServer(WinSock::TSocket Handle);
    // Accepts the waiting data connection (Handle; InvalidSocket when that
    // failed). False when it came from another host: it is closed and the
    // socket listens on.
    bool AcceptDataConnection(WinSock::TSocket& Handle);
    void StartBandwidth();
    void StopBandwidth();
    void CountBandwidth(int Bytes);
    void BandwidthTick();
    void ShowStatistics();
    bool PassiveTarget(QString& Host, quint16& PortNum);
    static uint32_t TickCount();

    // An operation begins (once, before its first command) and ends (its
    // OnRequestDone is posted). The blocking client times them.
    virtual void OperationStarted() {}
    virtual void OperationEnded() {}
    // The server completed a reply (its final line arrived) while the client
    // waited for one: the greeting or the answer to a command. A line inside
    // a multi-line reply is no such completion.
    virtual void ReplyCompleted() {}
    // How far the transfer has got on the wire: bytes received, or bytes
    // sent that the server's side has taken. What still waits in the data
    // socket's queue or in the kernel does not count, so a transfer that
    // the server stopped taking shows no progress.
    int64_t TransferMark();

    // ---- State ------------------------------------------------------------
    TCustomSyncSocket* FControlSocket = nullptr;
    TCustomSyncSocket* FDataSocket = nullptr;
    TFtpClientState FState = fsReady;
    int FStatusCode = 0;
    QString FLastResponse;
    QString FLastMultiResponse;
    int FRequestResult = 0;
    TFtpRequest FRequestType = ftpNone;
    bool FConnected = false;
    QString FErrorMessage;
    QString FDirResult;
    int64_t FSizeResult = 0;
    QString FMd5Result;
    QString FRemFacts;
    TFtpExtensions FSupportedExtensions = 0;
    QString FMlstFacts;
    char FType = 'I';
    unsigned FDataPortRangeStart = 0;
    unsigned FDataPortRangeEnd = 0;
    unsigned FLastDataPort = 0;
    int FShareMode = 16;
    TFtpConnectionType FConnectionType = ftpDirect;

    FtpReplyBuffer FReplyBuffer;
    FtpReplyReader FReplyReader;
    std::array<int, 16> FOkResponses{};
    TFtpNext FNext;         // continuation of the current command
    TFtpNext FAfterCheck;   // what runs after the reply check (QUIT's hang-up)
    TFtpNext FDoneAsync;    // continuation of the running composite operation
    FtpSteps FFctSet = 0;   // composite steps still to run
    int FFctPrv = -1;       // the step that ran last
    int FHighLevelResult = 0;
    bool FHighLevelFlag = false;
    QString FLastResponseSave;
    int FStatusCodeSave = -1;
    bool FRequestDoneFlag = true;
    QString FCommandSent;   // the verb of the command awaiting its reply
    bool FQuitSent = false;
    bool FAborting = false;
    // A local error was reported (read by the blocking twins).
    bool FLocalErrorRaised = false;
    QString FLocalErrorText;

    // Transfers.
    // The server's data connection in active mode may come as soon as PORT
    // is answered, before the transfer step is ready for it: it waits here.
    bool FAcceptPending = false;
    std::function<void(quint16)> FAcceptStep;
    QString FPasvResponse;
    QString FDataCommand;
    std::unique_ptr<TStream> FLocalStream;
    QString FDownloadWorkFile; // the work name of a running download
    QString FDownloadTarget;   // and the name it takes when complete
    int64_t FByteCount = 0;
    uint32_t FStartTick = 0;
    uint32_t FStopTick = 0;
    bool FFinalReplyRcvd = false;
    bool FDataClosed = false;
    bool FPutClosed = false;
    bool FPutDataOpen = false;
    bool FStorAnswerRcvd = false;
    bool FEofSignalled = false;   // the last block was read
    bool FUploadShutdown = false; // every byte went out; sending side shut down
    bool FAppendFlag = false;
    int FDataCloseError = 0;
    uint32_t FEofDeadline = 0;
    QTimer* FBandwidthTimer = nullptr;
    int64_t FBandwidthCount = 0;
    int64_t FBandwidthMaxCount = 0;
    bool FBandwidthPaused = true;
    bool FZlibActive = false;
    std::unique_ptr<TMemoryStream> FZStream;
    int FZStreamMark = 0; // 1 download, 2 upload
};

// The component with its blocking operations.
class TFtpClient : public TCustomFtpClient {
public:
    explicit TFtpClient(QObject* AOwner = nullptr);
    ~TFtpClient() override;

    // Seconds without progress before an operation gives up, blocking or
    // not: no complete reply of the server and nothing moved on the wire
    // (see FtpSyncClient.cpp); 0 or less waits without a limit.
    // A timed-out operation is aborted: it ends with OnRequestDone and code
    // 426, ErrorMessage "426 Timeout", StatusCode 426 (a blocking call
    // returns false).
    int Timeout = 15;
    bool MultiThreaded = false;
    // The clock of that limit, in milliseconds; empty: the system's
    // monotonic clock. A test sets its own to move time on.
    std::function<qint64()> WaitClock;
    // Milliseconds between the client's looks at the clock and at the
    // transfer while an operation runs.
    int WaitCheckInterval = 250;
    // One such look: progress moves the deadline on, a passed deadline
    // times the operation out. The client's own timer makes it; a test with
    // its own WaitClock may make it right after moving the clock.
    void CheckTimeout();

    bool Connect();
    bool Transmit();
    bool Put();
    bool Get();
    bool Append();
    bool Receive();
    bool Dele();
    bool Ren();
    bool Quote();
    bool Quit();
    bool AbortSync();
    bool Dir();
    bool Directory();
    bool Ls();
    bool List();
    bool Mkd();
    bool Rmd();
    bool Cwd();
    bool Pwd();
    bool Size();
    bool Syst();

    // Runs Start and waits as the blocking operations do.
    bool Synchronize(const std::function<void()>& Start);

protected:
    bool Progress() override;
    bool eventFilter(QObject* Watched, QEvent* E) override;
    bool WaitUntilReady();
    bool OwnObject(QObject* O) const;

    void OperationStarted() override;
    void OperationEnded() override;
    void ReplyCompleted() override;
    qint64 WaitNow() const;
    // Moves the deadline to the time-out from now.
    void MoveWaitDeadline();
    // The time-out: the operation is aborted with "426 Timeout".
    void TimedOut();

    QTimer* FWaitTimer = nullptr;
    bool FWatching = false;
    qint64 FWaitDeadline = 0;
    int64_t FWaitMark = 0;
    bool FWaitTimedOut = false;
    int FWaitDepth = 0;
    // Timer events of the rest of the program held back during a wait.
    std::vector<std::pair<QPointer<QObject>, int>> FHeldTimers;
};
