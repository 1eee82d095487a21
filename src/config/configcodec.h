#pragma once

#include "config/configmodel.h"
#include "link/commands.h"
#include "link/deviceidentity.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Layout 2 records open with a four-byte marker, 0x50 0x46 0x5A 0x4A on the
// line (the little-endian uint32 below), then the hardware code. Its name
// "VOVI" is only a name: the bytes are not those letters.
inline constexpr quint32 LayoutTwoMarker = 0x4A5A4650;
inline constexpr int LayoutTwoMarkerSize = 4;
inline constexpr int LayoutTwoHeaderSize = LayoutTwoMarkerSize + 1;

// Checks a record and copies its fields into the model, for the device
// identified. A record of another layout's kind, empty or longer than
// ConfigBlockCapacity, or cut short before a field it must hold, is refused:
// the result is false and the model is left exactly as it was.
bool DecodeConfigBlock(QByteArrayView record, const DeviceIdentity &identity, ConfigModel &model);

// Builds the record of the device's layout from the model, applying the
// encoder's corrections to the model; a write that stores the factory
// default carries the logo chosen on the MANUFACTURER page (ChosenLogoName).
// Nothing is returned, and the model is left alone, when the texts would
// make the record longer than ConfigBlockCapacity: such a record must not
// reach the device shortened.
std::optional<QByteArray> EncodeConfigBlock(const DeviceIdentity &identity, ConfigModel &model);

// The media file name as the device expects it: the part before the first
// ".", at most 28 characters, then ".ts".
QString DeviceMediaFileName(const QString &name);

// The base address given to an application table that names none: a public
// HbbTV test application server.
inline constexpr char DefaultApplicationRoot[] = "http://itv.mit-xperts.com/hbbtvtest/";
