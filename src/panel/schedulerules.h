#pragma once

#include "config/configcodec.h"
#include "config/configmodel.h"

#include <QList>
#include <QString>

// The rules of the USB schedule that do not depend on a window: how entries
// are packed, shown, checked, ordered and removed.

// A date as schedule entries hold it: day in bits 0-7, month in bits 8-15,
// year in bits 16-31, so that numeric order is calendar order.
quint32 PackScheduleDate(int year, int month, int day);
// Minutes after midnight.
quint32 ScheduleMinutes(int hour, int minute);

// "2024/05/01": year, month and day of a packed date.
QString ScheduleDateText(quint32 packedDate);
// "9:05": the hour without a leading zero, the minute with two digits.
QString ScheduleTimeText(quint32 minutes);
// Seven characters, Monday first: the day's letter in the current language
// when its bit is set, else "-".
QString ScheduleWeekText(quint32 weekMask);
// "Rec" for a record entry (any non-zero action), else "Play".
QString ScheduleActionText(quint32 action);

// Why a new entry is not taken; the page answers every refusal with the same
// short beep.
enum class ScheduleRefusal {
    None,
    NoFile,          // the media file field is empty
    StopBeforeStart, // the stop lies before the start (equal is fine)
    ListFull,        // ten entries already
    NoDay,           // no day of the week chosen
    RecordFull,      // the record could no longer be written to the device
};
ScheduleRefusal CheckScheduleEntry(const ConfigModel &model, const ScheduleEntry &entry);

// Where a new entry goes to keep the list in start order: after every entry
// that starts earlier or at the same moment.
int ScheduleInsertionIndex(const ConfigModel &model, const ScheduleEntry &entry);

// Checks the entry and, when it is taken, inserts it in start order.
ScheduleRefusal InsertScheduleEntry(ConfigModel &model, const ScheduleEntry &entry);
// The same, and refuses too an entry whose file name would make the
// device's record too long to write: the write would fail and reading the
// device back would take the entry, and every other edit, away again.
ScheduleRefusal InsertScheduleEntry(ConfigModel &model, const ScheduleEntry &entry, const DeviceIdentity &identity);

// Removes the entries shown in these rows (rows past the valid entries and
// repeated rows are passed over); later entries move down. Returns how many
// were removed.
int RemoveScheduleEntries(ConfigModel &model, QList<int> rows);
