#include "panel/gui/multiplexpage.h"

#include "auxiliary/startupvalues.h"
#include "auxiliary/texttable.h"
#include "config/configsync.h"
#include "panel/gui/controlids.h"
#include "panel/gui/fieldtable.h"
#include "panel/gui/ownerdrawntabbar.h"
#include "panel/gui/pagecontrols.h"
#include "panel/multiplexrules.h"
#include "panel/pagecontext.h"
#include "panel/pagefields.h"

#include <QComboBox>
#include <QLabel>
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

using M = ConfigModel;
using X = MuxSettings;
using S = ServiceSettings;
using E = MultiplexEnables;
using K = FieldKind;
using R = FieldRows<MultiplexEnables>;

// In the order the page makes them, which is the keyboard's order.
const R::Row Fields[] = {
    // The device's own network address.
    R::Check(IDC_MUX_DHCP, "dhcpCheck", 22, 12, 34, "DHCP", {.Number = &M::Dhcp}, &E::Dhcp),
    R::Label(IDC_MUX_DEVICE_IP_LABEL, "deviceIpLabel", 59, 1, 73, "IP Address : ", &E::DeviceAddress),
    R::Edit(IDC_MUX_DEVICE_IP, "deviceIpEdit", 59, 10, 73, {.Text = &M::DeviceIp}, &E::DeviceAddress),
    R::Label(IDC_MUX_DEVICE_MASK_LABEL, "deviceMaskLabel", 139, 1, 73, "Mask :", &E::DeviceAddress),
    R::Edit(IDC_MUX_DEVICE_MASK, "deviceMaskEdit", 139, 10, 73, {.Text = &M::DeviceMask},
         &E::DeviceAddress),
    R::Label(IDC_MUX_DEVICE_GATEWAY_LABEL, "deviceGatewayLabel", 219, 1, 73, "Gateway :", &E::DeviceAddress),
    R::Edit(IDC_MUX_DEVICE_GATEWAY, "deviceGatewayEdit", 219, 10, 73, {.Text = &M::DeviceGateway},
         &E::DeviceAddress),

    // The network; its identifiers are hidden where the country's rules set them.
    R::Label(IDC_MUX_NETWORK_LABEL, "networkLabel", 11, 39, 46, TXT_NETWORK_LABEL),
    R::Label(IDC_MUX_NIT_VERSION_LABEL, "nitVersionLabel", 59, 28, 28, "Vers. :"),
    R::Edit(IDC_MUX_NIT_VERSION, "nitVersionEdit", 59, 37, 19, {.Number = &M::NitVersion}),
    R::Label(IDC_MUX_NETWORK_NAME_LABEL, "networkNameLabel", 88, 28, 84, TXT_NAME_LABEL),
    R::Edit(IDC_MUX_NETWORK_NAME, "networkNameEdit", 88, 37, 84, {.Text = &M::NetworkName}),
    R::Label(IDC_MUX_LCN_COUNTRY_LABEL, "lcnCountryLabel", 175, 28, 66, "LCN Country :", &E::LcnCountry),
    R::List(IDC_MUX_LCN_COUNTRY, "lcnCountryList", 175, 36, 66, LcnCountryItems, {.Number = &M::LcnCountry}, &E::LcnCountry),
    R::Label(IDC_MUX_NETWORK_ID_LABEL, "networkIdLabel", 244, 28, 38, TXT_ID_LABEL, nullptr, &E::NetworkIdsVisible),
    R::Edit(IDC_MUX_NETWORK_ID, "networkIdEdit", 244, 37, 35, {.Number = &M::NetworkId}, nullptr,
         &E::NetworkIdsVisible),
    R::Label(IDC_MUX_ORIGINAL_NETWORK_ID_LABEL, "originalNetworkIdLabel", 283, 28, 45, TXT_ORIGINAL_ID_LABEL, nullptr,
          &E::NetworkIdsVisible),
    R::Edit(IDC_MUX_ORIGINAL_NETWORK_ID, "originalNetworkIdEdit", 284, 37, 35, {.Number = &M::OriginalNetworkId}, nullptr, &E::NetworkIdsVisible),
    R::Label(IDC_MUX_LCN_ID_TYPE_LABEL, "lcnIdTypeLabel", 329, 28, 57, TXT_LCN_ID_LABEL, nullptr, &E::LcnIdTypeVisible),
    R::List(IDC_MUX_LCN_ID_TYPE, "lcnIdTypeList", 326, 36, 60, LcnIdTypeItems, {.Number = &M::LcnIdType},
         nullptr, &E::LcnIdTypeVisible),

    R::Placed(IDC_PANEL_MUX_TABS, "muxTabs", K::Custom, 8, 53, 478, 15),

    // Output kind and modulation of the multiplex shown.
    R::Radio(IDC_MUX_DVBT, "dvbTRadio", 9, 72, 40, "DVB-T", OutputDvbT, &E::DvbT),
    R::Radio(IDC_MUX_DVBC, "dvbCRadio", 50, 72, 40, "DVB-C", OutputDvbC, &E::DvbC),
    R::Radio(IDC_MUX_DVBS, "dvbSRadio", 92, 72, 40, "DVB-S", OutputDvbS, &E::DvbS),
    R::Label(IDC_MUX_TSID_LABEL, "tsIdLabel", 9, 89, 43, TXT_TSID_LABEL),
    R::Edit(IDC_MUX_TSID, "tsIdEdit", 9, 98, 40, {.MuxNumber = &X::TsId}),
    R::Label(IDC_MUX_FREQUENCY_LABEL, "frequencyLabel", 53, 89, 45, TXT_FREQ_LABEL, &E::Frequency),
    R::Edit(IDC_MUX_FREQUENCY, "frequencyEdit", 53, 98, 40, {.MuxNumber = &X::FreqKHz}, &E::Frequency),
    R::Label(IDC_MUX_BANDWIDTH_LABEL, "bandwidthLabel", 98, 89, 45, TXT_BANDWIDTH_LABEL, &E::Bandwidth),
    R::List(IDC_MUX_BANDWIDTH, "bandwidthList", 98, 97, 43, BandwidthItems, {.MuxNumber = &X::Bandwidth}, &E::Bandwidth),
    R::Label(IDC_MUX_CONSTELLATION_LABEL, "constellationLabel", 144, 89, 52, TXT_CONST_LABEL, &E::Bandwidth),
    R::List(IDC_MUX_DVBT_CONSTELLATION, "dvbTConstellationList", 144, 97, 50, DvbTConstellationItems,
         {.MuxNumber = &X::TConstellation}, &E::TConstellation),
    R::List(IDC_MUX_DVBC_CONSTELLATION, "dvbCConstellationList", 144, 97, 50, DvbCConstellationItems,
         {.MuxNumber = &X::CConstellation}, &E::CConstellation),
    R::Label(IDC_MUX_SYMBOL_RATE_LABEL, "symbolRateLabel", 198, 89, 45, TXT_SYM_RATE_LABEL, &E::SymbolRate),
    R::Edit(IDC_MUX_SYMBOL_RATE, "symbolRateEdit", 198, 98, 40, {.MuxNumber = &X::SymbolRate},
         &E::SymbolRate),
    R::Label(IDC_MUX_TX_MODE_LABEL, "txModeLabel", 244, 89, 33, TXT_MODE_LABEL, &E::TxModeAndGuard),
    R::List(IDC_MUX_TX_MODE, "txModeList", 244, 97, 31, TxModeItems, {.MuxNumber = &X::TxMode},
         &E::TxModeAndGuard),
    R::Label(IDC_MUX_CODE_RATE_LABEL, "codeRateLabel", 278, 89, 33, TXT_FEC_LABEL, &E::CodeRate),
    R::List(IDC_MUX_CODE_RATE, "codeRateList", 278, 97, 31, CodeRateItems, {.MuxNumber = &X::Fec},
         &E::CodeRate),
    R::Label(IDC_MUX_GUARD_LABEL, "guardLabel", 312, 89, 58, TXT_GUARD_LABEL, &E::TxModeAndGuard),
    R::List(IDC_MUX_GUARD, "guardList", 312, 97, 40, GuardIntervalItems, {.MuxNumber = &X::Guard},
         &E::TxModeAndGuard),
    R::Label(IDC_MUX_LEVEL_LABEL, "levelLabel", 373, 89, 80, TXT_LEVEL_ATT_LABEL, &E::Level),
    R::Placed(IDC_MUX_LEVEL_IMAGE, "levelImage", K::Custom, 373, 100, 14, 8),
    R::Placed(IDC_MUX_LEVEL, "levelSlider", K::Slider, 389, 98, 76, 13, {.MuxNumber = &X::LevelAttDb}, &E::Level),
    R::Label(IDC_MUX_LEVEL_TEXT, "levelText", 469, 100, 20, "", &E::Level),

    // The IP output, and the bitrate in use.
    R::Radio(IDC_MUX_IP, "ipRadio", 9, 122, 36, "IP", OutputIp, &E::Ip),
    R::Label(IDC_MUX_IP_LABEL, "ipLabel", 9, 123, 36, "IP :"),
    // Its items depend on the hardware: RebuildIpProtocolList.
    R::List(IDC_MUX_IP_PROTOCOL, "ipProtocolList", 10, 133, 36, nullptr, {.Number = &M::IpProtocol},
         &E::IpProtocol),
    R::Label(IDC_MUX_IP_ADDRESS_LABEL, "ipAddressLabel", 49, 124, 116, TXT_ADDRESS_LABEL, &E::IpDestination),
    R::Edit(IDC_MUX_IP_ADDRESS, "ipAddressEdit", 49, 133, 116, {.ServiceText = &S::IpAddress},
         &E::IpDestination),
    R::Label(IDC_MUX_IP_PORT_LABEL, "ipPortLabel", 169, 124, 46, TXT_PORT_LABEL, &E::IpDestination),
    R::Edit(IDC_MUX_IP_PORT, "ipPortEdit", 169, 133, 42, {.ServiceNumber = &S::IpPort}, &E::IpDestination),
    R::Label(IDC_MUX_TTL_LABEL, "ttlLabel", 217, 124, 30, "TTL :", &E::Ttl),
    R::Edit(IDC_MUX_TTL, "ttlEdit", 217, 133, 22, {.Number = &M::Ttl}, &E::Ttl),
    R::Label(IDC_MUX_BITRATE_TEXT, "bitrateText", 269, 135, 78, ""),
    R::Placed(IDC_MUX_BITRATE_BAR, "bitrateBar", K::Custom, 352, 135, 136, 8),
};

} // namespace

