#pragma once
// The time the bout clock runs on: one-second tickers for the bout clock and
// the break countdown, and today's date for the ring label.
//
// The program ticks with 1 s QTimers (QtTimeSource). A ManualTimeSource
// ticks only when told to, so tests and benchmarks move the clock second by
// second without waiting:
//
//   auto time = std::make_shared<ManualTimeSource>();
//   LiveScoring live(db, state, host, time);
//   time->advance(3);      // three ticks of whichever ticker runs

#include <QDate>
#include <QElapsedTimer>

#include <algorithm>

#include <functional>
#include <memory>
#include <vector>

class QTimer;

// A timer that calls its handler once a second while enabled.
class SecondTicker {
public:
    virtual ~SecondTicker() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
};

class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual std::unique_ptr<SecondTicker> ticker(std::function<void()> onTick) = 0;
    virtual QDate today() const = 0;
    // A monotonic clock in milliseconds: the bout clock's remaining time is
    // worked out from it, so a tick that came late (a busy GUI thread) never
    // lengthens the bout.
    virtual qint64 nowMs() const = 0;
};

// The remaining seconds of a countdown started at a moment of the monotonic
// clock; a late tick catches up, an early one changes nothing.
class Countdown {
public:
    void start(int remaining, qint64 nowMs)
    {
        m_start = remaining;
        m_startMs = nowMs;
    }
    int remaining(qint64 nowMs) const
    {
        const qint64 elapsed = (nowMs - m_startMs + 500) / 1000;
        return int(std::max<qint64>(0, qint64(m_start) - elapsed));
    }

private:
    int m_start = 0;
    qint64 m_startMs = 0;
};

class QtTimeSource : public TimeSource {
public:
    QtTimeSource();
    std::unique_ptr<SecondTicker> ticker(std::function<void()> onTick) override;
    QDate today() const override;
    qint64 nowMs() const override;

private:
    QElapsedTimer m_clock;
};

class ManualTimeSource : public TimeSource {
public:
    std::unique_ptr<SecondTicker> ticker(std::function<void()> onTick) override;
    QDate today() const override { return m_today; }
    void setToday(const QDate& date) { m_today = date; }
    qint64 nowMs() const override { return m_nowMs; }

    // Lets `seconds` seconds pass: each second every enabled ticker ticks
    // once, in the order the tickers were made.
    void advance(int seconds = 1);
    // Lets time pass without a tick, as while the GUI thread is held up.
    void pass(qint64 ms) { m_nowMs += ms; }

private:
    struct Manual;
    std::vector<Manual*> m_tickers;
    QDate m_today = QDate(2024, 12, 9);
    qint64 m_nowMs = 0;
    friend struct Manual;
};
