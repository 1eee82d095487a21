#include "cliprocess.h"

#include <QDeadlineTimer>
#include <QProcess>

#include <memory>
#include <vector>

namespace {

CliResult Finish(QProcess &process, QDeadlineTimer deadline)
{
    CliResult result;
    if (!process.waitForFinished(int(deadline.remainingTime()))) {
        process.kill();
        process.waitForFinished();
        result.err = QStringLiteral("rerudad-cli did not finish");
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

} // namespace

CliResult RunCli(const QStringList &arguments, int timeoutMs, const QProcessEnvironment &environment,
                 const QString &workingFolder)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.start(QStringLiteral(RERUDAD_CLI), arguments);
    return Finish(process, QDeadlineTimer(timeoutMs));
}

QList<CliResult> RunClisTogether(const QList<QStringList> &argumentLists, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    std::vector<std::unique_ptr<QProcess>> processes;
    for (const QStringList &arguments : argumentLists) {
        processes.push_back(std::make_unique<QProcess>());
        processes.back()->start(QStringLiteral(RERUDAD_CLI), arguments);
    }
    QList<CliResult> results;
    for (const auto &process : processes)
        results << Finish(*process, deadline);
    return results;
}
