#pragma once
// The asynchronous socket component under the FTP client.
//
// Class chain: TCustomAsyncSocket (one non-blocking socket, its states,
// events, send queue, closing, listening, datagrams, name lookups) ->
// TCustomSocksSocket (connecting through a SOCKS 4, 4A or 5 proxy) ->
// TCustomLineSocket (line mode) -> TCustomSyncSocket (waiting for a flag
// while the event loop runs) -> TAsyncSocket (the component).
//
// Nothing blocks (but the resolver functions and ReverseDnsLookupNow):
// Connect, Send and Close return at once and report through the events,
// which always run from the Qt event loop of the thread that made the object,
// never from inside Send. Socket notices come from platform/net (WinSock.h).
//
// Events are plain function members (OnDataAvailable, ...): assign one to
// handle the event; an unassigned one is not fired.
//
// Errors: every failure is reported through RaiseError: with OnError
// assigned it fires OnError (LastError holds the code), otherwise it raises
// ESocketException with the text ("Error 10061 in function Connect\r\n
// Connection refused" and the like). An exception inside an event that runs
// from the event loop goes to OnBgException, whose default answer aborts the
// connection.

#include "platform/net/WinSock.h"

#include <QByteArray>
#include <QEvent>
#include <QFlags>
#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <stdexcept>

class TBuffer;
class QThread;
class TSocketWindow;

// A failure of the socket layer, with its text.
class ESocketException : public std::runtime_error {
public:
    explicit ESocketException(const QString& Msg) : std::runtime_error(Msg.toStdString()), FMessage(Msg) {}
    QString Message() const { return FMessage; }

private:
    QString FMessage;
};

enum TSocketState {
    skInvalidState,
    skOpened,
    skBound,
    skConnecting,
    skSocksConnected,
    skConnected,
    skAccepting,
    skListening,
    skClosed
};
enum TSocketSendFlags { skSendNormal, skSendUrgent };
enum TSocketLingerOnOff { skLingerOff, skLingerOn, skLingerNoSet };
enum TSocketKeepAliveOnOff { skKeepAliveOff, skKeepAliveOnCustom, skKeepAliveOnSystem };
enum TSocketOption : unsigned { skoNoReceiveLoop = 1, skoTcpNoDelay = 2, skoSIO_RCVALL = 4 };
using TSocketOptions = QFlags<TSocketOption>;
Q_DECLARE_OPERATORS_FOR_FLAGS(TSocketOptions)
enum TSocksAuthentication { socksNoAuthentication, socksAuthenticateUsercode };
enum TSocksAuthState { socksAuthStart, socksAuthSuccess, socksAuthFailure, socksAuthNotRequired };

class TCustomAsyncSocket;
using TSessionConnected = std::function<void(TCustomAsyncSocket* Sender, quint16 ErrCode)>;
using TSessionAvailable = std::function<void(TCustomAsyncSocket* Sender, quint16 ErrCode)>;
using TSessionClosed = std::function<void(TCustomAsyncSocket* Sender, quint16 ErrCode)>;
using TDataAvailable = std::function<void(TCustomAsyncSocket* Sender, quint16 ErrCode)>;
using TDataSent = std::function<void(TCustomAsyncSocket* Sender, quint16 ErrCode)>;
using TDnsLookupDone = std::function<void(TCustomAsyncSocket* Sender, quint16 ErrCode)>;
using TSendData = std::function<void(TCustomAsyncSocket* Sender, int BytesSent)>;
using TChangeState = std::function<void(TCustomAsyncSocket* Sender, TSocketState OldState, TSocketState NewState)>;
using TBgExceptionEvent = std::function<void(TCustomAsyncSocket* Sender, const std::exception& E, bool& CanClose)>;
using TNotifyEvent = std::function<void(TCustomAsyncSocket* Sender)>;
using TLineLimitEvent = std::function<void(TCustomAsyncSocket* Sender, int RcvdLength, bool& ClearData)>;
using TSocksErrorEvent = std::function<void(TCustomAsyncSocket* Sender, int Error, const QString& Msg)>;
using TSocksAuthStateEvent = std::function<void(TCustomAsyncSocket* Sender, TSocksAuthState AuthState)>;

