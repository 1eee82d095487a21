// rerudad-cli: the command-line tool. The command table (commandtable.cpp)
// decides what a command line means; each command's handler lives in a file
// of its own.

#include "clicommand.h"
#include "commandline.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    CliContext context{{}, {}, out, err};
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
        status = line.command->run(context);
        break;
    }
    out.flush();
    err.flush();
    return status;
}
