#include "support/LoopWait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace LoopWait {

bool until(const std::function<bool()>& condition, std::chrono::milliseconds guard)
{
    QDeadlineTimer limit(guard);
    QTimer tick;
    tick.start(20);
    while (!condition()) {
        if (limit.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace LoopWait
