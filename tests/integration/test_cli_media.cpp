// rerudad-cli media as a process against the simulated device.

#include "cliprocess.h"
#include "devsimprocess.h"

#include <gtest/gtest.h>

namespace {

// The payloads (hex) of the device's CMD_MEDIA_CONTROL requests, in order.
QStringList MediaPayloads(const DevSimProcess &device)
{
    QStringList payloads;
    for (const QString &line : device.requestLog()) {
        if (line.section(QLatin1Char(' '), 3, 3) == QLatin1String("CMD_MEDIA_CONTROL"))
            payloads << line.section(QLatin1Char(' '), 4, 5);
    }
    return payloads;
}

TEST(CliMedia, PlayRecordAndStopReachThePlayer)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 131}));
    const std::pair<const char *, const char *> steps[] = {
        {"play", "01 ok"}, {"record", "02 ok"}, {"stop", "03 ok"}};
    QStringList expected;
    for (const auto &[word, logged] : steps) {
        const CliResult result =
            RunCli({QStringLiteral("media"), QLatin1String(word), QStringLiteral("--device"), device.tcpDevice()});
        EXPECT_EQ(result.exitCode, 0) << word << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << word;
        EXPECT_TRUE(result.err.isEmpty()) << word;
        expected << QLatin1String(logged);
        EXPECT_EQ(MediaPayloads(device), expected) << word;
    }
    // Over the serial link, with the options before the command words.
    const CliResult serial = RunCli({QStringLiteral("--device"), device.serialDevice(), QStringLiteral("media"),
                                     QStringLiteral("play")});
    EXPECT_EQ(serial.exitCode, 0) << serial.err.toStdString();
    EXPECT_EQ(MediaPayloads(device).value(3), QStringLiteral("01 ok"));
}

// Silence is in test_cli_silence.cpp, with the other commands.
TEST(CliMedia, RefusalExitsOne)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start(
        {.code = 131, .extraArguments = {QStringLiteral("--fault"), QStringLiteral("CMD_MEDIA_CONTROL:refuse")}}));
    const CliResult result =
        RunCli({QStringLiteral("media"), QStringLiteral("stop"), QStringLiteral("--device"), device.tcpDevice()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(result.err.count(QLatin1Char('\n')), 1) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral("media command"))) << result.err.toStdString();
    EXPECT_FALSE(MediaPayloads(device).isEmpty());
}

TEST(CliMedia, UsageErrorsSendNothing)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 131}));
    for (const QStringList &words : {QStringList{"media"}, QStringList{"media", "pause"},
                                     QStringList{"media", "play", "stop"}, QStringList{"media", "PLAY"}}) {
        const CliResult result = RunCli(words + QStringList{QStringLiteral("--device"), device.tcpDevice()});
        EXPECT_EQ(result.exitCode, 2) << words.join(' ').toStdString();
        EXPECT_EQ(result.err.count(QLatin1Char('\n')), 1) << result.err.toStdString();
    }
    EXPECT_TRUE(device.requestLog().isEmpty());
}

} // namespace
