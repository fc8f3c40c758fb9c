// Live scoring: the bout clock, rounds and breaks.
#include "scoring/LiveScoring.h"

#include "competition/MatchState.h"
#include "platform/db/Database.h"
#include "platform/media/MediaPlayer.h"
#include "platform/ui/Messages.h"
#include "scoring/JudgeDevices.h"
#include "scoring/ScoreboardWidgets.h"
#include "scoring/Skor.h"

#include <QLabel>

using namespace ScoreboardLook;

namespace {
int seconds(const QString& clock)
{
    return ClockText::parse(clock).value_or(0);
}
}

void LiveScoring::stopTimers()
{
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
}

void LiveScoring::playSignal()
{
    // The last eleven seconds are counted with the signal.
    if (FSignalSound && m_v.clock >= 1 && m_v.clock <= 11) {
        MediaPlayer1->stop();
        MediaPlayer1->play();
    }
}

void LiveScoring::stopSignal()
{
    if (FSignalSound)
        MediaPlayer1->stop();
}

void LiveScoring::SpeedButton1Click()
{
    Event event(*this);
    if (!boutOpen() || FBoutDecided || Timer1->isEnabled() || Timer2->isEnabled())
        return;
    if (clockAtZero()) {
        Messages::error("Kalan Süre 00:00 olduğu için başlatılamıyor. Devam etmek istiyorsanız Kalan Süre'yi "
                        "değiştiriniz ...!");
        return;
    }
    if (m_skor)
        setTransparent(m_skor->Label4, true);
    hideWinnerEntry();
    FBoutEnded = 0;
    runTicker(*Timer1);
    setStatus(QString("Round %1/%2 - FIGHT!").arg(m_v.round).arg(s.FRoundCount), Black);
    FSaveTick = 0;
    SerialPortAc();
    FMiceLive = 1;
}

void LiveScoring::SpeedButton2Click()
{
    Event event(*this);
    if (!boutOpen() || Timer2->isEnabled() || !Timer1->isEnabled())
        return;
    // At zero the next tick ends the round.
    if (clockAtZero())
        return;
    Timer1->setEnabled(false);
    setStatus(QString("Round %1/%2 - TIMEOUT").arg(m_v.round).arg(s.FRoundCount), Yellow);
    FDeviceLive = 0;
    FMiceLive = 0;
    n_time_save();
}

void LiveScoring::runTicker(SecondTicker& ticker)
{
    if (ticker.isEnabled())
        return;
    m_countdown.start(m_v.clock, m_time->nowMs());
    ticker.setEnabled(true);
}

void LiveScoring::Timer1Timer()
{
    Event event(*this);
    retryClockSave();
    if (!boutOpen()) {
        Timer1->setEnabled(false);
        if (FSerialDevice)
            m_inputs->closeDevice();
        return;
    }
    // The judges' mice must still be there.
    if (FMiceMode && (!FMiceLinked || !JudgeDevices::MouseKontrol())) {
        SpeedButton2Click();
        settleEvent();
        Messages::error("SCORING CONTROL DEVICE NOT FOUND\nScoreboard will close ...!");
        SkorbTestDefault();
        FMiceLinked = 0;
        if (m_skor)
            m_skor->closeUnasked();
        return;
    }
    if (tickDown()) {
        if (++FSaveTick >= 5) {
            FSaveTick = 0;
            n_time_save();
        }
        return;
    }
    // The tick after the clock reached zero ends the round.
    Timer1->setEnabled(false);
    FDeviceLive = 0;
    FMiceLive = 0;
    FRoundEndSave = 1;
    n_time_save();
    FRoundEndSave = 0;
    startBreakOrDecide();
}

bool LiveScoring::tickDown()
{
    if (clockAtZero())
        return false;
    // The time shown follows the monotonic clock, not the count of ticks: a
    // tick that came late takes every second that passed.
    const int remaining = m_countdown.remaining(m_time->nowMs());
    if (remaining >= m_v.clock)
        return true;
    playSignal();
    m_v.clock = remaining;
    if (m_skor)
        m_skor->n_time->setText(clockText());
    return true;
}

