// The blocking twins of the FTP client, and the time-out of every operation.
//
// An operation that runs for Timeout seconds without progress is aborted
// ("426 Timeout"), whether a blocking call waits for it or not. The limit
// holds between two signs of progress, never for the operation as a whole,
// so a composite operation of many commands (connect, login, CWD, TYPE,
// PORT, STOR, QUIT) may take far longer than Timeout. Progress is:
//   - a complete reply of the server (the final line of a reply to the
//     greeting or to a command), so a server that takes its time over each
//     answer, or checks an upload before it says 226, is waited for;
//   - what the transfer moved on the wire: bytes received, and bytes sent
//     that the server's side took (a block handed to the socket counts only
//     once it left the kernel), so a slow but moving transfer goes on and a
//     stalled one ends.
// A server that answers nothing, sends lines of a reply that never ends, or
// stops taking or sending the data of a transfer times out.
//
// "Left the kernel" is read from the data socket (WinSock::unsentBytes:
// bytes not sent or not acknowledged), sampled by the client's timer every
// WaitCheckInterval. An upload whose last block is in the kernel therefore
// goes on for as long as the server keeps taking bytes, however long the
// kernel's buffer (several MB) takes to drain over a slow line. What the
// client cannot see is a server whose own kernel has acknowledged every
// byte (a large receive buffer) while its program reads them slowly: from
// the client's side the data has arrived, and the server then has Timeout
// seconds to say 226, as a server that checks an upload before it answers.
//
// A blocking call starts the asynchronous operation and runs the event loop
// until the client is ready again or the operation timed out. While it waits,
// user input and the timers of the rest of the program are held back (and
// delivered once the call returns), so no button or timer can start an
// operation inside the one that is waiting.
#include "exchange/net/FtpClient.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

TFtpClient::TFtpClient(QObject* AOwner) : TCustomFtpClient(AOwner)
{
    FWaitTimer = new QTimer(this);
    connect(FWaitTimer, &QTimer::timeout, this, [this] { CheckTimeout(); });
}

TFtpClient::~TFtpClient()
{
    if (FWaitDepth > 0)
        QCoreApplication::instance()->removeEventFilter(this);
}

qint64 TFtpClient::WaitNow() const
{
    if (WaitClock)
        return WaitClock();
    return QDeadlineTimer::current().deadline();
}

void TFtpClient::MoveWaitDeadline()
{
    FWaitDeadline = WaitNow() + qint64(Timeout) * 1000;
}

void TFtpClient::OperationStarted()
{
    FWaitTimedOut = false;
    FWatching = Timeout > 0;
    if (!FWatching) {
        FWaitTimer->stop();
        return;
    }
    FWaitMark = TransferMark();
    MoveWaitDeadline();
    FWaitTimer->start(std::max(1, WaitCheckInterval));
}

void TFtpClient::OperationEnded()
{
    FWatching = false;
    FWaitTimer->stop();
}

void TFtpClient::CheckTimeout()
{
    if (!FWatching)
        return;
    if (FRequestDoneFlag || Timeout <= 0) {
        // Nothing runs (or the limit was lifted meanwhile).
        OperationEnded();
        return;
    }
    // Progress first: bytes that moved since the last look move the
    // deadline on, however late this look comes.
    const int64_t mark = TransferMark();
    if (mark != FWaitMark) {
        FWaitMark = mark;
        MoveWaitDeadline();
        return;
    }
    if (WaitNow() >= FWaitDeadline)
        TimedOut();
}

void TFtpClient::TimedOut()
{
    OperationEnded();
    FWaitTimedOut = true;
    Display(QStringLiteral("! Timeout"));
    Abort();
    FErrorMessage = QStringLiteral("426 Timeout");
    FStatusCode = 426;
}

void TFtpClient::ReplyCompleted()
{
    if (FWatching && Timeout > 0)
        MoveWaitDeadline();
}

bool TFtpClient::Progress()
{
    const bool goOn = TCustomFtpClient::Progress();
    // Every sign of life of a transfer moves the deadline on, so only a
    // stalled transfer times out.
    if (FWatching && Timeout > 0)
        MoveWaitDeadline();
    return goOn;
}

bool TFtpClient::OwnObject(QObject* O) const
{
    for (QObject* p = O; p; p = p->parent())
        if (p == this)
            return true;
    return false;
}

