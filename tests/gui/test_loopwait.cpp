// The link's waits inside the window's running event loop. A link that can
// wait only by short blocking reads (the serial port on Windows) still turns
// the loop between two reads, and a wait that turns the loop ends as soon as
// an event makes it ready, however the platform delivers that event.

#include "link/linkwait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs wait inside a running event loop, as a window's handler would.
void InsideTheEventLoop(const std::function<void()> &wait)
{
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        wait();
        loop.quit();
    });
    loop.exec();
}

TEST(SteppingWait, TimersFireBetweenShortBlockingStepsUntilTheDeadline)
{
    int beats = 0;
    QTimer heartbeat;
    heartbeat.setInterval(10);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] { ++beats; });
    heartbeat.start();

    int steps = 0;
    bool ready = true;
    InsideTheEventLoop([&] {
        ready = LinkWait::Stepping(
            QDeadlineTimer(300), [&] { return false; },
            [&](int) {
                ++steps;
                QThread::msleep(15);
            });
        // Steps become ready once the heartbeat has fired inside the wait.
        const int before = beats;
        EXPECT_TRUE(LinkWait::Stepping(
            QDeadlineTimer(5000), [&] { return beats >= before + 3; }, [](int) { QThread::msleep(15); }));
    });

    EXPECT_FALSE(ready);
    EXPECT_GE(steps, 2);
    EXPECT_GE(beats, 2) << "the heartbeat never fired while the link waited";
}

// Windows delivers a precise timer's tick and a queued call as posted events
// right before its loop blocks; a wait they make ready must end then, not at
// its deadline. Each case ends long before the 20 s deadline or hangs.
TEST(LoopWait, EndsWhenAnEventMakesItReadyAndAtItsDeadline)
{
    struct Case
    {
        const char *name;
        std::function<void(bool &ready)> makeReady;
    };
    const Case cases[] = {
        {"a precise timer's tick", [](bool &ready) { QTimer::singleShot(5, Qt::PreciseTimer, [&] { ready = true; }); }},
        {"a call queued by a tick",
         [](bool &ready) {
             QTimer::singleShot(5, Qt::PreciseTimer, [&] {
                 QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { ready = true; }, Qt::QueuedConnection);
             });
         }},
    };
    for (const Case &c : cases) {
        for (int round = 0; round < 20; ++round) {
            bool ready = false;
            bool ended = false;
            QElapsedTimer clock;
            InsideTheEventLoop([&] {
                c.makeReady(ready);
                clock.start();
                ended = LinkWait::Until(QDeadlineTimer(20000), [&] { return ready; }, [](int) {});
            });
            ASSERT_TRUE(ended) << c.name;
            ASSERT_LT(clock.elapsed(), 10000) << c.name << ": the wait slept on after it was ready";
        }
    }
    // Short pauses end at their deadlines, even when the wake tick comes a
    // millisecond before the deadline's own clock says so.
    QElapsedTimer clock;
    clock.start();
    InsideTheEventLoop([] {
        for (int pause = 0; pause < 50; ++pause)
            LinkWait::Pause(QDeadlineTimer(7, Qt::PreciseTimer));
    });
    EXPECT_LT(clock.elapsed(), 10000) << "a pause slept on after its deadline";
}

} // namespace
