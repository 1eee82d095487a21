#include "panel/gui/multiplexpage.h"

#include "auxiliary/startupvalues.h"
#include "auxiliary/texttable.h"
#include "config/configsync.h"
#include "panel/gui/controlids.h"
#include "panel/gui/controlvalues.h"
#include "panel/gui/ownerdrawntabbar.h"
#include "panel/gui/pagecontrols.h"
#include "panel/multiplexrules.h"
#include "panel/pagecontext.h"
#include "panel/pagefields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include <functional>

namespace {

// The level slider commits when the mouse lets it go, whether the handle
// was dragged or the groove clicked; keys move it without committing.
class LevelSlider : public QSlider
{
public:
    explicit LevelSlider(std::function<void()> released) : QSlider(Qt::Horizontal), m_released(std::move(released))
    {
    }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QSlider::mouseReleaseEvent(event);
        m_released();
    }

private:
    std::function<void()> m_released;
};

// The small picture beside the level slider: a wedge growing to the right,
// the output level falling as the attenuation grows.
QPixmap LevelAttImage(QSize size)
{
    QPixmap image(size);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(65, 105, 225));
    const QPointF wedge[] = {QPointF(0, size.height() - 1), QPointF(size.width() - 1, 0),
                             QPointF(size.width() - 1, size.height() - 1)};
    painter.drawPolygon(wedge, 3);
    return image;
}

// Checks one radio button of the group, or none for a mode without one.
void CheckOnly(const QList<QRadioButton *> &radios, QRadioButton *checked)
{
    for (QRadioButton *radio : radios) {
        // An automatic group keeps its checked button otherwise.
        radio->setAutoExclusive(false);
        radio->setChecked(radio == checked);
        radio->setAutoExclusive(true);
    }
}

constexpr int Edits[] = {IDC_MUX_DEVICE_IP, IDC_MUX_DEVICE_MASK, IDC_MUX_DEVICE_GATEWAY, IDC_MUX_NIT_VERSION,
                         IDC_MUX_NETWORK_NAME, IDC_MUX_NETWORK_ID, IDC_MUX_ORIGINAL_NETWORK_ID, IDC_MUX_TSID,
                         IDC_MUX_FREQUENCY, IDC_MUX_SYMBOL_RATE, IDC_MUX_IP_ADDRESS, IDC_MUX_IP_PORT, IDC_MUX_TTL};
constexpr int Lists[] = {IDC_MUX_BANDWIDTH, IDC_MUX_DVBT_CONSTELLATION, IDC_MUX_DVBC_CONSTELLATION,
                         IDC_MUX_TX_MODE, IDC_MUX_CODE_RATE, IDC_MUX_GUARD, IDC_MUX_IP_PROTOCOL,
                         IDC_MUX_LCN_COUNTRY, IDC_MUX_LCN_ID_TYPE};

} // namespace

CMultiplexPage::CMultiplexPage(PageContext &context, QWidget *parent)
    : SettingsPage(parent), m_context(context), m_tabs(new OwnerDrawnTabBar(this))
{
}

CMultiplexPage::~CMultiplexPage() = default;

QLineEdit *CMultiplexPage::edit(int id) const
{
    return static_cast<QLineEdit *>(m_controls->byId(id));
}

QComboBox *CMultiplexPage::combo(int id) const
{
    return static_cast<QComboBox *>(m_controls->byId(id));
}

