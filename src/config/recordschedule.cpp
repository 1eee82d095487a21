#include "config/recordlayouts.h"

#include <algorithm>

namespace {

// The record keeps the times next to their dates, unlike the model.
template <class Io>
void Entry(Io &io, ScheduleEntry &entry)
{
    io.uint32(entry.StartDate);
    io.uint16(entry.StartTime);
    io.uint32(entry.StopDate);
    io.uint16(entry.StopTime);
    io.byte(entry.WeekMask);
    io.byte(entry.Action);
    io.text(entry.File);
}

} // namespace

// The model has room for ten entries. A record announcing more is read in
// full, so that the fields after it stay in step, but only the first ten are
// kept: refusing it would leave a model that the next write would put over
// the whole of the device's configuration.
template <class Io>
void VisitSchedule(Io &io, ConfigModel &model)
{
    qint32 count = model.ValidScheduleEntries();
    io.byte(count);
    ScheduleEntry surplus;
    for (int i = 0; i < count && io.ok(); ++i)
        Entry(io, i < ConfigModel::MaxScheduleEntries ? model.ScheduleEntries[i] : surplus);
    SetWhenReading(io, model.ScheduleCount, std::min(count, ConfigModel::MaxScheduleEntries));
}

template void VisitSchedule(RecordReader &, ConfigModel &);
template void VisitSchedule(RecordWriter &, ConfigModel &);
