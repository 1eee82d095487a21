#include "app/gui/cdiduvifacedlg.h"

#include "gui/artwork.h"
#include "gui/dialogunits.h"
#include "app/sidefiles.h"
#include "app/windowtitle.h"
#include "auxiliary/gui/cinfo.h"
#include "auxiliary/logdownload.h"
#include "auxiliary/userprompts.h"
#include "link/cxmit.h"
#include "link/handlergate.h"
#include "panel/gui/csetting.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QPointer>

namespace {

// Average character width of the dialog font on the display the window
// layouts were drawn for; the display ratio compares against it.
constexpr int ReferenceBaseWidth = 6;

} // namespace

CDiduvIfaceDlg::CDiduvIfaceDlg(CXmit &xmit, const StartupValues &startup, QWidget *parent)
    : QDialog(parent),
      m_xmit(xmit),
      m_startup(startup),
      m_panel(new CSetting(xmit, startup, Channels, this)),
      m_strip(new CInfo(this)),
      m_supervisor(xmit, *m_strip, *this, startup.FirmwareFolder),
      m_searchTimer([this] { OnTimer(ConnectionSupervisor::SearchTimer); }),
      m_watchTimer([this] { OnTimer(ConnectionSupervisor::WatchTimer); })
{
    setObjectName(QStringLiteral("mainWindow"));
    m_panel->setLinkRequests(&m_supervisor.Requests);
    connect(m_strip, &CInfo::logDownloadRequested, this, &CDiduvIfaceDlg::DownloadLogs);
}

void CDiduvIfaceDlg::OnInitDialog()
{
    setWindowIcon(ApplicationIcon());
    ComputeDisplayScale();
    m_panel->setDisplayScale(m_displayRatio, m_displayScale);
    m_panel->setStatusStrip(m_strip);
    m_panel->hide();
    m_panel->BuildPanel();
    m_strip->InitStatusStrip(m_startup.AdvancedMode != 0);
    m_xmit.ShowLinkActivity = [strip = m_strip](bool write) { strip->ShowLinkActivity(write); };
    UpdateTitleAndLayout(false);
    m_searchTimer.start(100);
}

void CDiduvIfaceDlg::ComputeDisplayScale()
{
    // Two reference widths of 280 dialog units: one in the dialog font as it
    // renders here, one as it rendered on the display the layouts were made for.
    const int rendered = DialogUnits(*this).x(280);
    const int reference = DialogUnits(ReferenceBaseWidth, 13).x(280);
    m_displayRatio = double(rendered) / double(reference);
    m_displayScale = DisplayScaleFor(m_displayRatio);
}

void CDiduvIfaceDlg::OnTimer(ConnectionSupervisor::TimerId id)
{
    arm(id == ConnectionSupervisor::SearchTimer ? m_supervisor.OnSearchTimer() : m_supervisor.OnWatchTimer());
}

void CDiduvIfaceDlg::arm(ConnectionSupervisor::NextTimer next)
{
    GatedTimer &timer = next.id == ConnectionSupervisor::SearchTimer ? m_searchTimer : m_watchTimer;
    timer.start(next.delayMs);
}

void CDiduvIfaceDlg::UpdateTitleAndLayout(bool withPanel)
{
    int panelHeight = 0;
    if (withPanel) {
        // Placed only: the panel shows itself once the configuration is read.
        m_panel->setGeometry(0, 0, m_panel->width(), m_panel->FrameHeight());
        panelHeight = m_panel->FrameHeight();
    } else {
        m_panel->hide();
    }
    m_strip->move(0, panelHeight);
    m_strip->show();
    // The client area holds the panel and the strip and nothing else: the
    // window manager adds the caption and borders around it.
    setFixedSize(std::max(m_strip->width(), withPanel ? m_panel->width() : 0), panelHeight + m_strip->height());
    setWindowTitle(WindowTitle(m_startup.SetupVersion, withPanel ? &m_xmit.Identity : nullptr));
}

void CDiduvIfaceDlg::ShowWarningImage(bool visible)
{
    m_strip->ShowWarningImage(visible);
}

void CDiduvIfaceDlg::EnableMainWindow(bool enabled)
{
    // Disabled, the window still paints: the progress bar moves while each
    // chunk's reply is awaited.
    setEnabled(enabled);
}

void CDiduvIfaceDlg::EnableLogButton(bool enabled)
{
    m_strip->EnableLogButton(enabled);
}

bool CDiduvIfaceDlg::ActivatePanel()
{
    return m_panel->ActivatePanel();
}

void CDiduvIfaceDlg::DeactivatePanel(bool linkLost)
{
    m_panel->DeactivatePanel(linkLost);
}

void CDiduvIfaceDlg::DownloadLogs()
{
    HandlerGate::current().run(this, [window = QPointer<CDiduvIfaceDlg>(this)] {
        if (window)
            window->downloadLogsNow();
    });
}

void CDiduvIfaceDlg::downloadLogsNow()
{
    const LogDownload download =
        ::DownloadLogs(m_xmit, *m_strip, m_startup.DesktopFolder, QDateTime::currentDateTime());
    Prompts().ShowMessage({.Text = LogDownloadMessage(download), .Caption = windowTitle()});
}

void CDiduvIfaceDlg::closeEvent(QCloseEvent *event)
{
    // A close that arrives while a handler waits on the device runs right
    // after that handler, so that the panel's final write does not land in
    // the middle of another exchange.
    HandlerGate &gate = HandlerGate::current();
    if (gate.deferClose([window = QPointer<CDiduvIfaceDlg>(this)] {
            if (window)
                window->close();
        })) {
        event->ignore();
        return;
    }
    gate.run(this, [this] { OnClose(); });
    event->accept();
}

void CDiduvIfaceDlg::OnClose()
{
    // The last edit reaches the device before the program ends.
    m_panel->DeactivatePanel(false);
    m_searchTimer.stop();
    m_watchTimer.stop();
}

void CDiduvIfaceDlg::reject()
{
    // Escape does not close the tool; only the window's close button does.
}
