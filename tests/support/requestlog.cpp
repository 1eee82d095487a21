#include "requestlog.h"

#include <QFile>

QStringList ReadRequestLog(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList CommandsOf(const QStringList &requestLog)
{
    QStringList commands;
    for (const QString &line : requestLog)
        commands << line.section(QLatin1Char(' '), 3, 3);
    return commands;
}
