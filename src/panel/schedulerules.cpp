#include "panel/schedulerules.h"

#include "auxiliary/texttable.h"

#include <algorithm>

namespace {

constexpr quint32 ActionPlay = 0;

} // namespace

quint32 PackScheduleDate(int year, int month, int day)
{
    return quint32(day & 0xFF) | quint32(month & 0xFF) << 8 | quint32(year & 0xFFFF) << 16;
}

quint32 ScheduleMinutes(int hour, int minute)
{
    return quint32(hour * 60 + minute);
}

QString ScheduleDateText(quint32 packedDate)
{
    return QString::asprintf("%04u/%02u/%02u", packedDate >> 16, (packedDate >> 8) & 0xFF, packedDate & 0xFF);
}

QString ScheduleTimeText(quint32 minutes)
{
    return QString::asprintf("%u:%02u", minutes / 60, minutes % 60);
}

QString ScheduleWeekText(quint32 weekMask)
{
    QString text;
    for (quint8 day = 0; day < WeekdayCount; ++day)
        text += (weekMask & (1u << day)) ? GetWeekdayLetter(day) : QStringLiteral("-");
    return text;
}

QString ScheduleActionText(quint32 action)
{
    return action != ActionPlay ? QStringLiteral("Rec") : QStringLiteral("Play");
}

ScheduleRefusal CheckScheduleEntry(const ConfigModel &model, const ScheduleEntry &entry)
{
    if (entry.File.isEmpty())
        return ScheduleRefusal::NoFile;
    if (entry.StopDate < entry.StartDate
        || (entry.StopDate == entry.StartDate && entry.StopTime < entry.StartTime))
        return ScheduleRefusal::StopBeforeStart;
    if (model.ValidScheduleEntries() >= ConfigModel::MaxScheduleEntries)
        return ScheduleRefusal::ListFull;
    if ((entry.WeekMask & 0x7F) == 0)
        return ScheduleRefusal::NoDay;
    return ScheduleRefusal::None;
}

int ScheduleInsertionIndex(const ConfigModel &model, const ScheduleEntry &entry)
{
    const int count = model.ValidScheduleEntries();
    for (int k = 0; k < count; ++k) {
        const ScheduleEntry &existing = model.ScheduleEntries[k];
        if (existing.StartDate > entry.StartDate
            || (existing.StartDate == entry.StartDate && existing.StartTime > entry.StartTime))
            return k;
    }
    return count;
}

ScheduleRefusal InsertScheduleEntry(ConfigModel &model, const ScheduleEntry &entry)
{
    const ScheduleRefusal refusal = CheckScheduleEntry(model, entry);
    if (refusal != ScheduleRefusal::None)
        return refusal;
    const int count = model.ValidScheduleEntries();
    const int k = ScheduleInsertionIndex(model, entry);
    std::move_backward(model.ScheduleEntries.begin() + k, model.ScheduleEntries.begin() + count,
                       model.ScheduleEntries.begin() + count + 1);
    model.ScheduleEntries[k] = entry;
    model.ScheduleCount = count + 1;
    return ScheduleRefusal::None;
}

ScheduleRefusal InsertScheduleEntry(ConfigModel &model, const ScheduleEntry &entry, const DeviceIdentity &identity)
{
    ConfigModel trial = model;
    const ScheduleRefusal refusal = InsertScheduleEntry(trial, entry);
    if (refusal != ScheduleRefusal::None)
        return refusal;
    // The encoder corrects the model it is given: it gets a copy.
    ConfigModel encoded = trial;
    if (!EncodeConfigBlock(identity, encoded))
        return ScheduleRefusal::RecordFull;
    model.ScheduleEntries = trial.ScheduleEntries;
    model.ScheduleCount = trial.ScheduleCount;
    return ScheduleRefusal::None;
}

int RemoveScheduleEntries(ConfigModel &model, QList<int> rows)
{
    // From the last row to the first, so that the rows still to go keep
    // their places.
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    int removed = 0;
    for (int row : std::as_const(rows)) {
        const int count = model.ValidScheduleEntries();
        if (row < 0 || row >= count)
            continue;
        std::move(model.ScheduleEntries.begin() + row + 1, model.ScheduleEntries.begin() + count,
                  model.ScheduleEntries.begin() + row);
        model.ScheduleEntries[count - 1] = ScheduleEntry{};
        model.ScheduleCount = count - 1;
        ++removed;
    }
    return removed;
}
