#include "commandline.h"

#include "manual/bashcompletion.h"

#include <algorithm>

namespace {

const QString ToolName = QStringLiteral("rerudad-cli");

// The end of --help, and the EXIT STATUS of the manual page.
const QStringList ExitStatusLines = {
    QStringLiteral("Exit status: 0 success; 1 the device refused, did not answer or a transfer failed;"),
    QStringLiteral("2 a usage error or a bad input file. Every line on stderr starts with the command"),
    QStringLiteral("and the device it talked to."),
};

// "--raw FILE", or the name alone for a flag.
QString OptionUsage(const CliOption &option)
{
    return option.valueName.isEmpty() ? option.name : option.name + QLatin1Char(' ') + option.valueName;
}

QString CommandName(const CliCommand &command)
{
    return command.words.join(QLatin1Char(' '));
}

bool TakesOption(const CliCommand &command, const QString &name)
{
    if (command.linksDevice && DeviceOptionNames().contains(name))
        return true;
    return std::any_of(command.options.begin(), command.options.end(),
                       [&name](const CommandOption &option) { return option.name == name; });
}

const CliCommand *LongestCommandStarting(const QStringList &words)
{
    const CliCommand *chosen = nullptr;
    for (const CliCommand &command : CliCommands()) {
        if (words.size() >= command.words.size() && words.mid(0, command.words.size()) == command.words
            && (!chosen || command.words.size() > chosen->words.size()))
            chosen = &command;
    }
    return chosen;
}

CommandLine UsageError(const QString &error)
{
    CommandLine line;
    line.outcome = CommandLine::Outcome::UsageError;
    line.error = error;
    return line;
}

// The options and their order of the command's usage line and help.
QList<const CliOption *> OptionsOf(const CliCommand &command)
{
    QList<const CliOption *> options;
    for (const CommandOption &option : command.options)
        options << FindCliOption(option.name);
    if (command.linksDevice) {
        for (const QString &name : DeviceOptionNames())
            options << FindCliOption(name);
    }
    return options;
}

// "[--device ...] [--listen SECONDS]"
QString DeviceOptionsUsage()
{
    QStringList parts;
    for (const QString &name : DeviceOptionNames())
        parts << QLatin1Char('[') + OptionUsage(*FindCliOption(name)) + QLatin1Char(']');
    return parts.join(QLatin1Char(' '));
}

QString Padded(const QString &text, int width)
{
    return QStringLiteral("  ") + text.leftJustified(width) + QStringLiteral("  ");
}

} // namespace

CommandLine ParseCommandLine(const QStringList &words)
{
    QStringList positional;
    QMap<QString, QString> options;
    bool help = false;
    bool onlyArguments = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words[i];
        if (onlyArguments || !word.startsWith(QLatin1String("--"))) {
            positional << word;
            continue;
        }
        if (word == QLatin1String("--")) {
            onlyArguments = true;
            continue;
        }
        const qsizetype equals = word.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? word : word.left(equals);
        const CliOption *option = FindCliOption(name);
        if (!option)
            return UsageError(QStringLiteral("unknown option %1").arg(name));
        if (options.contains(name) || (help && name == QLatin1String("--help")))
            return UsageError(QStringLiteral("option %1 given twice").arg(name));
        QString value;
        if (option->valueName.isEmpty()) {
            if (equals >= 0)
                return UsageError(QStringLiteral("option %1 takes no value").arg(name));
        } else if (equals >= 0) {
            value = word.mid(equals + 1);
        } else if (i + 1 < words.size() && !words[i + 1].startsWith(QLatin1String("--"))) {
            value = words[++i];
        }
        if (!option->valueName.isEmpty() && value.isEmpty())
            return UsageError(QStringLiteral("option %1 needs a value: %2").arg(name, OptionUsage(*option)));
        if (name == QLatin1String("--help"))
            help = true;
        else
            options.insert(name, value);
    }

    CommandLine line;
    if (positional.isEmpty()) {
        // Without a command the line is a usage error like any other: one
        // line on stderr; the listing is --help's, on stdout.
        if (!help)
            return UsageError(QStringLiteral("no command given"));
        line.outcome = CommandLine::Outcome::ToolHelp;
        return line;
    }
    line.command = LongestCommandStarting(positional);
    if (!line.command)
        return UsageError(QStringLiteral("unknown command %1").arg(positional.join(QLatin1Char(' '))));
    if (help) {
        line.outcome = CommandLine::Outcome::CommandHelp;
        return line;
    }

    const CliCommand &command = *line.command;
    for (auto given = options.cbegin(); given != options.cend(); ++given) {
        if (!TakesOption(command, given.key()))
            return UsageError(QStringLiteral("%1 does not take %2").arg(CommandName(command), given.key()));
    }
    for (const CommandOption &option : command.options) {
        if (option.required && !options.contains(option.name))
            return UsageError(QStringLiteral("%1 needs %2").arg(CommandName(command), OptionUsage(*FindCliOption(option.name))));
    }
    line.arguments = positional.mid(command.words.size());
    if (line.arguments.size() < command.operands.size())
        return UsageError(QStringLiteral("%1 needs %2").arg(CommandName(command), command.operands.join(QLatin1Char(' '))));
    if (line.arguments.size() > command.operands.size())
        return UsageError(QStringLiteral("unexpected %1 after %2")
                              .arg(line.arguments.mid(command.operands.size()).join(QLatin1Char(' ')),
                                   CommandUsage(command)));
    line.outcome = CommandLine::Outcome::Run;
    line.options = options;
    return line;
}

