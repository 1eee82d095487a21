// The connection supervisor's decisions, with a recording window and strip,
// against the simulated device.

#include "devsimprocess.h"

#include "app/connectionsupervisor.h"
#include "auxiliary/statusstrip.h"
#include "link/cxmit.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct RecordingStrip : StatusStrip
{
    void ShowStatus(const QString &text, bool, int durationMs) override { messages << QStringLiteral("%1/%2").arg(text).arg(durationMs); }
    void SetProgress(int position, int range) override { progress << position << range; }
    void ShowLinkActivity(bool) override {}
    QStringList messages;
    QList<int> progress;
};

struct RecordingWindow : SupervisedWindow
{
    void UpdateTitleAndLayout(bool withPanel) override { calls << (withPanel ? "layout+panel" : "layout"); }
    void ShowWarningImage(bool visible) override { warning = visible; }
    void EnableMainWindow(bool enabled) override { calls << (enabled ? "enable" : "disable"); }
    void EnableLogButton(bool enabled) override { logButton = enabled; }
    bool ActivatePanel() override
    {
        calls << "activate";
        return configurationReadable;
    }
    void DeactivatePanel(bool linkLost) override { calls << (linkLost ? "deactivate-lost" : "deactivate"); }
    QStringList calls;
    bool configurationReadable = true;
    bool warning = false;
    bool logButton = false;
};

class SupervisorTest : public ::testing::Test
{
protected:
    void useDevice(const DevSimProcess &device)
    {
        xmit.ListSerialPorts = [path = device.ptyPath()] { return QStringList{path}; };
    }

    CXmit xmit;
    RecordingStrip strip;
    RecordingWindow window;
    QTemporaryDir firmwareFolder;
    ConnectionSupervisor supervisor{xmit, strip, window, firmwareFolder.path()};
};

TEST_F(SupervisorTest, SearchWithoutDeviceWaitsAndRetriesEverySecond)
{
    xmit.ListSerialPorts = [] { return QStringList(); };
    const ConnectionSupervisor::NextTimer next = supervisor.OnSearchTimer();
    EXPECT_EQ(next.id, ConnectionSupervisor::SearchTimer);
    EXPECT_EQ(next.delayMs, 1000);
    EXPECT_EQ(strip.messages, QStringList{QStringLiteral("Waiting connection.../2000")});
    EXPECT_EQ(strip.progress, (QList<int>{0, 1}));
    EXPECT_EQ(window.calls, QStringList{QStringLiteral("layout")});
    EXPECT_FALSE(window.logButton);
}

TEST_F(SupervisorTest, LinkingActivatesThePanelAndWatches)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start());
    useDevice(device);
    const ConnectionSupervisor::NextTimer next = supervisor.OnSearchTimer();
    EXPECT_EQ(next.id, ConnectionSupervisor::WatchTimer);
    EXPECT_EQ(next.delayMs, 1000);
    EXPECT_EQ(window.calls, (QStringList{QStringLiteral("layout"), QStringLiteral("layout+panel"), QStringLiteral("activate")}));
    EXPECT_EQ(strip.messages.last(), QStringLiteral("Hardware connected/1000000"));
    EXPECT_TRUE(window.logButton);

    window.calls.clear();
    EXPECT_EQ(supervisor.OnWatchTimer().delayMs, 100);
    EXPECT_TRUE(window.calls.isEmpty());

    xmit.LinkLost = true;
    const ConnectionSupervisor::NextTimer lost = supervisor.OnWatchTimer();
    EXPECT_EQ(lost.id, ConnectionSupervisor::SearchTimer);
    EXPECT_EQ(lost.delayMs, 100);
    EXPECT_EQ(window.calls, (QStringList{QStringLiteral("deactivate-lost"), QStringLiteral("layout")}));
    EXPECT_FALSE(xmit.LinkLost);
    EXPECT_FALSE(xmit.isLinked());
}

TEST_F(SupervisorTest, EdidRepairDeactivatesThenRepairsOnTheNextStep)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start());
    useDevice(device);
    ASSERT_EQ(supervisor.OnSearchTimer().id, ConnectionSupervisor::WatchTimer);
    supervisor.Requests.EdidPending = true;
    window.calls.clear();
    EXPECT_EQ(supervisor.OnWatchTimer().id, ConnectionSupervisor::SearchTimer);
    EXPECT_EQ(window.calls, (QStringList{QStringLiteral("deactivate"), QStringLiteral("layout")}));
    EXPECT_TRUE(xmit.isLinked()); // the repair needs the link

    EXPECT_EQ(supervisor.OnSearchTimer().id, ConnectionSupervisor::WatchTimer);
    EXPECT_FALSE(supervisor.Requests.EdidPending);
    EXPECT_TRUE(strip.messages.contains(QStringLiteral("EDID table programming, wait.../5000")));
    const QStringList commands = device.commandsLogged();
    const qsizetype repair = commands.indexOf(QStringLiteral("CMD_EDID_REPAIR"));
    ASSERT_GE(repair, 0);
    EXPECT_EQ(commands.value(repair + 1), QStringLiteral("CMD_IDENTIFY")); // closed and probed again
}

TEST_F(SupervisorTest, AfterAnUpgradeTheStripWarnsForTwentyTicks)
{
    xmit.ListSerialPorts = [] { return QStringList(); };
    supervisor.UpgradeCountdown = 2;
    supervisor.OnSearchTimer();
    EXPECT_TRUE(window.warning);
    EXPECT_EQ(strip.messages.last(), QStringLiteral("WAIT. DO NOT POWER OFF.../200"));
    supervisor.OnSearchTimer();
    EXPECT_EQ(supervisor.UpgradeCountdown, 0);
    supervisor.OnSearchTimer();
    EXPECT_FALSE(window.warning);
    EXPECT_EQ(strip.messages.last(), QStringLiteral("Waiting connection.../2000"));
}

TEST_F(SupervisorTest, AnUnreadableConfigurationIsNoLink)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start());
    useDevice(device);
    window.configurationReadable = false;
    EXPECT_EQ(supervisor.OnSearchTimer().id, ConnectionSupervisor::SearchTimer);
    EXPECT_FALSE(xmit.isLinked());
    EXPECT_EQ(window.calls.last(), QStringLiteral("layout"));
    EXPECT_FALSE(window.logButton);
    EXPECT_FALSE(strip.messages.contains(QStringLiteral("Hardware connected/1000000")));

    // The same device is tried again on the next round.
    window.configurationReadable = true;
    EXPECT_EQ(supervisor.OnSearchTimer().id, ConnectionSupervisor::WatchTimer);
    EXPECT_EQ(device.commandsLogged().count(QStringLiteral("CMD_IDENTIFY")), 2);
}

TEST_F(SupervisorTest, FirmwareCheckThatUpgradesKeepsSearching)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start());
    useDevice(device);
    supervisor.FirmwareCheck = [] { return 1; };
    EXPECT_EQ(supervisor.OnSearchTimer().id, ConnectionSupervisor::SearchTimer);
    EXPECT_FALSE(window.calls.contains(QStringLiteral("activate")));
}

} // namespace
