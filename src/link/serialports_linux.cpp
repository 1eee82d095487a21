#include "link/serialports.h"

#include <QDir>

QStringList UsbSerialPorts()
{
    return ListUsbSerialPorts(QStringLiteral("/dev"), qEnvironmentVariable("RERUDAD_SERIAL_PORTS"));
}

QStringList ListUsbSerialPorts(const QString &deviceFolder, const QString &extraPaths)
{
    const QDir folder(deviceFolder);
    QStringList ports;
    // Device nodes are "system" entries; plain files stand in for them in tests.
    for (const QString &name : folder.entryList({QStringLiteral("ttyACM*")}, QDir::System | QDir::Files, QDir::Name))
        ports << folder.filePath(name);
    ports << extraPaths.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return ports;
}
