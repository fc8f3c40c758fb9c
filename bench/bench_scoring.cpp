// Live scoring speed: scoring events through the whole path (the operation,
// the round record, the bout row written with full synchronisation, the
// scoreboard's controls updated and painted), as events per second and as
// the median and 99th-percentile time of one event.
#include "BenchSupport.h"

#include "competition/MatchState.h"
#include "platform/display/Display.h"
#include "platform/ui/Messages.h"
#include "scoring/LiveScoring.h"
#include "scoring/Skor.h"
#include "scoring/SkorbGiris.h"

#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

// The match screen's bout list, always on the bout being scored.
class BenchHost : public LiveScoringHost {
public:
    bool boutListOpen() const override { return true; }
    int currentBoutKey() const override { return 1; }
    bool locateBout(int) override { return true; }
    void reloadBoutList(int) override {}
};

class FixedDisplay : public DisplayBackend {
public:
    QSize currentSize() override { return {1024, 768}; }
    bool changeSize(const QSize&) override { return true; }
};

// The station comes first; the scoring parts work on its database.
struct Bench : BenchStation {
    Bench()
    {
        DisplayMode::setBackend(std::make_shared<FixedDisplay>());
        Messages::setHook([](const UiRequest&) { return UiAnswer{true, {}}; });
        ModalRunner::setHook([](QDialog* d) {
            Skorb_giris->Edit1->setText("ALİ");
            Skorb_giris->Edit2->setText("VELİ");
            Skorb_giris->Edit3->setText("CEM");
            d->close();
            return true;
        });
        Skor = new TSkor;
        Skorb_giris = new TSkorb_giris;
        match.FScoringStation = 1;
        match.FRestrictedUser = 0;
        QVariantMap row{{"Kura_Key", 1}, {"Brans", "60 KİLO ERKEK"}, {"Cinsiyet", "ERKEK"}, {"Tur", "FİNAL"},
                        {"Sira", "1"}, {"Ad1", "AHMET"}, {"Sira1", 11}, {"Bolge1", "ANKARA"}, {"Ad2", "BEKİR"},
                        {"Sira2", 12}, {"Bolge2", "İZMİR"}, {"Galip", ""}, {"Salon", ""}, {"Puan1", 0},
                        {"Puan2", 0}, {"Foul1", 0}, {"Foul2", 0}, {"Raunt", 1}, {"Raunt_Say", 3},
                        {"n_time", "00:02:00"}, {"d_time", "00:02:00"}};
        for (const char* c : {"H1M", "H2M", "H3M", "H1K", "H2K", "H3K", "C1M", "C2M", "C3M", "C1K", "C2K", "C3K"})
            row.insert(c, 0);
        db.insert("C_KURA", row);
        live = std::make_unique<LiveScoring>(db, match, host, time);
        live->MsabakayEkranaYkle1Click();
        QApplication::processEvents();
    }
    ~Bench()
    {
        live.reset();
        delete Skorb_giris;
        delete Skor;
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

    MatchState match;
    BenchHost host;
    std::shared_ptr<ManualTimeSource> time = std::make_shared<ManualTimeSource>();
    std::unique_ptr<LiveScoring> live;
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
