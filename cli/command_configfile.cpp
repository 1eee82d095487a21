#include "clicommand.h"
#include "configexchange.h"

#include "app/programfolder.h"
#include "config/configfile.h"
#include "config/factorydefault.h"
#include "link/cxmit.h"

#include <QFile>

// Configuration files as the SAVE and LOAD buttons of the MANUFACTURER page
// write and read them, and the factory-default store.

namespace {

int ConfigReadError(CliContext &context, const QString &path)
{
    return context.fail(ExitUsage, QStringLiteral("%1 %2").arg(ConfigFileStatusText(ConfigFileOutcome::ReadError), path));
}

} // namespace

int CliConfigSave(CliContext &context)
{
    if (context.arguments[0].isEmpty())
        return context.usage(QStringLiteral("FILE must name the configuration file to write"));
    CXmit xmit;
    ConfigModel model;
    if (const int status = LinkAndReadConfiguration(context, xmit, model); status != ExitSuccess)
        return status;
    const QString path = context.arguments[0];
    if (WriteConfigFile(path, xmit.Identity, model) != ConfigFileOutcome::Saved) {
        return context.fail(ExitDeviceFailure, QStringLiteral("%1 %2")
                                                   .arg(ConfigFileStatusText(ConfigFileOutcome::WriteError), path));
    }
    return ExitSuccess;
}

int CliConfigLoad(CliContext &context)
{
    // A file that cannot be opened is told before the device is linked. It
    // is read into the model the device's configuration filled, as in the
    // panel; nothing is written before the decoder accepts it.
    const QString path = context.arguments[0];
    if (QFile file(path); !file.open(QIODevice::ReadOnly))
        return ConfigReadError(context, path);
    CXmit xmit;
    ConfigModel model;
    if (const int status = LinkAndReadConfiguration(context, xmit, model); status != ExitSuccess)
        return status;
    switch (ReadConfigFile(path, xmit.Identity, model)) {
    case ConfigFileOutcome::Loaded:
        return WriteThroughSynchronizer(context, xmit, model);
    case ConfigFileOutcome::ReadError:
        return ConfigReadError(context, path);
    default:
        return context.fail(ExitUsage, ConfigFileStatusText(ConfigFileOutcome::NotCompatible));
    }
}

int CliFactoryDefault(CliContext &context)
{
    CXmit xmit;
    ConfigModel model;
    if (const int status = LinkAndReadConfiguration(context, xmit, model); status != ExitSuccess)
        return status;
    RequestFactoryDefault(model);
    return WriteThroughSynchronizer(context, xmit, model);
}
