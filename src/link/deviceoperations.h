#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class CXmit;
class QIODevice;

// Requests that several callers share, built on the command set. Each
// returns the exchange's success (DeviceFileOpen: the size, or -1).

inline constexpr int DevicePayloadBuffer = 256;
// A path follows its sub-operation byte and ends with a 0 byte.
inline constexpr int MaxDevicePathLength = DevicePayloadBuffer - 2;
// A shell line has no sub-operation byte.
inline constexpr int MaxShellLineLength = DevicePayloadBuffer - 1;

inline constexpr int FileWriteChunk = 400;
inline constexpr int FileReadChunk = 2048;
inline constexpr int FlashChunk = 512;

// Appends the low byte of each UTF-16 unit and a 0 byte; returns the count.
int ToDeviceString(const QString &text, QByteArray &destination);

qint32 DeviceFileOpen(CXmit &xmit, const QString &path);
bool DeviceFileCreate(CXmit &xmit, const QString &path);
bool FlashBegin(CXmit &xmit, quint16 block);
bool FlashWrite(CXmit &xmit, const QByteArray &data);
bool FlashEnd(CXmit &xmit);
bool DeviceShell(CXmit &xmit, const QString &commandLine);

// Progress of a multi-request transfer: bytes done out of total.
using TransferProgress = std::function<void(qint64 done, qint64 total)>;

// Creates the device file and sends the contents in 400-byte writes, then
// closes it. An empty content closes the new file at once (false).
bool WriteDeviceFile(CXmit &xmit, const QString &devicePath, const QByteArray &contents);

// Reads a whole device file in 2048-byte pieces into out, writing only the
// bytes the device actually sent. A failed read ends the transfer early (the
// result is then below expectedSize), and so does a read the device answered
// only after it was sent twice: a read has no offset, so the bytes of that
// answer may be those of the next piece. The file is closed whenever it was
// opened, also when the device's answer to the open held no whole size.
// Progress is told (0, size) once the file is open with something in it,
// then after every piece.
struct DeviceFileRead
{
    enum class Stop { None, OpenRefused, SizeMissing, ReadFailed, ReadRepeated, LocalWriteFailed };

    qint64 expectedSize = -1; // -1: the file was not opened
    qint64 received = 0;
    Stop stop = Stop::None;
    bool complete() const { return expectedSize >= 0 && received == expectedSize; }
};
DeviceFileRead ReadDeviceFile(CXmit &xmit, const QString &devicePath, QIODevice &out,
                              const TransferProgress &progress = {});

// Programs a flash area: begin with its block, 512-byte data requests, end.
bool WriteFlashArea(CXmit &xmit, quint16 block, const QByteArray &data,
                    const TransferProgress &progress = {});
