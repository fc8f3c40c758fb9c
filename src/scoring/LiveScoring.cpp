// Live scoring: the live values, the scoreboard's display of them, and the
// operations that change points and penalties.
#include "scoring/LiveScoring.h"

#include "app/kit/DbConventions.h"
#include "app/kit/PlacedControls.h"
#include "competition/MatchState.h"
#include "platform/db/Database.h"
#include "platform/media/MediaPlayer.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/Messages.h"
#include "scoring/ScoreboardWidgets.h"
#include "scoring/Skor.h"
#include "scoring/SkorbGiris.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

#include <exception>

using namespace ScoreboardLook;

namespace {

QToolButton* button(QGroupBox* box, const char* name, const QString& caption)
{
    auto* b = PlacedControls::make<QToolButton>(name, caption, box);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

} // namespace

LiveScoring::LiveScoring(Database& db, MatchState& match, LiveScoringHost& host, std::shared_ptr<TimeSource> time,
                         TSkor* scoreboard, TSkorb_giris* settings)
    : m_db(db), s(match), m_host(host), m_time(time ? std::move(time) : std::make_shared<QtTimeSource>()),
      m_inputs(std::make_shared<ScoringInputs>()), m_skor(scoreboard ? scoreboard : Skor),
      m_dialog(settings ? settings : Skorb_giris)
{
    setObjectName("LiveScoring");
    Timer1 = m_time->ticker([this] { Timer1Timer(); });
    Timer2 = m_time->ticker([this] { Timer2Timer(); });
    MediaPlayer1 = new MediaPlayer(this);
    MediaPlayer1->setObjectName("MediaPlayer1");
    MediaPlayer2 = new MediaPlayer(this);
    MediaPlayer2->setObjectName("MediaPlayer2");

    GroupBox2 = new QGroupBox(" Skorboard Kontrol ");
    GroupBox2->setObjectName("GroupBox2");
    auto* grid = new QGridLayout(GroupBox2);
    RadioButton3 = new QRadioButton("Puan", GroupBox2);
    RadioButton3->setObjectName("RadioButton3");
    RadioButton4 = new QRadioButton("H1/Mi", GroupBox2);
    RadioButton4->setObjectName("RadioButton4");
    RadioButton5 = new QRadioButton("H2/Fo", GroupBox2);
    RadioButton5->setObjectName("RadioButton5");
    RadioButton6 = new QRadioButton("H3/Ex", GroupBox2);
    RadioButton6->setObjectName("RadioButton6");
    RadioButton3->setChecked(true);
    grid->addWidget(RadioButton3, 0, 0);
    grid->addWidget(RadioButton4, 0, 1);
    grid->addWidget(RadioButton5, 0, 2);
    grid->addWidget(RadioButton6, 0, 3);
    SpeedButton1 = button(GroupBox2, "SpeedButton1", "Başlat");
    SpeedButton2 = button(GroupBox2, "SpeedButton2", "Durdur");
    SpeedButton3 = button(GroupBox2, "SpeedButton3", "Round +");
    SpeedButton4 = button(GroupBox2, "SpeedButton4", "Round -");
    SpeedButton5 = button(GroupBox2, "SpeedButton5", "Mavi Ceza +");
    SpeedButton6 = button(GroupBox2, "SpeedButton6", "Mavi Ceza -");
    SpeedButton7 = button(GroupBox2, "SpeedButton7", "Kırmızı Ceza +");
    SpeedButton8 = button(GroupBox2, "SpeedButton8", "Kırmızı Ceza -");
    SpeedButton9 = button(GroupBox2, "SpeedButton9", "Mavi Puan +");
    SpeedButton10 = button(GroupBox2, "SpeedButton10", "Mavi Puan -");
    SpeedButton11 = button(GroupBox2, "SpeedButton11", "Kırmızı Puan +");
    SpeedButton12 = button(GroupBox2, "SpeedButton12", "Kırmızı Puan -");
    SpeedButton13 = button(GroupBox2, "SpeedButton13", "Maç Bitir");
    const QList<QToolButton*> buttons{SpeedButton1, SpeedButton2, SpeedButton3,  SpeedButton4,  SpeedButton5,
                                      SpeedButton6, SpeedButton7, SpeedButton8,  SpeedButton9,  SpeedButton10,
                                      SpeedButton11, SpeedButton12, SpeedButton13};
    for (int i = 0; i < buttons.size(); ++i)
        grid->addWidget(buttons[i], 1 + i / 4, i % 4);
    connect(SpeedButton1, &QToolButton::clicked, this, guarded(this, &LiveScoring::SpeedButton1Click));
    connect(SpeedButton2, &QToolButton::clicked, this, guarded(this, &LiveScoring::SpeedButton2Click));
    connect(SpeedButton3, &QToolButton::clicked, this, guarded(this, &LiveScoring::SpeedButton3Click));
    connect(SpeedButton4, &QToolButton::clicked, this, guarded(this, &LiveScoring::SpeedButton4Click));
    connect(SpeedButton5, &QToolButton::clicked, this, guarded(this, &LiveScoring::SpeedButton5Click));
    connect(SpeedButton6, &QToolButton::clicked, this, guarded(this, &LiveScoring::SpeedButton6Click));
    connect(SpeedButton7, &QToolButton::clicked, this, guarded(this, &LiveScoring::SpeedButton7Click));
    connect(SpeedButton8, &QToolButton::clicked, this, guarded(this, &LiveScoring::SpeedButton8Click));
    connect(SpeedButton9, &QToolButton::clicked, this, guarded(this, &LiveScoring::SpeedButton9Click));
    connect(SpeedButton10, &QToolButton::clicked, this, guarded(this, &LiveScoring::SpeedButton10Click));
    connect(SpeedButton11, &QToolButton::clicked, this, guarded(this, &LiveScoring::SpeedButton11Click));
    connect(SpeedButton12, &QToolButton::clicked, this, guarded(this, &LiveScoring::SpeedButton12Click));
    connect(SpeedButton13, &QToolButton::clicked, this, guarded(this, &LiveScoring::SpeedButton13Click));
    GroupBox2->hide();
    m_group = GroupBox2;
}

LiveScoring::~LiveScoring()
{
    Timer1.reset();
    Timer2.reset();
    if (m_skor && m_skor->FLive == this)
        m_skor->FLive = nullptr;
    // The group belongs to the match screen once it is embedded there.
    if (m_group && !m_group->parent())
        delete m_group;
}

void LiveScoring::setInputs(std::shared_ptr<ScoringInputs> inputs)
{
    m_inputs = inputs ? std::move(inputs) : std::make_shared<ScoringInputs>();
}

void LiveScoring::setTimeSource(std::shared_ptr<TimeSource> time)
{
    // The old tickers go before the source they tick on.
    Timer1.reset();
    Timer2.reset();
    m_time = time ? std::move(time) : std::make_shared<QtTimeSource>();
    Timer1 = m_time->ticker([this] { Timer1Timer(); });
    Timer2 = m_time->ticker([this] { Timer2Timer(); });
}

TSkor* LiveScoring::scoreboard() const
{
    return m_skor ? m_skor.data() : Skor;
}

TSkorb_giris* LiveScoring::settingsDialog() const
{
    return m_dialog ? m_dialog.data() : Skorb_giris;
}

int LiveScoring::openBoutKey() const
{
    return m_skor ? m_skor->FOpenBoutKey.toInt() : 0;
}

bool LiveScoring::boutOpen() const
{
    return m_skor && m_skor->FBoutOpen == 1;
}

// ---------------------------------------------------------------------------
// Selector

void LiveScoring::select(int which)
{
    QRadioButton* b[4] = {RadioButton3, RadioButton4, RadioButton5, RadioButton6};
    if (which >= 0 && which <= 3)
        b[which]->setChecked(true);
}

int LiveScoring::selected() const
{
    if (RadioButton4->isChecked())
        return 1;
    if (RadioButton5->isChecked())
        return 2;
    if (RadioButton6->isChecked())
        return 3;
    return 0;
}

// ---------------------------------------------------------------------------
// Match screen

void LiveScoring::homeLefts()
{
    if (!m_skor)
        return;
    const QList<QWidget*> controls = m_skor->mirroredControls();
    CellSection home = s.FHomeLefts();
    for (int i = 0; i < controls.size(); ++i)
        home.set(i + 1, m_skor->FScale.designGeometry(controls[i]).x());
}

void LiveScoring::bind()
{
    if (!m_skor)
        m_skor = Skor;
    if (!m_dialog)
        m_dialog = Skorb_giris;
}

void LiveScoring::activate()
{
    bind();
    if (FHomePending) {
        homeLefts();
        FHomePending = 0;
    }
    FSignalSound = MediaPlayer1->open("C:\\CO\\Sinyal.wav") ? 1 : 0;
    FStopSound = MediaPlayer2->open("C:\\CO\\Stop.wav") ? 1 : 0;
    FRingWord = QStringLiteral("RİNG");
    FPointGap = 10;
    GroupBox2->hide();
    FTestMode = 0;
    FDeviceLive = 0;
    FMiceLive = 0;
    FBoutEnded = 0;
    FBoutDecided = 0;
    FAwaitingJudgeDecision = 0;
    FJudgeLocks = {};
    FExtraRound = 0;
    FProgramFolder = Folders::programFolder();
    FMainDatabasePath = QStringLiteral("M:\\QVX_PROG\\Fdr.mdb");
}

void LiveScoring::matchScreenClosing()
{
    if (boutOpen() && m_skor)
        m_skor->closeUnasked();
    if (m_skor)
        m_skor->FBoutOpen = 0;
    s.FSkipActivate = 0;
    stopTimers();
    if (FSerialDevice)
        m_inputs->closeDevice();
    MediaPlayer1->close();
    MediaPlayer2->close();
    MusBilgiGoster();
}

void LiveScoring::MusBilgiGoster()
{
    m_host.setScoringColumnsVisible(!boutOpen());
}

void LiveScoring::SkorbTestDefault()
{
    bind();
    if (m_dialog)
        m_dialog->resetTestMarks();
}

void LiveScoring::SerialPortAc()
{
    if (FDevicePortFailed)
        return;
    FDeviceLive = 1;
    m_inputs->openDevice();
}

// ---------------------------------------------------------------------------
// The live values on the scoreboard

void LiveScoring::show()
{
    if (!m_skor)
        return;
    TSkor& k = *m_skor;
    const BoutCards& c = m_v.cards;
    k.n_time->setText(ClockText::format(m_v.clock));
    k.Raunt->setText(QString::number(m_v.round));
    QLabel* blue[3] = {k.Label25, k.Label26, k.Label27};
    QLabel* red[3] = {k.Label22, k.Label23, k.Label24};
    QLabel* bluePen[3] = {k.Label28, k.Label29, k.Label30};
    QLabel* redPen[3] = {k.Label31, k.Label32, k.Label33};
    for (int i = 0; i < 3; ++i) {
        blue[i]->setText(QString::number(c.judgeBlue[size_t(i)]));
        red[i]->setText(QString::number(c.judgeRed[size_t(i)]));
        bluePen[i]->setText(QString::number(c.blue[size_t(i)]));
        redPen[i]->setText(QString::number(c.red[size_t(i)]));
    }
    k.Puan1->setText(QString::number(c.puan1));
    k.Puan2->setText(QString::number(c.puan2));
    PuanSemi_Yaz();
    k.Label54->setText(m_v.sira1);
    k.Label55->setText(m_v.sira2);
    k.Ad1->setText(m_v.ad1);
    k.Ad2->setText(m_v.ad2);
    drawMarks();
}

void LiveScoring::PuanSemi_Yaz()
{
    if (!m_skor)
        return;
    m_skor->PuanS1->setText(m_skor->Puan1->text());
    m_skor->PuanS2->setText(m_skor->Puan2->text());
}

namespace {

// The placements below work on design places (ScoreboardScale.h): the
// board's content may be scaled to a larger window.

// A mark line of `count` marks keeps its anchor: a right-aligned line its
// right edge, a left-aligned one its left edge.
void setMarkLine(ScoreboardScale& scale, SymbolLabel* line, int count, const QString& mark)
{
    count = std::max(0, count);
    const int width = SymbolLabel::lineWidth(count);
    const QRect g = scale.designGeometry(line);
    // Most lines stay as they are at a scoring event: no new text for them.
    const QString& shown = line->text();
    if (shown.size() == count * mark.size() && g.width() == width && (count == 0 || shown.startsWith(mark)))
        return;
    const int left = line->alignment() & Qt::AlignRight ? g.x() + g.width() - width : g.x();
    line->setText(mark.repeated(count));
    scale.place(line, QRect(left, g.y(), width, g.height()));
}

// Puts a mark line at an anchor with an alignment.
void anchorMarkLine(ScoreboardScale& scale, SymbolLabel* line, int anchor, Qt::Alignment align)
{
    const QRect g = scale.designGeometry(line);
    line->setAlignment(align | Qt::AlignVCenter);
    scale.place(line, QRect(align & Qt::AlignRight ? anchor - g.width() : anchor, g.y(), g.width(), g.height()));
}

// A number beside a mark line, showing `text`: right-aligned ending at
// `anchor`, or left-aligned beginning there. A number that already shows this
// text there is left as it is (measuring the text costs a text layout, and a
// label touched is painted again).
void placeNumber(ScoreboardScale& scale, QLabel* number, const QString& text, int anchor, bool rightAligned)
{
    const Qt::Alignment align = (rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    const QRect g = scale.designGeometry(number);
    if (number->text() == text && number->alignment() == align &&
        (rightAligned ? g.x() + g.width() : g.x()) == anchor)
        return;
    number->setText(text);
    const int width = QFontMetrics(scale.designFont(number)).horizontalAdvance(text) + 4;
    number->setAlignment(align);
    scale.place(number, QRect(rightAligned ? anchor - width : anchor, g.y(), width, g.height()));
}

} // namespace

void LiveScoring::drawMarks()
{
    if (!m_skor)
        return;
    TSkor& k = *m_skor;
    ScoreboardScale& scale = k.FScale;
    const BoutCards& c = m_v.cards;
    SymbolLabel* blueBars[3] = {k.Label19, k.Label20, k.Label21};
    SymbolLabel* redBars[3] = {k.Label16, k.Label17, k.Label18};
    QLabel* blueNumbers[3] = {k.Label44, k.Label45, k.Label46};
    QLabel* redNumbers[3] = {k.Label41, k.Label42, k.Label43};
    for (int j = 1; j <= 3; ++j) {
        const int d = c.lead(j);
        SymbolLabel* blueBar = blueBars[j - 1];
        SymbolLabel* redBar = redBars[j - 1];
        // Each label is set once to what it shows now (an empty label stays
        // untouched): a label that keeps its text and place is not painted
        // again.
        if (d <= 0)
            blueNumbers[j - 1]->setText(QString());
        if (d >= 0)
            redNumbers[j - 1]->setText(QString());
        setMarkLine(scale, blueBar, d >= 1 ? d : 0, FPointBarChar);
        setMarkLine(scale, redBar, d >= 1 ? 0 : -d, FPointBarChar);
        const int blueX = scale.designGeometry(blueBar).x();
        const int redX = scale.designGeometry(redBar).x();
        const QString number = QString::number(std::abs(d));
        if (d > 0) {
            if (FNormalSides == 1)
                placeNumber(scale, blueNumbers[j - 1], number, blueX - 10, true);
            else
                placeNumber(scale, blueNumbers[j - 1], number, blueX + SymbolLabel::lineWidth(d) + 2, false);
        } else if (d < 0) {
            if (FNormalSides == 1)
                placeNumber(scale, redNumbers[j - 1], number, redX + SymbolLabel::lineWidth(-d) + 2, false);
            else
                placeNumber(scale, redNumbers[j - 1], number, redX - 10, true);
        }
    }

    SymbolLabel* bluePen[3] = {k.Label47, k.Label48, k.Label49};
    SymbolLabel* redPen[3] = {k.Label50, k.Label51, k.Label52};
    for (int i = 0; i < 3; ++i) {
        setMarkLine(scale, bluePen[i], c.blue[size_t(i)], FPenaltyBarChar);
        setMarkLine(scale, redPen[i], c.red[size_t(i)], FPenaltyBarChar);
    }

    const std::array<std::array<MarkCircle*, 4>, 4> rows{{{k.FM1, k.FM2, k.FM3, k.FM4},
                                                          {k.FMF1, k.FMF2, k.FMF3, k.FMF4},
                                                          {k.FK1, k.FK2, k.FK3, k.FK4},
                                                          {k.FKF1, k.FKF2, k.FKF3, k.FKF4}}};
    const int counts[4] = {c.blue[Exit], c.blue[Foul], c.red[Exit], c.red[Foul]};
    for (int r = 0; r < 4; ++r)
        for (int i = 0; i < 4; ++i)
            rows[size_t(r)][size_t(i)]->setFill(i < counts[r] ? bgr(FMarkColour) : White);

    const bool marked = std::abs(c.puan1 - c.puan2) >= FPointGap || c.blue[Foul] >= FFoulLimit ||
                        c.red[Foul] >= FFoulLimit || c.blue[Exit] >= FExitLimit || c.red[Exit] >= FExitLimit;
    setTextColour(k.PuanS1, marked ? Yellow : White);
    setTextColour(k.PuanS2, marked ? Yellow : White);
}

void LiveScoring::PuanHesap()
{
    if (FSemiContact == 0)
        Judging::countVotes(m_v.cards);
    show();
}

void LiveScoring::setStatus(const QString& text, const QColor& colour)
{
    if (!m_skor)
        return;
    m_skor->Label4->setText(text);
    setTextColour(m_skor->Label4, colour);
}

void LiveScoring::hideWinnerEntry()
{
    if (!m_skor)
        return;
    m_skor->ComboBox1->hide();
    m_skor->Label1->hide();
    m_skor->ComboBox2->hide();
    m_skor->BitBtn1->hide();
}

// ---------------------------------------------------------------------------
// Writing the bout row

namespace {

QVariant columnValue(const LiveScoring::Values& v, const QString& column)
{
    const BoutCards& c = v.cards;
    if (column == "Puan1")
        return c.puan1;
    if (column == "Puan2")
        return c.puan2;
    if (column == "Raunt")
        return v.round;
    if (column == "n_time")
        return ClockText::format(v.clock);
    if (column.size() == 3 && column[0] == 'H')
        return (column[2] == 'M' ? c.judgeBlue : c.judgeRed)[size_t(column[1].digitValue() - 1)];
    if (column.size() == 3 && column[0] == 'C')
        return (column[2] == 'M' ? c.blue : c.red)[size_t(column[1].digitValue() - 1)];
    return QVariant();
}

void recordInto(const LiveScoring::Values& v, bool semi, QVariantMap& fields)
{
    const QString column = RoundRecord::column(v.round);
    if (!column.isEmpty())
        fields.insert(column, RoundRecord::compose(v.cards, semi));
}

const QStringList kJudgeColumns{"Puan1", "Puan2", "H1K", "H2K", "H3K", "H1M", "H2M", "H3M"};
const QStringList kPenaltyColumns{"Puan1", "Puan2", "C1K", "C2K", "C3K", "C1M", "C2M", "C3M"};
const QStringList kPointColumns{"Puan1", "Puan2"};

} // namespace

// ---------------------------------------------------------------------------
// Scoring events

LiveScoring::Event::Event(LiveScoring& live)
    : m_live(live), m_outer(!live.m_inEvent), m_exceptions(std::uncaught_exceptions())
{
    if (!m_outer)
        return;
    live.m_inEvent = true;
    live.m_eventStart = {live.m_v, live.FConvertedWarnings, live.FWarningEffects};
}

LiveScoring::Event::~Event() noexcept(false)
{
    if (!m_outer)
        return;
    m_live.m_inEvent = false;
    if (std::uncaught_exceptions() > m_exceptions)
        m_live.abandonEvent();
    else
        m_live.settleEvent();
}

void LiveScoring::eventWrite()
{
    if (!m_inEvent || m_eventWriting)
        return;
    m_db.begin();
    m_eventWriting = true;
}

void LiveScoring::settleEvent()
{
    if (!m_eventWriting)
        return;
    m_eventWriting = false;
    try {
        m_db.commit();
    } catch (...) {
        // The commit failed and was rolled back: nothing of the event is
        // stored, so nothing of it stays on the scoreboard either.
        abandonEvent();
        throw;
    }
    m_eventStart = {m_v, FConvertedWarnings, FWarningEffects};
}

void LiveScoring::abandonEvent()
{
    if (m_eventWriting) {
        m_eventWriting = false;
        try {
            m_db.rollback();
        } catch (...) {
        }
    }
    m_v = m_eventStart.values;
    FConvertedWarnings = m_eventStart.converted;
    FWarningEffects = m_eventStart.effects;
    try {
        if (boutOpen())
            show();
    } catch (...) {
    }
}

bool LiveScoring::store(const Values& next, const QStringList& columns, bool withRecord)
{
    QVariantMap fields;
    for (const QString& c : columns)
        fields.insert(c, columnValue(next, c));
    if (withRecord)
        recordInto(next, FSemiContact == 1, fields);
    // The change is on disk before the scoreboard shows it. A change that
    // cannot be stored is not shown, and the operator hears of it at once:
    // the wait for another station's lock is short, also for the start of
    // the event's transaction. A failed write undoes the whole event.
    int rows = 0;
    try {
        BusyWait wait(m_db, kScoringBusyWait);
        eventWrite();
        retryClockSave();
        rows = m_db.update("C_KURA", fields, "Kura_Key = :w_k", {{"w_k", openBoutKey()}});
    } catch (const DbError& e) {
        if (m_inEvent)
            abandonEvent();
        Messages::error(notStoredMessage() + "\n\n" + e.message());
        return false;
    }
    if (rows != 1) {
        if (m_inEvent)
            abandonEvent();
        Messages::error(notStoredMessage());
        return false;
    }
    m_v = next;
    return true;
}

QString LiveScoring::notStoredMessage()
{
    return QStringLiteral("SKOR KAYDEDİLEMEDİ. Son tuş geçersiz sayıldı, skorbord kayıtlı değerleri gösteriyor. "
                          "Lütfen tuşa tekrar basınız ...!");
}

void LiveScoring::RoundKayit(QVariantMap& fields) const
{
    recordInto(m_v, FSemiContact == 1, fields);
}

void LiveScoring::Analiz(const QString& record)
{
    FRoundFields = RoundRecord::Analiz(record);
}

// ---------------------------------------------------------------------------
// Judges' points

bool LiveScoring::judgePoint(bool blue, int delta, bool checkLock)
{
    if (!boutOpen())
        return false;
    const int judge = selected();
    if (judge == 0)
        return false;
    if (checkLock && FJudgeLocks[size_t(judge - 1)])
        return false;
    Values next = m_v;
    (blue ? next.cards.judgeBlue : next.cards.judgeRed)[size_t(judge - 1)] += delta;
    if (FSemiContact == 0)
        Judging::countVotes(next.cards);
    if (!store(next, kJudgeColumns, true))
        return false;
    PuanHesap();
    if (m_skor)
        m_skor->flashJudge(judge, blue ? Blue : Red);
    return true;
}

void LiveScoring::judgeVote(bool blue)
{
    // The asked judge's point breaks his tie: the cards are evaluated again.
    if (judgePoint(blue, 1, true) && FAwaitingJudgeDecision) {
        FAwaitingJudgeDecision = 0;
        SonucDeg();
    }
}

void LiveScoring::SpeedButton9Click()
{
    Event event(*this);
    judgeVote(true);
}

void LiveScoring::SpeedButton10Click()
{
    Event event(*this);
    judgePoint(true, -1, false);
}

void LiveScoring::SpeedButton11Click()
{
    Event event(*this);
    judgeVote(false);
}

void LiveScoring::SpeedButton12Click()
{
    Event event(*this);
    judgePoint(false, -1, false);
}

// ---------------------------------------------------------------------------
// Penalties

void LiveScoring::penaltyPlus(bool blue)
{
    if (!boutOpen())
        return;
    const int which = selected();
    if (which == 0)
        return;
    const Penalty kind = Penalty(which - 1);
    if (FSemiContact == 1 && kind == Minus)
        return;
    const auto& counts = blue ? m_v.cards.blue : m_v.cards.red;
    const int limit = kind == Minus ? 4 : kind == Foul ? FFoulLimit : FExitLimit;
    if (counts[size_t(kind)] >= limit)
        return;
    Values next = m_v;
    (blue ? next.cards.blue : next.cards.red)[size_t(kind)] += 1;
    if (!store(next, kPenaltyColumns, true))
        return;
    if (FSemiContact == 1)
        warningGiven(blue, kind);
    PuanHesap();
    if (kind == Minus && FSemiContact == 0) {
        // Each judge's card loses the Minus points, each card with its own
        // write.
        for (int judge = 1; judge <= 3; ++judge) {
            select(judge);
            Values card = m_v;
            (blue ? card.cards.judgeBlue : card.cards.judgeRed)[size_t(judge - 1)] -= s.FMinusPoints();
            Judging::countVotes(card.cards);
            if (!store(card, kJudgeColumns, true))
                break;
            PuanHesap();
            if (m_skor)
                m_skor->flashJudge(judge, blue ? Blue : Red);
        }
        selectPenalty(Minus);
    }
    if (FJudgeLocks[0] || FJudgeLocks[1] || FJudgeLocks[2])
        SonucDeg();
}

void LiveScoring::penaltyMinus(bool blue)
{
    if (!boutOpen())
        return;
    if (FSemiContact == 0 && FBoutDecided == 1)
        return;
    const int which = selected();
    if (which == 0)
        return;
    const Penalty kind = Penalty(which - 1);
    if (FSemiContact == 1 && kind == Minus)
        return;
    // Nothing to take back: refused without a word.
    if ((blue ? m_v.cards.blue : m_v.cards.red)[size_t(kind)] <= 0)
        return;
    Values next = m_v;
    (blue ? next.cards.blue : next.cards.red)[size_t(kind)] -= 1;
    if (!store(next, kPenaltyColumns, true))
        return;
    if (FSemiContact == 1)
        warningTakenBack(blue, kind);
    PuanHesap();
    if (kind == Minus && FSemiContact == 0) {
        // The Minus points go back onto the same three cards they were taken
        // from. Judges locked by the evaluation get them back too, and giving
        // them back is no judge's decision of his level card.
        for (int judge = 1; judge <= 3; ++judge) {
            select(judge);
            Values card = m_v;
            (blue ? card.cards.judgeBlue : card.cards.judgeRed)[size_t(judge - 1)] += s.FMinusPoints();
            Judging::countVotes(card.cards);
            if (!store(card, kJudgeColumns, true))
                break;
            PuanHesap();
            if (m_skor)
                m_skor->flashJudge(judge, blue ? Blue : Red);
        }
        selectPenalty(Minus);
        // The cards changed: a pending evaluation is made again on them.
        if (FJudgeLocks[0] || FJudgeLocks[1] || FJudgeLocks[2])
            SonucDeg();
    }
}

void LiveScoring::SpeedButton5Click() { Event event(*this); penaltyPlus(true); }
void LiveScoring::SpeedButton6Click() { Event event(*this); penaltyMinus(true); }
void LiveScoring::SpeedButton7Click() { Event event(*this); penaltyPlus(false); }
void LiveScoring::SpeedButton8Click() { Event event(*this); penaltyMinus(false); }

// ---------------------------------------------------------------------------
// Semi-contact points and warnings

void LiveScoring::semiPoints(bool blue, int delta)
{
    if (!boutOpen() || FSemiContact == 0)
        return;
    Values next = m_v;
    (blue ? next.cards.puan1 : next.cards.puan2) += delta;
    if (!store(next, kPointColumns, true))
        return;
    PuanHesap();
}

void LiveScoring::M_Arti_Puan(int n) { Event event(*this); semiPoints(true, n); }
void LiveScoring::K_Arti_Puan(int n) { Event event(*this); semiPoints(false, n); }
void LiveScoring::M_Eksi_Puan(int n) { Event event(*this); semiPoints(true, -n); }
void LiveScoring::K_Eksi_Puan(int n) { Event event(*this); semiPoints(false, -n); }

void LiveScoring::warningGiven(bool blue, Penalty kind)
{
    const int count = (blue ? m_v.cards.blue : m_v.cards.red)[size_t(kind)];
    if (count != 2 && count != 3)
        return;
    const size_t which = size_t((blue ? 0 : 2) + (kind == Exit ? 1 : 0));
    int& effect = FWarningEffects[which][size_t(count - 2)];
    const int own = blue ? m_v.cards.puan1 : m_v.cards.puan2;
    if (own > 0) {
        effect = 1;
        semiPoints(blue, -1);
        return;
    }
    effect = 2;
    semiPoints(!blue, 1);
    int& converted = FConvertedWarnings[which];
    converted = std::min(2, converted + 1);
}

void LiveScoring::warningTakenBack(bool blue, Penalty kind)
{
    const int count = (blue ? m_v.cards.blue : m_v.cards.red)[size_t(kind)];
    if (count != 1 && count != 2)
        return;
    const size_t which = size_t((blue ? 0 : 2) + (kind == Exit ? 1 : 0));
    int& converted = FConvertedWarnings[which];
    // The warning taken back was the second or the third: what it did is
    // undone, whatever either side scored since.
    int& effect = FWarningEffects[which][size_t(count - 1)];
    const int did = effect;
    effect = 0;
    if (did == 1) {
        semiPoints(blue, 1);
        return;
    }
    if (did == 2) {
        semiPoints(!blue, -1);
        converted = std::max(0, converted - 1);
        return;
    }
    // Given before this opening: its effect is judged from the points.
    const int own = blue ? m_v.cards.puan1 : m_v.cards.puan2;
    const int other = blue ? m_v.cards.puan2 : m_v.cards.puan1;
    if (own > 0 || other <= 0 || converted == 0) {
        semiPoints(blue, 1);
        return;
    }
    semiPoints(!blue, -1);
    converted -= 1;
}

// ---------------------------------------------------------------------------
// Side mirror

void LiveScoring::EkranDegis()
{
    bind();
    if (!m_skor)
        return;
    if (FHomePending) {
        homeLefts();
        FHomePending = 0;
    }
    TSkor& k = *m_skor;
    const QList<QWidget*> controls = k.mirroredControls();
    CellSection home = s.FHomeLefts();
    // Pairs of controls by their place in the list: the panels, the penalty
    // captions, the penalty marks, the totals and the judges' scores.
    static const int pairs[11][2] = {{0, 1},  {2, 5},  {3, 6},   {4, 7},   {8, 11}, {9, 12},
                                     {10, 13}, {14, 15}, {19, 16}, {20, 17}, {21, 18}};
    const bool mirror = FNormalSides == 1;
    FNormalSides = mirror ? 0 : 1;
    for (const auto& p : pairs) {
        QWidget* a = controls[p[0]];
        QWidget* b = controls[p[1]];
        const QRect ga = k.FScale.designGeometry(a);
        const QRect gb = k.FScale.designGeometry(b);
        k.FScale.place(a, QRect(QPoint(home.integer(mirror ? p[1] + 1 : p[0] + 1), ga.y()), ga.size()));
        k.FScale.place(b, QRect(QPoint(home.integer(mirror ? p[0] + 1 : p[1] + 1), gb.y()), gb.size()));
    }
    placeLeadMarks();
    drawMarks();
}

void LiveScoring::placeLeadMarks()
{
    TSkor& k = *m_skor;
    const bool normal = FNormalSides == 1;
    const int panel1 = k.FScale.designGeometry(k.Panel1).width();
    const int panel2 = k.FScale.designGeometry(k.Panel2).width();
    for (SymbolLabel* bar : {k.Label19, k.Label20, k.Label21})
        anchorMarkLine(k.FScale, bar, normal ? panel1 : 0, normal ? Qt::AlignRight : Qt::AlignLeft);
    for (SymbolLabel* bar : {k.Label16, k.Label17, k.Label18})
        anchorMarkLine(k.FScale, bar, normal ? 0 : panel2, normal ? Qt::AlignLeft : Qt::AlignRight);
}