// ---- Unit functions -------------------------------------------------------

// English text of a WinSock error code; "Not a WinSock error" for others.
QString SocketErrorText(int ErrCode);
// Four numbers of at most 255 joined by points, blanks allowed around.
bool IsDottedIP(const QString& S);
// The decimal number at the start (after blanks); raises ESocketException
// "Integer overflow" when it does not fit 32 bits.
int ParseLeadingNumber(const QString& S);
// Address in network order; blocks on the name server for a host name.
uint32_t SocketResolveHost(const QString& InAddr);
// Port in host order ("ftp" with "tcp" gives 21).
uint16_t SocketResolvePort(const QString& Port, const QString& Proto);
// Protocol number ("tcp" 6, "udp" 17, "raw" 255, digits as a number).
int SocketResolveProto(const QString& Proto);
// Start-up record of the binding (version, description, limits).
WinSock::WsaData WinsockInfo();

// Private message numbers of the socket object (offsets of the user base).
constexpr int WM_ASYNCSELECT = 1;
constexpr int WM_ASYNCGETHOSTBYNAME = 2;
constexpr int WM_ASYNCGETHOSTBYADDR = 3;
constexpr int WM_CLOSE_DELAYED = 4;
constexpr int WM_FREE_DELAYED = 5;
constexpr int WM_TRIGGER_EXCEPTION = 6;
constexpr int WM_SEND_DONE = 7;
constexpr int WM_TRIGGER_DATA_AVAILABLE = 20;

// One posted message of a socket object (in place of a window message).
class TSocketMessage : public QEvent {
public:
    static QEvent::Type eventType();
    TSocketMessage(int Msg, intptr_t WParam, intptr_t LParam)
        : QEvent(eventType()), Msg(Msg), WParam(WParam), LParam(LParam) {}
    int Msg;
    intptr_t WParam;
    intptr_t LParam;
};

// ---- TCustomAsyncSocket ---------------------------------------------------

class TCustomAsyncSocket : public QObject, public WinSock::NoticeTarget {
    friend class TSocketWindow;

public:
    explicit TCustomAsyncSocket(QObject* AOwner = nullptr);
    ~TCustomAsyncSocket() override;

    // Connecting, sending, receiving, closing.
    virtual void Connect();
    virtual void Close();
    // Closes once the event loop is back (also from an event handler).
    virtual void PostClose();
    // Destroys the object once the event loop is back.
    virtual void PostFree();
    // Hard close: the queue is dropped and a connected peer sees a reset.
    virtual void Abort();
    // Sends the queue while running the event loop.
    virtual void Flush();
    // Reads until the peer closes, while running the event loop.
    virtual void DrainUntilClosed();
    virtual int Receive(void* Buffer, int BufferSize);
    virtual QByteArray ReceiveStr();
    // Queues Len bytes and starts sending; the count queued, or -1 when the
    // socket is not connected (reported through the error path).
    virtual int Send(const void* Data, int Len);
    virtual int SendStr(const QByteArray& Str);
    virtual void Shutdown(int How);
    // Stops and restarts the notices; data wait in the kernel meanwhile.
    virtual bool Pause();
    virtual bool Resume();
    virtual void QueueData(const void* Data, int Len);
    void DiscardQueue();
    // Runs pending events of the event loop.
    virtual void MessagePump();
    void ProcessMessages();
    // Threads. Notices and posted messages run in the thread that made the
    // object's window (at first the creating thread). ThreadDetach, from that
    // thread only, stops the notices and drops the window; ThreadAttach, in
    // the thread that takes the socket over, makes a new window there and
    // asks for the notices again. A socket without a parent object moves to
    // that thread as a whole.
    // The socket is used only from the thread it is attached to: Send,
    // Receive, Close, Abort and every other call are made there, never from
    // another thread (a Send from another thread could not wait for room:
    // its write notice would never come). To use it elsewhere, detach it
    // and attach it in that thread. A debug build stops at a send, receive,
    // accept or close from another thread while notices are on. Nothing in
    // the program moves a socket between threads today.
    virtual void ThreadDetach();
    virtual void ThreadAttach();

