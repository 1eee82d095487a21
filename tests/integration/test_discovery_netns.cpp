// Discovery between two hosts: network namespaces made for the test, joined
// by a veth pair. The simulated device announces itself in one of them, the
// CLI listens in the other. Making namespaces needs root and the ip tool;
// without them the tests are skipped with the reason.

#include "devsimprocess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

namespace {

const QString DeviceAddress = QStringLiteral("10.231.0.1");
const QString ListenerAddress = QStringLiteral("10.231.0.2");

QString IpTool()
{
    const QString found = QStandardPaths::findExecutable(QStringLiteral("ip"));
    if (!found.isEmpty())
        return found;
    return QStandardPaths::findExecutable(QStringLiteral("ip"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
}

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the ip tool; with "netns exec NS PROGRAM ..." the program runs inside.
Outcome Ip(const QStringList &arguments, const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
           int timeoutMs = 30000)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(IpTool(), arguments);
    Outcome outcome;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        outcome.err = QStringLiteral("%1 did not finish").arg(arguments.join(QLatin1Char(' ')));
        return outcome;
    }
    outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.out = QString::fromUtf8(process.readAllStandardOutput());
    outcome.err = QString::fromUtf8(process.readAllStandardError()).trimmed();
    return outcome;
}

// Why namespaces cannot be made here, or nothing when they can be tried.
QString NamespacesUnavailable()
{
    if (::geteuid() != 0)
        return QStringLiteral("network namespaces need root (running as uid %1)").arg(::geteuid());
    if (IpTool().isEmpty())
        return QStringLiteral("the ip tool is not installed");
    return {};
}

QString Unique(const char *prefix)
{
    static int serial = 0;
    return QStringLiteral("%1%2x%3").arg(QLatin1String(prefix)).arg(QCoreApplication::applicationPid()).arg(++serial);
}

// One network namespace with its loopback up, removed with the object.
class NetworkNamespace
{
public:
    NetworkNamespace() : m_name(Unique("rrdns")) {}
    ~NetworkNamespace()
    {
        if (m_created)
            Ip({QStringLiteral("netns"), QStringLiteral("del"), m_name});
    }
    Q_DISABLE_COPY_MOVE(NetworkNamespace)

    // Nothing on success, else what went wrong.
    QString create()
    {
        const Outcome added = Ip({QStringLiteral("netns"), QStringLiteral("add"), m_name});
        if (added.exitCode != 0)
            return QStringLiteral("ip netns add failed: %1").arg(added.err);
        m_created = true;
        return run({QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("lo"), QStringLiteral("up")});
    }

    QString name() const { return m_name; }
    QStringList exec(const QString &program, const QStringList &arguments) const
    {
        return QStringList{QStringLiteral("netns"), QStringLiteral("exec"), m_name, program} + arguments;
    }
    // "ip -n NAME ARGUMENTS": nothing on success, else ip's complaint.
    QString run(const QStringList &arguments) const
    {
        const Outcome outcome = Ip(QStringList{QStringLiteral("-n"), m_name} + arguments);
        if (outcome.exitCode != 0)
            return QStringLiteral("ip -n %1 %2 failed: %3").arg(m_name, arguments.join(QLatin1Char(' ')), outcome.err);
        return {};
    }
    // A veth pair reports no carrier for a moment after it is set up.
    bool waitForCarrier(const QString &interface) const
    {
        const QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired()) {
            const Outcome shown = Ip({QStringLiteral("-n"), m_name, QStringLiteral("-o"), QStringLiteral("link"),
                                      QStringLiteral("show"), QStringLiteral("dev"), interface});
            if (shown.out.contains(QLatin1String("state UP")))
                return true;
            QThread::msleep(100);
        }
        return false;
    }

private:
    QString m_name;
    bool m_created = false;
};

// Two namespaces, a device side and a listener side, joined by a veth pair
// with an address at each end.
class NamespacePair
{
public:
    NetworkNamespace device;
    NetworkNamespace listener;
    const QString deviceInterface = Unique("rrdd");
    const QString listenerInterface = Unique("rrdl");

