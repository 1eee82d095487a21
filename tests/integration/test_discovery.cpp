// Discovery on the loopback interface: the real listener thread and socket,
// the simulated device's announcements, and the connection step that reads
// the table. Everything stays on lo, which carries the group when it is
// named.

#include "devsimprocess.h"

#include "link/cxmit.h"
#include "link/discovery.h"

#include <QCoreApplication>
#include <QNetworkInterface>
#include <QTest>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <atomic>

namespace {

const QString Loopback = QStringLiteral("lo");

quint16 FreeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::AnyIPv4), 0);
    return probe.localPort();
}

// Datagrams to the discovery group on lo, as a device (or anything else on
// the network) would send them.
class GroupSender
{
public:
    explicit GroupSender(quint16 port) : m_port(port)
    {
        m_socket.bind(QHostAddress(QHostAddress::AnyIPv4), 0);
        m_socket.setMulticastInterface(QNetworkInterface::interfaceFromName(Loopback));
    }
    void send(const QByteArray &datagram)
    {
        m_socket.writeDatagram(datagram, DiscoveryOptions().group, m_port);
    }

private:
    QUdpSocket m_socket;
    quint16 m_port;
};

QStringList Ids(const DeviceTable &table)
{
    QStringList ids;
    for (const DeviceTableRow &row : table.copy())
        ids << row.DeviceId;
    return ids;
}

QString UniqueId(const char *name)
{
    return QStringLiteral("%1%2").arg(QLatin1String(name)).arg(QCoreApplication::applicationPid());
}

TEST(DiscoveryLoopback, HearsTheSimulatedDeviceAndConnectDeviceLinksIt)
{
    Discovery discovery({.interfaceName = Loopback});
    ASSERT_EQ(discovery.StartDiscovery(), DiscoveryStarted);
    ASSERT_TRUE(discovery.isRunning());

    const QString id = UniqueId("LOOP");
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 158, .versionByte = 15, .pty = false,
                              .extraArguments = {QStringLiteral("--announce-interface"), Loopback,
                                                 QStringLiteral("--announce-interval"), QStringLiteral("200"),
                                                 QStringLiteral("--announce-id"), id}}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Ids(discovery.table()).contains(id); }, 5000));
    for (const DeviceTableRow &row : discovery.table().copy())
        EXPECT_EQ(row.DeviceAddress, QStringLiteral("127.0.0.1"));

    CXmit xmit(&discovery.table());
    xmit.TcpPort = device.tcpPort();
    xmit.ListSerialPorts = [] { return QStringList(); };
    EXPECT_EQ(xmit.ConnectDevice(), 15);
    EXPECT_TRUE(xmit.isLinked());
    EXPECT_FALSE(xmit.isSerialLink());
    EXPECT_EQ(xmit.Identity.HardwareCode, 158);
}

TEST(DiscoveryLoopback, HostileDatagramsLeaveTheTableSound)
{
    const quint16 port = FreeUdpPort();
    Discovery discovery({.port = port, .interfaceName = Loopback});
    ASSERT_EQ(discovery.StartDiscovery(), DiscoveryStarted);

    GroupSender sender(port);
    sender.send(QByteArray(65000, '_'));
    sender.send("DUVAD_c0");
    sender.send(QByteArray("DUVAD_c0_\0_127.0.0.1", 20));
    // Cut after 255 bytes; the tail must not leak into the next datagram.
    sender.send("DUVAD_c0_FIRST_10.1.1.1_" + QByteArray(1000, 'z'));
    for (int i = 0; i < 60; ++i)
        sender.send("DUVAD_c0_N" + QByteArray::number(i) + "_10.1.2." + QByteArray::number(i + 1));

    ASSERT_TRUE(QTest::qWaitFor([&] { return discovery.table().Count() == DeviceTable::MaxRows; }, 5000));
    const QList<DeviceTableRow> rows = discovery.table().copy();
    EXPECT_EQ(rows.first().DeviceId, QStringLiteral("FIRST"));
    EXPECT_EQ(rows.first().DeviceAddress, QStringLiteral("10.1.1.1"));
    EXPECT_EQ(rows[1].DeviceId, QStringLiteral("N0"));
    EXPECT_EQ(rows.last().DeviceId, QStringLiteral("N48"));
    EXPECT_EQ(rows.last().DeviceAddress, QStringLiteral("10.1.2.49"));
}

TEST(DiscoveryLoopback, DevicesExpireWhileTheNetworkIsSilent)
{
    std::atomic<quint32> now{1000};
    const quint16 port = FreeUdpPort();
    Discovery discovery({.port = port, .interfaceName = Loopback, .receiveBoundMs = 50, .clock = [&now] { return now.load(); }});
    ASSERT_EQ(discovery.StartDiscovery(), DiscoveryStarted);

    GroupSender(port).send("DUVAD_c0_QUIET_10.1.1.1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return discovery.table().Count() == 1; }, 5000));
    now += DeviceTable::LifetimeMs + 1;
    EXPECT_TRUE(QTest::qWaitFor([&] { return discovery.table().Count() == 0; }, 5000));
}

TEST(DiscoveryStart, ReportsTheStepThatFailed)
{
    {
        Discovery discovery({.port = FreeUdpPort(), .interfaceName = QStringLiteral("rrd-none0")});
        EXPECT_EQ(discovery.StartDiscovery(), DiscoveryNoInterface);
        EXPECT_FALSE(discovery.isRunning());
    }
    {
        // Not a group: the membership is refused.
        Discovery discovery({.group = QHostAddress(QStringLiteral("127.0.0.1")), .port = FreeUdpPort(),
                             .interfaceName = Loopback});
        EXPECT_EQ(discovery.StartDiscovery(), DiscoveryJoinFailed);
        EXPECT_FALSE(discovery.isRunning());
    }
    {
        // A socket that holds the port without sharing it.
        QUdpSocket holder;
        ASSERT_TRUE(holder.bind(QHostAddress(QHostAddress::AnyIPv4), 0, QUdpSocket::DontShareAddress));
        Discovery discovery({.port = holder.localPort(), .interfaceName = Loopback});
        EXPECT_EQ(discovery.StartDiscovery(), DiscoveryBindFailed);
        EXPECT_FALSE(discovery.isRunning());
    }
}

// Only row 0 is tried over TCP; once it has expired, the device behind it
// moves up and is the one linked.
TEST(ConnectDeviceWithDiscovery, TriesRowZeroOnlyUntilItExpires)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.pty = false}));
    quint32 now = 0;
    DeviceTable table([&now] { return now; });
    table.receive("DUVAD_c0_GONE_127.0.0.2");
    table.receive("DUVAD_c0_SIM_127.0.0.1");

    CXmit xmit(&table);
    xmit.TcpPort = device.tcpPort();
    xmit.ListSerialPorts = [] { return QStringList(); };
    EXPECT_EQ(xmit.ConnectDevice(), 0);
    EXPECT_TRUE(device.requestLog().isEmpty());

    now += 6000;
    table.receive("DUVAD_c0_SIM_127.0.0.1");
    now += 4001;
    table.receive({});
    ASSERT_EQ(Ids(table), QStringList{QStringLiteral("SIM")});
    EXPECT_EQ(xmit.ConnectDevice(), 14);
    EXPECT_EQ(device.commandsLogged(), QStringList{QStringLiteral("CMD_IDENTIFY")});
}

} // namespace