bool TFtpClient::eventFilter(QObject* Watched, QEvent* E)
{
    if (FWaitDepth > 0 && E->type() == QEvent::Timer && !OwnObject(Watched)) {
        const int id = static_cast<QTimerEvent*>(E)->timerId();
        for (const auto& held : FHeldTimers)
            if (held.first == Watched && held.second == id)
                return true;
        FHeldTimers.emplace_back(QPointer<QObject>(Watched), id);
        return true;
    }
    return QObject::eventFilter(Watched, E);
}

bool TFtpClient::WaitUntilReady()
{
    auto ready = [this] { return FState == fsReady || FState == fsInternalReady; };
    if (ready())
        return FRequestResult == 0;
    ++FWaitDepth;
    if (FWaitDepth == 1)
        QCoreApplication::instance()->installEventFilter(this);
    // The operation's own time-out ends the wait (TimedOut aborts it). The
    // clock is looked at after every turn of the loop as well: a turn that
    // took long (a slow handler) ends the wait at once when nothing moved
    // meanwhile.
    QEventLoop loop;
    while (!ready() && !FWaitTimedOut && !QCoreApplication::closingDown()) {
        loop.processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
        CheckTimeout();
    }
    const bool timedOut = FWaitTimedOut || !ready();
    --FWaitDepth;
    if (FWaitDepth == 0) {
        QCoreApplication::instance()->removeEventFilter(this);
        // The held timers fire now, once each.
        const auto held = std::move(FHeldTimers);
        FHeldTimers.clear();
        for (const auto& h : held)
            if (h.first)
                QCoreApplication::postEvent(h.first, new QTimerEvent(h.second));
    }
    if (timedOut) {
        if (!FWaitTimedOut) {
            // The program is ending.
            OperationEnded();
            Abort();
        }
        FErrorMessage = QStringLiteral("426 Timeout");
        FStatusCode = 426;
        return false;
    }
    return FRequestResult == 0;
}

bool TFtpClient::Synchronize(const std::function<void()>& Start)
{
    FLocalErrorRaised = false;
    try {
        Start();
    } catch (const FtpException& E) {
        FErrorMessage = E.Message();
        return false;
    } catch (const std::exception& E) {
        FErrorMessage = QString::fromUtf8(E.what());
        return false;
    }
    if (FLocalErrorRaised && FRequestDoneFlag) {
        // Refused before it started (OnError took the error): a failure.
        FErrorMessage = FLocalErrorText;
        return false;
    }
    return WaitUntilReady();
}

bool TFtpClient::Connect() { return Synchronize([this] { ConnectAsync(); }); }
bool TFtpClient::Transmit() { return Synchronize([this] { TransmitAsync(); }); }
bool TFtpClient::Put() { return Synchronize([this] { PutAsync(); }); }
bool TFtpClient::Get() { return Synchronize([this] { GetAsync(); }); }
bool TFtpClient::Append() { return Synchronize([this] { AppendAsync(); }); }
bool TFtpClient::Receive() { return Synchronize([this] { ReceiveAsync(); }); }
bool TFtpClient::Dele() { return Synchronize([this] { DeleAsync(); }); }
bool TFtpClient::Ren() { return Synchronize([this] { RenAsync(); }); }
bool TFtpClient::Quote() { return Synchronize([this] { QuoteAsync(); }); }
bool TFtpClient::Quit() { return Synchronize([this] { QuitAsync(); }); }
bool TFtpClient::Dir() { return Synchronize([this] { DirAsync(); }); }
bool TFtpClient::Directory() { return Synchronize([this] { DirectoryAsync(); }); }
bool TFtpClient::Ls() { return Synchronize([this] { LsAsync(); }); }
bool TFtpClient::List() { return Synchronize([this] { ListAsync(); }); }
bool TFtpClient::Mkd() { return Synchronize([this] { MkdAsync(); }); }
bool TFtpClient::Rmd() { return Synchronize([this] { RmdAsync(); }); }
bool TFtpClient::Cwd() { return Synchronize([this] { CwdAsync(); }); }
bool TFtpClient::Pwd() { return Synchronize([this] { PwdAsync(); }); }
bool TFtpClient::Size() { return Synchronize([this] { SizeAsync(); }); }
bool TFtpClient::Syst() { return Synchronize([this] { SystAsync(); }); }

bool TFtpClient::AbortSync()
{
    Abort();
    return true;
}
