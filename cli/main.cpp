// rerudad-cli: the command-line tool. The command table (commandtable.cpp)
// decides what a command line means; each command's handler lives in a file
// of its own.

#include "clicommand.h"
#include "commandline.h"

#include <QCoreApplication>
#include <QMutex>

namespace {

CliContext *Speaking = nullptr;

// Qt's messages, the link trace among them, are stderr lines like the
// tool's own: they start with the command and the device.
void SayMessage(QtMsgType type, const QMessageLogContext &origin, const QString &message)
{
    static QMutex mutex; // the discovery listener runs on a thread of its own
    const QMutexLocker lock(&mutex);
    Speaking->say(qFormatLogMessage(type, origin, message));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    CliContext context(out, err);
    Speaking = &context;
    qInstallMessageHandler(SayMessage);
    const CommandLine line = ParseCommandLine(app.arguments().mid(1));
    int status = ExitSuccess;
    switch (line.outcome) {
    case CommandLine::Outcome::Listing:
        err << ToolHelp();
        status = ExitUsage;
        break;
    case CommandLine::Outcome::ToolHelp:
        out << ToolHelp();
        break;
    case CommandLine::Outcome::CommandHelp:
        out << CommandHelp(*line.command);
        break;
    case CommandLine::Outcome::UsageError:
        status = context.usage(line.error);
        break;
    case CommandLine::Outcome::Run:
        context.arguments = line.arguments;
        context.options = line.options;
        context.commandName = line.command->words.join(QLatin1Char(' '));
        status = line.command->run(context);
        break;
    }
    context.endLine();
    qInstallMessageHandler(nullptr);
    Speaking = nullptr;
    out.flush();
    err.flush();
    return status;
}
