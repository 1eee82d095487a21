#pragma once

#include "link/deviceoperations.h"

#include <QDateTime>
#include <QList>
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
    QString deviceName;
    bool localFileOpened = false;
    bool linkLost = false; // the device stopped answering during this file
    DeviceFileRead read;
    // An empty log is not a failure; a missing or cut one is.
    bool failed() const { return !localFileOpened || read.stop != DeviceFileRead::Stop::None || !read.complete(); }
};
LogFileDownload DownloadDeviceFile(CXmit &xmit, StatusStrip &strip, const QString &deviceName,
                                   const QString &localPath, int fileNumber, int fileCount);

// Both device logs, the older one first, appended to one local file. A log
// cut short by a lost link or by a read sent twice ends the download there.
struct LogDownload
{
    QString path;
    QList<LogFileDownload> files;
    qint64 bytesSaved = 0;
    bool failed = false; // a log could not be opened or was not read to its end
};
LogDownload DownloadLogsInto(CXmit &xmit, StatusStrip &strip, const QString &path);
// The log button: into a new file on the desktop named after the time.
LogDownload DownloadLogs(CXmit &xmit, StatusStrip &strip, const QString &desktopFolder,
                         const QDateTime &localTime);

// What the user is told afterwards: "Logs saved into <path>" only when
// something was saved and nothing failed.
QString LogDownloadMessage(const LogDownload &download);

// Why each failed log failed and how much of it was kept, for one line:
// "/logFile.0 cut short after 2700 of 5400 bytes; the device refused to open /logFile".
QString LogDownloadFailures(const LogDownload &download);
