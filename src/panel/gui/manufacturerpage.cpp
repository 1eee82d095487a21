#include "panel/gui/manufacturerpage.h"

#include "auxiliary/startupvalues.h"
#include "config/configfile.h"
#include "config/configsync.h"
#include "config/factorydefault.h"
#include "link/linkrequests.h"
#include "panel/deviceactions.h"
#include "panel/gui/controlids.h"
#include "panel/gui/controlvalues.h"
#include "panel/gui/fieldtable.h"
#include "panel/manufacturerpagerules.h"
#include "panel/pagecontext.h"
#include "panel/pagefields.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using M = ConfigModel;
using E = ManufacturerPageEnables;
using K = FieldKind;
using R = FieldRows<ManufacturerPageEnables>;

constexpr int MacIds[6] = {IDC_MANUFACTURER_MAC_0, IDC_MANUFACTURER_MAC_1, IDC_MANUFACTURER_MAC_2,
                           IDC_MANUFACTURER_MAC_3, IDC_MANUFACTURER_MAC_4, IDC_MANUFACTURER_MAC_5};

constexpr int ActionRowY = 92;
constexpr int ActionHeight = 41;
constexpr int ActionWidth = 52;

// The MAC bytes are read and shown in hexadecimal by the page itself; the
// logo list only chooses a file for the next factory-default store.
const R::Row Fields[] = {
    R::Label(IDC_MANUFACTURER_REFERENCE_LABEL, "referenceLabel", 9, 1, 70, "Reference :"),
    R::Edit(IDC_MANUFACTURER_REFERENCE, "reference", 9, 11, 70,
            {.Text = &M::Reference}),
    R::Label(IDC_MANUFACTURER_COUNTRY_LABEL, "defaultCountryLabel", 83, 1, 60, "Def. Country :"),
    // The country is kept twice: ChooseDefaultCountry.
    R::List(IDC_MANUFACTURER_COUNTRY, "defaultCountry", 83, 11, 49, DefaultCountryItems,
            {.Number = &M::DefaultCountry}, nullptr, nullptr, -1, true),
    R::Label(IDC_MANUFACTURER_HARDWARE_TYPE_LABEL, "hardwareTypeLabel", 226, 1, 79, "Harware Type :",
             &E::HardwareType),
    R::List(IDC_MANUFACTURER_HARDWARE_TYPE, "hardwareType", 226, 11, 79, HardwareTypeItems,
            {.Number = &M::HardwareType}, &E::HardwareType),

    R::Label(IDC_MANUFACTURER_LOGO_LABEL, "logoLabel", 9, 26, 70, "Logo :", &E::Actions),
    R::EditableList(IDC_PANEL_LOGO_LIST, "logoList", 9, 36, 79, {}, &E::LogoList),
    R::Label(IDC_MANUFACTURER_MAC_LABEL, "macLabel", 226, 26, 87, "MAC Address  :", &E::Mac),
    R::Edit(MacIds[0], "mac0", 226, 34, 13, {}, &E::Mac),
    R::Edit(MacIds[1], "mac1", 240, 34, 13, {}, &E::Mac),
    R::Edit(MacIds[2], "mac2", 256, 34, 13, {}, &E::Mac),
    R::Edit(MacIds[3], "mac3", 270, 34, 13, {}, &E::Mac),
    R::Edit(MacIds[4], "mac4", 286, 34, 13, {}, &E::Mac),
    R::Edit(MacIds[5], "mac5", 300, 34, 13, {}, &E::Mac),

    R::Check(IDC_MANUFACTURER_HDCP, "hdcp", 9, 54, 36, "HDCP", {.Number = &M::Hdcp}, &E::Hdcp),
    R::Placed(IDC_MANUFACTURER_CAPABILITIES, "capabilities", K::Custom, 47, 52, 154, 37),
    R::Check(IDC_MANUFACTURER_PLAY_REC_USB, "playRecUsb", 52, 67, 64, "Play/Rec USB", {.Number = &M::CapabilityUsb},
             &E::PlayRecUsb),
    R::Check(IDC_MANUFACTURER_INFRARED, "infrared", 118, 67, 43, "Infrared", {.Number = &M::CapabilityIr},
             &E::Infrared),
    R::Check(IDC_MANUFACTURER_4K, "capability4K", 163, 67, 34, "4K", {.Number = &M::Capability4K},
             &E::Capability4K),

    R::Button(IDC_MANUFACTURER_SAVE, "saveButton", 8, ActionRowY, ActionWidth, ActionHeight, "SAVE", &E::Actions),
    R::Button(IDC_MANUFACTURER_LOAD, "loadButton", 63, ActionRowY, ActionWidth, ActionHeight, "LOAD", &E::Actions),
    R::Button(IDC_MANUFACTURER_FACTORY_DEFAULT, "factoryDefaultButton", 117, ActionRowY, 85, ActionHeight,
              "SET FACTORY DEFAULT"),
    R::Button(IDC_MANUFACTURER_CLOCK_SET, "clockSetButton", 223, ActionRowY, ActionWidth, ActionHeight, "Clock Set",
              &E::Actions),
    R::Button(IDC_MANUFACTURER_FIRMWARE_RELOAD, "firmwareReloadButton", 278, ActionRowY, ActionWidth, ActionHeight,
              "Firm. Reload", &E::Actions),
    R::Button(IDC_MANUFACTURER_RESET, "resetButton", 333, ActionRowY, ActionWidth, ActionHeight, "Reset",
              &E::Actions),
    R::Button(IDC_MANUFACTURER_SNAPSHOT, "snapshotButton", 388, ActionRowY, ActionWidth, ActionHeight, "Snapshot",
              &E::Actions),
};

} // namespace

