// Line mode and the wait helpers: received bytes are held until a line end
// arrives and then offered one line at a time; waiting for a flag runs the
// event loop.
#include "exchange/net/AsyncSocket.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>

#include <cstring>

using namespace WinSock;

TCustomLineSocket::TCustomLineSocket(QObject* AOwner) : TCustomSocksSocket(AOwner) {}

TCustomLineSocket::~TCustomLineSocket() = default;

void TCustomLineSocket::ResetDefaults()
{
    TCustomSocksSocket::ResetDefaults();
}

void TCustomLineSocket::SetLineMode(bool Value)
{
    if (FLineMode == Value)
        return;
    FLineMode = Value;
    if (!FRcvdBuf.isEmpty() || FLineLength > 0)
        PostMessageToSelf(WM_TRIGGER_DATA_AVAILABLE, 0, 0);
}

int TCustomLineSocket::SendLine(const QByteArray& Text)
{
    if (Text.isEmpty())
        return 0;
    if (FState != skConnected && FState != skSocksConnected)
        return Send(Text.constData(), int(Text.size()));
    // The text waits in the queue so that it leaves with its line end.
    QueueData(Text.constData(), int(Text.size()));
    Send(FLineEnd.constData(), int(FLineEnd.size()));
    return int(Text.size() + FLineEnd.size());
}

void TCustomLineSocket::FireLineLimitExceeded(int RcvdLength, bool& ClearData)
{
    if (OnLineLimitExceeded)
        OnLineLimitExceeded(this, RcvdLength, ClearData);
}

int TCustomLineSocket::GetRcvdCount()
{
    if (FLineMode && FLineLength > 0)
        return FLineLength;
    if (FLineMode && !FLineEnd.isEmpty() && !SocksNegotiating())
        return 0;
    if (!FRcvdBuf.isEmpty())
        return int(FRcvdBuf.size());
    return TCustomSocksSocket::GetRcvdCount();
}

int TCustomLineSocket::RecvRaw(void* Buffer, int BufferSize, int Flags)
{
    if (FLineMode && FLineLength > 0) {
        const int N = std::min(BufferSize, FLineLength);
        if (N <= 0)
            return 0;
        memcpy(Buffer, FRcvdBuf.constData(), size_t(N));
        FRcvdBuf.remove(0, N);
        FLineLength -= N;
        return N;
    }
    if (!FLineMode && !FRcvdBuf.isEmpty()) {
        const int N = std::min<int>(BufferSize, int(FRcvdBuf.size()));
        if (N <= 0)
            return 0;
        memcpy(Buffer, FRcvdBuf.constData(), size_t(N));
        FRcvdBuf.remove(0, N);
        FLineLength = std::max(0, FLineLength - N);
        return N;
    }
    if (FLineMode && !SocksNegotiating() && !FLineEnd.isEmpty()) {
        // In line mode a handler reads only whole lines; between lines
        // there is nothing to read.
        WSASetLastError(WSAEWOULDBLOCK);
        FLastError = WSAEWOULDBLOCK;
        return -1;
    }
    return TCustomSocksSocket::RecvRaw(Buffer, BufferSize, Flags);
}

void TCustomLineSocket::EditLine(int& Len)
{
    const int Start = int(FRcvdBuf.size()) - Len;
    QByteArray Kept = FRcvdBuf.left(Start);
    QByteArray Echo;
    int Column = 0;
    const int LastLf = int(Kept.lastIndexOf('\n'));
    Column = int(Kept.size()) - (LastLf + 1);
    for (int I = Start; I < FRcvdBuf.size(); ++I) {
        const char C = FRcvdBuf[I];
        if (C == '\b') {
            if (!Kept.isEmpty() && Kept.back() != '\n') {
                Kept.chop(1);
                Column = std::max(0, Column - 1);
                Echo.append("\b \b");
            }
        } else if (C == '\t') {
            const int Spaces = 8 - (Column % 8);
            Kept.append(QByteArray(Spaces, ' '));
            Echo.append(QByteArray(Spaces, ' '));
            Column += Spaces;
        } else {
            Kept.append(C);
            Echo.append(C);
            Column = (C == '\n') ? 0 : Column + 1;
        }
    }
    const int Lowest = std::min<int>(Start, int(Kept.size()));
    FRcvdBuf = Kept;
    Len = int(FRcvdBuf.size()) - Lowest;
    if (FLineEcho && !Echo.isEmpty()) {
        try {
            Send(Echo.constData(), int(Echo.size()));
        } catch (...) {
        }
    }
}

