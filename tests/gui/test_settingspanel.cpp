// The settings panel in the real main window, linked to a simulated device.

#include "guitestsupport.h"
#include "linkedwindow.h"

#include "auxiliary/beep.h"
#include "auxiliary/gui/cinfo.h"
#include "panel/gui/csetting.h"
#include "panel/gui/ownerdrawntabbar.h"
#include "panel/gui/settingspage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QWheelEvent>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Most panel tests run against a simulated device in the test's process.
class PanelTest : public LinkedWindowTest
{
protected:
    bool link(const InProcessDevice::Options &options = {}) { return linkInProcess(options); }
};

QColor PixelInsideTab(const OwnerDrawnTabBar &tabs, int index)
{
    const QImage image = const_cast<OwnerDrawnTabBar &>(tabs).grab().toImage();
    const QRect tab = tabs.tabRect(index);
    return image.pixelColor(tab.left() + 4, tab.top() + 4);
}

TEST_F(PanelTest, OpensOnTheMultiplexPageAndSwitchesWithTheTabs)
{
    ASSERT_TRUE(link());
    ASSERT_TRUE(panel().PanelActive);
    EXPECT_TRUE(panel().isVisible());
    EXPECT_EQ(panel().CurrentPage, CSetting::MultiplexPage);
    EXPECT_TRUE(panel().page(CSetting::MultiplexPage)->isVisible());
    EXPECT_EQ(panel().pageTabs()->tabText(2), QStringLiteral("USB (M1A)"));
    EXPECT_EQ(panel().pageTabs()->tabText(4), QStringLiteral("MANUFACTURER"));

    OwnerDrawnTabBar &tabs = *panel().pageTabs();
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(CSetting::MiscPage).center());
    EXPECT_EQ(panel().CurrentPage, CSetting::MiscPage);
    EXPECT_TRUE(panel().page(CSetting::MiscPage)->isVisible());
    EXPECT_FALSE(panel().page(CSetting::MultiplexPage)->isVisible());
    // Without advanced or manufacturer mode the MANUFACTURER page stays empty.
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(CSetting::ManufacturerPage).center());
    EXPECT_EQ(panel().CurrentPage, CSetting::ManufacturerPage);
    EXPECT_FALSE(panel().page(CSetting::ManufacturerPage)->isVisible());
}

TEST_F(PanelTest, ArrowKeysAndTheWheelSwitchPagesToo)
{
    ASSERT_TRUE(link());
    OwnerDrawnTabBar &tabs = *panel().pageTabs();
    tabs.setFocus();
    QTest::keyClick(&tabs, Qt::Key_Right);
    EXPECT_EQ(panel().CurrentPage, CSetting::ServicePage);
    EXPECT_TRUE(panel().page(CSetting::ServicePage)->isVisible());
    EXPECT_FALSE(panel().page(CSetting::MultiplexPage)->isVisible());

    // A wheel turn down over the strip moves the selection one tab on.
    const QPoint over = tabs.tabRect(CSetting::ServicePage).center();
    QWheelEvent wheel(over, tabs.mapToGlobal(over), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&tabs, &wheel);
    EXPECT_EQ(tabs.currentIndex(), CSetting::UsbPage);
    EXPECT_EQ(panel().CurrentPage, CSetting::UsbPage);
}

TEST_F(PanelTest, ManufacturerModeOpensOnTheManufacturerPage)
{
    startup.ManufacturerMode = 1;
    ASSERT_TRUE(link());
    EXPECT_EQ(panel().CurrentPage, CSetting::ManufacturerPage);
    EXPECT_TRUE(panel().page(CSetting::ManufacturerPage)->isVisible());
}

