#include "panel/gui/manufacturerpage.h"

#include "auxiliary/startupvalues.h"
#include "config/configfile.h"
#include "config/configsync.h"
#include "config/factorydefault.h"
#include "link/linkrequests.h"
#include "panel/deviceactions.h"
#include "panel/gui/controlids.h"
#include "panel/gui/controlvalues.h"
#include "panel/manufacturerpagerules.h"
#include "panel/pagecontext.h"
#include "panel/pagefields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int MacIds[6] = {IDC_MANUFACTURER_MAC_0, IDC_MANUFACTURER_MAC_1, IDC_MANUFACTURER_MAC_2,
                           IDC_MANUFACTURER_MAC_3, IDC_MANUFACTURER_MAC_4, IDC_MANUFACTURER_MAC_5};
constexpr int MacX[6] = {226, 240, 256, 270, 286, 300};
const char *const MacNames[6] = {"mac0", "mac1", "mac2", "mac3", "mac4", "mac5"};

constexpr int ActionRowY = 92;
constexpr int ActionHeight = 41;
constexpr int ActionWidth = 52;

} // namespace

CManufacturerPage::CManufacturerPage(PageContext &context, QWidget *parent)
    : SettingsPage(parent), m_context(context), m_controls(*this, DialogUnits(*parent))
{
}

void CManufacturerPage::BuildManufacturerPage()
{
    PageControls &c = m_controls;
    c.label(IDC_MANUFACTURER_REFERENCE_LABEL, "referenceLabel", QStringLiteral("Reference :"), 9, 1, 70);
    m_reference = c.edit(IDC_MANUFACTURER_REFERENCE, "reference", 9, 11, 70);
    c.label(IDC_MANUFACTURER_COUNTRY_LABEL, "defaultCountryLabel", QStringLiteral("Def. Country :"), 83, 1, 60);
    m_country = c.combo(IDC_MANUFACTURER_COUNTRY, "defaultCountry", 83, 11, 49, DefaultCountryItems());
    c.label(IDC_MANUFACTURER_HARDWARE_TYPE_LABEL, "hardwareTypeLabel", QStringLiteral("Harware Type :"), 226, 1,
            79);
    m_hardwareType = c.combo(IDC_MANUFACTURER_HARDWARE_TYPE, "hardwareType", 226, 11, 79, HardwareTypeItems());

    c.label(IDC_MANUFACTURER_LOGO_LABEL, "logoLabel", QStringLiteral("Logo :"), 9, 26, 70);
    m_logoList = c.combo(IDC_PANEL_LOGO_LIST, "logoList", 9, 36, 79,
                         LogoFileNames(m_context.Startup.ProgramFolder), true);
    // Typing a name chooses a logo file; it does not add one to the list.
    // The model keeps the choice for the next factory-default store and
    // saved file; it writes nothing by itself.
    m_logoList->setInsertPolicy(QComboBox::NoInsert);
    m_context.Model.ChosenLogoName = m_logoList->currentText();
    connect(m_logoList, &QComboBox::editTextChanged, this,
            [this](const QString &text) { m_context.Model.ChosenLogoName = text; });
    c.label(IDC_MANUFACTURER_MAC_LABEL, "macLabel", QStringLiteral("MAC Address  :"), 226, 26, 87);
    for (int i = 0; i < 6; ++i) {
        m_mac[i] = c.edit(MacIds[i], MacNames[i], MacX[i], 34, 13);
        m_mac[i]->setAlignment(Qt::AlignCenter);
        m_mac[i]->setTextMargins(0, 0, 0, 0);
        connect(m_mac[i], &QLineEdit::textEdited, this, &CManufacturerPage::CommitManufacturerPage);
    }

    m_hdcp = c.check(IDC_MANUFACTURER_HDCP, "hdcp", QStringLiteral("HDCP"), 9, 54, 36);
    c.place(IDC_MANUFACTURER_CAPABILITIES, "capabilities", new QGroupBox(QStringLiteral("Capabilities :")), 47,
            52, 154, 37);
    m_playRecUsb = c.check(IDC_MANUFACTURER_PLAY_REC_USB, "playRecUsb", QStringLiteral("Play/Rec USB"), 52, 67, 64);
    m_infrared = c.check(IDC_MANUFACTURER_INFRARED, "infrared", QStringLiteral("Infrared"), 118, 67, 43);
    m_capability4K = c.check(IDC_MANUFACTURER_4K, "capability4K", QStringLiteral("4K"), 163, 67, 34);
    buildActionButtons();

    connect(m_reference, &QLineEdit::textEdited, this, &CManufacturerPage::CommitManufacturerPage);
    connect(m_hardwareType, &QComboBox::activated, this, &CManufacturerPage::CommitManufacturerPage);
    connect(m_country, &QComboBox::activated, this, &CManufacturerPage::ChooseDefaultCountry);
    for (QCheckBox *box : {m_hdcp, m_playRecUsb, m_infrared, m_capability4K})
        connect(box, &QCheckBox::clicked, this, &CManufacturerPage::CommitManufacturerPage);
}

