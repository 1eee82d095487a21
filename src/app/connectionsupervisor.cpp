#include "app/connectionsupervisor.h"

#include "auxiliary/statusstrip.h"
#include "auxiliary/texttable.h"
#include "link/cxmit.h"

ConnectionSupervisor::ConnectionSupervisor(CXmit &xmit, StatusStrip &strip, SupervisedWindow &window,
                                           QString firmwareFolder)
    : FirmwareCheck([this] {
          FirmwareUpgrade upgrade(m_xmit, m_strip, m_window, m_firmwareFolder);
          return upgrade.FirmwareCheck(Requests.ForceReload, UpgradeCountdown);
      }),
      m_xmit(xmit), m_strip(strip), m_window(window), m_firmwareFolder(std::move(firmwareFolder))
{
}

void ConnectionSupervisor::RepairEdid()
{
    Requests.EdidPending = false;
    m_window.ShowWarningImage(true);
    m_strip.ShowStatus(GetText(TXT_EDID_PROGRAMMING), false, 5000);
    m_xmit.Send(CMD_EDID_REPAIR);
    m_xmit.CloseSerialPort();
}

int ConnectionSupervisor::SupervisorStep()
{
    if (Requests.EdidPending)
        RepairEdid();
    if (UpgradeCountdown > 0) {
        m_window.ShowWarningImage(true);
        m_strip.ShowStatus(GetText(TXT_WAIT_NO_POWER_OFF), false, 200);
    } else {
        m_window.ShowWarningImage(false);
        m_strip.ShowStatus(GetText(TXT_WAITING_CONNECTION), false, 2000);
    }
    m_window.EnableLogButton(false);
    m_strip.SetProgress(0, 1);
    m_window.UpdateTitleAndLayout(false);

    if (!m_xmit.ConnectDevice())
        return 0;
    if (FirmwareCheck && FirmwareCheck() != 0)
        return 0;

    m_window.ShowWarningImage(false);
    m_window.UpdateTitleAndLayout(true);
    if (!m_window.ActivatePanel()) {
        // A device whose configuration cannot be read is not linked: nothing
        // would ever talk to it again, so a lost link would go unnoticed.
        // Dropping it lets the search go on and try it again next round.
        m_window.UpdateTitleAndLayout(false);
        m_xmit.CloseLink();
        return 0;
    }
    m_strip.ShowStatus(GetText(TXT_HARDWARE_CONNECTED), false, 1000000);
    m_window.EnableLogButton(true);
    return 1;
}

ConnectionSupervisor::NextTimer ConnectionSupervisor::OnSearchTimer()
{
    const NextTimer next = SupervisorStep() == 1 ? NextTimer{WatchTimer, 1000} : NextTimer{SearchTimer, 1000};
    if (UpgradeCountdown > 0)
        --UpgradeCountdown;
    return next;
}

ConnectionSupervisor::NextTimer ConnectionSupervisor::OnWatchTimer()
{
    if (Requests.EdidPending) {
        m_window.DeactivatePanel(false);
        m_window.UpdateTitleAndLayout(false);
        return {SearchTimer, 100};
    }
    const bool lost = m_xmit.LinkLost;
    m_xmit.LinkLost = false;
    if (lost || Requests.ForceReload) {
        m_window.DeactivatePanel(lost);
        m_window.UpdateTitleAndLayout(false);
        m_xmit.CloseSerialPort();
        return {SearchTimer, 100};
    }
    return {WatchTimer, 100};
}
