#include "panel/gui/csetting.h"

#include "auxiliary/startupvalues.h"
#include "auxiliary/texttable.h"
#include "gui/dialogunits.h"
#include "link/cxmit.h"
#include "panel/gui/manufacturerpage.h"
#include "panel/gui/miscpage.h"
#include "panel/gui/multiplexpage.h"
#include "panel/gui/ownerdrawntabbar.h"
#include "panel/gui/servicepage.h"
#include "panel/gui/settingspage.h"
#include "panel/gui/usbpage.h"

#include <QSignalBlocker>

namespace {

const QColor RoyalBlue(65, 105, 225);
const QColor LimeGreen(50, 205, 50);
const QColor Grey(192, 192, 192);
const QColor Orange(255, 165, 0);
const QColor DarkRed(192, 0, 0);

// The panel's frame of pages: 516 x 185 dialog units.
constexpr int FrameWidthUnits = 516;
constexpr int FrameHeightUnits = 185;

// Ticks of the panel timer between the last edit and the write.
constexpr quint8 CommitDelayTicks = 10;

const char *const PageNames[] = {"multiplexPage", "servicePage", "usbPage", "miscPage", "manufacturerPage"};

} // namespace

CSetting::CSetting(CXmit &xmit, const StartupValues &startup, const ChannelList &channels, QWidget *parent)
    : QWidget(parent),
      m_xmit(xmit),
      m_startup(startup),
      m_sync(xmit, m_model, *this),
      m_context{m_model,
                m_sync,
                xmit,
                startup,
                channels,
                CurrentMux,
                CurrentService,
                nullptr,
                [this] { MarkChanged(); },
                // The USB page shows or hides its content as it is switched
                // to; the page shown then comes back.
                [this] {
                    const int shown = CurrentPage;
                    SwitchPage(UsbPage);
                    SwitchPage(shown);
                },
                [this] {
                    m_usbPage->ShowRecordFileNames();
                    SwitchPage(CurrentPage);
                }},
      m_panelTimer([this] { onPanelTimer(); }),
      m_pageTabs(new OwnerDrawnTabBar(this)),
      m_multiplexPage(new CMultiplexPage(m_context, this)),
      m_servicePage(new CServicePage(m_context, this)),
      m_usbPage(new CUsbPage(m_context, this))
{
    m_muxTabs = m_multiplexPage->tabs();
    m_serviceTabs = m_servicePage->tabs();
    setObjectName(QStringLiteral("settingsPanel"));
    m_pageTabs->setObjectName(QStringLiteral("pageTabs"));
    m_muxTabs->setObjectName(QStringLiteral("muxTabs"));
    m_serviceTabs->setObjectName(QStringLiteral("serviceTabs"));
    m_pages[MultiplexPage] = m_multiplexPage;
    m_pages[ServicePage] = m_servicePage;
    m_pages[UsbPage] = m_usbPage;
    m_pages[MiscPage] = new CMiscPage(m_context, this);
    m_pages[ManufacturerPage] = new CManufacturerPage(m_context, this);
    for (int index = 0; index < PageCount; ++index) {
        m_pages[index]->setObjectName(QLatin1String(PageNames[index]));
        m_pages[index]->hide();
    }

    m_pageTabs->setTabColour([this](int index) { return pageTabColour(index); });
    m_muxTabs->setTabColour([](int) { return RoyalBlue; });
    m_serviceTabs->setTabColour([](int) { return LimeGreen; });

    // The selection moves by mouse, arrow keys or wheel; whichever moved it,
    // the page follows. SwitchPage selects tabs itself with signals blocked.
    connect(m_pageTabs, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0)
            SwitchPage(index);
    });
    connect(m_muxTabs, &QTabBar::currentChanged, this, [this](int index) {
        if (index < 0)
            return;
        CurrentMux = index;
        SwitchPage(CurrentPage);
    });
    connect(m_serviceTabs, &QTabBar::currentChanged, this, [this](int index) {
        if (index < 0)
            return;
        CurrentService = index;
        SwitchPage(CurrentPage);
    });

    m_sync.ProgramFolder = startup.ProgramFolder;
    hide();
}

void CSetting::setDisplayScale(double displayRatio, double displayScale)
{
    m_displayRatio = displayRatio;
    m_displayScale = displayScale;
}

QColor CSetting::pageTabColour(int index) const
{
    switch (index) {
    case MultiplexPage:
        return RoyalBlue;
    case ServicePage:
        return LimeGreen;
    case UsbPage:
        return m_model.CapabilityUsb ? LimeGreen : Grey;
    case MiscPage:
        return Orange;
    default:
        return DarkRed;
    }
}

int CSetting::FrameHeight() const
{
    return DialogUnits(*this).y(FrameHeightUnits);
}