void CMultiplexPage::BuildMultiplexPage()
{
    m_controls = std::make_unique<PageControls>(*this, DialogUnits(*this));
    PageControls &c = *m_controls;

    // The device's own network address.
    c.check(IDC_MUX_DHCP, "dhcpCheck", QStringLiteral("DHCP"), 22, 12, 34);
    c.label(IDC_MUX_DEVICE_IP_LABEL, "deviceIpLabel", QStringLiteral("IP Address : "), 59, 1, 73);
    c.edit(IDC_MUX_DEVICE_IP, "deviceIpEdit", 59, 10, 73);
    c.label(IDC_MUX_DEVICE_MASK_LABEL, "deviceMaskLabel", QStringLiteral("Mask :"), 139, 1, 73);
    c.edit(IDC_MUX_DEVICE_MASK, "deviceMaskEdit", 139, 10, 73);
    c.label(IDC_MUX_DEVICE_GATEWAY_LABEL, "deviceGatewayLabel", QStringLiteral("Gateway :"), 219, 1, 73);
    c.edit(IDC_MUX_DEVICE_GATEWAY, "deviceGatewayEdit", 219, 10, 73);

    // The network.
    c.label(IDC_MUX_NETWORK_LABEL, "networkLabel", GetText(TXT_NETWORK_LABEL), 11, 39, 46);
    c.label(IDC_MUX_NIT_VERSION_LABEL, "nitVersionLabel", QStringLiteral("Vers. :"), 59, 28, 28);
    c.edit(IDC_MUX_NIT_VERSION, "nitVersionEdit", 59, 37, 19);
    c.label(IDC_MUX_NETWORK_NAME_LABEL, "networkNameLabel", GetText(TXT_NAME_LABEL), 88, 28, 84);
    c.edit(IDC_MUX_NETWORK_NAME, "networkNameEdit", 88, 37, 84);
    c.label(IDC_MUX_LCN_COUNTRY_LABEL, "lcnCountryLabel", QStringLiteral("LCN Country :"), 175, 28, 66);
    c.combo(IDC_MUX_LCN_COUNTRY, "lcnCountryList", 175, 36, 66, LcnCountryItems());
    c.label(IDC_MUX_NETWORK_ID_LABEL, "networkIdLabel", GetText(TXT_ID_LABEL), 244, 28, 38);
    c.edit(IDC_MUX_NETWORK_ID, "networkIdEdit", 244, 37, 35);
    c.label(IDC_MUX_ORIGINAL_NETWORK_ID_LABEL, "originalNetworkIdLabel", GetText(TXT_ORIGINAL_ID_LABEL), 283, 28,
            45);
    c.edit(IDC_MUX_ORIGINAL_NETWORK_ID, "originalNetworkIdEdit", 284, 37, 35);
    c.label(IDC_MUX_LCN_ID_TYPE_LABEL, "lcnIdTypeLabel", GetText(TXT_LCN_ID_LABEL), 329, 28, 57);
    c.combo(IDC_MUX_LCN_ID_TYPE, "lcnIdTypeList", 326, 36, 60, LcnIdTypeItems());

    c.place(IDC_PANEL_MUX_TABS, "muxTabs", m_tabs, 8, 53, 478, 15);

    // Output kind and modulation of the multiplex shown.
    c.radio(IDC_MUX_DVBT, "dvbTRadio", QStringLiteral("DVB-T"), 9, 72, 40);
    c.radio(IDC_MUX_DVBC, "dvbCRadio", QStringLiteral("DVB-C"), 50, 72, 40);
    c.radio(IDC_MUX_DVBS, "dvbSRadio", QStringLiteral("DVB-S"), 92, 72, 40);
    c.label(IDC_MUX_TSID_LABEL, "tsIdLabel", GetText(TXT_TSID_LABEL), 9, 89, 43);
    c.edit(IDC_MUX_TSID, "tsIdEdit", 9, 98, 40);
    c.label(IDC_MUX_FREQUENCY_LABEL, "frequencyLabel", GetText(TXT_FREQ_LABEL), 53, 89, 45);
    c.edit(IDC_MUX_FREQUENCY, "frequencyEdit", 53, 98, 40);
    c.label(IDC_MUX_BANDWIDTH_LABEL, "bandwidthLabel", GetText(TXT_BANDWIDTH_LABEL), 98, 89, 45);
    c.combo(IDC_MUX_BANDWIDTH, "bandwidthList", 98, 97, 43, BandwidthItems());
    c.label(IDC_MUX_CONSTELLATION_LABEL, "constellationLabel", GetText(TXT_CONST_LABEL), 144, 89, 52);
    c.combo(IDC_MUX_DVBT_CONSTELLATION, "dvbTConstellationList", 144, 97, 50, DvbTConstellationItems());
    c.combo(IDC_MUX_DVBC_CONSTELLATION, "dvbCConstellationList", 144, 97, 50, DvbCConstellationItems());
    c.label(IDC_MUX_SYMBOL_RATE_LABEL, "symbolRateLabel", GetText(TXT_SYM_RATE_LABEL), 198, 89, 45);
    c.edit(IDC_MUX_SYMBOL_RATE, "symbolRateEdit", 198, 98, 40);
    c.label(IDC_MUX_TX_MODE_LABEL, "txModeLabel", GetText(TXT_MODE_LABEL), 244, 89, 33);
    c.combo(IDC_MUX_TX_MODE, "txModeList", 244, 97, 31, TxModeItems());
    c.label(IDC_MUX_CODE_RATE_LABEL, "codeRateLabel", GetText(TXT_FEC_LABEL), 278, 89, 33);
    c.combo(IDC_MUX_CODE_RATE, "codeRateList", 278, 97, 31, CodeRateItems());
    c.label(IDC_MUX_GUARD_LABEL, "guardLabel", GetText(TXT_GUARD_LABEL), 312, 89, 58);
    c.combo(IDC_MUX_GUARD, "guardList", 312, 97, 40, GuardIntervalItems());
    c.label(IDC_MUX_LEVEL_LABEL, "levelLabel", GetText(TXT_LEVEL_ATT_LABEL), 373, 89, 80);
    auto *levelImage = c.place(IDC_MUX_LEVEL_IMAGE, "levelImage", new QLabel, 373, 100, 14, 8);
    levelImage->setPixmap(LevelAttImage(levelImage->size()));
    auto *slider = c.place(IDC_MUX_LEVEL, "levelSlider", new LevelSlider([this] { CommitMultiplexPage(); }), 389,
                           98, 76, 13);
    slider->setTickInterval(5);
    slider->setTickPosition(QSlider::TicksBelow);
    c.label(IDC_MUX_LEVEL_TEXT, "levelText", QString(), 469, 100, 20);

    // The IP output, and the bitrate in use.
    c.radio(IDC_MUX_IP, "ipRadio", QStringLiteral("IP"), 9, 122, 36);
    c.label(IDC_MUX_IP_LABEL, "ipLabel", QStringLiteral("IP :"), 9, 123, 36);
    c.combo(IDC_MUX_IP_PROTOCOL, "ipProtocolList", 10, 133, 36);
    c.label(IDC_MUX_IP_ADDRESS_LABEL, "ipAddressLabel", GetText(TXT_ADDRESS_LABEL), 49, 124, 116);
    c.edit(IDC_MUX_IP_ADDRESS, "ipAddressEdit", 49, 133, 116);
    c.label(IDC_MUX_IP_PORT_LABEL, "ipPortLabel", GetText(TXT_PORT_LABEL), 169, 124, 46);
    c.edit(IDC_MUX_IP_PORT, "ipPortEdit", 169, 133, 42);
    c.label(IDC_MUX_TTL_LABEL, "ttlLabel", QStringLiteral("TTL :"), 217, 124, 30);
    c.edit(IDC_MUX_TTL, "ttlEdit", 217, 133, 22);
    c.label(IDC_MUX_BITRATE_TEXT, "bitrateText", QString(), 269, 135, 78)->setAlignment(Qt::AlignCenter);
    auto *bar = c.place(IDC_MUX_BITRATE_BAR, "bitrateBar", new QProgressBar, 352, 135, 136, 8);
    bar->setTextVisible(false);

    // Every edit of a control reads the whole page; what the panel itself
    // puts into the controls commits nothing.
    for (int id : Edits)
        connect(edit(id), &QLineEdit::textEdited, this, &CMultiplexPage::CommitMultiplexPage);
    for (int id : Lists)
        connect(combo(id), &QComboBox::activated, this, &CMultiplexPage::CommitMultiplexPage);
    connect(static_cast<QCheckBox *>(c.byId(IDC_MUX_DHCP)), &QCheckBox::clicked, this,
            &CMultiplexPage::CommitMultiplexPage);
    const std::pair<int, int> radios[] = {
        {IDC_MUX_IP, OutputIp}, {IDC_MUX_DVBT, OutputDvbT}, {IDC_MUX_DVBC, OutputDvbC}, {IDC_MUX_DVBS, OutputDvbS}};
    for (const auto &[id, mode] : radios)
        connect(static_cast<QRadioButton *>(c.byId(id)), &QRadioButton::clicked, this,
                [this, mode] { ChooseOutputMode(mode); });
}

