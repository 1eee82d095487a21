#include "devicechoice.h"

#include "listening.h"
#include "serialopenfailure.h"

#include "link/cxmit.h"
#include "link/discovery.h"
#include "link/linkframe.h"
#include "link/linktrace.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

namespace {

// Letters, digits and inner hyphens, 1 to 63 of them, between dots.
bool IsHostName(const QString &host)
{
    static const QRegularExpression name(
        QStringLiteral("^(?=.{1,253}$)[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?"
                       "(\\.[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?)*$"));
    // Digits and dots alone are meant as an address, never a name.
    static const QRegularExpression numeric(QStringLiteral("^[0-9.]+$"));
    return name.match(host).hasMatch() && !numeric.match(host).hasMatch();
}

bool IsIPv4Address(const QString &host)
{
    static const QRegularExpression dotted(QStringLiteral("^[0-9]{1,3}(\\.[0-9]{1,3}){3}$"));
    QHostAddress address;
    return dotted.match(host).hasMatch() && address.setAddress(host)
        && address.protocol() == QAbstractSocket::IPv4Protocol;
}

std::optional<quint16> ParsePort(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    const int port = text.toInt();
    if (port < 1 || port > 65535)
        return std::nullopt;
    return quint16(port);
}

// The IPv4 address of the host: itself when it is one, else the first IPv4
// address the name resolves to; empty with the reason when there is none.
QString ResolveIPv4(const QString &host, QString &error)
{
    if (IsIPv4Address(host))
        return host;
    const QHostInfo info = QHostInfo::fromName(host);
    if (info.error() != QHostInfo::NoError) {
        error = QStringLiteral("cannot resolve %1: %2").arg(host, info.errorString());
        return {};
    }
    for (const QHostAddress &address : info.addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toString();
    }
    error = QStringLiteral("%1 has no IPv4 address").arg(host);
    return {};
}


// Every row heard while listening, on the interface the desktop tool would
// use; straight to the serial ports when nothing can listen.
int ConnectAuto(CliContext &context, CXmit &xmit, int listenSeconds)
{
    Discovery discovery(ToolDiscoveryOptions());
    if (discovery.StartDiscovery() == DiscoveryStarted) {
        WatchDeviceTable(discovery.table(), listenSeconds,
                         [](const QList<DeviceTableRow> &rows) { return !rows.isEmpty(); });
        discovery.stop();
    }
    xmit.setDeviceTable(&discovery.table());
    const quint8 found = xmit.ConnectDevice();
    xmit.setDeviceTable(nullptr); // the table ends with this function
    if (!found)
        return context.fail(ExitDeviceFailure, QStringLiteral("no device found"));
    context.deviceName = xmit.linkName();
    return ExitSuccess;
}

} // namespace

std::optional<DeviceChoice> ParseDeviceChoice(const QString &text, QString &error)
{
    DeviceChoice choice;
    if (text == QLatin1String("auto"))
        return choice;
    if (text.startsWith(QLatin1String("serial:"))) {
        choice.kind = DeviceChoice::Kind::Serial;
        choice.path = text.mid(7);
        if (choice.path.isEmpty()) {
            error = QStringLiteral("--device serial: needs the path of the port");
            return std::nullopt;
        }
        return choice;
    }
    if (!text.startsWith(QLatin1String("tcp:"))) {
        error = QStringLiteral("bad device %1 (tcp:HOST[:PORT], serial:PATH or auto)").arg(text);
        return std::nullopt;
    }
    choice.kind = DeviceChoice::Kind::Tcp;
    const QStringList parts = text.mid(4).split(QLatin1Char(':'));
    choice.host = parts[0];
    if (parts.size() > 2 || !(IsIPv4Address(choice.host) || IsHostName(choice.host))) {
        error = QStringLiteral("bad device %1: HOST is an IPv4 address or a host name").arg(text);
        return std::nullopt;
    }
    if (parts.size() == 2) {
        const std::optional<quint16> port = ParsePort(parts[1]);
        if (!port) {
            error = QStringLiteral("bad device %1: PORT is 1 to 65535").arg(text);
            return std::nullopt;
        }
        choice.port = *port;
    }
    return choice;
}

// On Linux ModemManager probes every new ttyACM port with AT commands and
// holds it for some seconds after it appears.
QString HeldPortHint()
{
    return QStringLiteral("on Linux ModemManager may be probing a port that just appeared: try again in a few "
                          "seconds, and keep it off the device with a udev rule setting ID_MM_DEVICE_IGNORE=1 for "
                          "its USB ids (see the README) or by stopping ModemManager");
}

QString SerialOpenError(const QString &path, int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("cannot open serial port %1: no such file").arg(path);
    case EACCES:
    case EPERM:
        return QStringLiteral("cannot open serial port %1: permission denied; on Linux, add your user to the "
                              "dialout group (sudo usermod -aG dialout $USER) and log in again")
            .arg(path);
    case EBUSY:
        return QStringLiteral("cannot open serial port %1: busy; %2").arg(path, HeldPortHint());
    default:
        return QStringLiteral("cannot open serial port %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(error)));
    }
}

QString ProbeFailure(const CXmit &xmit)
{
    if (xmit.LinkLost)
        return QStringLiteral("no reply to the identification request");
    if (xmit.ReplyClass == REPLY_REFUSED)
        return QStringLiteral("the device refused the identification request");
    if (xmit.ReplyLength < 2)
        return QStringLiteral("the identification reply is too short (%1 bytes)").arg(xmit.ReplyLength);
    const int code = quint8(xmit.ReplyPayload[0]);
    if (!IsAcceptedHardwareCode(code))
        return QStringLiteral("the device reports hardware code %1, which this tool does not serve").arg(code);
    return QStringLiteral("the device reports firmware version byte 0");
}

int LinkDevice(CliContext &context, CXmit &xmit)
{
    QString error;
    const std::optional<DeviceChoice> choice =
        ParseDeviceChoice(context.option(QStringLiteral("--device"), QStringLiteral("auto")), error);
    if (!choice)
        return context.usage(error);
    // Checked whatever the device: a malformed command line links nothing.
    const std::optional<int> listenSeconds = SecondsOption(context, QStringLiteral("--listen"), 3);
    if (!listenSeconds)
        return context.usage(QStringLiteral("--listen takes a whole number of seconds"));
    if (context.has(QStringLiteral("--verbose")))
        EnableLinkTrace();
    switch (choice->kind) {
    case DeviceChoice::Kind::Auto:
        return ConnectAuto(context, xmit, *listenSeconds);
    case DeviceChoice::Kind::Tcp: {
        context.deviceName = QStringLiteral("tcp:%1:%2").arg(choice->host).arg(choice->port);
        const QString address = ResolveIPv4(choice->host, error);
        if (address.isEmpty())
            return context.fail(ExitDeviceFailure, error);
        xmit.TcpPort = choice->port;
        if (!xmit.ConnectTcp(address))
            return context.fail(ExitDeviceFailure,
                                QStringLiteral("no TCP connection to %1:%2").arg(choice->host).arg(choice->port));
        break;
    }
    case DeviceChoice::Kind::Serial:
        context.deviceName = QStringLiteral("serial:") + choice->path;
        if (!xmit.OpenSerialPort(choice->path))
            return context.fail(ExitDeviceFailure, SerialOpenFailure(choice->path));
        break;
    }
    if (!xmit.ProbeDevice())
        return context.fail(ExitDeviceFailure, ProbeFailure(xmit));
    return ExitSuccess;
}
