#include "link/tcptransport.h"

#include <QHostAddress>
#include <QThread>

#include <algorithm>

bool TcpTransport::connectTo(const QString &address, quint16 port)
{
    QHostAddress host;
    if (!host.setAddress(address) || host.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    m_socket.connectToHost(host, port);
    if (m_socket.waitForConnected(ConnectTimeoutMs))
        return true;
    m_socket.abort();
    return false;
}

void TcpTransport::transmit(const QByteArray &frame)
{
    m_socket.write(frame);
    while (m_socket.bytesToWrite() > 0 && m_socket.waitForBytesWritten(ReceiveBoundMs)) {
    }
}

QByteArray TcpTransport::receive(int waitMs)
{
    const int boundMs = std::clamp(waitMs, 0, ReceiveBoundMs);
    if (m_socket.bytesAvailable() == 0) {
        if (m_socket.state() != QAbstractSocket::ConnectedState) {
            // A closed connection reads as silence until the caller's deadline.
            QThread::msleep(boundMs);
            return {};
        }
        if (!m_socket.waitForReadyRead(boundMs))
            return {};
    }
    return m_socket.read(1024);
}
