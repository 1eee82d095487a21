#pragma once

#include "config/channellist.h"
#include "config/configmodel.h"
#include "config/configsync.h"
#include "gui/gatedtimer.h"
#include "panel/pagecontext.h"

#include <QWidget>

#include <array>

class CMultiplexPage;
class CServicePage;
class CUsbPage;
class CXmit;
class OwnerDrawnTabBar;
class SettingsPage;
class StatusStrip;
struct StartupValues;

// The settings panel above the status strip: five pages chosen by owner-drawn
// tabs, the configuration model they show, and the panel timer that keeps
// model and device in step while a device is linked. The pages reach it only
// through the PageContext it gives them; the synchronizer tells it what
// changed (PageRefresh) and it hands that on to the pages concerned.
class CSetting : public QWidget, private PageRefresh
{
    Q_OBJECT

public:
    enum Page { MultiplexPage, ServicePage, UsbPage, MiscPage, ManufacturerPage, PageCount };

    CSetting(CXmit &xmit, const StartupValues &startup, const ChannelList &channels, QWidget *parent = nullptr);

    // Layout scale measured by the main window before BuildPanel.
    void setDisplayScale(double displayRatio, double displayScale);
    void setStatusStrip(StatusStrip *strip) { m_sync.Strip = strip; }
    // Where the device actions leave a firmware reload or an EDID repair
    // for the connection supervisor.
    void setLinkRequests(LinkRequests *requests) { m_context.Requests = requests; }

    void BuildPanel();
    // Reads the linked device's configuration and, when that succeeds, shows
    // the panel and starts the panel timer. Returns whether it did.
    bool ActivatePanel();
    // Writes the model to the device once more when the panel is active,
    // then stops the timer and hides the panel. When the link is known to be
    // lost and no edit is pending there is nothing to save, and the final
    // write (which would wait out its time-outs) is skipped.
    void DeactivatePanel(bool linkLost = false);
    void SwitchPage(int page);
    // Every commit calls it: the model is written about 2 s after the last.
    void MarkChanged();
    // The height of the page area, which the main window gives the panel.
    int FrameHeight() const;

    ConfigModel &model() { return m_model; }
    ConfigSynchronizer &synchronizer() { return m_sync; }
    OwnerDrawnTabBar *pageTabs() const { return m_pageTabs; }
    OwnerDrawnTabBar *muxTabs() const { return m_muxTabs; }
    OwnerDrawnTabBar *serviceTabs() const { return m_serviceTabs; }
    SettingsPage *page(int index) const { return m_pages[index]; }

    int CurrentPage = -1;
    int CurrentMux = 0;
    int CurrentService = 0;
    bool PanelActive = false;

private:
    // What the synchronizer tells the pages.
    void UpdateServiceTabs() override;
    void UpdateBitrateDisplay() override;
    void ConfigurationRead() override;
    void RefreshMediaStatus() override;
    void ShowDeviceClock(const DeviceDateTime &clock) override;

    QColor pageTabColour(int index) const;
    bool pageHasContent(int index) const;
    void onPanelTimer();

    CXmit &m_xmit;
    const StartupValues &m_startup;
    ConfigModel m_model;
    ConfigSynchronizer m_sync;
    PageContext m_context;
    GatedTimer m_panelTimer;
    double m_displayRatio = 1.0;
    double m_displayScale = 1.0;
    OwnerDrawnTabBar *m_pageTabs;
    CMultiplexPage *m_multiplexPage;
    CServicePage *m_servicePage;
    CUsbPage *m_usbPage;
    // Owned by the MULTIPLEX and SERVICE pages.
    OwnerDrawnTabBar *m_muxTabs;
    OwnerDrawnTabBar *m_serviceTabs;
    std::array<SettingsPage *, PageCount> m_pages{};
};
