#include "panel/gui/servicepage.h"

#include "auxiliary/texttable.h"
#include "config/configsync.h"
#include "panel/gui/controlids.h"
#include "panel/gui/controlvalues.h"
#include "panel/gui/ownerdrawntabbar.h"
#include "panel/gui/pagecontrols.h"
#include "panel/pagecontext.h"
#include "panel/pagefields.h"
#include "panel/servicerules.h"

#include <QCheckBox>
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

constexpr int ServiceEdits[] = {IDC_SERVICE_ID, IDC_SERVICE_LCN, IDC_SERVICE_HD_LCN, IDC_SERVICE_PMT_PID,
                                IDC_SERVICE_VIDEO_PID, IDC_SERVICE_AUDIO_PID, IDC_SERVICE_DELAY,
                                IDC_SERVICE_VIDEO_BITRATE, IDC_SERVICE_EIT_NAME, IDC_SERVICE_EIT_TEXT,
                                IDC_SERVICE_VIDEO_PERCENT};
constexpr int ServiceLists[] = {IDC_SERVICE_VIDEO_INPUT, IDC_SERVICE_AUDIO_INPUT, IDC_SERVICE_AUDIO_CODEC,
                                IDC_SERVICE_VIDEO_CODEC, IDC_SERVICE_AUDIO_BITRATE};
constexpr int AitEdits[] = {IDC_SERVICE_AIT_PID, IDC_SERVICE_AIT_ORG_ID, IDC_SERVICE_AIT_NAME, IDC_SERVICE_AIT_ROOT,
                            IDC_SERVICE_AIT_PATH};
