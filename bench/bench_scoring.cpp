// Live scoring speed: scoring events through the whole path (the operation,
// the round record, the bout row written with full synchronisation, the
// scoreboard's controls updated and painted), as events per second and as
// the median and 99th-percentile time of one event.
#include "ScoringBench.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

// The station comes first; the scoring parts work on its database.
struct Bench : ScoreboardBench {
    Bench() : ScoreboardBench(false)
    {
        live->MsabakayEkranaYkle1Click();
        QApplication::processEvents();
    }

    // One scoring event of a rotation that never reaches a limit: judges'
    // points for both sides and a Foul given and taken back.
    void event(int n)
    {
        switch (n % 8) {
        case 0: live->select(1); live->SpeedButton9Click(); break;
        case 1: live->select(2); live->SpeedButton11Click(); break;
        case 2: live->select(3); live->SpeedButton9Click(); break;
        case 3: live->selectPenalty(Foul); live->SpeedButton7Click(); break;
        case 4: live->select(1); live->SpeedButton11Click(); break;
        case 5: live->selectPenalty(Foul); live->SpeedButton8Click(); break;
        case 6: live->select(2); live->SpeedButton10Click(); break;
        default: live->select(3); live->SpeedButton12Click(); break;
        }
        // The scoreboard paints what changed.
        QApplication::processEvents();
    }
};

void BM_ScoringEvents(benchmark::State& state)
{
    Bench bench;
    using Clock = std::chrono::steady_clock;
    std::vector<double> micros;
    micros.reserve(size_t(state.max_iterations));
    int n = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        bench.event(n++);
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
    BenchSupport::reportPercentiles(state, micros);
}
BENCHMARK(BM_ScoringEvents)->Iterations(2000)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    BenchSupport::offscreenUnlessSet();
    QApplication app(argc, argv);
    return BenchSupport::runBenchmarks(argc, argv);
}
