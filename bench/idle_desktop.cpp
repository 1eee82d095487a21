// Prints what the linked desktop tool costs while it sits idle: its CPU
// share of one core and its resident memory over 30 s (RERUDAD_IDLE_SECONDS)
// against the simulated device, the status being polled every 200 ms.

#include "devsimprocess.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <unistd.h>

namespace {

// User plus system time of a process, in clock ticks.
long long CpuTicks(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(stat.readAll());
    // Fields after the command name in parentheses: state is field 3, utime 14, stime 15.
    const QStringList fields = text.mid(text.lastIndexOf(QLatin1Char(')')) + 2).split(QLatin1Char(' '));
    return fields.value(11).toLongLong() + fields.value(12).toLongLong();
}

QString ResidentMemory(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return QString::fromLatin1(line.mid(6).trimmed());
    }
    return QStringLiteral("?");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = qEnvironmentVariableIntValue("RERUDAD_IDLE_SECONDS") > 0
        ? qEnvironmentVariableIntValue("RERUDAD_IDLE_SECONDS") : 30;

    DevSimProcess device;
    if (!device.start({.baud = 115200})) {
        std::printf("idle: cannot start the simulated device\n");
        return 1;
    }
    QTemporaryDir programFolder;
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("RERUDAD_SERIAL_PORTS"), device.ptyPath());
    environment.insert(QStringLiteral("RERUDAD_DISCOVERY_INTERFACE"), QStringLiteral("lo"));
    tool.setProcessEnvironment(environment);
    tool.setWorkingDirectory(programFolder.path());
    tool.setProcessChannelMode(QProcess::ForwardedChannels);
    tool.start(QStringLiteral(RERUDAD_GUI));
    if (!tool.waitForStarted(5000)) {
        std::printf("idle: cannot start the desktop tool\n");
        return 1;
    }
    // Linked once the panel polls.
    for (int i = 0; i < 200 && !device.commandsLogged().contains(QStringLiteral("CMD_GET_STATUS")); ++i)
        QThread::msleep(100);
    const qint64 pid = tool.processId();
    const qsizetype pollsBefore = device.commandsLogged().count(QStringLiteral("CMD_GET_STATUS"));
    const long long before = CpuTicks(pid);
    QThread::sleep(seconds);
    const long long after = CpuTicks(pid);
    const qsizetype polls = device.commandsLogged().count(QStringLiteral("CMD_GET_STATUS")) - pollsBefore;
    const double cpuSeconds = double(after - before) / double(sysconf(_SC_CLK_TCK));
    std::printf("idle linked desktop tool over %d s: %.2f %% of one core (target < 2 %%), resident memory %s, "
                "%lld status polls (%.1f per second, serial at 115200 baud)\n",
                seconds, 100.0 * cpuSeconds / seconds, qPrintable(ResidentMemory(pid)), static_cast<long long>(polls),
                double(polls) / seconds);
    tool.terminate();
    if (!tool.waitForFinished(5000))
        tool.kill();
    return 0;
}
