#include "panel/gui/servicepage.h"

#include "auxiliary/texttable.h"
#include "config/configsync.h"
#include "panel/gui/controlids.h"
#include "panel/gui/controlvalues.h"
#include "panel/gui/fieldtable.h"
#include "panel/gui/ownerdrawntabbar.h"
#include "panel/gui/pagecontrols.h"
#include "panel/pagecontext.h"
#include "panel/pagefields.h"
#include "panel/servicerules.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>

namespace {

// The picture beside the video share: a bar divided in two parts.
QPixmap DividedBarImage(QSize size)
{
    QPixmap image(size);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QRect bar(0, size.height() / 4, size.width() - 1, size.height() / 2);
    const int split = bar.left() + bar.width() * 2 / 3;
    painter.fillRect(QRect(bar.topLeft(), QPoint(split, bar.bottom())), QColor(50, 205, 50));
    painter.fillRect(QRect(QPoint(split + 1, bar.top()), bar.bottomRight()), QColor(192, 192, 192));
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(bar);
    painter.drawLine(split, bar.top(), split, bar.bottom());
    return image;
}

using M = ConfigModel;
using S = ServiceSettings;
using E = ServiceEnables;
using K = FieldKind;
using R = FieldRows<ServiceEnables>;

// The application table's controls: every edit of one gives the table a new version.
constexpr int AitGroup = 1;

QStringList FirstVideoCodec()
{
    return {QStringLiteral("H264")};
}

QStringList FirstAudioCodec()
{
    return {QStringLiteral("AAC-LC")};
}

// In the order the page makes them, which is the keyboard's order. The
// codec lists get the hardware's codecs when the page is shown.
const R::Row Fields[] = {
    R::Placed(IDC_PANEL_SERVICE_TABS, "serviceTabs", K::Custom, 6, 3, 480, 15),

    // Identity of the service shown; its name may be typed or taken from the channel list.
    R::Label(IDC_SERVICE_ID_LABEL, "serviceIdLabel", 36, 23, 32, TXT_ID_LABEL),
    R::Edit(IDC_SERVICE_ID, "serviceIdEdit", 36, 32, 30, {.ServiceNumber = &S::ServiceId}),
    R::Label(IDC_SERVICE_NAME_LABEL, "serviceNameLabel", 70, 23, 102, TXT_SERVICE_NAME_LABEL),
    R::EditableList(IDC_SERVICE_NAME, "serviceNameList", 70, 32, 102,
                    {.ServiceText = &S::ServiceName}),
    R::Label(IDC_SERVICE_LCN_LABEL, "lcnLabel", 178, 23, 32, TXT_LCN_LABEL, &E::Lcn),
    R::Edit(IDC_SERVICE_LCN, "lcnEdit", 178, 32, 30, {.ServiceNumber = &S::Lcn}, &E::Lcn),
    R::Label(IDC_SERVICE_HD_LCN_LABEL, "hdLcnLabel", 212, 23, 40, TXT_HD_LCN_LABEL, &E::HdLcnAndEit),
    R::Edit(IDC_SERVICE_HD_LCN, "hdLcnEdit", 212, 32, 30, {.Number = &M::HdLcn}, &E::HdLcnAndEit),

    // PIDs, codecs, inputs, bitrates and delay.
    R::Label(IDC_SERVICE_PID_LABEL, "pidLabel", 36, 46, 29, "PID"),
    R::Label(IDC_SERVICE_PMT_LABEL, "pmtLabel", 6, 58, 28, "PMT"),
    R::Edit(IDC_SERVICE_PMT_PID, "pmtPidEdit", 36, 56, 29, {.ServiceNumber = &S::PmtPid}),
    R::Label(IDC_SERVICE_VIDEO_LABEL, "videoLabel", 6, 72, 28, "VIDEO"),
    R::Edit(IDC_SERVICE_VIDEO_PID, "videoPidEdit", 36, 70, 29, {.ServiceNumber = &S::VideoPid}),
    R::List(IDC_SERVICE_VIDEO_CODEC, "videoCodecList", 72, 70, 50, FirstVideoCodec, {.Number = &M::VideoCodec}),
    R::List(IDC_SERVICE_VIDEO_INPUT, "videoInputList", 127, 70, 45, VideoInputItems, {.Number = &M::VideoInput},
            &E::Inputs),
    R::Label(IDC_SERVICE_VIDEO_BITRATE_LABEL, "videoBitrateLabel", 175, 74, 20, "Kb/s :"),
    R::Edit(IDC_SERVICE_VIDEO_BITRATE, "videoBitrateEdit", 196, 72, 30, {.ServiceNumber = &S::VideoBitrate}),
    R::Placed(IDC_SERVICE_VIDEO_PERCENT_IMAGE, "videoPercentImage", K::Custom, 232, 72, 26, 12, {},
              &E::VideoPercent),
    R::Edit(IDC_SERVICE_VIDEO_PERCENT, "videoPercentEdit", 262, 72, 20, {.ServiceNumber = &S::VideoPercent},
            &E::VideoPercent),
    R::Label(IDC_SERVICE_AUDIO_LABEL, "audioLabel", 6, 88, 28, "AUDIO"),
    R::Edit(IDC_SERVICE_AUDIO_PID, "audioPidEdit", 36, 86, 29, {.ServiceNumber = &S::AudioPid}),
    R::List(IDC_SERVICE_AUDIO_CODEC, "audioCodecList", 72, 86, 50, FirstAudioCodec, {.ServiceNumber = &S::AudioCodec}),
    R::List(IDC_SERVICE_AUDIO_INPUT, "audioInputList", 127, 86, 45, AudioInputItems, {.Number = &M::AudioInput},
            &E::Inputs),
    R::List(IDC_SERVICE_AUDIO_BITRATE, "audioBitrateList", 176, 86, 50, AudioBitrateItems,
            {.ServiceNumber = &S::AudioBitrate}),
    R::Label(IDC_SERVICE_DELAY_LABEL, "delayLabel", 230, 90, 28, "Delay :", &E::Delay),
    R::Edit(IDC_SERVICE_DELAY, "delayEdit", 260, 88, 25, {.ServiceNumber = &S::AudioDelayMs}, &E::Delay),
    R::Label(IDC_SERVICE_DELAY_UNIT, "delayUnitLabel", 287, 90, 12, "ms", &E::Delay),

    // Event information.
    R::Label(IDC_SERVICE_EIT_LABEL, "eitLabel", 6, 114, 28, "E.I.T.", &E::HdLcnAndEit),
    R::Label(IDC_SERVICE_EIT_NAME_LABEL, "eitNameLabel", 36, 103, 147, TXT_NAME_LABEL, &E::HdLcnAndEit),
    R::Edit(IDC_SERVICE_EIT_NAME, "eitNameEdit", 36, 112, 147,
            {.ServiceText = &S::EitName}, &E::HdLcnAndEit),
    R::Label(IDC_SERVICE_EIT_TEXT_LABEL, "eitTextLabel", 187, 103, 303, TXT_TEXT_LABEL, &E::HdLcnAndEit),
    R::Edit(IDC_SERVICE_EIT_TEXT, "eitTextEdit", 187, 112, 303,
            {.ServiceText = &S::EitText}, &E::HdLcnAndEit),

    // The HbbTV application table.
    R::Label(IDC_SERVICE_AIT_LABEL, "aitLabel", 6, 138, 28, "A.I.T.", &E::AitSwitch),
    R::Check(IDC_SERVICE_AIT_ENABLED, "aitCheck", 38, 138, 10, "", {.ServiceNumber = &S::AitEnabled}, &E::AitSwitch,
             AitGroup),
    R::Label(IDC_SERVICE_AIT_PID_LABEL, "aitPidLabel", 51, 127, 29, "PID :", &E::AitFields),
    R::Edit(IDC_SERVICE_AIT_PID, "aitPidEdit", 51, 136, 29, {.ServiceNumber = &S::AitPid}, &E::AitFields, nullptr,
            AitGroup),
    R::Label(IDC_SERVICE_AIT_CONTROL_LABEL, "aitControlLabel", 84, 127, 56, "Cntrl :", &E::AitFields),
    R::List(IDC_SERVICE_AIT_CONTROL, "aitControlList", 84, 136, 56, AitControlCodeItems,
            {.ServiceNumber = &S::AitControlCode}, &E::AitFields, nullptr, AitGroup),
    R::Label(IDC_SERVICE_AIT_ORG_ID_LABEL, "aitOrgIdLabel", 144, 127, 40, "Org. ID :", &E::AitFields),
    R::Edit(IDC_SERVICE_AIT_ORG_ID, "aitOrgIdEdit", 144, 136, 40, {.ServiceNumber = &S::AitOrgId}, &E::AitFields,
            nullptr, AitGroup),
    R::Label(IDC_SERVICE_AIT_NAME_LABEL, "aitNameLabel", 187, 127, 72, "Name :", &E::AitFields),
    R::Edit(IDC_SERVICE_AIT_NAME, "aitNameEdit", 187, 136, 72,
            {.ServiceText = &S::AitName}, &E::AitFields, nullptr, AitGroup),
    R::Label(IDC_SERVICE_AIT_ROOT_LABEL, "aitRootLabel", 262, 127, 113, "Root :", &E::AitFields),
    R::Edit(IDC_SERVICE_AIT_ROOT, "aitRootEdit", 262, 136, 113,
            {.ServiceText = &S::AitRoot}, &E::AitFields, nullptr, AitGroup),
    R::Label(IDC_SERVICE_AIT_PATH_LABEL, "aitPathLabel", 377, 127, 113, "Path :", &E::AitFields),
    R::Edit(IDC_SERVICE_AIT_PATH, "aitPathEdit", 377, 136, 113,
            {.ServiceText = &S::AitPath}, &E::AitFields, nullptr, AitGroup),
};

} // namespace