// The application table's fields with their labels.
constexpr int AitFields[] = {IDC_SERVICE_AIT_PID_LABEL,  IDC_SERVICE_AIT_PID,        IDC_SERVICE_AIT_CONTROL_LABEL,
                             IDC_SERVICE_AIT_CONTROL,    IDC_SERVICE_AIT_ORG_ID_LABEL, IDC_SERVICE_AIT_ORG_ID,
                             IDC_SERVICE_AIT_NAME_LABEL, IDC_SERVICE_AIT_NAME,       IDC_SERVICE_AIT_ROOT_LABEL,
                             IDC_SERVICE_AIT_ROOT,       IDC_SERVICE_AIT_PATH_LABEL, IDC_SERVICE_AIT_PATH};

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

    c.place(IDC_PANEL_SERVICE_TABS, "serviceTabs", m_tabs, 6, 3, 480, 15);

    // Identity of the service shown; its name may be typed or taken from the channel list.
    c.label(IDC_SERVICE_ID_LABEL, "serviceIdLabel", GetText(TXT_ID_LABEL), 36, 23, 32);
    c.edit(IDC_SERVICE_ID, "serviceIdEdit", 36, 32, 30);
    c.label(IDC_SERVICE_NAME_LABEL, "serviceNameLabel", GetText(TXT_SERVICE_NAME_LABEL), 70, 23, 102);
    QStringList channelNames;
    for (const ChannelEntry &channel : m_context.Channels)
        channelNames << channel.ChannelName;
    QComboBox *name = c.combo(IDC_SERVICE_NAME, "serviceNameList", 70, 32, 102, channelNames, true);
    // Typed text stays as typed: no completion, and Enter adds no item.
    name->setCompleter(nullptr);
    name->setInsertPolicy(QComboBox::NoInsert);
    name->setMaxVisibleItems(20);
    // Enter reaches the typed text through the box or its line, whichever has the focus.
    name->installEventFilter(this);
    name->lineEdit()->installEventFilter(this);
    c.label(IDC_SERVICE_LCN_LABEL, "lcnLabel", GetText(TXT_LCN_LABEL), 178, 23, 32);
    c.edit(IDC_SERVICE_LCN, "lcnEdit", 178, 32, 30);
    c.label(IDC_SERVICE_HD_LCN_LABEL, "hdLcnLabel", GetText(TXT_HD_LCN_LABEL), 212, 23, 40);
    c.edit(IDC_SERVICE_HD_LCN, "hdLcnEdit", 212, 32, 30);

    // PIDs, codecs, inputs, bitrates and delay.
    c.label(IDC_SERVICE_PID_LABEL, "pidLabel", QStringLiteral("PID"), 36, 46, 29);
    c.label(IDC_SERVICE_PMT_LABEL, "pmtLabel", QStringLiteral("PMT"), 6, 58, 28);
    c.edit(IDC_SERVICE_PMT_PID, "pmtPidEdit", 36, 56, 29);
    c.label(IDC_SERVICE_VIDEO_LABEL, "videoLabel", QStringLiteral("VIDEO"), 6, 72, 28);
    c.edit(IDC_SERVICE_VIDEO_PID, "videoPidEdit", 36, 70, 29);
    c.combo(IDC_SERVICE_VIDEO_CODEC, "videoCodecList", 72, 70, 50, {QStringLiteral("H264")});
    c.combo(IDC_SERVICE_VIDEO_INPUT, "videoInputList", 127, 70, 45, VideoInputItems());
    c.label(IDC_SERVICE_VIDEO_BITRATE_LABEL, "videoBitrateLabel", QStringLiteral("Kb/s :"), 175, 74, 20)
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c.edit(IDC_SERVICE_VIDEO_BITRATE, "videoBitrateEdit", 196, 72, 30);
    auto *share = c.place(IDC_SERVICE_VIDEO_PERCENT_IMAGE, "videoPercentImage", new QLabel, 232, 72, 26, 12);
    share->setPixmap(DividedBarImage(share->size()));
    c.edit(IDC_SERVICE_VIDEO_PERCENT, "videoPercentEdit", 262, 72, 20);
    c.label(IDC_SERVICE_AUDIO_LABEL, "audioLabel", QStringLiteral("AUDIO"), 6, 88, 28);
    c.edit(IDC_SERVICE_AUDIO_PID, "audioPidEdit", 36, 86, 29);
    c.combo(IDC_SERVICE_AUDIO_CODEC, "audioCodecList", 72, 86, 50, {QStringLiteral("AAC-LC")});
    c.combo(IDC_SERVICE_AUDIO_INPUT, "audioInputList", 127, 86, 45, AudioInputItems());
    c.combo(IDC_SERVICE_AUDIO_BITRATE, "audioBitrateList", 176, 86, 50, AudioBitrateItems());
    c.label(IDC_SERVICE_DELAY_LABEL, "delayLabel", QStringLiteral("Delay :"), 230, 90, 28);
    c.edit(IDC_SERVICE_DELAY, "delayEdit", 260, 88, 25);
    c.label(IDC_SERVICE_DELAY_UNIT, "delayUnitLabel", QStringLiteral("ms"), 287, 90, 12);

    // Event information.
    c.label(IDC_SERVICE_EIT_LABEL, "eitLabel", QStringLiteral("E.I.T."), 6, 114, 28);
    c.label(IDC_SERVICE_EIT_NAME_LABEL, "eitNameLabel", GetText(TXT_NAME_LABEL), 36, 103, 147);
    c.edit(IDC_SERVICE_EIT_NAME, "eitNameEdit", 36, 112, 147);
    c.label(IDC_SERVICE_EIT_TEXT_LABEL, "eitTextLabel", GetText(TXT_TEXT_LABEL), 187, 103, 303);
    c.edit(IDC_SERVICE_EIT_TEXT, "eitTextEdit", 187, 112, 303);

    // The HbbTV application table.
    c.label(IDC_SERVICE_AIT_LABEL, "aitLabel", QStringLiteral("A.I.T."), 6, 138, 28);
    c.check(IDC_SERVICE_AIT_ENABLED, "aitCheck", QString(), 38, 138, 10);
    c.label(IDC_SERVICE_AIT_PID_LABEL, "aitPidLabel", QStringLiteral("PID :"), 51, 127, 29);
    c.edit(IDC_SERVICE_AIT_PID, "aitPidEdit", 51, 136, 29);
    c.label(IDC_SERVICE_AIT_CONTROL_LABEL, "aitControlLabel", QStringLiteral("Cntrl :"), 84, 127, 56);
    c.combo(IDC_SERVICE_AIT_CONTROL, "aitControlList", 84, 136, 56, AitControlCodeItems());
    c.label(IDC_SERVICE_AIT_ORG_ID_LABEL, "aitOrgIdLabel", QStringLiteral("Org. ID :"), 144, 127, 40);
    c.edit(IDC_SERVICE_AIT_ORG_ID, "aitOrgIdEdit", 144, 136, 40);
    c.label(IDC_SERVICE_AIT_NAME_LABEL, "aitNameLabel", QStringLiteral("Name :"), 187, 127, 72);
    c.edit(IDC_SERVICE_AIT_NAME, "aitNameEdit", 187, 136, 72);
    c.label(IDC_SERVICE_AIT_ROOT_LABEL, "aitRootLabel", QStringLiteral("Root :"), 262, 127, 113);
    c.edit(IDC_SERVICE_AIT_ROOT, "aitRootEdit", 262, 136, 113);
    c.label(IDC_SERVICE_AIT_PATH_LABEL, "aitPathLabel", QStringLiteral("Path :"), 377, 127, 113);
    c.edit(IDC_SERVICE_AIT_PATH, "aitPathEdit", 377, 136, 113);

    // Every edit of a control reads the whole page; what the panel itself
    // puts into the controls commits nothing.
    for (int id : ServiceEdits)
        connect(edit(id), &QLineEdit::textEdited, this, &CServicePage::CommitServicePage);
    for (int id : ServiceLists)
        connect(combo(id), &QComboBox::activated, this, &CServicePage::CommitServicePage);
    connect(name, &QComboBox::editTextChanged, this, &CServicePage::CommitServicePage);
    connect(name, &QComboBox::activated, this, &CServicePage::ChooseChannel);
    for (int id : AitEdits)
        connect(edit(id), &QLineEdit::textEdited, this, &CServicePage::CommitAit);
    connect(combo(IDC_SERVICE_AIT_CONTROL), &QComboBox::activated, this, &CServicePage::CommitAit);
    connect(static_cast<QCheckBox *>(c.byId(IDC_SERVICE_AIT_ENABLED)), &QCheckBox::clicked, this,
            &CServicePage::CommitAit);
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
    const PageControls &c = *m_controls;
    c.setEnabled(IDC_SERVICE_VIDEO_CODEC, true);
    for (int id : {IDC_SERVICE_HD_LCN_LABEL, IDC_SERVICE_HD_LCN, IDC_SERVICE_EIT_LABEL, IDC_SERVICE_EIT_NAME_LABEL,
                   IDC_SERVICE_EIT_NAME, IDC_SERVICE_EIT_TEXT_LABEL, IDC_SERVICE_EIT_TEXT})
        c.setEnabled(id, enables.HdLcnAndEit);
    for (int id : {IDC_SERVICE_LCN_LABEL, IDC_SERVICE_LCN})
        c.setEnabled(id, enables.Lcn);
    for (int id : {IDC_SERVICE_DELAY_LABEL, IDC_SERVICE_DELAY, IDC_SERVICE_DELAY_UNIT})
        c.setEnabled(id, enables.Delay);
    for (int id : {IDC_SERVICE_VIDEO_PERCENT_IMAGE, IDC_SERVICE_VIDEO_PERCENT})
        c.setEnabled(id, enables.VideoPercent);
    for (int id : {IDC_SERVICE_AIT_LABEL, IDC_SERVICE_AIT_ENABLED})
        c.setEnabled(id, enables.AitSwitch);
    for (int id : AitFields)
        c.setEnabled(id, enables.AitFields);
    for (int id : {IDC_SERVICE_VIDEO_INPUT, IDC_SERVICE_AUDIO_INPUT})
        c.setEnabled(id, enables.Inputs);
}

