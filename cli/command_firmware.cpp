#include "clicommand.h"
#include "devicechoice.h"
#include "progressreporter.h"

#include "app/firmwareupgrade.h"
#include "app/sidefiles.h"
#include "link/cxmit.h"

// firmware upgrade [--folder DIR] [--force]: the desktop tool's firmware
// check, on the same code, against the files of DIR (by default the
// firmware folder of the program folder, which is the current directory as
// for the desktop tool). Status texts and progress go to stderr.

namespace {

// No window to disable and no warning image to show.
class NoWindow final : public FirmwareUpgradeView
{
public:
    void ShowWarningImage(bool) override {}
    void EnableMainWindow(bool) override {}
};

QString DefaultFirmwareFolder()
{
    return CurrentProgramFolder() + QStringLiteral("/firmware/");
}

} // namespace

int CliFirmwareUpgrade(CliContext &context)
{
    // A folder named on the command line must be there; without the default
    // one there is simply no firmware to install, as for the desktop tool.
    const QString folder = context.option(QStringLiteral("--folder"), DefaultFirmwareFolder());
    if (context.has(QStringLiteral("--folder")) && !ListFirmwareFiles(folder).Listed)
        return context.fail(ExitUsage, QStringLiteral("the firmware folder %1 does not exist or cannot be read").arg(folder));

    CXmit xmit;
    if (const int status = LinkDevice(context, xmit); status != ExitSuccess)
        return status;
    ProgressReporter strip(context);
    NoWindow window;
    FirmwareUpgrade upgrade(xmit, strip, window, folder);

    // Every file the check would install is checked before anything is
    // sent, so that a bad second file cannot leave the device with only the
    // first one.
    const QList<FirmwareImage> refused = upgrade.CheckFiles();
    if (!refused.isEmpty()) {
        for (qsizetype i = 0; i + 1 < refused.size(); ++i)
            context.say(FirmwareProblemText(refused[i]));
        return context.fail(ExitDeviceFailure, FirmwareProblemText(refused.last()));
    }

    bool forceReload = context.has(QStringLiteral("--force"));
    int upgradeCountdown = 0;
    upgrade.FirmwareCheck(forceReload, upgradeCountdown);
    const FirmwareReport &report = upgrade.report();

    // A file that changed after the check above: the digest and size
    // refusals were told as message boxes; an unreadable file is told here.
    for (const FirmwareImage &image : report.Refused) {
        if (image.Problem == FirmwareFileProblem::Unreadable)
            context.say(FirmwareProblemText(image));
    }
    if (report.TransferFailed)
        return context.fail(ExitDeviceFailure, QStringLiteral("the firmware transfer failed: the device refused or "
                                                              "did not answer a request"));
    if (!report.Refused.isEmpty())
        return context.fail(ExitDeviceFailure, QStringLiteral("no firmware was installed"));

    const HardwareProfile profile = xmit.Identity.Profile();
    if (report.FamilyVersionWritten)
        context.say(QStringLiteral("%1 family firmware version %2 written")
                        .arg(profile.FamilyLabel())
                        .arg(report.FamilyVersionWritten));
    if (report.MainVersionWritten)
        context.say(QStringLiteral("%1 firmware version %2 written")
                        .arg(profile.ModelLabel())
                        .arg(report.MainVersionWritten));
    if (report.Rebooted)
        context.say(QStringLiteral("the device reboots with its new firmware"));
    else
        context.say(QStringLiteral("nothing to upgrade: no newer firmware for %1 in %2")
                        .arg(profile.ModelLabel(), folder));
    return ExitSuccess;
}
