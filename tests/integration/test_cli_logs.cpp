// rerudad-cli logs against the simulated device, whose two logs are files
// the test wrote: what ends up in the local file, which reads were asked
// for, and the lines on stderr.

#include "cliprocess.h"
#include "devsimprocess.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// n bytes of numbered text lines, cut at exactly n.
QByteArray LogText(const char *name, int n)
{
    QByteArray text;
    for (int line = 1; text.size() < n; ++line)
        text += QByteArray(name) + " line " + QByteArray::number(line) + ": input locked\n";
    return text.left(n);
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A device whose /logFile.0 and /logFile hold the given bytes.
struct LoggingDevice
{
    DevSimProcess process;
    QString outputPath;

    bool start(const QByteArray &olderLog, const QByteArray &newerLog, const QStringList &extraArguments = {},
               bool pty = false)
    {
        const QString older = process.folder() + QStringLiteral("/older.log");
        const QString newer = process.folder() + QStringLiteral("/newer.log");
        outputPath = process.folder() + QStringLiteral("/collected.txt");
        return WriteAll(older, olderLog) && WriteAll(newer, newerLog)
            && process.start({.pty = pty,
                              .extraArguments = QStringList{QStringLiteral("--device-file"),
                                                            QStringLiteral("/logFile.0=") + older,
                                                            QStringLiteral("--device-file"),
                                                            QStringLiteral("/logFile=") + newer}
                                  + extraArguments});
    }
    CliResult logs(const QStringList &options = {}) const
    {
        return RunCli(QStringList{QStringLiteral("logs"), outputPath, QStringLiteral("--device"), process.tcpDevice()}
                      + options);
    }
    // The count asked for by each CMD_FILE_READ, from its payload (03, count little-endian).
    QList<int> readCounts() const
    {
        QList<int> counts;
        for (const QString &line : process.requestLog()) {
            const QStringList fields = line.split(QLatin1Char(' '));
            if (fields.value(3) == QLatin1String("CMD_FILE_READ")) {
                const QByteArray payload = QByteArray::fromHex(fields.value(4).toLatin1());
                counts << (quint8(payload.at(1)) | quint8(payload.at(2)) << 8);
            }
        }
        return counts;
    }
};

// The stderr lines with the rate (which depends on the machine) taken off.
QStringList LinesWithoutRate(const QString &err)
{
    QStringList lines = err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    static const QRegularExpression rate(QStringLiteral(" [0-9.]+ (B|kB|MB)/s$"));
    for (QString &line : lines)
        line.remove(rate);
    return lines;
}

TEST(CliLogs, BothLogsOverSeveralReadsAreAppendedBehindWhatTheFileHeld)
{
    const QByteArray older = LogText("older", 5000);
    const QByteArray newer = LogText("newer", 300);
    LoggingDevice device;
    ASSERT_TRUE(device.start(older, newer));
    ASSERT_TRUE(WriteAll(device.outputPath, "yesterday's download\n"));

    const CliResult result = device.logs();
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(ReadAll(device.outputPath), "yesterday's download\n" + older + newer);
    EXPECT_EQ(device.readCounts(), (QList<int>{2048, 2048, 904, 300}));
    EXPECT_EQ(device.process.commandsLogged(),
              (QStringList{QStringLiteral("CMD_IDENTIFY"), QStringLiteral("CMD_FILE_OPEN"), QStringLiteral("CMD_FILE_READ"),
                           QStringLiteral("CMD_FILE_READ"), QStringLiteral("CMD_FILE_READ"), QStringLiteral("CMD_FILE_CLOSE"),
                           QStringLiteral("CMD_FILE_OPEN"), QStringLiteral("CMD_FILE_READ"), QStringLiteral("CMD_FILE_CLOSE")}));

    // stderr is no terminal here: plain lines, each naming command and device.
    const QString who = QStringLiteral("logs %1: ").arg(device.process.tcpDevice());
    EXPECT_EQ(LinesWithoutRate(result.err),
              (QStringList{who + QStringLiteral("Downloading file 1/2..."),
                           who + QStringLiteral("Downloading file 1/2... 40% 2048/5000 bytes"),
                           who + QStringLiteral("Downloading file 1/2... 81% 4096/5000 bytes"),
                           who + QStringLiteral("Downloading file 1/2... 100% 5000/5000 bytes"),
                           who + QStringLiteral("Downloading file 2/2..."),
                           who + QStringLiteral("Downloading file 2/2... 100% 300/300 bytes"),
                           who + QStringLiteral("Logs saved into %1 (5300 bytes)").arg(device.outputPath)}))
        << result.err.toStdString();
}

TEST(CliLogs, AnEmptyLogIsReadNoFurtherAndIsNoFailure)
{
    const QByteArray newer = LogText("newer", 2048);
    LoggingDevice device;
    ASSERT_TRUE(device.start({}, newer, {}, true));
    const CliResult result = RunCli({QStringLiteral("logs"), device.outputPath, QStringLiteral("--device"),
                                     device.process.serialDevice(), QStringLiteral("--quiet")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    EXPECT_EQ(ReadAll(device.outputPath), newer);
    // Nothing is read of the empty log, and it is not closed either.
    EXPECT_EQ(device.process.commandsLogged(),
              (QStringList{QStringLiteral("CMD_IDENTIFY"), QStringLiteral("CMD_FILE_OPEN"), QStringLiteral("CMD_FILE_OPEN"),
                           QStringLiteral("CMD_FILE_READ"), QStringLiteral("CMD_FILE_CLOSE")}));

    LoggingDevice silent;
    ASSERT_TRUE(silent.start({}, {}));
    const CliResult empty = silent.logs();
    EXPECT_EQ(empty.exitCode, 0) << empty.err.toStdString();
    EXPECT_EQ(empty.err, QStringLiteral("logs %1: The device logs are empty, nothing saved into %2 (0 bytes)\n")
                             .arg(silent.process.tcpDevice(), silent.outputPath));
    EXPECT_EQ(ReadAll(silent.outputPath), QByteArray());
}

TEST(CliLogs, ARefusedOpenFailsNamingEachLogAndLeavesTheFileAsItWas)
{
    LoggingDevice device;
    ASSERT_TRUE(device.start(LogText("older", 100), LogText("newer", 100),
                             {QStringLiteral("--fault"), QStringLiteral("CMD_FILE_OPEN:refuse")}));
    ASSERT_TRUE(WriteAll(device.outputPath, "kept\n"));
    const CliResult result = device.logs();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(result.err, QStringLiteral("logs %1: Log download failed, nothing saved into %2 (0 bytes): the device "
                                         "refused to open /logFile.0; the device refused to open /logFile\n")
                              .arg(device.process.tcpDevice(), device.outputPath));
    EXPECT_EQ(ReadAll(device.outputPath), "kept\n");
    EXPECT_TRUE(device.readCounts().isEmpty());
}

TEST(CliLogs, ShortRepliesKeepOnlyTheBytesTheDeviceSentAndSayWhatWasKept)
{
    // Each read reply carries only the first half of what the device read.
    const QByteArray older = LogText("older", 5000);
    const QByteArray newer = LogText("newer", 300);
    LoggingDevice device;
    ASSERT_TRUE(device.start(older, newer, {QStringLiteral("--fault"), QStringLiteral("CMD_FILE_READ:short")}));
    const CliResult result = device.logs({QStringLiteral("--quiet")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(ReadAll(device.outputPath),
              older.mid(0, 1024) + older.mid(2048, 1024) + older.mid(4096, 452) + newer.left(150));
    // The tool asks for what is still missing until the device has nothing more.
    EXPECT_EQ(device.readCounts(), (QList<int>{2048, 2048, 2048, 2048, 300, 150}));
    EXPECT_EQ(result.err, QStringLiteral("logs %1: Log download incomplete, part saved into %2 (2650 bytes): "
                                         "/logFile.0 cut short after 2500 of 5000 bytes; "
                                         "/logFile cut short after 150 of 300 bytes\n")
                              .arg(device.process.tcpDevice(), device.outputPath));
}

TEST(CliLogs, AFileThatCannotBeAppendedToIsReportedWithoutAskingTheDevice)
{
    LoggingDevice device;
    ASSERT_TRUE(device.start(LogText("older", 100), LogText("newer", 100)));
    const QString nowhere = device.process.folder() + QStringLiteral("/no/such/folder/logs.txt");
    const CliResult result =
        RunCli({QStringLiteral("logs"), nowhere, QStringLiteral("--device"), device.process.tcpDevice()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.endsWith(QStringLiteral("/logFile.0 not downloaded: cannot append to %1; /logFile not "
                                                   "downloaded: cannot append to %1\n")
                                        .arg(nowhere)))
        << result.err.toStdString();
    EXPECT_EQ(device.process.commandsLogged(), QStringList{QStringLiteral("CMD_IDENTIFY")});
}

TEST(CliLogs, VerboseTracesEveryFrameOnStderrUnderTheSamePrefix)
{
    LoggingDevice device;
    ASSERT_TRUE(device.start(LogText("older", 10), {}));
    const CliResult result = device.logs({QStringLiteral("--verbose"), QStringLiteral("--quiet")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QStringList lines = result.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString who = QStringLiteral("logs %1: ").arg(device.process.tcpDevice());
    for (const QString &line : lines)
        EXPECT_TRUE(line.startsWith(who)) << line.toStdString();
    // The identification request and its reply, byte for byte: class 0x10
    // without payload; REPLY_OK with one length byte, 4 bytes (code 132,
    // version 14, 0, minor 0), check byte.
    EXPECT_TRUE(lines.contains(who + QStringLiteral("rerudad.link: -> CMD_IDENTIFY attempt 1: 02 10 10")))
        << result.err.toStdString();
    QStringList received;
    for (const QString &line : lines.filter(QStringLiteral("rerudad.link: <- ")))
        received << line.section(QStringLiteral("<- "), 1);
    EXPECT_TRUE(received.join(QLatin1Char(' ')).startsWith(QStringLiteral("02 F4 04 84 0E 00 00 7A")))
        << result.err.toStdString();
    EXPECT_EQ(lines.filter(QStringLiteral(": -> ")).size(), 5); // identify, two opens, one read, one close
}

} // namespace