TEST_F(PanelTest, SelectedTabIsFilledWithItsColour)
{
    ASSERT_TRUE(link());
    OwnerDrawnTabBar &tabs = *panel().pageTabs();
    EXPECT_EQ(PixelInsideTab(tabs, 0), QColor(65, 105, 225));
    EXPECT_EQ(PixelInsideTab(tabs, 1), OwnerDrawnTabBar::Background);
    SaveScreenshot(panel(), QStringLiteral("settings-panel-multiplex"));

    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(CSetting::MiscPage).center());
    EXPECT_EQ(PixelInsideTab(tabs, 3), QColor(255, 165, 0));
    EXPECT_EQ(PixelInsideTab(tabs, 0), OwnerDrawnTabBar::Background);
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(CSetting::ManufacturerPage).center());
    EXPECT_EQ(PixelInsideTab(tabs, 4), QColor(192, 0, 0));
    SaveScreenshot(*window, QStringLiteral("settings-panel-manufacturer-tab"));
}

TEST_F(PanelTest, UsbTabIsGreyWithoutTheCapabilityAndTheInnerTabsKeepTheirColours)
{
    ASSERT_TRUE(link({.code = 176, .versionByte = 15}));
    OwnerDrawnTabBar &tabs = *panel().pageTabs();
    for (const auto &[usb, colour] : {std::pair{0, QColor(192, 192, 192)}, std::pair{1, QColor(50, 205, 50)}}) {
        panel().model().CapabilityUsb = quint8(usb);
        panel().SwitchPage(CSetting::UsbPage);
        EXPECT_EQ(PixelInsideTab(tabs, CSetting::UsbPage), colour) << usb;
        EXPECT_EQ(panel().page(CSetting::UsbPage)->isVisible(), usb != 0);
        panel().SwitchPage(CSetting::MultiplexPage);
    }
    EXPECT_EQ(PixelInsideTab(*panel().muxTabs(), 0), QColor(65, 105, 225));
    panel().SwitchPage(CSetting::ServicePage);
    EXPECT_EQ(PixelInsideTab(*panel().serviceTabs(), 0), QColor(50, 205, 50));
}

// The write comes on the tenth panel tick after the last edit (about 2 s at
// the real 200 ms period); the nine ticks before it poll the status. Counted
// in ticks, with the timers ten times faster, so that load cannot break it.
TEST_F(PanelTest, TenEditsGiveOneWriteOnTheTenthTickAfterTheLast)
{
    useFastTimers();
    ASSERT_TRUE(link());
    qsizetype pollsBeforeLastEdit = 0;
    for (int edit = 0; edit < 10; ++edit) {
        panel().MarkChanged();
        pollsBeforeLastEdit = commands().count(QStringLiteral("CMD_GET_STATUS"));
        QTest::qWait(5);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return commands().contains(QStringLiteral("CMD_WRITE_CONFIG")); }, 5000));
    QTest::qWait(100);

    const QStringList logged = commands();
    const qsizetype write = logged.indexOf(QStringLiteral("CMD_WRITE_CONFIG"));
    EXPECT_EQ(logged.count(QStringLiteral("CMD_WRITE_CONFIG")), 1);
    EXPECT_EQ(logged.mid(0, write).count(QStringLiteral("CMD_GET_STATUS")) - pollsBeforeLastEdit, 9);
    EXPECT_EQ(logged.value(write + 1), QStringLiteral("CMD_READ_CONFIG"));
    EXPECT_EQ(logged.value(write + 2), QStringLiteral("CMD_GET_STATUS"));
}

TEST_F(PanelTest, DeactivationWritesOnceWithNoEditPending)
{
    ASSERT_TRUE(link());
    panel().DeactivatePanel();
    EXPECT_FALSE(panel().PanelActive);
    EXPECT_FALSE(panel().isVisible());
    const QStringList logged = commands();
    EXPECT_EQ(logged.count(QStringLiteral("CMD_WRITE_CONFIG")), 1);
    EXPECT_EQ(logged.last(), QStringLiteral("CMD_READ_CONFIG"));
    QTest::qWait(500);
    EXPECT_EQ(commands(), logged); // the panel timer is stopped
}

