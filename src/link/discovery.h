#pragma once

#include "link/devicetable.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QThread>

// StartDiscovery returns 0 or the number of the step that failed. Steps 1
// (starting the socket library) and 3 (the address-reuse option) cannot
// fail here: there is no library to start, and the option is set as part of
// the bind. Their numbers stay taken so that every result keeps its meaning.
enum DiscoveryResult : int {
    DiscoveryStarted = 0,
    DiscoverySocketFailed = 2,
    DiscoveryBindFailed = 4,
    DiscoveryNoInterface = 5,
    DiscoveryJoinFailed = 6,
    DiscoveryThreadFailed = 7,
};

// The interface that joins the announcement group: the first one that is up
// and running, not loopback, and has an IPv4 address. Invalid when the host
// has none.
QNetworkInterface GetDiscoveryInterface();

struct DiscoveryOptions
{
    QHostAddress group{QStringLiteral("239.255.255.250")};
    quint16 port = 1900;
    // The interface to join the group on, by name; empty: the one
    // GetDiscoveryInterface() picks.
    QString interfaceName;
    // A receive that hears nothing for this long still lets the table drop
    // the devices that fell silent.
    int receiveBoundMs = 2000;
    MillisecondClock clock = MillisecondTick;
};

class DiscoveryListener;

// Listens for device announcements on a thread of its own and keeps the
// table of the devices heard recently. The listener runs from StartDiscovery
// until stop() or the destruction of this object, which wait for it to end.
class Discovery
{
public:
    explicit Discovery(DiscoveryOptions options = {});
    ~Discovery();
    Q_DISABLE_COPY_MOVE(Discovery)

    // Empties the table and starts listening. Returns a DiscoveryResult;
    // on failure nothing listens and the table stays empty.
    int StartDiscovery();
    void stop();
    bool isRunning() const { return m_listener != nullptr; }

    const DeviceTable &table() const { return m_table; }

private:
    const DiscoveryOptions m_options;
    DeviceTable m_table;
    QThread m_thread;
    // Lives on m_thread and is deleted there when the thread finishes.
    DiscoveryListener *m_listener = nullptr;
};
