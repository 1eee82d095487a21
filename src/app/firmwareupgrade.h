#pragma once

#include "app/firmwarefile.h"

#include <QByteArray>
#include <QList>
#include <QString>

class CXmit;
class HardwareProfile;
class StatusStrip;

// Supervisor ticks the device is given to reboot after an upgrade.
inline constexpr int RebootTicks = 20;

// What the firmware upgrade shows besides the status strip.
class FirmwareUpgradeView
{
public:
    virtual ~FirmwareUpgradeView() = default;

    virtual void ShowWarningImage(bool visible) = 0;
    // The main window takes no input while an image is sent.
    virtual void EnableMainWindow(bool enabled) = 0;
    // The window shows "Rebooting..." before "write error !" after a failed
    // transfer too; a report of what happened says only what did.
    virtual bool ShowsRebootingAfterFailure() const { return true; }
};

// Where a transfer stopped.
enum class FirmwareStep { None, Begin, Data, End };

// What one firmware check did, for callers that report it (the CLI).
struct FirmwareReport
{
    // Files chosen but not used: digest mismatch, unreadable, no image size.
    QList<FirmwareImage> Refused;
    // The versions sent (0: none was due) and those the device accepted to
    // the end of their transfer.
    int FamilyVersionSent = 0;
    int MainVersionSent = 0;
    int FamilyVersionWritten = 0;
    int MainVersionWritten = 0;
    // The request of each transfer that failed.
    FirmwareStep FamilyFailedAt = FirmwareStep::None;
    FirmwareStep MainFailedAt = FirmwareStep::None;
    bool Rebooted = false;

    bool TransferFailed() const
    {
        return FamilyFailedAt != FirmwareStep::None || MainFailedAt != FirmwareStep::None;
    }
};

// The firmware check run after a device was linked and identified: installs
// the family image and then the main image from the firmware folder when
// they are newer than what the device runs (or when a reload is asked for),
// and reboots the device afterwards.
class FirmwareUpgrade
{
public:
    FirmwareUpgrade(CXmit &xmit, StatusStrip &strip, FirmwareUpgradeView &view, QString firmwareFolder);

    // Non-zero when the device accepted the begin request of the family or
    // of the main image, whether or not the rest succeeded. Clears
    // forceReload; sets upgradeCountdown to RebootTicks when the device was
    // rebooted, else to 0.
    int FirmwareCheck(bool &forceReload, int &upgradeCountdown);
    // 1 when the device accepted the begin request of the family image.
    int FamilyFirmwareCheck();

    // The files a check would install, with their digests checked but
    // nothing read into memory, deleted or sent: those that would be
    // refused. For callers that want to refuse the whole upgrade first.
    QList<FirmwareImage> CheckFiles() const;

    const FirmwareReport &report() const { return m_report; }

private:
    FirmwareImage find(const QString &label, bool mainImage);
    bool sendMainImage(const HardwareProfile &profile, const FirmwareImage &image, int &upgraded);
    bool sendFamilyImage(const HardwareProfile &profile, const FirmwareImage &image);
    void writeFamilyVersionRecord(const HardwareProfile &profile, int version);

    CXmit &m_xmit;
    StatusStrip &m_strip;
    FirmwareUpgradeView &m_view;
    QString m_folder;
    FirmwareReport m_report;
    // The family transfer began but did not end well.
    bool m_familyFailed = false;
};
