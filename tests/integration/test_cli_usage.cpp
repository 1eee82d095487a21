// rerudad-cli as a process: usage errors, help, the ways of naming a device
// and what it says when it cannot reach one.

#include "cliprocess.h"
#include "devsimprocess.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString Hint = QStringLiteral(" (run rerudad-cli without arguments for the commands)\n");

TEST(CliUsage, UsageErrorsAreOneLineWithAHintAndNoList)
{
    struct Case
    {
        QStringList arguments;
        const char *message;
    };
    const Case cases[] = {
        {{QStringLiteral("identify"), QStringLiteral("--colour"), QStringLiteral("red")}, "unknown option --colour"},
        {{QStringLiteral("status"), QStringLiteral("--raw"), QStringLiteral("x.bin")}, "status does not take --raw"},
        {{QStringLiteral("--device=auto"), QStringLiteral("identify"), QStringLiteral("--device"), QStringLiteral("auto")},
         "option --device given twice"},
        {{QStringLiteral("identify"), QStringLiteral("--device"), QStringLiteral("tcp:127.0.0.1:0")},
         "bad device tcp:127.0.0.1:0: PORT is 1 to 65535"},
        {{QStringLiteral("frobnicate")}, "unknown command frobnicate"},
        {{QStringLiteral("decode"), QStringLiteral("--code"), QStringLiteral("130"), QStringLiteral("f")},
         "--code takes a hardware code this tool serves"},
    };
    for (const Case &testCase : cases) {
        const CliResult result = RunCli(testCase.arguments);
        EXPECT_EQ(result.exitCode, 2) << testCase.message;
        EXPECT_TRUE(result.out.isEmpty()) << testCase.message;
        EXPECT_EQ(result.err, QStringLiteral("rerudad-cli: ") + QLatin1String(testCase.message) + Hint);
    }
}

TEST(CliUsage, HelpGoesToStdoutAndTheBareListToStderr)
{
    const CliResult bare = RunCli({});
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_TRUE(bare.out.isEmpty());
    EXPECT_TRUE(bare.err.startsWith(QStringLiteral("usage: rerudad-cli ")));

    const CliResult help = RunCli({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out, bare.err);
    EXPECT_TRUE(help.out.contains(QStringLiteral("\n  config get [--raw FILE] ")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("\n  encode --code N [--version V] FILE.json OUT ")));

    const CliResult commandHelp = RunCli({QStringLiteral("config"), QStringLiteral("set"), QStringLiteral("--help")});
    EXPECT_EQ(commandHelp.exitCode, 0);
    EXPECT_TRUE(commandHelp.out.startsWith(QStringLiteral(
        "usage: rerudad-cli config set FILE.json [--device tcp:HOST[:PORT]|serial:PATH|auto] [--listen SECONDS]\n")))
        << commandHelp.out.toStdString();
    EXPECT_TRUE(commandHelp.err.isEmpty());
}

TEST(CliDevice, TcpTakesAHostNameAndTheOptionWithItsValueAfterAnEqualsSign)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.pty = false}));
    const CliResult result =
        RunCli({QStringLiteral("identify"), QStringLiteral("--device=tcp:localhost:%1").arg(device.tcpPort())});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.startsWith(QStringLiteral(R"({"HardwareCode":132,)")));
}

TEST(CliDevice, UnreachableDevicesSayWhy)
{
    QTemporaryDir folder;
    QFile plain(folder.filePath(QStringLiteral("plain.txt")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    struct Case
    {
        QString device;
        QString line;
    };
    const Case cases[] = {
        {QStringLiteral("serial:") + folder.filePath(QStringLiteral("ttyACM9")),
         QStringLiteral("cannot open serial port %1: no such file").arg(folder.filePath(QStringLiteral("ttyACM9")))},
        {QStringLiteral("serial:") + plain.fileName(),
         QStringLiteral("cannot open serial port %1: not a serial port").arg(plain.fileName())},
        {QStringLiteral("tcp:no-such-device.invalid"), QStringLiteral("cannot resolve no-such-device.invalid: ")},
    };
    for (const Case &testCase : cases) {
        const CliResult result = RunCli({QStringLiteral("identify"), QStringLiteral("--device"), testCase.device});
        EXPECT_EQ(result.exitCode, 1) << testCase.device.toStdString();
        EXPECT_TRUE(result.err.startsWith(QStringLiteral("rerudad-cli: ") + testCase.line)) << result.err.toStdString();
        EXPECT_EQ(result.err.count(QLatin1Char('\n')), 1);
    }
}

QProcessEnvironment ListeningOn(const QString &interface)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("RERUDAD_DISCOVERY_INTERFACE"), interface);
    environment.remove(QStringLiteral("RERUDAD_SERIAL_PORTS"));
    return environment;
}

TEST(CliDiscovery, ListensOnTheInterfaceTheEnvironmentNames)
{
    const QString id = QStringLiteral("CLILO%1").arg(QCoreApplication::applicationPid());
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 158, .versionByte = 15, .pty = false,
                              .extraArguments = {QStringLiteral("--announce-interface"), QStringLiteral("lo"),
                                                 QStringLiteral("--announce-interval"), QStringLiteral("200"),
                                                 QStringLiteral("--announce-id"), id}}));
    const CliResult heard = RunCli({QStringLiteral("discover"), QStringLiteral("--seconds"), QStringLiteral("2")}, 30000,
                                   ListeningOn(QStringLiteral("lo")));
    EXPECT_EQ(heard.exitCode, 0) << heard.err.toStdString();
    EXPECT_TRUE(heard.out.split(QLatin1Char('\n')).contains(id + QStringLiteral(" 127.0.0.1"))) << heard.out.toStdString();

    const CliResult missing = RunCli({QStringLiteral("discover")}, 30000, ListeningOn(QStringLiteral("nosuch0")));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, QStringLiteral("rerudad-cli: no network interface nosuch0 to listen on "
                                          "(RERUDAD_DISCOVERY_INTERFACE)\n"));
}

} // namespace
