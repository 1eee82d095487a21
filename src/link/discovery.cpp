#include "link/discovery.h"

#include <QTimer>
#include <QUdpSocket>

namespace {

bool HasIPv4Address(const QNetworkInterface &interface)
{
    for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
        if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
            return true;
    }
    return false;
}

} // namespace

QNetworkInterface GetDiscoveryInterface()
{
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        const QNetworkInterface::InterfaceFlags flags = interface.flags();
        // Up but not running is an interface without carrier: nothing to hear.
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning)
            || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        if (HasIPv4Address(interface))
            return interface;
    }
    return {};
}

// The part of discovery that lives on the listener thread: the socket, and
// the timer that stands for a receive that heard nothing.
class DiscoveryListener : public QObject
{
public:
    DiscoveryListener(DeviceTable &table, const DiscoveryOptions &options) : m_table(table), m_options(options) {}

    // Runs on the listener thread, so that the socket belongs to it.
    int open()
    {
        m_socket = new QUdpSocket(this);
        if (!m_socket->bind(QHostAddress(QHostAddress::AnyIPv4), m_options.port,
                            QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
            const QAbstractSocket::SocketError error = m_socket->error();
            const bool noSocket = error == QAbstractSocket::SocketResourceError
                                  || error == QAbstractSocket::UnsupportedSocketOperationError;
            return noSocket ? DiscoverySocketFailed : DiscoveryBindFailed;
        }
        const QNetworkInterface interface = m_options.interfaceName.isEmpty()
                                                ? GetDiscoveryInterface()
                                                : QNetworkInterface::interfaceFromName(m_options.interfaceName);
        if (!interface.isValid())
            return DiscoveryNoInterface;
        if (!m_socket->joinMulticastGroup(m_options.group, interface))
            return DiscoveryJoinFailed;

        m_silence = new QTimer(this);
        m_silence->setInterval(m_options.receiveBoundMs);
        connect(m_silence, &QTimer::timeout, this, [this] { m_table.receive({}); });
        connect(m_socket, &QUdpSocket::readyRead, this, &DiscoveryListener::readDatagrams);
        m_silence->start();
        return DiscoveryStarted;
    }

private:
    void readDatagrams()
    {
        while (m_socket->hasPendingDatagrams()) {
            // A longer datagram is cut: no announcement needs more.
            char buffer[MaxAnnouncementBytes];
            const qint64 size = m_socket->readDatagram(buffer, sizeof buffer);
            m_table.receive(size > 0 ? QByteArrayView(buffer, size) : QByteArrayView());
        }
        m_silence->start();
    }

    DeviceTable &m_table;
    const DiscoveryOptions m_options;
    QUdpSocket *m_socket = nullptr;
    QTimer *m_silence = nullptr;
};

Discovery::Discovery(DiscoveryOptions options) : m_options(std::move(options)), m_table(m_options.clock)
{
    m_thread.setObjectName(QStringLiteral("discovery"));
}

Discovery::~Discovery()
{
    stop();
}

int Discovery::StartDiscovery()
{
    stop();
    m_table.clear();

    m_listener = new DiscoveryListener(m_table, m_options);
    m_listener->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_listener, &QObject::deleteLater);
    m_thread.start();
    if (!m_thread.isRunning()) {
        delete m_listener;
        m_listener = nullptr;
        return DiscoveryThreadFailed;
    }

    int result = DiscoveryThreadFailed;
    DiscoveryListener *listener = m_listener;
    QMetaObject::invokeMethod(listener, [listener, &result] { result = listener->open(); }, Qt::BlockingQueuedConnection);
    if (result != DiscoveryStarted)
        stop();
    return result;
}

void Discovery::stop()
{
    if (!m_listener)
        return;
    // The listener, its socket and its timer go with the thread's end.
    m_thread.quit();
    m_thread.wait();
    m_listener = nullptr;
}
