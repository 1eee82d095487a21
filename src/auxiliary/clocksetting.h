#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QtGlobal>

class CXmit;

// A date and time as the device's clock holds it.
struct ClockFields
{
    quint16 Year = 0; // full year, 2024
    quint8 Month = 0; // 1..12
    quint8 Day = 0;   // 1..31
    quint8 Hour = 0;
    quint8 Minute = 0;
    quint8 Second = 0;

    bool operator==(const ClockFields &) const = default;
};

// A real date and time from 1900 to 9999, which the date and time pickers
// can show: the clock a device reports before its first poll (all zeros), a
// day such as 31 February, or the year 40000 is not.
bool IsValidClock(const ClockFields &clock);
ClockFields ClockFieldsOf(const QDateTime &moment);

// The clock the clock dialog starts from: the device's when it is valid,
// else the computer's (now), so that OK without a change sends nothing.
ClockFields ClockDialogStart(const ClockFields &device, const QDateTime &now);

// What OK does with the pickers' date and time: when the year, month, day,
// hour or minute differs from the clock, the clock takes them with the
// seconds at 0 and the result is true; otherwise the clock stays as it is.
bool ApplyClockEdit(ClockFields &clock, const QDate &date, const QTime &time);

// The data of CMD_SET_CLOCK after its sub-operation byte: year (low byte
// first), month, day, hour, minute, second.
QByteArray SetClockData(const ClockFields &clock);
// Sends the clock to the device; the device's answer only tells whether the
// exchange succeeded.
bool SendDeviceClock(CXmit &xmit, const ClockFields &clock);
