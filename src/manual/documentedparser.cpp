#include "manual/documentedparser.h"

#include "manual/bashcompletion.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdlib>

namespace {

const QString ManOptionName = QStringLiteral("man");
const QString CompletionOptionName = QStringLiteral("bash-completion");

QCommandLineOption Hidden(const QString &name, const QString &description)
{
    QCommandLineOption option(name, description);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

// "-h, --help" or "--code N": the option as it is typed.
QString OptionTag(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString tag = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        tag += QLatin1Char(' ') + option.valueName();
    return tag;
}

} // namespace

DocumentedCommandLineParser::DocumentedCommandLineParser()
{
    QCommandLineParser::addOption(Hidden(ManOptionName, QStringLiteral("Print the manual page as roff.")));
    QCommandLineParser::addOption(
        Hidden(CompletionOptionName, QStringLiteral("Print the bash completion script.")));
}

QCommandLineOption DocumentedCommandLineParser::addHelpOption()
{
    const QCommandLineOption option = QCommandLineParser::addHelpOption();
    m_documented << option;
    return option;
}

QCommandLineOption DocumentedCommandLineParser::addVersionOption()
{
    const QCommandLineOption option = QCommandLineParser::addVersionOption();
    m_documented << option;
    return option;
}

bool DocumentedCommandLineParser::addOption(const QCommandLineOption &option)
{
    if (!QCommandLineParser::addOption(option))
        return false;
    if (!(option.flags() & QCommandLineOption::HiddenFromHelp))
        m_documented << option;
    return true;
}

bool DocumentedCommandLineParser::addOptions(const QList<QCommandLineOption> &options)
{
    bool added = true;
    for (const QCommandLineOption &option : options)
        added = addOption(option) && added;
    return added;
}

void DocumentedCommandLineParser::setManSummary(const QString &summary)
{
    m_summary = summary;
}

void DocumentedCommandLineParser::addManSection(const ManPage::Section &section)
{
    m_sections << section;
}

void DocumentedCommandLineParser::process(const QCoreApplication &application)
{
    QCommandLineParser::process(application);
    QString text;
    if (isSet(ManOptionName))
        text = manPage().roff();
    else if (isSet(CompletionOptionName))
        text = bashCompletion();
    else
        return;
    QTextStream(stdout) << text;
    std::exit(EXIT_SUCCESS);
}

ManPage DocumentedCommandLineParser::manPage() const
{
    ManPage page;
    page.name = QCoreApplication::applicationName();
    page.version = QStringLiteral(RERUDAD_VERSION);
    page.summary = m_summary.isEmpty() ? applicationDescription() : m_summary;
    page.synopsis << QStringLiteral("[OPTION]...");
    ManPage::Section description{QStringLiteral("DESCRIPTION"), {applicationDescription()}, {}};
    page.sections << description;
    ManPage::Section options{QStringLiteral("OPTIONS"), {}, {}};
    for (const QCommandLineOption &option : m_documented)
        options.entries << ManPage::Entry{OptionTag(option), option.description()};
    page.sections << options << m_sections;
    return page;
}

QString DocumentedCommandLineParser::bashCompletion() const
{
    BashCompletion completion;
    completion.program = QCoreApplication::applicationName();
    for (const QCommandLineOption &option : m_documented) {
        for (const QString &name : option.names())
            completion.options << BashCompletion::Option{
                (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name, option.valueName()};
    }
    return completion.script();
}
