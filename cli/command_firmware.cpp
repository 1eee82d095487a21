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
    bool ShowsRebootingAfterFailure() const override { return false; }
};

QString FailedStepText(FirmwareStep step)
{
    switch (step) {
    case FirmwareStep::Begin:
        return QStringLiteral("the device refused or did not answer its begin request");
    case FirmwareStep::Data:
        return QStringLiteral("the device refused or did not answer a data request");
    case FirmwareStep::End:
        return QStringLiteral("the device did not accept the image at its end request");
    case FirmwareStep::None:
        break;
    }
    return {};
}

// "DUNASA firmware version 14 written (a downgrade from version 15)"
QString WrittenText(const QString &label, int version, int runningVersion)
{
    QString text = QStringLiteral("%1 firmware version %2 written").arg(label).arg(version);
    if (runningVersion > version)
        text += QStringLiteral(" (a downgrade from version %1)").arg(runningVersion);
    return text;
}

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
    const HardwareProfile profile = xmit.Identity.Profile();
    const bool quiet = context.has(QStringLiteral("--quiet"));
    QStringList outcome;
    if (report.FamilyVersionWritten)
        outcome << QStringLiteral("%1 family firmware version %2 written")
                       .arg(profile.FamilyLabel())
                       .arg(report.FamilyVersionWritten);
    if (report.MainVersionWritten)
        outcome << WrittenText(profile.ModelLabel(), report.MainVersionWritten, xmit.Identity.FirmwareVersionByte);

    if (report.TransferFailed()) {
        // What failed, what was written all the same, and whether the device
        // now reboots: the unit's state must be clear from this one line.
        QStringList failures;
        if (report.FamilyFailedAt != FirmwareStep::None)
            failures << QStringLiteral("the %1 family firmware version %2 failed: %3")
                            .arg(profile.FamilyLabel())
                            .arg(report.FamilyVersionSent)
                            .arg(FailedStepText(report.FamilyFailedAt));
        if (report.MainFailedAt != FirmwareStep::None)
            failures << QStringLiteral("the %1 firmware version %2 failed: %3")
                            .arg(profile.ModelLabel())
                            .arg(report.MainVersionSent)
                            .arg(FailedStepText(report.MainFailedAt));
        failures << (outcome.isEmpty() ? QStringList{QStringLiteral("nothing was written")} : outcome);
        failures << (report.Rebooted ? QStringLiteral("the device reboots") : QStringLiteral("the device was not rebooted"));
        return context.fail(ExitDeviceFailure, failures.join(QStringLiteral("; ")));
    }
    if (!report.Refused.isEmpty())
        return context.fail(ExitDeviceFailure, QStringLiteral("no firmware was installed"));
    if (quiet)
        return ExitSuccess;

    for (const QString &line : std::as_const(outcome))
        context.say(line);
    if (report.Rebooted)
        context.say(QStringLiteral("the device reboots with its new firmware"));
    else
        context.say(QStringLiteral("nothing to upgrade: no newer firmware for %1 in %2")
                        .arg(profile.ModelLabel(), folder));
    return ExitSuccess;
}
