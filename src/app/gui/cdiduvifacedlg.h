#pragma once

#include "app/connectionsupervisor.h"
#include "gui/gatedtimer.h"

#include <QDialog>

class CInfo;
class CSetting;
class CXmit;
struct StartupValues;

// The tool's only top-level window: the settings panel above the status
// strip, the title with the program version and the linked device, and the
// two one-shot timers that drive the connection supervisor.
class CDiduvIfaceDlg : public QDialog, private SupervisedWindow
{
    Q_OBJECT

public:
    CDiduvIfaceDlg(CXmit &xmit, const StartupValues &startup, QWidget *parent = nullptr);

    // Creates the panel and the strip, measures the display scale and
    // starts timer 1 (100 ms).
    void OnInitDialog();

    ConnectionSupervisor &supervisor() { return m_supervisor; }
    CSetting *panel() const { return m_panel; }
    CInfo *statusStrip() const { return m_strip; }
    double DisplayRatio() const { return m_displayRatio; }
    double DisplayScale() const { return m_displayScale; }

    // The log button's action: both device logs into one desktop file. It
    // runs as a handler: a tick that comes due meanwhile waits for its end.
    void DownloadLogs();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void UpdateTitleAndLayout(bool withPanel) override;
    void ShowWarningImage(bool visible) override;
    void EnableMainWindow(bool enabled) override;
    void EnableLogButton(bool enabled) override;
    bool ActivatePanel() override;
    void DeactivatePanel(bool linkLost) override;

    void ComputeDisplayScale();
    void downloadLogsNow();
    void OnClose();
    void OnTimer(ConnectionSupervisor::TimerId id);
    void arm(ConnectionSupervisor::NextTimer next);

    CXmit &m_xmit;
    const StartupValues &m_startup;
    CSetting *m_panel = nullptr;
    CInfo *m_strip = nullptr;
    ConnectionSupervisor m_supervisor;
    GatedTimer m_searchTimer;
    GatedTimer m_watchTimer;
    double m_displayRatio = 1.0;
    double m_displayScale = 1.0;
};
