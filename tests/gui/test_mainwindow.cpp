// The real main window on the offscreen platform, linked to simulated devices.

#include "answeringprompts.h"
#include "guitestsupport.h"
#include "linkedwindow.h"

#include "auxiliary/gui/cinfo.h"
#include "panel/gui/csetting.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The lost-link and relink cases run against in-process devices; the lamps,
// the log download and the close during an exchange go over a device
// process's pseudo-terminal, end to end.
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

TEST_F(MainWindowTest, LampsLightOnExchanges)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start());
    open({device.ptyPath()});
    ASSERT_TRUE(waitForTitle(QStringLiteral(" (H132[84]-1.4)")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->statusStrip()->sendLampLit(); }, 2000));
    EXPECT_FALSE(window->statusStrip()->writeLampLit());
    // A write on the next panel tick, as a factory default asks for.
    window->panel()->model().CommitCountdown = 1;
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->statusStrip()->writeLampLit(); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->statusStrip()->writeLampLit(); }, 2000));
}

TEST_F(MainWindowTest, LogDownloadAppendsBothDeviceLogsOnTheDesktop)
{
    startup.AdvancedMode = 1;
    DevSimProcess device;
    ASSERT_TRUE(device.start());
    open({device.ptyPath()});
    ASSERT_TRUE(waitForTitle(QStringLiteral(" (H132[84]-1.4)")));
    QPushButton *button = window->statusStrip()->logButton();
    ASSERT_TRUE(button->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return button->isEnabled(); }, 2000));

    AnsweringPrompts prompts;
    const QDateTime beforeClick = QDateTime::currentDateTime();
    QTest::mouseClick(button, Qt::LeftButton);
    const QDateTime afterClick = QDateTime::currentDateTime();

    // The name carries the local time of the click, to the second:
    // LOG_yyyyMMdd_HHmmss.txt.
    QStringList namesOfTheClick;
    for (QDateTime second = beforeClick.addMSecs(-beforeClick.time().msec()); second <= afterClick;
         second = second.addSecs(1)) {
        namesOfTheClick << QStringLiteral("LOG_") + second.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('_')
                               + second.toString(QStringLiteral("HHmmss")) + QStringLiteral(".txt");
    }
    const QStringList logs = QDir(startup.DesktopFolder).entryList(QDir::Files);
    ASSERT_EQ(logs.size(), 1);
    EXPECT_TRUE(namesOfTheClick.contains(logs[0])) << logs[0].toStdString() << " not in "
                                                   << namesOfTheClick.join(' ').toStdString();
    QFile file(QDir(startup.DesktopFolder).filePath(logs[0]));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray contents = file.readAll();
    EXPECT_TRUE(contents.startsWith("logFile.0 line 1:"));
    EXPECT_TRUE(contents.endsWith("logFile line 40: encoder running, bitrate ok\n"));
    EXPECT_EQ(contents.count("\n"), 160);
    EXPECT_EQ(prompts.messageTexts(), QStringList{QStringLiteral("Logs saved into ") + file.fileName()});
}

TEST_F(MainWindowTest, LogDownloadFromASilentDeviceSaysItFailed)
{
    startup.AdvancedMode = 1;
    DevSimProcess device;
    ASSERT_TRUE(device.start({.extraArguments = {QStringLiteral("--fault"), QStringLiteral("CMD_FILE_OPEN:refuse")}}));
    open({device.ptyPath()});
    ASSERT_TRUE(waitForTitle(QStringLiteral(" (H132[84]-1.4)")));
    AnsweringPrompts prompts;
    window->DownloadLogs();
    ASSERT_EQ(prompts.Messages.size(), 1);
    EXPECT_TRUE(prompts.Messages[0].Text.startsWith(QStringLiteral("Log download failed, nothing saved into ")));
    EXPECT_FALSE(device.commandsLogged().contains(QStringLiteral("CMD_FILE_CLOSE")));
}

// The user closes the window while the panel waits for a slow status reply:
// the close is held until that tick ends, then the pending edit is written
// and read back as at any other close, and the window closes.
TEST_F(MainWindowTest, CloseDuringAnExchangeWritesThePendingEditAndThenCloses)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.extraArguments = {QStringLiteral("--fault"), QStringLiteral("CMD_GET_STATUS:delay:1000")}}));
    open({device.ptyPath()});
    ASSERT_TRUE(waitForTitle(QStringLiteral(" (H132[84]-1.4)")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return device.commandsLogged().contains(QStringLiteral("CMD_GET_STATUS")); }, 5000));
    window->panel()->MarkChanged();

    // The close arrives as the window system would send it: from the event
    // loop, while the next status poll waits for its reply.
    QTimer closer;
    closer.setSingleShot(true);
    bool closedAtOnce = true;
    bool visibleAfterClose = false;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        closedAtOnce = window->close();
        visibleAfterClose = window->isVisible();
    });
    const qsizetype polls = device.commandsLogged().count(QStringLiteral("CMD_GET_STATUS"));
    xmit.ShowLinkActivity = [&, strip = window->statusStrip()](bool write) {
        strip->ShowLinkActivity(write);
        if (!write && !closer.isActive() && device.commandsLogged().count(QStringLiteral("CMD_GET_STATUS")) == polls)
            closer.start(300);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 10000));
    EXPECT_FALSE(closedAtOnce);
    EXPECT_TRUE(visibleAfterClose);

    const QStringList log = device.requestLog();
    const QStringList logged = device.commandsLogged();
    ASSERT_GE(logged.size(), 3);
    EXPECT_EQ(logged.mid(logged.size() - 3), (QStringList{QStringLiteral("CMD_GET_STATUS"), QStringLiteral("CMD_WRITE_CONFIG"),
                                                          QStringLiteral("CMD_READ_CONFIG")}));
    EXPECT_EQ(logged.count(QStringLiteral("CMD_WRITE_CONFIG")), 1);
    // The write left only once the delayed status reply had come.
    const auto millisecondsOf = [](const QString &line) { return line.section(QLatin1Char(' '), 1, 1).toLongLong(); };
    EXPECT_GE(millisecondsOf(log[log.size() - 2]) - millisecondsOf(log[log.size() - 3]), 900);
    QTest::qWait(300);
    EXPECT_EQ(device.commandsLogged(), logged); // nothing polls after the close
}

TEST_F(MainWindowTest, LogButtonOnlyInAdvancedMode)
{
    open({});
    EXPECT_FALSE(window->statusStrip()->logButton()->isVisible());
    EXPECT_TRUE(window->statusStrip()->findChild<QWidget *>(QStringLiteral("logoIcon"))->isVisible());
}

} // namespace
