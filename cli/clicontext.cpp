#include "clicommand.h"

QString CliContext::speaker() const
{
    if (commandName.isEmpty())
        return QStringLiteral("rerudad-cli");
    return deviceName.isEmpty() ? commandName : commandName + QLatin1Char(' ') + deviceName;
}

void CliContext::say(const QString &message)
{
    endLine();
    err << speaker() << ": " << message << "\n";
    err.flush();
}

void CliContext::rewriteLine(const QString &message)
{
    err << "\r" << speaker() << ": " << message << "\x1b[K";
    err.flush();
    m_lineOpen = true;
}

void CliContext::endLine()
{
    if (!m_lineOpen)
        return;
    err << "\n";
    err.flush();
    m_lineOpen = false;
}

int CliContext::fail(ExitStatus status, const QString &message)
{
    say(message);
    return status;
}

int CliContext::usage(const QString &message)
{
    // A command line the tool cannot use is the tool's to tell, whether the
    // parser or a command's own checks found it.
    endLine();
    err << "rerudad-cli: " << message << " (rerudad-cli --help lists the commands)\n";
    err.flush();
    return ExitUsage;
}