CMultiplexPage::CMultiplexPage(PageContext &context, QWidget *parent)
    : SettingsPage(parent), m_context(context), m_tabs(new OwnerDrawnTabBar(this))
{
}

CMultiplexPage::~CMultiplexPage() = default;

QComboBox *CMultiplexPage::combo(int id) const
{
    return static_cast<QComboBox *>(m_controls->byId(id));
}

void CMultiplexPage::BuildMultiplexPage()
{
    m_controls = std::make_unique<PageControls>(*this, DialogUnits(*this));
    PageControls &c = *m_controls;
    // Every edit of a control reads the whole page; what the panel itself
    // puts into the controls commits nothing.
    const std::function<void()> commit = [this] { CommitMultiplexPage(); };
    for (const FieldSpec &f : Fields) {
        if (QWidget *control = BuildField(c, f, commit)) {
            if (f.Kind == FieldKind::Radio)
                connect(static_cast<QRadioButton *>(control), &QRadioButton::clicked, this,
                        [this, mode = f.Tag] { ChooseOutputMode(mode); });
            continue;
        }
        switch (f.Id) {
        case IDC_PANEL_MUX_TABS:
            c.place(f.Id, f.Name, m_tabs, f.X, f.Y, f.Width, f.Height);
            break;
        case IDC_MUX_LEVEL_IMAGE: {
            auto *image = c.place(f.Id, f.Name, new QLabel, f.X, f.Y, f.Width, f.Height);
            image->setPixmap(LevelAttImage(image->size()));
            break;
        }
        case IDC_MUX_LEVEL: {
            auto *slider = c.place(f.Id, f.Name, new LevelSlider(commit), f.X, f.Y, f.Width, f.Height);
            slider->setTickInterval(5);
            slider->setTickPosition(QSlider::TicksBelow);
            break;
        }
        case IDC_MUX_BITRATE_BAR:
            c.place(f.Id, f.Name, new QProgressBar, f.X, f.Y, f.Width, f.Height)->setTextVisible(false);
            break;
        }
    }
    static_cast<QLabel *>(c.byId(IDC_MUX_BITRATE_TEXT))->setAlignment(Qt::AlignCenter);
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
    EnableFields(c, Fields, enables, m_shown);
    static_cast<QLabel *>(c.byId(IDC_MUX_LEVEL_TEXT))->setText(enables.LevelText);
}