    // Server side and datagrams.
    virtual void Listen();
    virtual WinSock::TSocket Accept();
    // Becomes the owner of an accepted handle, connected (no
    // OnSessionConnected).
    virtual void Dup(WinSock::TSocket NewHSocket);
    virtual int SendTo(const sockaddr_in& Dest, int DestLen, const void* Data, int Len);
    virtual int ReceiveFrom(void* Buffer, int BufferSize, sockaddr_in& From, int& FromLen);
    void SetLingerOption();
    void SetKeepAliveOption();

    // Name lookups and the two ends.
    virtual void DnsLookup(const QString& HostName);
    virtual void ReverseDnsLookup(const QString& HostAddr);
    virtual void ReverseDnsLookupNow(const QString& HostAddr);
    virtual void CancelDnsLookup();
    virtual QString GetPeerAddr();
    virtual QString GetPeerPort();
    virtual int GetPeerName(sockaddr_in& Name, int NameLen);
    virtual QString GetBoundPort();
    virtual QString GetBoundAddr();
    virtual int GetSockName(sockaddr_in& Name, int& NameLen);

    // Properties.
    QString Addr() const { return FAddrStr; }
    void SetAddr(const QString& Value);
    QString Port() const { return FPortStr; }
    virtual void SetPort(const QString& Value);
    QString Proto() const { return FProtoStr; }
    virtual void SetProto(const QString& Value);
    QString LocalAddr() const { return FLocalAddr; }
    void SetLocalAddr(const QString& Value);
    QString LocalPort() const { return FLocalPortStr; }
    void SetLocalPort(const QString& Value);
    QString PeerAddr() { return GetPeerAddr(); }
    QString PeerPort() { return GetPeerPort(); }
    QString DnsResult() const { return FDnsResult; }
    QStringList DnsResultList() const { return FDnsResultList; }
    TSocketState State() const { return FState; }
    int ReadCount() const { return FReadCount; }
    int RcvdCount() { return GetRcvdCount(); }
    int LastError() const { return FLastError; }
    void SetLastError(int Value) { FLastError = Value; }
    WinSock::TSocket HSocket() const { return FHSocket; }
    bool AllSent() const { return bAllSent; }
    int QueuedByteCount() const { return FBufferedByteCount; }
    bool MultiThreaded() const { return FMultiThreaded; }
    void SetMultiThreaded(bool Value) { FMultiThreaded = Value; }
    bool MultiCast() const { return FMultiCast; }
    void SetMultiCast(bool Value) { FMultiCast = Value; }
    QString MultiCastAddrStr() const { return FMultiCastAddrStr; }
    void SetMultiCastAddrStr(const QString& Value) { FMultiCastAddrStr = Value; }
    int MultiCastIpTTL() const { return FMultiCastIpTTL; }
    void SetMultiCastIpTTL(int Value) { FMultiCastIpTTL = Value; }
    bool ReuseAddr() const { return FReuseAddr; }
    void SetReuseAddr(bool Value) { FReuseAddr = Value; }
    TSocketOptions ComponentOptions() const { return FComponentOptions; }
    void SetComponentOptions(TSocketOptions Value) { FComponentOptions = Value; }
    int ListenBacklog() const { return FListenBacklog; }
    void SetListenBacklog(int Value) { FListenBacklog = Value; }
    uint8_t ReqVerLow() const;
    void SetReqVerLow(uint8_t Value);
    uint8_t ReqVerHigh() const;
    void SetReqVerHigh(uint8_t Value);
    int FlushTimeout() const { return FFlushTimeout; }
    void SetFlushTimeout(int Value) { FFlushTimeout = Value; }
    TSocketSendFlags SendFlags();
    void SetSendFlags(TSocketSendFlags Value);
    TSocketLingerOnOff LingerOnOff() const { return FLingerOnOff; }
    void SetLingerOnOff(TSocketLingerOnOff Value) { FLingerOnOff = Value; }
    int LingerTimeout() const { return FLingerTimeout; }
    void SetLingerTimeout(int Value) { FLingerTimeout = Value; }
    TSocketKeepAliveOnOff KeepAliveOnOff() const { return FKeepAliveOnOff; }
    void SetKeepAliveOnOff(TSocketKeepAliveOnOff Value) { FKeepAliveOnOff = Value; }
    int KeepAliveTime() const { return FKeepAliveTime; }
    void SetKeepAliveTime(int Value) { FKeepAliveTime = Value; }
    int KeepAliveInterval() const { return FKeepAliveInterval; }
    void SetKeepAliveInterval(int Value) { FKeepAliveInterval = Value; }
    bool Terminated() const { return FTerminated; }

