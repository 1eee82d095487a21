#pragma once

#include "panel/gui/pagecontrols.h"
#include "panel/gui/settingspage.h"

struct PageContext;

// The MANUFACTURER page: what is set once per unit (reference, default
// country, hardware type, logo, MAC address, capabilities) and the row of
// action buttons. Its content shows only in advanced or manufacturer mode.
class CManufacturerPage : public SettingsPage
{
    Q_OBJECT

public:
    CManufacturerPage(PageContext &context, QWidget *parent);

    void BuildPage() override { BuildManufacturerPage(); }
    void ShowPage(bool visible) override { ShowManufacturerPage(visible); }
    void FillPage() override { FillManufacturerPage(); }

    void BuildManufacturerPage();
    void ShowManufacturerPage(bool visible);
    void EnableManufacturerPage();
    void FillManufacturerPage();
    void CommitManufacturerPage();
    // The country is kept twice in the record; both follow the list.
    void ChooseDefaultCountry();

    const PageControls &controls() const { return m_controls; }

private:
    // The buttons' actions.
    void SaveConfiguration();
    void LoadConfiguration();
    void SetFactoryDefault();
    void SetClock();
    void ReloadFirmware();
    void Reset();
    void TakeSnapshot();

    PageContext &m_context;
    PageControls m_controls;
};
