#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>

class CXmit;

enum ExitStatus {
    ExitSuccess = 0,
    ExitDeviceFailure = 1, // refused, no answer, transfer failed
    ExitUsage = 2,         // usage error or bad input file
};

// What one run of the CLI was given: the command's own words after its name,
// the options (wherever they stood), and where to print.
struct CliContext
{
    QStringList arguments;
    QMap<QString, QString> options; // "--name" -> value ("" for flags)
    QTextStream &out;
    QTextStream &err;

    bool has(const QString &option) const { return options.contains(option); }
    QString option(const QString &name, const QString &fallback = {}) const
    {
        return options.value(name, fallback);
    }
    // Prints one line on stderr and returns the status, for "return fail(...)".
    int fail(ExitStatus status, const QString &message);
};

// One command of the CLI. Commands register themselves from their own
// source file with a static CliCommandRegistration.
struct CliCommand
{
    QStringList words;  // e.g. {"config", "get"}
    QString usage;      // the arguments after the words
    std::function<int(CliContext &)> run;
};

const QList<CliCommand> &CliCommands();

struct CliCommandRegistration
{
    explicit CliCommandRegistration(CliCommand command);
};

// Links the device chosen by --device (tcp:HOST[:PORT], serial:PATH, auto)
// and identifies it. Returns ExitSuccess, or prints the reason and returns
// the exit status (ExitUsage for a malformed choice, else ExitDeviceFailure).
int LinkDevice(CliContext &context, CXmit &xmit);
