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
    return download;
}

LogDownload DownloadLogs(CXmit &xmit, StatusStrip &strip, const QString &desktopFolder,
                         const QDateTime &localTime)
{
    LogDownload result;
    result.path = LogFilePath(desktopFolder, localTime);
    const QString logs[] = {QStringLiteral("/logFile.0"), QStringLiteral("/logFile")};
    for (int i = 0; i < 2; ++i) {
        const LogFileDownload file = DownloadDeviceFile(xmit, strip, logs[i], result.path, i + 1, 2);
        result.bytesSaved += file.read.received;
        // An empty log is not a failure; a missing or cut one is.
        if (!file.localFileOpened || (file.read.expectedSize != 0 && !file.read.complete()))
            result.failed = true;
    }
    return result;
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
