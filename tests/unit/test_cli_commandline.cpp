// Command lines read against the CLI's command table, and the --device
// choices, without running a command.

#include "commandline.h"
#include "devicechoice.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

CommandLine Parse(const char *line)
{
    return ParseCommandLine(QString::fromLatin1(line).split(QLatin1Char(' '), Qt::SkipEmptyParts));
}

QString ErrorOf(const char *line)
{
    const CommandLine parsed = Parse(line);
    EXPECT_EQ(parsed.outcome, CommandLine::Outcome::UsageError) << line;
    return parsed.error;
}

TEST(CliCommandLine, EveryRowIsDispatchedListedAndDescribed)
{
    const QString help = ToolHelp();
    for (const CliCommand &command : CliCommands()) {
        const QString name = command.words.join(QLatin1Char(' '));
        SCOPED_TRACE(name.toStdString());
        QStringList words = command.words;
        for (const CommandOption &option : command.options) {
            if (option.required)
                words << option.name << QStringLiteral("1");
        }
        words << command.operands;
        const CommandLine parsed = ParseCommandLine(words);
        ASSERT_EQ(parsed.outcome, CommandLine::Outcome::Run) << parsed.error.toStdString();
        EXPECT_EQ(parsed.command, &command);
        EXPECT_EQ(parsed.arguments, command.operands);
        EXPECT_NE(command.run, nullptr);

        EXPECT_TRUE(help.contains(QStringLiteral("  ") + CommandUsage(command) + QLatin1Char(' ')));
        EXPECT_TRUE(help.contains(command.summary));
        const CommandLine asked = ParseCommandLine(command.words + QStringList{QStringLiteral("--help")});
        ASSERT_EQ(asked.outcome, CommandLine::Outcome::CommandHelp);
        EXPECT_EQ(asked.command, &command);
        const QString commandHelp = CommandHelp(command);
        EXPECT_TRUE(commandHelp.startsWith(QStringLiteral("usage: rerudad-cli ") + CommandUsage(command)));
        for (const CommandOption &option : command.options) {
            ASSERT_NE(FindCliOption(option.name), nullptr) << option.name.toStdString();
            EXPECT_TRUE(commandHelp.contains(FindCliOption(option.name)->summary));
        }
        EXPECT_EQ(commandHelp.contains(QLatin1String("--device")), command.linksDevice);
    }
    EXPECT_EQ(Parse("--help").outcome, CommandLine::Outcome::ToolHelp);
    EXPECT_EQ(ErrorOf(""), QStringLiteral("no command given"));
}

TEST(CliCommandLine, OptionsStandAnywhereAndTakeTheirValueEitherWay)
{
    const CommandLine before = Parse("--device tcp:10.0.0.5 config get --raw=record.bin");
    ASSERT_EQ(before.outcome, CommandLine::Outcome::Run) << before.error.toStdString();
    EXPECT_EQ(before.command->words, (QStringList{QStringLiteral("config"), QStringLiteral("get")}));
    EXPECT_EQ(before.options.value(QStringLiteral("--device")), QStringLiteral("tcp:10.0.0.5"));
    EXPECT_EQ(before.options.value(QStringLiteral("--raw")), QStringLiteral("record.bin"));

    // An "=" after the first belongs to the value; after "--" every word is an argument.
    const CommandLine encode = Parse("encode --code=158 a=b.json -- --out");
    ASSERT_EQ(encode.outcome, CommandLine::Outcome::Run) << encode.error.toStdString();
    EXPECT_EQ(encode.arguments, (QStringList{QStringLiteral("a=b.json"), QStringLiteral("--out")}));
    EXPECT_EQ(Parse("identify --device=tcp:h:1=2").options.value(QStringLiteral("--device")), QStringLiteral("tcp:h:1=2"));
}