void CSetting::BuildPanel()
{
    const DialogUnits units(*this);
    resize(units.x(3 + FrameWidthUnits + 2), FrameHeight());

    // The first tab added selects itself; the pages are not built yet.
    const QSignalBlocker quiet(m_pageTabs);
    while (m_pageTabs->count() > 0)
        m_pageTabs->removeTab(0);
    const QString labels[] = {GetText(TXT_TAB_MULTIPLEX), GetText(TXT_TAB_SERVICE), QStringLiteral("USB (M1A)"),
                              GetText(TXT_TAB_MISC), QStringLiteral("MANUFACTURER")};
    for (const QString &label : labels)
        m_pageTabs->addTab(label);
    const QRect tabArea = units.rect(4, 3, 519, 15);
    m_pageTabs->setGeometry(tabArea);
    m_pageTabs->setMinimumTabWidth((tabArea.width() - 5) / m_pageTabs->count());

    // Every page group sits at the same origin just below the page tabs.
    const QPoint origin(int(2 * m_displayScale), int(33 * m_displayRatio));
    for (SettingsPage *page : m_pages) {
        page->setGeometry(QRect(origin, QSize(units.x(520), FrameHeight() - origin.y())));
        page->BuildPage();
    }
}

bool CSetting::pageHasContent(int index) const
{
    switch (index) {
    case UsbPage:
        return m_model.CapabilityUsb != 0;
    case ManufacturerPage:
        return m_startup.AdvancedMode || m_startup.ManufacturerMode;
    default:
        return true;
    }
}

void CSetting::SwitchPage(int page)
{
    m_model.Filling = 1;
    const QSignalBlocker pageTabsQuiet(m_pageTabs);
    const QSignalBlocker muxTabsQuiet(m_muxTabs);
    const QSignalBlocker serviceTabsQuiet(m_serviceTabs);
    if (page != CurrentPage) {
        m_pageTabs->setCurrentIndex(page);
        CurrentPage = page;
        for (int index = 0; index < PageCount; ++index)
            m_pages[index]->ShowPage(index == page && pageHasContent(index));
    }
    m_muxTabs->setCurrentIndex(CurrentMux);
    m_serviceTabs->setCurrentIndex(CurrentService);
    if (CurrentPage >= 0 && CurrentPage < PageCount)
        m_pages[CurrentPage]->FillPage();
    m_pageTabs->update();
    m_model.Filling = 0;
}

void CSetting::MarkChanged()
{
    m_model.CommitCountdown = CommitDelayTicks;
}

bool CSetting::ActivatePanel()
{
    CurrentPage = -1;
    CurrentService = 0;
    CurrentMux = 0;
    m_sync.Identity = m_xmit.Identity;
    const HardwareProfile profile = m_xmit.Identity.Profile();
    m_multiplexPage->RebuildIpProtocolList(profile);
    m_model.ApplyHardwareLimits(profile);
    m_sync.ForgetStatus(m_model.ServiceCount);
    // The bitrates, lamps and media lists shown are otherwise replaced only
    // by a successful poll: nothing of the previous device stays on show.
    UpdateBitrateDisplay();
    RefreshMediaStatus();
    m_usbPage->ClearDeviceClock();
    if (m_sync.ReadConfiguration()) {
        show();
        m_model.CommitCountdown = 0;
        m_model.StoreAsDefault = 0;
        m_sync.RebootAfterWrite = 0;
        m_panelTimer.start(100);
        PanelActive = true;
    }
    if (profile.SendsPanelCommand())
        m_xmit.Send(CMD_PANEL_3);
    m_sync.PendingMediaCommand = 0;
    SwitchPage(m_startup.ManufacturerMode ? ManufacturerPage : MultiplexPage);
    return PanelActive;
}

void CSetting::DeactivatePanel(bool linkLost)
{
    if (PanelActive) {
        if (!linkLost || m_model.CommitCountdown != 0) {
            m_model.CommitCountdown = 1;
            m_sync.PanelTimerTick(false);
        }
        m_panelTimer.stop();
        hide();
    }
    PanelActive = false;
}

void CSetting::UpdateServiceTabs()
{
    m_servicePage->UpdateServiceTabs();
}

void CSetting::UpdateBitrateDisplay()
{
    m_multiplexPage->UpdateBitrateDisplay();
}

void CSetting::onPanelTimer()
{
    m_sync.PanelTimerTick(true);
    if (PanelActive)
        m_panelTimer.start(200);
}

void CSetting::ConfigurationRead()
{
    m_usbPage->RefreshScheduleList();
    m_usbPage->ShowRecordFileNames();
}

void CSetting::RefreshMediaStatus()
{
    m_usbPage->RefreshMediaStatus();
}

void CSetting::ShowDeviceClock(const DeviceDateTime &clock)
{
    m_usbPage->ShowDeviceClock(clock);
}
