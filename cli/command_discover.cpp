#include "clicommand.h"
#include "listening.h"

#include "link/discovery.h"

namespace {

QString DiscoveryFailure(int result)
{
    if (result == DiscoveryNoInterface)
        return QStringLiteral("no network interface to listen on");
    return QStringLiteral("discovery cannot start (step %1)").arg(result);
}

// Prints every device heard while listening, also those that fell silent
// again before the end, in the order they were first heard, each with the
// last address it announced.
int Discover(CliContext &context)
{
    if (!context.arguments.isEmpty())
        return context.fail(ExitUsage, QStringLiteral("discover takes no arguments"));
    const std::optional<int> seconds = SecondsOption(context, QStringLiteral("--seconds"), 3);
    if (!seconds)
        return context.fail(ExitUsage, QStringLiteral("--seconds takes a whole number of seconds"));

    Discovery discovery;
    if (const int result = discovery.StartDiscovery(); result != DiscoveryStarted)
        return context.fail(ExitDeviceFailure, DiscoveryFailure(result));

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

const CliCommandRegistration registration({{QStringLiteral("discover")}, QStringLiteral("[--seconds N]"), Discover});

} // namespace
