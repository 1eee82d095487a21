#include "clicommand.h"
#include "configexchange.h"
#include "devicechoice.h"

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
    if (!ApplyModelChanges(context, json, xmit.Identity.Profile(), model))
        return ExitUsage;
    // Texts too long for a record are refused here, before anything is sent.
    ConfigModel trial = model;
    QByteArray record;
    if (!EncodeRecord(context, ExitUsage, xmit.Identity, trial, record))
        return ExitUsage;
    // The same write as the panel's and config load's.
    if (const int status = WriteThroughSynchronizer(context, xmit, model); status != ExitSuccess)
        return status;

    // What the device holds now, as a fresh read of it shows it: the
    // synchronizer's read back was the last exchange.
    ConfigModel readBack = LinkedModel(xmit.Identity);
    if (!DecodeRecord(context, ExitDeviceFailure, xmit.ReplyPayload, xmit.Identity, readBack))
        return ExitDeviceFailure;
    PrintModel(context, readBack);
    return ExitSuccess;
}