TEST(CliCommandLine, UsageErrorsNameWhatIsWrong)
{
    EXPECT_EQ(ErrorOf("identify --colour red"), QStringLiteral("unknown option --colour"));
    EXPECT_EQ(ErrorOf("--colour=red identify"), QStringLiteral("unknown option --colour"));
    EXPECT_EQ(ErrorOf("identify --raw out.bin"), QStringLiteral("identify does not take --raw"));
    EXPECT_EQ(ErrorOf("decode --code 158 --device auto f"), QStringLiteral("decode does not take --device"));
    EXPECT_EQ(ErrorOf("identify --device auto --device=auto"), QStringLiteral("option --device given twice"));
    EXPECT_EQ(ErrorOf("identify --help --help"), QStringLiteral("option --help given twice"));
    EXPECT_EQ(ErrorOf("config get --raw"), QStringLiteral("option --raw needs a value: --raw FILE"));
    EXPECT_EQ(ErrorOf("config get --raw --device auto"), QStringLiteral("option --raw needs a value: --raw FILE"));
    EXPECT_EQ(ErrorOf("config get --raw="), QStringLiteral("option --raw needs a value: --raw FILE"));
    EXPECT_EQ(ErrorOf("identify --help=yes"), QStringLiteral("option --help takes no value"));
    EXPECT_EQ(ErrorOf("decode f.itc"), QStringLiteral("decode needs --code N"));
    EXPECT_EQ(ErrorOf("encode --code 131 in.json"), QStringLiteral("encode needs FILE.json OUT"));
    EXPECT_EQ(ErrorOf("identify now"), QStringLiteral("unexpected now after identify"));
    EXPECT_EQ(ErrorOf("config set a.json b.json"), QStringLiteral("unexpected b.json after config set FILE.json"));
    EXPECT_EQ(ErrorOf("config frobnicate"), QStringLiteral("unknown command config frobnicate"));
    EXPECT_EQ(ErrorOf("frobnicate --help"), QStringLiteral("unknown command frobnicate"));
    EXPECT_EQ(ErrorOf("--device auto"), QStringLiteral("no command given"));
}

TEST(CliDeviceChoice, TcpTakesAddressesAndHostNamesWithAPortAboveZero)
{
    QString error;
    const std::optional<DeviceChoice> address = ParseDeviceChoice(QStringLiteral("tcp:192.168.1.20"), error);
    ASSERT_TRUE(address);
    EXPECT_EQ(address->kind, DeviceChoice::Kind::Tcp);
    EXPECT_EQ(address->host, QStringLiteral("192.168.1.20"));
    EXPECT_EQ(address->port, 6666);
    const std::optional<DeviceChoice> named = ParseDeviceChoice(QStringLiteral("tcp:encoder-7.studio.example:7001"), error);
    ASSERT_TRUE(named);
    EXPECT_EQ(named->host, QStringLiteral("encoder-7.studio.example"));
    EXPECT_EQ(named->port, 7001);
    EXPECT_TRUE(ParseDeviceChoice(QStringLiteral("tcp:localhost:65535"), error));
    EXPECT_EQ(ParseDeviceChoice(QStringLiteral("serial:/dev/ttyACM0"), error)->path, QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(ParseDeviceChoice(QStringLiteral("auto"), error)->kind, DeviceChoice::Kind::Auto);

    for (const char *malformed : {"tcp:", "tcp::6666", "tcp:host:0", "tcp:host:65536", "tcp:host:", "tcp:host:-1",
                                  "tcp:host:+80", "tcp:host:80x", "tcp:a:1:2", "tcp:999.1.1.1", "tcp:1.2.3",
                                  "tcp:1.2.3.4.5", "tcp:-host", "tcp:host-", "tcp:under_score", "tcp:a..b",
                                  "tcp:[::1]", "serial:", "usb:1", "Auto", ""}) {
        error.clear();
        EXPECT_FALSE(ParseDeviceChoice(QString::fromLatin1(malformed), error)) << malformed;
        EXPECT_FALSE(error.isEmpty()) << malformed;
    }
}

TEST(CliDeviceChoice, SerialFailuresSayWhyAndHowToGetAccess)
{
    EXPECT_EQ(SerialOpenError(QStringLiteral("/dev/ttyACM3"), ENOENT),
              QStringLiteral("cannot open serial port /dev/ttyACM3: no such file"));
    const QString denied = SerialOpenError(QStringLiteral("/dev/ttyACM0"), EACCES);
    EXPECT_TRUE(denied.startsWith(QStringLiteral("cannot open serial port /dev/ttyACM0: permission denied")));
    EXPECT_TRUE(denied.contains(QStringLiteral("dialout group")));
    EXPECT_FALSE(denied.contains(QLatin1Char('\n')));
    const QString busy = SerialOpenError(QStringLiteral("/dev/ttyACM0"), EBUSY);
    EXPECT_TRUE(busy.startsWith(QStringLiteral("cannot open serial port /dev/ttyACM0: busy; ")));
    EXPECT_TRUE(busy.contains(QStringLiteral("ModemManager")));
    EXPECT_TRUE(busy.contains(QStringLiteral("ID_MM_DEVICE_IGNORE")));
    EXPECT_FALSE(busy.contains(QLatin1Char('\n')));
}

} // namespace
