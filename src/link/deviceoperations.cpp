#include "link/deviceoperations.h"

#include "link/cxmit.h"

#include <QIODevice>

int ToDeviceString(const QString &text, QByteArray &destination)
{
    for (QChar unit : text)
        destination.append(char(unit.unicode() & 0xFF));
    destination.append('\0');
    return int(text.size()) + 1;
}

namespace {

// Paths that would not fit the device's payload buffer are refused rather
// than cut: a cut path names another file.
bool SendPathRequest(CXmit &xmit, const DeviceCommand &command, const QString &path)
{
    if (path.size() > MaxDevicePathLength)
        return false;
    QByteArray data;
    ToDeviceString(path, data);
    return xmit.Send(command, data);
}

} // namespace

namespace {

// The 32-bit little-endian size that answers a file open.
qint32 ReplyFileSize(const CXmit &xmit)
{
    const auto byte = [&](int i) { return quint32(quint8(xmit.ReplyPayload[i])); };
    return qint32(byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24);
}

} // namespace

qint32 DeviceFileOpen(CXmit &xmit, const QString &path)
{
    if (!SendPathRequest(xmit, CMD_FILE_OPEN, path) || xmit.ReplyLength < 4)
        return -1;
    return ReplyFileSize(xmit);
}

bool DeviceFileCreate(CXmit &xmit, const QString &path)
{
    return SendPathRequest(xmit, CMD_FILE_CREATE, path);
}

bool FlashBegin(CXmit &xmit, quint16 block)
{
    QByteArray data;
    data.append(char(block & 0xFF));
    data.append(char(block >> 8));
    return xmit.Send(CMD_FLASH_BEGIN, data);
}

bool FlashWrite(CXmit &xmit, const QByteArray &data)
{
    return xmit.Send(CMD_FLASH_DATA, data);
}

bool FlashEnd(CXmit &xmit)
{
    return xmit.Send(CMD_FLASH_END);
}

bool DeviceShell(CXmit &xmit, const QString &commandLine)
{
    if (commandLine.size() > MaxShellLineLength)
        return false;
    QByteArray data;
    ToDeviceString(commandLine, data);
    return xmit.Send(CMD_SHELL, data);
}

bool WriteDeviceFile(CXmit &xmit, const QString &devicePath, const QByteArray &contents)
{
    if (!DeviceFileCreate(xmit, devicePath))
        return false;
    bool written = false;
    for (qsizetype offset = 0; offset < contents.size(); offset += FileWriteChunk) {
        written = xmit.Send(CMD_FILE_WRITE, contents.mid(offset, FileWriteChunk));
        if (!written)
            break;
    }
    // The file is closed even when nothing could be written, so that the
    // device is not left with an open file.
    xmit.Send(CMD_FILE_CLOSE);
    return written;
}

DeviceFileRead ReadDeviceFile(CXmit &xmit, const QString &devicePath, QIODevice &out,
                              const TransferProgress &progress)
{
    DeviceFileRead result;
    if (!SendPathRequest(xmit, CMD_FILE_OPEN, devicePath)) {
        result.stop = DeviceFileRead::Stop::OpenRefused;
        return result;
    }
    if (xmit.ReplyLength < 4) {
        // The device opened the file but did not say how long it is.
        result.stop = DeviceFileRead::Stop::SizeMissing;
        xmit.Send(CMD_FILE_CLOSE);
        return result;
    }
    result.expectedSize = ReplyFileSize(xmit);
    if (result.expectedSize <= 0)
        return result;
    if (progress)
        progress(0, result.expectedSize);
    while (result.received < result.expectedSize) {
        const quint16 count = quint16(qMin<qint64>(FileReadChunk, result.expectedSize - result.received));
        QByteArray request;
        request.append(char(count & 0xFF));
        request.append(char(count >> 8));
        if (!xmit.Send(CMD_FILE_READ, request)) {
            result.stop = DeviceFileRead::Stop::ReadFailed;
            break;
        }
        if (xmit.ReplyAfterRetry) {
            result.stop = DeviceFileRead::Stop::ReadRepeated;
            break;
        }
        const QByteArray piece = xmit.ReplyPayload;
        if (piece.isEmpty()) {
            result.stop = DeviceFileRead::Stop::ReadFailed;
            break;
        }
        if (out.write(piece) != piece.size()) {
            result.stop = DeviceFileRead::Stop::LocalWriteFailed;
            break;
        }
        result.received += piece.size();
        if (progress)
            progress(result.received, result.expectedSize);
    }
    xmit.Send(CMD_FILE_CLOSE);
    return result;
}

bool WriteFlashArea(CXmit &xmit, quint16 block, const QByteArray &data, const TransferProgress &progress)
{
    if (!FlashBegin(xmit, block))
        return false;
    bool sent = true;
    for (qsizetype offset = 0; offset < data.size() && sent; offset += FlashChunk) {
        sent = FlashWrite(xmit, data.mid(offset, FlashChunk));
        if (sent && progress)
            progress(qMin<qint64>(offset + FlashChunk, data.size()), data.size());
    }
    return sent && FlashEnd(xmit);
}
