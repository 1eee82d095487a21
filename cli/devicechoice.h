#pragma once

#include "clicommand.h"

#include <QString>

#include <optional>

class CXmit;

// The device named by --device: tcp:HOST[:PORT], serial:PATH or auto.
struct DeviceChoice
{
    enum class Kind { Auto, Tcp, Serial };
    Kind kind = Kind::Auto;
    QString host; // an IPv4 address or a host name
    quint16 port = 6666;
    QString path;
};

// Nothing, with the reason, for a choice that is malformed: an empty or
// malformed host, a port that is not 1 to 65535, an empty path.
std::optional<DeviceChoice> ParseDeviceChoice(const QString &text, QString &error);

// Why a serial port cannot be opened, from the error of opening its path:
// no such file, or no permission and how to get it.
QString SerialOpenError(const QString &path, int error);
// What to do when a port is held by another program (ModemManager on Linux).
QString HeldPortHint();

// Why the identification probe failed: no reply, a refusal, a reply too
// short, a hardware code this tool does not serve, or version byte 0.
QString ProbeFailure(const CXmit &xmit);

// Links the device chosen by --device and identifies it, with the link
// trace on stderr for --verbose. From then on the context's stderr lines
// name the device. Returns
// ExitSuccess, or prints the reason and returns the exit status (ExitUsage
// for a malformed choice, else ExitDeviceFailure).
int LinkDevice(CliContext &context, CXmit &xmit);
