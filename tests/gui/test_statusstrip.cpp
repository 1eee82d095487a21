// The status strip's four operations and its text colour.

#include "guitestsupport.h"

#include "auxiliary/gui/cinfo.h"
#include "auxiliary/gui/progressline.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(StatusStrip, LatestMessageDecidesWhenTheLineClears)
{
    CInfo strip;
    strip.ShowStatus(QStringLiteral("first"), false, 5000);
    QTest::qWait(100);
    strip.ShowStatus(QStringLiteral("second"), false, 1000);
    QTest::qWait(500);
    EXPECT_EQ(strip.statusText(), QStringLiteral("second"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return strip.statusText().isEmpty(); }, 3000));
}

TEST(StatusStrip, WaitingMessageBlocksForItsDuration)
{
    CInfo strip;
    QElapsedTimer timer;
    timer.start();
    strip.ShowStatus(QStringLiteral("Rebooting..."), true, 300);
    EXPECT_GE(timer.elapsed(), 300);
    EXPECT_EQ(strip.statusText(), QStringLiteral("Rebooting..."));
}

TEST(StatusStrip, WaitingMessageKeepsTheStripPainting)
{
    CInfo strip;
    strip.show();
    PaintWatch watch(strip);
    strip.ShowStatus(QStringLiteral("Rebooting..."), true, 500);
    watch.stop();
    EXPECT_GE(watch.Paints, 10);
    EXPECT_LT(watch.LargestPaintGap, 250);
}

TEST(StatusStrip, LampsLightAndGoOut)
{
    CInfo strip;
    strip.ShowLinkActivity(false);
    EXPECT_TRUE(strip.sendLampLit());
    EXPECT_FALSE(strip.writeLampLit());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !strip.sendLampLit(); }, 1000));

    strip.ShowLinkActivity(true);
    EXPECT_TRUE(strip.sendLampLit());
    EXPECT_TRUE(strip.writeLampLit());
    // The write lamp stays lit longer than the send lamp. Both go out in the
    // same pass when the machine stalls past the send lamp's time, so the
    // order is checked, not a moment between them.
    QElapsedTimer clock;
    clock.start();
    qint64 sendOut = -1;
    qint64 writeOut = -1;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            if (sendOut < 0 && !strip.sendLampLit())
                sendOut = clock.elapsed();
            if (writeOut < 0 && !strip.writeLampLit())
                writeOut = clock.elapsed();
            return sendOut >= 0 && writeOut >= 0;
        },
        2000));
    EXPECT_LE(sendOut, writeOut);
}

TEST(StatusStrip, ProgressRangeZeroHidesTheBar)
{
    CInfo strip;
    strip.show();
    strip.SetProgress(10, 100);
    strip.SetProgress(20, 100);
    EXPECT_TRUE(strip.progressBar()->isVisible());
    EXPECT_EQ(strip.progressBar()->maximum(), 100);
    EXPECT_EQ(strip.progressBar()->value(), 20);
    strip.SetProgress(0, 0);
    EXPECT_FALSE(strip.progressBar()->isVisible());
    strip.SetProgress(5, 100);
    EXPECT_TRUE(strip.progressBar()->isVisible());
    EXPECT_EQ(strip.progressBar()->value(), 5);
}

TEST(StatusStrip, TextTurnsRedWhileTheWarningShows)
{
    CInfo strip;
    strip.show();
    const auto *line = strip.findChild<QLabel *>(QStringLiteral("statusLine"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->palette().color(QPalette::WindowText), QColor(96, 96, 96));
    strip.ShowWarningImage(true);
    EXPECT_EQ(line->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    strip.ShowWarningImage(false);
    EXPECT_EQ(line->palette().color(QPalette::WindowText), QColor(96, 96, 96));
}

} // namespace
