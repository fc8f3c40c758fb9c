// A station's scorer that the kill test starts and kills: it opens bout 1 of
// the station's database on the scoreboard and applies scoring events until
// it is killed, acknowledging each one on its standard output once the
// operation has returned.
//
//   scoring_event_writer DATA_ROOT DATABASE_FILE FIRST_EVENT
//
// The events run through a cycle of sixteen Minus penalties (each one a
// penalty count and all three judges' cards): four to blue, four to red, then
// the four of each taken back. Event n is the cycle's step n % 16, so a new
// run goes on where the killed one stopped. Lines written:
//
//   ready MINUS_POINTS
//   ack N|C1M|C1K|H1M|H2M|H3M|H1K|H2K|H3K|Puan1|Puan2|R1
//
// the ack with the bout row as stored after event N.
#include "competition/MatchState.h"
#include "platform/db/Database.h"
#include "platform/display/Display.h"
#include "platform/paths/DriveMap.h"
#include "platform/settings/Registry.h"
#include "platform/ui/Messages.h"
#include "scoring/LiveScoring.h"
#include "scoring/Skor.h"
#include "scoring/SkorbGiris.h"

#include <QApplication>
#include <QLineEdit>

#include <cstdio>
#include <memory>

#include <unistd.h>

namespace {

class EventWriterHost : public LiveScoringHost {
public:
    bool boutListOpen() const override { return true; }
    int currentBoutKey() const override { return 1; }
    bool locateBout(int) override { return true; }
    void reloadBoutList(int) override {}
};

class EventWriterDisplay : public DisplayBackend {
public:
    QSize currentSize() override { return {1024, 768}; }
    bool changeSize(const QSize&) override { return true; }
};

void eventWriterSay(const QByteArray& line)
{
    const QByteArray text = line + "\n";
    qsizetype done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, text.constData() + done, size_t(text.size() - done));
        if (n <= 0)
            return;
        done += n;
    }
}

// One step of the cycle: which side, given or taken back.
void eventWriterApply(LiveScoring& live, int n)
{
    const int step = n % 16;
    live.selectPenalty(Minus);
    if (step < 4)
        live.SpeedButton5Click();
    else if (step < 8)
        live.SpeedButton7Click();
    else if (step < 12)
        live.SpeedButton6Click();
    else
        live.SpeedButton8Click();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: scoring_event_writer DATA_ROOT DATABASE_FILE FIRST_EVENT\n");
        return 2;
    }
    DriveMap::setDataRoot(QString::fromLocal8Bit(argv[1]));
    Registry::reload();
    Database db;
    db.open(QString::fromLocal8Bit(argv[2]));
    const int first = QByteArray(argv[3]).toInt();

    DisplayMode::setBackend(std::make_shared<EventWriterDisplay>());
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
    MatchState match;
    match.FScoringStation = 1;
    EventWriterHost host;
    auto time = std::make_shared<ManualTimeSource>();
    LiveScoring live(db, match, host, time);
    live.MsabakayEkranaYkle1Click();
    if (!live.boutOpen()) {
        std::fprintf(stderr, "the bout did not open\n");
        return 1;
    }
    eventWriterSay("ready " + QByteArray::number(match.FMinusPoints()));
    for (int n = first;; ++n) {
        eventWriterApply(live, n);
        const auto row = db.first("select C1M, C1K, H1M, H2M, H3M, H1K, H2K, H3K, Puan1, Puan2, R1 "
                                  "from C_KURA where Kura_Key = 1");
        QByteArray line = "ack " + QByteArray::number(n);
        for (const QVariant& v : row->values())
            line += "|" + v.toString().toUtf8();
        eventWriterSay(line);
    }
}
