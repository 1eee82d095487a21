// The CLI's progress on stderr: plain lines for logs and pipes, one updating
// line on a terminal, nothing when quiet; every line names the command and
// the device.

#include "progressreporter.h"

#include <gtest/gtest.h>

namespace {

struct ReporterFixture
{
    QString outText;
    QString errText;
    QTextStream out{&outText};
    QTextStream err{&errText};
    CliContext context{out, err};
    qint64 nowMs = 0;
    QList<int> sleeps;

    ReporterFixture()
    {
        context.commandName = QStringLiteral("logs");
        context.deviceName = QStringLiteral("tcp:10.0.0.5:6666");
    }
    ProgressReporter::Clock clock()
    {
        return {[this] { return nowMs; }, [this](int ms) { sleeps << ms; }};
    }
};

TEST(ProgressReporter, PlainLinesGiveTheTextsAndEachTenthWithBytesAndRate)
{
    ReporterFixture fixture;
    {
        ProgressReporter reporter(fixture.context, ProgressReporter::Style::Lines, fixture.clock());
        reporter.ShowStatus(QStringLiteral("Downloading file 1/2..."), false, 1000);
        fixture.nowMs = 100;
        reporter.SetProgress(2048, 5400);
        fixture.nowMs = 150;
        reporter.SetProgress(2100, 5400); // still the same tenth: no line
        fixture.nowMs = 300;
        reporter.SetProgress(5400, 5400);
        reporter.ShowStatus(QStringLiteral("Downloading file 2/2..."), false, 1000);
        fixture.nowMs = 1300;
        reporter.SetProgress(904, 904);
    }
    EXPECT_EQ(fixture.errText.toStdString(),
              "logs tcp:10.0.0.5:6666: Downloading file 1/2...\n"
              "logs tcp:10.0.0.5:6666: Downloading file 1/2... 37% 2048/5400 bytes 20.5 kB/s\n"
              "logs tcp:10.0.0.5:6666: Downloading file 1/2... 100% 5400/5400 bytes 18.0 kB/s\n"
              "logs tcp:10.0.0.5:6666: Downloading file 2/2...\n"
              "logs tcp:10.0.0.5:6666: Downloading file 2/2... 100% 904/904 bytes 904 B/s\n");
    EXPECT_TRUE(fixture.outText.isEmpty());
}

TEST(ProgressReporter, ATransferThatStartsAgainAtTheSameRangeIsShownAfresh)
{
    ReporterFixture fixture;
    ProgressReporter reporter(fixture.context, ProgressReporter::Style::Lines, fixture.clock());
    fixture.nowMs = 1000;
    reporter.SetProgress(1000, 1000);
    fixture.nowMs = 3000;
    reporter.SetProgress(500, 1000); // the next image, from the start: rate from the last step
    EXPECT_EQ(fixture.errText.toStdString(), "logs tcp:10.0.0.5:6666: 100% 1000/1000 bytes 1.0 kB/s\n"
                                             "logs tcp:10.0.0.5:6666: 50% 500/1000 bytes 250 B/s\n");
}

TEST(ProgressReporter, OnATerminalOneLineKeepsUpdatingAndAFailureStartsOnANewLine)
{
    ReporterFixture fixture;
    {
        ProgressReporter reporter(fixture.context, ProgressReporter::Style::UpdatingLine, fixture.clock());
        reporter.ShowStatus(QStringLiteral("Downloading file 1/2..."), false, 1000);
        fixture.nowMs = 1000;
        reporter.SetProgress(2048, 4096);
        fixture.nowMs = 2000;
        reporter.SetProgress(3072, 4096);
        fixture.context.fail(ExitDeviceFailure, QStringLiteral("no reply"));
        reporter.ShowStatus(QStringLiteral("Downloading file 2/2..."), false, 1000);
        fixture.nowMs = 2500;
        reporter.SetProgress(1000000, 2000000);
    }
    const std::string prefix = "\rlogs tcp:10.0.0.5:6666: ";
    const std::string erase = "\x1b[K";
    EXPECT_EQ(fixture.errText.toStdString(),
              prefix + "Downloading file 1/2..." + erase + prefix + "Downloading file 1/2... 50% 2048/4096 bytes 2.0 kB/s"
                  + erase + prefix + "Downloading file 1/2... 75% 3072/4096 bytes 1.5 kB/s" + erase
                  + "\nlogs tcp:10.0.0.5:6666: no reply\n" + prefix + "Downloading file 2/2..." + erase + prefix
                  + "Downloading file 2/2... 50% 1000000/2000000 bytes 2.0 MB/s" + erase + "\n");
}

TEST(ProgressReporter, RangeZeroEndsTheLineAndAnEmptyBarShowsNothing)
{
    ReporterFixture fixture;
    ProgressReporter reporter(fixture.context, ProgressReporter::Style::UpdatingLine, fixture.clock());
    reporter.SetProgress(0, 1);
    EXPECT_TRUE(fixture.errText.isEmpty());
    fixture.nowMs = 10;
    reporter.SetProgress(1, 1);
    reporter.SetProgress(0, 0);
    EXPECT_TRUE(fixture.errText.endsWith(QStringLiteral("\x1b[K\n"))) << fixture.errText.toStdString();
    const QString before = fixture.errText;
    reporter.SetProgress(0, 0); // no line open: nothing more
    EXPECT_EQ(fixture.errText, before);
}

TEST(ProgressReporter, QuietPrintsNothingButKeepsTheWaitsCallersRelyOn)
{
    ReporterFixture fixture;
    {
        ProgressReporter reporter(fixture.context, ProgressReporter::Style::Quiet, fixture.clock());
        reporter.ShowStatus(QStringLiteral("Rebooting..."), true, 1000);
        reporter.ShowStatus(QStringLiteral("WAIT. DO NOT POWER OFF..."), false, 10000);
        fixture.nowMs = 50;
        reporter.SetProgress(512, 1024);
    }
    EXPECT_TRUE(fixture.errText.isEmpty());
    EXPECT_EQ(fixture.sleeps, QList<int>{1000});

    ReporterFixture lines;
    ProgressReporter reporter(lines.context, ProgressReporter::Style::Lines, lines.clock());
    reporter.ShowStatus(QStringLiteral("Rebooting..."), true, 1000);
    EXPECT_EQ(lines.sleeps, QList<int>{1000});
    EXPECT_EQ(lines.errText.toStdString(), "logs tcp:10.0.0.5:6666: Rebooting...\n");
}

TEST(CliContext, LinesNameTheCommandOnceKnownAndUsageErrorsTheTool)
{
    ReporterFixture fixture;
    fixture.context.commandName.clear();
    fixture.context.deviceName.clear();
    fixture.context.say(QStringLiteral("a"));
    fixture.context.commandName = QStringLiteral("config get");
    fixture.context.say(QStringLiteral("b"));
    fixture.context.deviceName = QStringLiteral("serial:/dev/ttyACM0");
    EXPECT_EQ(fixture.context.usage(QStringLiteral("c")), ExitUsage);
    EXPECT_EQ(fixture.errText.toStdString(),
              "rerudad-cli: a\nconfig get: b\nrerudad-cli: c (rerudad-cli --help lists the commands)\n");
}

} // namespace
