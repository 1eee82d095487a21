#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A bash completion script, written from the tables that also make a
// program's --help.
struct BashCompletion
{
    struct Option
    {
        QString name;      // "--raw"
        QString valueName; // "FILE"; empty for a flag
    };
    // A command of one or more words, with the options it takes and the
    // operands that follow it ("FILE.json", "play|record|stop").
    struct Command
    {
        QStringList words;
        QStringList options;
        QStringList operands;
    };

    QString program;
    QList<Option> options;   // every option of the program
    QList<Command> commands; // none for a program that takes only options

    QString script() const;
};

// What completes a value or an operand of this name: "file", "directory",
// or the words the name offers ("tcp: serial: auto" for
// "tcp:HOST[:PORT]|serial:PATH|auto"); nothing for a number or a free text.
QString CompletionOf(const QString &valueName);