TEST_F(PanelTest, RefusedConfigurationKeepsThePanelHidden)
{
    QList<int> beeps;
    const ScopedBeepSink sink([&](int frequency, int duration) { beeps << frequency << duration; });
    inProcess = std::make_unique<InProcessDevice>(InProcessDevice::Options{.faults = {QStringLiteral("CMD_READ_CONFIG:refuse")}});
    inProcess->plugInto(xmit);
    open({inProcess->portPath()});
    ASSERT_TRUE(QTest::qWaitFor([&] { return commands().contains(QStringLiteral("CMD_READ_CONFIG")); }, 10000));
    EXPECT_FALSE(panel().PanelActive);
    EXPECT_FALSE(panel().isVisible());
    EXPECT_EQ(beeps.mid(0, 2), (QList<int>{800, 500}));
}

TEST_F(PanelTest, EnterAndEscapeNeitherCloseNorAct)
{
    startup.AdvancedMode = 1;
    ASSERT_TRUE(link());
    QTest::keyClick(&panel(), Qt::Key_Escape);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QTest::keyClick(window.get(), Qt::Key_Return);
    QTest::qWait(300);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(panel().isVisible());
    EXPECT_FALSE(commands().contains(QStringLiteral("CMD_FILE_OPEN")));
}

// The input formats on the service tabs and the bitrates on the MULTIPLEX
// page belong to the device that reported them: a device linked next whose
// polls are refused shows none of them.
TEST_F(PanelTest, RelinkedDeviceShowsNoStatusOfThePreviousOne)
{
    useFastTimers();
    ASSERT_TRUE(link({.code = 176, .versionByte = 15}));
    QTemporaryDir storage;
    ASSERT_TRUE(QDir().mkpath(storage.filePath(QStringLiteral("media"))));
    QFile clip(storage.filePath(QStringLiteral("media/clip.ts")));
    ASSERT_TRUE(clip.open(QIODevice::WriteOnly));
    SimStatusOptions withStorage;
    withStorage.mediaDir = storage.filePath(QStringLiteral("media"));
    inProcess->device().setStatusOptions(withStorage);
    OwnerDrawnTabBar &serviceTabs = *panel().serviceTabs();
    const QLabel &bitrate = *panel().findChild<QLabel *>(QStringLiteral("bitrateText"));
    const QComboBox &mediaFiles = *panel().findChild<QComboBox *>(QStringLiteral("mediaFileList"));
    const QWidget &play = *panel().findChild<QWidget *>(QStringLiteral("playButton"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return serviceTabs.tabText(0).startsWith(QStringLiteral("M1A ")); }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bitrate.text().endsWith(QStringLiteral(" Kb/s")); }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return mediaFiles.count() == 1 && play.isEnabled(); }, 5000));

    inProcess->unplug();
    ASSERT_TRUE(waitForTitle(QString(), 5000));
    InProcessDevice next({.code = 176, .versionByte = 15, .faults = {QStringLiteral("CMD_GET_STATUS:refuse")}});
    next.plugInto(xmit);
    xmit.ListSerialPorts = [&next] { return QStringList{next.portPath()}; };
    ASSERT_TRUE(waitForStatusText(QStringLiteral("Hardware connected")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return next.commandsLogged().contains(QStringLiteral("CMD_GET_STATUS")); }, 5000));
    EXPECT_EQ(bitrate.text(), QStringLiteral("Init..."));
    // Nor the previous device's storage: no files, no player.
    EXPECT_EQ(mediaFiles.count(), 0);
    EXPECT_FALSE(play.isEnabled());

    OwnerDrawnTabBar &pageTabs = *panel().pageTabs();
    QTest::mouseClick(&pageTabs, Qt::LeftButton, {}, pageTabs.tabRect(CSetting::ServicePage).center());
    EXPECT_EQ(serviceTabs.tabText(0), QStringLiteral("M1A"));
}

TEST_F(PanelTest, ActivationSendsPanelCommandOnTheNewerFamilies)
{
    ASSERT_TRUE(link({.code = 159, .versionByte = 3}));
    EXPECT_TRUE(commands().contains(QStringLiteral("CMD_PANEL_3")));
}

} // namespace
