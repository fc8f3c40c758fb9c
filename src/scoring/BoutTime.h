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
};

class QtTimeSource : public TimeSource {
public:
    std::unique_ptr<SecondTicker> ticker(std::function<void()> onTick) override;
    QDate today() const override;
};

class ManualTimeSource : public TimeSource {
public:
    std::unique_ptr<SecondTicker> ticker(std::function<void()> onTick) override;
    QDate today() const override { return m_today; }
    void setToday(const QDate& date) { m_today = date; }

    // Lets `seconds` seconds pass: each second every enabled ticker ticks
    // once, in the order the tickers were made.
    void advance(int seconds = 1);

private:
    struct Manual;
    std::vector<Manual*> m_tickers;
    QDate m_today = QDate(2024, 12, 9);
    friend struct Manual;
};
