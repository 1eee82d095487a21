// A link that can wait only by short blocking reads (the serial port on
// Windows) still lets the window's thread turn its event loop between two
// reads: timers fire (and the window paints) while the link waits.

#include "link/linkwait.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(SteppingWait, TimersFireBetweenShortBlockingStepsUntilTheDeadline)
{
    int beats = 0;
    QTimer heartbeat;
    heartbeat.setInterval(10);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] { ++beats; });
    heartbeat.start();

    int steps = 0;
    bool ready = true;
    QEventLoop loop;
    // Inside a running event loop, as a window's handler would wait.
    QTimer::singleShot(0, &loop, [&] {
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
        loop.quit();
    });
    loop.exec();

    EXPECT_FALSE(ready);
    EXPECT_GE(steps, 2);
    EXPECT_GE(beats, 2) << "the heartbeat never fired while the link waited";
}

} // namespace
