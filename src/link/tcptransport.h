#pragma once

#include "link/transport.h"

#include <QTcpSocket>

inline constexpr quint16 DeviceTcpPort = 6666;

// The network link: a TCP connection to the device's port 6666.
class TcpTransport : public Transport
{
public:
    // Bounds the connect so that a stale address cannot freeze the tool.
    static constexpr int ConnectTimeoutMs = 2500;
    // Each receive returns after at most this long, like the device's socket option.
    static constexpr int ReceiveBoundMs = 100;
    // At most this many reads drain stale input before a request, so that a
    // device that never stops sending cannot hold the exchange.
    static constexpr int MaxDiscardReads = 16;

    bool connectTo(const QString &address, quint16 port);

    bool isSerial() const override { return false; }
    void discardInput() override;
    void transmit(const QByteArray &frame) override;
    QByteArray receive(int waitMs) override;
    // The device closed the connection, or the socket failed.
    bool isGone() const override { return !connected(); }

private:
    bool connected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }

    QTcpSocket m_socket;
};
