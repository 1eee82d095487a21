// The main window's title and display scale, and the log file naming and
// reporting of the status strip.

#include "app/windowtitle.h"
#include "auxiliary/logdownload.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowTitle, ProgramVersionThenTheLinkedDevice)
{
    EXPECT_EQ(WindowTitle(12, nullptr), QStringLiteral("RERUDAD 9.8 - VOZEDUV(c) (setup 12)"));
    const DeviceIdentity code132{132, 14, 9};
    EXPECT_EQ(WindowTitle(0, &code132), QStringLiteral("RERUDAD 9.8 - VOZEDUV(c) (setup 0) (H132[84]-1.4)"));
    const DeviceIdentity code121{121, 23, 0};
    EXPECT_TRUE(WindowTitle(0, &code121).endsWith(QStringLiteral(" (H121[79]-2.3)")));
    const DeviceIdentity code142{142, 7, 3};
    EXPECT_TRUE(WindowTitle(0, &code142).endsWith(QStringLiteral(" (H142[8E]-7.3)")));
}

TEST(DisplayScale, Thresholds)
{
    EXPECT_DOUBLE_EQ(DisplayScaleFor(1.6), 1.8);
    EXPECT_DOUBLE_EQ(DisplayScaleFor(1.59), 1.5);
    EXPECT_DOUBLE_EQ(DisplayScaleFor(1.45), 1.5);
    EXPECT_DOUBLE_EQ(DisplayScaleFor(1.2), 1.25);
    EXPECT_DOUBLE_EQ(DisplayScaleFor(1.16), 1.25);
    EXPECT_DOUBLE_EQ(DisplayScaleFor(1.1), 1.1);
}

TEST(LogDownload, FileNameFromTheLocalTime)
{
    const QDateTime time(QDate(2026, 3, 7), QTime(9, 5, 2));
    EXPECT_EQ(LogFilePath(QStringLiteral("/home/u/Desktop"), time), QStringLiteral("/home/u/Desktop/LOG_20260307_090502.txt"));
}

TEST(LogDownload, SuccessIsReportedOnlyWhenSomethingWasSaved)
{
    LogDownload download;
    download.path = QStringLiteral("/d/LOG.txt");
    download.bytesSaved = 10;
    EXPECT_EQ(LogDownloadMessage(download), QStringLiteral("Logs saved into /d/LOG.txt"));
    download.failed = true;
    EXPECT_TRUE(LogDownloadMessage(download).startsWith(QStringLiteral("Log download incomplete")));
    download.bytesSaved = 0;
    EXPECT_TRUE(LogDownloadMessage(download).startsWith(QStringLiteral("Log download failed")));
    download.failed = false;
    EXPECT_FALSE(LogDownloadMessage(download).startsWith(QStringLiteral("Logs saved into ")));
    EXPECT_TRUE(LogDownloadMessage(download).endsWith(QStringLiteral("/d/LOG.txt")));
}

} // namespace
