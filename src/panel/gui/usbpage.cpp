#include "panel/gui/usbpage.h"

#include "auxiliary/gui/crtc.h"
#include "config/configsync.h"
#include "gui/artwork.h"
#include "link/handlergate.h"
#include "panel/gui/controlids.h"
#include "panel/gui/fieldtable.h"
#include "panel/gui/pagecontrols.h"
#include "panel/gui/scheduleeditor.h"
#include "panel/gui/usbartwork.h"
#include "panel/mediarules.h"
#include "panel/pagecontext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

namespace {

// Layout positions are given as in the window layout; the page's controls
// sit relative to its reference frame.
constexpr int X(int layoutX)
{
    return layoutX - UsbFrameOrigin.x();
}

constexpr int Y(int layoutY)
{
    return layoutY - UsbFrameOrigin.y();
}

void UseTextColour(QWidget &control, const QColor &colour)
{
    if (!colour.isValid())
        return;
    // Lit (enabled) in its colour; a dark lamp keeps the greyed text of a
    // disabled control.
    QPalette palette = control.palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, colour);
        palette.setColor(group, QPalette::ButtonText, colour);
    }
    control.setPalette(palette);
}

// The text colour of the player's stop button and of the lamps.
QColor ControlTextColour(int controlId)
{
    switch (controlId) {
    case IDC_PANEL_STOP_BUTTON:
    case IDC_PANEL_AUTO_LAMP:
        return QColor(64, 64, 64);
    case IDC_PANEL_PLAY_LAMP:
        return QColor(0, 0, 128);
    case IDC_PANEL_REC_LAMP:
        return QColor(128, 0, 0);
    default:
        return QColor();
    }
}

// How soon the clock field tries again to open the clock dialog while the
// tool waits for the device.
constexpr int ClockDialogRetryMs = 20;

// The lamps' texts fill their small frames: a font larger than the
// layout's gets smaller until the text fits.
void FitText(QLabel &label)
{
    QFont font = label.font();
    while (font.pointSizeF() > 5 && QFontMetrics(font).horizontalAdvance(label.text()) > label.width() - 2)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label.setFont(font);
}

ClockFields ClockOfDevice(const DeviceDateTime &clock)
{
    return ClockFields{clock.Year, clock.Month, clock.Day, clock.Hour, clock.Minute, clock.Second};
}

using M = ConfigModel;
using E = UsbPageEnables;
using K = FieldKind;
using R = FieldRows<UsbPageEnables>;

// The player: the storage, the media files, the player buttons and the
// device clock. The schedule's controls follow it, then the lamps.
const R::Row PlayerFields[] = {
    R::Placed(IDC_USB_STORAGE_IMAGE, "storageImage", K::Custom, X(7), Y(358), 25, 29),
    // Choosing a file puts its name into the field below: buildPlayer.
    R::List(IDC_PANEL_MEDIA_LIST, "mediaFileList", X(324), Y(357), 195, nullptr, {}, nullptr, nullptr, -1, true),
    R::Placed(IDC_PANEL_MEDIA_FILE, "mediaFileField", K::Edit, X(373), Y(373), 97, 15,
              {.Text = &M::MediaFileName}),
    R::Button(IDC_USB_RECORD_BUTTON, "recordButton", X(473), Y(372), 16, 16, ""),
    R::Button(IDC_USB_PLAY_BUTTON, "playButton", X(489), Y(372), 16, 16, ""),
    R::Button(IDC_PANEL_STOP_BUTTON, "stopButton", X(505), Y(372), 16, 16, ""),
    R::Placed(IDC_USB_CLOCK_ICON, "clockIcon", K::Custom, X(9), Y(391), 20, 20, {}, &E::PlayRec),
    R::Placed(IDC_USB_CLOCK_FIELD, "clockField", K::Custom, X(7), Y(413), 25, 12, {}, &E::PlayRec),
};

