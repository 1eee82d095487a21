// Prints what the desktop tool costs while it sits idle, as a separate
// process on the offscreen platform: its CPU share of one core over
// RERUDAD_IDLE_SECONDS (30 by default) in three cases:
// - waiting: no device anywhere, the supervisor searching every second;
// - linked: the simulated device over its pseudo-terminal, the status polled
//   every 200 ms (also the resident memory);
// - unplugged: the device stopped in the middle of polling, so the poll in
//   flight waits out its time-outs on a dead port before the search resumes.

#include "devsimprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <memory>
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

// The desktop tool started from an empty program folder, searching only the
// given serial port and listening for announcements on loopback.
class DesktopTool
{
public:
    bool start(const QString &serialPorts)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("RERUDAD_SERIAL_PORTS"), serialPorts);
        environment.insert(QStringLiteral("RERUDAD_DISCOVERY_INTERFACE"), QStringLiteral("lo"));
        m_process.setProcessEnvironment(environment);
        m_process.setWorkingDirectory(m_programFolder.path());
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(QStringLiteral(RERUDAD_GUI));
        return m_process.waitForStarted(5000);
    }

    ~DesktopTool()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }

    qint64 pid() const { return m_process.processId(); }

    // The tool's share of one core over the next seconds.
    double cpuPercentOver(int seconds) const
    {
        const long long before = CpuTicks(pid());
        QThread::sleep(seconds);
        const long long after = CpuTicks(pid());
        return 100.0 * double(after - before) / double(sysconf(_SC_CLK_TCK)) / seconds;
    }

private:
    QTemporaryDir m_programFolder;
    QProcess m_process;
};

bool WaitForPolls(const DevSimProcess &device)
{
    for (int i = 0; i < 200; ++i) {
        if (device.commandsLogged().contains(QStringLiteral("CMD_GET_STATUS")))
            return true;
        QThread::msleep(100);
    }
    return false;
}

int MeasureWaiting(int seconds, const QString &ports)
{
    DesktopTool tool;
    if (!tool.start(ports)) {
        std::printf("idle: cannot start the desktop tool\n");
        return 1;
    }
    QThread::sleep(2);
    std::printf("waiting desktop tool (no device) over %d s: %.2f %% of one core (target < 0.3 %%)\n", seconds,
                tool.cpuPercentOver(seconds));
    return 0;
}

int MeasureLinked(int seconds)
{
    DevSimProcess device;
    if (!device.start({.baud = 115200})) {
        std::printf("idle: cannot start the simulated device\n");
        return 1;
    }
    DesktopTool tool;
    if (!tool.start(device.ptyPath()) || !WaitForPolls(device)) {
        std::printf("idle: the desktop tool did not link the simulated device\n");
        return 1;
    }
    const qsizetype pollsBefore = device.commandsLogged().count(QStringLiteral("CMD_GET_STATUS"));
    const double cpu = tool.cpuPercentOver(seconds);
    const qsizetype polls = device.commandsLogged().count(QStringLiteral("CMD_GET_STATUS")) - pollsBefore;
    std::printf("idle linked desktop tool over %d s: %.2f %% of one core (target < 2 %%), resident memory %s, "
                "%lld status polls (%.1f per second, serial at 115200 baud)\n",
                seconds, cpu, qPrintable(ResidentMemory(tool.pid())), static_cast<long long>(polls),
                double(polls) / seconds);
    return 0;
}

int MeasureUnplugged(int seconds)
{
    auto device = std::make_unique<DevSimProcess>();
    if (!device->start({.baud = 115200})) {
        std::printf("idle: cannot start the simulated device\n");
        return 1;
    }
    const QString port = device->ptyPath();
    DesktopTool tool;
    if (!tool.start(port) || !WaitForPolls(*device)) {
        std::printf("idle: the desktop tool did not link the simulated device\n");
        return 1;
    }
    QThread::msleep(1000 + 70);
    device.reset();
    // The poll in flight fails after two attempts of 2.5 s; then the search.
    const double failing = tool.cpuPercentOver(5);
    const double searching = tool.cpuPercentOver(seconds);
    std::printf("unplugged desktop tool: %.2f %% of one core over the 5 s the failing poll waits, "
                "%.2f %% over the next %d s (target < 1 %%)\n",
                failing, searching, seconds);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = qEnvironmentVariableIntValue("RERUDAD_IDLE_SECONDS") > 0
        ? qEnvironmentVariableIntValue("RERUDAD_IDLE_SECONDS") : 30;
    QTemporaryDir nowhere;
    int status = MeasureWaiting(seconds, nowhere.filePath(QStringLiteral("ttyNONE")));
    status |= MeasureLinked(seconds);
    status |= MeasureUnplugged(seconds);
    return status;
}
