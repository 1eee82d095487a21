// The real exchange against the simulated device, over loopback TCP and over
// its pseudo-terminal.

#include "devsimprocess.h"

#include "link/cxmit.h"
#include "link/deviceoperations.h"

#include <QBuffer>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// 40 units: 200 ms per attempt keeps silent exchanges short.
constexpr int ShortTimeout = 40;

class LinkTest : public ::testing::TestWithParam<bool>
{
protected:
    bool serial() const { return GetParam(); }

    void link(CXmit &xmit, const DevSimProcess &device)
    {
        if (serial()) {
            ASSERT_TRUE(xmit.OpenSerialPort(device.ptyPath()));
        } else {
            xmit.TcpPort = device.tcpPort();
            ASSERT_TRUE(xmit.ConnectTcp(QStringLiteral("127.0.0.1")));
        }
    }
};

TEST_P(LinkTest, Identifies)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 142, .versionByte = 7, .minor = 3}));
    CXmit xmit;
    link(xmit, device);
    EXPECT_EQ(xmit.ProbeDevice(), 7);
    EXPECT_EQ(xmit.Identity.HardwareCode, 142);
    EXPECT_EQ(xmit.Identity.FirmwareMinor, 3);
    EXPECT_EQ(device.commandsLogged(), QStringList{QStringLiteral("CMD_IDENTIFY")});
}

TEST_P(LinkTest, RefusedReplyIsOneTransmissionAndKeepsTheLink)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.extraArguments = {QStringLiteral("--fault"), QStringLiteral("CMD_GET_STATUS:refuse")}}));
    CXmit xmit;
    link(xmit, device);
    EXPECT_FALSE(xmit.SendRequest(0x40, {}, ShortTimeout));
    EXPECT_EQ(xmit.transmissions(), 1);
    EXPECT_FALSE(xmit.LinkLost);
    EXPECT_EQ(device.requestLog().size(), 1);
}

TEST_P(LinkTest, SilenceIsTwoTransmissionsAndLinkLost)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.extraArguments = {QStringLiteral("--fault"), QStringLiteral("0x40:silence")}}));
    CXmit xmit;
    link(xmit, device);
    EXPECT_FALSE(xmit.SendRequest(0x40, {}, ShortTimeout));
    EXPECT_EQ(xmit.transmissions(), 2);
    EXPECT_TRUE(xmit.LinkLost);
    EXPECT_EQ(device.requestLog().size(), 2);
}

TEST_P(LinkTest, WrongCheckIsRetriedAndDelayedReplyArrives)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.extraArguments = {QStringLiteral("--fault"), QStringLiteral("CMD_READ_CONFIG:badcheck"),
                                                 QStringLiteral("--fault"), QStringLiteral("CMD_GET_STATUS:delay:100")}}));
    CXmit xmit;
    link(xmit, device);
    EXPECT_FALSE(xmit.Send(CMD_READ_CONFIG));
    EXPECT_EQ(xmit.transmissions(), 2);
    EXPECT_TRUE(xmit.LinkLost);
    xmit.LinkLost = false;
    EXPECT_TRUE(xmit.SendRequest(0x40, {}, ShortTimeout));
    EXPECT_EQ(xmit.transmissions(), 3);
}

TEST_P(LinkTest, DeviceFilesRoundTrip)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start());
    CXmit xmit;
    link(xmit, device);
    const QByteArray logo(1025, '\x02');
    EXPECT_TRUE(WriteDeviceFile(xmit, QStringLiteral("/mnt/logo.dg1"), logo));
    QBuffer back;
    back.open(QIODevice::WriteOnly);
    const DeviceFileRead read = ReadDeviceFile(xmit, QStringLiteral("/mnt/logo.dg1"), back);
    EXPECT_TRUE(read.complete());
    EXPECT_EQ(back.data(), logo);
    EXPECT_EQ(device.commandsLogged().count(QStringLiteral("CMD_FILE_WRITE")), 3);
}

INSTANTIATE_TEST_SUITE_P(Links, LinkTest, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "Serial" : "Tcp"; });

TEST(SerialLink, BytesBeforeARequestAreFlushed)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.extraArguments = {QStringLiteral("--trailing-noise")}}));
    CXmit xmit;
    ASSERT_TRUE(xmit.OpenSerialPort(device.ptyPath()));
    ASSERT_TRUE(xmit.ProbeDevice());
    QThread::msleep(200); // the noise arrives 50 ms after the reply
    EXPECT_TRUE(xmit.ProbeDevice());
    EXPECT_EQ(xmit.transmissions(), 2);
}

TEST(SerialLink, PortCanBeClosedAndReopened)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start());
    CXmit xmit;
    ASSERT_TRUE(xmit.OpenSerialPort(device.ptyPath()));
    ASSERT_TRUE(xmit.ProbeDevice());
    xmit.CloseSerialPort();
    EXPECT_FALSE(xmit.isLinked());
    ASSERT_TRUE(xmit.OpenSerialPort(device.ptyPath()));
    EXPECT_TRUE(xmit.ProbeDevice());
}

TEST(ConnectDevice, SkipsASilentPortAndUsesTheNext)
{
    DevSimProcess silent, answering;
    ASSERT_TRUE(silent.start({.extraArguments = {QStringLiteral("--fault"), QStringLiteral("all:silence")}}));
    ASSERT_TRUE(answering.start({.code = 158, .versionByte = 15}));
    CXmit xmit;
    xmit.ListSerialPorts = [&] { return QStringList{silent.ptyPath(), QStringLiteral("/nonexistent/ttyACM0"), answering.ptyPath()}; };
    EXPECT_EQ(xmit.ConnectDevice(), 15);
    EXPECT_TRUE(xmit.isSerialLink());
    EXPECT_EQ(xmit.Identity.HardwareCode, 158);
    EXPECT_FALSE(xmit.LinkLost);
    EXPECT_EQ(silent.requestLog().size(), 2);
}

TEST(ConnectDevice, VersionByteZeroIsNoDevice)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.versionByte = 0}));
    CXmit xmit;
    xmit.ListSerialPorts = [&] { return QStringList{device.ptyPath()}; };
    EXPECT_EQ(xmit.ConnectDevice(), 0);
    EXPECT_FALSE(xmit.isLinked());
}

TEST(TcpLink, ConnectToAClosedPortFailsQuickly)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.pty = false}));
    CXmit xmit;
    xmit.TcpPort = device.tcpPort();
    device.stop();
    EXPECT_FALSE(xmit.ConnectTcp(QStringLiteral("127.0.0.1")));
    EXPECT_FALSE(xmit.ConnectTcp(QStringLiteral("not an address")));
    EXPECT_FALSE(xmit.isLinked());
}

TEST(TcpLink, DroppedConnectionLosesTheLink)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.pty = false, .extraArguments = {QStringLiteral("--fault"), QStringLiteral("0x40:drop")}}));
    CXmit xmit;
    xmit.TcpPort = device.tcpPort();
    ASSERT_TRUE(xmit.ConnectTcp(QStringLiteral("127.0.0.1")));
    EXPECT_FALSE(xmit.SendRequest(0x40, {}, ShortTimeout));
    EXPECT_TRUE(xmit.LinkLost);
}

} // namespace
