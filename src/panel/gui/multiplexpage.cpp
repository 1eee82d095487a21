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

#include <QAbstractButton>
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

// What a control of the page is.
enum class FieldKind { Label, Edit, List, Check, Radio, MuxTabs, LevelImage, LevelSlider, BitrateBar };

// The model value a control shows: a member of the model, of the multiplex
// shown, or of the service record that holds that multiplex's IP output.
struct Binding
{
    qint32 ConfigModel::*Number = nullptr;
    QString ConfigModel::*Text = nullptr;
    qint32 MuxSettings::*MuxNumber = nullptr;
    qint32 ServiceSettings::*IpNumber = nullptr;
    QString ServiceSettings::*IpText = nullptr;
};

// Where the commit reads a control: its text, its selected item (or the
// slider's position), or its check state.
struct Reading
{
    QString MultiplexPageInput::*Text = nullptr;
    int MultiplexPageInput::*Index = nullptr;
    bool MultiplexPageInput::*Checked = nullptr;
};

// One control of the page, declared once: its identifier and object name,
// its kind, its place in dialog units, its caption or items, the model value
// it shows, where the commit reads it, and the decisions that enable and
// show it (none: it follows the page).
struct Field
{
    int Id;
    const char *Name;
    FieldKind Kind;
    int X;
    int Y;
    int Width;
    int Height = 0; // kinds without a usual height
    const char *Caption = nullptr;
    int TranslatedCaption = -1; // a TextId
    QStringList (*Items)() = nullptr;
    Binding Shows = {};
    Reading Reads = {};
    bool MultiplexEnables::*EnabledBy = nullptr;
    bool MultiplexEnables::*ShownBy = nullptr;
    int Mode = -1; // the output kind a radio button chooses
};

using M = ConfigModel;
using X = MuxSettings;
using S = ServiceSettings;
using I = MultiplexPageInput;
using E = MultiplexEnables;
using K = FieldKind;

// The rows of the table, kind by kind.
constexpr Field Label(int id, const char *name, int x, int y, int width, const char *caption,
                      bool E::*enabledBy = nullptr, bool E::*shownBy = nullptr)
{
    return {id, name, K::Label, x, y, width, 0, caption, -1, nullptr, {}, {}, enabledBy, shownBy};
}

constexpr Field Label(int id, const char *name, int x, int y, int width, TextId caption,
                      bool E::*enabledBy = nullptr, bool E::*shownBy = nullptr)
{
    return {id, name, K::Label, x, y, width, 0, nullptr, caption, nullptr, {}, {}, enabledBy, shownBy};
}

constexpr Field Edit(int id, const char *name, int x, int y, int width, Binding shows, QString I::*reads,
                     bool E::*enabledBy = nullptr, bool E::*shownBy = nullptr)
{
    return {id, name, K::Edit, x, y, width, 0, nullptr, -1, nullptr, shows, {.Text = reads}, enabledBy, shownBy};
}

constexpr Field List(int id, const char *name, int x, int y, int width, QStringList (*items)(), Binding shows,
                     int I::*reads, bool E::*enabledBy = nullptr, bool E::*shownBy = nullptr)
{
    return {id, name, K::List, x, y, width, 0, nullptr, -1, items, shows, {.Index = reads}, enabledBy, shownBy};
}

constexpr Field Radio(int id, const char *name, int x, int y, int width, const char *caption, int mode,
                      bool I::*reads, bool E::*enabledBy)
{
    return {id, name, K::Radio, x, y, width, 0, caption, -1, nullptr, {}, {.Checked = reads}, enabledBy, nullptr,
            mode};
}

constexpr Field Placed(int id, const char *name, FieldKind kind, int x, int y, int width, int height)
{
    return {id, name, kind, x, y, width, height};
}