bool TCustomLineSocket::FireDataAvailable(quint16 ErrCode)
{
    if (!FLineMode || FLineEnd.isEmpty() || SocksNegotiating())
        return TCustomSocksSocket::FireDataAvailable(ErrCode);
    int Count = TCustomSocksSocket::GetRcvdCount();
    if (Count < 0)
        return true;
    if (Count == 0)
        Count = 255;
    const int Held = int(FRcvdBuf.size());
    FRcvdBuf.resize(Held + Count);
    int N = TCustomSocksSocket::RecvRaw(FRcvdBuf.data() + Held, Count, 0);
    if (N <= 0) {
        FRcvdBuf.resize(Held);
        if (Held == 0)
            return true;
        N = 0;
    } else {
        FRcvdBuf.resize(Held + N);
    }
    int NewCount = N;
    if (NewCount > 0) {
        if (FLineEdit)
            EditLine(NewCount);
        else if (FLineEcho) {
            try {
                Send(FRcvdBuf.constData() + Held, NewCount);
            } catch (...) {
            }
        }
    }
    const int SearchFrom = std::max(0, int(FRcvdBuf.size()) - NewCount - int(FLineEnd.size()) + 1);
    DeliverLines(SearchFrom);
    return true;
}

bool TCustomLineSocket::DeliverLines(int SearchFrom)
{
    const TSocket Handle = FHSocket;
    while (FLineMode && !FRcvdBuf.isEmpty()) {
        const int Index = int(FRcvdBuf.indexOf(FLineEnd, SearchFrom));
        if (Index < 0) {
            if (FLineLimit > 0 && FRcvdBuf.size() > FLineLimit) {
                FLineClearData = true;
                FireLineLimitExceeded(int(FRcvdBuf.size()), FLineClearData);
                if (FLineClearData) {
                    FRcvdBuf.clear();
                    FLineLength = 0;
                }
            }
            break;
        }
        FLineLength = Index + int(FLineEnd.size());
        FLineReceivedFlag = true;
        FLineFound = true;
        while (FLineMode && FLineLength > 0) {
            if (!OnDataAvailable) {
                FRcvdBuf.remove(0, FLineLength);
                FLineLength = 0;
                break;
            }
            const int Before = FLineLength;
            TCustomSocksSocket::FireDataAvailable(0);
            if (FHSocket != Handle)
                return true;
            if (FLineLength == Before) {
                // A handler that reads nothing of the line would be offered
                // it for ever: the line is dropped.
                FRcvdBuf.remove(0, FLineLength);
                FLineLength = 0;
            }
        }
        SearchFrom = 0;
    }
    if (!FLineMode) {
        FLineLength = 0;
        while (!FRcvdBuf.isEmpty() && OnDataAvailable) {
            const int Before = int(FRcvdBuf.size());
            TCustomSocksSocket::FireDataAvailable(0);
            if (FHSocket != Handle || int(FRcvdBuf.size()) == Before)
                break;
        }
    }
    return true;
}

void TCustomLineSocket::HandleMessage(TSocketMessage& Msg)
{
    if (Msg.Msg != WM_TRIGGER_DATA_AVAILABLE) {
        TCustomSocksSocket::HandleMessage(Msg);
        return;
    }
    int Rounds = 0;
    while (!FRcvdBuf.isEmpty()) {
        FLineFound = false;
        const int Before = int(FRcvdBuf.size());
        DeliverLines(0);
        if (FRcvdBuf.isEmpty() || int(FRcvdBuf.size()) == Before)
            break;
        if (FLineMode && !FLineFound && ++Rounds >= 3)
            break;
    }
}

void TCustomLineSocket::FireSessionClosed(quint16 ErrCode)
{
    FLineReceivedFlag = true;
    if (FLineMode && !FRcvdBuf.isEmpty()) {
        // The unterminated last line.
        FLineLength = int(FRcvdBuf.size());
        while (FLineLength > 0) {
            if (!OnDataAvailable)
                break;
            const int Before = FLineLength;
            TCustomSocksSocket::FireDataAvailable(0);
            if (FLineLength == Before)
                break;
        }
    }
    FRcvdBuf.clear();
    FLineLength = 0;
    TCustomSocksSocket::FireSessionClosed(ErrCode);
}

// ---- TCustomSyncSocket ----------------------------------------------------

TCustomSyncSocket::TCustomSyncSocket(QObject* AOwner) : TCustomLineSocket(AOwner) {}

int TCustomSyncSocket::RunAndWait(const std::function<void()>& Proc, bool& Flag)
{
    Flag = false;
    if (Proc)
        Proc();
    return WaitForFlag(Flag);
}

int TCustomSyncSocket::WaitForFlag(bool& Flag)
{
    QDeadlineTimer Stop = FTimeout > 0 ? QDeadlineTimer(FTimeout) : QDeadlineTimer(QDeadlineTimer::Forever);
    while (!Flag) {
        if (FTimeout > 0 && Stop.hasExpired())
            return 12001;
        if (QCoreApplication::closingDown() || FTerminated)
            return 12001;
        // Sleeps until an event arrives (or the time-out passes): no busy
        // loop while nothing happens.
        QTimer Wake;
        if (FTimeout > 0) {
            Wake.setSingleShot(true);
            Wake.start(int(std::max<qint64>(1, Stop.remainingTime())));
        }
        if (auto* D = QThread::currentThread()->eventDispatcher())
            D->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        else
            MessagePump();
    }
    return 0;
}
