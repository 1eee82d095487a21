#pragma once

#include "config/configmodel.h"
#include "config/recordio.h"
#include "hardware/hardwareprofile.h"

// The field sequences of the four record layouts, each visited with a
// RecordReader (decoding) or a RecordWriter (encoding). Optional fields are
// read only while data remains and take their absent values otherwise; the
// writer writes them all. Layout 2's header is the codec's business.
template <class Io>
void VisitLayout0(Io &io, ConfigModel &model);
template <class Io>
void VisitLayout1(Io &io, ConfigModel &model, const HardwareProfile &profile);
template <class Io>
void VisitLayout2(Io &io, ConfigModel &model);
template <class Io>
void VisitLayout3(Io &io, ConfigModel &model);

// ScheduleCount and its entries, as layouts 1, 2 and 3 store them.
template <class Io>
void VisitSchedule(Io &io, ConfigModel &model);

// The mode flag of layouts 2 and 3: 0 for DVB-T, any other value DVB-C.
template <class Io>
void ModeFlag(Io &io, qint32 &mode)
{
    Converted(io, 1, mode, [](quint32 value) { return value == 1 ? 0u : 1u; },
              [](quint32 flag) { return flag == 0 ? 1u : 2u; });
}
