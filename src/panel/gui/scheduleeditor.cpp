#include "panel/gui/scheduleeditor.h"

#include "auxiliary/beep.h"
#include "auxiliary/texttable.h"
#include "config/configsync.h"
#include "panel/gui/controlids.h"
#include "panel/gui/pagecontrols.h"
#include "panel/gui/usbartwork.h"
#include "panel/pagecontext.h"
#include "panel/schedulerules.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>

namespace {

struct Column
{
    const char *title;
    Qt::Alignment alignment;
    int widthPixels;
};

// Column 0 only holds the row's place; the titles are never displayed.
// Widths are pixels of the layout's 8-point dialog font, whose characters
// average 6 pixels; they grow with the font in use.
constexpr Column Columns[] = {
    {"", Qt::AlignLeft, 1},
    {"DateStart", Qt::AlignLeft, 75},
    {"timeSTart", Qt::AlignHCenter, 75},
    {"DateStop", Qt::AlignHCenter, 75},
    {"TimeStop", Qt::AlignHCenter, 75},
    {"Week", Qt::AlignHCenter, 120},
    {"Action", Qt::AlignHCenter, 40},
    {"File", Qt::AlignLeft, 300},
};
constexpr int ColumnCount = int(std::size(Columns));
constexpr int LayoutCharWidth = 6;

const QColor PlayEntryColour(0, 0, 128);
const QColor RecordEntryColour(128, 0, 0);

constexpr int ActionPlay = 0;
constexpr int ActionRecord = 1;

} // namespace

ScheduleEditor::ScheduleEditor(PageContext &context, QObject *parent) : QObject(parent), m_context(context) {}

void ScheduleEditor::Build(PageControls &controls, const QLineEdit &mediaFile)
{
    m_mediaFile = &mediaFile;
    const int left = UsbFrameOrigin.x();
    const int top = UsbFrameOrigin.y();

    const auto header = [&](int id, const char *name, int x, int width, QPixmap (*image)(QSize)) {
        QLabel *label = controls.place(id, name, new QLabel, x - left, 359 - top, width, 10);
        label->setPixmap(image(label->size()));
    };
    header(IDC_USB_START_HEADER, "startHeader", 39, 97, StartHeaderImage);
    header(IDC_USB_STOP_HEADER, "stopHeader", 139, 97, StopHeaderImage);
    header(IDC_USB_DAYS_HEADER, "daysHeader", 239, 82, DaysHeaderImage);

    // Start 00:00 and stop 23:59 of the current day.
    const QDate today = QDate::currentDate();
    const auto datePicker = [&](int id, const char *name, int x) {
        auto *picker = controls.place(id, name, new QDateEdit(today), x - left, 372 - top, 62, 16);
        picker->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        return picker;
    };
    const auto timePicker = [&](int id, const char *name, int x, QTime time) {
        auto *picker = controls.place(id, name, new QTimeEdit(time), x - left, 372 - top, 35, 16);
        picker->setDisplayFormat(QStringLiteral("HH:mm"));
        return picker;
    };
    m_startDate = datePicker(IDC_USB_START_DATE, "startDate", 37);
    m_startTime = timePicker(IDC_USB_START_TIME, "startTime", 99, QTime(0, 0));
    m_stopDate = datePicker(IDC_USB_STOP_DATE, "stopDate", 139);
    m_stopTime = timePicker(IDC_USB_STOP_TIME, "stopTime", 201, QTime(23, 59));

    static const char *const DayNames[] = {"mondayButton", "tuesdayButton", "wednesdayButton", "thursdayButton",
                                           "fridayButton", "saturdayButton", "sundayButton"};
    for (quint8 day = 0; day < m_days.size(); ++day) {
        QPushButton *button = controls.button(IDC_USB_MONDAY + day, DayNames[day], GetWeekdayLetter(day),
                                              237 + 12 * day - left, 372 - top, 12, 16);
        button->setCheckable(true);
        button->setChecked(true);
        m_days[day] = button;
    }

    const auto iconButton = [&](int id, const char *name, int x, const QIcon &icon) {
        QPushButton *button = controls.button(id, name, QString(), x - left, 372 - top, 16, 16);
        button->setIcon(icon);
        return button;
    };
    m_addPlay = iconButton(IDC_USB_ADD_PLAY_ENTRY, "addPlayEntryButton", 323, AddPlayEntryIcon());
    m_addRecord = iconButton(IDC_USB_ADD_RECORD_ENTRY, "addRecordEntryButton", 339, AddRecordEntryIcon());
    m_delete = iconButton(IDC_USB_DELETE_ENTRIES, "deleteEntriesButton", 355, DeleteEntriesIcon());
    connect(m_addPlay, &QPushButton::clicked, this, [this] { AddScheduleEntry(ActionPlay); });
    connect(m_addRecord, &QPushButton::clicked, this, [this] { AddScheduleEntry(ActionRecord); });
    connect(m_delete, &QPushButton::clicked, this, &ScheduleEditor::DeleteScheduleEntries);

    m_list = controls.place(IDC_USB_SCHEDULE_LIST, "scheduleList", new QTableWidget(0, ColumnCount),
                            37 - left, 392 - top, 482, 88);
    // Column 0 is a pixel or two wide.
    m_list->horizontalHeader()->setMinimumSectionSize(1);
    const int averageCharWidth = controls.units().x(4);
    QStringList titles;
    for (int c = 0; c < ColumnCount; ++c) {
        titles << QLatin1String(Columns[c].title);
        m_list->setColumnWidth(c, qMax(1, Columns[c].widthPixels * averageCharWidth / LayoutCharWidth));
    }
    m_list->setHorizontalHeaderLabels(titles);
    m_list->horizontalHeader()->hide();
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 4);
    m_list->setShowGrid(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setWordWrap(false);
    connect(m_list, &QTableWidget::itemSelectionChanged, this, &ScheduleEditor::updateDeleteButton);
}

