#pragma once
// What the benchmarks share: a fresh station in a temporary data root, the
// median and 99th percentile of timed events, and the run of the registered
// benchmarks from main().

#include "app/Station.h"
#include "platform/db/Database.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"

#include <QTemporaryDir>
#include <QtGlobal>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

// A new station (settings, drive map, the database with its tables and seed
// rows) in a temporary data root, with its own connection to the database.
struct BenchStation {
    BenchStation()
    {
        DriveMap::setDataRoot(dir.path());
        Registry::reload();
        Station::init();
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
