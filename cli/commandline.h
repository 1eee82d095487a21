#pragma once

#include "clicommand.h"

#include "manual/manpage.h"

// The command line read against the command table.
struct CommandLine
{
    enum class Outcome {
        Run,         // run the command with the arguments and options
        ToolHelp,    // --help alone
        CommandHelp, // COMMAND --help
        UsageError,  // error says what is wrong, in one line
    };
    Outcome outcome = Outcome::UsageError;
    const CliCommand *command = nullptr;
    QStringList arguments;
    QMap<QString, QString> options;
    QString error;
};

// Options may stand anywhere, as "--name value" or "--name=value"; after
// "--" every word is an argument. The longest command whose words begin the
// remaining words is chosen.
CommandLine ParseCommandLine(const QStringList &words);

// The listing of --help: the usage line, every command with its summary, the
// device options and how options are written.
QString ToolHelp();
// One command: its usage line, what it does and each option it takes.
QString CommandHelp(const CliCommand &command);
// "config get [--raw FILE]": words, options and operands.
QString CommandUsage(const CliCommand &command);

// The manual page rerudad-cli(1) and the bash completion, written from the
// command table as --help is.
ManPage CliManPage();
QString CliBashCompletion();
