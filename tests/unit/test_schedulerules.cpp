// The USB schedule's rules, against dates, texts and orders written by hand.

#include "auxiliary/texttable.h"
#include "panel/schedulerules.h"

#include <gtest/gtest.h>

namespace {

// 2024/05/01 packs as day 0x01, month 0x05, year 0x07E8.
constexpr quint32 May1 = 0x07E80501;
constexpr quint32 May2 = 0x07E80502;
constexpr quint32 Monday = 1, Friday = 1 << 4, MondayToFriday = 0x1F;

ScheduleEntry Entry(quint32 startDate, quint32 startTime, quint32 stopDate, quint32 stopTime,
                    const QString &file = QStringLiteral("clip.ts"), quint32 week = MondayToFriday)
{
    ScheduleEntry entry;
    entry.StartDate = startDate;
    entry.StartTime = startTime;
    entry.StopDate = stopDate;
    entry.StopTime = stopTime;
    entry.WeekMask = week;
    entry.File = file;
    return entry;
}

QStringList Files(const ConfigModel &model)
{
    QStringList files;
    for (int i = 0; i < model.ScheduleCount; ++i)
        files << model.ScheduleEntries[i].File;
    return files;
}

class ScheduleTexts : public testing::Test
{
protected:
    void TearDown() override { LanguageIndex = 0; }
};

TEST_F(ScheduleTexts, DatesTimesWeeksAndActions)
{
    EXPECT_EQ(PackScheduleDate(2024, 5, 1), May1);
    EXPECT_EQ(PackScheduleDate(2025, 12, 31), 0x07E90C1Fu);
    EXPECT_EQ(ScheduleMinutes(10, 15), 615u);
    EXPECT_EQ(ScheduleDateText(May1), QStringLiteral("2024/05/01"));
    EXPECT_EQ(ScheduleDateText(0x00630C1F), QStringLiteral("0099/12/31"));

    const std::pair<quint32, const char *> times[] = {{0, "0:00"}, {59, "0:59"}, {60, "1:00"},
                                                      {605, "10:05"}, {1439, "23:59"}};
    for (const auto &[minutes, text] : times)
        EXPECT_EQ(ScheduleTimeText(minutes), QLatin1String(text)) << minutes;

    EXPECT_EQ(ScheduleWeekText(MondayToFriday), QStringLiteral("MTWTF--"));
    EXPECT_EQ(ScheduleWeekText(0x60), QStringLiteral("-----SS"));
    EXPECT_EQ(ScheduleWeekText(Monday | Friday), QStringLiteral("M---F--"));
    EXPECT_EQ(ScheduleWeekText(0), QStringLiteral("-------"));
    LanguageIndex = 1; // French
    EXPECT_EQ(ScheduleWeekText(MondayToFriday), QStringLiteral("LMMJV--"));
    EXPECT_EQ(ScheduleWeekText(0x7F), QStringLiteral("LMMJVSD"));
    LanguageIndex = 3; // German uses the English letters
    EXPECT_EQ(ScheduleWeekText(0x7F), QStringLiteral("MTWTFSS"));

    EXPECT_EQ(ScheduleActionText(0), QStringLiteral("Play"));
    EXPECT_EQ(ScheduleActionText(1), QStringLiteral("Rec"));
    EXPECT_EQ(ScheduleActionText(7), QStringLiteral("Rec"));
}

TEST(ScheduleRules, Refusals)
{
    const struct
    {
        ScheduleEntry entry;
        ScheduleRefusal refusal;
    } cases[] = {
        {Entry(May1, 600, May1, 600), ScheduleRefusal::None}, // stop equal to start
        {Entry(May1, 600, May1, 599), ScheduleRefusal::StopBeforeStart},
        {Entry(May1, 600, May2, 599), ScheduleRefusal::None},
        {Entry(May2, 0, May1, 1439), ScheduleRefusal::StopBeforeStart},
        // Packed dates compare in calendar order across months and years.
        {Entry(0x07E8041E, 900, 0x07E80501, 0), ScheduleRefusal::None},
        {Entry(0x07E80C1F, 0, 0x07E90101, 0), ScheduleRefusal::None},
        {Entry(May1, 0, May1, 10, QString()), ScheduleRefusal::NoFile},
        {Entry(May1, 0, May1, 10, QStringLiteral("a.ts"), 0), ScheduleRefusal::NoDay},
    };
    for (const auto &[entry, refusal] : cases) {
        ConfigModel model;
        EXPECT_EQ(InsertScheduleEntry(model, entry), refusal) << entry.StartTime << " " << entry.StopTime;
        EXPECT_EQ(model.ScheduleCount, refusal == ScheduleRefusal::None ? 1 : 0);
    }
}

TEST(ScheduleRules, NewEntriesGoAfterEveryEntryWithTheSameStart)
{
    ConfigModel model;
    ASSERT_EQ(InsertScheduleEntry(model, Entry(May1, 720, May1, 800, QStringLiteral("noon"))), ScheduleRefusal::None);
    ASSERT_EQ(InsertScheduleEntry(model, Entry(May1, 600, May1, 700, QStringLiteral("ten"))), ScheduleRefusal::None);
    EXPECT_EQ(Files(model), QStringList({"ten", "noon"}));

    const ScheduleEntry secondTen = Entry(May1, 600, May1, 900, QStringLiteral("ten again"));
    EXPECT_EQ(ScheduleInsertionIndex(model, secondTen), 1);
    ASSERT_EQ(InsertScheduleEntry(model, secondTen), ScheduleRefusal::None);
    EXPECT_EQ(Files(model), QStringList({"ten", "ten again", "noon"}));

    ASSERT_EQ(InsertScheduleEntry(model, Entry(May2, 0, May2, 1, QStringLiteral("next day"))), ScheduleRefusal::None);
    ASSERT_EQ(InsertScheduleEntry(model, Entry(May1, 0, May1, 1, QStringLiteral("midnight"))), ScheduleRefusal::None);
    EXPECT_EQ(Files(model), QStringList({"midnight", "ten", "ten again", "noon", "next day"}));
}

TEST(ScheduleRules, TenEntriesAtMostAndRoomAgainAfterADeletion)
{
    ConfigModel model;
    for (int i = 0; i < 10; ++i)
        ASSERT_EQ(InsertScheduleEntry(model, Entry(May1, quint32(i), May1, 100)), ScheduleRefusal::None) << i;
    const ConfigModel full = model;
    EXPECT_EQ(InsertScheduleEntry(model, Entry(May2, 0, May2, 1)), ScheduleRefusal::ListFull);
    EXPECT_EQ(model, full);

    EXPECT_EQ(RemoveScheduleEntries(model, {9}), 1);
    EXPECT_EQ(InsertScheduleEntry(model, Entry(May2, 0, May2, 1, QStringLiteral("last"))), ScheduleRefusal::None);
    EXPECT_EQ(model.ScheduleCount, 10);
    EXPECT_EQ(model.ScheduleEntries[9].File, QStringLiteral("last"));

    // A count beyond the array from elsewhere is taken as a full list.
    model.ScheduleCount = 200;
    EXPECT_EQ(InsertScheduleEntry(model, Entry(May2, 0, May2, 1)), ScheduleRefusal::ListFull);
}

TEST(ScheduleRules, RefusesAnEntryTheDeviceRecordHasNoRoomFor)
{
    const DeviceIdentity identity{131, 0, 0};
    ConfigModel model;
    // 14 bytes, a 100-character name and its zero byte: ten such entries
    // alone would pass the 1024 bytes of the record.
    const QString longName(100, QLatin1Char('n'));
    int taken = 0;
    ScheduleRefusal refusal = ScheduleRefusal::None;
    while (taken <= 10
           && (refusal = InsertScheduleEntry(model, Entry(May1, quint32(taken), May1, 1439, longName), identity))
                  == ScheduleRefusal::None)
        ++taken;
    EXPECT_EQ(refusal, ScheduleRefusal::RecordFull);
    EXPECT_GT(taken, 0);
    EXPECT_LT(taken, 9);
    EXPECT_EQ(model.ScheduleCount, taken);
    ConfigModel written = model;
    const std::optional<QByteArray> record = EncodeConfigBlock(identity, written);
    ASSERT_TRUE(record.has_value());
    EXPECT_GT(record->size() + 115, ConfigBlockCapacity);

    // After a deletion there is room again.
    EXPECT_EQ(RemoveScheduleEntries(model, {0}), 1);
    EXPECT_EQ(InsertScheduleEntry(model, Entry(May2, 0, May2, 1, longName), identity),
              ScheduleRefusal::None);
    EXPECT_EQ(model.ScheduleCount, taken);
}

TEST(ScheduleRules, RemovesExactlyTheRowsGiven)
{
    ConfigModel model;
    for (const char *file : {"a", "b", "c", "d", "e"})
        ASSERT_EQ(InsertScheduleEntry(model, Entry(May1, 600, May1, 700, QLatin1String(file))), ScheduleRefusal::None);

    // Rows 2 and 4 of five, counted from one; repeated and unknown rows are
    // passed over.
    EXPECT_EQ(RemoveScheduleEntries(model, {3, 1, 3, 7, -1}), 2);
    EXPECT_EQ(Files(model), QStringList({"a", "c", "e"}));
    EXPECT_EQ(model.ScheduleEntries[3], ScheduleEntry{});
    EXPECT_EQ(RemoveScheduleEntries(model, {}), 0);
    EXPECT_EQ(RemoveScheduleEntries(model, {0, 1, 2}), 3);
    EXPECT_EQ(model.ScheduleCount, 0);
}

} // namespace
