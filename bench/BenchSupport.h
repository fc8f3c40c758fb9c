#pragma once
// What the benchmarks share: a fresh station in a temporary data root, the
// median and 99th percentile of timed events, and the run of the registered
// benchmarks from main().

#include "app/Station.h"
#include "platform/db/Database.h"
#include "platform/db/JournalMode.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"

#include <QSqlDriver>
#include <QTemporaryDir>
#include <QtGlobal>

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <vector>

// A new station (settings, drive map, the database with its tables and seed
// rows) in a temporary data root, with its own connection to the database.
// A private station's database is in WAL mode, a shared one's in DELETE mode.
struct BenchStation {
    explicit BenchStation(bool privateStation = false)
    {
        DriveMap::setDataRoot(dir.path());
        Registry::reload();
        Station::init();
        if (privateStation)
            Station::makePrivate();
        db.open(Station::kDefaultDatabase);
    }
    QTemporaryDir dir;
    Database db;
};

namespace BenchSupport {

// Windows need a platform: the offscreen one, unless the caller names another.
inline void offscreenUnlessSet()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The counters "median_us" and "p99_us" of event times in microseconds.
inline void reportPercentiles(benchmark::State& state, std::vector<double>& micros)
{
    std::sort(micros.begin(), micros.end());
    if (!micros.empty()) {
        state.counters["median_us"] = micros[micros.size() / 2];
        state.counters["p99_us"] = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
    }
}

// The baseline of every benchmark that writes the database: the bare durable
// SQLite update of the database's journal mode. One row of a table of its
// own, updated by one prepared statement and committed alone, in the same
// file as the benchmark's writes (the same disk, the same journal mode and
// synchronisation), with nothing of the program around it.
class BareUpdate {
public:
    explicit BareUpdate(Database& db)
    {
        const QVariant handle = db.connection().driver()->handle();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
            m_handle = *static_cast<sqlite3* const*>(handle.constData());
        if (!m_handle)
            return;
        sqlite3_exec(m_handle, "create table if not exists BENCH_BARE (n integer); delete from BENCH_BARE; "
                               "insert into BENCH_BARE (n) values (0)",
                     nullptr, nullptr, nullptr);
        sqlite3_prepare_v2(m_handle, "update BENCH_BARE set n = n + 1", -1, &m_update, nullptr);
        mode = JournalMode::current(db);
    }
    ~BareUpdate() { sqlite3_finalize(m_update); }
    BareUpdate(const BareUpdate&) = delete;
    BareUpdate& operator=(const BareUpdate&) = delete;

    bool ready() const { return m_update != nullptr; }
    // One update; its time in microseconds is kept.
    void once()
    {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point start = Clock::now();
        sqlite3_step(m_update);
        sqlite3_reset(m_update);
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    void run(int count)
    {
        for (int i = 0; i < count; ++i)
            once();
    }

    QString mode;                   // "DELETE" or "WAL"
    std::vector<double> micros;

private:
    sqlite3* m_handle = nullptr;
    sqlite3_stmt* m_update = nullptr;
};

// The counters of the baseline beside the benchmark's own: "bare_median_us",
// "bare_p99_us", and "median_ratio" and "p99_ratio" (the benchmark's times
// over the baseline's). The label names the journal mode.
inline void reportAgainstBare(benchmark::State& state, std::vector<double>& micros, BareUpdate& bare)
{
    reportPercentiles(state, micros);
    std::vector<double>& b = bare.micros;
    std::sort(b.begin(), b.end());
    if (micros.empty() || b.empty())
        return;
    const double median = micros[micros.size() / 2];
    const double p99 = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
    const double bareMedian = b[b.size() / 2];
    const double bareP99 = b[std::min(b.size() - 1, b.size() * 99 / 100)];
    state.counters["bare_median_us"] = bareMedian;
    state.counters["bare_p99_us"] = bareP99;
    state.counters["median_ratio"] = median / std::max(1e-9, bareMedian);
    state.counters["p99_ratio"] = p99 / std::max(1e-9, bareP99);
    state.SetLabel(bare.mode.toStdString());
}

// Runs the benchmarks the command line selects; main()'s exit code.
inline int runBenchmarks(int& argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}
