#include "devsimprocess.h"

#include "requestlog.h"

#include <QRegularExpression>

#include <csignal>
#include <sys/prctl.h>

DevSimProcess::DevSimProcess() = default;

DevSimProcess::~DevSimProcess()
{
    stop();
}

bool DevSimProcess::start(const Options &options)
{
    m_ptyPath = options.pty ? m_folder.filePath(QStringLiteral("ttyDEVSIM")) : QString();
    QStringList arguments{QStringLiteral("--code"), QString::number(options.code),
                          QStringLiteral("--version"), QString::number(options.versionByte),
                          QStringLiteral("--minor"), QString::number(options.minor),
                          QStringLiteral("--port"), QStringLiteral("0"),
                          QStringLiteral("--log"), m_folder.filePath(QStringLiteral("requests.log")),
                          QStringLiteral("--baud"), QString::number(options.baud)};
    if (options.pty)
        arguments << QStringLiteral("--pty") << m_ptyPath;
    arguments << options.extraArguments;
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A test that dies without its destructors must not leave devices behind.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start(QStringLiteral(RERUDAD_DEVSIM), arguments);
    if (!m_process.waitForStarted(5000))
        return false;
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(5000))
            return false;
    }
    const QString ready = QString::fromUtf8(m_process.readLine());
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("tcp=[0-9.]+:(\\d+)")).match(ready);
    if (!match.hasMatch())
        return false;
    m_tcpPort = quint16(match.captured(1).toUInt());
    return true;
}

void DevSimProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    ::kill(pid_t(m_process.processId()), SIGTERM);
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QStringList DevSimProcess::requestLog() const
{
    return ReadRequestLog(m_folder.filePath(QStringLiteral("requests.log")));
}

QStringList DevSimProcess::commandsLogged() const
{
    return CommandsOf(requestLog());
}

DevSimRefusal RunRefusedDevSim(const QStringList &arguments)
{
    QProcess process;
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process.start(QStringLiteral(RERUDAD_DEVSIM), arguments);
    DevSimRefusal refusal;
    if (!process.waitForFinished(5000)) {
        ::kill(pid_t(process.processId()), SIGTERM);
        process.waitForFinished(5000);
        return refusal;
    }
    refusal.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    refusal.message = QString::fromUtf8(process.readAllStandardError());
    return refusal;
}