    // Events.
    TSessionAvailable OnSessionAvailable;
    TSessionConnected OnSessionConnected;
    TSessionClosed OnSessionClosed;
    TChangeState OnChangeState;
    TDataAvailable OnDataAvailable;
    TDataSent OnDataSent;
    TSendData OnSendData;
    TDnsLookupDone OnDnsLookupDone;
    TNotifyEvent OnError;
    TBgExceptionEvent OnBgException;

    void ChangeState(TSocketState NewState);
    void SocketError(const QString& Sockfunc);
    void FireSendData(int BytesSent);

    // Posts a private message to the object itself (runs from the loop).
    void PostMessageToSelf(int Msg, intptr_t WParam, intptr_t LParam);

protected:
    bool event(QEvent* E) override;
    void socketNotice(WinSock::TSocket S, int Bits, int Error) override;

    virtual void HandleMessage(TSocketMessage& Msg);
    // The window stand-in: a small object of the thread that receives the
    // posted messages (PostMessageToSelf) for this socket.
    virtual void CreateNotifyWindow();
    virtual void DestroyNotifyWindow();
    // A posted message reaching the window: handled, with its exceptions
    // going to HandleBackgroundError.
    void DispatchWindowMessage(TSocketMessage& Msg);
    virtual void TryToSend();
    virtual void ResetDefaults();
    virtual void DoClose(bool ShutFirst, quint16 ErrCode);
    virtual void DoAbort(quint16 ErrCode);
    virtual int GetRcvdCount();
    virtual void BindLocal();
    // Sends one chunk. A stream socket with several chunks queued sends up
    // to kChunksPerSend of them in one call of the platform layer instead.
    virtual int SendRaw(const void* Data, int Len);
    static constexpr int kChunksPerSend = 64;
    // Takes Count sent bytes off the front of the queue.
    void removeSent(int Count);
    virtual void RaiseError(const QString& Msg);
    virtual void HandleBackgroundError(const std::exception& E);
    virtual bool FireDataAvailable(quint16 ErrCode);
    virtual void FireSessionAvailable(quint16 ErrCode);
    virtual void SessionConnectedHook(quint16 ErrCode);
    virtual void FireSessionConnected(quint16 ErrCode);
    virtual void FireSessionClosed(quint16 ErrCode);
    virtual void FireDataSent(quint16 ErrCode);
    virtual void FireChangeState(TSocketState OldState, TSocketState NewState);
    virtual void FireDnsLookupDone(quint16 ErrCode);
    virtual void FireError();
    virtual int RecvRaw(void* Buffer, int BufferSize, int Flags);
    virtual void HandleConnectNotice(quint16 ErrCode);
    virtual void HandleReadNotice(quint16 ErrCode);
    virtual void HandleWriteNotice(quint16 ErrCode);
    virtual void HandleAcceptNotice(quint16 ErrCode);
    virtual void HandleCloseNotice(quint16 ErrCode);
    virtual void MarkConnected();
    // Connect's steps after the checks and the resolving (the SOCKS client
    // resolves the proxy instead of the destination).
    virtual void ResolveForConnect();
    void ReceiveLoop(quint16 ErrCode, TSocketOptions Options);
    void SocketErrorCode(const QString& Sockfunc, int Code);
    int AskSelect(int Mask);
    bool Destroying() const { return FDestroying; }

