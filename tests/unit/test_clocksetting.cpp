// The clock dialog's rules: where it starts, what OK keeps, what is sent.

#include "auxiliary/clocksetting.h"

#include <gtest/gtest.h>

namespace {

TEST(ClockSetting, ValidClocks)
{
    EXPECT_TRUE(IsValidClock({2024, 2, 29, 23, 59, 59}));
    EXPECT_TRUE(IsValidClock({1900, 1, 1, 0, 0, 0}));
    EXPECT_FALSE(IsValidClock({})); // before the first poll
    EXPECT_FALSE(IsValidClock({1899, 12, 31, 12, 0, 0}));
    EXPECT_FALSE(IsValidClock({2023, 2, 29, 12, 0, 0}));
    EXPECT_FALSE(IsValidClock({2024, 13, 1, 12, 0, 0}));
    EXPECT_FALSE(IsValidClock({2024, 1, 32, 12, 0, 0}));
    EXPECT_FALSE(IsValidClock({2024, 1, 1, 24, 0, 0}));
    EXPECT_FALSE(IsValidClock({2024, 1, 1, 12, 60, 0}));
    EXPECT_FALSE(IsValidClock({2024, 1, 1, 12, 0, 60}));
    // The pickers end with the year 9999: a later year could not be shown,
    // and OK would send the picker's last day as a change.
    EXPECT_TRUE(IsValidClock({9999, 12, 31, 23, 59, 59}));
    EXPECT_FALSE(IsValidClock({10000, 1, 1, 12, 0, 0}));
    EXPECT_FALSE(IsValidClock({0xFFFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(ClockSetting, StartsFromTheDeviceClockOrElseFromNow)
{
    const QDateTime now(QDate(2025, 3, 14), QTime(15, 9, 26));
    const ClockFields device{2024, 5, 1, 10, 15, 42};
    EXPECT_EQ(ClockDialogStart(device, now), device);
    EXPECT_EQ(ClockDialogStart(ClockFields{}, now), (ClockFields{2025, 3, 14, 15, 9, 26}));
    EXPECT_EQ(ClockDialogStart(ClockFields{2024, 2, 30, 10, 0, 0}, now), (ClockFields{2025, 3, 14, 15, 9, 26}));
    EXPECT_EQ(ClockDialogStart(ClockFields{40000, 5, 1, 10, 15, 42}, now), (ClockFields{2025, 3, 14, 15, 9, 26}));
}

TEST(ClockSetting, OkKeepsAChangeWithSecondsZero)
{
    ClockFields clock{2024, 5, 1, 10, 15, 42};
    // The same minute: nothing changes, not even the seconds.
    EXPECT_FALSE(ApplyClockEdit(clock, QDate(2024, 5, 1), QTime(10, 15, 5)));
    EXPECT_EQ(clock, (ClockFields{2024, 5, 1, 10, 15, 42}));

    EXPECT_TRUE(ApplyClockEdit(clock, QDate(2024, 5, 1), QTime(10, 16)));
    EXPECT_EQ(clock, (ClockFields{2024, 5, 1, 10, 16, 0}));

    EXPECT_TRUE(ApplyClockEdit(clock, QDate(2024, 2, 29), QTime(10, 16)));
    EXPECT_EQ(clock, (ClockFields{2024, 2, 29, 10, 16, 0}));

    for (const auto &[date, time] : {std::pair{QDate(2025, 2, 28), QTime(10, 16)},
                                     std::pair{QDate(2024, 3, 29), QTime(10, 16)},
                                     std::pair{QDate(2024, 2, 29), QTime(11, 16)}}) {
        ClockFields before{2024, 2, 29, 10, 16, 30};
        EXPECT_TRUE(ApplyClockEdit(before, date, time)) << date.toString().toStdString();
        EXPECT_EQ(before.Second, 0);
    }
}

TEST(ClockSetting, SetClockDataIsYearLowByteFirstThenTheFields)
{
    EXPECT_EQ(SetClockData({2024, 2, 29, 10, 16, 0}), QByteArray::fromHex("e807021d0a1000"));
    EXPECT_EQ(SetClockData({2025, 12, 31, 23, 59, 50}), QByteArray::fromHex("e9070c1f173b32"));
}

} // namespace
