#pragma once
// Live scoring of one bout: the bout opened on the scoreboard, its clock with
// rounds and breaks, the judges' points and the penalties with the round
// record, the decision with the winner's advancement, and the copy of the
// decided bouts into the main station's database.
//
// One LiveScoring lives beside the match screen for the whole run. It keeps
// the live values of the open bout (clock, round, the three judges' cards,
// the penalty counts, the totals), shows them on the scoreboard Skor and
// writes every change into the bout's C_KURA row before the operation
// returns. One scoring event (a key, a device code, a clock tick that saves,
// a decision with its advancement) is one transaction with one commit at the
// database's full synchronisation: a power cut never loses a point that was
// shown, and never keeps half of an event (a Minus without its three cards).
//
// The match screen hosts it:
//   - it implements LiveScoringHost (its bout list, its list area, the
//     columns of its grid, its link button) and hands over its MatchState;
//   - it embeds GroupBox2 (" Skorboard Kontrol ": the judge and penalty
//     selector and the operator's buttons) in its window;
//   - its FormActivate calls activate() (after its own skip and open-bout
//     checks), its commands call MsabakayEkranaYkle1Click (open the current
//     bout; also the bout grid's double click), SkorboardSfrla1Click (reset
//     the current bout's scores) and SkorbTestDefault, and its FormClose
//     calls matchScreenClosing().
// The scoreboard's keys reach the operations here directly.
//
// The scoring device and the judges' mice come in through ScoringInputs;
// without them a bout is opened and scored from the operator's keys.

#include "scoring/BoutScore.h"
#include "scoring/BoutTime.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <array>
#include <memory>

class Database;
class MatchState;
class MediaPlayer;
class QGroupBox;
class QRadioButton;
class QToolButton;
class QWidget;
class TSkor;
class TSkorb_giris;

// What live scoring needs of the match screen.
class LiveScoringHost {
public:
    virtual ~LiveScoringHost() = default;
    // The bout list (Query2): open, and the Kura_Key of its current row (0
    // when it has none).
    virtual bool boutListOpen() const = 0;
    virtual int currentBoutKey() const = 0;
    // The list's current row is being edited; postBoutListEdit stores it.
    virtual bool boutListEditing() const { return false; }
    virtual void postBoutListEdit() {}
    // The list area shows a ring's bouts ("Ringler") instead of a branch's.
    virtual bool listShowsRings() const { return false; }
    // The bout grid's clock column n_time is hidden.
    virtual bool boutClockColumnHidden() const { return false; }
    // Puts the bout list on the bout; true when it is then its current row.
    virtual bool locateBout(int boutKey) = 0;
    // Reopens the bout list and puts it back on the bout.
    virtual void reloadBoutList(int boutKey) = 0;
    // Reloads the ring list (and the bout list when it shows a ring).
    virtual void reloadRingList() {}
    // Shows or hides the bout grid's columns Hakem, Puan1, Puan2, Raunt,
    // n_time and Karar.
    virtual void setScoringColumnsVisible(bool visible) { Q_UNUSED(visible) }
    // Shows or hides "Bağlantı" (BitBtn15).
    virtual void setLinkButtonVisible(bool visible) { Q_UNUSED(visible) }
    // The station link check of the match screen.
    virtual void MusVarSenkron() {}
    // The match screen's window (the display switch keeps its place).
    virtual QWidget* matchScreen() const { return nullptr; }
};

// The judges' and the operator's devices: the serial scoring device and the
// judges' USB mice. The default has none attached.
class ScoringInputs {
public:
    virtual ~ScoringInputs() = default;
    // The device port: open it and send the device its opening sequence.
    virtual void openDevice() {}
    virtual void closeDevice() {}
    // Raw input of the judges' mice.
    virtual void registerMice() {}
    virtual void removeMice() {}
    // Whether hand boxes are attached that the judges can test before a bout.
    virtual bool handBoxesAttached() const { return false; }
};