    // Fields, in the order of the component's state.
    QString FDnsResult;
    QStringList FDnsResultList;
    int FSendFlags = 0;
    int FLastError = 0;
    WinSock::TSocket FHSocket = WinSock::InvalidSocket;
    WinSock::TSocket FASocket = WinSock::InvalidSocket;
    QString FAddrStr;
    bool FAddrResolved = false;
    int FAddrFormat = AF_INET;
    bool FAddrAssigned = false;
    int FProto = IPPROTO_TCP;
    bool FProtoAssigned = true;
    bool FProtoResolved = false;
    bool FLocalPortResolved = false;
    QString FProtoStr = QStringLiteral("tcp");
    QString FPortStr;
    bool FPortAssigned = false;
    bool FPortResolved = false;
    int FPortNum = 0;
    QString FLocalPortStr = QStringLiteral("0");
    int FLocalPortNum = 0;
    QString FLocalAddr = QStringLiteral("0.0.0.0");
    int FType = SOCK_STREAM;
    std::list<std::unique_ptr<TBuffer>> FBufList;
    int FBufSize = 1460;
    TSocketLingerOnOff FLingerOnOff = skLingerNoSet;
    int FLingerTimeout = 0;
    TSocketKeepAliveOnOff FKeepAliveOnOff = skKeepAliveOnSystem;
    int FKeepAliveTime = 30000;
    int FKeepAliveInterval = 1000;
    int FListenBacklog = 5;
    bool bAllSent = true;
    int FReadCount = 0;
    bool FPaused = false;
    bool FCloseInvoked = false;
    int FBufferedByteCount = 0;
    int FFlushTimeout = 60;
    bool FMultiThreaded = false;
    quint64 FDnsLookupHandle = 0;
    bool FMultiCast = false;
    QString FMultiCastAddrStr;
    int FMultiCastIpTTL = 1;
    bool FReuseAddr = false;
    TSocketOptions FComponentOptions;
    TSocketState FState = skClosed;
    bool FTerminated = false;
    int FSelectEvent = 0;
    sockaddr_in sin{};
    bool FDestroying = false;
    QObject* FWindow = nullptr;
    // The thread that made the window.
    QThread* FThreadId = nullptr;
    // Bytes handed to the network by Send itself, reported by OnSendData
    // from the loop.
    int FSendDataPending = 0;
    // A send failure seen inside Send, reported from the loop.
    int FSendFailure = 0;
};

// ---- TCustomSocksSocket ---------------------------------------------------

class TCustomSocksSocket : public TCustomAsyncSocket {
public:
    explicit TCustomSocksSocket(QObject* AOwner = nullptr);

    void Connect() override;
    void Listen() override;

    QString SocksServer() const { return FSocksServer; }
    virtual void SetSocksServer(const QString& Value);
    QString SocksPort() const { return FSocksPort; }
    virtual void SetSocksPort(const QString& Value);
    QString SocksLevel() const { return FSocksLevel; }
    void SetSocksLevel(const QString& Value);
    QString SocksUsercode() const { return FSocksUsercode; }
    void SetSocksUsercode(const QString& Value) { FSocksUsercode = Value; }
    QString SocksPassword() const { return FSocksPassword; }
    void SetSocksPassword(const QString& Value) { FSocksPassword = Value; }
    TSocksAuthentication SocksAuthentication() const { return FSocksAuthentication; }
    void SetSocksAuthentication(TSocksAuthentication Value) { FSocksAuthentication = Value; }
    // Address and port the version 5 proxy reported as bound.
    QString BoundAddr() const { return FBoundAddr; }
    QString BoundPort() const { return FBoundPort; }
    // True while the proxy negotiation runs.
    bool SocksNegotiating() const { return FSocksState != SocksStateData; }

    TSessionConnected OnSocksConnected;
    TSocksErrorEvent OnSocksError;
    TSocksAuthStateEvent OnSocksAuthState;

    // The reply parser of the negotiation: feeds Bytes as received in the
    // current negotiation state (tests drive it with random input).
    void SocksReceived(const QByteArray& Bytes);

protected:
    enum { SocksStateData = 0, SocksStateMethods = 1, SocksStateAuth = 2, SocksStateConnect = 3 };

    virtual void FireSocksConnected(quint16 ErrCode);
    virtual void FireSocksError(int Error, const QString& Msg);
    void ResetDefaults() override;
    int GetRcvdCount() override;
    bool FireDataAvailable(quint16 ErrCode) override;
    void SessionConnectedHook(quint16 ErrCode) override;
    void FireSessionClosed(quint16 ErrCode) override;
    void FireDataSent(quint16 ErrCode) override;
    int RecvRaw(void* Buffer, int BufferSize, int Flags) override;
    void SocksDoConnect();
    void SocksDoAuthenticate();
    void SocksFailure(int Code, const QString& Msg);
    void SocksSendRequest(const QByteArray& Request);
    void SocksParseReply();
    int SocksReadLimit() const;