QString CommandUsage(const CliCommand &command)
{
    QStringList parts{CommandName(command)};
    for (const CommandOption &option : command.options) {
        const QString usage = OptionUsage(*FindCliOption(option.name));
        parts << (option.required ? usage : QLatin1Char('[') + usage + QLatin1Char(']'));
    }
    parts << command.operands;
    return parts.join(QLatin1Char(' '));
}

QString ToolHelp()
{
    QString text;
    QTextStream stream(&text);
    stream << "usage: " << ToolName << ' ' << DeviceOptionsUsage() << " COMMAND ...\n\n"
           << "Commands:\n";
    int width = 0;
    for (const CliCommand &command : CliCommands())
        width = std::max(width, int(CommandUsage(command).size()));
    for (const CliCommand &command : CliCommands())
        stream << Padded(CommandUsage(command), width) << command.summary << "\n";
    stream << "\nOptions of the commands that talk to a device:\n";
    for (const QString &name : DeviceOptionNames()) {
        const CliOption &option = *FindCliOption(name);
        stream << "  " << OptionUsage(option) << "\n      " << option.summary << "\n";
    }
    stream << "\nOptions may stand before or after the command words, also as --option=value.\n"
           << ToolName << " COMMAND --help describes one command.\n\n"
           << ExitStatusLines.join(QLatin1Char('\n')) << "\n";
    return text;
}

QString CommandHelp(const CliCommand &command)
{
    QString text;
    QTextStream stream(&text);
    stream << "usage: " << ToolName << ' ' << CommandUsage(command);
    if (command.linksDevice)
        stream << ' ' << DeviceOptionsUsage();
    stream << "\n\n" << command.summary << "\n";
    const QList<const CliOption *> options = OptionsOf(command);
    if (!options.isEmpty()) {
        stream << "\nOptions:\n";
        int width = 0;
        for (const CliOption *option : options)
            width = std::max(width, int(OptionUsage(*option).size()));
        for (const CliOption *option : options)
            stream << Padded(OptionUsage(*option), width) << option->summary << "\n";
    }
    return text;
}

ManPage CliManPage()
{
    ManPage page;
    page.name = ToolName;
    page.summary = QStringLiteral("command-line tool for the HDMI encoder-modulators that rerudad configures");
    page.synopsis << DeviceOptionsUsage() + QStringLiteral(" COMMAND ...") << QStringLiteral("COMMAND --help")
                  << QStringLiteral("--help");
    page.sections << ManPage::Section{
        QStringLiteral("DESCRIPTION"),
        {QStringLiteral("Runs one command against one device, for scripts and for fleets of units: JSON goes to "
                        "stdout as one UTF-8 document, and every failure is one line on stderr. Options may "
                        "stand before or after the command words, also as --option=value."),
         QStringLiteral("The commands that read side files (config load, factory-default, firmware upgrade) find "
                        "logos/ and firmware/ in the program folder: the folder of --program-folder, else of "
                        "RERUDAD_PROGRAM_FOLDER, else the current directory.")},
        {}};
    ManPage::Section commands{QStringLiteral("COMMANDS"), {}, {}};
    for (const CliCommand &command : CliCommands())
        commands.entries << ManPage::Entry{CommandUsage(command), command.summary};
    ManPage::Section options{QStringLiteral("OPTIONS"), {}, {}};
    for (const CliOption &option : CliOptions())
        options.entries << ManPage::Entry{OptionUsage(option), option.summary};
    page.sections << commands << options;
    page.sections << ManPage::Section{QStringLiteral("EXIT STATUS"), {ExitStatusLines.join(QLatin1Char(' '))}, {}};
    page.sections << ManPage::Section{
        QStringLiteral("ENVIRONMENT"),
        {},
        {{QStringLiteral("RERUDAD_PROGRAM_FOLDER"), QStringLiteral("The program folder, when --program-folder is not given.")},
         {QStringLiteral("RERUDAD_DISCOVERY_INTERFACE"),
          QStringLiteral("The network interface on which --device auto and discover listen.")},
         {QStringLiteral("RERUDAD_SERIAL_PORTS"),
          QStringLiteral("Colon-separated serial port paths that --device auto tries after the /dev/ttyACM* ports.")}}};
    page.sections << ManPage::Section{
        QStringLiteral("SERIAL PORTS"),
        {QStringLiteral("Only members of the dialout group may open /dev/ttyACM* ports: sudo usermod -aG dialout "
                        "$USER, then log in again. ModemManager probes new ttyACM ports with AT commands and can "
                        "hold the port for seconds after it appears; a udev rule that sets ID_MM_DEVICE_IGNORE for "
                        "the device's USB vendor and product ids, or stopping ModemManager, keeps it off.")},
        {}};
    page.sections << ManPage::Section{QStringLiteral("SEE ALSO"), {QStringLiteral("rerudad(1), rerudad-devsim(1)")}, {}};
    return page;
}

QString CliBashCompletion()
{
    BashCompletion completion;
    completion.program = ToolName;
    for (const CliOption &option : CliOptions())
        completion.options << BashCompletion::Option{option.name, option.valueName};
    for (const CliCommand &command : CliCommands()) {
        QStringList options;
        for (const CliOption *option : OptionsOf(command))
            options << option->name;
        options << QStringLiteral("--help");
        completion.commands << BashCompletion::Command{command.words, options, command.operands};
    }
    return completion.script();
}
