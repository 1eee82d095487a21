#pragma once

#include <QByteArray>
#include <QString>

// Firmware images and files for tests, made without the tool's own code.

// An image of size bytes that the simulated device takes as the given
// version: varied bytes (0x02 among them, which the link doubles) with the
// simulated device's version tag "DEVSIM-FIRMWARE" and the version byte at
// tagAt.
QByteArray TaggedFirmwareImage(int size, int version, int tagAt = 0);

// How a test file's name carries the image's digest.
enum class NamedDigestCase { Upper, Lower, Wrong };

// Writes image into folder as LABEL_VV_<digest>.bin (the version with two
// digits) and returns the file's path. Wrong puts a digest of other bytes in
// the name.
QString WriteFirmwareFile(const QString &folder, const QString &label, int version, const QByteArray &image,
                          NamedDigestCase digestCase = NamedDigestCase::Upper);

// The MD5 digest of bytes in upper-case hex, computed in one piece.
QString ReferenceMd5(const QByteArray &bytes);

// The payload hex of a 4-byte little-endian number, as the request log shows it.
QByteArray Le32Hex(quint32 value);
// The sum of the bytes, modulo 2^32.
quint32 ByteSum(const QByteArray &bytes);