void CMultiplexPage::RebuildIpProtocolList(const HardwareProfile &profile)
{
    QComboBox *protocols = combo(IDC_MUX_IP_PROTOCOL);
    protocols->clear();
    protocols->addItems(IpProtocolItems(profile));
}

void CMultiplexPage::ShowMultiplexPage(bool visible)
{
    const HardwareProfile profile = m_context.Profile();
    const ConfigModel &model = m_context.Model;
    m_shown = visible;
    static_cast<QSlider *>(m_controls->byId(IDC_MUX_LEVEL))->setRange(0, profile.LevelAttMaxDb());

    OwnerDrawnTabBar *tabs = m_tabs;
    {
        const QSignalBlocker quiet(tabs);
        while (tabs->count() > 0)
            tabs->removeTab(0);
        for (int mux = 0; mux < model.UsedMuxes(); ++mux)
            tabs->addTab(MuxTabLabel(mux));
        if (tabs->count() > 0)
            tabs->setMinimumTabWidth((tabs->width() - 5) / tabs->count());
        tabs->setCurrentIndex(m_context.CurrentMux);
    }

    m_controls->setAllVisible(visible);
    const MultiplexVisibility shown = DecideMultiplexVisibility(profile, 0, visible);
    m_controls->setVisible(IDC_MUX_IP, shown.IpRadio);
    m_controls->setVisible(IDC_MUX_IP_LABEL, shown.IpLabel);
    m_controls->setVisible(IDC_MUX_BITRATE_TEXT, shown.Bitrate);
    m_controls->setVisible(IDC_MUX_BITRATE_BAR, shown.Bitrate);
    ShowConstellationOfMode(visible);
    setVisible(visible);
}

