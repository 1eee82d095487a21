// The real exchange against the simulated device, over loopback TCP and over
// its pseudo-terminal; waiting blocked, as in the command-line tool, and
// waiting inside a running event loop, as in the desktop tool.

#include "devsimprocess.h"
#include "inprocessdevice.h"

#include "link/cxmit.h"
#include "link/deviceoperations.h"
#include "link/linkwait.h"
#include "link/serialtransport.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace {

// 40 units: 200 ms per attempt keeps silent exchanges short.
constexpr int ShortTimeout = 40;

enum class Waiting { Blocked, InEventLoop };

// Runs the body where the link waits the given way.
void RunWaiting(Waiting waiting, const std::function<void()> &body)
{
    if (waiting == Waiting::Blocked) {
        body();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        EXPECT_TRUE(LinkWait::EventLoopRuns());
        body();
        loop.quit();
    });
    loop.exec();
}

std::string WaitingName(Waiting waiting)
{
    return waiting == Waiting::Blocked ? "Blocked" : "InEventLoop";
}

// CPU time the calling thread has used, in milliseconds.
qint64 ThreadCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return qint64(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

class LinkTest : public ::testing::TestWithParam<std::tuple<bool, Waiting>>
{
protected:
    bool serial() const { return std::get<0>(GetParam()); }
    Waiting waiting() const { return std::get<1>(GetParam()); }

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
    RunWaiting(waiting(), [&] {
        DevSimProcess device;
        ASSERT_TRUE(device.start({.code = 142, .versionByte = 7, .minor = 3}));
        CXmit xmit;
        link(xmit, device);
        EXPECT_EQ(xmit.ProbeDevice(), 7);
        EXPECT_EQ(xmit.Identity.HardwareCode, 142);
        EXPECT_EQ(xmit.Identity.FirmwareMinor, 3);
        EXPECT_EQ(device.commandsLogged(), QStringList{QStringLiteral("CMD_IDENTIFY")});
    });
}

TEST_P(LinkTest, RefusedReplyIsOneTransmissionAndKeepsTheLink)
{
    RunWaiting(waiting(), [&] {
        DevSimProcess device;
        ASSERT_TRUE(device.start({.extraArguments = {QStringLiteral("--fault"), QStringLiteral("CMD_GET_STATUS:refuse")}}));
        CXmit xmit;
        link(xmit, device);
        EXPECT_FALSE(xmit.SendRequest(0x40, {}, ShortTimeout));
        EXPECT_EQ(xmit.transmissions(), 1);
        EXPECT_FALSE(xmit.LinkLost);
        EXPECT_EQ(device.requestLog().size(), 1);
    });
}

TEST_P(LinkTest, SilenceIsTwoTransmissionsAndLinkLost)
{
    RunWaiting(waiting(), [&] {
        DevSimProcess device;
        ASSERT_TRUE(device.start({.extraArguments = {QStringLiteral("--fault"), QStringLiteral("0x40:silence")}}));
        CXmit xmit;
        link(xmit, device);
        EXPECT_FALSE(xmit.SendRequest(0x40, {}, ShortTimeout));
        EXPECT_EQ(xmit.transmissions(), 2);
        EXPECT_TRUE(xmit.LinkLost);
        EXPECT_EQ(device.requestLog().size(), 2);
    });
}

TEST_P(LinkTest, WrongCheckIsRetriedAndDelayedReplyArrives)
{
    RunWaiting(waiting(), [&] {
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
    });
}

TEST_P(LinkTest, DeviceFilesRoundTrip)
{
    RunWaiting(waiting(), [&] {
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
    });
}

INSTANTIATE_TEST_SUITE_P(Links, LinkTest,
                         ::testing::Combine(::testing::Values(false, true),
                                            ::testing::Values(Waiting::Blocked, Waiting::InEventLoop)),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param) ? "Serial" : "Tcp") + WaitingName(std::get<1>(info.param));
                         });

