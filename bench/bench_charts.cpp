// Speed of the bracket charts for one category of 256 entrants: the chart
// data (slot table, rows, bout numbers and winners) and the line model, and
// the charts laid out into pages, portrait and landscape.
#include "BenchSupport.h"

#include "app/kit/DbConventions.h"
#include "competition/MatchState.h"
#include "platform/ui/Messages.h"
#include "reports/PrintMenu2D.h"
#include "reports/PrintMenu2D_1.h"
#include "scoring/BracketChartData.h"
#include "scoring/KuraDraw.h"
#include "scoring/RandomSource.h"
#include "scoring/SlotTable.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

const QString kChartBenchBranch = QStringLiteral("60 KİLO ERKEK BÜYÜKLER");

// A station with one drawn category of 256 entrants, for the whole run.
struct ChartBenchStation {
    ChartBenchStation()
    {
        Database& db = station.db;
        Transaction tx(db);
        for (int i = 0; i < 256; ++i) {
            const int key = Counters::next(db, "sayi1");
            db.insert("C_LISTE", {{"Liste_Key", key}, {"Brans", kChartBenchBranch}, {"Onay", 1},
                                  {"Ad", QString("SPORCU %1").arg(key)}, {"Sira", Counters::next(db, "sayi3")},
                                  {"Musteri_Key", key}, {"Bolge", QString("İL %1").arg(i % 81)}, {"Klup", "KULÜP"},
                                  {"Cinsiyet", "ERKEK"}, {"Puan", 0}});
        }
        tx.commit();
        match.FScoringStation = 1;
        SeededRandom random(1);
        KuraDraw draw(db, match, random);
        draw.KuraCek(kChartBenchBranch, "ERKEK");
    }
    BenchStation station;
    MatchState match;
};

ChartBenchStation& chartStation()
{
    static ChartBenchStation s;
    return s;
}

void BM_ChartDataAndModel(benchmark::State& st)
{
    ChartBenchStation& s = chartStation();
    const bool landscape = st.range(0) == 1;
    BracketChart::Options o;
    o.points = landscape;
    int rows = 0;
    for (auto _ : st) {
        SlotTable::build(s.station.db, s.match, kChartBenchBranch, "ERKEK", landscape);
        const BracketChart::BoutTable bouts =
            BracketChartData::boutTable(s.station.db, kChartBenchBranch, "ERKEK", o, landscape);
        const QList<BracketChart::Row> model =
            landscape ? BracketChart::landscape(BracketChartData::landscapeLines(s.station.db, s.match, o),
                                                s.match.FSlotCount, bouts)
                      : BracketChart::portrait(BracketChartData::portraitLines(s.match, o), s.match.FSlotCount, bouts);
        rows = int(model.size());
        benchmark::DoNotOptimize(model);
    }
    st.counters["rows"] = rows;
}
BENCHMARK(BM_ChartDataAndModel)->Arg(0)->Arg(1)->ArgNames({"landscape"})->Unit(benchmark::kMillisecond);

void BM_PortraitChartLaidOut(benchmark::State& st)
{
    ChartBenchStation& s = chartStation();
    TPrintMenu2D chart;
    int pages = 0;
    for (auto _ : st) {
        BracketChartData::fillPortrait(s.station.db, s.match, kChartBenchBranch, "ERKEK", {}, "BAŞLIK", chart);
        pages = chart.ReportBody1.run().pageCount();
    }
    st.counters["pages"] = pages;
}
BENCHMARK(BM_PortraitChartLaidOut)->Unit(benchmark::kMillisecond);

void BM_LandscapeChartLaidOut(benchmark::State& st)
{
    ChartBenchStation& s = chartStation();
    TPrintMenu2D_1 chart;
    int pages = 0;
    for (auto _ : st) {
        BracketChartData::fillLandscape(s.station.db, s.match, kChartBenchBranch, "ERKEK", {}, "BAŞLIK", chart);
        pages = chart.ReportBody1.run().pageCount();
    }
    st.counters["pages"] = pages;
}
BENCHMARK(BM_LandscapeChartLaidOut)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    BenchSupport::offscreenUnlessSet();
    QApplication app(argc, argv);
    Messages::setHook([](const UiRequest&) { return UiAnswer{true, {}}; });
    return BenchSupport::runBenchmarks(argc, argv);
}
