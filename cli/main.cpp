#include "clicommand.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// Options that stand alone; every other option takes the next word as value.
const QStringList FlagOptions = {QStringLiteral("--force")};

QList<CliCommand> &Registry()
{
    static QList<CliCommand> commands;
    return commands;
}

void PrintUsage(QTextStream &err)
{
    err << "usage: rerudad-cli [--device tcp:HOST[:PORT]|serial:PATH|auto] [--listen SECONDS] COMMAND ...\n";
    for (const CliCommand &command : CliCommands())
        err << "  " << command.words.join(QLatin1Char(' ')) << (command.usage.isEmpty() ? "" : " ")
            << command.usage << "\n";
}

} // namespace

const QList<CliCommand> &CliCommands()
{
    return Registry();
}

CliCommandRegistration::CliCommandRegistration(CliCommand command)
{
    Registry().append(std::move(command));
}

int CliContext::fail(ExitStatus status, const QString &message)
{
    err << "rerudad-cli: " << message << "\n";
    err.flush();
    return status;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    QStringList words;
    CliContext context{{}, {}, out, err};
    const QStringList arguments = app.arguments().mid(1);
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (!argument.startsWith(QLatin1String("--")) || argument == QLatin1String("--")) {
            words << argument;
        } else if (FlagOptions.contains(argument)) {
            context.options.insert(argument, QString());
        } else if (i + 1 < arguments.size()) {
            context.options.insert(argument, arguments[++i]);
        } else {
            return context.fail(ExitUsage, QStringLiteral("option %1 needs a value").arg(argument));
        }
    }

    // The command whose words begin the positional words; the longest wins.
    const CliCommand *chosen = nullptr;
    for (const CliCommand &command : CliCommands()) {
        if (words.size() >= command.words.size() && words.mid(0, command.words.size()) == command.words
            && (!chosen || command.words.size() > chosen->words.size()))
            chosen = &command;
    }
    if (!chosen) {
        if (!words.isEmpty())
            err << "rerudad-cli: unknown command " << words.join(QLatin1Char(' ')) << "\n";
        PrintUsage(err);
        return ExitUsage;
    }
    context.arguments = words.mid(chosen->words.size());
    const int status = chosen->run(context);
    out.flush();
    err.flush();
    return status;
}
