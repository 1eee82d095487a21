#include "clicommand.h"
#include "configexchange.h"
#include "devicechoice.h"

#include "config/modeljson.h"
#include "link/cxmit.h"

// The device's configuration as model JSON: read it, or change members of it.

int CliConfigGet(CliContext &context)
{
    CXmit xmit;
    if (const int status = LinkDevice(context, xmit); status != ExitSuccess)
        return status;
    QByteArray record;
    if (!ReadDeviceRecord(context, xmit, record))
        return ExitDeviceFailure;
    // The raw copy is written whatever the decoder thinks of it: a refused
    // record is the one worth looking at.
    const QString rawPath = context.option(QStringLiteral("--raw"));
    if (!rawPath.isEmpty() && !WriteOutputFile(context, rawPath, record))
        return ExitDeviceFailure;
    ConfigModel model = LinkedModel(xmit.Identity);
    if (!DecodeRecord(context, ExitDeviceFailure, record, xmit.Identity, model))
        return ExitDeviceFailure;
    PrintModel(context, model);
    return ExitSuccess;
}

int CliConfigSet(CliContext &context)
{
    // Checked before the device is even linked: a bad file writes nothing.
    QJsonObject json;
    if (!ReadModelJsonFile(context, context.arguments[0], json))
        return ExitUsage;

    CXmit xmit;
    ConfigModel model;
    if (const int status = LinkAndReadConfiguration(context, xmit, model); status != ExitSuccess)
        return status;
    QString error;
    if (!ApplyModelJson(json, model, error))
        return context.fail(ExitUsage, error);
    QByteArray record;
    if (!EncodeRecord(context, ExitUsage, xmit.Identity, model, record))
        return ExitUsage;
    if (!xmit.Send(CMD_WRITE_CONFIG, record))
        return context.fail(ExitDeviceFailure, ConfigWriteFailure(xmit));

    ConfigModel readBack = LinkedModel(xmit.Identity);
    if (!ReadDeviceConfiguration(context, xmit, readBack))
        return ExitDeviceFailure;
    PrintModel(context, readBack);
    return ExitSuccess;
}
