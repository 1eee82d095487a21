#include "auxiliary/logdownload.h"

#include "auxiliary/statusstrip.h"
#include "link/cxmit.h"

#include <QDir>
#include <QFile>

QString LogFilePath(const QString &desktopFolder, const QDateTime &localTime)
{
    return QDir(desktopFolder).filePath(QStringLiteral("LOG_%1_%2.txt")
                                            .arg(localTime.toString(QStringLiteral("yyyyMMdd")),
                                                 localTime.toString(QStringLiteral("HHmmss"))));
}

LogFileDownload DownloadDeviceFile(CXmit &xmit, StatusStrip &strip, const QString &deviceName,
                                   const QString &localPath, int fileNumber, int fileCount)
{
    LogFileDownload download;
    download.deviceName = deviceName;
    QFile local(localPath);
    if (!local.open(QIODevice::WriteOnly | QIODevice::Append))
        return download;
    download.localFileOpened = true;
    download.read = ReadDeviceFile(xmit, deviceName, local, [&](qint64 done, qint64 total) {
        if (done == 0) { // the device file is open and not empty
            strip.ShowStatus(QStringLiteral("Downloading file %1/%2...").arg(fileNumber).arg(fileCount), false, 1000);
            return;
        }
        strip.SetProgress(int(done), int(total));
    });
    download.linkLost = xmit.LinkLost;
    return download;
}

LogDownload DownloadLogsInto(CXmit &xmit, StatusStrip &strip, const QString &path)
{
    LogDownload result;
    result.path = path;
    const QString logs[] = {QStringLiteral("/logFile.0"), QStringLiteral("/logFile")};
    for (int i = 0; i < 2; ++i) {
        const LogFileDownload file = DownloadDeviceFile(xmit, strip, logs[i], result.path, i + 1, 2);
        result.files << file;
        result.bytesSaved += file.read.received;
        result.failed = result.failed || file.failed();
        // Behind bytes that cannot be vouched for, or with the device gone,
        // the second log is not appended.
        if (file.linkLost || file.read.stop == DeviceFileRead::Stop::ReadRepeated)
            break;
    }
    return result;
}

LogDownload DownloadLogs(CXmit &xmit, StatusStrip &strip, const QString &desktopFolder,
                         const QDateTime &localTime)
{
    return DownloadLogsInto(xmit, strip, LogFilePath(desktopFolder, localTime));
}

QString LogDownloadMessage(const LogDownload &download)
{
    if (download.failed && download.bytesSaved > 0)
        return QStringLiteral("Log download incomplete, part saved into ") + download.path;
    if (download.failed)
        return QStringLiteral("Log download failed, nothing saved into ") + download.path;
    if (download.bytesSaved == 0)
        return QStringLiteral("The device logs are empty, nothing saved into ") + download.path;
    return QStringLiteral("Logs saved into ") + download.path;
}

QString LogDownloadFailures(const LogDownload &download)
{
    using Stop = DeviceFileRead::Stop;
    QStringList reasons;
    for (const LogFileDownload &file : download.files) {
        if (!file.failed())
            continue;
        const DeviceFileRead &read = file.read;
        const QString noReply = file.linkLost ? QStringLiteral(" (no reply)") : QString();
        if (!file.localFileOpened)
            reasons << QStringLiteral("%1 not downloaded: cannot append to %2").arg(file.deviceName, download.path);
        else if (read.stop == Stop::OpenRefused && file.linkLost)
            reasons << QStringLiteral("no reply when opening %1").arg(file.deviceName);
        else if (read.stop == Stop::OpenRefused)
            reasons << QStringLiteral("the device refused to open %1").arg(file.deviceName);
        else if (read.stop == Stop::SizeMissing)
            reasons << QStringLiteral("the device opened %1 without saying its size").arg(file.deviceName);
        else if (read.stop == Stop::ReadRepeated)
            reasons << QStringLiteral("%1 cut short after %2 of %3 bytes: a read had to be sent twice, "
                                      "and which bytes the device then sent cannot be told")
                           .arg(file.deviceName)
                           .arg(read.received)
                           .arg(read.expectedSize);
        else if (read.stop == Stop::LocalWriteFailed)
            reasons << QStringLiteral("%1 cut short after %2 of %3 bytes: cannot write to %4")
                           .arg(file.deviceName)
                           .arg(read.received)
                           .arg(read.expectedSize)
                           .arg(download.path);
        else
            reasons << QStringLiteral("%1 cut short after %2 of %3 bytes%4")
                           .arg(file.deviceName)
                           .arg(read.received)
                           .arg(read.expectedSize)
                           .arg(noReply);
    }
    return reasons.join(QStringLiteral("; "));
}