// The logo overlay: its file, a preset position (a 3 x 3 grid of check
// boxes whose tag is the position) or coordinates.
const R::Row LogoFields[] = {
    R::Placed(IDC_USB_LOGO_IMAGE, "logoImage", K::Custom, X(12), Y(492), 20, 20),
    R::Label(IDC_USB_LOGO_FILE_LABEL, "logoFileLabel", X(41), Y(490), 30, "File :"),
    R::EditableList(IDC_PANEL_OVERLAY_LOGO, "overlayLogoBox", X(41), Y(499), 118,
                    {.Text = &M::OverlayLogoFile}, &E::LogoOverlay),
    R::Check(IDC_USB_LOGO_POSITION_1, "logoPosition1", X(180), Y(485), 9, "", {}, nullptr, 1),
    R::Check(IDC_USB_LOGO_POSITION_1 + 1, "logoPosition2", X(190), Y(485), 9, "", {}, nullptr, 2),
    R::Check(IDC_USB_LOGO_POSITION_1 + 2, "logoPosition3", X(200), Y(485), 9, "", {}, nullptr, 3),
    R::Check(IDC_USB_LOGO_POSITION_1 + 3, "logoPosition4", X(180), Y(495), 9, "", {}, nullptr, 4),
    R::Check(IDC_USB_LOGO_POSITION_1 + 4, "logoPosition5", X(190), Y(495), 9, "", {}, nullptr, 5),
    R::Check(IDC_USB_LOGO_POSITION_1 + 5, "logoPosition6", X(200), Y(495), 9, "", {}, nullptr, 6),
    R::Check(IDC_USB_LOGO_POSITION_1 + 6, "logoPosition7", X(180), Y(505), 9, "", {}, nullptr, 7),
    R::Check(IDC_USB_LOGO_POSITION_1 + 7, "logoPosition8", X(190), Y(505), 9, "", {}, nullptr, 8),
    R::Check(IDC_USB_LOGO_POSITION_1 + 8, "logoPosition9", X(200), Y(505), 9, "", {}, nullptr, 9),
    R::Placed(IDC_USB_COORDINATES_IMAGE, "coordinatesImage", K::Custom, X(214), Y(490), 16, 16),
    R::Label(IDC_USB_X_LABEL, "logoXLabel", X(234), Y(487), 6, "X"),
    R::Label(IDC_USB_Y_LABEL, "logoYLabel", X(234), Y(503), 6, "Y"),
    R::Edit(IDC_USB_LOGO_X, "logoXField", X(242), Y(485), 29, {.Number = &M::OverlayLogoX}, &E::LogoOverlay),
    R::Edit(IDC_USB_LOGO_Y, "logoYField", X(242), Y(501), 29, {.Number = &M::OverlayLogoY}, &E::LogoOverlay),
};

} // namespace

CUsbPage::CUsbPage(PageContext &context, QWidget *parent)
    : SettingsPage(parent), m_context(context), m_schedule(new ScheduleEditor(context, this))
{
}

CUsbPage::~CUsbPage() = default;

void CUsbPage::BuildUsbPage()
{
    m_controls = std::make_unique<PageControls>(*this, DialogUnits(*this));
    buildPlayer();
    m_schedule->Build(*m_controls, *m_mediaFile);
    buildLamps();
    buildLogo();
    for (int id : {IDC_PANEL_STOP_BUTTON, IDC_PANEL_AUTO_LAMP, IDC_PANEL_PLAY_LAMP, IDC_PANEL_REC_LAMP})
        UseTextColour(*m_controls->byId(id), ControlTextColour(id));
}

void CUsbPage::buildPlayer()
{
    PageControls &controls = *m_controls;
    const std::function<void()> commit = [this] { CommitUsbPage(); };
    for (const FieldSpec &f : PlayerFields) {
        if (BuildField(controls, f, commit))
            continue;
        if (f.Id == IDC_USB_STORAGE_IMAGE) {
            auto *storage = controls.place(f.Id, f.Name, new QLabel, f.X, f.Y, f.Width, f.Height);
            storage->setPixmap(UsbStickImage(storage->size()));
        } else if (f.Id == IDC_USB_CLOCK_ICON) {
            m_clockIcon = controls.place(f.Id, f.Name, new QToolButton, f.X, f.Y, f.Width, f.Height);
            m_clockIcon->setAutoRaise(true);
            m_clockIcon->setIcon(QIcon(ClockPixmap(32)));
            m_clockIcon->setIconSize(m_clockIcon->size() - QSize(4, 4));
            connect(m_clockIcon, &QToolButton::clicked, this, &CUsbPage::OpenClockDialog);
        } else if (f.Id == IDC_USB_CLOCK_FIELD) {
            m_clockField = controls.place(f.Id, f.Name, new QLineEdit, f.X, f.Y, f.Width, f.Height);
            m_clockField->setReadOnly(true);
            m_clockField->installEventFilter(this);
        }
    }
    m_mediaList = static_cast<QComboBox *>(controls.byId(IDC_PANEL_MEDIA_LIST));
    m_mediaFile = static_cast<QLineEdit *>(controls.byId(IDC_PANEL_MEDIA_FILE));
    connect(m_mediaList, &QComboBox::activated, this, [this](int index) {
        m_mediaFile->setText(m_mediaList->itemText(index));
        CommitUsbPage();
    });

    const std::tuple<int, QIcon, MediaCommand> buttons[] = {
        {IDC_USB_RECORD_BUTTON, RecordIcon(), MediaRecord},
        {IDC_USB_PLAY_BUTTON, PlayIcon(), MediaPlay},
        {IDC_PANEL_STOP_BUTTON, StopIcon(), MediaStop},
    };
    for (size_t i = 0; i < std::size(buttons); ++i) {
        const auto &[id, icon, command] = buttons[i];
        auto *button = static_cast<QPushButton *>(controls.byId(id));
        button->setIcon(icon);
        connect(button, &QPushButton::clicked, this, [this, command] { requestMediaCommand(command); });
        m_playerButtons[i] = button;
    }
}