CServicePage::CServicePage(PageContext &context, QWidget *parent)
    : SettingsPage(parent), m_context(context), m_tabs(new OwnerDrawnTabBar(this))
{
}

CServicePage::~CServicePage() = default;

QLineEdit *CServicePage::edit(int id) const
{
    return static_cast<QLineEdit *>(m_controls->byId(id));
}

QComboBox *CServicePage::combo(int id) const
{
    return static_cast<QComboBox *>(m_controls->byId(id));
}

void CServicePage::BuildServicePage()
{
    m_controls = std::make_unique<PageControls>(*this, DialogUnits(*this));
    PageControls &c = *m_controls;
    // Every edit of a control reads the whole page; what the panel itself
    // puts into the controls commits nothing.
    const std::function<void()> commit = [this] { CommitServicePage(); };
    const std::function<void()> commitAit = [this] { CommitAit(); };
    for (const FieldSpec &f : Fields) {
        if (BuildField(c, f, f.Tag == AitGroup ? commitAit : commit))
            continue;
        if (f.Id == IDC_PANEL_SERVICE_TABS) {
            c.place(f.Id, f.Name, m_tabs, f.X, f.Y, f.Width, f.Height);
        } else if (f.Id == IDC_SERVICE_VIDEO_PERCENT_IMAGE) {
            auto *share = c.place(f.Id, f.Name, new QLabel, f.X, f.Y, f.Width, f.Height);
            share->setPixmap(DividedBarImage(share->size()));
        }
    }
    static_cast<QLabel *>(c.byId(IDC_SERVICE_VIDEO_BITRATE_LABEL))->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    QComboBox *name = combo(IDC_SERVICE_NAME);
    for (const ChannelEntry &channel : m_context.Channels)
        name->addItem(channel.ChannelName);
    // Typed text stays as typed: no completion, and Enter adds no item.
    name->setCompleter(nullptr);
    name->setInsertPolicy(QComboBox::NoInsert);
    name->setMaxVisibleItems(20);
    // Enter reaches the typed text through the box or its line, whichever has the focus.
    name->installEventFilter(this);
    name->lineEdit()->installEventFilter(this);
    connect(name, &QComboBox::editTextChanged, this, &CServicePage::CommitServicePage);
    connect(name, &QComboBox::activated, this, &CServicePage::ChooseChannel);
}

