#include "scoring/BoutTime.h"

#include "platform/ui/Guarded.h"

#include <QTimer>

#include <algorithm>

namespace {

class QtTicker : public SecondTicker {
public:
    explicit QtTicker(std::function<void()> onTick)
    {
        m_timer.setInterval(1000);
        // A tick's failure (a database error) is shown, never carried
        // through the timer's signal.
        QObject::connect(&m_timer, &QTimer::timeout, guarded(std::move(onTick)));
    }
    void setEnabled(bool enabled) override
    {
        // Enabling a running timer does not restart its second.
        if (enabled && !m_timer.isActive())
            m_timer.start();
        else if (!enabled)
            m_timer.stop();
    }
    bool isEnabled() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

} // namespace

QtTimeSource::QtTimeSource()
{
    m_clock.start();
}

qint64 QtTimeSource::nowMs() const
{
    return m_clock.elapsed();
}

std::unique_ptr<SecondTicker> QtTimeSource::ticker(std::function<void()> onTick)
{
    return std::make_unique<QtTicker>(std::move(onTick));
}

QDate QtTimeSource::today() const
{
    return QDate::currentDate();
}

struct ManualTimeSource::Manual : SecondTicker {
    Manual(ManualTimeSource* source, std::function<void()> onTick) : source(source), onTick(std::move(onTick)) {}
    ~Manual() override
    {
        if (source) {
            auto& list = source->m_tickers;
            list.erase(std::remove(list.begin(), list.end(), this), list.end());
        }
    }
    void setEnabled(bool e) override { enabled = e; }
    bool isEnabled() const override { return enabled; }

    ManualTimeSource* source;
    std::function<void()> onTick;
    bool enabled = false;
};

std::unique_ptr<SecondTicker> ManualTimeSource::ticker(std::function<void()> onTick)
{
    auto t = std::make_unique<Manual>(this, std::move(onTick));
    m_tickers.push_back(t.get());
    return t;
}

void ManualTimeSource::advance(int seconds)
{
    for (int s = 0; s < seconds; ++s) {
        m_nowMs += 1000;
        // A tick may switch the other ticker on (a round ends, a break
        // begins); that one ticks from the next second on.
        std::vector<Manual*> due;
        for (Manual* t : m_tickers)
            if (t->enabled)
                due.push_back(t);
        for (Manual* t : due)
            if (std::find(m_tickers.begin(), m_tickers.end(), t) != m_tickers.end() && t->enabled)
                t->onTick();
    }
}
