// A ring computer that decides one bout on its own database and dies the
// moment the decision is stored, before the copy to the main database: the
// test of the copy that was cut off starts it.
//
//   ring_decision_writer DATA_ROOT BOUT_KEY
//
// DATA_ROOT is the ring station's data root (its "DBQ" names its own
// database on drive C, drive M: is mapped to the main computer's folder).
// The bout is opened on the scoreboard and won by blue by "KO". The match
// screen's station link check, which the copy runs first, kills the process
// with SIGKILL. Lines written:
//
//   open        the bout is on the scoreboard
//   deciding    the operator's "OK" is about to be pressed
//
// Exit code 3 when the process was not killed (the copy was reached some
// other way), 1 when the bout did not open.
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
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <csignal>
#include <cstdio>
#include <memory>

#include <unistd.h>

namespace {

class RingDecisionHost : public LiveScoringHost {
public:
    explicit RingDecisionHost(int key) : m_key(key) {}
    bool boutListOpen() const override { return true; }
    int currentBoutKey() const override { return m_key; }
    bool locateBout(int key) override { return key == m_key; }
    void reloadBoutList(int) override {}
    void MusVarSenkron() override
    {
        if (armed)
            ::kill(::getpid(), SIGKILL);
    }
    bool armed = false;

private:
    int m_key;
};

class RingDecisionDisplay : public DisplayBackend {
public:
    QSize currentSize() override { return {1024, 768}; }
    bool changeSize(const QSize&) override { return true; }
};

void ringDecisionSay(const char* line)
{
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: ring_decision_writer DATA_ROOT BOUT_KEY\n");
        return 2;
    }
    DriveMap::setDataRoot(QString::fromLocal8Bit(argv[1]));
    Registry::reload();
    const int key = QByteArray(argv[2]).toInt();
    Database db;
    db.open(RegistryValues::dbq());

    DisplayMode::setBackend(std::make_shared<RingDecisionDisplay>());
    Messages::setHook([](const UiRequest& r) {
        std::fprintf(stderr, "MESSAGE %s\n", qPrintable(r.text));
        return UiAnswer{};
    });
    ModalRunner::setHook([](QDialog* d) {
        Skorb_giris->Edit1->setText("ALİ");
        Skorb_giris->Edit2->setText("VELİ");
        Skorb_giris->Edit3->setText("CEM");
        Skorb_giris->BitBtn4->click();
        if (d->isVisible())
            d->close();
        return true;
    });
    Skor = new TSkor;
    Skorb_giris = new TSkorb_giris;
    MatchState match;
    match.FScoringStation = 1;
    RingDecisionHost host(key);
    auto time = std::make_shared<ManualTimeSource>();
    LiveScoring live(db, match, host, time);
    live.activate();
    live.MsabakayEkranaYkle1Click();
    if (!live.boutOpen()) {
        std::fprintf(stderr, "the bout did not open\n");
        return 1;
    }
    ringDecisionSay("open");

    live.SpeedButton13Click();
    Skor->ComboBox1->setCurrentIndex(0);
    Skor->ComboBox2->setCurrentIndex(Skor->ComboBox2->findText("KO"));
    host.armed = true;
    ringDecisionSay("deciding");
    live.X_Tus_Ok();
    return 3;
}