void CMultiplexPage::ShowConstellationOfMode(bool visible)
{
    const ConfigModel &model = m_context.Model;
    const int mode = model.Mux[BoundedIndex(m_context.CurrentMux, ConfigModel::MaxMuxes)].Mode;
    const MultiplexVisibility shown = DecideMultiplexVisibility(m_context.Profile(), mode, visible);
    m_controls->setVisible(IDC_MUX_DVBT_CONSTELLATION, shown.TConstellation);
    m_controls->setVisible(IDC_MUX_DVBC_CONSTELLATION, shown.CConstellation);
}

void CMultiplexPage::EnableMultiplexPage()
{
    const ConfigModel &model = m_context.Model;
    const StartupValues &startup = m_context.Startup;
    const MultiplexEnables enables = DecideMultiplexEnables(m_context.Profile(), model, m_context.CurrentMux,
                                                            startup.AdvancedMode || startup.ManufacturerMode);
    const PageControls &c = *m_controls;
    c.setEnabled(IDC_MUX_DHCP, enables.Dhcp);
    for (int id : {IDC_MUX_DEVICE_IP_LABEL, IDC_MUX_DEVICE_MASK_LABEL, IDC_MUX_DEVICE_GATEWAY_LABEL, IDC_MUX_DEVICE_IP,
                   IDC_MUX_DEVICE_MASK, IDC_MUX_DEVICE_GATEWAY})
        c.setEnabled(id, enables.DeviceAddress);
    c.setEnabled(IDC_MUX_DVBC, enables.DvbC);
    c.setEnabled(IDC_MUX_DVBT, enables.DvbT);
    c.setEnabled(IDC_MUX_DVBS, enables.DvbS);
    c.setEnabled(IDC_MUX_IP, enables.Ip);
    for (int id : {IDC_MUX_FREQUENCY_LABEL, IDC_MUX_FREQUENCY})
        c.setEnabled(id, enables.Frequency);
    for (int id : {IDC_MUX_BANDWIDTH_LABEL, IDC_MUX_BANDWIDTH, IDC_MUX_CONSTELLATION_LABEL})
        c.setEnabled(id, enables.Bandwidth);
    c.setEnabled(IDC_MUX_DVBT_CONSTELLATION, enables.TConstellation);
    c.setEnabled(IDC_MUX_DVBC_CONSTELLATION, enables.CConstellation);
    for (int id : {IDC_MUX_SYMBOL_RATE_LABEL, IDC_MUX_SYMBOL_RATE})
        c.setEnabled(id, enables.SymbolRate);
    for (int id : {IDC_MUX_CODE_RATE_LABEL, IDC_MUX_CODE_RATE})
        c.setEnabled(id, enables.CodeRate);
    for (int id : {IDC_MUX_TX_MODE_LABEL, IDC_MUX_TX_MODE, IDC_MUX_GUARD_LABEL, IDC_MUX_GUARD})
        c.setEnabled(id, enables.TxModeAndGuard);
    for (int id : {IDC_MUX_LEVEL_LABEL, IDC_MUX_LEVEL_TEXT, IDC_MUX_LEVEL})
        c.setEnabled(id, enables.Level);
    c.setEnabled(IDC_MUX_IP_PROTOCOL, enables.IpProtocol);
    for (int id : {IDC_MUX_IP_ADDRESS_LABEL, IDC_MUX_IP_ADDRESS, IDC_MUX_IP_PORT_LABEL, IDC_MUX_IP_PORT})
        c.setEnabled(id, enables.IpDestination);
    for (int id : {IDC_MUX_TTL_LABEL, IDC_MUX_TTL})
        c.setEnabled(id, enables.Ttl);
    for (int id : {IDC_MUX_LCN_COUNTRY_LABEL, IDC_MUX_LCN_COUNTRY})
        c.setEnabled(id, enables.LcnCountry);
    c.setEnabled(IDC_MUX_BITRATE_TEXT, true);
    c.setEnabled(IDC_MUX_BITRATE_BAR, true);

    // The network identifiers are hidden where the country's rules set them.
    for (int id : {IDC_MUX_NETWORK_ID_LABEL, IDC_MUX_NETWORK_ID, IDC_MUX_ORIGINAL_NETWORK_ID_LABEL,
                   IDC_MUX_ORIGINAL_NETWORK_ID})
        c.setVisible(id, m_shown && enables.NetworkIdsVisible);
    for (int id : {IDC_MUX_LCN_ID_TYPE_LABEL, IDC_MUX_LCN_ID_TYPE})
        c.setVisible(id, m_shown && enables.LcnIdTypeVisible);
    static_cast<QLabel *>(c.byId(IDC_MUX_LEVEL_TEXT))->setText(enables.LevelText);
}

