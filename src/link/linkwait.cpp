#include "link/linkwait.h"

#include "link/handlergate.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <optional>

namespace {

int ClampedMs(qint64 ms)
{
    return int(std::clamp<qint64>(ms, 0, INT_MAX));
}

bool TurnEventLoop(const QDeadlineTimer &deadline, const std::function<bool()> &ready)
{
    const HandlerGate::BusyScope busy(HandlerGate::current());
    // Wakes the loop at the deadline when nothing else does.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    while (!ready()) {
        const qint64 remainingMs = deadline.remainingTime();
        if (remainingMs == 0)
            return false;
        if (remainingMs > 0 && !wake.isActive())
            wake.start(ClampedMs(remainingMs));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace

namespace LinkWait {

bool EventLoopRuns()
{
    return QCoreApplication::instance() && !QCoreApplication::closingDown()
           && QThread::currentThread()->loopLevel() > 0;
}

bool Until(const QDeadlineTimer &deadline, const std::function<bool()> &ready,
           const std::function<void(int remainingMs)> &blockingWait)
{
    if (EventLoopRuns())
        return TurnEventLoop(deadline, ready);
    if (!ready() && !deadline.hasExpired())
        blockingWait(ClampedMs(deadline.remainingTime()));
    return ready();
}

bool Stepping(const QDeadlineTimer &deadline, const std::function<bool()> &ready,
              const std::function<void(int remainingMs)> &step)
{
    const bool eventLoop = EventLoopRuns();
    std::optional<HandlerGate::BusyScope> busy;
    if (eventLoop)
        busy.emplace(HandlerGate::current());
    while (!ready()) {
        if (deadline.hasExpired())
            return false;
        step(deadline.isForever() ? INT_MAX : ClampedMs(deadline.remainingTime()));
        if (eventLoop)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return true;
}

void Pause(const QDeadlineTimer &deadline)
{
    if (EventLoopRuns())
        TurnEventLoop(deadline, [] { return false; });
    else if (!deadline.hasExpired())
        QThread::msleep(ulong(ClampedMs(deadline.remainingTime())));
}

} // namespace LinkWait
