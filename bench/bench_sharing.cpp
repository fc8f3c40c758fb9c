// Stations sharing one database file: counters and person saves per second
// with one and with four processes of the load helper (tools/share-load) on
// one file. The figures include starting the processes.
#include "BenchSupport.h"

#include <QCoreApplication>
#include <QProcess>

#include <memory>
#include <vector>

namespace {

void runSharingLoad(benchmark::State& state, const char* what, int perProcess)
{
    const int processes = int(state.range(0));
    const QString helper = QCoreApplication::applicationDirPath() + "/../tools/brivex-share-load";
    qint64 done = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto station = std::make_unique<BenchStation>();
        const QString file = station->db.hostPath();
        station->db.close();
        state.ResumeTiming();
        std::vector<std::unique_ptr<QProcess>> running;
        for (int i = 0; i < processes; ++i) {
            auto p = std::make_unique<QProcess>();
            p->start(helper, {what, file, QString::number(perProcess)});
            running.push_back(std::move(p));
        }
        for (auto& p : running) {
            p->waitForFinished(-1);
            if (p->exitCode() != 0)
                state.SkipWithError(p->readAllStandardError().constData());
        }
        done += qint64(processes) * perProcess;
    }
    state.counters[QString("%1_per_s").arg(what).toStdString()] =
        benchmark::Counter(double(done), benchmark::Counter::kIsRate);
}

void BM_SharedCounters(benchmark::State& state)
{
    runSharingLoad(state, "counters", 500);
}
BENCHMARK(BM_SharedCounters)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SharedPersonSaves(benchmark::State& state)
{
    runSharingLoad(state, "persons", 100);
}
BENCHMARK(BM_SharedPersonSaves)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return BenchSupport::runBenchmarks(argc, argv);
}