void CUsbPage::buildLamps()
{
    PageControls &controls = *m_controls;
    struct Lamp
    {
        int frameId;
        int labelId;
        const char *name;
        const char *text;
        int x;
        int y;
        int width;
        Qt::Alignment alignment;
        QLabel **label;
    };
    const Lamp lamps[] = {
        {IDC_USB_AUTO_FRAME, IDC_PANEL_AUTO_LAMP, "autoLamp", "AUTO", 9, 431, 22, Qt::AlignCenter, &m_autoLamp},
        {IDC_USB_AUTO_FRAME + 1, IDC_PANEL_PLAY_LAMP, "playLamp", "PLAY", 11, 445, 17, Qt::AlignCenter, &m_playLamp},
        {IDC_USB_AUTO_FRAME + 2, IDC_PANEL_REC_LAMP, "recLamp", " REC", 10, 456, 19, Qt::AlignCenter, &m_recordLamp},
        {IDC_USB_AUTO_FRAME + 3, IDC_USB_HDMI_LAMP, "hdmiLamp", " HDMI", 9, 469, 19, Qt::AlignLeft | Qt::AlignVCenter,
         &m_hdmiLamp},
    };
    for (const Lamp &lamp : lamps) {
        // The frame reaches one unit around its lamp.
        const QByteArray frameName = QByteArray(lamp.name) + "Frame";
        auto *frame = controls.place(lamp.frameId, frameName.constData(), new QFrame, X(lamp.x - 1),
                                     Y(lamp.y - 1), lamp.width + 2, PageControls::LabelHeight + 2);
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        QLabel *label = controls.label(lamp.labelId, lamp.name, QLatin1String(lamp.text), X(lamp.x), Y(lamp.y),
                                       lamp.width);
        label->setAlignment(lamp.alignment);
        FitText(*label);
        *lamp.label = label;
    }
}

void CUsbPage::buildLogo()
{
    PageControls &controls = *m_controls;
    const std::function<void()> commit = [this] { CommitUsbPage(); };
    for (const FieldSpec &f : LogoFields) {
        // A position box chooses its position, or clears it when it was the chosen one.
        QWidget *control = BuildField(controls, f, f.Tag > 0 ? std::function<void()>() : commit);
        if (f.Tag > 0) {
            auto *box = static_cast<QCheckBox *>(control);
            connect(box, &QCheckBox::clicked, this, [this, position = f.Tag] { SelectLogoPosition(position); });
            m_logoPositions[f.Tag - 1] = box;
        } else if (!control) {
            auto *image = controls.place(f.Id, f.Name, new QLabel, f.X, f.Y, f.Width, f.Height);
            image->setPixmap(f.Id == IDC_USB_LOGO_IMAGE ? LogoScreenImage(image->size())
                                                        : CoordinatesImage(image->size()));
        }
    }
    m_logoBox = static_cast<QComboBox *>(controls.byId(IDC_PANEL_OVERLAY_LOGO));
    connect(m_logoBox, &QComboBox::activated, this, &CUsbPage::CommitUsbPage);
    connect(m_logoBox, &QComboBox::editTextChanged, this, &CUsbPage::CommitUsbPage);
}

void CUsbPage::ShowUsbPage(bool visible)
{
    setVisible(visible);
}

void CUsbPage::EnableUsbPage()
{
    const UsbPageEnables enables = UsbPageEnablesFor(m_context.Profile());
    EnableFields(*m_controls, PlayerFields, enables);
    EnableFields(*m_controls, LogoFields, enables);
    m_schedule->Enable(enables.PlayRec);
    for (QCheckBox *box : m_logoPositions)
        box->setVisible(enables.LogoOverlay);
}

void CUsbPage::FillUsbPage()
{
    const ConfigModel &model = m_context.Model;
    FillFields(*m_controls, PlayerFields, model, 0);
    FillFields(*m_controls, LogoFields, model, 0);
    checkLogoPosition(model.OverlayLogoPosition);
    EnableUsbPage();
}

void CUsbPage::CommitUsbPage()
{
    if (m_context.Model.Filling)
        return;
    commitControls();
}

