// The FTP client: control connection, replies, ending operations, composite
// operations and the single commands. Transfers are in FtpTransfer.cpp, the
// blocking twins in FtpSyncClient.cpp.
#include "exchange/net/FtpClient.h"

#include "exchange/net/VuqStreams.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

namespace {

QEvent::Type ftpClientEventType()
{
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

class FtpClientMessage : public QEvent {
public:
    FtpClientMessage(int Msg, int Param) : QEvent(ftpClientEventType()), Msg(Msg), Param(Param) {}
    int Msg;
    int Param;
};

QString ftpClientVerbOf(const QString& Cmd)
{
    const int space = Cmd.indexOf(u' ');
    return (space < 0 ? Cmd : Cmd.left(space)).toUpper();
}

QString ftpClientWinsockText(int Code)
{
    return SocketErrorText(Code) + QStringLiteral(" (Winsock error #%1)").arg(Code);
}

} // namespace

// ---- Construction -----------------------------------------------------------

TCustomFtpClient::TCustomFtpClient(QObject* AOwner) : QObject(AOwner)
{
    FControlSocket = new TAsyncSocket(this);
    FDataSocket = new TAsyncSocket(this);
    connect(FControlSocket, &QObject::destroyed, this, [this] { FControlSocket = nullptr; });
    connect(FDataSocket, &QObject::destroyed, this, [this] { FDataSocket = nullptr; });
    HookSocket(FControlSocket);
    HookSocket(FDataSocket);
    FControlSocket->OnSessionConnected = [this](TCustomAsyncSocket*, quint16 E) { ControlSessionConnected(E); };
    FControlSocket->OnDataAvailable = [this](TCustomAsyncSocket*, quint16 E) { ControlDataAvailable(E); };
    FControlSocket->OnSessionClosed = [this](TCustomAsyncSocket*, quint16 E) { ControlSessionClosed(E); };
    FControlSocket->OnDnsLookupDone = [this](TCustomAsyncSocket*, quint16 E) { ControlDnsLookupDone(E); };
}

TCustomFtpClient::~TCustomFtpClient()
{
    // No event of a dying client: the sockets go quietly.
    for (TCustomSyncSocket* s : {FControlSocket, FDataSocket}) {
        if (!s)
            continue;
        s->OnSessionClosed = nullptr;
        s->OnDataAvailable = nullptr;
        s->OnDataSent = nullptr;
        s->OnSessionConnected = nullptr;
        s->OnSessionAvailable = nullptr;
        s->OnDnsLookupDone = nullptr;
        try {
            if (s->State() != skClosed)
                s->Abort();
        } catch (...) {
        }
    }
    EndDownloadFile(false);
    CloseLocalFile();
}

void TCustomFtpClient::HookSocket(TCustomSyncSocket* Socket)
{
    Socket->OnBgException = [this](TCustomAsyncSocket*, const std::exception& E, bool& CanClose) {
        // The client decides; the socket does not abort itself.
        CanClose = false;
        HandleBackgroundException(E);
    };
}

void TCustomFtpClient::HandleBackgroundException(const std::exception& E)
{
    bool CanClose = true;
    if (OnBgException) {
        try {
            OnBgException(this, E, CanClose);
        } catch (...) {
        }
    }
    if (CanClose) {
        try {
            Abort();
        } catch (...) {
        }
    }
}

// ---- Properties ----------------------------------------------------------------

void TCustomFtpClient::SetDataPortRangeStart(unsigned Value)
{
    if (Value > 65535) {
        HandleError(QStringLiteral("DataPortRangeStart must be in the range 0..65535"));
        return;
    }
    FDataPortRangeStart = Value;
}

void TCustomFtpClient::SetDataPortRangeEnd(unsigned Value)
{
    if (Value > 65535) {
        HandleError(QStringLiteral("DataPortRangeEnd must be in the range 0..65535"));
        return;
    }
    FDataPortRangeEnd = Value;
}

TFtpShareMode TCustomFtpClient::ShareMode() const
{
    switch (FShareMode) {
    case 0:
        return ftpShareCompat;
    case 32:
        return ftpShareDenyWrite;
    case 48:
        return ftpShareDenyRead;
    case 64:
        return ftpShareDenyNone;
    default:
        return ftpShareExclusive;
    }
}

void TCustomFtpClient::SetShareMode(TFtpShareMode Value)
{
    switch (Value) {
    case ftpShareCompat:
        FShareMode = 0;
        break;
    case ftpShareDenyWrite:
        FShareMode = 32;
        break;
    case ftpShareDenyRead:
        FShareMode = 48;
        break;
    case ftpShareDenyNone:
        FShareMode = 64;
        break;
    default:
        FShareMode = 16;
        break;
    }
}

void TCustomFtpClient::SetConnectionType(TFtpConnectionType Value)
{
    if (FConnected) {
        HandleError(QStringLiteral("FTP component connected"));
        return;
    }
    TSocksAuthentication auth = socksNoAuthentication;
    QString level;
    switch (Value) {
    case ftpProxy:
        Passive = true;
        break;
    case ftpSocks4:
        level = QStringLiteral("4");
        break;
    case ftpSocks4A:
        level = QStringLiteral("4A");
        break;
    case ftpSocks5:
        level = QStringLiteral("5");
        break;
    case ftpDirect:
        break;
    default:
        Value = ftpDirect;
        break;
    }
    FConnectionType = Value;
    if (!level.isEmpty()) {
        Passive = true;
        auth = socksAuthenticateUsercode;
    }
    for (TCustomSyncSocket* s : {FControlSocket, FDataSocket}) {
        if (!s)
            continue;
        if (!level.isEmpty())
            s->SetSocksLevel(level);
        s->SetSocksAuthentication(auth);
    }
}

QString TCustomFtpClient::SocksServer() const { return FControlSocket ? FControlSocket->SocksServer() : QString(); }
QString TCustomFtpClient::SocksPort() const { return FControlSocket ? FControlSocket->SocksPort() : QString(); }
QString TCustomFtpClient::SocksUserCode() const { return FControlSocket ? FControlSocket->SocksUsercode() : QString(); }
QString TCustomFtpClient::SocksPassword() const { return FControlSocket ? FControlSocket->SocksPassword() : QString(); }

void TCustomFtpClient::SetSocksServer(const QString& Value)
{
    for (TCustomSyncSocket* s : {FControlSocket, FDataSocket})
        if (s)
            s->SetSocksServer(Value);
}

void TCustomFtpClient::SetSocksPort(const QString& Value)
{
    for (TCustomSyncSocket* s : {FControlSocket, FDataSocket})
        if (s)
            s->SetSocksPort(Value);
}

void TCustomFtpClient::SetSocksUserCode(const QString& Value)
{
    for (TCustomSyncSocket* s : {FControlSocket, FDataSocket})
        if (s)
            s->SetSocksUsercode(Value);
}

void TCustomFtpClient::SetSocksPassword(const QString& Value)
{
    for (TCustomSyncSocket* s : {FControlSocket, FDataSocket})
        if (s)
            s->SetSocksPassword(Value);
}

void TCustomFtpClient::SetPassiveMode(bool Value)
{
    Passive = FConnectionType == ftpDirect ? Value : true;
}

// ---- States, traces, errors ----------------------------------------------------

void TCustomFtpClient::SetState(TFtpClientState NewState)
{
    if (FState == NewState)
        return;
    FState = NewState;
    if (OnStateChange)
        OnStateChange(this);
}

void TCustomFtpClient::Display(const QString& Msg)
{
    if (OnDisplay) {
        QString copy = Msg;
        OnDisplay(this, copy);
    }
}

bool TCustomFtpClient::IsReady() const
{
    return FState == fsReady || FState == fsInternalReady || FState == fsPassiveReady;
}

void TCustomFtpClient::HandleError(const QString& Msg)
{
    // A refusal while an operation runs leaves that operation alone.
    if (FRequestDoneFlag) {
        FFctSet = 0;
        FFctPrv = -1;
        FLastResponse.clear();
        FErrorMessage.clear();
        FDoneAsync = nullptr;
    }
    FLocalErrorRaised = true;
    FLocalErrorText = Msg;
    if (OnError) {
        QString copy = Msg;
        OnError(this, copy);
        return;
    }
    throw FtpException(Msg);
}

void TCustomFtpClient::LocalFailure(const QString& Msg)
{
    if (!FHighLevelFlag || FRequestDoneFlag) {
        HandleError(Msg);
        return;
    }
    // Inside a running composite operation: the operation fails with this
    // error (QUIT still goes out when it was pending).
    if (FErrorMessage.isEmpty())
        FErrorMessage = Msg;
    FLastResponse = QStringLiteral("550 ") + Msg;
    FStatusCode = 550;
    FRequestResult = 550;
    if (OnError) {
        QString copy = Msg;
        OnError(this, copy);
    }
    TriggerRequestDone(550);
}

bool TCustomFtpClient::CheckReady()
{
    if (!IsReady()) {
        LocalFailure(QStringLiteral("FTP component not ready"));
        return false;
    }
    return true;
}

// ---- Sending commands ---------------------------------------------------------

void TCustomFtpClient::SendCommand(const QString& Cmd)
{
    QString line = Cmd;
    if (OnCommand)
        OnCommand(this, line);
    Display(QStringLiteral("> ") + line);
    FCommandSent = ftpClientVerbOf(line);
    if (FControlSocket && FControlSocket->State() == skConnected) {
        try {
            FControlSocket->SendStr(line.toUtf8() + "\r\n");
            return;
        } catch (const ESocketException&) {
            // Handled as not connected below.
        }
    }
    const bool quit = FCommandSent == QLatin1String("QUIT");
    FStatusCode = quit ? 200 : 550;
    FNext = nullptr;
    FAfterCheck = nullptr;
    FDoneAsync = nullptr;
    FConnected = false;
    FLastResponse = QString::number(FStatusCode) + QStringLiteral(" not connected");
    FRequestResult = quit ? 0 : FStatusCode;
    if (!quit) {
        if (FErrorMessage.isEmpty())
            FErrorMessage = FLastResponse;
        TriggerRequestDone(550);
    } else {
        TriggerRequestDone(0);
    }
}

void TCustomFtpClient::ExecAsync(TFtpRequest RqType, const QString& Cmd,
    const std::array<int, 4>& OkResponses, TFtpNext AfterCheck)
{
    const QString verb = ftpClientVerbOf(Cmd);
    if (verb != QLatin1String("ABOR") && verb != QLatin1String("STAT") && verb != QLatin1String("QUIT")) {
        if (!CheckReady())
            return;
        if (!FConnected) {
            LocalFailure(QStringLiteral("FTP component not connected"));
            return;
        }
    }
    if (!FHighLevelFlag) {
        FRequestType = RqType;
        OperationStarted();
    }
    FOkResponses.fill(0);
    std::copy(OkResponses.begin(), OkResponses.end(), FOkResponses.begin());
    FLastMultiResponse.clear();
    if (!FHighLevelFlag)
        FErrorMessage.clear();
    FRequestDoneFlag = false;
    FNext = [this] { ReplyCheck(); };
    FAfterCheck = std::move(AfterCheck);
    FReplyReader.reset();
    SetState(fsAwaitingReply);
    SendCommand(Cmd);
}

QString TCustomFtpClient::CommandLine(const FtpCommandRow& Row) const
{
    const QString verb = QString::fromLatin1(Row.verb);
    auto withArg = [&](const QString& arg) { return verb + u' ' + arg; };
    switch (Row.arg) {
    case FtpArg::None:
        return verb;
    case FtpArg::UserName:
        if (FConnectionType == ftpProxy) {
            QString user = UserName + u'@' + HostName;
            if (Port.compare(QLatin1String("ftp"), Qt::CaseInsensitive) != 0 && Port != QLatin1String("21"))
                user += u':' + Port;
            return withArg(user);
        }
        return withArg(UserName);
    case FtpArg::PassWord:
        return withArg(PassWord);
    case FtpArg::Account:
        return withArg(Account);
    case FtpArg::HostDirName:
        return withArg(HostDirName);
    case FtpArg::HostFileName:
        return withArg(HostFileName);
    case FtpArg::LocalFileName:
        return verb.isEmpty() ? LocalFileName : withArg(LocalFileName);
    case FtpArg::TypeLetter:
        return withArg(QString(QChar::fromLatin1(FType)));
    case FtpArg::ModTimeFile:
        return withArg(QDateTimeFromDateTime(RemFileDateTime).toString(QStringLiteral("yyyyMMddHHmmss")) + u' '
            + HostFileName);
    case FtpArg::ModTimeYyFile:
        return withArg(QDateTimeFromDateTime(RemFileDateTime).toString(QStringLiteral("yyyyMMddHHmmss"))
            + QStringLiteral("+0 ") + HostFileName);
    case FtpArg::ModeZOption:
        return withArg(QStringLiteral("MODE Z LEVEL 8"));
    }
    return verb;
}

void TCustomFtpClient::RunCommandRow(TFtpRequest RqType)
{
    const FtpCommandRow* row = ftpCommandRow(RqType);
    if (!row)
        return;
    ExecAsync(RqType, CommandLine(*row), row->accepted,
        RqType == ftpQuitAsync ? TFtpNext([this] { QuitContinuation(); }) : TFtpNext());
}

// ---- Reading replies ------------------------------------------------------------

void TCustomFtpClient::ControlDataAvailable(quint16)
{
    if (!FControlSocket)
        return;
    char buf[FtpReplyBuffer::Capacity];
    const int room = FReplyBuffer.space();
    if (room > 0) {
        const int n = FControlSocket->Receive(buf, room);
        if (n > 0)
            FReplyBuffer.append(buf, n);
    }
    QPointer<TCustomFtpClient> self(this);
    QByteArray raw;
    for (;;) {
        const FtpReplyBuffer::Take take = FReplyBuffer.takeLine(raw, (Options & ftpAcceptLF) != 0);
        if (take == FtpReplyBuffer::Take::None)
            return;
        if (take == FtpReplyBuffer::Take::Overlong) {
            // A reply line longer than the buffer: the conversation with the
            // server is lost; the connection is dropped and the operation
            // fails.
            Display(QStringLiteral("< ") + QString::fromUtf8(raw.left(80)) + QStringLiteral("..."));
            FStatusCode = 500;
            FLastResponse = QStringLiteral("500 Reply line too long");
            FRequestResult = 500;
            if (FErrorMessage.isEmpty())
                FErrorMessage = FLastResponse;
            FNext = nullptr;
            FAfterCheck = nullptr;
            FDoneAsync = nullptr;
            FReplyBuffer.clear();
            FControlSocket->Abort();
            return;
        }
        FLastResponse = QString::fromUtf8(raw);
        if (FLastMultiResponse.size() < 65536)
            FLastMultiResponse += FLastResponse + QStringLiteral("\r\n");
        if (OnResponse)
            OnResponse(this);
        if (!self)
            return;
        if (!HandleReplyLine(FLastResponse))
            return;
        if (!self || !FControlSocket)
            return;
    }
}

bool TCustomFtpClient::HandleReplyLine(const QString& Line)
{
    Display(QStringLiteral("< ") + Line);
    if (FState == fsAwaitingBanner) {
        const FtpReplyReader::Line l = FReplyReader.feed(Line);
        if (l.kind != FtpReplyReader::Kind::Final)
            return true;
        ReplyCompleted();
        FStatusCode = l.code;
        if (l.code == 220) {
            SetState(fsConnected);
            if (OnSessionConnected)
                OnSessionConnected(this, 0);
            TriggerRequestDone(0);
            return true;
        }
        if (FErrorMessage.isEmpty())
            FErrorMessage = Line;
        FRequestResult = l.code;
        FDoneAsync = nullptr;
        FControlSocket->Close();
        return false;
    }
    if (FState != fsAwaitingReply)
        return true;
    const FtpReplyReader::Line l = FReplyReader.feed(Line);
    if (l.kind == FtpReplyReader::Kind::Text)
        return true;
    FStatusCode = l.code;
    CollectFeatures(Line);
    if (l.kind == FtpReplyReader::Kind::Continuation)
        return true;
    ReplyCompleted();
    if (!FNext) {
        HandleError(QStringLiteral("Program error: FNext is nil"));
        return false;
    }
    TFtpNext next = FNext;
    next();
    return true;
}

void TCustomFtpClient::CollectFeatures(const QString& Line)
{
    if (FCommandSent == QLatin1String("FEAT")) {
        const QString t = Line.trimmed();
        if (t.startsWith(QLatin1String("MDTM YYYYMMDDHHMMSS[+-TZ]")))
            FSupportedExtensions |= ftpFeatMDTMYY;
        else if (t == QLatin1String("MDTM"))
            FSupportedExtensions |= ftpFeatMDTM;
        else if (t == QLatin1String("SIZE"))
            FSupportedExtensions |= ftpFeatSize;
        else if (t == QLatin1String("REST STREAM"))
            FSupportedExtensions |= ftpFeatRest;
        else if (t.startsWith(QLatin1String("MLST"))) {
            FSupportedExtensions |= ftpFeatMLST;
            if (t.size() > 6)
                FMlstFacts = t.mid(5).trimmed().left(99);
        } else if (t == QLatin1String("MFMT"))
            FSupportedExtensions |= ftpFeatMFMT;
        else if (t == QLatin1String("MD5"))
            FSupportedExtensions |= ftpFeatMD5;
        else if (t.startsWith(QLatin1String("AUTH")) && (t.indexOf(QLatin1String("SSL"), 5) >= 0 || t.indexOf(QLatin1String("TLS"), 5) >= 0))
            FSupportedExtensions |= ftpFeatAuthSSL;
        else if (t.startsWith(QLatin1String("PROT")) && (t.indexOf(u'C', 5) >= 0 || t.indexOf(u'P', 5) >= 0))
            FSupportedExtensions |= ftpFeatProt;
        else if (t == QLatin1String("PBSZ"))
            FSupportedExtensions |= ftpFeatPBSZ;
        else if (t == QLatin1String("CCC"))
            FSupportedExtensions |= ftpFeatCCC;
        else if (t.startsWith(QLatin1String("MODE Z")))
            FSupportedExtensions |= ftpFeatModeZ;
    } else if (FCommandSent == QLatin1String("MLST")) {
        if (Line.size() > 4 && Line.at(0) == u' ' && FStatusCode == 250)
            FRemFacts = Line.trimmed();
    }
}

void TCustomFtpClient::ReplyCheck()
{
    const int code = FStatusCode;
    bool ok = false;
    if (FOkResponses[0] == 0) {
        ok = code < 500;
    } else {
        for (int c : FOkResponses) {
            if (c == 0)
                break;
            if (c == code) {
                ok = true;
                break;
            }
        }
    }
    if (ok) {
        FRequestResult = 0;
    } else {
        FRequestResult = code;
        if (FErrorMessage.isEmpty())
            FErrorMessage = FLastResponse;
    }
    if (Passive && code == 227) {
        SetState(fsPassiveReady);
        FPasvResponse = FLastResponse;
    }
    if (FCommandSent == QLatin1String("MODE") && code == 200)
        FZlibActive = true;
    if (FRequestResult == 0)
        TakeResultValues();
    if (FAfterCheck) {
        TFtpNext after = FAfterCheck;
        FAfterCheck = nullptr;
        after();
        return;
    }
    TriggerRequestDone(FRequestResult);
}

void TCustomFtpClient::TakeResultValues()
{
    const QString& r = FLastResponse;
    const QString& verb = FCommandSent;
    int pos = 0;
    int code = 0;
    pos = FtpReply::getInteger(r, 0, code);
    if (verb == QLatin1String("SIZE")) {
        FtpReply::getInt64(r, pos, FSizeResult);
    } else if (verb == QLatin1String("MDTM")) {
        if (FStatusCode == 213) {
            QString word;
            FtpReply::getNextWord(r, pos, word);
            RemFileDateTime = MdtmToDateTime(word);
        } else {
            RemFileDateTime = -1;
        }
    } else if (verb == QLatin1String("CWD") || verb == QLatin1String("MKD") || verb == QLatin1String("PWD")
        || verb == QLatin1String("CDUP")) {
        FtpReply::getQuotedString(r, pos, FDirResult);
    } else if (verb == QLatin1String("MD5")) {
        FDirResult.clear();
        FMd5Result.clear();
        if (FStatusCode == 251) {
            const int quoteAt = FtpReply::skipBlanks(r, pos);
            if (quoteAt < r.size() && r.at(quoteAt) == u'"')
                pos = FtpReply::getQuotedString(r, pos, FDirResult);
            else
                pos = FtpReply::getNextWord(r, pos, FDirResult);
            FtpReply::getNextWord(r, pos, FMd5Result);
        }
    }
}

// ---- Ending operations ---------------------------------------------------------

void TCustomFtpClient::TriggerRequestDone(int ErrCode)
{
    if (FRequestDoneFlag)
        return;
    FRequestDoneFlag = true;
    // A download that did not complete leaves no file behind (a complete
    // one has already taken its name).
    EndDownloadFile(false);
    if (FHighLevelFlag && FDoneAsync && FState != fsAborting) {
        // A composite goes on after a good step, and after a failed one when
        // QUIT is still to be sent on a live connection.
        const bool quitPending = (FFctSet & ftpStepBit(stepQuit)) && FFctPrv != stepQuit && FConnected;
        if (ErrCode == 0 || quitPending) {
            if (ErrCode != 0 && FRequestResult == 0)
                FRequestResult = ErrCode;
            if (FState != fsPassiveReady)
                SetState(fsInternalReady);
            TFtpNext next = FDoneAsync;
            next();
            return;
        }
    }
    if (FHighLevelFlag) {
        if (ErrCode == 0)
            ErrCode = FHighLevelResult;
        if (FStatusCodeSave >= 0) {
            FLastResponse = FLastResponseSave;
            FStatusCode = FStatusCodeSave;
        }
        if (ErrCode != 0 && FRequestResult == 0)
            FRequestResult = ErrCode >= 100 && ErrCode < 1000 ? ErrCode : FHighLevelResult;
    }
    SetState(fsReady);
    if (FDataSocket && FDataSocket->State() != skClosed)
        CloseDataSocket();
    FHighLevelFlag = false;
    FDoneAsync = nullptr;
    FFctSet = 0;
    FStatusCodeSave = -1;
    OperationEnded();
    PostClientMessage(MsgRequestDone, ErrCode);
}

void TCustomFtpClient::PostClientMessage(int Msg, int Param)
{
    QCoreApplication::postEvent(this, new FtpClientMessage(Msg, Param));
}

bool TCustomFtpClient::event(QEvent* E)
{
    if (E->type() != ftpClientEventType())
        return QObject::event(E);
    auto* m = static_cast<FtpClientMessage*>(E);
    try {
        switch (m->Msg) {
        case MsgRequestDone:
            if (OnRequestDone)
                OnRequestDone(this, FRequestType, quint16(m->Param));
            break;
        case MsgStartSend:
            FStartTick = TickCount();
            UploadSendNext(0);
            break;
        case MsgEndOfUpload:
            UploadEndCheck();
            break;
        default:
            break;
        }
    } catch (const std::exception& Ex) {
        HandleBackgroundException(Ex);
    }
    return true;
}

// ---- Opening and losing the control connection ------------------------------------

void TCustomFtpClient::OpenAsync()
{
    if (!CheckReady())
        return;
    if (FConnected) {
        LocalFailure(QStringLiteral("FTP component already connected"));
        return;
    }
    if (!FHighLevelFlag) {
        FRequestType = ftpOpenAsync;
        OperationStarted();
    }
    FRequestDoneFlag = false;
    FReplyBuffer.clear();
    FReplyReader.reset();
    FRequestResult = 0;
    FMlstFacts.clear();
    FSupportedExtensions = 0;
    FCommandSent.clear();
    SetState(fsResolving);
    try {
        FControlSocket->DnsLookup(FConnectionType == ftpProxy ? ProxyServer : HostName);
    } catch (const ESocketException& E) {
        FLastResponse = QStringLiteral("500 ESocketException: ") + E.Message();
        FStatusCode = FRequestResult = 500;
        if (FErrorMessage.isEmpty())
            FErrorMessage = FLastResponse;
        FDoneAsync = nullptr;
        TriggerRequestDone(500);
    }
}

void TCustomFtpClient::ControlDnsLookupDone(quint16 ErrCode)
{
    if (FState != fsResolving)
        return;
    if (ErrCode != 0) {
        FLastResponse = QStringLiteral("500 ") + ftpClientWinsockText(ErrCode);
        FStatusCode = FRequestResult = 500;
        if (FErrorMessage.isEmpty())
            FErrorMessage = FLastResponse;
        FDoneAsync = nullptr;
        TriggerRequestDone(ErrCode);
        return;
    }
    FControlSocket->SetAddr(FControlSocket->DnsResult());
    FControlSocket->SetLocalAddr(LocalAddr);
    FControlSocket->SetProto(QStringLiteral("tcp"));
    FControlSocket->SetPort(FConnectionType == ftpProxy ? QStringLiteral("ftp") : Port);
    SetState(fsAwaitingBanner);
    try {
        FControlSocket->Connect();
    } catch (const ESocketException& E) {
        FLastResponse = QStringLiteral("500 ESocketException: ") + E.Message();
        FStatusCode = FRequestResult = 500;
        if (FErrorMessage.isEmpty())
            FErrorMessage = FLastResponse;
        FDoneAsync = nullptr;
        TriggerRequestDone(500);
    }
}

void TCustomFtpClient::ControlSessionConnected(quint16 ErrCode)
{
    if (ErrCode != 0) {
        // A refused or failed connect: the client's own answer, not that of
        // a closed connection.
        FLastResponse = QStringLiteral("500 ") + ftpClientWinsockText(ErrCode);
        FStatusCode = FRequestResult = 500;
        if (FErrorMessage.isEmpty())
            FErrorMessage = FLastResponse;
        FDoneAsync = nullptr;
        TriggerRequestDone(ErrCode);
        if (FControlSocket && FControlSocket->State() != skClosed)
            FControlSocket->Close();
        SetState(fsReady);
        return;
    }
    FConnected = true;
}

void TCustomFtpClient::ControlSessionClosed(quint16 ErrCode)
{
    if (FAborting)
        return;
    const bool wasConnected = FConnected;
    if (FConnected) {
        FConnected = false;
        if (FState != fsAborting)
            SetState(fsNotConnected);
        if (OnSessionClosed)
            OnSessionClosed(this, ErrCode);
        if (FState != fsAborting)
            SetState(fsInternalReady);
    }
    if (!wasConnected)
        return;
    if (ErrCode != 0) {
        FLastResponse = QStringLiteral("500 Control connection closed. ") + ftpClientWinsockText(ErrCode);
        FStatusCode = FRequestResult = 500;
        if (FErrorMessage.isEmpty())
            FErrorMessage = FLastResponse;
    } else if (!FRequestDoneFlag && FRequestResult == 0 && FCommandSent != QLatin1String("QUIT")) {
        // The server went away while an operation waited for it: a failure,
        // never a success.
        FLastResponse = QStringLiteral("500 Control connection closed.");
        FStatusCode = FRequestResult = 500;
        if (FErrorMessage.isEmpty())
            FErrorMessage = FLastResponse;
    }
    FNext = nullptr;
    FAfterCheck = nullptr;
    if (FRequestResult != 0)
        FDoneAsync = nullptr;
    CloseLocalFile();
    TriggerRequestDone(FRequestResult);
}

void TCustomFtpClient::QuitContinuation()
{
    // After the reply to QUIT the client hangs up; the close ends the
    // operation.
    FQuitSent = true;
    if (FControlSocket && FControlSocket->State() != skClosed)
        FControlSocket->Close();
    else
        TriggerRequestDone(FRequestResult);
}

void TCustomFtpClient::Abort()
{
    const bool running = !FRequestDoneFlag;
    const bool wasConnected = FConnected;
    SetState(fsAborting);
    FAborting = true;
    CloseLocalFile();
    StopBandwidth();
    if (FDataSocket)
        CloseDataSocket(true);
    if (FControlSocket) {
        try {
            FControlSocket->Abort();
        } catch (...) {
        }
    }
    FAborting = false;
    FConnected = false;
    FReplyBuffer.clear();
    if (wasConnected && OnSessionClosed)
        OnSessionClosed(this, 0);
    FNext = nullptr;
    FAfterCheck = nullptr;
    FDoneAsync = nullptr;
    FFctSet = 0;
    if (running) {
        FStatusCodeSave = -1;
        FHighLevelResult = 426;
        FRequestResult = 426;
        FStatusCode = 426;
        FLastResponse = QStringLiteral("426 Operation aborted.");
        FErrorMessage = FLastResponse;
        SetState(fsReady);
        TriggerRequestDone(426);
    }
    SetState(fsReady);
}

// ---- Composite operations ---------------------------------------------------------

void TCustomFtpClient::CompositeStart(const char* Name)
{
    const FtpCompositeRow* row = ftpCompositeRow(Name);
    if (!row)
        return;
    if (FConnected && (row->steps & ftpStepBit(stepOpen))) {
        HandleError(QStringLiteral("FTP component already connected"));
        return;
    }
    if (!IsReady()) {
        HandleError(QStringLiteral("FTP component not ready"));
        return;
    }
    FLastResponseSave = FLastResponse;
    FStatusCodeSave = -1;
    FRequestType = row->reported;
    FRequestResult = 0;
    FHighLevelResult = 0;
    FFctPrv = -1;
    FHighLevelFlag = true;
    FLastResponse.clear();
    FErrorMessage.clear();
    FFctSet = row->steps;
    FRequestDoneFlag = false;
    OperationStarted();
    NextStep();
}

void TCustomFtpClient::NextStep()
{
    FDoneAsync = [this] { NextStep(); };
    if (FRequestResult != 0) {
        if (FHighLevelResult == 0)
            FHighLevelResult = FRequestResult;
        const bool keepQuit = (FFctSet & ftpStepBit(stepQuit)) && FFctPrv != stepQuit && FConnected;
        FFctSet = keepQuit ? ftpStepBit(stepQuit) : 0;
    }
    for (int s = 0; s < stepCount; ++s) {
        const FtpStep step = FtpStep(s);
        if (!(FFctSet & ftpStepBit(step)))
            continue;
        FFctSet &= ~ftpStepBit(step);
        FRequestDoneFlag = false;
        if (RunStep(step))
            return;
    }
    FFctSet = 0;
    FDoneAsync = nullptr;
    FRequestDoneFlag = false;
    TriggerRequestDone(FHighLevelResult);
}

bool TCustomFtpClient::RunStep(FtpStep Step)
{
    const int prev = FFctPrv;
    const int prevCode = FStatusCode;
    // A step that goes on to the next itself (REST with nothing to resume)
    // runs as "ran"; conditional steps return false when skipped.
    switch (Step) {
    case stepAuth:
    case stepPbsz:
    case stepProt:
    case stepCcc:
        // Secured logins are not offered (the login type is fixed at none).
        return false;
    case stepPass:
        if (prev == stepUser && prevCode != 331)
            return false;
        break;
    case stepAcct:
        // The account is only asked for when the password answer wants it.
        if (!(prev == stepPass && prevCode == 332))
            return false;
        break;
    case stepCwd:
        if (HostDirName.isEmpty())
            return false;
        break;
    default:
        break;
    }
    FFctPrv = Step;
    switch (Step) {
    case stepOpen:
        OpenAsync();
        break;
    case stepUser:
        UserAsync();
        break;
    case stepPass:
        PassAsync();
        break;
    case stepAcct:
        AcctAsync();
        break;
    case stepCwd:
        CwdAsync();
        break;
    case stepCDup:
        CDupAsync();
        break;
    case stepType:
        TypeSetAsync();
        break;
    case stepPort:
        PortAsync();
        break;
    case stepRest:
        RestStep();
        break;
    case stepRetr:
        if (!(prev == stepRest && prevCode == 350 && ResumeAt >= 0))
            ResumeAt = 0;
        DownloadStep(QStringLiteral("RETR"));
        break;
    case stepStor:
        UploadStep(false);
        break;
    case stepAppe:
        UploadStep(true);
        break;
    case stepList:
        DownloadStep(QStringLiteral("LIST"));
        break;
    case stepNlst:
        DownloadStep(QStringLiteral("NLST"));
        break;
    case stepMlsd:
        DownloadStep(QStringLiteral("MLSD"));
        break;
    case stepSyst:
        SystAsync();
        break;
    case stepMkd:
        MkdAsync();
        break;
    case stepRmd:
        RmdAsync();
        break;
    case stepRnFr:
        RenFromAsync();
        break;
    case stepRnTo:
        RenToAsync();
        break;
    case stepSize:
        SizeAsync();
        break;
    case stepDele:
        DeleAsync();
        break;
    case stepPwd:
        PwdAsync();
        break;
    case stepAbor:
        AbortXferAsync();
        break;
    case stepQuote:
        QuoteAsync();
        break;
    case stepQuit:
        FLastResponseSave = FLastResponse;
        FStatusCodeSave = FStatusCode;
        QuitAsync();
        break;
    case stepMode:
        ModeZAsync();
        break;
    case stepOpts:
        OptsAsync();
        break;
    default:
        return false;
    }
    return true;
}

void TCustomFtpClient::ConnectAsync() { CompositeStart("ConnectAsync"); }
void TCustomFtpClient::TransmitAsync() { CompositeStart("TransmitAsync"); }
void TCustomFtpClient::PutAsync()
{
    if (FDataSocket)
        FDataSocket->SetLastError(0);
    CompositeStart("PutAsync");
    // A failure of the data socket while the upload was set up (its listen,
    // for instance) is raised besides the operation's own report.
    if (FDataSocket && FDataSocket->LastError() != 0)
        throw FtpException(QStringLiteral("Socket Error ") + QString::number(FDataSocket->LastError()));
}
void TCustomFtpClient::RenAsync() { CompositeStart("RenAsync"); }
void TCustomFtpClient::ReceiveAsync() { CompositeStart("ReceiveAsync"); }
void TCustomFtpClient::GetAsync() { CompositeStart("GetAsync"); }
void TCustomFtpClient::RestGetAsync() { CompositeStart("RestGetAsync"); }
void TCustomFtpClient::RestartGetAsync() { CompositeStart("RestartGetAsync"); }
void TCustomFtpClient::RestPutAsync() { CompositeStart("RestPutAsync"); }
void TCustomFtpClient::RestartPutAsync() { CompositeStart("RestartPutAsync"); }
void TCustomFtpClient::AppendAsync() { CompositeStart("AppendAsync"); }
void TCustomFtpClient::AppendFileAsync() { CompositeStart("AppendFileAsync"); }
void TCustomFtpClient::DirAsync() { CompositeStart("DirAsync"); }
void TCustomFtpClient::DirectoryAsync() { CompositeStart("DirectoryAsync"); }
void TCustomFtpClient::LsAsync() { CompositeStart("LsAsync"); }
void TCustomFtpClient::ListAsync() { CompositeStart("ListAsync"); }
void TCustomFtpClient::MlsdAsync() { CompositeStart("MlsdAsync"); }
void TCustomFtpClient::SystemAsync() { CompositeStart("SystemAsync"); }
void TCustomFtpClient::FileSizeAsync() { CompositeStart("FileSizeAsync"); }
void TCustomFtpClient::MkdirAsync() { CompositeStart("MkdirAsync"); }
void TCustomFtpClient::RmdirAsync() { CompositeStart("RmdirAsync"); }
void TCustomFtpClient::DeleteAsync() { CompositeStart("DeleteAsync"); }
void TCustomFtpClient::RenameAsync() { CompositeStart("RenameAsync"); }
void TCustomFtpClient::DoQuoteAsync() { CompositeStart("DoQuoteAsync"); }

// ---- Single commands ---------------------------------------------------------------

void TCustomFtpClient::UserAsync()
{
    if (UserName.isEmpty()) {
        LocalFailure(QStringLiteral("UserName empty"));
        return;
    }
    RunCommandRow(ftpUserAsync);
}

void TCustomFtpClient::PassAsync()
{
    if (PassWord.isEmpty()) {
        LocalFailure(QStringLiteral("Password empty"));
        return;
    }
    RunCommandRow(ftpPassAsync);
}

void TCustomFtpClient::AcctAsync()
{
    if (Account.isEmpty()) {
        LocalFailure(QStringLiteral("Account empty!"));
        return;
    }
    RunCommandRow(ftpAccountAsync);
}

void TCustomFtpClient::CwdAsync()
{
    if (HostDirName.isEmpty()) {
        LocalFailure(QStringLiteral("HostDirName empty"));
        return;
    }
    RunCommandRow(ftpCwdAsync);
}

void TCustomFtpClient::PwdAsync() { RunCommandRow(ftpPwdAsync); }
void TCustomFtpClient::CDupAsync() { RunCommandRow(ftpCDupAsync); }
void TCustomFtpClient::MkdAsync() { RunCommandRow(ftpMkdAsync); }
void TCustomFtpClient::RmdAsync() { RunCommandRow(ftpRmdAsync); }
void TCustomFtpClient::DeleAsync() { RunCommandRow(ftpDeleAsync); }
void TCustomFtpClient::RenFromAsync() { RunCommandRow(ftpRenFromAsync); }
void TCustomFtpClient::RenToAsync() { RunCommandRow(ftpRenToAsync); }
void TCustomFtpClient::SystAsync() { RunCommandRow(ftpSystAsync); }
void TCustomFtpClient::SizeAsync() { RunCommandRow(ftpSizeAsync); }
void TCustomFtpClient::TypeSetAsync() { RunCommandRow(ftpTypeSetAsync); }

void TCustomFtpClient::TypeBinaryAsync()
{
    SetBinary(true);
    TypeSetAsync();
}

void TCustomFtpClient::TypeAsciiAsync()
{
    SetBinary(false);
    TypeSetAsync();
}

void TCustomFtpClient::QuoteAsync() { RunCommandRow(ftpQuoteAsync); }
void TCustomFtpClient::AbortXferAsync() { RunCommandRow(ftpAbortXferAsync); }

void TCustomFtpClient::QuitAsync()
{
    CloseLocalFile();
    RunCommandRow(ftpQuitAsync);
}

void TCustomFtpClient::FeatAsync() { RunCommandRow(ftpFeatAsync); }

void TCustomFtpClient::MlstAsync()
{
    FRemFacts.clear();
    RunCommandRow(ftpMlstAsync);
}

void TCustomFtpClient::MdtmAsync() { RunCommandRow(ftpMdtmAsync); }

void TCustomFtpClient::MdtmYyAsync()
{
    if (RemFileDateTime < 10) {
        LocalFailure(QStringLiteral("Modification date empty"));
        return;
    }
    RunCommandRow(ftpMdtmyyAsync);
}

void TCustomFtpClient::MfmtAsync()
{
    if (RemFileDateTime < 10) {
        LocalFailure(QStringLiteral("Modification date empty"));
        return;
    }
    RunCommandRow(ftpMfmtAsync);
}

void TCustomFtpClient::Md5Async() { RunCommandRow(ftpMd5Async); }
void TCustomFtpClient::ModeZAsync() { RunCommandRow(ftpModeZAsync); }
void TCustomFtpClient::OptsAsync() { RunCommandRow(ftpOptsAsync); }

void TCustomFtpClient::AuthAsync() { throw FtpException(QStringLiteral("AUTH SSL/TLS requires VUQ-SSL version")); }
void TCustomFtpClient::ProtAsync() { throw FtpException(QStringLiteral("PROT require VUQ-SSL version")); }
void TCustomFtpClient::PbszAsync() { throw FtpException(QStringLiteral("PBSZ require VUQ-SSL version")); }
void TCustomFtpClient::CccAsync() { throw FtpException(QStringLiteral("CCC require VUQ-SSL version")); }

uint32_t TCustomFtpClient::TickCount()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return uint32_t(clock.elapsed());
}
