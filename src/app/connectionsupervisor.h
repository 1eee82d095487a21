#pragma once

#include "app/firmwareupgrade.h"
#include "link/linkrequests.h"

#include <QString>

#include <functional>

class CXmit;
class StatusStrip;

// The main window's part in the supervisor: its layout, the strip's warning
// image and log button, the settings panel, and what a firmware upgrade
// shows (the warning image, the window disabled while an image is sent).
class SupervisedWindow : public FirmwareUpgradeView
{
public:
    virtual void UpdateTitleAndLayout(bool withPanel) = 0;
    virtual void EnableLogButton(bool enabled) = 0;
    // Reads the device's configuration and shows the panel; false when the
    // configuration could not be read.
    virtual bool ActivatePanel() = 0;
    // Writes the model to the device once more when the panel is active;
    // linkLost tells that the last exchange found no device.
    virtual void DeactivatePanel(bool linkLost) = 0;
};

// The connection supervisor: while no device is linked it searches every
// second (connect, identify, check the firmware, activate the panel); while
// one is, it watches every 100 ms for a lost link, a firmware reload or an
// EDID repair request. The window's two one-shot timers call it and re-arm
// the timer it names.
class ConnectionSupervisor
{
public:
    enum TimerId { SearchTimer = 1, WatchTimer = 2 };
    struct NextTimer
    {
        TimerId id;
        int delayMs;
    };

    // Firmware files are looked for in firmwareFolder; empty: none.
    ConnectionSupervisor(CXmit &xmit, StatusStrip &strip, SupervisedWindow &window, QString firmwareFolder);

    // Returns 1 when a device is linked and the panel is active, else 0.
    int SupervisorStep();
    NextTimer OnSearchTimer();
    NextTimer OnWatchTimer();

    // Checks the device's firmware and upgrades it when a newer file exists
    // (FirmwareUpgrade); non-zero when an upgrade was made or attempted.
    // Clears Requests.ForceReload and sets UpgradeCountdown. Tests may replace it.
    std::function<int()> FirmwareCheck;

    // Ticks during which the device is expected to reboot after an upgrade.
    int UpgradeCountdown = 0;
    LinkRequests Requests;

private:
    void RepairEdid();

    CXmit &m_xmit;
    StatusStrip &m_strip;
    SupervisedWindow &m_window;
    QString m_firmwareFolder;
};
