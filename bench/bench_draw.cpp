// Speed of the draw on a station database file: one category of 256
// entrants, and a whole tournament of 2,000 athletes in 100 categories with
// the time per category (goal: the tournament under 1 s), on a shared
// station's database (DELETE journal) and on a private one's (WAL). Each
// category is drawn in one transaction; beside the draw, in the same process
// and on the same file, the bare durable update of the journal mode
// (BareUpdate), and the time of one category in bare updates.
//
//   build-release/bench/bench_draw
#include "BenchSupport.h"

#include "app/kit/DbConventions.h"
#include "competition/MatchState.h"
#include "platform/ui/Messages.h"
#include "scoring/KuraDraw.h"
#include "scoring/RandomSource.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

// A fresh station in a temporary data root for the whole run, shared (0) or
// private (1).
BenchStation& station(int privateStation)
{
    static BenchStation shared(false);
    static BenchStation own(true);
    return privateStation ? own : shared;
}

// The bare update's median, over 500 of them on the station's file.
void drawBaseline(benchmark::State& st, Database& db, double secondsPerUnit, const char* name)
{
    BenchSupport::BareUpdate bare(db);
    if (!bare.ready())
        return;
    bare.run(500);
    std::vector<double>& b = bare.micros;
    std::sort(b.begin(), b.end());
    const double median = b[b.size() / 2];
    st.counters["bare_median_us"] = median;
    st.counters[name] = secondsPerUnit * 1e6 / median;
    st.SetLabel(bare.mode.toStdString());
}

// Adds `count` approved athletes to a weight class, spread over the 81
// provinces the way a national championship is.
void addAthletes(Database& db, const QString& branch, int count, std::mt19937& chance)
{
    Transaction tx(db);
    std::uniform_int_distribution<int> province(1, 81);
    for (int i = 0; i < count; ++i) {
        const int key = Counters::next(db, "sayi1");
        db.insert("C_LISTE", {{"Liste_Key", key},
                              {"Brans", branch},
                              {"Onay", 1},
                              {"Ad", QString("SPORCU %1").arg(key)},
                              {"Sira", Counters::next(db, "sayi3")},
                              {"Musteri_Key", key},
                              {"Bolge", QString("İL %1").arg(province(chance))},
                              {"Klup", "KULÜP"},
                              {"Cinsiyet", "ERKEK"},
                              {"Puan", 1}});
    }
    tx.commit();
}

void BM_DrawOneCategory(benchmark::State& st)
{
    Database& db = station(int(st.range(1))).db;
    const int entrants = int(st.range(0));
    MatchState match;
    match.FScoringStation = 1;
    std::mt19937 chance(1);
    SeededRandom random(1);
    KuraDraw draw(db, match, random);
    int run = 0;
    double drawSeconds = 0;
    for (auto _ : st) {
        st.PauseTiming();
        const QString branch = QString("%1 KİLO ERKEK TEK %2").arg(entrants).arg(++run);
        addAthletes(db, branch, entrants, chance);
        st.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(draw.KuraCek(branch, "ERKEK"));
        drawSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    st.counters["bouts"] = double(db.scalar("select count(*) from C_KURA where Brans = :b",
                                            {{"b", QString("%1 KİLO ERKEK TEK %2").arg(entrants).arg(run)}})
                                      .toInt());
    drawBaseline(st, db, drawSeconds / double(std::max<int64_t>(1, st.iterations())), "in_bare_updates");
}
// Arguments: entrants, and 0 a shared station (DELETE) or 1 a private one (WAL).
BENCHMARK(BM_DrawOneCategory)->ArgNames({"entrants", "private"})->Args({256, 0})->Args({256, 1})->Unit(benchmark::kMillisecond);

void BM_DrawTournament(benchmark::State& st)
{
    Database& db = station(int(st.range(0))).db;
    const int categories = 100;
    const int athletes = 2000;
    db.exec("delete * from C_KURA");
    db.exec("delete * from C_LISTE");
    std::mt19937 chance(2);
    for (int c = 0; c < categories; ++c)
        addAthletes(db, QString("%1 KİLO ERKEK TURNUVA").arg(40 + c), athletes / categories, chance);
    MatchState match;
    match.FScoringStation = 1;
    SeededRandom random(2);
    KuraDraw draw(db, match, random);
    draw.confirm = [](const QString&) { return true; };
    double drawSeconds = 0;
    for (auto _ : st) {
        st.PauseTiming();
        db.exec("delete * from C_KURA");
        st.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        draw.drawAll();
        drawSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    st.counters["categories"] = categories;
    st.counters["bouts"] = db.scalar("select count(*) from C_KURA").toDouble();
    // Seconds per category, shown in the time unit of the run.
    st.counters["per_category"] =
        benchmark::Counter(categories, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    drawBaseline(st, db, drawSeconds / double(std::max<int64_t>(1, st.iterations())) / categories,
                 "category_in_bare_updates");
}
// Argument: 0 a shared station (DELETE), 1 a private one (WAL).
BENCHMARK(BM_DrawTournament)->ArgName("private")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The draw reports by message boxes; here nobody reads them.
    Messages::setHook([](const UiRequest&) { return UiAnswer{true, {}}; });
    return BenchSupport::runBenchmarks(argc, argv);
}