void CMultiplexPage::FillMultiplexPage()
{
    const ConfigModel &model = m_context.Model;
    const int m = BoundedIndex(m_context.CurrentMux, ConfigModel::MaxMuxes);
    const MuxSettings &output = model.Mux[m];
    const ServiceSettings &ipOutput = model.Service[m];
    const PageControls &c = *m_controls;

    static_cast<QCheckBox *>(c.byId(IDC_MUX_DHCP))->setChecked(model.Dhcp != 0);
    SetFieldText(edit(IDC_MUX_DEVICE_IP), model.DeviceIp);
    SetFieldText(edit(IDC_MUX_DEVICE_MASK), model.DeviceMask);
    SetFieldText(edit(IDC_MUX_DEVICE_GATEWAY), model.DeviceGateway);
    SetFieldNumber(edit(IDC_MUX_NIT_VERSION), model.NitVersion);
    SetFieldText(edit(IDC_MUX_NETWORK_NAME), model.NetworkName);
    SetFieldNumber(edit(IDC_MUX_NETWORK_ID), model.NetworkId);
    SetFieldNumber(edit(IDC_MUX_ORIGINAL_NETWORK_ID), model.OriginalNetworkId);
    SelectItem(combo(IDC_MUX_LCN_ID_TYPE), model.LcnIdType);
    SelectItem(combo(IDC_MUX_LCN_COUNTRY), model.LcnCountry);

    const QList<QRadioButton *> radios{static_cast<QRadioButton *>(c.byId(IDC_MUX_IP)),
                                       static_cast<QRadioButton *>(c.byId(IDC_MUX_DVBT)),
                                       static_cast<QRadioButton *>(c.byId(IDC_MUX_DVBC)),
                                       static_cast<QRadioButton *>(c.byId(IDC_MUX_DVBS))};
    CheckOnly(radios, output.Mode >= 0 && output.Mode < radios.size() ? radios[output.Mode] : nullptr);

    SetFieldNumber(edit(IDC_MUX_TSID), output.TsId);
    SetFieldNumber(edit(IDC_MUX_FREQUENCY), output.FreqKHz);
    SelectItem(combo(IDC_MUX_BANDWIDTH), output.Bandwidth);
    SelectItem(combo(IDC_MUX_DVBT_CONSTELLATION), output.TConstellation);
    SelectItem(combo(IDC_MUX_DVBC_CONSTELLATION), output.CConstellation);
    SetFieldNumber(edit(IDC_MUX_SYMBOL_RATE), output.SymbolRate);
    SelectItem(combo(IDC_MUX_TX_MODE), output.TxMode);
    SelectItem(combo(IDC_MUX_CODE_RATE), output.Fec);
    SelectItem(combo(IDC_MUX_GUARD), output.Guard);
    static_cast<QSlider *>(c.byId(IDC_MUX_LEVEL))->setValue(output.LevelAttDb);
    SelectItem(combo(IDC_MUX_IP_PROTOCOL), model.IpProtocol);
    SetFieldText(edit(IDC_MUX_IP_ADDRESS), ipOutput.IpAddress);
    SetFieldNumber(edit(IDC_MUX_IP_PORT), ipOutput.IpPort);
    SetFieldNumber(edit(IDC_MUX_TTL), model.Ttl);

    // Each multiplex shows the constellation list of its own output kind,
    // also after a switch between multiplex tabs.
    ShowConstellationOfMode(m_shown);
    EnableMultiplexPage();
}