void CMultiplexPage::FillMultiplexPage()
{
    const ConfigModel &model = m_context.Model;
    const int m = BoundedIndex(m_context.CurrentMux, ConfigModel::MaxMuxes);
    FillFields(*m_controls, Fields, model, m);
    QList<QRadioButton *> radios;
    QRadioButton *modeRadio = nullptr;
    for (const FieldSpec &f : Fields) {
        if (f.Kind != FieldKind::Radio)
            continue;
        radios << static_cast<QRadioButton *>(m_controls->byId(f.Id));
        if (f.Tag == model.Mux[m].Mode)
            modeRadio = radios.last();
    }
    CheckOnly(radios, modeRadio);

    // Each multiplex shows the constellation list of its own output kind,
    // also after a switch between multiplex tabs.
    ShowConstellationOfMode(m_shown);
    EnableMultiplexPage();
}

void CMultiplexPage::CommitMultiplexPage()
{
    ConfigModel &model = m_context.Model;
    if (model.Filling)
        return;
    const int m = BoundedIndex(m_context.CurrentMux, ConfigModel::MaxMuxes);
    StoreFields(*m_controls, Fields, model, m, m_context.Profile());
    const auto checked = [this](int id) { return static_cast<QRadioButton *>(m_controls->byId(id))->isChecked(); };
    model.Mux[m].Mode = ModeOfRadios(checked(IDC_MUX_IP), checked(IDC_MUX_DVBT), checked(IDC_MUX_DVBC));
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
