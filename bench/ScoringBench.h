#pragma once
// What the live-scoring benchmarks share: a station with one full-contact bout
// (key 1, "60 KİLO ERKEK", three rounds of two minutes) ready for the
// scoreboard, every question answered yes, and the scoreboard's entry dialog
// filled with three judges' names.

#include "BenchSupport.h"

#include "competition/MatchState.h"
#include "platform/display/Display.h"
#include "platform/ui/Messages.h"
#include "scoring/LiveScoring.h"
#include "scoring/Skor.h"
#include "scoring/SkorbGiris.h"

#include <QLineEdit>

#include <memory>

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

// The station comes first; the scoring parts work on its database. `live`
// is made but the bout is not loaded yet: the caller connects what it needs
// and then loads it.
struct ScoreboardBench : BenchStation {
    // `pressJudgeMarks`: the judges also press their marks in the entry
    // dialog, as a station with hand devices asks them to. `privateStation`:
    // the database in WAL mode (BenchStation).
    explicit ScoreboardBench(bool pressJudgeMarks, bool privateStation = false) : BenchStation(privateStation)
    {
        DisplayMode::setBackend(std::make_shared<FixedDisplay>());
        Messages::setHook([](const UiRequest&) { return UiAnswer{true, {}}; });
        ModalRunner::setHook([pressJudgeMarks](QDialog* d) {
            Skorb_giris->Edit1->setText("ALİ");
            Skorb_giris->Edit2->setText("VELİ");
            Skorb_giris->Edit3->setText("CEM");
            for (int judge = 1; pressJudgeMarks && judge <= 3; ++judge) {
                Skorb_giris->markPress(judge, true);
                Skorb_giris->markPress(judge, false);
            }
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
    }
    ~ScoreboardBench()
    {
        live.reset();
        delete Skorb_giris;
        delete Skor;
    }

    MatchState match;
    BenchHost host;
    std::shared_ptr<ManualTimeSource> time = std::make_shared<ManualTimeSource>();
    std::unique_ptr<LiveScoring> live;
};
