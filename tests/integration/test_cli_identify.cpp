// rerudad-cli identify as a process against the simulated device.

#include "cliprocess.h"
#include "devsimprocess.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

TEST(CliIdentify, PrintsTheContractJsonOverTcpAndSerial)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start());
    for (const QString &choice : {device.tcpDevice(), device.serialDevice()}) {
        const CliResult result = RunCli({QStringLiteral("identify"), QStringLiteral("--device"), choice});
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_EQ(result.out, QStringLiteral(R"({"HardwareCode":132,"FirmwareVersionByte":14,"FirmwareMinor":0,)"
                                             R"("ModelLabel":"DUNASA","FamilyLabel":"VUBUKA"})"
                                             "\n"));
    }
}

TEST(CliIdentify, OptionsBeforeTheCommandAndMinor)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 157, .versionByte = 9, .minor = 2}));
    const CliResult result = RunCli({QStringLiteral("--device"), device.tcpDevice(), QStringLiteral("identify")});
    ASSERT_EQ(result.exitCode, 0);
    const QJsonObject json = QJsonDocument::fromJson(result.out.toUtf8()).object();
    EXPECT_EQ(json.value(QStringLiteral("HardwareCode")).toInt(), 157);
    EXPECT_EQ(json.value(QStringLiteral("FirmwareMinor")).toInt(), 2);
    EXPECT_EQ(json.value(QStringLiteral("ModelLabel")).toString(), QStringLiteral("FUSAPU"));
    EXPECT_EQ(json.value(QStringLiteral("FamilyLabel")).toString(), QStringLiteral("RAGULE"));
}

TEST(CliIdentify, FailuresExitOneAndSayWhichFailureItWas)
{
    struct Case
    {
        const char *line;
        DevSimProcess::Options options;
    };
    const Case cases[] = {
        {"the device refused the identification request\n",
         {.extraArguments = {QStringLiteral("--fault"), QStringLiteral("CMD_IDENTIFY:refuse")}}},
        {"the device reports hardware code 130, which this tool does not serve\n", {.code = 130}},
        {"the device reports firmware version byte 0\n", {.versionByte = 0}},
        // "no reply to the identification request" is in test_cli_silence.cpp.
    };
    for (const Case &testCase : cases) {
        DevSimProcess device;
        ASSERT_TRUE(device.start(testCase.options)) << testCase.line;
        const CliResult result = RunCli({QStringLiteral("identify"), QStringLiteral("--device"), device.tcpDevice()});
        EXPECT_EQ(result.exitCode, 1) << testCase.line;
        EXPECT_TRUE(result.out.isEmpty()) << testCase.line;
        // The line names the command and the device it talked to.
        EXPECT_EQ(result.err, QStringLiteral("identify %1: ").arg(device.tcpDevice()) + QLatin1String(testCase.line));
    }
}

TEST(CliIdentify, UsageErrorsExitTwo)
{
    EXPECT_EQ(RunCli({QStringLiteral("identify"), QStringLiteral("--device"), QStringLiteral("usb:1")}).exitCode, 2);
    EXPECT_EQ(RunCli({QStringLiteral("identify"), QStringLiteral("--device")}).exitCode, 2);
    EXPECT_EQ(RunCli({QStringLiteral("frobnicate")}).exitCode, 2);
    EXPECT_EQ(RunCli({}).exitCode, 2);
}

} // namespace
