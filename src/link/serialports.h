#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The serial ports where the device may sit, in the order they are probed,
// then the ports named in RERUDAD_SERIAL_PORTS (separated as the system
// separates paths: ':' on Linux, ';' on Windows), which is how a simulated
// device's pseudo-terminal, or the COM port standing for it, is reached.
// On Linux the USB CDC-ACM ports are the ttyACM* device nodes of /dev, by
// name (serialports_linux.cpp); on Windows the USB serial ports the registry
// lists under HARDWARE\DEVICEMAP\SERIALCOMM (serialports_win32.cpp).
QStringList UsbSerialPorts();

// The Linux list from the given device folder and the given colon-separated
// extra paths. The supervisor asks every second while it waits for a device,
// so the folder is listed directly: no walk through the system's whole class
// of terminals.
QStringList ListUsbSerialPorts(const QString &deviceFolder, const QString &extraPaths);

// One value of the registry key that maps kernel device names to port names:
// "\Device\USBSER000" = "COM7".
struct SerialCommValue
{
    QString name;
    QString data;
};

// The Windows list: the port names of the values whose name begins with the
// kernel name of USB serial devices ("\Device\USBSER", case as written), in
// the order the registry enumerated them, then the ports of extraPorts
// (';'-separated).
QStringList UsbPortsOfSerialComm(const QList<SerialCommValue> &values, const QString &extraPorts);

// The Win32 path that opens a port: "\\.\" + the port name (COM7 opens
// \\.\COM7, which also reaches ports numbered above 9); a path that already
// starts with "\\.\" stays as it is.
QString Win32DevicePath(const QString &portName);
