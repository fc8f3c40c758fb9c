#pragma once
// A station with the scoreboard, the bout settings dialog and live scoring on
// a stand-in of the match screen, a clock that moves only when the test says
// so, a display whose mode the test reads, and the sounds recorded.

#include "ScoringFixture.h"

#include "app/dialogs/Form5.h"
#include "app/dialogs/SifreCheck.h"
#include "platform/display/Display.h"
#include "platform/media/MediaPlayer.h"
#include "scoring/LiveScoring.h"
#include "scoring/MainDatabaseCopy.h"
#include "scoring/ScoreboardWidgets.h"
#include "scoring/Skor.h"
#include "scoring/SkorbGiris.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

// The match screen as live scoring sees it: a bout list showing one branch
// (or ring), with a current bout.
class FakeMatchScreen : public LiveScoringHost {
public:
    explicit FakeMatchScreen(Database& db) : m_db(db) {}

    bool listOpen = true;
    int current = 0;
    QString shownBranch = kBranch;     // the branch the list shows ("" = every bout)
    bool rings = false;
    bool editing = false;
    bool posted = false;
    bool columnsVisible = true;
    bool linkVisible = true;
    int listReloads = 0;
    int ringReloads = 0;
    int linkChecks = 0;

    bool boutListOpen() const override { return listOpen; }
    int currentBoutKey() const override { return listOpen ? current : 0; }
    bool boutListEditing() const override { return editing; }
    void postBoutListEdit() override { posted = true; editing = false; }
    bool listShowsRings() const override { return rings; }
    bool locateBout(int key) override
    {
        const auto row = m_db.first("select Brans from C_KURA where Kura_Key = :k", {{"k", key}});
        if (!row || (!shownBranch.isEmpty() && row->str("Brans") != shownBranch))
            return false;
        current = key;
        return true;
    }
    void reloadBoutList(int key) override
    {
        ++listReloads;
        current = key;
    }
    void reloadRingList() override { ++ringReloads; }
    void setScoringColumnsVisible(bool visible) override { columnsVisible = visible; }
    void setLinkButtonVisible(bool visible) override { linkVisible = visible; }
    void MusVarSenkron() override { ++linkChecks; }
    QWidget* matchScreen() const override { return window; }

    QWidget* window = nullptr;

private:
    Database& m_db;
};

// A display that switches at once and remembers every switch.
class FakeDisplay : public DisplayBackend {
public:
    explicit FakeDisplay(QSize start) : size(start) {}
    QSize currentSize() override { return size; }
    bool changeSize(const QSize& s) override
    {
        changes << s;
        size = s;
        return true;
    }
    QSize size;
    QList<QSize> changes;
};

// A sound asked for, with the clock and the round at that moment.
struct SoundEvent {
    MediaPlayer::Request::Kind kind;
    QString file;
    QString clock;
    int round;
};

struct Side {
    QString name;
    QVariant number;
    QString region = "ANKARA";
    QString club = "KULÜP";
};

// What the operator types into the bout settings dialog.
struct Settings {
    QString referee = "ORTA HAKEM";
    QString judge1 = "ALİ";
    QString judge2 = "VELİ";
    QString judge3 = "CEM";
    QString duration;       // "" keeps the proposal
    QString breakTime;
    QString rounds;
    QString ring;
    QString match;
    int display = 1;        // 1 region, 2 club, 3 nothing
};

// A bout row ready for scoring, as the draw and the reset leave it: both
// sides, three rounds of two minutes, every score 0.
inline void insertBout(Database& db, int key, const Side& blue, const Side& red, const QString& tur = "YARI FİNAL",
                       const QString& sira = "1", const QString& branch = kBranch, const QVariantMap& extra = {})
{
    QVariantMap row{{"Kura_Key", key},     {"Brans", branch},         {"Cinsiyet", kMen},
                    {"Tur", tur},          {"Sira", sira},            {"Grup", "A"},
                    {"Ad1", blue.name},    {"Sira1", blue.number},    {"Bolge1", blue.region},
                    {"Klup1", blue.club},  {"Tip1", blue.number.isNull() ? QVariant() : QVariant("AD")},
                    {"Ad2", red.name},     {"Sira2", red.number},     {"Bolge2", red.region},
                    {"Klup2", red.club},   {"Tip2", red.number.isNull() ? QVariant() : QVariant("AD")},
                    {"Galip", ""},         {"Salon", ""},             {"Tar_Saat", ""},
                    {"Skor", ""},          {"Hakem", ""},             {"Karar", ""},
                    {"H1", ""},            {"H2", ""},                {"H3", ""},
                    {"R1", ""},            {"R2", ""},                {"R3", ""},
                    {"R4", ""},            {"Puan1", 0},              {"Puan2", 0},
                    {"Foul1", 0},          {"Foul2", 0},              {"Raunt", 1},
                    {"Raunt_Say", 3},      {"n_time", "00:02:00"},    {"d_time", "00:02:00"},
                    {"ex_time", "00:01:00"}};
    for (const char* c : {"H1M", "H2M", "H3M", "H1K", "H2K", "H3K", "C1M", "C2M", "C3M", "C1K", "C2K", "C3K"})
        row.insert(c, 0);
    for (auto it = extra.constBegin(); it != extra.constEnd(); ++it)
        row.insert(it.key(), it.value());
    db.insert("C_KURA", row);
}

