// rerudad-cli as a process: usage errors, help, the ways of naming a device
// and what it says when it cannot reach one.

#include "cliprocess.h"
#include "devsimprocess.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString Hint = QStringLiteral(" (rerudad-cli --help lists the commands)\n");

TEST(CliUsage, UsageErrorsAreOneLineWithAHintAndNoList)
{
    // Every line about a command line the tool cannot use names the tool,
    // whether the parser or the command's own checks found the fault.
    struct Case
    {
        QStringList arguments;
        const char *line;
    };
    const Case cases[] = {
        {{QStringLiteral("identify"), QStringLiteral("--colour"), QStringLiteral("red")},
         "rerudad-cli: unknown option --colour"},
        {{QStringLiteral("status"), QStringLiteral("--raw"), QStringLiteral("x.bin")},
         "rerudad-cli: status does not take --raw"},
        {{QStringLiteral("--device=auto"), QStringLiteral("identify"), QStringLiteral("--device"), QStringLiteral("auto")},
         "rerudad-cli: option --device given twice"},
        {{QStringLiteral("identify"), QStringLiteral("--device"), QStringLiteral("tcp:127.0.0.1:0")},
         "rerudad-cli: bad device tcp:127.0.0.1:0: PORT is 1 to 65535"},
        {{QStringLiteral("frobnicate")}, "rerudad-cli: unknown command frobnicate"},
        {{}, "rerudad-cli: no command given"},
        {{QStringLiteral("--listen"), QStringLiteral("1")}, "rerudad-cli: no command given"},
        {{QStringLiteral("decode"), QStringLiteral("--code"), QStringLiteral("130"), QStringLiteral("f")},
         "rerudad-cli: --code takes a hardware code this tool serves"},
        {{QStringLiteral("logs"), QStringLiteral("--quiet")}, "rerudad-cli: logs needs FILE"},
        {{QStringLiteral("logs"), QString()}, "rerudad-cli: FILE must name the file to append the logs to"},
        {{QStringLiteral("encode"), QStringLiteral("--code"), QStringLiteral("132"), QStringLiteral("in.json"), QString()},
         "rerudad-cli: OUT must name the file to write the record to"},
        {{QStringLiteral("discover"), QStringLiteral("--verbose")}, "rerudad-cli: discover does not take --verbose"},
        // A bad --listen is refused also when the device is named outright.
        {{QStringLiteral("identify"), QStringLiteral("--device"), QStringLiteral("tcp:127.0.0.1:1"),
          QStringLiteral("--listen"), QStringLiteral("soon")},
         "rerudad-cli: --listen takes a whole number of seconds"},
    };
    for (const Case &testCase : cases) {
        const CliResult result = RunCli(testCase.arguments);
        EXPECT_EQ(result.exitCode, 2) << testCase.line;
        EXPECT_TRUE(result.out.isEmpty()) << testCase.line;
        EXPECT_EQ(result.err, QLatin1String(testCase.line) + Hint);
    }
}

TEST(CliUsage, HelpGoesToStdout)
{
    const CliResult help = RunCli({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("usage: rerudad-cli ")));
    EXPECT_TRUE(help.err.isEmpty());
    EXPECT_TRUE(help.out.contains(QStringLiteral("\n  config get [--raw FILE] ")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("\n  encode --code N [--version V] FILE.json OUT ")));

    EXPECT_TRUE(help.out.contains(QStringLiteral("\n  logs [--quiet] FILE ")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("\n  discover [--seconds N] [--json] ")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("\n  --verbose\n      trace the link on stderr")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("\nExit status: 0 success; 1 ")));

    const CliResult commandHelp = RunCli({QStringLiteral("config"), QStringLiteral("set"), QStringLiteral("--help")});
    EXPECT_EQ(commandHelp.exitCode, 0);
    EXPECT_TRUE(commandHelp.out.startsWith(
        QStringLiteral("usage: rerudad-cli config set FILE.json [--device tcp:HOST[:PORT]|serial:PATH|auto] "
                       "[--listen SECONDS] [--verbose]\n")))
        << commandHelp.out.toStdString();
    EXPECT_TRUE(commandHelp.err.isEmpty());

    // Each command's help lists its own options, then the device's.
    const CliResult logsHelp = RunCli({QStringLiteral("logs"), QStringLiteral("--help")});
    EXPECT_EQ(logsHelp.exitCode, 0);
    const QStringList logsLines = logsHelp.out.split(QLatin1Char('\n'));
    EXPECT_EQ(logsLines.value(0), QStringLiteral("usage: rerudad-cli logs [--quiet] FILE [--device "
                                                 "tcp:HOST[:PORT]|serial:PATH|auto] [--listen SECONDS] [--verbose]"));
    QStringList optionNames;
    for (const QString &line : logsLines) {
        if (line.startsWith(QLatin1String("  --")))
            optionNames << line.section(QLatin1Char(' '), 2, 2);
    }
    EXPECT_EQ(optionNames, (QStringList{QStringLiteral("--quiet"), QStringLiteral("--device"), QStringLiteral("--listen"),
                                        QStringLiteral("--verbose")}))
        << logsHelp.out.toStdString();
    const CliResult discoverHelp = RunCli({QStringLiteral("discover"), QStringLiteral("--help")});
    EXPECT_TRUE(discoverHelp.out.contains(QStringLiteral("--json")));
    EXPECT_FALSE(discoverHelp.out.contains(QStringLiteral("--device")));
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
        QString named; // how the line names the device
        QString line;
    };
    const Case cases[] = {
        {QStringLiteral("serial:") + folder.filePath(QStringLiteral("ttyACM9")),
         QStringLiteral("serial:") + folder.filePath(QStringLiteral("ttyACM9")),
         QStringLiteral("cannot open serial port %1: no such file").arg(folder.filePath(QStringLiteral("ttyACM9")))},
        {QStringLiteral("serial:") + plain.fileName(), QStringLiteral("serial:") + plain.fileName(),
         QStringLiteral("cannot open serial port %1: not a serial port").arg(plain.fileName())},
        {QStringLiteral("tcp:no-such-device.invalid"), QStringLiteral("tcp:no-such-device.invalid:6666"),
         QStringLiteral("cannot resolve no-such-device.invalid: ")},
    };
    for (const Case &testCase : cases) {
        const CliResult result = RunCli({QStringLiteral("identify"), QStringLiteral("--device"), testCase.device});
        EXPECT_EQ(result.exitCode, 1) << testCase.device.toStdString();
        EXPECT_TRUE(result.err.startsWith(QStringLiteral("identify %1: %2").arg(testCase.named, testCase.line)))
            << result.err.toStdString();
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
    EXPECT_EQ(missing.err, QStringLiteral("discover: no network interface nosuch0 to listen on "
                                          "(RERUDAD_DISCOVERY_INTERFACE)\n"));
}

} // namespace