void CManufacturerPage::buildActionButtons()
{
    struct Action
    {
        int id;
        const char *name;
        const char *caption;
        int x;
        int width;
        void (CManufacturerPage::*run)();
    };
    const Action actions[] = {
        {IDC_MANUFACTURER_SAVE, "saveButton", "SAVE", 8, ActionWidth, &CManufacturerPage::SaveConfiguration},
        {IDC_MANUFACTURER_LOAD, "loadButton", "LOAD", 63, ActionWidth, &CManufacturerPage::LoadConfiguration},
        {IDC_MANUFACTURER_FACTORY_DEFAULT, "factoryDefaultButton", "SET FACTORY DEFAULT", 117, 85,
         &CManufacturerPage::SetFactoryDefault},
        {IDC_MANUFACTURER_CLOCK_SET, "clockSetButton", "Clock Set", 223, ActionWidth,
         &CManufacturerPage::SetClock},
        {IDC_MANUFACTURER_FIRMWARE_RELOAD, "firmwareReloadButton", "Firm. Reload", 278, ActionWidth,
         &CManufacturerPage::ReloadFirmware},
        {IDC_MANUFACTURER_RESET, "resetButton", "Reset", 333, ActionWidth, &CManufacturerPage::Reset},
        {IDC_MANUFACTURER_SNAPSHOT, "snapshotButton", "Snapshot", 388, ActionWidth,
         &CManufacturerPage::TakeSnapshot},
    };
    for (const Action &action : actions) {
        QPushButton *button = m_controls.button(action.id, action.name, QLatin1String(action.caption), action.x,
                                                ActionRowY, action.width, ActionHeight);
        connect(button, &QPushButton::clicked, this, action.run);
    }
}

void CManufacturerPage::ShowManufacturerPage(bool visible)
{
    setVisible(visible);
    m_controls.setVisible(IDC_MANUFACTURER_SNAPSHOT,
                          SnapshotButtonShown(m_context.Profile(), visible));
}

void CManufacturerPage::EnableManufacturerPage()
{
    const StartupValues &startup = m_context.Startup;
    const ManufacturerPageEnables enables = ManufacturerPageEnablesFor(
        m_context.Profile(), startup.AdvancedMode != 0, startup.ManufacturerMode != 0);
    for (int id : {IDC_MANUFACTURER_LOAD, IDC_MANUFACTURER_SAVE, IDC_MANUFACTURER_FIRMWARE_RELOAD,
                   IDC_MANUFACTURER_LOGO_LABEL, IDC_MANUFACTURER_CLOCK_SET, IDC_MANUFACTURER_RESET,
                   IDC_MANUFACTURER_SNAPSHOT})
        m_controls.setEnabled(id, enables.Actions);
    m_controls.setEnabled(IDC_PANEL_LOGO_LIST, enables.LogoList);
    m_controls.setEnabled(IDC_MANUFACTURER_HARDWARE_TYPE_LABEL, enables.HardwareType);
    m_controls.setEnabled(IDC_MANUFACTURER_HARDWARE_TYPE, enables.HardwareType);
    m_controls.setEnabled(IDC_MANUFACTURER_MAC_LABEL, enables.Mac);
    for (int id : MacIds)
        m_controls.setEnabled(id, enables.Mac);
    m_controls.setEnabled(IDC_MANUFACTURER_PLAY_REC_USB, enables.PlayRecUsb);
    m_controls.setEnabled(IDC_MANUFACTURER_HDCP, enables.Hdcp);
    m_controls.setEnabled(IDC_MANUFACTURER_INFRARED, enables.Infrared);
    m_controls.setEnabled(IDC_MANUFACTURER_4K, enables.Capability4K);
}

