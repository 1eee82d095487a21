#include "link/serialports.h"

QStringList UsbPortsOfSerialComm(const QList<SerialCommValue> &values, const QString &extraPorts)
{
    // The kernel names USB CDC-ACM devices \Device\USBSER000, \Device\USBSER001 ...;
    // ordinary ports (\Device\Serial0) and other drivers' ports are passed over.
    static const QString usbSerial = QStringLiteral("\\Device\\USBSER");
    QStringList ports;
    for (const SerialCommValue &value : values) {
        if (value.name.startsWith(usbSerial, Qt::CaseSensitive) && !value.data.isEmpty())
            ports << value.data;
    }
    ports << extraPorts.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return ports;
}

QString Win32DevicePath(const QString &portName)
{
    static const QString devicePrefix = QStringLiteral("\\\\.\\");
    return portName.startsWith(devicePrefix) ? portName : devicePrefix + portName;
}
