#pragma once

#include <QHostAddress>
#include <QNetworkInterface>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

// The device's announcement on the local network: "DUVAD_c0_<id>_<address>"
// sent to the discovery group at a fixed interval, so that tools find the
// device without being told where it is.
class Announcer : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 GroupPort = 1900;

    explicit Announcer(QObject *parent = nullptr);

    // Starts announcing `id` at `address` on the interface named by
    // `interfaceText` (a name such as eth0, or one of its addresses); when
    // the address is "any", the interface's own IPv4 address is announced.
    // The first announcement goes out at once.
    bool start(const QString &interfaceText, int intervalMs, const QString &id, const QHostAddress &address,
               QString *error);
    QByteArray announcement() const { return m_announcement; }

private:
    void announce();

    QUdpSocket m_socket;
    QTimer m_timer;
    QByteArray m_announcement;
};
