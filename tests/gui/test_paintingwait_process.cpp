// The window keeps painting while it waits on the device: a 10 ms heartbeat
// on the window's thread and the paints of the status strip go on through
// exchanges that wait out their time-outs, and the device still receives the
// same requests in the same order. A second exchange started inside the first
// would end the test at once (the exchange refuses to run twice).

#include "devsimprocess.h"
#include "guitestsupport.h"
#include "linkedwindow.h"

#include "auxiliary/gui/cinfo.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// The waits are shortened to 500 ms per attempt: long against the 250 ms
// the heartbeat may pause at most, short enough for a quick test.
class PaintingWaitTest : public LinkedWindowTest
{
protected:
    static constexpr double WaitScale = 0.2;

    PaintingWaitTest() { xmit.TimeoutScale = WaitScale; }

    void report(const char *what, const PaintWatch &watch)
    {
        std::printf("%s: largest heartbeat gap %lld ms, largest strip paint gap %lld ms\n", what,
                    static_cast<long long>(watch.LargestBeatGap), static_cast<long long>(watch.LargestPaintGap));
    }
};

// The panel polls a device that ignores status requests: two attempts of
// 500 ms, the link is lost, and the supervisor links the device again.
TEST_F(PaintingWaitTest, KeepsPaintingWhileTheDeviceIgnoresStatusPolls)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.extraArguments = {QStringLiteral("--fault"), QStringLiteral("CMD_GET_STATUS:silence")}}));
    open({device.ptyPath()});
    PaintWatch watch(*window->statusStrip());
    const QStringList cycle{QStringLiteral("CMD_IDENTIFY"), QStringLiteral("CMD_READ_CONFIG"),
                            QStringLiteral("CMD_GET_STATUS"), QStringLiteral("CMD_GET_STATUS")};
    ASSERT_TRUE(QTest::qWaitFor([&] { return device.commandsLogged().size() >= 6; }, 20000));
    watch.stop();
    report("silent status polls", watch);

    const QStringList logged = device.commandsLogged();
    EXPECT_EQ(logged.mid(0, 6), cycle + cycle.mid(0, 2));
    EXPECT_LT(watch.LargestBeatGap, 250);
    EXPECT_LT(watch.LargestPaintGap, 250);
    // The heartbeat fired inside the handlers' waits and never found one
    // handler running inside another.
    EXPECT_EQ(watch.MostHandlersRunning, 1);
}

// The supervisor probes a serial port whose device never answers: two
// attempts of 500 ms per search round.
TEST_F(PaintingWaitTest, KeepsPaintingWhileASilentPortIsProbed)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.extraArguments = {QStringLiteral("--fault"), QStringLiteral("all:silence")}}));
    open({device.ptyPath()});
    PaintWatch watch(*window->statusStrip());
    ASSERT_TRUE(QTest::qWaitFor([&] { return device.commandsLogged().size() >= 3; }, 20000));
    watch.stop();
    report("silent serial port", watch);

    EXPECT_EQ(device.commandsLogged().mid(0, 3), QStringList(3, QStringLiteral("CMD_IDENTIFY")));
    EXPECT_LT(watch.LargestBeatGap, 250);
    EXPECT_LT(watch.LargestPaintGap, 250);
    // The heartbeat fired inside the handlers' waits and never found one
    // handler running inside another.
    EXPECT_EQ(watch.MostHandlersRunning, 1);
}

} // namespace
