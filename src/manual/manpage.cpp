#include "manual/manpage.h"

#include <QTextStream>

QString RoffText(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + text.size() / 8);
    bool lineStart = true;
    for (const QChar character : text) {
        if (lineStart && (character == QLatin1Char('.') || character == QLatin1Char('\'')))
            escaped += QLatin1String("\\&");
        if (character == QLatin1Char('\\'))
            escaped += QLatin1String("\\e");
        else if (character == QLatin1Char('-'))
            escaped += QLatin1String("\\-");
        else
            escaped += character;
        lineStart = character == QLatin1Char('\n');
    }
    return escaped;
}

QString ManPage::roff() const
{
    QString text;
    QTextStream out(&text);
    const auto quoted = [](const QString &value) {
        return QLatin1Char('"') + RoffText(value).replace(QLatin1Char('"'), QLatin1String("\\(dq")) + QLatin1Char('"');
    };
    out << ".TH " << quoted(name.toUpper()) << " 1 \"\" " << quoted(QStringLiteral("rerudad ") + version)
        << " \"User Commands\"\n";
    out << ".SH NAME\n" << RoffText(name) << " \\- " << RoffText(summary) << "\n";
    out << ".SH SYNOPSIS\n";
    for (const QString &line : synopsis)
        out << ".B " << RoffText(name) << "\n" << RoffText(line) << "\n.br\n";
    for (const Section &section : sections) {
        out << ".SH " << RoffText(section.title) << "\n";
        for (const QString &paragraph : section.paragraphs)
            out << ".PP\n" << RoffText(paragraph) << "\n";
        for (const Entry &entry : section.entries)
            out << ".TP\n.B " << RoffText(entry.tag) << "\n" << RoffText(entry.text) << "\n";
    }
    return text;
}