// The bout settings dialog that opening a bout shows next, filled in and
// accepted.
inline void answerSettings(const Settings& s = {})
{
    modals().expect("TSkorb_giris", [s](QDialog*) {
        TSkorb_giris* d = Skorb_giris;
        d->Edit8->setText(s.referee);
        d->Edit1->setText(s.judge1);
        d->Edit2->setText(s.judge2);
        d->Edit3->setText(s.judge3);
        if (!s.duration.isEmpty())
            d->Edit4->setText(s.duration);
        if (!s.breakTime.isEmpty())
            d->Edit5->setText(s.breakTime);
        if (!s.rounds.isEmpty())
            d->Edit6->setText(s.rounds);
        if (!s.ring.isEmpty())
            d->Edit10->setText(s.ring);
        if (!s.match.isEmpty())
            d->Edit9->setText(s.match);
        (s.display == 1 ? d->RadioButton1 : s.display == 2 ? d->RadioButton2 : d->RadioButton3)->setChecked(true);
        click(d->BitBtn4);
    });
}

class LiveTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        state = std::make_unique<MatchState>();
        state->FScoringStation = 1;
        state->FRestrictedUser = 0;
        display = std::make_shared<FakeDisplay>(QSize(1280, 1024));
        DisplayMode::setBackend(display);
        time = std::make_shared<ManualTimeSource>();
        match = std::make_unique<FakeMatchScreen>(db);
        writeFile(host("C:\\CO\\Sinyal.wav"), "RIFF");
        writeFile(host("C:\\CO\\Stop.wav"), "RIFF");
        live = std::make_unique<LiveScoring>(db, *state, *match, time);
        MediaPlayer::setHook([this](const MediaPlayer::Request& r) {
            if (r.kind == MediaPlayer::Request::Play || r.kind == MediaPlayer::Request::Stop)
                sounds.push_back({r.kind, r.fileName.section('\\', -1), live ? live->clockText() : QString(),
                                  live ? live->values().round : 0});
        });
        live->activate();
        Skorb_giris->resetTestMarks();
    }

    void TearDown() override
    {
        if (Skor && Skor->isVisible())
            Skor->closeUnasked();
        live.reset();
        MediaPlayer::setHook({});
        DisplayMode::setBackend(nullptr);
        ScreensTest::TearDown();
    }

    Record bout(int key)
    {
        const auto r = db.first("select * from C_KURA where Kura_Key = :k", {{"k", key}});
        EXPECT_TRUE(r.has_value()) << "no bout " << key;
        return r.value_or(Record());
    }

    // A bout ready for scoring, as the draw and the reset leave it.
    void addBout(int key, const Side& blue, const Side& red, const QString& tur = "YARI FİNAL",
                 const QString& sira = "1", const QString& branch = kBranch, const QVariantMap& extra = {})
    {
        insertBout(db, key, blue, red, tur, sira, branch, extra);
    }

    // The bout of two athletes most tests score: key 1, blue AHMET (11) of
    // ANKARA, red BEKİR (12) of İZMİR.
    void addStandardBout(const QVariantMap& extra = {}, const QString& branch = kBranch)
    {
        addBout(1, {"AHMET", 11, "ANKARA", "ANKARA SPOR"}, {"BEKİR", 12, "İZMİR", "İZMİR SPOR"}, "YARI FİNAL", "1",
                branch, extra);
    }


    // Opens the bout on the scoreboard with the settings dialog accepted.
    void openBout(int key) { openBout(key, Settings{}); }
    void openBout(int key, const Settings& s)
    {
        match->current = key;
        answerSettings(s);
        live->MsabakayEkranaYkle1Click();
    }

    // Keys pressed on the scoreboard.
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(Skor, k, mods); }

    // One point on a judge's card (judge 1..3), as the hand boxes give it.
    void judgePoint(int judge, bool blue)
    {
        live->select(judge);
        blue ? live->SpeedButton9Click() : live->SpeedButton11Click();
    }
    void judgePointOff(int judge, bool blue)
    {
        live->select(judge);
        blue ? live->SpeedButton10Click() : live->SpeedButton12Click();
    }

    // The operator's winner entry on the scoreboard: side 0 blue, 1 red, 2
    // "EVEN".
    void decide(int side, const QString& decision)
    {
        key(Qt::Key_X);
        Skor->ComboBox1->setCurrentIndex(side);
        Skor->ComboBox2->setCurrentIndex(Skor->ComboBox2->findText(decision));
        click(Skor->BitBtn1);
    }

    QStringList soundNames(MediaPlayer::Request::Kind kind) const
    {
        QStringList names;
        for (const SoundEvent& e : sounds)
            if (e.kind == kind)
                names << e.file + "@" + e.clock;
        return names;
    }

    std::unique_ptr<MatchState> state;
    std::shared_ptr<FakeDisplay> display;
    std::shared_ptr<ManualTimeSource> time;
    std::unique_ptr<FakeMatchScreen> match;
    std::unique_ptr<LiveScoring> live;
    std::vector<SoundEvent> sounds;
};
