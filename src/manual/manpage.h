#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A manual page of section 1, written as roff from the tables that also make
// a program's --help, so that the two never disagree.
struct ManPage
{
    // One ".TP" entry: a tag in bold (an option or a command) and its text.
    struct Entry
    {
        QString tag;
        QString text;
    };
    struct Section
    {
        QString title;          // "OPTIONS"
        QStringList paragraphs; // before the entries
        QList<Entry> entries;
    };

    QString name;           // "rerudad-cli"
    QString summary;        // the NAME line after the dash
    QString version;        // "9.8"
    QStringList synopsis;   // one usage line each, without the name
    QList<Section> sections;

    QString roff() const;
};

// Plain text as roff: backslashes and hyphens escaped, no line that a
// leading "." or "'" would turn into a request.
QString RoffText(const QString &text);
