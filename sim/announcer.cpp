#include "announcer.h"

#include <QVariant>

namespace {

const QHostAddress Group(QStringLiteral("239.255.255.250"));

QNetworkInterface InterfaceOf(const QString &text)
{
    const QNetworkInterface named = QNetworkInterface::interfaceFromName(text);
    if (named.isValid())
        return named;
    const QHostAddress address(text);
    if (address.isNull())
        return {};
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
            if (entry.ip() == address)
                return interface;
        }
    }
    return {};
}

QHostAddress FirstIPv4Address(const QNetworkInterface &interface)
{
    for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
        if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
            return entry.ip();
    }
    return {};
}

} // namespace

Announcer::Announcer(QObject *parent) : QObject(parent), m_socket(this), m_timer(this)
{
    connect(&m_timer, &QTimer::timeout, this, &Announcer::announce);
}

bool Announcer::start(const QString &interfaceText, int intervalMs, const QString &id, const QHostAddress &address,
                      QString *error)
{
    if (id.isEmpty() || id.contains(QLatin1Char('_')) || id.toLatin1() != id.toUtf8()) {
        *error = QStringLiteral("the announced id must be plain text without \"_\"");
        return false;
    }
    if (intervalMs <= 0) {
        *error = QStringLiteral("the announcement interval must be positive");
        return false;
    }
    const QNetworkInterface interface = InterfaceOf(interfaceText);
    if (!interface.isValid()) {
        *error = QStringLiteral("no interface %1 to announce on").arg(interfaceText);
        return false;
    }
    const QHostAddress announced = address == QHostAddress(QHostAddress::AnyIPv4) ? FirstIPv4Address(interface) : address;
    if (announced.protocol() != QAbstractSocket::IPv4Protocol) {
        *error = QStringLiteral("no IPv4 address to announce on %1").arg(interface.name());
        return false;
    }
    // The group has no route in a fresh network namespace or on loopback,
    // so the interface is always named; looping the datagrams back lets a
    // tool on the same host hear the device.
    if (!m_socket.bind(QHostAddress(QHostAddress::AnyIPv4), 0)) {
        *error = QStringLiteral("cannot open the announcement socket: %1").arg(m_socket.errorString());
        return false;
    }
    m_socket.setMulticastInterface(interface);
    m_socket.setSocketOption(QAbstractSocket::MulticastLoopbackOption, QVariant(1));

    m_announcement = QByteArrayLiteral("DUVAD_c0_") + id.toLatin1() + '_' + announced.toString().toLatin1();
    m_timer.start(intervalMs);
    announce();
    return true;
}

void Announcer::announce()
{
    m_socket.writeDatagram(m_announcement, Group, GroupPort);
}
