#pragma once

#include "clicommand.h"

#include "link/discovery.h"

#include <functional>
#include <optional>

// Where the tool listens for announcements: the interface named by
// RERUDAD_DISCOVERY_INTERFACE, as for the desktop tool, else the first one
// that is up.
DiscoveryOptions ToolDiscoveryOptions();

// Reads an option that counts whole seconds (0 to one day), or its fallback
// when absent; nothing when the value is malformed.
std::optional<int> SecondsOption(const CliContext &context, const QString &name, int fallback);

// Watches the table a running discovery fills for `seconds`, handing its rows
// to `enough` every few tens of milliseconds and once more at the end; stops
// early as soon as `enough` says so.
void WatchDeviceTable(const DeviceTable &table, int seconds,
                      const std::function<bool(const QList<DeviceTableRow> &)> &enough);
