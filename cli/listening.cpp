#include "listening.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {

constexpr int MaxSeconds = 86400;
// Short against an announcement interval of a second or more, long enough
// to leave the processor alone.
constexpr int WatchIntervalMs = 50;

} // namespace

DiscoveryOptions ToolDiscoveryOptions()
{
    DiscoveryOptions options;
    options.interfaceName = qEnvironmentVariable("RERUDAD_DISCOVERY_INTERFACE");
    return options;
}

std::optional<int> SecondsOption(const CliContext &context, const QString &name, int fallback)
{
    if (!context.has(name))
        return fallback;
    bool ok = false;
    const int seconds = context.option(name).toInt(&ok);
    if (!ok || seconds < 0 || seconds > MaxSeconds)
        return std::nullopt;
    return seconds;
}

void WatchDeviceTable(const DeviceTable &table, int seconds,
                      const std::function<bool(const QList<DeviceTableRow> &)> &enough)
{
    const QDeadlineTimer deadline(std::chrono::seconds{seconds});
    while (!enough(table.copy())) {
        const qint64 remainingMs = deadline.remainingTime();
        if (remainingMs <= 0)
            return;
        QThread::msleep(qMin<qint64>(remainingMs, WatchIntervalMs));
    }
}
