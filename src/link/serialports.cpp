#include "link/serialports.h"

#include <QSerialPortInfo>

#include <algorithm>

QStringList UsbSerialPorts()
{
    QStringList ports;
    QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    std::sort(infos.begin(), infos.end(), [](const QSerialPortInfo &a, const QSerialPortInfo &b) {
        return a.portName() < b.portName();
    });
    for (const QSerialPortInfo &info : infos) {
        if (info.portName().startsWith(QLatin1String("ttyACM")))
            ports << info.systemLocation();
    }
    const QString extra = qEnvironmentVariable("RERUDAD_SERIAL_PORTS");
    for (const QString &path : extra.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        ports << path;
    return ports;
}