bool CServicePage::eventFilter(QObject *watched, QEvent *event)
{
    // Enter after a typed name would make the box pick the channel of that
    // name and put its identifier and LCN over the ones the service has:
    // only a choice from the list takes a channel's values.
    QComboBox *name = combo(IDC_SERVICE_NAME);
    if ((watched == name || watched == name->lineEdit()) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return SettingsPage::eventFilter(watched, event);
}

void CServicePage::ShowServicePage(bool visible)
{
    const HardwareProfile profile = m_context.Profile();
    OwnerDrawnTabBar *tabs = m_tabs;
    {
        const QSignalBlocker quiet(tabs);
        while (tabs->count() > 0)
            tabs->removeTab(0);
        for (int service = 0; service < m_context.Model.UsedServices(); ++service)
            tabs->addTab(QString());
        if (tabs->count() > 0)
            tabs->setMinimumTabWidth((tabs->width() - 5) / tabs->count());
        tabs->setCurrentIndex(m_context.CurrentService);
    }
    for (auto [id, items] : {std::pair{IDC_SERVICE_VIDEO_CODEC, VideoCodecItems(profile)},
                             std::pair{IDC_SERVICE_AUDIO_CODEC, AudioCodecItems(profile)}}) {
        QComboBox *box = combo(id);
        box->clear();
        box->addItems(items);
    }
    m_controls->setAllVisible(visible);
    setVisible(visible);
    UpdateServiceTabs();
}

void CServicePage::UpdateServiceTabs()
{
    OwnerDrawnTabBar *tabs = m_tabs;
    const DeviceStatus &status = m_context.Sync.PolledStatus;
    for (int service = 0; service < tabs->count(); ++service)
        tabs->setTabText(service, ServiceTabLabel(service, status));
}

void CServicePage::EnableServicePage()
{
    const ServiceEnables enables = DecideServiceEnables(m_context.Profile(), m_context.Model, m_context.CurrentService);
    EnableFields(*m_controls, Fields, enables);
}

void CServicePage::FillServicePage()
{
    FillFields(*m_controls, Fields, m_context.Model, m_context.CurrentService);
    EnableServicePage();
}

void CServicePage::CommitServicePage()
{
    ConfigModel &model = m_context.Model;
    if (model.Filling)
        return;
    StoreFields(*m_controls, Fields, model, m_context.CurrentService, m_context.Profile());
    m_context.Edited();
    EnableServicePage();
}

void CServicePage::ChooseChannel(int index)
{
    const ChannelList &channels = m_context.Channels;
    if (index < 0 || index >= channels.size())
        return;
    const ChannelEntry &channel = channels[index];
    combo(IDC_SERVICE_NAME)->setEditText(channel.ChannelName);
    SetFieldNumber(edit(IDC_SERVICE_ID), channel.ChannelServiceId);
    SetFieldNumber(edit(IDC_SERVICE_LCN), channel.ChannelLcn);
    CommitServicePage();
}

void CServicePage::CommitAit()
{
    ConfigModel &model = m_context.Model;
    if (model.Filling)
        return;
    AdvanceAitVersion(model);
    CommitServicePage();
}