    QString create()
    {
        for (NetworkNamespace *side : {&device, &listener}) {
            if (const QString error = side->create(); !error.isEmpty())
                return error;
        }
        const Outcome linked = Ip({QStringLiteral("link"), QStringLiteral("add"), deviceInterface, QStringLiteral("netns"),
                                   device.name(), QStringLiteral("type"), QStringLiteral("veth"), QStringLiteral("peer"),
                                   QStringLiteral("name"), listenerInterface, QStringLiteral("netns"), listener.name()});
        if (linked.exitCode != 0)
            return QStringLiteral("no veth pair: %1").arg(linked.err);
        for (const QString &error : {bringUp(device, deviceInterface, DeviceAddress),
                                     bringUp(listener, listenerInterface, ListenerAddress)}) {
            if (!error.isEmpty())
                return error;
        }
        if (!device.waitForCarrier(deviceInterface) || !listener.waitForCarrier(listenerInterface))
            return QStringLiteral("the veth pair did not come up");
        return {};
    }

private:
    static QString bringUp(const NetworkNamespace &side, const QString &interface, const QString &address)
    {
        const QString error = side.run({QStringLiteral("addr"), QStringLiteral("add"), address + QStringLiteral("/24"),
                                        QStringLiteral("dev"), interface});
        if (!error.isEmpty())
            return error;
        return side.run({QStringLiteral("link"), QStringLiteral("set"), interface, QStringLiteral("up")});
    }
};

// The simulated device started inside a namespace ("ip netns exec" runs it
// in place, so its pid is the device's own); stopped with the object.
class NamespacedDevSim
{
public:
    ~NamespacedDevSim()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(m_process.processId()), SIGTERM);
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    bool start(const NetworkNamespace &ns, const QStringList &arguments)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(IpTool(), ns.exec(QStringLiteral(RERUDAD_DEVSIM),
                                          arguments + QStringList{QStringLiteral("--log"), logPath()}));
        if (!m_process.waitForStarted(5000))
            return false;
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(5000))
                return false;
        }
        return m_process.readLine().startsWith("devsim ready");
    }

    QString requestLog() const
    {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private:
    QString logPath() const { return m_folder.filePath(QStringLiteral("requests.log")); }

    QTemporaryDir m_folder;
    QProcess m_process;
};

// The CLI's environment without any serial port, so that "auto" can only
// succeed over the network.
QProcessEnvironment WithoutSerialPorts()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("RERUDAD_SERIAL_PORTS"));
    return environment;
}

