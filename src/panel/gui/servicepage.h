#pragma once

#include "panel/gui/settingspage.h"

#include <memory>

class OwnerDrawnTabBar;
struct PageContext;
class PageControls;
class QComboBox;
class QLineEdit;

// The SERVICE page: per service its identifiers, PIDs, codecs, inputs,
// bitrates and delay, its event texts and, on the first service, the HbbTV
// application table. Its tabs show the picture format each input receives.
class CServicePage : public SettingsPage
{
    Q_OBJECT

public:
    CServicePage(PageContext &context, QWidget *parent);
    ~CServicePage() override;

    void BuildPage() override { BuildServicePage(); }
    void ShowPage(bool visible) override { ShowServicePage(visible); }
    void FillPage() override { FillServicePage(); }

    // The service tabs, one per service of the hardware.
    OwnerDrawnTabBar *tabs() const { return m_tabs; }

    void BuildServicePage();
    void ShowServicePage(bool visible);
    void EnableServicePage();
    void FillServicePage();
    void CommitServicePage();
    // After every status poll: each tab names its service and the format
    // its input receives.
    void UpdateServiceTabs();
    // A channel of the channel list was chosen as the service's name.
    void ChooseChannel(int index);
    // An application table field was edited.
    void CommitAit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *edit(int id) const;
    QComboBox *combo(int id) const;

    PageContext &m_context;
    OwnerDrawnTabBar *m_tabs;
    std::unique_ptr<PageControls> m_controls;
};
