// The socket component on loopback: bytes per second of TAsyncSocket against
// a plain blocking POSIX socket pair on the same machine, and line events per
// second of line mode.
#include "BenchSupport.h"

#include "exchange/net/AsyncSocket.h"

#include <QCoreApplication>

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int benchNetBlock = 64 * 1024;
constexpr int64_t benchNetTotal = 64LL * 1024 * 1024;

double benchNetBlockingSeconds(int Rounds);

// A connected pair of TAsyncSocket objects: Client connects, Server adopts
// the accepted handle.
struct BenchNetPair {
    TAsyncSocket listener;
    TAsyncSocket server;
    TAsyncSocket client;

    BenchNetPair()
    {
        listener.SetAddr(QStringLiteral("127.0.0.1"));
        listener.SetPort(QStringLiteral("0"));
        listener.Listen();
        listener.OnSessionAvailable = [this](TCustomAsyncSocket* S, quint16) {
            const WinSock::TSocket H = S->Accept();
            S->Close();
            server.Dup(H);
        };
        client.SetAddr(QStringLiteral("127.0.0.1"));
        client.SetPort(listener.GetBoundPort());
        client.Connect();
        while (server.State() != skConnected || client.State() != skConnected)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
};

void BM_AsyncSocketThroughput(benchmark::State& state)
{
    BenchNetPair Pair;
    int64_t Received = 0;
    Pair.server.OnDataAvailable = [&](TCustomAsyncSocket* S, quint16) {
        char Buf[benchNetBlock];
        const int N = S->Receive(Buf, sizeof Buf);
        if (N > 0)
            Received += N;
    };
    const QByteArray Block(benchNetBlock, 'x');
    int64_t Queued = 0;
    // Keeps a few blocks in the queue: more goes in as the queue drains.
    Pair.client.OnDataSent = [&](TCustomAsyncSocket* S, quint16) {
        if (Queued < benchNetTotal) {
            S->SendStr(Block);
            Queued += Block.size();
        }
    };
    const auto Start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        Received = 0;
        Queued = Block.size();
        Pair.client.SendStr(Block);
        while (Received < benchNetTotal)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    const double Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    state.SetBytesProcessed(state.iterations() * benchNetTotal);
    // Speed against the blocking pair moving the same bytes just now.
    const double Blocking = benchNetBlockingSeconds(int(state.iterations()));
    if (Seconds > 0)
        state.counters["ratio_to_blocking"] = Blocking / Seconds;
}
BENCHMARK(BM_AsyncSocketThroughput)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same amount through a blocking POSIX pair: a writer thread and a
// reader, no event loop. Rounds transfers; the seconds they took.
double benchNetBlockingSeconds(int Rounds)
{
    const int L = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in A{};
    A.sin_family = AF_INET;
    A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(L, reinterpret_cast<sockaddr*>(&A), sizeof A);
    ::listen(L, 1);
    socklen_t Len = sizeof A;
    ::getsockname(L, reinterpret_cast<sockaddr*>(&A), &Len);
    const int C = ::socket(AF_INET, SOCK_STREAM, 0);
    ::connect(C, reinterpret_cast<sockaddr*>(&A), sizeof A);
    const int S = ::accept(L, nullptr, nullptr);
    std::vector<char> Buf(benchNetBlock, 'x');
    const auto Start = std::chrono::steady_clock::now();
    for (int Round = 0; Round < Rounds; ++Round) {
        std::thread Writer([&] {
            int64_t Sent = 0;
            while (Sent < benchNetTotal) {
                const ssize_t N = ::send(C, Buf.data(), Buf.size(), 0);
                if (N <= 0)
                    break;
                Sent += N;
            }
        });
        std::vector<char> In(benchNetBlock);
        int64_t Got = 0;
        while (Got < benchNetTotal) {
            const ssize_t N = ::recv(S, In.data(), In.size(), 0);
            if (N <= 0)
                break;
            Got += N;
        }
        Writer.join();
    }
    const double Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    ::close(C);
    ::close(S);
    ::close(L);
    return Seconds;
}

void BM_BlockingSocketThroughput(benchmark::State& state)
{
    for (auto _ : state)
        benchNetBlockingSeconds(1);
    state.SetBytesProcessed(state.iterations() * benchNetTotal);
}
BENCHMARK(BM_BlockingSocketThroughput)->Unit(benchmark::kMillisecond)->UseRealTime();

// Lines of 60 bytes sent in blocks; each line is one data event.
void BM_LineModeEvents(benchmark::State& state)
{
    BenchNetPair Pair;
    Pair.server.SetLineMode(true);
    int64_t Lines = 0;
    Pair.server.OnDataAvailable = [&](TCustomAsyncSocket* S, quint16) {
        char Buf[256];
        if (S->Receive(Buf, sizeof Buf) > 0)
            ++Lines;
    };
    QByteArray Block;
    const QByteArray Line = QByteArray(58, 'l') + "\r\n";
    for (int I = 0; I < 1000; ++I)
        Block += Line;
    constexpr int64_t LinesPerRound = 100000;
    for (auto _ : state) {
        Lines = 0;
        for (int64_t Sent = 0; Sent < LinesPerRound; Sent += 1000)
            Pair.client.SendStr(Block);
        while (Lines < LinesPerRound)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    state.SetItemsProcessed(state.iterations() * LinesPerRound);
}
BENCHMARK(BM_LineModeEvents)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return BenchSupport::runBenchmarks(argc, argv);
}
