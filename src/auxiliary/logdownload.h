#pragma once

#include "link/deviceoperations.h"

#include <QDateTime>
#include <QString>

class CXmit;
class StatusStrip;

// "<desktop>/LOG_<yyyyMMdd>_<HHmmss>.txt" for the given local time.
QString LogFilePath(const QString &desktopFolder, const QDateTime &localTime);

// Appends one device file to the end of localPath, showing "Downloading file
// N/M..." and the progress. Only the bytes the device actually sent are
// written. A local file that cannot be opened is skipped without talking to
// the device (expectedSize stays -1, localFileOpened false).
struct LogFileDownload
{
    bool localFileOpened = false;
    DeviceFileRead read;
};
LogFileDownload DownloadDeviceFile(CXmit &xmit, StatusStrip &strip, const QString &deviceName,
                                   const QString &localPath, int fileNumber, int fileCount);

// Both device logs, the older one first, appended to one file on the desktop.
struct LogDownload
{
    QString path;
    qint64 bytesSaved = 0;
    bool failed = false; // a log could not be opened or was not read to its end
};
LogDownload DownloadLogs(CXmit &xmit, StatusStrip &strip, const QString &desktopFolder,
                         const QDateTime &localTime);

// What the user is told afterwards: "Logs saved into <path>" only when
// something was saved and nothing failed.
QString LogDownloadMessage(const LogDownload &download);
