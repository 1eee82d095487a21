#pragma once

#include "config/channellist.h"
#include "config/configcodec.h"
#include "config/configmodel.h"
#include "config/configsync.h"
#include "gui/gatedtimer.h"

#include <QWidget>

#include <array>

class CManufacturerPage;
class CMultiplexPage;
class ConnectionSupervisor;
class CServicePage;
class CUsbPage;
class CXmit;
class OwnerDrawnTabBar;
class SettingsPage;
class StatusStrip;
struct StartupValues;

// The settings panel above the status strip: five pages chosen by owner-drawn
// tabs, the configuration model they show, and the panel timer that keeps
// model and device in step while a device is linked. The synchronizer tells
// it what changed (PageRefresh) and the codec reads and sets a few controls
// through it (CodecControls); it hands both on to the pages concerned.
class CSetting : public QWidget, private PageRefresh, private CodecControls
{
    Q_OBJECT

public:
    enum Page { MultiplexPage, ServicePage, UsbPage, MiscPage, ManufacturerPage, PageCount };

    CSetting(CXmit &xmit, const StartupValues &startup, QWidget *parent = nullptr);

    // Layout scale measured by the main window before BuildPanel.
    void setDisplayScale(double displayRatio, double displayScale);
    void setStatusStrip(StatusStrip *strip) { m_sync.Strip = strip; }
    // The supervisor the device actions ask for a firmware reload or an
    // EDID repair.
    void setSupervisor(ConnectionSupervisor *supervisor) { m_supervisor = supervisor; }

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

    // The text colour of the USB page's state labels.
    static QColor ControlTextColour(int controlId);
    // The height of the page area, which the main window gives the panel.
    int FrameHeight() const;

    ConfigModel &model() { return m_model; }
    ConfigSynchronizer &synchronizer() { return m_sync; }
    CXmit &xmit() const { return m_xmit; }
    OwnerDrawnTabBar *pageTabs() const { return m_pageTabs; }
    OwnerDrawnTabBar *muxTabs() const { return m_muxTabs; }
    OwnerDrawnTabBar *serviceTabs() const { return m_serviceTabs; }
    SettingsPage *page(int index) const { return m_pages[index]; }
    const StartupValues &startup() const { return m_startup; }
    // What the linked device's hardware implies for the pages.
    HardwareProfile profile() const { return m_sync.Identity.Profile(); }
    // The channels the SERVICE page offers as service names.
    const ChannelList &channelList() const;
    ConnectionSupervisor *supervisor() const { return m_supervisor; }
    StatusStrip *statusStrip() const { return m_sync.Strip; }
    // The codec's way to the controls that stand for model members.
    CodecControls &codecControls() { return *this; }

    int CurrentPage = -1;
    int CurrentMux = 0;
    int CurrentService = 0;
    bool PanelActive = false;

private:
    // What the synchronizer tells the pages.
    void UpdateServiceTabs() override;
    void UpdateBitrateDisplay() override;
    void RefreshScheduleList() override;
    void RefreshMediaStatus() override;
    void ShowDeviceClock(const DeviceDateTime &clock) override;
    // The codec's controls: the USB page's media file field and logo box,
    // the MANUFACTURER page's logo list.
    QString MediaFileText(const ConfigModel &model) const override;
    void SetMediaFileText(ConfigModel &model, const QString &text) override;
    QString OverlayLogoText(const ConfigModel &model) const override;
    void SetOverlayLogoText(ConfigModel &model, const QString &text) override;
    QString LogoListText(const ConfigModel &model) const override;

    QColor pageTabColour(int index) const;
    bool pageHasContent(int index) const;
    void onPanelTimer();

    CXmit &m_xmit;
    const StartupValues &m_startup;
    ConfigModel m_model;
    ConfigSynchronizer m_sync;
    ConnectionSupervisor *m_supervisor = nullptr;
    GatedTimer m_panelTimer;
    double m_displayRatio = 1.0;
    double m_displayScale = 1.0;
    OwnerDrawnTabBar *m_pageTabs;
    OwnerDrawnTabBar *m_muxTabs;
    OwnerDrawnTabBar *m_serviceTabs;
    std::array<SettingsPage *, PageCount> m_pages{};
    CMultiplexPage *m_multiplexPage;
    CServicePage *m_servicePage;
    CUsbPage *m_usbPage;
    CManufacturerPage *m_manufacturerPage;
};