    int FSocksState = SocksStateData;
    // Write notices still to come for the negotiation's own requests: each
    // request's notice may be handled after the proxy's reply, when the
    // session already carries the owner's data.
    int FSocksRequestNotices = 0;
    QString FSocksServer;
    QString FSocksLevel = QStringLiteral("5");
    QString FSocksPort;
    bool FSocksPortAssigned = false;
    bool FSocksServerAssigned = false;
    QString FSocksUsercode;
    QString FSocksPassword;
    TSocksAuthentication FSocksAuthentication = socksNoAuthentication;
    int FSocksMethod = 0;
    QString FBoundAddr;
    QString FBoundPort;
    QByteArray FRcvBuf;
    QByteArray FLeftover;
    uint16_t FSocksDestPort = 0;
};

// ---- TCustomLineSocket ----------------------------------------------------

class TCustomLineSocket : public TCustomSocksSocket {
public:
    explicit TCustomLineSocket(QObject* AOwner = nullptr);
    ~TCustomLineSocket() override;

    bool LineMode() const { return FLineMode; }
    virtual void SetLineMode(bool Value);
    int LineLimit() const { return FLineLimit; }
    void SetLineLimit(int Value) { FLineLimit = Value; }
    QByteArray LineEnd() const { return FLineEnd; }
    void SetLineEnd(const QByteArray& Value) { FLineEnd = Value; }
    bool LineEcho() const { return FLineEcho; }
    void SetLineEcho(bool Value) { FLineEcho = Value; }
    bool LineEdit() const { return FLineEdit; }
    void SetLineEdit(bool Value) { FLineEdit = Value; }
    bool LineReceived() const { return FLineReceivedFlag; }
    // Bytes held in line mode and not delivered yet.
    int LineBufferCount() const { return int(FRcvdBuf.size()); }

    // Queues Text and LineEnd to leave together; the bytes queued.
    virtual int SendLine(const QByteArray& Text);

    TLineLimitEvent OnLineLimitExceeded;

protected:
    virtual void FireLineLimitExceeded(int RcvdLength, bool& ClearData);
    virtual void EditLine(int& Len);
    void HandleMessage(TSocketMessage& Msg) override;
    int GetRcvdCount() override;
    int RecvRaw(void* Buffer, int BufferSize, int Flags) override;
    bool FireDataAvailable(quint16 ErrCode) override;
    void FireSessionClosed(quint16 ErrCode) override;
    void ResetDefaults() override;
    bool DeliverLines(int SearchFrom);

    QByteArray FRcvdBuf;
    QByteArray FLineEnd = QByteArray("\r\n");
    bool FLineMode = false;
    int FLineLength = 0;
    int FLineLimit = 65536;
    bool FLineReceivedFlag = false;
    bool FLineFound = false;
    bool FLineClearData = false;
    bool FLineEcho = false;
    bool FLineEdit = false;
    int FEditColumn = 0;
};

// ---- TCustomSyncSocket ----------------------------------------------------

class TCustomSyncSocket : public TCustomLineSocket {
public:
    explicit TCustomSyncSocket(QObject* AOwner = nullptr);

    // Clears Flag, runs Proc, waits for Flag: 0, or 12001 when the time-out
    // passed or the program is ending.
    virtual int RunAndWait(const std::function<void()>& Proc, bool& Flag);
    virtual int WaitForFlag(bool& Flag);
    // Milliseconds; 0 waits without a limit.
    int Timeout() const { return FTimeout; }
    void SetTimeout(int Value) { FTimeout = Value; }

protected:
    int FTimeout = 0;
};

// ---- TAsyncSocket ---------------------------------------------------------

class TAsyncSocket : public TCustomSyncSocket {
public:
    explicit TAsyncSocket(QObject* AOwner = nullptr) : TCustomSyncSocket(AOwner) {}
};

// The name of a socket state ("skConnected", ...), for logs and tests.
QString SocketStateName(TSocketState State);