class WaitingTest : public ::testing::TestWithParam<Waiting>
{
};

// A device that answers identification late, after the first attempt's
// deadline: the first attempt's reply answers the second attempt, and the
// second attempt's reply reaches the socket later, among later requests.
// What is pending is dropped before each request goes out, so the late reply
// misleads at most the exchange it lands in. Time-outs are a tenth of the
// device's own (250 ms per attempt) and the reply comes 300 ms late.
TEST_P(WaitingTest, LateTcpReplyMisleadsAtMostTheExchangeItLandsIn)
{
    RunWaiting(GetParam(), [&] {
        DevSimProcess device;
        ASSERT_TRUE(device.start({.pty = false, .extraArguments = {QStringLiteral("--fault"), QStringLiteral("CMD_IDENTIFY:delay:300")}}));
        CXmit xmit;
        xmit.TimeoutScale = 0.1;
        xmit.TcpPort = device.tcpPort();
        ASSERT_TRUE(xmit.ConnectTcp(QStringLiteral("127.0.0.1")));
        // The lengths of the replies when nothing is late tell them apart.
        ASSERT_TRUE(xmit.Send(CMD_READ_CONFIG));
        const int recordLength = xmit.ReplyLength;
        ASSERT_TRUE(xmit.Send(CMD_GET_STATUS));
        const int statusLength = xmit.ReplyLength;
        ASSERT_NE(recordLength, statusLength);
        ASSERT_NE(statusLength, 4);

        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(xmit.ProbeDevice(), 14);
        EXPECT_EQ(xmit.transmissions(), 4);
        QList<bool> ownReply;
        for (int request = 0; clock.elapsed() < 750; ++request) {
            const bool record = request % 2 == 0;
            xmit.Send(record ? CMD_READ_CONFIG : CMD_GET_STATUS);
            ownReply << (xmit.ReplyLength == (record ? recordLength : statusLength));
            LinkWait::Pause(QDeadlineTimer(10));
        }
        EXPECT_LE(ownReply.count(false), 1);
        EXPECT_FALSE(ownReply.mid(ownReply.size() - 10).contains(false));
        EXPECT_EQ(device.commandsLogged().count(QStringLiteral("CMD_IDENTIFY")), 2);
    });
}

// The device goes away (its end of the line closes) while the tool waits for
// a reply: the port is closed, the wait ends at once and the link says it
// is gone, without polling the dead port.
TEST_P(WaitingTest, UnpluggedSerialPortIsClosedAndGivenUpAtOnce)
{
    RunWaiting(GetParam(), [&] {
        DevSimProcess device;
        ASSERT_TRUE(device.start());
        SerialTransport port;
        ASSERT_TRUE(port.open(device.ptyPath()));
        device.stop();
        const qint64 cpuBefore = ThreadCpuMs();
        QElapsedTimer clock;
        clock.start();
        EXPECT_TRUE(port.receive(1000).isEmpty());
        EXPECT_FALSE(port.isOpen());
        EXPECT_TRUE(port.isGone());
        EXPECT_LT(ThreadCpuMs() - cpuBefore, 200);
        port.transmit(QByteArray(10, '\x01')); // a closed port takes nothing and does not wait
        port.discardInput();
        EXPECT_LT(clock.elapsed(), 900);
    });
}

INSTANTIATE_TEST_SUITE_P(Links, WaitingTest, ::testing::Values(Waiting::Blocked, Waiting::InEventLoop),
                         [](const auto &info) { return WaitingName(info.param); });

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
    InProcessDevice silent({.faults = {QStringLiteral("all:silence")}});
    InProcessDevice answering({.code = 158, .versionByte = 15});
    CXmit xmit;
    silent.plugInto(xmit);
    answering.plugInto(xmit);
    xmit.ListSerialPorts = [&] { return QStringList{silent.portPath(), QStringLiteral("/nonexistent/ttyACM0"), answering.portPath()}; };
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