MultiplexPageInput CMultiplexPage::ReadControls() const
{
    const PageControls &c = *m_controls;
    MultiplexPageInput input;
    input.Dhcp = static_cast<QCheckBox *>(c.byId(IDC_MUX_DHCP))->isChecked();
    input.DeviceIp = edit(IDC_MUX_DEVICE_IP)->text();
    input.DeviceMask = edit(IDC_MUX_DEVICE_MASK)->text();
    input.DeviceGateway = edit(IDC_MUX_DEVICE_GATEWAY)->text();
    input.NitVersion = edit(IDC_MUX_NIT_VERSION)->text();
    input.NetworkId = edit(IDC_MUX_NETWORK_ID)->text();
    input.OriginalNetworkId = edit(IDC_MUX_ORIGINAL_NETWORK_ID)->text();
    input.TsId = edit(IDC_MUX_TSID)->text();
    input.FreqKHz = edit(IDC_MUX_FREQUENCY)->text();
    input.SymbolRate = edit(IDC_MUX_SYMBOL_RATE)->text();
    input.IpPort = edit(IDC_MUX_IP_PORT)->text();
    input.Ttl = edit(IDC_MUX_TTL)->text();
    input.NetworkName = edit(IDC_MUX_NETWORK_NAME)->text();
    input.IpAddress = edit(IDC_MUX_IP_ADDRESS)->text();
    input.LcnIdType = combo(IDC_MUX_LCN_ID_TYPE)->currentIndex();
    input.LcnCountry = combo(IDC_MUX_LCN_COUNTRY)->currentIndex();
    input.Bandwidth = combo(IDC_MUX_BANDWIDTH)->currentIndex();
    input.TConstellation = combo(IDC_MUX_DVBT_CONSTELLATION)->currentIndex();
    input.CConstellation = combo(IDC_MUX_DVBC_CONSTELLATION)->currentIndex();
    input.TxMode = combo(IDC_MUX_TX_MODE)->currentIndex();
    input.Fec = combo(IDC_MUX_CODE_RATE)->currentIndex();
    input.Guard = combo(IDC_MUX_GUARD)->currentIndex();
    input.IpProtocol = combo(IDC_MUX_IP_PROTOCOL)->currentIndex();
    input.LevelAttDb = static_cast<QSlider *>(c.byId(IDC_MUX_LEVEL))->value();
    input.IpChecked = static_cast<QRadioButton *>(c.byId(IDC_MUX_IP))->isChecked();
    input.DvbTChecked = static_cast<QRadioButton *>(c.byId(IDC_MUX_DVBT))->isChecked();
    input.DvbCChecked = static_cast<QRadioButton *>(c.byId(IDC_MUX_DVBC))->isChecked();
    return input;
}

void CMultiplexPage::CommitMultiplexPage()
{
    ConfigModel &model = m_context.Model;
    if (model.Filling)
        return;
    CommitMultiplexInput(ReadControls(), model, m_context.CurrentMux, m_context.Profile());
    m_context.Edited();
    EnableMultiplexPage();
}

void CMultiplexPage::ChooseOutputMode(int mode)
{
    ConfigModel &model = m_context.Model;
    model.Mux[BoundedIndex(m_context.CurrentMux, ConfigModel::MaxMuxes)].Mode = mode;
    ShowMultiplexPage(true);
    EnableMultiplexPage();
    CommitMultiplexPage();
}

void CMultiplexPage::UpdateBitrateDisplay()
{
    const std::optional<BitrateDisplay> display = DecideBitrateDisplay(
        m_context.Profile(), m_context.Model.MuxCount, m_context.Sync.PolledStatus, m_context.CurrentMux);
    if (!display)
        return;
    OwnerDrawnTabBar *tabs = m_tabs;
    for (int mux = 0; mux < display->TabLabels.size() && mux < tabs->count(); ++mux)
        tabs->setTabText(mux, display->TabLabels[mux]);
    static_cast<QLabel *>(m_controls->byId(IDC_MUX_BITRATE_TEXT))->setText(display->Text);
    auto *bar = static_cast<QProgressBar *>(m_controls->byId(IDC_MUX_BITRATE_BAR));
    bar->setRange(0, display->Maximum);
    bar->setValue(display->Position);
}
