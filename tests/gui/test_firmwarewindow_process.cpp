// The firmware upgrade in the real main window, against the simulated device
// behind its pseudo-terminal: the window is disabled while the image goes
// out, the progress bar is painted as it moves, and the tool links the
// rebooted device with its new version.

#include "firmwarefiles.h"
#include "guitestsupport.h"
#include "devsimprocess.h"
#include "linkedwindow.h"

#include "auxiliary/gui/cinfo.h"
#include "auxiliary/gui/progressline.h"
#include "panel/gui/csetting.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Every paint of the progress bar: its position and range, and whether the
// main window took input at that moment.
class PaintRecorder : public QObject
{
public:
    PaintRecorder(ProgressLine &bar, QWidget &window) : m_bar(bar), m_window(window) { bar.installEventFilter(this); }

    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (object == &m_bar && event->type() == QEvent::Paint)
            paints.append({m_bar.value(), m_bar.maximum(), m_window.isEnabled()});
        return false;
    }

    struct Paint
    {
        int value;
        int maximum;
        bool windowEnabled;
    };
    QList<Paint> paints;

private:
    ProgressLine &m_bar;
    QWidget &m_window;
};

class FirmwareWindowTest : public LinkedWindowTest
{
protected:
    QStringList commands() const { return process.commandsLogged(); }

    DevSimProcess process;

    void addFile(const QString &label, int version, int size)
    {
        ASSERT_FALSE(WriteFirmwareFile(startup.FirmwareFolder, label, version, TaggedFirmwareImage(size, version)).isEmpty());
    }
};

TEST_F(FirmwareWindowTest, UpgradeMovesTheBarInADisabledWindowThenRelinksWithTheNewVersion)
{
    addFile(QStringLiteral("DUNASA"), 15, 64 * 512 + 100);
    ASSERT_TRUE(process.start({.code = 132, .versionByte = 14}));
    open({process.ptyPath()});
    PaintRecorder recorder(*window->statusStrip()->progressBar(), *window);

    ASSERT_TRUE(waitForTitle(QStringLiteral(" (H132[84]-1.5)"), 30000));
    EXPECT_TRUE(window->isEnabled());
    EXPECT_TRUE(panel().isVisible());
    EXPECT_EQ(window->statusStrip()->statusText(), QStringLiteral("Hardware connected"));

    int movingPaints = 0;
    for (const PaintRecorder::Paint &paint : recorder.paints) {
        if (paint.maximum == 64 * 512 + 100 && paint.value > 0 && paint.value < paint.maximum) {
            ++movingPaints;
            EXPECT_FALSE(paint.windowEnabled) << paint.value;
        }
    }
    // Painted while it moved, not only once at the end.
    EXPECT_GE(movingPaints, 3);

    const QStringList sent = commands();
    EXPECT_EQ(sent.count(QStringLiteral("CMD_FLASH_DATA")), 1 + 65 + 1);
    EXPECT_EQ(sent.count(QStringLiteral("CMD_REBOOT")), 1);
    // Identified again after the reboot, and the file is not sent twice.
    EXPECT_EQ(sent.count(QStringLiteral("CMD_IDENTIFY")), 2);
    SaveScreenshot(*window, QStringLiteral("firmware-upgraded"));
}

TEST_F(FirmwareWindowTest, ChunkFailureShowsWriteErrorAndTheNextStepRetries)
{
    useFastTimers();
    addFile(QStringLiteral("DUNASA"), 15, 4000);
    ASSERT_TRUE(process.start({.code = 132, .versionByte = 14,
                               .extraArguments = {QStringLiteral("--fail-firmware-chunk"), QStringLiteral("5")}}));
    open({process.ptyPath()});
    ASSERT_TRUE(waitForStatusText(QStringLiteral("write error !"), 20000));
    EXPECT_TRUE(window->isEnabled());
    ASSERT_TRUE(waitForTitle(QStringLiteral(" (H132[84]-1.5)"), 30000));
    EXPECT_EQ(commands().count(QStringLiteral("CMD_FLASH_BEGIN")), 2);
    EXPECT_EQ(commands().count(QStringLiteral("CMD_REBOOT")), 1);
}

TEST_F(FirmwareWindowTest, FirmwareReloadRewritesTheVersionTheDeviceRuns)
{
    useFastTimers();
    addFile(QStringLiteral("DUNASA"), 15, 3000);
    ASSERT_TRUE(process.start({.code = 132, .versionByte = 15}));
    open({process.ptyPath()});
    ASSERT_TRUE(waitForStatusText(QStringLiteral("Hardware connected")));
    EXPECT_EQ(commands().count(QStringLiteral("CMD_FLASH_BEGIN")), 0);

    window->supervisor().Requests.ForceReload = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return commands().contains(QStringLiteral("CMD_REBOOT")); }, 15000));
    EXPECT_FALSE(window->supervisor().Requests.ForceReload);
    ASSERT_TRUE(waitForStatusText(QStringLiteral("Hardware connected"), 15000));
    EXPECT_EQ(window->windowTitle(), NoDeviceTitle + QStringLiteral(" (H132[84]-1.5)"));
    // Rewritten once: after the reboot nothing is due any more.
    EXPECT_EQ(commands().count(QStringLiteral("CMD_FLASH_BEGIN")), 1);
}

TEST_F(FirmwareWindowTest, ADeviceUnpluggedDuringTheUpgradeIsLinkedSoonAfterItReturns)
{
    addFile(QStringLiteral("DUNASA"), 15, 200 * 512);
    // At the line rate the transfer takes seconds: time to pull the plug.
    ASSERT_TRUE(process.start({.code = 132, .versionByte = 14, .baud = 115200}));
    open({process.ptyPath()});
    // The upgrade runs inside a window handler; a timer reaches into it.
    bool unplugged = false;
    QTimer unplug;
    QObject::connect(&unplug, &QTimer::timeout, [&] {
        if (unplugged || window->statusStrip()->progressBar()->value() < 10 * 512)
            return;
        unplugged = true;
        process.stop();
    });
    unplug.start(20);
    ASSERT_TRUE(QTest::qWaitFor([&] { return unplugged; }, 30000));
    unplug.stop();
    ASSERT_TRUE(waitForStatusText(QStringLiteral("write error !"), 20000));

    // Back with the version it had before, as a failed transfer leaves it:
    // the search links it again and starts the upgrade anew.
    // Nothing goes on the line while the port is missing: the first frame
    // after the return is the identification. The search runs inside a
    // window handler too, so a timer takes the time.
    const int framesBefore = xmit.transmissions();
    ASSERT_TRUE(process.start({.code = 132, .versionByte = 14}));
    QElapsedTimer sinceReturn;
    sinceReturn.start();
    qint64 identifiedAfterMs = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (identifiedAfterMs < 0 && xmit.transmissions() > framesBefore)
            identifiedAfterMs = sinceReturn.elapsed();
    });
    watch.start(5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return identifiedAfterMs >= 0; }, 20000));
    std::printf("identified again %lld ms after the device returned\n", qlonglong(identifiedAfterMs));
    ASSERT_TRUE(waitForTitle(QStringLiteral(" (H132[84]-1.5)"), 30000));
}

} // namespace