class LiveScoring : public QObject {
    Q_OBJECT
public:
    // The scoreboard and the settings dialog default to the program's own
    // (Skor, Skorb_giris). The time source defaults to 1 s QTimers.
    LiveScoring(Database& db, MatchState& match, LiveScoringHost& host, std::shared_ptr<TimeSource> time = {},
                TSkor* scoreboard = nullptr, TSkorb_giris* settings = nullptr);
    ~LiveScoring() override;

    // One scoring event: what it writes is stored in one transaction,
    // begun at its first write and committed when the outermost event ends
    // (events opened inside it join it). An event that fails is rolled back
    // and the live values go back to the stored ones.
    //
    //   LiveScoring::Event event(live);   // e.g. one device code
    //   live.select(judge);
    //   live.SpeedButton9Click();
    class Event {
    public:
        explicit Event(LiveScoring& live);
        ~Event() noexcept(false);
        Event(const Event&) = delete;
        Event& operator=(const Event&) = delete;

    private:
        LiveScoring& m_live;
        bool m_outer;
        int m_exceptions;
    };

    void setInputs(std::shared_ptr<ScoringInputs> inputs);
    ScoringInputs* inputs() const { return m_inputs.get(); }
    // The scoreboard and the settings dialog this live scoring works on.
    TSkor* scoreboard() const;
    TSkorb_giris* settingsDialog() const;
    // Replaces the time source (null: 1 s QTimers again); the bout clock and
    // the break countdown stop. Tests move the clock by hand this way when
    // live scoring belongs to the match screen.
    void setTimeSource(std::shared_ptr<TimeSource> time);

    // --- The live values of the open bout ----------------------------------
    struct Values {
        int clock = 0;              // remaining seconds shown in n_time
        int round = 0;              // Raunt
        BoutCards cards;            // judges' points, penalty counts, totals
        QString sira1, sira2;       // back numbers
        QString ad1, ad2;           // names
        QString brans;              // category as stored
    };
    const Values& values() const { return m_v; }
    QString clockText() const { return ClockText::format(m_v.clock); }
    int openBoutKey() const;
    bool boutOpen() const;

    // --- Fields of the live bout state ---------------------------------------
    int FSemiContact = 0;
    QString FBoutDuration = "00:02:00";
    QString FExtraDuration = "00:01:00";
    int FFoulLimit = 15;
    int FExitLimit = 15;
    int FSaveTick = 0;
    int FRoundEndSave = 0;
    int FTestMode = 0;
    int FDeviceLive = 0;
    int FMiceLive = 0;
    int FBoutEnded = 0;
    int FBoutDecided = 0;
    int FAwaitingJudgeDecision = 0;
    std::array<int, 3> FJudgeLocks{};
    std::array<int, 3> FLastRoundWinners{};
    int FWinnerSide = 0;
    QString FDecision;
    int FExtraRound = 0;
    std::array<int, 4> FConvertedWarnings{};    // blue Foul, blue Exit, red Foul, red Exit
    // What the second and the third warning of each kind did (same order as
    // FConvertedWarnings): 0 not known (given before this opening), 1 the
    // offender lost a point, 2 the opponent got one. Taking a warning back
    // undoes exactly that.
    std::array<std::array<int, 2>, 4> FWarningEffects{};
    QStringList FRoundFields;                   // the last record split by Analiz

    // Fields the match screen's activation sets.
    int FSerialDevice = 1;
    int FDevicePortFailed = 0;
    int FMiceMode = 0;
    int FMiceLinked = 0;
    int FSignalSound = 0;
    int FStopSound = 0;
    QString FRingWord = QStringLiteral("RİNG");
    int FPointGap = 10;
    QString FProgramFolder = QStringLiteral("C:\\CO\\QVX_PROG\\");
    QString FMainDatabasePath = QStringLiteral("M:\\QVX_PROG\\Fdr.mdb");
    // Scoreboard orientation: 1 blue on the left, 0 mirrored. Stays across
    // bouts.
    int FNormalSides = 1;
    int FHomePending = 1;
    unsigned FMarkColour = 0x2A2A2A;
    unsigned FLoserColour = 0xA6A6A6;
    QString FPointBarChar = "n";
    QString FPenaltyBarChar = "n";

