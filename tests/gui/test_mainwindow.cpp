// The real main window on the offscreen platform, linked to simulated devices.

#include "guitestsupport.h"
#include "linkedwindow.h"

#include "auxiliary/gui/cinfo.h"
#include "panel/gui/csetting.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Against in-process devices; the cases over a device process's
// pseudo-terminal are in test_mainwindow_process.cpp.
using MainWindowTest = LinkedWindowTest;

TEST_F(MainWindowTest, WaitsWithTheProgramTitleAndOnlyTheStrip)
{
    open({});
    EXPECT_EQ(window->windowTitle(), NoDeviceTitle);
    // Nothing but the strip: no empty band under it.
    EXPECT_EQ(window->height(), window->statusStrip()->height());
    EXPECT_EQ(window->statusStrip()->geometry().bottom(), window->rect().bottom());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->statusStrip()->statusText() == QStringLiteral("Waiting connection..."); }, 3000));
    EXPECT_FALSE(window->panel()->isVisible());
    SaveScreenshot(*window, QStringLiteral("main-window-waiting"));
}

TEST_F(MainWindowTest, LinksShowsTheDeviceAndLosesItWhenItStops)
{
    useFastTimers();
    ASSERT_TRUE(linkInProcess({.code = 132, .versionByte = 14}));
    EXPECT_TRUE(waitForTitle(QStringLiteral(" (H132[84]-1.4)")));
    EXPECT_TRUE(window->panel()->isVisible());
    EXPECT_EQ(window->height(), window->panel()->height() + window->statusStrip()->height());
    EXPECT_EQ(window->statusStrip()->geometry().bottom(), window->rect().bottom());
    SaveScreenshot(*window, QStringLiteral("main-window-linked"));

    inProcess->unplug();
    EXPECT_TRUE(waitForTitle(QString()));
    EXPECT_TRUE(waitForStatusText(QStringLiteral("Waiting connection..."), 5000));
    EXPECT_FALSE(window->panel()->isVisible());
}

TEST_F(MainWindowTest, ADeviceWhoseConfigurationIsRefusedIsDroppedAndTheSearchGoesOn)
{
    useFastTimers();
    InProcessDevice refusing({.faults = {QStringLiteral("CMD_READ_CONFIG:refuse")}});
    InProcessDevice healthy({.code = 158, .versionByte = 15});
    refusing.plugInto(xmit);
    healthy.plugInto(xmit);
    bool healthyPlugged = false;
    open({});
    xmit.ListSerialPorts = [&] {
        return healthyPlugged ? QStringList{refusing.portPath(), healthy.portPath()} : QStringList{refusing.portPath()};
    };

    // Refused twice: the device was tried again on the next round.
    ASSERT_TRUE(QTest::qWaitFor([&] { return refusing.commandsLogged().count(QStringLiteral("CMD_READ_CONFIG")) >= 2; }, 10000));
    EXPECT_EQ(window->windowTitle(), NoDeviceTitle);
    EXPECT_FALSE(window->panel()->isVisible());
    EXPECT_NE(window->statusStrip()->statusText(), QStringLiteral("Hardware connected"));

    refusing.unplug();
    healthyPlugged = true;
    ASSERT_TRUE(waitForTitle(QStringLiteral(" (H158[9E]-15.0)")));
    EXPECT_TRUE(window->panel()->isVisible());
    EXPECT_TRUE(window->panel()->PanelActive);
    EXPECT_EQ(window->statusStrip()->statusText(), QStringLiteral("Hardware connected"));
}

TEST_F(MainWindowTest, ForceReloadDropsAndRelinks)
{
    useFastTimers();
    ASSERT_TRUE(linkInProcess({.code = 142, .versionByte = 7, .minor = 3}));
    ASSERT_TRUE(waitForTitle(QStringLiteral(" (H142[8E]-7.3)")));
    window->supervisor().Requests.ForceReload = true;
    ASSERT_TRUE(waitForTitle(QString(), 3000));
    ASSERT_TRUE(waitForTitle(QStringLiteral(" (H142[8E]-7.3)")));
    EXPECT_EQ(commands().count(QStringLiteral("CMD_IDENTIFY")), 2);
    EXPECT_FALSE(window->supervisor().Requests.ForceReload);
}

TEST_F(MainWindowTest, LogButtonOnlyInAdvancedMode)
{
    open({});
    EXPECT_FALSE(window->statusStrip()->logButton()->isVisible());
    EXPECT_TRUE(window->statusStrip()->findChild<QWidget *>(QStringLiteral("logoIcon"))->isVisible());
}

} // namespace
