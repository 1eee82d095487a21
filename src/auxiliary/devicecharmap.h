#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The 256 characters shown for the byte values that come from the device.
extern const QString DeviceCharMap;

// Reads the text that starts at position and ends with a zero byte, maps
// every byte through DeviceCharMap and leaves position just after the zero.
// Without a zero byte before the end of the buffer nothing is read: the
// result is false and position is unchanged.
bool DecodeDeviceText(QByteArrayView buffer, int &position, QString &text);

// Appends the text as one byte per character (the character's low 8 bits
// when it occurs in DeviceCharMap, "." otherwise) and a zero byte.
void EncodeDeviceText(const QString &text, QByteArray &destination);
