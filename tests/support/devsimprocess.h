#pragma once

#include "qtprinting.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A simulated device started for one test, on loopback with a free TCP port
// and a pseudo-terminal in a temporary folder; stopped (SIGTERM) when the
// object goes away.
class DevSimProcess
{
public:
    struct Options
    {
        int code = 132;
        int versionByte = 14;
        int minor = 0;
        bool pty = true;
        int baud = 0; // unthrottled unless a test wants line timing
        QStringList extraArguments;
    };

    DevSimProcess();
    ~DevSimProcess();

    // Starts the device and waits for its ready line; false on failure.
    bool start(const Options &options);
    bool start() { return start(Options{}); }
    void stop();

    quint16 tcpPort() const { return m_tcpPort; }
    QString tcpDevice() const { return QStringLiteral("tcp:127.0.0.1:%1").arg(m_tcpPort); }
    QString ptyPath() const { return m_ptyPath; }
    QString serialDevice() const { return QStringLiteral("serial:") + m_ptyPath; }
    QString folder() const { return m_folder.path(); }

    // The request log: one line per request, "N MS LINK COMMAND PAYLOADHEX OUTCOME".
    QStringList requestLog() const;
    // The requests of the log by command name, in order.
    QStringList commandsLogged() const;

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    quint16 m_tcpPort = 0;
    QString m_ptyPath;
};

// Runs the simulated device with only these arguments, for options it must
// refuse: its exit status and its message on stderr. A device that starts
// instead is stopped again, and the status is then -1.
struct DevSimRefusal
{
    int exitCode = -1;
    QString message;
};
DevSimRefusal RunRefusedDevSim(const QStringList &arguments);
