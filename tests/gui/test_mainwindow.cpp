// The real main window on the offscreen platform, linked to the simulated
// device over its pseudo-terminal.

#include "answeringprompts.h"
#include "devsimprocess.h"
#include "guitestsupport.h"

#include "app/gui/cdiduvifacedlg.h"
#include "app/sidefiles.h"
#include "auxiliary/gui/cinfo.h"
#include "link/cxmit.h"
#include "panel/gui/csetting.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString NoDeviceTitle = QStringLiteral("RERUDAD 9.8 - VOZEDUV(c) (setup 12)");

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        startup.ProgramFolder = folder.path();
        startup.FirmwareFolder = folder.filePath(QStringLiteral("firmware/"));
        startup.DesktopFolder = folder.filePath(QStringLiteral("Desktop"));
        QDir().mkpath(startup.DesktopFolder);
        startup.SetupVersion = 12;
    }

    // Builds the window searching only the given serial ports.
    void open(const QStringList &ports)
    {
        xmit.ListSerialPorts = [ports] { return ports; };
        window = std::make_unique<CDiduvIfaceDlg>(xmit, startup);
        window->OnInitDialog();
        window->show();
    }

    bool waitForTitle(const QString &suffix, int timeoutMs = 15000)
    {
        return QTest::qWaitFor([&] { return window->windowTitle() == NoDeviceTitle + suffix; }, timeoutMs);
    }

    QTemporaryDir folder;
    StartupValues startup;
    CXmit xmit;
    std::unique_ptr<CDiduvIfaceDlg> window;
};

TEST_F(MainWindowTest, WaitsWithTheProgramTitleAndOnlyTheStrip)
{
    open({});
    EXPECT_EQ(window->windowTitle(), NoDeviceTitle);
    EXPECT_EQ(window->height(), window->statusStrip()->height() + 30);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->statusStrip()->statusText() == QStringLiteral("Waiting connection..."); }, 3000));
    EXPECT_FALSE(window->panel()->isVisible());
    SaveScreenshot(*window, QStringLiteral("main-window-waiting"));
}

TEST_F(MainWindowTest, LinksShowsTheDeviceAndLosesItWhenItStops)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 132, .versionByte = 14}));
    open({device.ptyPath()});
    ASSERT_TRUE(waitForTitle(QStringLiteral(" (H132[84]-1.4)")));
    EXPECT_EQ(window->statusStrip()->statusText(), QStringLiteral("Hardware connected"));
    EXPECT_TRUE(window->panel()->isVisible());
    EXPECT_GT(window->height(), window->statusStrip()->height() + 30);
    SaveScreenshot(*window, QStringLiteral("main-window-linked"));

    device.stop();
    EXPECT_TRUE(waitForTitle(QString()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->statusStrip()->statusText() == QStringLiteral("Waiting connection..."); }, 5000));
    EXPECT_FALSE(window->panel()->isVisible());
}

TEST_F(MainWindowTest, ForceReloadDropsAndRelinks)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 142, .versionByte = 7, .minor = 3}));
    open({device.ptyPath()});
    ASSERT_TRUE(waitForTitle(QStringLiteral(" (H142[8E]-7.3)")));
    window->supervisor().ForceReload = true;
    ASSERT_TRUE(waitForTitle(QString(), 3000));
    ASSERT_TRUE(waitForTitle(QStringLiteral(" (H142[8E]-7.3)")));
    EXPECT_EQ(device.commandsLogged().count(QStringLiteral("CMD_IDENTIFY")), 2);
    EXPECT_FALSE(window->supervisor().ForceReload);
}

TEST_F(MainWindowTest, LampsLightOnExchanges)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start());
    open({device.ptyPath()});
    ASSERT_TRUE(waitForTitle(QStringLiteral(" (H132[84]-1.4)")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->statusStrip()->sendLampLit(); }, 2000));
    EXPECT_FALSE(window->statusStrip()->writeLampLit());
    window->panel()->MarkChanged();
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

TEST_F(MainWindowTest, LogButtonOnlyInAdvancedMode)
{
    open({});
    EXPECT_FALSE(window->statusStrip()->logButton()->isVisible());
    EXPECT_TRUE(window->statusStrip()->findChild<QWidget *>(QStringLiteral("logoIcon"))->isVisible());
}

} // namespace
