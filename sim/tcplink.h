#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>

class SimDevice;

// The device's network side: a TCP server; every connection gets its own
// frame decoder and talks to the one device.
class TcpLink : public QObject
{
    Q_OBJECT

public:
    TcpLink(SimDevice &device, QObject *parent = nullptr);

    bool listen(const QHostAddress &address, quint16 port);
    quint16 port() const { return m_server.serverPort(); }

private:
    void acceptConnection();

    SimDevice &m_device;
    QTcpServer m_server;
};