void CServicePage::FillServicePage()
{
    const ConfigModel &model = m_context.Model;
    const ServiceSettings &record = model.Service[BoundedIndex(m_context.CurrentService, ConfigModel::MaxServices)];

    combo(IDC_SERVICE_NAME)->setEditText(record.ServiceName);
    combo(IDC_SERVICE_NAME)->lineEdit()->setCursorPosition(0);
    SetFieldText(edit(IDC_SERVICE_EIT_NAME), record.EitName);
    SetFieldText(edit(IDC_SERVICE_EIT_TEXT), record.EitText);
    SetFieldText(edit(IDC_SERVICE_AIT_NAME), record.AitName);
    SetFieldText(edit(IDC_SERVICE_AIT_ROOT), record.AitRoot);
    SetFieldText(edit(IDC_SERVICE_AIT_PATH), record.AitPath);
    SetFieldNumber(edit(IDC_SERVICE_ID), record.ServiceId);
    SetFieldNumber(edit(IDC_SERVICE_LCN), record.Lcn);
    SetFieldNumber(edit(IDC_SERVICE_HD_LCN), model.HdLcn);
    SetFieldNumber(edit(IDC_SERVICE_PMT_PID), record.PmtPid);
    SetFieldNumber(edit(IDC_SERVICE_VIDEO_PID), record.VideoPid);
    SetFieldNumber(edit(IDC_SERVICE_AUDIO_PID), record.AudioPid);
    SetFieldNumber(edit(IDC_SERVICE_AIT_PID), record.AitPid);
    SetFieldNumber(edit(IDC_SERVICE_VIDEO_PERCENT), record.VideoPercent);
    SetFieldNumber(edit(IDC_SERVICE_VIDEO_BITRATE), record.VideoBitrate);
    SetFieldNumber(edit(IDC_SERVICE_DELAY), record.AudioDelayMs);
    SetFieldNumber(edit(IDC_SERVICE_AIT_ORG_ID), record.AitOrgId);
    SelectItem(combo(IDC_SERVICE_VIDEO_CODEC), model.VideoCodec);
    SelectItem(combo(IDC_SERVICE_VIDEO_INPUT), model.VideoInput);
    SelectItem(combo(IDC_SERVICE_AUDIO_CODEC), record.AudioCodec);
    SelectItem(combo(IDC_SERVICE_AUDIO_INPUT), model.AudioInput);
    SelectItem(combo(IDC_SERVICE_AUDIO_BITRATE), record.AudioBitrate);
    SelectItem(combo(IDC_SERVICE_AIT_CONTROL), record.AitControlCode);
    static_cast<QCheckBox *>(m_controls->byId(IDC_SERVICE_AIT_ENABLED))->setChecked(record.AitEnabled != 0);
    EnableServicePage();
}

