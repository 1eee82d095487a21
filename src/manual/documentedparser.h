#pragma once

#include "manual/manpage.h"

#include <QCommandLineParser>

class QCoreApplication;

// A command-line parser that also writes its program's manual page and bash
// completion from the very options that make its --help: the hidden options
// --man and --bash-completion print them. The build installs what they
// print, so that no second copy of the option texts has to be kept in step.
class DocumentedCommandLineParser : public QCommandLineParser
{
public:
    DocumentedCommandLineParser();

    // As QCommandLineParser's, also noting the options for the manual page.
    QCommandLineOption addHelpOption();
    QCommandLineOption addVersionOption();
    bool addOption(const QCommandLineOption &option);
    bool addOptions(const QList<QCommandLineOption> &options);

    // The NAME line's summary (the application description otherwise) and
    // sections after OPTIONS, such as ENVIRONMENT or FILES.
    void setManSummary(const QString &summary);
    void addManSection(const ManPage::Section &section);

    // QCommandLineParser::process, then, for --man or --bash-completion,
    // the text on stdout and the end of the process with status 0.
    void process(const QCoreApplication &application);

    ManPage manPage() const;
    QString bashCompletion() const;

private:
    QList<QCommandLineOption> m_documented;
    QString m_summary;
    QList<ManPage::Section> m_sections;
};
