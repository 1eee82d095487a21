#pragma once

#include <QByteArray>
#include <QtGlobal>

// The configuration record a factory-fresh device of this hardware holds,
// in its code's layout: a plausible default configuration with a reference,
// network and service names, PIDs, bitrates and IP output.
QByteArray DefaultConfigRecord(quint8 hardwareCode, quint8 firmwareVersionByte);
