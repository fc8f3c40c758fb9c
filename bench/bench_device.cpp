// The scoring device's way to the scoreboard: one byte written by the device
// on the far side of a pseudo-terminal ("COM7") until the point it gives is
// stored in the bout row and shown on the scoreboard, as the median and the
// 99th percentile of single presses. Beside each press, in the same process
// and on the same file, the bare durable update of the journal mode
// (BareUpdate), and the ratios of the two.
//
//   build-release/bench/bench_device
#include "ScoringBench.h"

#include "app/comport/SerialPort.h"
#include "platform/input/MouseInput.h"
#include "platform/settings/PortMap.h"
#include "scoring/ScoringDevices.h"

#include <QApplication>
#include <QLabel>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// A station with a full-contact bout open on the scoreboard, its device on a
// pseudo-terminal, the clock running.
struct DeviceBench : ScoreboardBench {
    DeviceBench() : ScoreboardBench(true)
    {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
            return;
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
        PortMap::setDevice("COM7", QString::fromLocal8Bit(name));
        port.setBaudRate(br9600);
        port.setDiscardNull(true);
        port.FlowControl()->setControlDTR(dtrEnable);
        port.setPort("COM7");
        devices = std::make_shared<ScoringDevices>(*live, &port, std::make_shared<ManualMouseSource>());
        live->setInputs(devices);
        live->activate();
        live->MsabakayEkranaYkle1Click();
        live->SpeedButton1Click();
        QApplication::processEvents();
        drain();
    }
    ~DeviceBench()
    {
        live.reset();
        devices.reset();
        port.ClosePort();
        if (master >= 0)
            ::close(master);
        if (slave >= 0)
            ::close(slave);
    }

    bool ready() const { return master >= 0 && Skor && Skor->isVisible() && live->Timer1->isEnabled(); }

    // What the program sent to the device (the opening sequences).
    void drain() const
    {
        char buf[256];
        while (::read(master, buf, sizeof buf) > 0) {
        }
    }

    // Judge `judge` presses his blue button; returns when the point is in
    // the bout row and on the scoreboard.
    void press(int judge)
    {
        QLabel* shown[3] = {Skor->Label25, Skor->Label26, Skor->Label27};
        const QString want = QString::number(++points[judge - 1]);
        const char code = char(judge);
        while (::write(master, &code, 1) != 1) {
            pollfd p{master, POLLOUT, 0};
            poll(&p, 1, 10);
        }
        while (shown[judge - 1]->text() != want)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }

    int master = -1;
    int slave = -1;
    TSerialPort port;
    std::shared_ptr<ScoringDevices> devices;
    int points[3] = {0, 0, 0};
};

void BM_DeviceByteToStoredAndShownPoint(benchmark::State& state)
{
    DeviceBench bench;
    if (!bench.ready()) {
        state.SkipWithError("no pseudo-terminal or the bout did not open");
        return;
    }
    BenchSupport::BareUpdate bare(bench.db);
    if (!bare.ready()) {
        state.SkipWithError("no SQLite handle for the bare update");
        return;
    }
    std::vector<double> micros;
    micros.reserve(size_t(state.max_iterations));
    int n = 0;
    for (auto _ : state) {
        // The baseline interleaved with the presses, so both see the same disk.
        bare.once();
        const Clock::time_point start = Clock::now();
        bench.press(n++ % 3 + 1);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        micros.push_back(seconds * 1e6);
        state.SetIterationTime(seconds);
    }
    // Every press is in the row.
    const auto row = bench.db.first("select H1M, H2M, H3M from C_KURA where Kura_Key = 1");
    if (!row || row->toInt("H1M") != bench.points[0] || row->toInt("H2M") != bench.points[1] ||
        row->toInt("H3M") != bench.points[2])
        state.SkipWithError("the bout row misses presses");
    state.SetItemsProcessed(int64_t(state.iterations()));
    BenchSupport::reportAgainstBare(state, micros, bare);
}
BENCHMARK(BM_DeviceByteToStoredAndShownPoint)->Iterations(1000)->Unit(benchmark::kMicrosecond)->UseManualTime();

} // namespace

int main(int argc, char** argv)
{
    BenchSupport::offscreenUnlessSet();
    QApplication app(argc, argv);
    return BenchSupport::runBenchmarks(argc, argv);
}
