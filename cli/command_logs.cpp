#include "clicommand.h"
#include "devicechoice.h"
#include "progressreporter.h"

#include "auxiliary/logdownload.h"
#include "link/cxmit.h"

// The device's two logs appended to a file, as the log button downloads
// them onto the desktop.

int CliLogs(CliContext &context)
{
    const QString path = context.arguments[0];
    if (path.isEmpty())
        return context.usage(QStringLiteral("FILE must name the file to append the logs to"));
    CXmit xmit;
    if (const int status = LinkDevice(context, xmit); status != ExitSuccess)
        return status;
    LogDownload download;
    {
        ProgressReporter progress(context);
        download = DownloadLogsInto(xmit, progress, path);
    }
    if (download.failed) {
        return context.fail(ExitDeviceFailure,
                            QStringLiteral("%1 (%2 bytes): %3")
                                .arg(LogDownloadMessage(download), QString::number(download.bytesSaved),
                                     LogDownloadFailures(download)));
    }
    if (!context.has(QStringLiteral("--quiet")))
        context.say(QStringLiteral("%1 (%2 bytes)").arg(LogDownloadMessage(download), QString::number(download.bytesSaved)));
    return ExitSuccess;
}