// In the order the page makes them, which is the keyboard's order.
const Field Fields[] = {
    // The device's own network address.
    {IDC_MUX_DHCP, "dhcpCheck", K::Check, 22, 12, 34, 0, "DHCP", -1, nullptr, {.Number = &M::Dhcp},
     {.Checked = &I::Dhcp}, &E::Dhcp},
    Label(IDC_MUX_DEVICE_IP_LABEL, "deviceIpLabel", 59, 1, 73, "IP Address : ", &E::DeviceAddress),
    Edit(IDC_MUX_DEVICE_IP, "deviceIpEdit", 59, 10, 73, {.Text = &M::DeviceIp}, &I::DeviceIp, &E::DeviceAddress),
    Label(IDC_MUX_DEVICE_MASK_LABEL, "deviceMaskLabel", 139, 1, 73, "Mask :", &E::DeviceAddress),
    Edit(IDC_MUX_DEVICE_MASK, "deviceMaskEdit", 139, 10, 73, {.Text = &M::DeviceMask}, &I::DeviceMask,
         &E::DeviceAddress),
    Label(IDC_MUX_DEVICE_GATEWAY_LABEL, "deviceGatewayLabel", 219, 1, 73, "Gateway :", &E::DeviceAddress),
    Edit(IDC_MUX_DEVICE_GATEWAY, "deviceGatewayEdit", 219, 10, 73, {.Text = &M::DeviceGateway}, &I::DeviceGateway,
         &E::DeviceAddress),

    // The network; its identifiers are hidden where the country's rules set them.
    Label(IDC_MUX_NETWORK_LABEL, "networkLabel", 11, 39, 46, TXT_NETWORK_LABEL),
    Label(IDC_MUX_NIT_VERSION_LABEL, "nitVersionLabel", 59, 28, 28, "Vers. :"),
    Edit(IDC_MUX_NIT_VERSION, "nitVersionEdit", 59, 37, 19, {.Number = &M::NitVersion}, &I::NitVersion),
    Label(IDC_MUX_NETWORK_NAME_LABEL, "networkNameLabel", 88, 28, 84, TXT_NAME_LABEL),
    Edit(IDC_MUX_NETWORK_NAME, "networkNameEdit", 88, 37, 84, {.Text = &M::NetworkName}, &I::NetworkName),
    Label(IDC_MUX_LCN_COUNTRY_LABEL, "lcnCountryLabel", 175, 28, 66, "LCN Country :", &E::LcnCountry),
    List(IDC_MUX_LCN_COUNTRY, "lcnCountryList", 175, 36, 66, LcnCountryItems, {.Number = &M::LcnCountry},
         &I::LcnCountry, &E::LcnCountry),
    Label(IDC_MUX_NETWORK_ID_LABEL, "networkIdLabel", 244, 28, 38, TXT_ID_LABEL, nullptr, &E::NetworkIdsVisible),
    Edit(IDC_MUX_NETWORK_ID, "networkIdEdit", 244, 37, 35, {.Number = &M::NetworkId}, &I::NetworkId, nullptr,
         &E::NetworkIdsVisible),
    Label(IDC_MUX_ORIGINAL_NETWORK_ID_LABEL, "originalNetworkIdLabel", 283, 28, 45, TXT_ORIGINAL_ID_LABEL, nullptr,
          &E::NetworkIdsVisible),
    Edit(IDC_MUX_ORIGINAL_NETWORK_ID, "originalNetworkIdEdit", 284, 37, 35, {.Number = &M::OriginalNetworkId},
         &I::OriginalNetworkId, nullptr, &E::NetworkIdsVisible),
    Label(IDC_MUX_LCN_ID_TYPE_LABEL, "lcnIdTypeLabel", 329, 28, 57, TXT_LCN_ID_LABEL, nullptr, &E::LcnIdTypeVisible),
    List(IDC_MUX_LCN_ID_TYPE, "lcnIdTypeList", 326, 36, 60, LcnIdTypeItems, {.Number = &M::LcnIdType}, &I::LcnIdType,
         nullptr, &E::LcnIdTypeVisible),

    Placed(IDC_PANEL_MUX_TABS, "muxTabs", K::MuxTabs, 8, 53, 478, 15),

    // Output kind and modulation of the multiplex shown.
    Radio(IDC_MUX_DVBT, "dvbTRadio", 9, 72, 40, "DVB-T", OutputDvbT, &I::DvbTChecked, &E::DvbT),
    Radio(IDC_MUX_DVBC, "dvbCRadio", 50, 72, 40, "DVB-C", OutputDvbC, &I::DvbCChecked, &E::DvbC),
    Radio(IDC_MUX_DVBS, "dvbSRadio", 92, 72, 40, "DVB-S", OutputDvbS, nullptr, &E::DvbS),
    Label(IDC_MUX_TSID_LABEL, "tsIdLabel", 9, 89, 43, TXT_TSID_LABEL),
    Edit(IDC_MUX_TSID, "tsIdEdit", 9, 98, 40, {.MuxNumber = &X::TsId}, &I::TsId),
    Label(IDC_MUX_FREQUENCY_LABEL, "frequencyLabel", 53, 89, 45, TXT_FREQ_LABEL, &E::Frequency),
    Edit(IDC_MUX_FREQUENCY, "frequencyEdit", 53, 98, 40, {.MuxNumber = &X::FreqKHz}, &I::FreqKHz, &E::Frequency),
    Label(IDC_MUX_BANDWIDTH_LABEL, "bandwidthLabel", 98, 89, 45, TXT_BANDWIDTH_LABEL, &E::Bandwidth),
    List(IDC_MUX_BANDWIDTH, "bandwidthList", 98, 97, 43, BandwidthItems, {.MuxNumber = &X::Bandwidth},
         &I::Bandwidth, &E::Bandwidth),
    Label(IDC_MUX_CONSTELLATION_LABEL, "constellationLabel", 144, 89, 52, TXT_CONST_LABEL, &E::Bandwidth),
    List(IDC_MUX_DVBT_CONSTELLATION, "dvbTConstellationList", 144, 97, 50, DvbTConstellationItems,
         {.MuxNumber = &X::TConstellation}, &I::TConstellation, &E::TConstellation),
    List(IDC_MUX_DVBC_CONSTELLATION, "dvbCConstellationList", 144, 97, 50, DvbCConstellationItems,
         {.MuxNumber = &X::CConstellation}, &I::CConstellation, &E::CConstellation),
    Label(IDC_MUX_SYMBOL_RATE_LABEL, "symbolRateLabel", 198, 89, 45, TXT_SYM_RATE_LABEL, &E::SymbolRate),
    Edit(IDC_MUX_SYMBOL_RATE, "symbolRateEdit", 198, 98, 40, {.MuxNumber = &X::SymbolRate}, &I::SymbolRate,
         &E::SymbolRate),
    Label(IDC_MUX_TX_MODE_LABEL, "txModeLabel", 244, 89, 33, TXT_MODE_LABEL, &E::TxModeAndGuard),
    List(IDC_MUX_TX_MODE, "txModeList", 244, 97, 31, TxModeItems, {.MuxNumber = &X::TxMode}, &I::TxMode,
         &E::TxModeAndGuard),
    Label(IDC_MUX_CODE_RATE_LABEL, "codeRateLabel", 278, 89, 33, TXT_FEC_LABEL, &E::CodeRate),
    List(IDC_MUX_CODE_RATE, "codeRateList", 278, 97, 31, CodeRateItems, {.MuxNumber = &X::Fec}, &I::Fec,
         &E::CodeRate),
    Label(IDC_MUX_GUARD_LABEL, "guardLabel", 312, 89, 58, TXT_GUARD_LABEL, &E::TxModeAndGuard),
    List(IDC_MUX_GUARD, "guardList", 312, 97, 40, GuardIntervalItems, {.MuxNumber = &X::Guard}, &I::Guard,
         &E::TxModeAndGuard),
    Label(IDC_MUX_LEVEL_LABEL, "levelLabel", 373, 89, 80, TXT_LEVEL_ATT_LABEL, &E::Level),
    Placed(IDC_MUX_LEVEL_IMAGE, "levelImage", K::LevelImage, 373, 100, 14, 8),
    {IDC_MUX_LEVEL, "levelSlider", K::LevelSlider, 389, 98, 76, 13, nullptr, -1, nullptr,
     {.MuxNumber = &X::LevelAttDb}, {.Index = &I::LevelAttDb}, &E::Level},
    Label(IDC_MUX_LEVEL_TEXT, "levelText", 469, 100, 20, "", &E::Level),

    // The IP output, and the bitrate in use.
    Radio(IDC_MUX_IP, "ipRadio", 9, 122, 36, "IP", OutputIp, &I::IpChecked, &E::Ip),
    Label(IDC_MUX_IP_LABEL, "ipLabel", 9, 123, 36, "IP :"),
    // Its items depend on the hardware: RebuildIpProtocolList.
    List(IDC_MUX_IP_PROTOCOL, "ipProtocolList", 10, 133, 36, nullptr, {.Number = &M::IpProtocol}, &I::IpProtocol,
         &E::IpProtocol),
    Label(IDC_MUX_IP_ADDRESS_LABEL, "ipAddressLabel", 49, 124, 116, TXT_ADDRESS_LABEL, &E::IpDestination),
    Edit(IDC_MUX_IP_ADDRESS, "ipAddressEdit", 49, 133, 116, {.IpText = &S::IpAddress}, &I::IpAddress,
         &E::IpDestination),
    Label(IDC_MUX_IP_PORT_LABEL, "ipPortLabel", 169, 124, 46, TXT_PORT_LABEL, &E::IpDestination),
    Edit(IDC_MUX_IP_PORT, "ipPortEdit", 169, 133, 42, {.IpNumber = &S::IpPort}, &I::IpPort, &E::IpDestination),
    Label(IDC_MUX_TTL_LABEL, "ttlLabel", 217, 124, 30, "TTL :", &E::Ttl),
    Edit(IDC_MUX_TTL, "ttlEdit", 217, 133, 22, {.Number = &M::Ttl}, &I::Ttl, &E::Ttl),
    Label(IDC_MUX_BITRATE_TEXT, "bitrateText", 269, 135, 78, ""),
    Placed(IDC_MUX_BITRATE_BAR, "bitrateBar", K::BitrateBar, 352, 135, 136, 8),
};

