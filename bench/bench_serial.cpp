// The serial-port component over a pseudo-terminal: how many bytes per second
// reach the received-characters handler on the GUI thread, and how long one
// byte written by the device takes to get there (median and 99th percentile).
//
//   build/bench/bench_serial

#include "BenchSupport.h"

#include "app/comport/SerialPort.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/PortMap.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// A port "COM7" on the slave side of a pseudo-terminal; the master side is
// the device.
struct Line {
    int master = -1;
    int slave = -1;
    TSerialPort port;
    QByteArray received;
    qsizetype wanted = 0;
    QEventLoop* loop = nullptr;
    Clock::time_point arrived;

    Line()
    {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
            return;
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
        PortMap::setDevice("COM7", QString::fromLocal8Bit(name));
        port.setPort("COM7");
        port.FlowControl()->setControlDTR(dtrEnable);
        port.setDiscardNull(true);
        port.OnRxChar = [this](QObject*, int count) {
            QByteArray text;
            port.ReadText(text, count);
            received += text;
            arrived = Clock::now();
            if (received.size() >= wanted && loop)
                loop->quit();
        };
        port.OpenPort();
    }
    ~Line()
    {
        port.ClosePort();
        ::close(master);
        ::close(slave);
    }

    void send(const QByteArray& bytes) const
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master, bytes.constData() + done, size_t(bytes.size() - done));
            if (n > 0) {
                done += n;
            } else {
                pollfd p{master, POLLOUT, 0};
                poll(&p, 1, 100);
            }
        }
    }

    // Runs the GUI thread's event loop until `size` bytes have been received.
    void receive(qsizetype size)
    {
        wanted = size;
        if (received.size() >= wanted)
            return;
        QEventLoop l;
        loop = &l;
        l.exec();
        loop = nullptr;
    }
};

void BM_SerialThroughput(benchmark::State& state)
{
    Line line;
    const QByteArray block(int(state.range(0)), 'x');
    for (auto _ : state) {
        line.received.clear();
        std::thread device([&] { line.send(block); });
        line.receive(block.size());
        device.join();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * block.size());
}
BENCHMARK(BM_SerialThroughput)->Arg(64 * 1024)->Arg(1024 * 1024)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SerialLatency(benchmark::State& state)
{
    Line line;
    std::vector<double> micros;
    micros.reserve(size_t(state.max_iterations));
    for (auto _ : state) {
        line.received.clear();
        const Clock::time_point sent = Clock::now();
        line.send("A");
        line.receive(1);
        micros.push_back(std::chrono::duration<double, std::micro>(line.arrived - sent).count());
    }
    BenchSupport::reportPercentiles(state, micros);
}
BENCHMARK(BM_SerialLatency)->Iterations(2000)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir station;
    DriveMap::setDataRoot(station.path());
    return BenchSupport::runBenchmarks(argc, argv);
}
