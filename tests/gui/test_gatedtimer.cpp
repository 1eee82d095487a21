// The windows' one-shot timers and the gate that holds their ticks while
// another handler waits on the device.

#include "gui/gatedtimer.h"
#include "link/handlergate.h"
#include "link/linkwait.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// A wait as a handler makes it, for the given milliseconds.
void WaitInsideTheHandler(int ms)
{
    LinkWait::Pause(QDeadlineTimer(ms, Qt::PreciseTimer));
}

TEST(GatedTimer, TickThatComesDueDuringAHandlerFiresRightAfterIt)
{
    QStringList order;
    GatedTimer held([&] { order << QStringLiteral("held tick"); });
    GatedTimer next([&] { order << QStringLiteral("next tick"); });
    GatedTimer handler([&] {
        order << QStringLiteral("handler starts");
        held.start(20);
        WaitInsideTheHandler(150);
        EXPECT_TRUE(held.isActive());
        // Due now, but it comes through the event loop: after the held tick.
        next.start(0);
        order << QStringLiteral("handler ends");
    });
    handler.start(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return order.size() == 4; }, 2000));
    EXPECT_EQ(order, (QStringList{QStringLiteral("handler starts"), QStringLiteral("handler ends"),
                                  QStringLiteral("held tick"), QStringLiteral("next tick")}));
    EXPECT_FALSE(held.isActive());
}

TEST(GatedTimer, TickWhoseTimerTheHandlerStoppedDoesNotFire)
{
    int ticks = 0;
    bool handlerDone = false;
    GatedTimer stopped([&] { ++ticks; });
    GatedTimer handler([&] {
        stopped.start(20);
        WaitInsideTheHandler(150);
        stopped.stop();
        handlerDone = true;
    });
    handler.start(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return handlerDone; }, 2000));
    QTest::qWait(200);
    EXPECT_EQ(ticks, 0);
    EXPECT_FALSE(stopped.isActive());
}

TEST(GatedTimer, TickWhoseTimerTheHandlerReArmedFiresAtItsNewTime)
{
    QStringList order;
    GatedTimer rearmed([&] { order << QStringLiteral("re-armed tick"); });
    GatedTimer sooner([&] { order << QStringLiteral("sooner tick"); });
    GatedTimer handler([&] {
        rearmed.start(20);
        WaitInsideTheHandler(150);
        rearmed.start(150);
        sooner.start(30);
        order << QStringLiteral("handler ends");
    });
    handler.start(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return order.size() == 3; }, 2000));
    EXPECT_EQ(order, (QStringList{QStringLiteral("handler ends"), QStringLiteral("sooner tick"),
                                  QStringLiteral("re-armed tick")}));
}

TEST(GatedTimer, TickHeldByAWaitOutsideAnyHandlerFiresWhenTheLoopTurns)
{
    int ticks = 0;
    GatedTimer timer([&] { ++ticks; });
    timer.start(20);
    // Whoever waited goes on with its work first.
    WaitInsideTheHandler(100);
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(timer.isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks == 1; }, 1000));
}

TEST(GatedTimer, DestroyedTimerLeavesNothingHeld)
{
    bool ran = false;
    bool handlerDone = false;
    auto doomed = std::make_unique<GatedTimer>([&] { ran = true; });
    GatedTimer handler([&] {
        doomed->start(10);
        WaitInsideTheHandler(100);
        doomed.reset();
        handlerDone = true;
    });
    handler.start(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return handlerDone; }, 2000));
    QTest::qWait(50);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(HandlerGate::current().busy());
}

} // namespace