    // --- The match screen's " Skorboard Kontrol " group ----------------------
    QGroupBox* GroupBox2;
    QRadioButton* RadioButton3;     // "Puan": no judge, no penalty
    QRadioButton* RadioButton4;     // "H1/Mi": judge 1 / Minus
    QRadioButton* RadioButton5;     // "H2/Fo": judge 2 / Foul
    QRadioButton* RadioButton6;     // "H3/Ex": judge 3 / Exit
    QToolButton* SpeedButton1;      // start
    QToolButton* SpeedButton2;      // stop
    QToolButton* SpeedButton3;      // next round
    QToolButton* SpeedButton4;      // round back
    QToolButton* SpeedButton5;      // blue penalty +
    QToolButton* SpeedButton6;      // blue penalty -
    QToolButton* SpeedButton7;      // red penalty +
    QToolButton* SpeedButton8;      // red penalty -
    QToolButton* SpeedButton9;      // blue point + on the judge's card
    QToolButton* SpeedButton10;     // blue point -
    QToolButton* SpeedButton11;     // red point +
    QToolButton* SpeedButton12;     // red point -
    QToolButton* SpeedButton13;     // end of bout
    MediaPlayer* MediaPlayer1;      // "C:\CO\Sinyal.wav"
    MediaPlayer* MediaPlayer2;      // "C:\CO\Stop.wav"

    // The bout clock and the break countdown.
    std::unique_ptr<SecondTicker> Timer1;
    std::unique_ptr<SecondTicker> Timer2;

    // The selector: 0 "Puan", 1..3 judge 1..3 or Minus, Foul, Exit.
    void select(int which);
    int selected() const;
    void selectPenalty(Penalty kind) { select(int(kind) + 1); }

public Q_SLOTS:
    // --- The match screen's part ---------------------------------------------
    // The live-scoring steps of the match screen's activation: records the
    // scoreboard's home positions once, loads the sounds, resets the idle
    // state and works out the program folder.
    void activate();
    // The match screen closes: the scoreboard is closed without a second
    // question, the clock stopped, the device closed and the sounds released.
    void matchScreenClosing();
    // Opens the bout list's current bout on the scoreboard.
    void MsabakayEkranaYkle1Click();
    // Resets the scores of the bout list's current bout.
    void SkorboardSfrla1Click();
    void MusBilgiGoster();
    void SkorbTestDefault();
    void SerialPortAc();
    void EkranDegis();

    // --- Clock ------------------------------------------------------------
    void SpeedButton1Click();   // start
    void SpeedButton2Click();   // stop
    void SpeedButton3Click();   // next round
    void SpeedButton4Click();   // round number minus one
    void Timer1Timer();
    void Timer2Timer();
    void n_time_save();

    // --- Points and penalties ---------------------------------------------
    void SpeedButton9Click();   // blue +1 on the selected judge's card
    void SpeedButton10Click();  // blue -1
    void SpeedButton11Click();  // red +1
    void SpeedButton12Click();  // red -1
    void SpeedButton5Click();   // blue penalty of the selected kind +1
    void SpeedButton6Click();   // blue penalty -1
    void SpeedButton7Click();   // red penalty +1
    void SpeedButton8Click();   // red penalty -1
    void PuanHesap();

    // --- Semi-contact points ------------------------------------------------
    void M_Arti_Puan(int n);
    void K_Arti_Puan(int n);
    void M_Eksi_Puan(int n);
    void K_Eksi_Puan(int n);
    void PuanSemi_Yaz();
    void IlaveRound();