// The fields keep what the user typed; the model takes the cut or replaced
// values, which show when the page is filled again.
void CUsbPage::commitControls()
{
    ConfigModel &model = m_context.Model;
    const HardwareProfile profile = m_context.Profile();
    StoreFields(*m_controls, PlayerFields, model, 0, profile);
    StoreFields(*m_controls, LogoFields, model, 0, profile);
    m_context.Edited();
    EnableUsbPage();
}

void CUsbPage::SelectLogoPosition(int position)
{
    ConfigModel &model = m_context.Model;
    model.OverlayLogoPosition = NextLogoPosition(model.OverlayLogoPosition, position);
    checkLogoPosition(model.OverlayLogoPosition);
    if (!model.Filling)
        commitControls();
}

void CUsbPage::checkLogoPosition(int position)
{
    for (int p = 1; p <= int(m_logoPositions.size()); ++p)
        m_logoPositions[p - 1]->setChecked(p == position);
}

void CUsbPage::requestMediaCommand(MediaCommand command)
{
    // The panel timer sends it on its next tick, after a pending write; a
    // second click before then replaces it.
    m_context.Sync.PendingMediaCommand = command;
}

void CUsbPage::RefreshScheduleList()
{
    if (m_controls)
        m_schedule->RefreshScheduleList();
}

void CUsbPage::RefreshMediaStatus()
{
    if (!m_controls)
        return;
    const DeviceStatus &status = m_context.Sync.LastStatus;
    const MediaLamps lamps = MediaLampsOf(status);
    m_recordLamp->setEnabled(lamps.Record);
    m_playLamp->setEnabled(lamps.Play);
    m_hdmiLamp->setEnabled(lamps.Hdmi);
    m_autoLamp->setText(AutoModeText(status.AutoModeCode));

    // Refilling the lists is no edit of the user's.
    {
        const QSignalBlocker quiet(m_mediaList);
        m_mediaList->clear();
        m_mediaList->addItems(status.MediaFiles);
        m_mediaList->setCurrentIndex(int(status.MediaFiles.indexOf(m_mediaFile->text())));
    }
    {
        const QSignalBlocker quiet(m_logoBox);
        const QString text = m_logoBox->currentText();
        m_logoBox->clear();
        m_logoBox->addItems(status.LogoFiles);
        const int match = int(status.LogoFiles.indexOf(text));
        m_logoBox->setCurrentIndex(match);
        if (match < 0)
            m_logoBox->setEditText(text);
    }

    const bool storage = status.StoragePresent != 0;
    m_mediaList->setEnabled(storage);
    m_mediaFile->setEnabled(storage);
    for (QPushButton *button : m_playerButtons)
        button->setEnabled(storage);
}

void CUsbPage::ShowDeviceClock(const DeviceDateTime &clock)
{
    if (!m_controls || !IsValidClock(ClockOfDevice(clock)))
        return;
    const QString text = DeviceClockText(clock);
    if (m_clockField->text() != text)
        m_clockField->setText(text);
}

void CUsbPage::ClearDeviceClock()
{
    if (m_controls)
        m_clockField->clear();
}

void CUsbPage::OpenClockDialog()
{
    ::OpenClockDialog(this, m_context.Xmit, ClockOfDevice(m_context.Sync.PolledStatus.DeviceClock));
}

void CUsbPage::openClockDialogWhenIdle()
{
    // The deferred opening may come due inside a wait for a device reply
    // (a poll of the panel timer): the dialog's own request would then start
    // a second exchange in the middle of the first.
    if (HandlerGate::current().busy()) {
        QTimer::singleShot(ClockDialogRetryMs, this, &CUsbPage::openClockDialogWhenIdle);
        return;
    }
    OpenClockDialog();
}

bool CUsbPage::eventFilter(QObject *watched, QEvent *event)
{
    // The clock field is never typed into: it hands the focus on at once and
    // opens the clock dialog instead.
    if (watched == m_clockField && event->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, this, [this] {
            m_clockIcon->setFocus(Qt::OtherFocusReason);
            openClockDialogWhenIdle();
        });
    }
    return SettingsPage::eventFilter(watched, event);
}

void CUsbPage::ShowRecordFileNames()
{
    if (!m_controls)
        return;
    const ConfigModel &model = m_context.Model;
    // Showing what was read commits nothing.
    const QSignalBlocker quiet(m_logoBox);
    if (m_mediaFile->text() != model.MediaFileName)
        m_mediaFile->setText(model.MediaFileName);
    if (m_logoBox->currentText() != model.OverlayLogoFile)
        m_logoBox->setEditText(model.OverlayLogoFile);
}