void CManufacturerPage::FillManufacturerPage()
{
    const ConfigModel &model = m_context.Model;
    m_logoList->setEditText(model.LogoName);
    SetFieldText(m_reference, model.Reference);
    SelectItem(m_country, model.DefaultCountry);
    SelectItem(m_hardwareType, model.HardwareType);
    m_playRecUsb->setChecked(model.CapabilityUsb != 0);
    m_infrared->setChecked(model.CapabilityIr != 0);
    m_capability4K->setChecked(model.Capability4K != 0);
    m_hdcp->setChecked(model.Hdcp != 0);
    for (int i = 0; i < 6; ++i)
        SetFieldText(m_mac[i], MacByteText(model.Mac[i]));
    EnableManufacturerPage();
}

void CManufacturerPage::CommitManufacturerPage()
{
    ConfigModel &model = m_context.Model;
    if (model.Filling)
        return;
    const qint32 capabilityUsb = model.CapabilityUsb;
    model.Reference = CutToLength(m_reference->text(), ReferenceLength);
    model.DefaultCountry = SelectedOr(m_country->currentIndex(), model.DefaultCountry);
    model.HardwareType = SelectedOr(m_hardwareType->currentIndex(), model.HardwareType);
    model.CapabilityUsb = m_playRecUsb->isChecked() ? 1 : 0;
    model.CapabilityIr = m_infrared->isChecked() ? 1 : 0;
    model.Capability4K = m_capability4K->isChecked() ? 1 : 0;
    model.Hdcp = m_hdcp->isChecked() ? 1 : 0;
    for (int i = 0; i < 6; ++i)
        model.Mac[i] = MacByteFromText(m_mac[i]->text());
    m_context.Edited();
    EnableManufacturerPage();

    // The USB page shows or hides its content by the capability: it is
    // refilled for the new one on the way back to this page.
    if (model.CapabilityUsb != capabilityUsb)
        m_context.UsbCapabilityChanged();
}

void CManufacturerPage::ChooseDefaultCountry()
{
    CommitManufacturerPage();
    m_context.Model.CountryCopy = m_context.Model.DefaultCountry;
    CommitManufacturerPage();
}

void CManufacturerPage::SaveConfiguration()
{
    SaveConfigFile({m_context.Sync.Identity, m_context.Model, m_context.Strip(),
                    m_context.Startup.ProgramFolder});
}

void CManufacturerPage::LoadConfiguration()
{
    if (LoadConfigFile({m_context.Sync.Identity, m_context.Model, m_context.Strip(),
                        m_context.Startup.ProgramFolder}))
        m_context.ConfigurationLoaded();
}

void CManufacturerPage::SetFactoryDefault()
{
    RequestFactoryDefault(m_context.Model);
}

void CManufacturerPage::SetClock()
{
    SetClockFromComputer(m_context.Xmit);
}

void CManufacturerPage::ReloadFirmware()
{
    if (m_context.Requests)
        m_context.Requests->ForceReload = true;
}

void CManufacturerPage::Reset()
{
    ResetDevice(m_context.Xmit);
}

void CManufacturerPage::TakeSnapshot()
{
    ::TakeSnapshot(m_context.Xmit);
}