    // --- Decision ---------------------------------------------------------
    void SonucDeg();
    void SpeedButton13Click();  // end of bout
    void X_Tus_Ok();            // the scoreboard's "OK"
    void KazananIlan();
    void MusServeraIsle();

public:
    // The current round's record into the fields of a row write; nothing
    // for rounds other than 1 to 4.
    void RoundKayit(QVariantMap& fields) const;

    // How long a scoring key and the clock's save wait for another
    // station's lock (ms): the scoreboard never freezes on a lock.
    static constexpr int kScoringBusyWait = 1000;
    static constexpr int kClockBusyWait = 100;
    static QString notStoredMessage();
    // A clock save waiting for the database (another station's lock).
    bool clockSavePending() const { return m_pendingClockKey != 0; }
    void Analiz(const QString& record);

    // The scoreboard closes (TSkor.FormClose): whether the close must be
    // confirmed first, and the close itself.
    bool closeNeedsConfirmation() const;
    void scoreboardClosed();

private:
    struct Side;
    bool judgePoint(bool blue, int delta, bool checkLock);
    // A point from the selected judge; while his vote is asked it settles the bout.
    void judgeVote(bool blue);
    // One second off the clock shown; false when it already stands at zero.
    bool tickDown();
    void penaltyPlus(bool blue);
    void penaltyMinus(bool blue);
    void semiPoints(bool blue, int delta);
    void warningGiven(bool blue, Penalty kind);
    void warningTakenBack(bool blue, Penalty kind);
    // Writes the changed columns of the open bout's row. True when it was
    // written: the values are then the live ones. False when it could not
    // be (a lock past the short wait, a failure, the row gone): the operator
    // has been told and the values stay as stored; the caller stops.
    bool store(const Values& next, const QStringList& columns, bool withRecord);
    // Before a write of the current event: its transaction begins.
    void eventWrite();
    // Commits what the current event wrote so far (before a message box or
    // the copy to the main database, so that no lock is held meanwhile).
    void settleEvent();
    // The current event failed: its writes are rolled back and the live
    // values are the stored ones again.
    void abandonEvent();
    // Starts a ticker with the countdown taken from the monotonic clock.
    void runTicker(SecondTicker& ticker);
    // The clock's save that met another station's lock waits here and is
    // tried again at the next tick or change, without freezing the
    // scoreboard.
    void retryClockSave();
    bool saveClockFields(int boutKey, const QVariantMap& fields);
    void show();                // every live value onto the scoreboard
    void drawMarks();           // bars, differences, penalty marks, boxes, colours
    void setStatus(const QString& text, const QColor& colour);
    void hideWinnerEntry();
    void startBreakOrDecide();
    void endBreak(bool playSounds);
    void stopTimers();
    bool clockAtZero() const { return m_v.clock <= 0; }
    void playSignal();
    void stopSignal();
    QString judgeName(int judge) const;
    void layOutFor(bool semi);
    QString regionFor(const class Record& row, int side) const;
    QString clubFor(const class Record& row, int side) const;
    void showFlag(int side, const QString& region, bool* english);
    void homeLefts();
    // The program's scoreboard and settings dialog when none were given
    // (they may be created after live scoring).
    void bind();
    void placeLeadMarks();

    Database& m_db;
    MatchState& s;
    LiveScoringHost& m_host;
    std::shared_ptr<TimeSource> m_time;
    std::shared_ptr<ScoringInputs> m_inputs;
    QPointer<QGroupBox> m_group;
    QPointer<TSkor> m_skor;
    QPointer<TSkorb_giris> m_dialog;
    Values m_v;
    int m_writes = 0;
    // The event under way: whether one is, whether its transaction is open,
    // and the live values it started from.
    bool m_inEvent = false;
    bool m_eventWriting = false;
    struct EventStart {
        Values values;
        std::array<int, 4> converted{};
        std::array<std::array<int, 2>, 4> effects{};
    } m_eventStart;
    Countdown m_countdown;
    int m_pendingClockKey = 0;
    QVariantMap m_pendingClockFields;
};