void LiveScoring::startBreakOrDecide()
{
    if (m_v.round < s.FRoundCount) {
        m_v.clock = seconds(s.FBreakTime);
        if (m_skor)
            m_skor->n_time->setText(clockText());
        runTicker(*Timer2);
        stopSignal();
        if (FStopSound)
            MediaPlayer2->play();
        setStatus(QString("Round %1/%2 - BREAK").arg(m_v.round).arg(s.FRoundCount), Yellow);
        return;
    }
    // The last round: no break and no round-end sound.
    stopSignal();
    if (FSemiContact == 1)
        setStatus("TIME STOP!", Yellow);
    else
        SonucDeg();
}

void LiveScoring::Timer2Timer()
{
    Event event(*this);
    retryClockSave();
    if (!boutOpen()) {
        Timer2->setEnabled(false);
        return;
    }
    if (tickDown())
        return;
    endBreak(true);
}

void LiveScoring::endBreak(bool playSounds)
{
    Timer2->setEnabled(false);
    SpeedButton3Click();
    if (playSounds)
        stopSignal();
    m_v.clock = seconds(FSemiContact == 1 && FExtraRound == 1 ? FExtraDuration : FBoutDuration);
    if (m_skor)
        m_skor->n_time->setText(clockText());
    n_time_save();
    if (FBoutEnded == 0)
        setStatus("READY", Black);
}

void LiveScoring::SpeedButton3Click()
{
    Event event(*this);
    if (!boutOpen())
        return;
    Values next = m_v;
    next.round += 1;
    if (!store(next, {"Raunt"}, false))
        return;
    if (m_skor)
        m_skor->Raunt->setText(QString::number(m_v.round));
}

void LiveScoring::SpeedButton4Click()
{
    Event event(*this);
    if (!boutOpen())
        return;
    Values next = m_v;
    next.round -= 1;
    if (!store(next, {"Raunt"}, false))
        return;
    if (m_skor)
        m_skor->Raunt->setText(QString::number(m_v.round));
}

void LiveScoring::n_time_save()
{
    Event event(*this);
    const int key = openBoutKey();
    QVariantMap fields{{"n_time", clockText()}};
    const QString record = RoundRecord::column(m_v.round);
    if (FRoundEndSave == 1 && !record.isEmpty()) {
        // Every finished round of the first four keeps its record, also one
        // in which nothing was scored.
        const auto row = m_db.first("select Kura_Key, " + record + " from C_KURA where Kura_Key = :k", {{"k", key}});
        if (!row)
            return;
        if (row->str(record).isEmpty())
            RoundKayit(fields);
    }
    saveClockFields(key, fields);
}

bool LiveScoring::saveClockFields(int boutKey, const QVariantMap& fields)
{
    // A save still waiting for the same bout goes with this one.
    QVariantMap all = boutKey == m_pendingClockKey ? m_pendingClockFields : QVariantMap();
    for (auto it = fields.constBegin(); it != fields.constEnd(); ++it)
        all.insert(it.key(), it.value());
    try {
        // The event's transaction, too, starts within the short wait.
        BusyWait wait(m_db, kClockBusyWait);
        eventWrite();
        m_db.update("C_KURA", all, "Kura_Key = :w_k", {{"w_k", boutKey}});
    } catch (const DbError& e) {
        if (e.kind() != DbError::Kind::Busy)
            throw;
        m_pendingClockKey = boutKey;
        m_pendingClockFields = all;
        return false;
    }
    if (boutKey == m_pendingClockKey) {
        m_pendingClockKey = 0;
        m_pendingClockFields.clear();
    }
    return true;
}

void LiveScoring::retryClockSave()
{
    if (m_pendingClockKey == 0)
        return;
    const int key = m_pendingClockKey;
    const QVariantMap fields = m_pendingClockFields;
    saveClockFields(key, fields);
}

void LiveScoring::IlaveRound()
{
    Event event(*this);
    if (!boutOpen() || FSemiContact == 0 || FBoutDecided == 1 || FExtraRound == 1 || m_v.round < s.FRoundCount ||
        !clockAtZero() || Timer1->isEnabled() || Timer2->isEnabled())
        return;
    hideWinnerEntry();
    if (m_skor)
        setTransparent(m_skor->Label4, true);
    m_v.clock = 0;
    if (m_skor)
        m_skor->n_time->setText(clockText());
    FExtraRound = 1;
    runTicker(*Timer2);
    setStatus("EXTRA TIME", Yellow);
}
