#include "clicommand.h"

#include "listening.h"

#include "link/cxmit.h"
#include "link/discovery.h"

int LinkDevice(CliContext &context, CXmit &xmit)
{
    const QString choice = context.option(QStringLiteral("--device"), QStringLiteral("auto"));
    if (choice.startsWith(QLatin1String("tcp:"))) {
        const QStringList parts = choice.mid(4).split(QLatin1Char(':'));
        bool portOk = true;
        if (parts.size() == 2)
            xmit.TcpPort = parts[1].toUShort(&portOk);
        if (parts.size() > 2 || !portOk || parts[0].isEmpty())
            return context.fail(ExitUsage, QStringLiteral("bad device %1").arg(choice));
        if (!xmit.ConnectTcp(parts[0]))
            return context.fail(ExitDeviceFailure, QStringLiteral("no TCP connection to %1").arg(parts.join(':')));
    } else if (choice.startsWith(QLatin1String("serial:"))) {
        if (!xmit.OpenSerialPort(choice.mid(7)))
            return context.fail(ExitDeviceFailure, QStringLiteral("cannot open serial port %1").arg(choice.mid(7)));
    } else if (choice == QLatin1String("auto")) {
        const std::optional<int> listenSeconds = SecondsOption(context, QStringLiteral("--listen"), 3);
        if (!listenSeconds)
            return context.fail(ExitUsage, QStringLiteral("--listen takes a whole number of seconds"));
        // Without a network interface there is nothing to hear: straight to
        // the serial ports.
        Discovery discovery;
        if (discovery.StartDiscovery() == DiscoveryStarted) {
            WatchDeviceTable(discovery.table(), *listenSeconds,
                             [](const QList<DeviceTableRow> &rows) { return !rows.isEmpty(); });
            discovery.stop();
        }
        xmit.setDeviceTable(&discovery.table());
        const quint8 found = xmit.ConnectDevice();
        xmit.setDeviceTable(nullptr); // the table ends with this function
        if (!found)
            return context.fail(ExitDeviceFailure, QStringLiteral("no device found"));
        return ExitSuccess;
    } else {
        return context.fail(ExitUsage, QStringLiteral("bad device %1 (tcp:HOST[:PORT], serial:PATH or auto)").arg(choice));
    }
    if (!xmit.ProbeDevice())
        return context.fail(ExitDeviceFailure, QStringLiteral("the device did not identify itself"));
    return ExitSuccess;
}
