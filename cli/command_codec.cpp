#include "clicommand.h"
#include "configexchange.h"

#include "config/configcodec.h"

// The offline commands: a record file decoded, or a record built from a
// model JSON, as a device of the given hardware would.

namespace {

// --code N (an accepted hardware code) and --version V (0 by default).
bool OfflineIdentity(CliContext &context, DeviceIdentity &identity)
{
    bool codeOk = false;
    const int code = context.option(QStringLiteral("--code")).toInt(&codeOk);
    if (!codeOk || !IsAcceptedHardwareCode(code)) {
        context.usage(QStringLiteral("--code takes a hardware code this tool serves"));
        return false;
    }
    bool versionOk = false;
    const int version = context.option(QStringLiteral("--version"), QStringLiteral("0")).toInt(&versionOk);
    if (!versionOk || version < 0 || version > 255) {
        context.usage(QStringLiteral("--version takes 0 to 255"));
        return false;
    }
    identity.HardwareCode = quint8(code);
    identity.FirmwareVersionByte = quint8(version);
    return true;
}

} // namespace

int CliDecode(CliContext &context)
{
    DeviceIdentity identity;
    QByteArray record;
    if (!OfflineIdentity(context, identity)
        || !ReadInputFile(context, context.arguments[0], ConfigBlockCapacity, record))
        return ExitUsage;
    ConfigModel model = LinkedModel(identity);
    if (!DecodeRecord(context, ExitUsage, record, identity, model))
        return ExitUsage;
    PrintModel(context, model);
    return ExitSuccess;
}

int CliEncode(CliContext &context)
{
    if (context.arguments[1].isEmpty())
        return context.usage(QStringLiteral("OUT must name the file to write the record to"));
    DeviceIdentity identity;
    QJsonObject json;
    if (!OfflineIdentity(context, identity) || !ReadModelJsonFile(context, context.arguments[0], json))
        return ExitUsage;
    ConfigModel model = LinkedModel(identity);
    if (!ApplyModelChanges(context, json, identity.Profile(), model))
        return ExitUsage;
    QByteArray record;
    if (!EncodeRecord(context, ExitUsage, identity, model, record))
        return ExitUsage;
    return WriteOutputFile(context, context.arguments[1], record) ? ExitSuccess : ExitDeviceFailure;
}
