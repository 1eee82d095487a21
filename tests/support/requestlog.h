#pragma once

#include <QString>
#include <QStringList>

// The simulated device's request log: one line per request,
// "N MS LINK COMMAND PAYLOADHEX OUTCOME".
QStringList ReadRequestLog(const QString &path);
// The COMMAND field of each line, in order.
QStringList CommandsOf(const QStringList &requestLog);
