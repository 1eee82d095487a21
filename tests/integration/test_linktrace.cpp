// The link trace of the real transports: bytes that were waiting before a
// request (a late reply, line noise) are dropped, and the trace says which.

#include "link/linktrace.h"
#include "link/serialtransport.h"
#include "link/tcptransport.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

QStringList *Captured = nullptr;

void Capture(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    if (QLatin1String(context.category) == QLatin1String("rerudad.link"))
        *Captured << message;
}

// The trace switched on and its lines collected, for the test's lifetime.
class TraceCapture
{
public:
    TraceCapture()
    {
        Captured = &lines;
        m_previous = qInstallMessageHandler(Capture);
        EnableLinkTrace();
    }
    ~TraceCapture()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("rerudad.link.debug=false"));
        qInstallMessageHandler(m_previous);
        Captured = nullptr;
    }
    QStringList lines;

private:
    QtMessageHandler m_previous;
};

TEST(LinkTrace, InputDroppedBeforeARequestIsTracedOverTcp)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    TcpTransport transport;
    ASSERT_TRUE(transport.connectTo(QStringLiteral("127.0.0.1"), server.serverPort()));
    ASSERT_TRUE(server.waitForNewConnection(5000));
    QTcpSocket *device = server.nextPendingConnection();

    TraceCapture trace;
    transport.discardInput(); // nothing waiting: nothing to say
    EXPECT_TRUE(trace.lines.isEmpty());
    device->write(QByteArray::fromHex("02F0F0"));
    ASSERT_TRUE(device->waitForBytesWritten(5000));
    transport.discardInput();
    EXPECT_EQ(trace.lines, QStringList{QStringLiteral("flushed: 02 F0 F0")});
}

TEST(LinkTrace, InputDroppedBeforeARequestIsTracedOnASerialPort)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    SerialTransport transport;
    ASSERT_TRUE(transport.open(QString::fromLocal8Bit(::ptsname(master))));

    TraceCapture trace;
    const char noise[] = {'\x55', '\xAA', '\x02'};
    ASSERT_EQ(::write(master, noise, sizeof noise), ssize_t(sizeof noise));
    ::usleep(20000); // the line discipline hands the bytes on
    transport.discardInput();
    EXPECT_EQ(trace.lines, QStringList{QStringLiteral("flushed: 55 AA 02")});
    ::close(master);
}

} // namespace
