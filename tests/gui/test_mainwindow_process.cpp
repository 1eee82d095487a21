// The real main window linked to a simulated device started as a process,
// over its pseudo-terminal: the serial road end to end (Linux only).

#include "answeringprompts.h"
#include "devsimprocess.h"
#include "guitestsupport.h"
#include "layoutrecords.h"
#include "linkedwindow.h"

#include "auxiliary/gui/cinfo.h"
#include "panel/gui/csetting.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using MainWindowTest = LinkedWindowTest;

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

// The whole road over the pseudo-terminal: one edit, the write about 2 s
// later, the record the device process received.
TEST_F(MainWindowTest, PageEditReachesADeviceProcessAfterTheDeferredWrite)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 131, .versionByte = 9}));
    open({device.ptyPath()});
    ASSERT_TRUE(waitForStatusText(QStringLiteral("Hardware connected")));
    auto *nitVersion = window->findChild<QLineEdit *>(QStringLiteral("nitVersionEdit"));
    ASSERT_TRUE(nitVersion);
    nitVersion->selectAll();
    QTest::keyClicks(nitVersion, QStringLiteral("33"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return device.commandsLogged().contains(QStringLiteral("CMD_WRITE_CONFIG")); },
                                6000));
    QByteArray record;
    for (const QString &line : device.requestLog()) {
        const QStringList fields = line.split(u' ');
        if (fields.value(3) == QStringLiteral("CMD_WRITE_CONFIG"))
            record = QByteArray::fromHex(fields.value(4).toLatin1());
    }
    const RecordFields written = ReadLayout1(record, 1);
    ASSERT_FALSE(written.Failed);
    EXPECT_EQ(written.NitVersion, 1);
    EXPECT_EQ(written.Muxes[0].FreqKHz, 474000u);
}

} // namespace
