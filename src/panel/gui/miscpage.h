#pragma once

#include "panel/gui/pagecontrols.h"
#include "panel/gui/settingspage.h"

struct PageContext;
class QComboBox;

// The MISC. page: 4K mode, infrared remote frequency, PCM volume from HDMI,
// H.264 profile, VBR and strict CBR, and the EDID repair button.
class CMiscPage : public SettingsPage
{
    Q_OBJECT

public:
    CMiscPage(PageContext &context, QWidget *parent);

    void BuildPage() override { BuildMiscPage(); }
    void FillPage() override { FillMiscPage(); }

    void BuildMiscPage();
    void EnableMiscPage();
    void FillMiscPage();
    void CommitMiscPage();
    // A new 4K mode takes effect only after a reboot: the write that follows
    // is followed by CMD_REBOOT.
    void Choose4KMode();
    void RequestEdidRepair();

    const PageControls &controls() const { return m_controls; }

private:
    QComboBox *mode4K() const;

    PageContext &m_context;
    PageControls m_controls;
};
