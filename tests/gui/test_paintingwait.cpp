// The window keeps painting while it waits on the device: a 10 ms heartbeat
// on the window's thread and the paints of the status strip go on through
// exchanges that wait out their time-outs, and the device still receives the
// same requests in the same order.

#include "devsimprocess.h"

#include "app/gui/cdiduvifacedlg.h"
#include "app/sidefiles.h"
#include "auxiliary/gui/cinfo.h"
#include "link/cxmit.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// A 10 ms heartbeat that asks the strip to repaint, and the largest gaps
// between heartbeats and between the strip's paints.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget &strip) : m_strip(strip)
    {
        m_clock.start();
        m_strip.installEventFilter(this);
        m_heartbeat.setTimerType(Qt::PreciseTimer);
        connect(&m_heartbeat, &QTimer::timeout, this, [this] {
            note(m_lastBeat, LargestBeatGap);
            m_strip.update();
        });
        m_heartbeat.start(10);
    }

    void stop()
    {
        m_heartbeat.stop();
        m_strip.removeEventFilter(this);
        note(m_lastBeat, LargestBeatGap);
        note(m_lastPaint, LargestPaintGap);
    }

    qint64 LargestBeatGap = 0;
    qint64 LargestPaintGap = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_strip && event->type() == QEvent::Paint)
            note(m_lastPaint, LargestPaintGap);
        return false;
    }

private:
    void note(qint64 &last, qint64 &largest)
    {
        const qint64 now = m_clock.elapsed();
        largest = std::max(largest, now - last);
        last = now;
    }

    QWidget &m_strip;
    QElapsedTimer m_clock;
    QTimer m_heartbeat;
    qint64 m_lastBeat = 0;
    qint64 m_lastPaint = 0;
};

class PaintingWaitTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        startup.ProgramFolder = folder.path();
        startup.DesktopFolder = folder.path();
    }

    void open(const QStringList &ports)
    {
        xmit.ListSerialPorts = [ports] { return ports; };
        window = std::make_unique<CDiduvIfaceDlg>(xmit, startup);
        window->OnInitDialog();
        window->show();
    }

    void report(const char *what, const PaintWatch &watch)
    {
        std::printf("%s: largest heartbeat gap %lld ms, largest strip paint gap %lld ms\n", what,
                    static_cast<long long>(watch.LargestBeatGap), static_cast<long long>(watch.LargestPaintGap));
    }

    QTemporaryDir folder;
    StartupValues startup;
    CXmit xmit;
    std::unique_ptr<CDiduvIfaceDlg> window;
};

// The panel polls a device that ignores status requests: two attempts of
// 2.5 s, the link is lost, and the supervisor links the device again.
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
}

// The supervisor probes a serial port whose device never answers: two
// attempts of 2.5 s per search round.
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
}

} // namespace
