#pragma once

#include "qtprinting.h"

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One run of rerudad-cli as a process.
struct CliResult
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs in workingFolder when given (the CLI's program folder), else here.
CliResult RunCli(const QStringList &arguments, int timeoutMs = 30000,
                 const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                 const QString &workingFolder = {});

// Runs several rerudad-cli processes at the same time, for cases that wait
// out the link's real time-outs: the results in the order of the runs.
QList<CliResult> RunClisTogether(const QList<QStringList> &argumentLists, int timeoutMs = 30000);