ServicePageInput CServicePage::ReadControls() const
{
    ServicePageInput input;
    input.ServiceName = combo(IDC_SERVICE_NAME)->currentText();
    input.EitName = edit(IDC_SERVICE_EIT_NAME)->text();
    input.EitText = edit(IDC_SERVICE_EIT_TEXT)->text();
    input.AitName = edit(IDC_SERVICE_AIT_NAME)->text();
    input.AitRoot = edit(IDC_SERVICE_AIT_ROOT)->text();
    input.AitPath = edit(IDC_SERVICE_AIT_PATH)->text();
    input.ServiceId = edit(IDC_SERVICE_ID)->text();
    input.Lcn = edit(IDC_SERVICE_LCN)->text();
    input.HdLcn = edit(IDC_SERVICE_HD_LCN)->text();
    input.PmtPid = edit(IDC_SERVICE_PMT_PID)->text();
    input.VideoPid = edit(IDC_SERVICE_VIDEO_PID)->text();
    input.AudioPid = edit(IDC_SERVICE_AUDIO_PID)->text();
    input.AitPid = edit(IDC_SERVICE_AIT_PID)->text();
    input.VideoPercent = edit(IDC_SERVICE_VIDEO_PERCENT)->text();
    input.VideoBitrate = edit(IDC_SERVICE_VIDEO_BITRATE)->text();
    input.AudioDelayMs = edit(IDC_SERVICE_DELAY)->text();
    input.AitOrgId = edit(IDC_SERVICE_AIT_ORG_ID)->text();
    input.VideoCodec = combo(IDC_SERVICE_VIDEO_CODEC)->currentIndex();
    input.VideoInput = combo(IDC_SERVICE_VIDEO_INPUT)->currentIndex();
    input.AudioInput = combo(IDC_SERVICE_AUDIO_INPUT)->currentIndex();
    input.AudioCodec = combo(IDC_SERVICE_AUDIO_CODEC)->currentIndex();
    input.AudioBitrate = combo(IDC_SERVICE_AUDIO_BITRATE)->currentIndex();
    input.AitControlCode = combo(IDC_SERVICE_AIT_CONTROL)->currentIndex();
    input.AitEnabled = static_cast<QCheckBox *>(m_controls->byId(IDC_SERVICE_AIT_ENABLED))->isChecked();
    return input;
}

void CServicePage::CommitServicePage()
{
    ConfigModel &model = m_context.Model;
    if (model.Filling)
        return;
    CommitServiceInput(ReadControls(), model, m_context.CurrentService, m_context.Profile());
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