TEST(DiscoveryAcrossNamespaces, TheListenerHearsTheDeviceAndAutoReachesIt)
{
    if (const QString reason = NamespacesUnavailable(); !reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    NamespacePair hosts;
    if (const QString reason = hosts.create(); !reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();

    const QString id = Unique("BOX");
    NamespacedDevSim device;
    ASSERT_TRUE(device.start(hosts.device,
                             {QStringLiteral("--code"), QStringLiteral("158"), QStringLiteral("--version"),
                              QStringLiteral("15"), QStringLiteral("--address"), DeviceAddress,
                              QStringLiteral("--announce-interface"), hosts.deviceInterface,
                              QStringLiteral("--announce-interval"), QStringLiteral("300"),
                              QStringLiteral("--announce-id"), id}));

    const Outcome heard = Ip(hosts.listener.exec(QStringLiteral(RERUDAD_CLI),
                                                 {QStringLiteral("discover"), QStringLiteral("--seconds"), QStringLiteral("3")}));
    EXPECT_EQ(heard.exitCode, 0) << heard.err.toStdString();
    EXPECT_EQ(heard.out, QStringLiteral("%1 %2\n").arg(id, DeviceAddress));

    const Outcome identified = Ip(hosts.listener.exec(QStringLiteral(RERUDAD_CLI),
                                                      {QStringLiteral("identify"), QStringLiteral("--device"), QStringLiteral("auto")}),
                                  WithoutSerialPorts());
    EXPECT_EQ(identified.exitCode, 0) << identified.err.toStdString();
    EXPECT_TRUE(identified.out.startsWith(QLatin1String(R"({"HardwareCode":158,"FirmwareVersionByte":15,)")))
        << identified.out.toStdString();
    EXPECT_TRUE(device.requestLog().contains(QLatin1String(" tcp CMD_IDENTIFY "))) << device.requestLog().toStdString();
}

TEST(DiscoveryAcrossNamespaces, AHostWithOnlyLoopbackGoesStraightToSerialPorts)
{
    if (const QString reason = NamespacesUnavailable(); !reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    NetworkNamespace isolated;
    if (const QString reason = isolated.create(); !reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();

    const Outcome heard = Ip(isolated.exec(QStringLiteral(RERUDAD_CLI), {QStringLiteral("discover")}));
    EXPECT_EQ(heard.exitCode, 1);
    EXPECT_TRUE(heard.out.isEmpty());
    EXPECT_TRUE(heard.err.contains(QLatin1String("no network interface"))) << heard.err.toStdString();

    // The pseudo-terminal reaches into the namespace; a CLI that listened
    // for the full minute would overrun the 30 s bound of the run.
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 142, .versionByte = 7}));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("RERUDAD_SERIAL_PORTS"), device.ptyPath());
    const Outcome identified = Ip(isolated.exec(QStringLiteral(RERUDAD_CLI),
                                                {QStringLiteral("identify"), QStringLiteral("--device"), QStringLiteral("auto"),
                                                 QStringLiteral("--listen"), QStringLiteral("60")}),
                                  environment, 30000);
    EXPECT_EQ(identified.exitCode, 0) << identified.err.toStdString();
    EXPECT_TRUE(identified.out.startsWith(QLatin1String(R"({"HardwareCode":142,)"))) << identified.out.toStdString();
}

TEST(DiscoveryInANamespace, AutoListensOnTheInterfaceTheEnvironmentNames)
{
    if (const QString reason = NamespacesUnavailable(); !reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    NetworkNamespace host;
    if (const QString reason = host.create(); !reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();

    // A host with loopback alone: the device announces there, on port 6666.
    const QString id = Unique("LO");
    NamespacedDevSim device;
    ASSERT_TRUE(device.start(host, {QStringLiteral("--code"), QStringLiteral("131"), QStringLiteral("--announce-interface"),
                                    QStringLiteral("lo"), QStringLiteral("--announce-interval"), QStringLiteral("200"),
                                    QStringLiteral("--announce-id"), id}));
    const QStringList identify{QStringLiteral("identify"), QStringLiteral("--device"), QStringLiteral("auto"),
                               QStringLiteral("--listen"), QStringLiteral("2")};

    // Without the variable nothing listens on loopback, and no port answers.
    const Outcome unheard = Ip(host.exec(QStringLiteral(RERUDAD_CLI), identify), WithoutSerialPorts());
    EXPECT_EQ(unheard.exitCode, 1);
    EXPECT_EQ(unheard.err, QStringLiteral("rerudad-cli: no device found"));

    QProcessEnvironment onLoopback = WithoutSerialPorts();
    onLoopback.insert(QStringLiteral("RERUDAD_DISCOVERY_INTERFACE"), QStringLiteral("lo"));
    const Outcome heard = Ip(host.exec(QStringLiteral(RERUDAD_CLI), identify), onLoopback);
    EXPECT_EQ(heard.exitCode, 0) << heard.err.toStdString();
    EXPECT_TRUE(heard.out.startsWith(QLatin1String(R"({"HardwareCode":131,)"))) << heard.out.toStdString();
    EXPECT_TRUE(device.requestLog().contains(QLatin1String(" tcp CMD_IDENTIFY "))) << device.requestLog().toStdString();
}

} // namespace