CManufacturerPage::CManufacturerPage(PageContext &context, QWidget *parent)
    : SettingsPage(parent), m_context(context), m_controls(*this, DialogUnits(*parent))
{
}

void CManufacturerPage::BuildManufacturerPage()
{
    PageControls &c = m_controls;
    const std::function<void()> commit = [this] { CommitManufacturerPage(); };
    for (const FieldSpec &f : Fields) {
        if (!BuildField(c, f, commit) && f.Id == IDC_MANUFACTURER_CAPABILITIES)
            c.place(f.Id, f.Name, new QGroupBox(QStringLiteral("Capabilities :")), f.X, f.Y, f.Width, f.Height);
    }
    for (int id : MacIds) {
        auto *mac = static_cast<QLineEdit *>(c.byId(id));
        mac->setAlignment(Qt::AlignCenter);
        mac->setTextMargins(0, 0, 0, 0);
    }

    // Typing a name chooses a logo file; it does not add one to the list.
    // The model keeps the choice for the next factory-default store and
    // saved file; it writes nothing by itself.
    auto *logoList = static_cast<QComboBox *>(c.byId(IDC_PANEL_LOGO_LIST));
    logoList->addItems(LogoFileNames(m_context.Startup.ProgramFolder));
    logoList->setInsertPolicy(QComboBox::NoInsert);
    m_context.Model.ChosenLogoName = logoList->currentText();
    connect(logoList, &QComboBox::editTextChanged, this,
            [this](const QString &text) { m_context.Model.ChosenLogoName = text; });
    connect(static_cast<QComboBox *>(c.byId(IDC_MANUFACTURER_COUNTRY)), &QComboBox::activated, this,
            &CManufacturerPage::ChooseDefaultCountry);

    const std::pair<int, void (CManufacturerPage::*)()> actions[] = {
        {IDC_MANUFACTURER_SAVE, &CManufacturerPage::SaveConfiguration},
        {IDC_MANUFACTURER_LOAD, &CManufacturerPage::LoadConfiguration},
        {IDC_MANUFACTURER_FACTORY_DEFAULT, &CManufacturerPage::SetFactoryDefault},
        {IDC_MANUFACTURER_CLOCK_SET, &CManufacturerPage::SetClock},
        {IDC_MANUFACTURER_FIRMWARE_RELOAD, &CManufacturerPage::ReloadFirmware},
        {IDC_MANUFACTURER_RESET, &CManufacturerPage::Reset},
        {IDC_MANUFACTURER_SNAPSHOT, &CManufacturerPage::TakeSnapshot},
    };
    for (const auto &[id, run] : actions)
        connect(static_cast<QPushButton *>(c.byId(id)), &QPushButton::clicked, this, run);
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
    EnableFields(m_controls, Fields,
                 ManufacturerPageEnablesFor(m_context.Profile(), startup.AdvancedMode != 0,
                                            startup.ManufacturerMode != 0));
}

void CManufacturerPage::FillManufacturerPage()
{
    const ConfigModel &model = m_context.Model;
    FillFields(m_controls, Fields, model, 0);
    static_cast<QComboBox *>(m_controls.byId(IDC_PANEL_LOGO_LIST))->setEditText(model.LogoName);
    for (int i = 0; i < 6; ++i)
        SetFieldText(static_cast<QLineEdit *>(m_controls.byId(MacIds[i])), MacByteText(model.Mac[i]));
    EnableManufacturerPage();
}

void CManufacturerPage::CommitManufacturerPage()
{
    ConfigModel &model = m_context.Model;
    if (model.Filling)
        return;
    const qint32 capabilityUsb = model.CapabilityUsb;
    StoreFields(m_controls, Fields, model, 0, m_context.Profile());
    for (int i = 0; i < 6; ++i)
        model.Mac[i] = MacByteFromText(static_cast<QLineEdit *>(m_controls.byId(MacIds[i]))->text());
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
