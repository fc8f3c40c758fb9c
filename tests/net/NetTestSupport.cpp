#include "NetTestSupport.h"

#include "support/LoopWait.h"

#include <QCoreApplication>

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace NetTest {

bool waitFor(const std::function<bool()>& Cond)
{
    return LoopWait::until(Cond);
}

void spin(int Rounds)
{
    for (int I = 0; I < Rounds; ++I) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

int freePort()
{
    const int S = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in A{};
    A.sin_family = AF_INET;
    A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(S, reinterpret_cast<sockaddr*>(&A), sizeof A);
    socklen_t L = sizeof A;
    ::getsockname(S, reinterpret_cast<sockaddr*>(&A), &L);
    ::close(S);
    return ntohs(A.sin_port);
}

Peer::~Peer()
{
    close();
    if (FListen >= 0)
        ::close(FListen);
}

int Peer::listen()
{
    FListen = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    const int On = 1;
    ::setsockopt(FListen, SOL_SOCKET, SO_REUSEADDR, &On, sizeof On);
    sockaddr_in A{};
    A.sin_family = AF_INET;
    A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(FListen, reinterpret_cast<sockaddr*>(&A), sizeof A);
    ::listen(FListen, 8);
    socklen_t L = sizeof A;
    ::getsockname(FListen, reinterpret_cast<sockaddr*>(&A), &L);
    return ntohs(A.sin_port);
}

bool Peer::accept()
{
    return waitFor([this] {
        FConn = ::accept4(FListen, nullptr, nullptr, SOCK_NONBLOCK);
        return FConn >= 0;
    });
}

bool Peer::connectTo(int Port)
{
    FConn = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in A{};
    A.sin_family = AF_INET;
    A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    A.sin_port = htons(uint16_t(Port));
    const bool Ok = ::connect(FConn, reinterpret_cast<sockaddr*>(&A), sizeof A) == 0;
    ::fcntl(FConn, F_SETFL, ::fcntl(FConn, F_GETFL) | O_NONBLOCK);
    return Ok;
}

void Peer::send(const QByteArray& Bytes)
{
    int Done = 0;
    waitFor([&] {
        const ssize_t N = ::send(FConn, Bytes.constData() + Done, size_t(Bytes.size() - Done), MSG_NOSIGNAL);
        if (N > 0)
            Done += int(N);
        else if (N < 0 && errno != EAGAIN)
            return true;
        return Done >= Bytes.size();
    });
}

QByteArray Peer::read(int Count)
{
    QByteArray Got;
    waitFor([&] {
        char Buf[65536];
        const ssize_t N = ::recv(FConn, Buf, sizeof Buf < size_t(Count - Got.size()) ? sizeof Buf : size_t(Count - Got.size()), 0);
        if (N > 0)
            Got.append(Buf, int(N));
        else if (N == 0 || errno != EAGAIN)
            return true;
        return Got.size() >= Count;
    });
    return Got;
}

QByteArray Peer::readToEnd()
{
    QByteArray Got;
    waitFor([&] {
        char Buf[65536];
        const ssize_t N = ::recv(FConn, Buf, sizeof Buf, 0);
        if (N > 0)
            Got.append(Buf, int(N));
        return N == 0 || (N < 0 && errno != EAGAIN);
    });
    return Got;
}

bool Peer::closedInOrder()
{
    bool InOrder = false;
    waitFor([&] {
        char Buf[65536];
        const ssize_t N = ::recv(FConn, Buf, sizeof Buf, 0);
        if (N == 0) {
            InOrder = true;
            return true;
        }
        return N < 0 && errno != EAGAIN;
    });
    return InOrder;
}

void Peer::close()
{
    if (FConn >= 0)
        ::close(FConn);
    FConn = -1;
}

void Peer::shutdownWrite()
{
    ::shutdown(FConn, SHUT_WR);
}

void EventLog::attach(TCustomAsyncSocket& S, bool ReadData)
{
    S.OnChangeState = [this](TCustomAsyncSocket*, TSocketState O, TSocketState N) {
        lines << QStringLiteral("state %1>%2").arg(SocketStateName(O), SocketStateName(N));
    };
    S.OnSessionConnected = [this](TCustomAsyncSocket*, quint16 E) { lines << QStringLiteral("connected %1").arg(E); };
    S.OnSessionClosed = [this](TCustomAsyncSocket*, quint16 E) { lines << QStringLiteral("closed %1").arg(E); };
    S.OnDataSent = [this](TCustomAsyncSocket*, quint16 E) { lines << QStringLiteral("sent %1").arg(E); };
    if (ReadData) {
        S.OnDataAvailable = [this](TCustomAsyncSocket* Sender, quint16) {
            char Buf[4096];
            const int N = Sender->Receive(Buf, sizeof Buf);
            if (N > 0) {
                received.append(Buf, N);
                lines << QStringLiteral("data %1").arg(QString::fromLatin1(QByteArray(Buf, N)));
            }
        };
    }
}

} // namespace NetTest
