// The settings panel in the real main window, linked to the simulated device.

#include "devsimprocess.h"
#include "guitestsupport.h"

#include "auxiliary/beep.h"
#include "app/gui/cdiduvifacedlg.h"
#include "app/sidefiles.h"
#include "auxiliary/gui/cinfo.h"
#include "link/cxmit.h"
#include "panel/gui/csetting.h"
#include "panel/gui/ownerdrawntabbar.h"
#include "panel/gui/settingspage.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        startup.ProgramFolder = folder.path();
        startup.DesktopFolder = folder.path();
    }

    // Links the window to a simulated device of that code; true once the
    // panel is active.
    bool link(const DevSimProcess::Options &options = {})
    {
        if (!device.start(options))
            return false;
        xmit.ListSerialPorts = [this] { return QStringList{device.ptyPath()}; };
        window = std::make_unique<CDiduvIfaceDlg>(xmit, startup);
        window->OnInitDialog();
        window->show();
        return QTest::qWaitFor([&] { return window->statusStrip()->statusText() == QStringLiteral("Hardware connected"); }, 15000);
    }

    CSetting &panel() { return *window->panel(); }
    QStringList commands() const { return device.commandsLogged(); }

    QTemporaryDir folder;
    StartupValues startup;
    DevSimProcess device;
    CXmit xmit;
    std::unique_ptr<CDiduvIfaceDlg> window;
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

TEST_F(PanelTest, TenEditsGiveOneWriteAboutTwoSecondsAfterTheLast)
{
    ASSERT_TRUE(link());
    QElapsedTimer clock;
    clock.start();
    QList<qint64> writes;
    xmit.ShowLinkActivity = [&, strip = window->statusStrip()](bool write) {
        if (write)
            writes << clock.elapsed();
        strip->ShowLinkActivity(write);
    };
    qint64 lastEdit = 0;
    for (int edit = 0; edit < 10; ++edit) {
        panel().MarkChanged();
        lastEdit = clock.elapsed();
        QTest::qWait(100);
    }
    QTest::qWait(3500);
    ASSERT_EQ(writes.size(), 1);
    EXPECT_GE(writes[0] - lastEdit, 1800);
    EXPECT_LE(writes[0] - lastEdit, 3400);

    const QStringList logged = commands();
    const qsizetype write = logged.indexOf(QStringLiteral("CMD_WRITE_CONFIG"));
    ASSERT_GE(write, 0);
    EXPECT_EQ(logged.count(QStringLiteral("CMD_WRITE_CONFIG")), 1);
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
    ASSERT_TRUE(link({.extraArguments = {QStringLiteral("--fault"), QStringLiteral("CMD_READ_CONFIG:refuse")}}));
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

TEST_F(PanelTest, ActivationSendsPanelCommandOnTheNewerFamilies)
{
    ASSERT_TRUE(link({.code = 159, .versionByte = 3}));
    EXPECT_TRUE(commands().contains(QStringLiteral("CMD_PANEL_3")));
}

} // namespace
