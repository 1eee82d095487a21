#pragma once

#include "panel/gui/settingspage.h"

#include <memory>

struct PageContext;
class HardwareProfile;
class OwnerDrawnTabBar;
class PageControls;
class QComboBox;

// The MULTIPLEX page: the device's own address, the network identifiers and
// LCN scheme, and per multiplex the output kind, the modulation and the IP
// output, with the bitrate in use on hardware that reports it.
class CMultiplexPage : public SettingsPage
{
    Q_OBJECT

public:
    CMultiplexPage(PageContext &context, QWidget *parent);
    ~CMultiplexPage() override;

    void BuildPage() override { BuildMultiplexPage(); }
    void ShowPage(bool visible) override { ShowMultiplexPage(visible); }
    void FillPage() override { FillMultiplexPage(); }

    // The multiplex tabs, one per multiplex of the hardware.
    OwnerDrawnTabBar *tabs() const { return m_tabs; }

    void BuildMultiplexPage();
    void ShowMultiplexPage(bool visible);
    void EnableMultiplexPage();
    void FillMultiplexPage();
    void CommitMultiplexPage();
    // After every status poll: the bitrate of each multiplex in its tab, and
    // of the multiplex shown in the text and the bar.
    void UpdateBitrateDisplay();
    // The protocols the linked hardware streams; rebuilt at every link.
    void RebuildIpProtocolList(const HardwareProfile &profile);

private:
    // An output-kind radio button was clicked.
    void ChooseOutputMode(int mode);
    void ShowConstellationOfMode(bool visible);
    QComboBox *combo(int id) const;

    PageContext &m_context;
    OwnerDrawnTabBar *m_tabs;
    std::unique_ptr<PageControls> m_controls;
    bool m_shown = false;
};
