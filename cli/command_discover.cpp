#include "clicommand.h"
#include "listening.h"

namespace {

QString DiscoveryFailure(int result, const DiscoveryOptions &options)
{
    if (result == DiscoveryNoInterface && !options.interfaceName.isEmpty())
        return QStringLiteral("no network interface %1 to listen on (RERUDAD_DISCOVERY_INTERFACE)")
            .arg(options.interfaceName);
    if (result == DiscoveryNoInterface)
        return QStringLiteral("no network interface to listen on");
    return QStringLiteral("discovery cannot start (step %1)").arg(result);
}

} // namespace

// Prints every device heard while listening, also those that fell silent
// again before the end, in the order they were first heard, each with the
// last address it announced.
int CliDiscover(CliContext &context)
{
    const std::optional<int> seconds = SecondsOption(context, QStringLiteral("--seconds"), 3);
    if (!seconds)
        return context.usage(QStringLiteral("--seconds takes a whole number of seconds"));

    const DiscoveryOptions options = ToolDiscoveryOptions();
    Discovery discovery(options);
    if (const int result = discovery.StartDiscovery(); result != DiscoveryStarted)
        return context.fail(ExitDeviceFailure, DiscoveryFailure(result, options));

    QList<DeviceTableRow> heard;
    WatchDeviceTable(discovery.table(), *seconds, [&heard](const QList<DeviceTableRow> &rows) {
        for (const DeviceTableRow &row : rows) {
            auto known = std::find_if(heard.begin(), heard.end(),
                                      [&row](const DeviceTableRow &seen) { return seen.DeviceId == row.DeviceId; });
            if (known == heard.end())
                heard.append(row);
            else
                known->DeviceAddress = row.DeviceAddress;
        }
        return false;
    });

    for (const DeviceTableRow &row : heard)
        context.out << row.DeviceId << ' ' << row.DeviceAddress << '\n';
    return ExitSuccess;
}
