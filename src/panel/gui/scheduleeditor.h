#pragma once

#include "config/configmodel.h"

#include <QList>
#include <QObject>
#include <QPoint>

#include <array>

struct PageContext;
class PageControls;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimeEdit;

// The USB page's controls lie in the window layout relative to the page's
// reference frame, whose top-left corner is here.
inline constexpr QPoint UsbFrameOrigin(4, 354);

// The lower half of the USB page: the weekly schedule of play and record
// periods. The user picks start and stop, the days and (in the media file
// field) the file, and adds the period as a play or a record entry; the list
// shows the model's entries in their order.
class ScheduleEditor : public QObject
{
    Q_OBJECT

public:
    explicit ScheduleEditor(PageContext &context, QObject *parent = nullptr);

    // Makes the schedule's controls on the page; new entries take the text of
    // mediaFile as their file.
    void Build(PageControls &controls, const QLineEdit &mediaFile);
    // The schedule's part of EnableUsbPage: editable only on hardware with
    // USB playback and recording.
    void Enable(bool playRec);

    void RefreshScheduleList();
    // Adds the period the controls describe (action 0 play, 1 record), or
    // beeps when it cannot be taken.
    void AddScheduleEntry(quint32 action);
    void DeleteScheduleEntries();

private:
    ScheduleEntry entryFromControls(quint32 action) const;
    QList<int> selectedRows() const;
    void updateDeleteButton();
    bool playRec() const;

    PageContext &m_context;
    const QLineEdit *m_mediaFile = nullptr;
    QDateEdit *m_startDate = nullptr;
    QTimeEdit *m_startTime = nullptr;
    QDateEdit *m_stopDate = nullptr;
    QTimeEdit *m_stopTime = nullptr;
    std::array<QPushButton *, 7> m_days{};
    QPushButton *m_addPlay = nullptr;
    QPushButton *m_addRecord = nullptr;
    QPushButton *m_delete = nullptr;
    QTableWidget *m_list = nullptr;
};
