#include "tcplink.h"

#include "requeststream.h"
#include "simdevice.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

TcpLink::TcpLink(SimDevice &device, QObject *parent) : QObject(parent), m_device(device)
{
    connect(&m_server, &QTcpServer::newConnection, this, &TcpLink::acceptConnection);
}

bool TcpLink::listen(const QHostAddress &address, quint16 port)
{
    return m_server.listen(address, port);
}

void TcpLink::acceptConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        auto stream = std::make_shared<RequestStream>();
        const QString linkName = QStringLiteral("tcp");
        QPointer<QTcpSocket> guarded(socket);
        stream->onRequest = [this, guarded, linkName](quint8 requestClass, const QByteArray &payload) {
            if (!guarded)
                return;
            const SimResponse response = m_device.handle(linkName, requestClass, payload);
            switch (response.action) {
            case SimResponse::Action::Silence:
                break;
            case SimResponse::Action::Drop:
                guarded->disconnectFromHost();
                break;
            case SimResponse::Action::Reply:
                if (response.delayMs > 0) {
                    QTimer::singleShot(response.delayMs, guarded, [guarded, bytes = response.lineBytes] {
                        if (guarded)
                            guarded->write(bytes);
                    });
                } else {
                    guarded->write(response.lineBytes);
                }
                break;
            }
        };
        stream->onBadFrame = [this, linkName](quint8 requestClass) { m_device.noteBadFrame(linkName, requestClass); };
        connect(socket, &QTcpSocket::readyRead, socket, [socket, stream] { stream->feed(socket->readAll()); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}