QString CaptionOf(const Field &field)
{
    if (field.TranslatedCaption >= 0)
        return GetText(TextId(field.TranslatedCaption));
    return field.Caption ? QString::fromLatin1(field.Caption) : QString();
}

// The number a control shows, or none when it shows a text or nothing.
const qint32 *NumberShown(const Binding &shows, const ConfigModel &model, int mux)
{
    if (shows.Number)
        return &(model.*shows.Number);
    if (shows.MuxNumber)
        return &(model.Mux[mux].*shows.MuxNumber);
    if (shows.IpNumber)
        return &(model.Service[mux].*shows.IpNumber);
    return nullptr;
}

const QString *TextShown(const Binding &shows, const ConfigModel &model, int mux)
{
    if (shows.Text)
        return &(model.*shows.Text);
    if (shows.IpText)
        return &(model.Service[mux].*shows.IpText);
    return nullptr;
}

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
    const auto commit = &CMultiplexPage::CommitMultiplexPage;
    for (const Field &f : Fields) {
        switch (f.Kind) {
        case FieldKind::Label:
            c.label(f.Id, f.Name, CaptionOf(f), f.X, f.Y, f.Width);
            break;
        case FieldKind::Edit:
            connect(c.edit(f.Id, f.Name, f.X, f.Y, f.Width), &QLineEdit::textEdited, this, commit);
            break;
        case FieldKind::List:
            connect(c.combo(f.Id, f.Name, f.X, f.Y, f.Width, f.Items ? f.Items() : QStringList()),
                    &QComboBox::activated, this, commit);
            break;
        case FieldKind::Check:
            connect(c.check(f.Id, f.Name, CaptionOf(f), f.X, f.Y, f.Width), &QCheckBox::clicked, this, commit);
            break;
        case FieldKind::Radio:
            connect(c.radio(f.Id, f.Name, CaptionOf(f), f.X, f.Y, f.Width), &QRadioButton::clicked, this,
                    [this, mode = f.Mode] { ChooseOutputMode(mode); });
            break;
        case FieldKind::MuxTabs:
            c.place(f.Id, f.Name, m_tabs, f.X, f.Y, f.Width, f.Height);
            break;
        case FieldKind::LevelImage: {
            auto *image = c.place(f.Id, f.Name, new QLabel, f.X, f.Y, f.Width, f.Height);
            image->setPixmap(LevelAttImage(image->size()));
            break;
        }
        case FieldKind::LevelSlider: {
            auto *slider = c.place(f.Id, f.Name, new LevelSlider([this] { CommitMultiplexPage(); }), f.X, f.Y,
                                   f.Width, f.Height);
            slider->setTickInterval(5);
            slider->setTickPosition(QSlider::TicksBelow);
            break;
        }
        case FieldKind::BitrateBar:
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
    for (const Field &f : Fields) {
        if (f.EnabledBy)
            c.setEnabled(f.Id, enables.*f.EnabledBy);
        // Hidden, for instance, where the country's rules set the network identifiers.
        if (f.ShownBy)
            c.setVisible(f.Id, m_shown && enables.*f.ShownBy);
    }
    static_cast<QLabel *>(c.byId(IDC_MUX_LEVEL_TEXT))->setText(enables.LevelText);
}

void CMultiplexPage::FillMultiplexPage()
{
    const ConfigModel &model = m_context.Model;
    const int m = BoundedIndex(m_context.CurrentMux, ConfigModel::MaxMuxes);
    const PageControls &c = *m_controls;
    QList<QRadioButton *> radios;
    QRadioButton *modeRadio = nullptr;
    for (const Field &f : Fields) {
        QWidget *control = c.byId(f.Id);
        const qint32 *number = NumberShown(f.Shows, model, m);
        switch (f.Kind) {
        case FieldKind::Edit:
            if (number)
                SetFieldNumber(static_cast<QLineEdit *>(control), *number);
            else
                SetFieldText(static_cast<QLineEdit *>(control), *TextShown(f.Shows, model, m));
            break;
        case FieldKind::List:
            SelectItem(static_cast<QComboBox *>(control), *number);
            break;
        case FieldKind::Check:
            static_cast<QCheckBox *>(control)->setChecked(*number != 0);
            break;
        case FieldKind::LevelSlider:
            static_cast<QSlider *>(control)->setValue(*number);
            break;
        case FieldKind::Radio:
            radios << static_cast<QRadioButton *>(control);
            if (f.Mode == model.Mux[m].Mode)
                modeRadio = radios.last();
            break;
        default:
            break;
        }
    }
    CheckOnly(radios, modeRadio);

    // Each multiplex shows the constellation list of its own output kind,
    // also after a switch between multiplex tabs.
    ShowConstellationOfMode(m_shown);
    EnableMultiplexPage();
}

MultiplexPageInput CMultiplexPage::ReadControls() const
{
    MultiplexPageInput input;
    for (const Field &f : Fields) {
        QWidget *control = m_controls->byId(f.Id);
        if (f.Reads.Text)
            input.*f.Reads.Text = static_cast<QLineEdit *>(control)->text();
        else if (f.Reads.Index && f.Kind == FieldKind::LevelSlider)
            input.*f.Reads.Index = static_cast<QSlider *>(control)->value();
        else if (f.Reads.Index)
            input.*f.Reads.Index = static_cast<QComboBox *>(control)->currentIndex();
        else if (f.Reads.Checked)
            input.*f.Reads.Checked = static_cast<QAbstractButton *>(control)->isChecked();
    }
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
