// The log download against the simulated device, with a strip that records
// what the user would have seen.

#include "devsimprocess.h"

#include "auxiliary/logdownload.h"
#include "auxiliary/statusstrip.h"
#include "link/cxmit.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct RecordingStrip : StatusStrip
{
    void ShowStatus(const QString &text, bool, int durationMs) override
    {
        messages << QStringLiteral("%1/%2").arg(text).arg(durationMs);
    }
    void SetProgress(int position, int range) override { progress << QStringLiteral("%1/%2").arg(position).arg(range); }
    void ShowLinkActivity(bool) override {}
    QStringList messages;
    QStringList progress;
};

TEST(LogDownload, EachFileIsAnnouncedOnceItIsOpenAndTheBarFollowsThePieces)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start());
    CXmit xmit;
    ASSERT_TRUE(xmit.OpenSerialPort(device.ptyPath()) && xmit.ProbeDevice());
    QTemporaryDir desktop;
    RecordingStrip strip;
    const LogDownload download = DownloadLogs(xmit, strip, desktop.path(), QDateTime(QDate(2026, 12, 9), QTime(5, 30)));
    EXPECT_FALSE(download.failed);
    EXPECT_EQ(download.path, desktop.filePath(QStringLiteral("LOG_20261209_053000.txt")));
    EXPECT_EQ(strip.messages, (QStringList{QStringLiteral("Downloading file 1/2.../1000"),
                                           QStringLiteral("Downloading file 2/2.../1000")}));
    // The bar ends full: the last piece of the second file.
    ASSERT_FALSE(strip.progress.isEmpty());
    const QStringList last = strip.progress.last().split(QLatin1Char('/'));
    EXPECT_EQ(last[0], last[1]);
    EXPECT_GT(last[0].toInt(), 0);
}

TEST(LogDownload, AnEmptyOrRefusedFileIsNotAnnounced)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.extraArguments = {QStringLiteral("--fault"), QStringLiteral("CMD_FILE_OPEN:refuse")}}));
    CXmit xmit;
    ASSERT_TRUE(xmit.OpenSerialPort(device.ptyPath()) && xmit.ProbeDevice());
    QTemporaryDir desktop;
    RecordingStrip strip;
    const LogDownload download = DownloadLogs(xmit, strip, desktop.path(), QDateTime::currentDateTime());
    EXPECT_TRUE(download.failed);
    EXPECT_TRUE(strip.messages.isEmpty());
    EXPECT_TRUE(strip.progress.isEmpty());
}

} // namespace
