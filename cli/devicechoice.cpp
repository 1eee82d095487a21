#include "clicommand.h"

#include "link/cxmit.h"

bool LinkDevice(CliContext &context, CXmit &xmit)
{
    const QString choice = context.option(QStringLiteral("--device"), QStringLiteral("auto"));
    if (choice.startsWith(QLatin1String("tcp:"))) {
        const QStringList parts = choice.mid(4).split(QLatin1Char(':'));
        bool portOk = true;
        if (parts.size() == 2)
            xmit.TcpPort = parts[1].toUShort(&portOk);
        if (parts.size() > 2 || !portOk || parts[0].isEmpty()) {
            context.fail(ExitUsage, QStringLiteral("bad device %1").arg(choice));
            return false;
        }
        if (!xmit.ConnectTcp(parts[0])) {
            context.fail(ExitDeviceFailure, QStringLiteral("no TCP connection to %1").arg(parts.join(':')));
            return false;
        }
    } else if (choice.startsWith(QLatin1String("serial:"))) {
        if (!xmit.OpenSerialPort(choice.mid(7))) {
            context.fail(ExitDeviceFailure, QStringLiteral("cannot open serial port %1").arg(choice.mid(7)));
            return false;
        }
    } else if (choice == QLatin1String("auto")) {
        if (!xmit.ConnectDevice()) {
            context.fail(ExitDeviceFailure, QStringLiteral("no device found"));
            return false;
        }
        return true;
    } else {
        context.fail(ExitUsage, QStringLiteral("bad device %1 (tcp:HOST[:PORT], serial:PATH or auto)").arg(choice));
        return false;
    }
    if (!xmit.ProbeDevice()) {
        context.fail(ExitDeviceFailure, QStringLiteral("the device did not identify itself"));
        return false;
    }
    return true;
}
