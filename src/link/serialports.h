#pragma once

#include <QString>
#include <QStringList>

// The serial ports where the device may sit, in the order they are probed:
// the USB CDC-ACM ports (the ttyACM* device nodes of /dev, by name), then the
// paths named in RERUDAD_SERIAL_PORTS (colon-separated), which is how a
// simulated device's pseudo-terminal is reached.
QStringList UsbSerialPorts();

// The same list from the given device folder and the given colon-separated
// extra paths. The supervisor asks every second while it waits for a device,
// so the folder is listed directly: no walk through the system's whole class
// of terminals.
QStringList ListUsbSerialPorts(const QString &deviceFolder, const QString &extraPaths);
