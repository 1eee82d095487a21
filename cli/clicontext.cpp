#include "clicommand.h"

int CliContext::fail(ExitStatus status, const QString &message)
{
    err << "rerudad-cli: " << message << "\n";
    err.flush();
    return status;
}

int CliContext::usage(const QString &message)
{
    return fail(ExitUsage, message + QStringLiteral(" (run rerudad-cli without arguments for the commands)"));
}
