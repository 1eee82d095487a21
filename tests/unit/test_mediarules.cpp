// The USB page's player, lamp and logo rules, against values written by hand.

#include "configtestrecords.h"

#include "panel/mediarules.h"
#include "panel/pagefields.h"

#include <gtest/gtest.h>

namespace {

TEST(MediaRules, NamesAreCutTo32Characters)
{
    ConfigModel model = ModelFor(Device(132));
    const FieldBinding media = {.Text = &ConfigModel::MediaFileName};
    const std::pair<const char *, const char *> cases[] = {
        {"0123456789abcdefghijABCDEFGHIJklmnopqrst", "0123456789abcdefghijABCDEFGHIJkl"},
        {"clip.ts", "clip.ts"},
        {"", ""},
    };
    for (const auto &[typed, kept] : cases) {
        StoreTyped(media, QString::fromLatin1(typed), model, 0, HardwareProfile::Of(132));
        EXPECT_EQ(model.MediaFileName, QLatin1String(kept)) << typed;
    }
}

TEST(MediaRules, LogoCoordinates)
{
    const std::pair<const char *, qint32> cases[] = {
        {"1200", 0}, {"1000", 1000}, {"", 0}, {"0", 0}, {"1001", 0}, {"999", 999},
        {"  42", 42}, {"42px", 42}, {"px42", 0}, {"-5", 0}, {"4 2", 4},
        {"99999999999999999999", 0}, {"0001000", 1000},
    };
    ConfigModel model = ModelFor(Device(132));
    for (const auto &[text, value] : cases) {
        model.OverlayLogoX = 7;
        StoreTyped({.Number = &ConfigModel::OverlayLogoX}, QString::fromLatin1(text), model, 0, HardwareProfile::Of(132));
        EXPECT_EQ(model.OverlayLogoX, value) << text;
    }
}

TEST(MediaRules, ClickingTheChosenPositionClearsIt)
{
    EXPECT_EQ(NextLogoPosition(0, 5), 5);
    EXPECT_EQ(NextLogoPosition(5, 5), 0);
    EXPECT_EQ(NextLogoPosition(5, 9), 9);
    EXPECT_EQ(NextLogoPosition(9, 1), 1);
}

TEST(MediaRules, AutoModeTexts)
{
    const char *const texts[] = {"", "---", "MP", "MR", "AP", "AR", "", ""};
    for (int code = 0; code < 8; ++code)
        EXPECT_EQ(AutoModeText(quint8(code)), QLatin1String(texts[code])) << code;
    EXPECT_EQ(AutoModeText(255), QString());
}

TEST(MediaRules, LampsFollowTheFirstInput)
{
    struct Case
    {
        quint8 player;
        quint16 lines;
        MediaLamps lamps; // play, record, hdmi
    };
    const Case cases[] = {
        {0, 1080, {false, false, true}},
        {0, 0, {false, false, false}},
        {1, 1080, {false, true, false}}, // recording: HDMI dark despite the picture
        {2, 1080, {true, false, true}},
        {2, 0, {true, false, false}},
        {3, 576, {false, false, true}},
    };
    for (const Case &c : cases) {
        DeviceStatus status;
        status.InputPlayerState[0] = c.player;
        status.InputLines[0] = c.lines;
        EXPECT_EQ(MediaLampsOf(status), c.lamps) << int(c.player) << " " << c.lines;
    }
    // The other inputs do not light the lamps.
    DeviceStatus second;
    second.InputPlayerState[1] = 2;
    second.InputLines[1] = 720;
    EXPECT_EQ(MediaLampsOf(second), MediaLamps{});
}

TEST(MediaRules, ClockFieldText)
{
    EXPECT_EQ(DeviceClockText(DeviceDateTime{2024, 5, 1, 9, 5, 59}), QStringLiteral("09:05"));
    EXPECT_EQ(DeviceClockText(DeviceDateTime{2024, 5, 1, 23, 59, 0}), QStringLiteral("23:59"));
}

} // namespace
