#include "clicommand.h"
#include "devicechoice.h"

#include "link/cxmit.h"
#include "link/linkframe.h"
#include "panel/deviceactions.h"

#include <QDateTime>
#include <QRegularExpression>

// The service actions of the MANUFACTURER and MISC. pages: clock, reboot,
// EDID repair, display snapshot.

namespace {

// "the device refused X" or "no reply to X", as the last exchange ended.
int DeviceFailed(CliContext &context, const CXmit &xmit, const QString &request)
{
    return context.fail(ExitDeviceFailure, xmit.LinkLost ? QStringLiteral("no reply to %1").arg(request)
                                                         : QStringLiteral("the device refused %1").arg(request));
}

// "now", or a local date and time YYYY-MM-DDTHH:MM[:SS].
bool ParseClock(const QString &text, ClockFields &clock)
{
    if (text == QLatin1String("now")) {
        clock = ComputerClock(QDateTime::currentDateTime());
        return true;
    }
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})T(\\d{2}):(\\d{2})(?::(\\d{2}))?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt(),
                     match.capturedLength(6) > 0 ? match.captured(6).toInt() : 0);
    if (!date.isValid() || !time.isValid())
        return false;
    // Taken as written, also in an hour a change to summer time skips.
    clock = ClockFields{quint16(date.year()), quint8(date.month()), quint8(date.day()),
                        quint8(time.hour()),  quint8(time.minute()), quint8(time.second())};
    return true;
}

} // namespace

int CliClockSet(CliContext &context)
{
    ClockFields clock;
    if (!ParseClock(context.arguments[0], clock))
        return context.usage(QStringLiteral("clock set takes now or a local time YYYY-MM-DDTHH:MM[:SS], not %1")
                                 .arg(context.arguments[0]));
    CXmit xmit;
    if (const int status = LinkDevice(context, xmit); status != ExitSuccess)
        return status;
    if (!SendDeviceClock(xmit, clock))
        return DeviceFailed(context, xmit, QStringLiteral("the clock"));
    return ExitSuccess;
}

int CliReboot(CliContext &context)
{
    CXmit xmit;
    if (const int status = LinkDevice(context, xmit); status != ExitSuccess)
        return status;
    if (!ResetDevice(xmit))
        return DeviceFailed(context, xmit, QStringLiteral("the reboot"));
    return ExitSuccess;
}

int CliEdidRepair(CliContext &context)
{
    CXmit xmit;
    if (const int status = LinkDevice(context, xmit); status != ExitSuccess)
        return status;
    if (!RepairEdidNow(xmit))
        return DeviceFailed(context, xmit, QStringLiteral("the EDID repair"));
    return ExitSuccess;
}

int CliSnapshot(CliContext &context)
{
    if (context.arguments[0].isEmpty())
        return context.usage(QStringLiteral("snapshot needs a file name"));
    CXmit xmit;
    if (const int status = LinkDevice(context, xmit); status != ExitSuccess)
        return status;
    // No file for a picture the device did not send whole.
    const std::optional<QByteArray> picture = RequestSnapshot(xmit);
    if (!picture) {
        if (xmit.ReplyClass == REPLY_OK && !xmit.LinkLost) {
            return context.fail(ExitDeviceFailure, QStringLiteral("the device sent %1 bytes of its display, not %2")
                                                       .arg(xmit.ReplyLength)
                                                       .arg(SnapshotPictureSize));
        }
        return DeviceFailed(context, xmit, QStringLiteral("the snapshot"));
    }
    const QString path = SnapshotFilePath(context.arguments[0]);
    if (!WriteSnapshotFile(path, *picture))
        return context.fail(ExitDeviceFailure, QStringLiteral("cannot write %1").arg(path));
    return ExitSuccess;
}
