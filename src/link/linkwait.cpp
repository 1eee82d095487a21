#include "link/linkwait.h"

#include "link/handlergate.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QScopeGuard>
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
    const auto armWake = [&] {
        const qint64 remainingMs = deadline.remainingTime();
        if (remainingMs > 0 && !wake.isActive())
            wake.start(ClampedMs(remainingMs));
    };
    // Windows' dispatcher delivers the posted events (a precise timer's tick,
    // a queued call) first and then blocks until more come: a wait made ready
    // by one of them, or whose wake tick came a millisecond early, would
    // sleep on. So the wait is judged again each time the loop is about to
    // block, and the loop is told to return when it is over.
    QAbstractEventDispatcher *dispatcher = QThread::currentThread()->eventDispatcher();
    const int loopLevel = QThread::currentThread()->loopLevel();
    const QMetaObject::Connection beforeBlocking
        = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [&] {
              if (QThread::currentThread()->loopLevel() != loopLevel)
                  return; // an inner loop's own wait
              if (ready() || deadline.hasExpired())
                  dispatcher->interrupt();
              else
                  armWake();
          });
    const auto disconnect = qScopeGuard([&] { QObject::disconnect(beforeBlocking); });
    while (!ready()) {
        if (deadline.hasExpired())
            return false;
        armWake();
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
