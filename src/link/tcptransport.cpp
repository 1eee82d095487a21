#include "link/tcptransport.h"

#include "link/linktrace.h"
#include "link/linkwait.h"

#include <QHostAddress>

#include <algorithm>

bool TcpTransport::connectTo(const QString &address, quint16 port)
{
    QHostAddress host;
    if (!host.setAddress(address) || host.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    m_socket.connectToHost(host, port);
    LinkWait::Until(
        QDeadlineTimer(ConnectTimeoutMs, Qt::PreciseTimer),
        [this] { return m_socket.state() == QAbstractSocket::ConnectedState
                        || m_socket.state() == QAbstractSocket::UnconnectedState; },
        [this](int remainingMs) { m_socket.waitForConnected(remainingMs); });
    if (connected())
        return true;
    m_socket.abort();
    return false;
}

void TcpTransport::discardInput()
{
    // A reply that came after its request's deadline is still in the socket;
    // left there, it would answer this request, and every later request would
    // take the reply of the one before.
    QByteArray dropped = m_socket.readAll();
    for (int reads = 0; reads < MaxDiscardReads && connected() && m_socket.waitForReadyRead(0); ++reads)
        dropped += m_socket.readAll();
    if (!dropped.isEmpty())
        qCDebug(LinkTrace, "flushed: %s", TraceHex(dropped).constData());
}

void TcpTransport::transmit(const QByteArray &frame)
{
    if (!connected())
        return;
    m_socket.write(frame);
    // Waits while the data keeps leaving; a stalled connection gives up.
    while (m_socket.bytesToWrite() > 0 && connected()) {
        const qint64 pending = m_socket.bytesToWrite();
        const bool moved = LinkWait::Until(
            QDeadlineTimer(ReceiveBoundMs, Qt::PreciseTimer),
            [this, pending] { return m_socket.bytesToWrite() < pending || !connected(); },
            [this](int remainingMs) { m_socket.waitForBytesWritten(remainingMs); });
        if (!moved)
            return;
    }
}

QByteArray TcpTransport::receive(int waitMs)
{
    const QDeadlineTimer bound(std::clamp(waitMs, 0, ReceiveBoundMs), Qt::PreciseTimer);
    if (m_socket.bytesAvailable() == 0) {
        LinkWait::Until(
            bound, [this] { return m_socket.bytesAvailable() > 0 || !connected(); },
            [this](int remainingMs) { m_socket.waitForReadyRead(remainingMs); });
    }
    // Nothing within the bound, or a closed connection (isGone tells which).
    return m_socket.read(1024);
}
