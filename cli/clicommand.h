#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

enum ExitStatus {
    ExitSuccess = 0,
    ExitDeviceFailure = 1, // refused, no answer, transfer failed
    ExitUsage = 2,         // usage error or bad input file
};

// What one run of a command was given: the words after the command's own,
// the options (wherever they stood), and where to print.
struct CliContext
{
    CliContext(QTextStream &output, QTextStream &errors) : out(output), err(errors) {}

    QStringList arguments;
    QMap<QString, QString> options; // "--name" -> value ("" for flags)
    QTextStream &out;
    QTextStream &err;
    // Who speaks on stderr: the command ("config get"), and the device once
    // it is chosen ("tcp:10.0.0.5:6666"), so that the lines of many units
    // run side by side can be told apart.
    QString commandName;
    QString deviceName;

    bool has(const QString &option) const { return options.contains(option); }
    QString option(const QString &name, const QString &fallback = {}) const
    {
        return options.value(name, fallback);
    }
    // "config get tcp:10.0.0.5:6666", "decode", or the tool's name before a
    // command is known.
    QString speaker() const;
    // Every line on stderr goes through here: "SPEAKER: message". A line
    // that rewriteLine keeps updating is ended first.
    void say(const QString &message);
    // Replaces the line on stderr with "SPEAKER: message" (for a terminal:
    // carriage return, the text, erase to the end of the line).
    void rewriteLine(const QString &message);
    // Ends the line rewriteLine updates, keeping what it shows.
    void endLine();
    // Prints one line on stderr and returns the status, for "return fail(...)".
    int fail(ExitStatus status, const QString &message);
    // A command line the tool cannot take: one line on stderr that ends
    // with where to find the commands; exit status 2.
    int usage(const QString &message);

private:
    bool m_lineOpen = false;
};

// One option of the command line: "--raw FILE", or a flag without a value.
struct CliOption
{
    QString name;      // "--raw"
    QString valueName; // "FILE"; empty for a flag
    QString summary;
};

// How a command takes one of its options.
struct CommandOption
{
    QString name;
    bool required = false;
};

// One row of the command table. Dispatch, usage errors, the listing of
// --help and the help texts all come from these rows.
struct CliCommand
{
    QStringList words;             // {"config", "get"}
    QStringList operands;          // the words that must follow, {"FILE.json"}
    QList<CommandOption> options;  // its own options
    bool linksDevice = false;      // also takes --device and --listen
    QString summary;               // one line
    int (*run)(CliContext &) = nullptr;
};

// The command table and the options its rows name.
const QList<CliCommand> &CliCommands();
const QList<CliOption> &CliOptions();
// The option of that name, or null.
const CliOption *FindCliOption(const QString &name);
// The options every command that talks to a device takes.
const QStringList &DeviceOptionNames();