bool ScheduleEditor::playRec() const
{
    return m_context.Profile().HasPlayRec();
}

void ScheduleEditor::Enable(bool playRec)
{
    for (QWidget *control : std::initializer_list<QWidget *>{m_startDate, m_startTime, m_stopDate, m_stopTime,
                                                            m_addRecord, m_list})
        control->setEnabled(playRec);
    for (QPushButton *day : m_days)
        day->setEnabled(playRec);
    // A full list takes no more play entries, and the delete button needs
    // a selected entry.
    m_addPlay->setEnabled(playRec && m_context.Model.ValidScheduleEntries() < ConfigModel::MaxScheduleEntries);
    m_delete->setEnabled(playRec && !selectedRows().isEmpty());
}

void ScheduleEditor::RefreshScheduleList()
{
    if (!playRec())
        return;
    const ConfigModel &model = m_context.Model;
    const int count = model.ValidScheduleEntries();
    // Rows come and go at the top; a selection would then mark other
    // entries than the ones the user chose.
    if (m_list->rowCount() != count)
        m_list->clearSelection();
    while (m_list->rowCount() < count)
        m_list->insertRow(0);
    while (m_list->rowCount() > count)
        m_list->removeRow(0);

    for (int row = 0; row < count; ++row) {
        const ScheduleEntry &entry = model.ScheduleEntries[row];
        const QString texts[ColumnCount] = {QString(),
                                            ScheduleDateText(entry.StartDate),
                                            ScheduleTimeText(entry.StartTime),
                                            ScheduleDateText(entry.StopDate),
                                            ScheduleTimeText(entry.StopTime),
                                            ScheduleWeekText(entry.WeekMask),
                                            ScheduleActionText(entry.Action),
                                            entry.File};
        QVariant colour;
        if (entry.Action == ActionPlay)
            colour = PlayEntryColour;
        else if (entry.Action == ActionRecord)
            colour = RecordEntryColour;
        for (int c = 0; c < ColumnCount; ++c) {
            QTableWidgetItem *item = m_list->item(row, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Columns[c].alignment | Qt::AlignVCenter);
                m_list->setItem(row, c, item);
            }
            item->setText(texts[c]);
            item->setData(Qt::ForegroundRole, colour);
        }
    }
    m_addPlay->setEnabled(count < ConfigModel::MaxScheduleEntries);
    updateDeleteButton();
}

ScheduleEntry ScheduleEditor::entryFromControls(quint32 action) const
{
    ScheduleEntry entry;
    const QDate start = m_startDate->date();
    const QDate stop = m_stopDate->date();
    entry.StartDate = PackScheduleDate(start.year(), start.month(), start.day());
    entry.StopDate = PackScheduleDate(stop.year(), stop.month(), stop.day());
    entry.StartTime = ScheduleMinutes(m_startTime->time().hour(), m_startTime->time().minute());
    entry.StopTime = ScheduleMinutes(m_stopTime->time().hour(), m_stopTime->time().minute());
    for (int day = 0; day < int(m_days.size()); ++day) {
        if (m_days[day]->isChecked())
            entry.WeekMask |= 1u << day;
    }
    entry.Action = action;
    entry.File = m_mediaFile->text();
    return entry;
}

void ScheduleEditor::AddScheduleEntry(quint32 action)
{
    // The controls keep their values, so that similar entries follow quickly.
    const ConfigSynchronizer &sync = m_context.Sync;
    if (InsertScheduleEntry(m_context.Model, entryFromControls(action), sync.Identity)
        != ScheduleRefusal::None) {
        Beep(800, 200);
        return;
    }
    RefreshScheduleList();
    m_context.Edited();
}

void ScheduleEditor::DeleteScheduleEntries()
{
    if (RemoveScheduleEntries(m_context.Model, selectedRows()) == 0)
        return;
    RefreshScheduleList();
    m_context.Edited();
}

QList<int> ScheduleEditor::selectedRows() const
{
    QList<int> rows;
    const int count = m_context.Model.ValidScheduleEntries();
    for (const QModelIndex &index : m_list->selectionModel()->selectedRows()) {
        if (index.row() < count)
            rows << index.row();
    }
    return rows;
}

void ScheduleEditor::updateDeleteButton()
{
    m_delete->setEnabled(!selectedRows().isEmpty());
}
