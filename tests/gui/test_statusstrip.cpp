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
    EXPECT_TRUE(QTest::qWaitFor([&] { return !strip.sendLampLit() && strip.writeLampLit(); }, 1000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !strip.writeLampLit(); }, 1000));
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
