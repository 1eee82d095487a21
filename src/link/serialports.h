#pragma once

#include <QStringList>

// The serial ports where the device may sit, in the order they are probed:
// the USB CDC-ACM ports the system lists (ttyACM*, by name), then the paths
// named in RERUDAD_SERIAL_PORTS (colon-separated), which is how a simulated
// device's pseudo-terminal is reached.
QStringList UsbSerialPorts();
