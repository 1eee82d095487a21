#include "configexchange.h"
#include "devicechoice.h"

#include "app/programfolder.h"
#include "config/configcodec.h"
#include "config/configsync.h"
#include "config/modelmembers.h"
#include "config/modeljson.h"
#include "link/cxmit.h"

#include <QFile>

namespace {

// Far beyond any model JSON; keeps a wrong file from filling the memory.
constexpr qint64 LargestModelJson = 1 << 20;

} // namespace

ConfigModel LinkedModel(const DeviceIdentity &identity)
{
    ConfigModel model;
    model.ApplyHardwareLimits(identity.Profile());
    return model;
}

bool DecodeRecord(CliContext &context, ExitStatus failure, const QByteArray &record,
                  const DeviceIdentity &identity, ConfigModel &model)
{
    if (record.isEmpty()) {
        context.fail(failure, QStringLiteral("the record is empty"));
        return false;
    }
    // A longer record cannot be the device's: decoding a cut copy would
    // misread it.
    if (record.size() > ConfigBlockCapacity) {
        context.fail(failure, QStringLiteral("the record is %1 bytes long, more than %2")
                                  .arg(record.size())
                                  .arg(ConfigBlockCapacity));
        return false;
    }
    if (!DecodeConfigBlock(record, identity, model)) {
        context.fail(failure, QStringLiteral("the record does not fit hardware code %1 "
                                             "(another layout's header, or cut short)")
                                  .arg(identity.HardwareCode));
        return false;
    }
    return true;
}

bool ReadDeviceRecord(CliContext &context, CXmit &xmit, QByteArray &record)
{
    if (!xmit.Send(CMD_READ_CONFIG)) {
        context.fail(ExitDeviceFailure, QStringLiteral("the device did not send its configuration"));
        return false;
    }
    record = xmit.ReplyPayload;
    return true;
}

bool ReadDeviceConfiguration(CliContext &context, CXmit &xmit, ConfigModel &model)
{
    QByteArray record;
    return ReadDeviceRecord(context, xmit, record)
        && DecodeRecord(context, ExitDeviceFailure, record, xmit.Identity, model);
}

int LinkAndReadConfiguration(CliContext &context, CXmit &xmit, ConfigModel &model)
{
    if (const int status = LinkDevice(context, xmit); status != ExitSuccess)
        return status;
    model = LinkedModel(xmit.Identity);
    return ReadDeviceConfiguration(context, xmit, model) ? ExitSuccess : ExitDeviceFailure;
}

bool EncodeRecord(CliContext &context, ExitStatus failure, const DeviceIdentity &identity,
                  ConfigModel &model, QByteArray &record)
{
    const std::optional<QByteArray> encoded = EncodeConfigBlock(identity, model);
    if (!encoded) {
        context.fail(failure, QStringLiteral("the texts make the record longer than %1 bytes")
                                  .arg(ConfigBlockCapacity));
        return false;
    }
    record = *encoded;
    return true;
}

QString ConfigWriteFailure(const CXmit &xmit)
{
    if (xmit.LinkLost)
        return QStringLiteral("no valid reply to the configuration write; the device may have taken it");
    return QStringLiteral("the device did not take the configuration");
}

bool ReadInputFile(CliContext &context, const QString &path, qint64 maximumSize, QByteArray &contents)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        context.fail(ExitUsage, QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return false;
    }
    // One byte more than allowed tells a file that is too long.
    contents = file.read(maximumSize + 1);
    if (contents.size() > maximumSize) {
        context.fail(ExitUsage, QStringLiteral("%1 is longer than %2 bytes").arg(path).arg(maximumSize));
        return false;
    }
    return true;
}

bool WriteOutputFile(CliContext &context, const QString &path, const QByteArray &contents)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(contents) != contents.size()
        || !file.flush()) {
        context.fail(ExitDeviceFailure, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

bool ReadModelJsonFile(CliContext &context, const QString &path, QJsonObject &json)
{
    QByteArray document;
    if (!ReadInputFile(context, path, LargestModelJson, document))
        return false;
    QString error;
    if (!ParseModelJson(document, json, error)) {
        context.fail(ExitUsage, QStringLiteral("%1: %2").arg(path, error));
        return false;
    }
    return true;
}

bool ApplyModelChanges(CliContext &context, const QJsonObject &json, const HardwareProfile &profile,
                       ConfigModel &model)
{
    ConfigModel changed = model;
    QString error;
    if (!ApplyModelJson(json, changed, error)) {
        context.fail(ExitUsage, error);
        return false;
    }
    // Only what the file changes is checked: a value the model already
    // holds (a device's own, read back unchanged) is not the script's doing.
    if (const std::optional<QString> refusal = FindRangeRefusal(model, changed, profile)) {
        context.fail(ExitUsage, *refusal);
        return false;
    }
    model = changed;
    return true;
}

int WriteThroughSynchronizer(CliContext &context, CXmit &xmit, ConfigModel &model)
{
    PageRefresh noPages;
    ConfigSynchronizer sync(xmit, model, noPages);
    sync.Identity = xmit.Identity;
    sync.ProgramFolder = CurrentProgramFolder();
    const bool storesDefault = model.StoreAsDefault != 0;
    if (sync.WriteModel())
        return ExitSuccess;
    if (!sync.ConfigWritten) {
        const QString nothingStored =
            storesDefault ? QStringLiteral("; nothing was stored as factory default") : QString();
        return context.fail(ExitDeviceFailure, ConfigWriteFailure(xmit) + nothingStored);
    }
    if (xmit.LinkLost)
        return context.fail(ExitDeviceFailure,
                            QStringLiteral("the configuration was written, then the device stopped answering"));
    return context.fail(ExitDeviceFailure,
                        storesDefault ? QStringLiteral("the configuration was written, but the device did not take "
                                                       "its reading back or its storing as factory default")
                                      : QStringLiteral("the configuration was written, but reading it back failed"));
}

void PrintModel(CliContext &context, const ConfigModel &model)
{
    context.out << QString::fromUtf8(ModelToJsonDocument(model)) << "\n";
}
