#include "auxiliary/clocksetting.h"

#include "link/cxmit.h"

namespace {

constexpr int FirstValidYear = 1900;
// The date pickers end with this year.
constexpr int LastValidYear = 9999;

} // namespace

bool IsValidClock(const ClockFields &clock)
{
    return clock.Year >= FirstValidYear && clock.Year <= LastValidYear
        && QDate::isValid(clock.Year, clock.Month, clock.Day)
        && QTime::isValid(clock.Hour, clock.Minute, clock.Second);
}

ClockFields ClockFieldsOf(const QDateTime &moment)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    return ClockFields{quint16(date.year()), quint8(date.month()), quint8(date.day()),
                       quint8(time.hour()), quint8(time.minute()), quint8(time.second())};
}

ClockFields ClockDialogStart(const ClockFields &device, const QDateTime &now)
{
    return IsValidClock(device) ? device : ClockFieldsOf(now);
}

bool ApplyClockEdit(ClockFields &clock, const QDate &date, const QTime &time)
{
    const ClockFields edited{quint16(date.year()), quint8(date.month()), quint8(date.day()),
                             quint8(time.hour()), quint8(time.minute()), 0};
    if (edited.Year == clock.Year && edited.Month == clock.Month && edited.Day == clock.Day
        && edited.Hour == clock.Hour && edited.Minute == clock.Minute)
        return false;
    clock = edited;
    return true;
}

QByteArray SetClockData(const ClockFields &clock)
{
    QByteArray data;
    data.append(char(clock.Year & 0xFF));
    data.append(char(clock.Year >> 8));
    data.append(char(clock.Month));
    data.append(char(clock.Day));
    data.append(char(clock.Hour));
    data.append(char(clock.Minute));
    data.append(char(clock.Second));
    return data;
}

bool SendDeviceClock(CXmit &xmit, const ClockFields &clock)
{
    return xmit.Send(CMD_SET_CLOCK, SetClockData(clock));
}
