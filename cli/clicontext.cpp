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
    return fail(ExitUsage, message + QStringLiteral(" (rerudad-cli --help lists the commands)"));
}
