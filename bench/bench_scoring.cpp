// Live scoring speed: scoring events through the whole path (the operation,
// the round record, the bout row written with full synchronisation, the
// scoreboard's controls updated and painted), as events per second and as
// the median and 99th-percentile time of one event, on a shared station's
// database (DELETE journal) and on a private one's (WAL). Beside each event,
// in the same process and on the same file, the bare durable update of the
// journal mode (BareUpdate), and the ratios of the two: one event is one
// commit, so its median is meant to stay within 1.2 times the bare update's.
// The event's time is also given in its two parts: "stored_median_us", from
// the key until the event is committed and the controls are set, and
// "paint_median_us", the scoreboard painting what changed. BM_EventWriteAlone
// times the storing of an event without the scoreboard: one transaction with
// the bout row's update, against the same baseline.
//
//   build-release/bench/bench_scoring
#include "ScoringBench.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace {

// The station comes first; the scoring parts work on its database.
struct Bench : ScoreboardBench {
    explicit Bench(bool privateStation) : ScoreboardBench(false, privateStation)
    {
        live->MsabakayEkranaYkle1Click();
        QApplication::processEvents();
    }

    // One scoring event of a rotation that never reaches a limit: judges'
    // points for both sides, a Foul given and taken back, and a Minus (the
    // penalty and all three judges' cards) given and taken back.
    // Returns the time of the painting alone, in microseconds.
    double event(int n)
    {
        switch (n % 10) {
        case 8: live->selectPenalty(Minus); live->SpeedButton5Click(); break;
        case 9: live->selectPenalty(Minus); live->SpeedButton6Click(); break;
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
        const auto start = std::chrono::steady_clock::now();
        QApplication::processEvents();
        return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    }
};

// Runs `event(n)` once per iteration, each beside one bare update (the two
// interleaved, so both see the same disk), and reports the event's times
// against the baseline. `event` returns the microseconds of its painting, if
// it paints: then the stored and painting parts are reported apart.
template <class Event>
void runBesideBare(benchmark::State& state, Bench& bench, bool paints, Event event)
{
    BenchSupport::BareUpdate bare(bench.db);
    if (!bare.ready()) {
        state.SkipWithError("no SQLite handle for the bare update");
        return;
    }
    using Clock = std::chrono::steady_clock;
    std::vector<double> micros, stored, painted;
    micros.reserve(size_t(state.max_iterations));
    stored.reserve(size_t(state.max_iterations));
    painted.reserve(size_t(state.max_iterations));
    int n = 0;
    for (auto _ : state) {
        bare.once();
        const Clock::time_point start = Clock::now();
        const double paint = event(n++);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        micros.push_back(seconds * 1e6);
        stored.push_back(seconds * 1e6 - paint);
        painted.push_back(paint);
        state.SetIterationTime(seconds);
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
    BenchSupport::reportAgainstBare(state, micros, bare);
    std::sort(stored.begin(), stored.end());
    std::sort(painted.begin(), painted.end());
    if (paints && !stored.empty()) {
        state.counters["stored_median_us"] = stored[stored.size() / 2];
        state.counters["paint_median_us"] = painted[painted.size() / 2];
    }
}

void BM_ScoringEvents(benchmark::State& state)
{
    Bench bench(state.range(0) == 1);
    runBesideBare(state, bench, true, [&](int n) { return bench.event(n); });
}

// The storing of an event alone: one transaction through the program's
// database layer with the bout row's update of a judge's point (the columns
// and the round record an event writes), beside the bare update.
void BM_EventWriteAlone(benchmark::State& state)
{
    Bench bench(state.range(0) == 1);
    runBesideBare(state, bench, false, [&](int n) {
        bench.db.begin();
        bench.db.update("C_KURA",
                        {{"Puan1", n % 2}, {"Puan2", 0}, {"H1K", n}, {"H2K", 0}, {"H3K", 0}, {"H1M", 0}, {"H2M", 0},
                         {"H3M", 0}, {"R1", QString("%1;0;0;0;0;0;0;0;0;0;0;0").arg(n)}},
                        "Kura_Key = :w_k", {{"w_k", 1}});
        bench.db.commit();
        return 0.0;
    });
}

// Argument 0: a shared station (DELETE), 1: a private station (WAL).
BENCHMARK(BM_EventWriteAlone)->ArgName("private")->Arg(0)->Arg(1)->Iterations(2000)->Unit(benchmark::kMicrosecond)->UseManualTime();
BENCHMARK(BM_ScoringEvents)->ArgName("private")->Arg(0)->Arg(1)->Iterations(2000)->Unit(benchmark::kMicrosecond)->UseManualTime();

} // namespace

int main(int argc, char** argv)
{
    BenchSupport::offscreenUnlessSet();
    QApplication app(argc, argv);
    return BenchSupport::runBenchmarks(argc, argv);
}
