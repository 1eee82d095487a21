// The SERVICE page's rules without widgets. Expected lists, labels,
// substitutes and enable decisions are written by hand, code by code.

#include "acceptedcodes.h"
#include "configtestrecords.h"

#include "panel/pagefields.h"
#include "panel/servicerules.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

ConfigModel ModelFor(int code)
{
    return ModelFor(Device(code));
}


TEST(ServiceRules, CodecListsFollowTheHardware)
{
    for (int code : AllCodes) {
        QStringList video{"H264"};
        if (code == 192)
            video = {"H264", "H265"};
        else if (code == 121)
            video = {"H264", "MPEG2-SD", "MPEG2"};
        EXPECT_EQ(VideoCodecItems(HardwareProfile::Of(code)), video) << code;
        const QStringList audio = code == 192 ? QStringList{"AAC-LC"} : QStringList{"AAC-LC", "MPEG1-L2"};
        EXPECT_EQ(AudioCodecItems(HardwareProfile::Of(code)), audio) << code;
    }
}

TEST(ServiceRules, FixedLists)
{
    EXPECT_EQ(VideoInputItems(), (QStringList{"HDMI", "COMP.", "PC"}));
    EXPECT_EQ(AudioInputItems(), (QStringList{"HDMI", "ANALOG"}));
    EXPECT_EQ(AudioBitrateItems(), (QStringList{"128 Kb/s", "192 Kb/s", "256 Kb/s", "320  Kb/s"}));
    EXPECT_EQ(AitControlCodeItems(), (QStringList{"reserved", "autostart", "present", "destroy", "kill", "prefetch",
                                                  "remote", "disabled", "playback"}));
}

TEST(ServiceRules, TabLabelsNameTheServiceAndTheFormatItsInputReceives)
{
    DeviceStatus status;
    EXPECT_EQ(ServiceTabLabel(0, status), QStringLiteral("M1A"));
    EXPECT_EQ(ServiceTabLabel(1, status), QStringLiteral("M1B"));
    EXPECT_EQ(ServiceTabLabel(2, status), QStringLiteral("M2A"));
    EXPECT_EQ(ServiceTabLabel(3, status), QStringLiteral("M2B"));

    status.InputPresent = {1, 1, 0, 5};
    status.InputLines = {1080, 720, 576, 480};
    status.InputProgressive = {0, 1, 0, 0};
    status.InputFrameRate = {50, 60, 25, 30};
    status.InputAudioAc3 = {0, 1, 0, 2};
    EXPECT_EQ(ServiceTabLabel(0, status), QStringLiteral("M1A 1080i50 PCM"));
    EXPECT_EQ(ServiceTabLabel(1, status), QStringLiteral("M1B 720P60 AC3"));
    // No picture on this input: the bare label, whatever the tab before shows.
    EXPECT_EQ(ServiceTabLabel(2, status), QStringLiteral("M2A"));
    EXPECT_EQ(ServiceTabLabel(3, status), QStringLiteral("M2B 480i30 AC3"));
}

struct NumericCase
{
    int code;
    FieldBinding field;
    const char *typed;
    std::function<qint32(const ConfigModel &)> stored;
    qint32 expected;
};

qint32 ServiceIdOf(const ConfigModel &m) { return m.Service[0].ServiceId; }
qint32 LcnOf(const ConfigModel &m) { return m.Service[0].Lcn; }
qint32 HdLcnOf(const ConfigModel &m) { return m.HdLcn; }
qint32 PmtPidOf(const ConfigModel &m) { return m.Service[0].PmtPid; }
qint32 VideoPidOf(const ConfigModel &m) { return m.Service[0].VideoPid; }
qint32 AudioPidOf(const ConfigModel &m) { return m.Service[0].AudioPid; }
qint32 AitPidOf(const ConfigModel &m) { return m.Service[0].AitPid; }
qint32 VideoPercentOf(const ConfigModel &m) { return m.Service[0].VideoPercent; }
qint32 VideoBitrateOf(const ConfigModel &m) { return m.Service[0].VideoBitrate; }
qint32 DelayOf(const ConfigModel &m) { return m.Service[0].AudioDelayMs; }
qint32 OrgIdOf(const ConfigModel &m) { return m.Service[0].AitOrgId; }

// The fields of the page keep a typed number in its member's range, or store
// the member's substitute.
TEST(ServiceRules, TypedNumbersOrTheirSubstitutes)
{
    using S = ServiceSettings;
    const NumericCase cases[] = {
        {131, {.ServiceNumber = &S::ServiceId}, "65535", ServiceIdOf, 65535},
        {131, {.ServiceNumber = &S::ServiceId}, "65536", ServiceIdOf, 100},
        {131, {.ServiceNumber = &S::ServiceId}, "0", ServiceIdOf, 0},
        {131, {.ServiceNumber = &S::ServiceId}, "", ServiceIdOf, 100},
        {131, {.ServiceNumber = &S::Lcn}, "0", LcnOf, 801},
        {131, {.ServiceNumber = &S::Lcn}, "1", LcnOf, 1},
        {131, {.ServiceNumber = &S::Lcn}, "", LcnOf, 801},
        {121, {.Number = &ConfigModel::HdLcn}, "0", HdLcnOf, 1},
        {121, {.Number = &ConfigModel::HdLcn}, "21", HdLcnOf, 21},
        {131, {.ServiceNumber = &S::PmtPid}, "20", PmtPidOf, 32},
        {131, {.ServiceNumber = &S::VideoPid}, "20", VideoPidOf, 33},
        {131, {.ServiceNumber = &S::AudioPid}, "20", AudioPidOf, 34},
        {131, {.ServiceNumber = &S::AitPid}, "20", AitPidOf, 100},
        {131, {.ServiceNumber = &S::PmtPid}, "31", PmtPidOf, 32},
        {131, {.ServiceNumber = &S::PmtPid}, "32", PmtPidOf, 32},
        {131, {.ServiceNumber = &S::VideoPid}, "32", VideoPidOf, 32},
        {131, {.ServiceNumber = &S::PmtPid}, "9000", PmtPidOf, 9000}, // no upper bound
        {131, {.ServiceNumber = &S::AudioPid}, "9000", AudioPidOf, 9000},
        {131, {.ServiceNumber = &S::AudioPid}, "", AudioPidOf, 34},
        {157, {.ServiceNumber = &S::VideoPercent}, "100", VideoPercentOf, 100},
        {157, {.ServiceNumber = &S::VideoPercent}, "101", VideoPercentOf, 100},
        {157, {.ServiceNumber = &S::VideoPercent}, "0", VideoPercentOf, 0},
        {131, {.ServiceNumber = &S::VideoBitrate}, "499", VideoBitrateOf, 9000},
        {131, {.ServiceNumber = &S::VideoBitrate}, "500", VideoBitrateOf, 500},
        {131, {.ServiceNumber = &S::VideoBitrate}, "15000", VideoBitrateOf, 15000},
        {131, {.ServiceNumber = &S::VideoBitrate}, "15001", VideoBitrateOf, 9000},
        {192, {.ServiceNumber = &S::VideoBitrate}, "abc", VideoBitrateOf, 9000},
        {132, {.ServiceNumber = &S::AudioDelayMs}, "-999", DelayOf, -999},
        {132, {.ServiceNumber = &S::AudioDelayMs}, "-1000", DelayOf, 0},
        {132, {.ServiceNumber = &S::AudioDelayMs}, "999", DelayOf, 999},
        {132, {.ServiceNumber = &S::AudioDelayMs}, "1000", DelayOf, 0},
        {132, {.ServiceNumber = &S::AudioDelayMs}, "", DelayOf, 0},
        {192, {.ServiceNumber = &S::AudioDelayMs}, "-999", DelayOf, 0},
        {192, {.ServiceNumber = &S::AudioDelayMs}, "-1", DelayOf, 0},
        {192, {.ServiceNumber = &S::AudioDelayMs}, "0", DelayOf, 0},
        {192, {.ServiceNumber = &S::AudioDelayMs}, "999", DelayOf, 999},
        {192, {.ServiceNumber = &S::AudioDelayMs}, "1000", DelayOf, 0},
        {132, {.ServiceNumber = &S::AitOrgId}, "70000", OrgIdOf, 70000}, // always as typed
        {132, {.ServiceNumber = &S::AitOrgId}, "", OrgIdOf, 0},
        {132, {.ServiceNumber = &S::AitOrgId}, "org", OrgIdOf, 0},
    };
    for (const NumericCase &c : cases) {
        ConfigModel model = ModelFor(c.code);
        StoreTyped(c.field, QString::fromLatin1(c.typed), model, 0, HardwareProfile::Of(c.code));
        EXPECT_EQ(c.stored(model), c.expected) << "code " << c.code << " typed \"" << c.typed << "\"";
    }
}

TEST(ServiceRules, TextsAreCutToTheirLengthsInTheServiceShown)
{
    ConfigModel model = ModelFor(176);
    const ConfigModel before = model;
    const HardwareProfile profile = HardwareProfile::Of(176);
    const QString hundredTen(110, u'x');
    using S = ServiceSettings;
    const std::pair<FieldBinding, qsizetype> texts[] = {
        {{.ServiceText = &S::ServiceName}, 32},
        {{.ServiceText = &S::EitName}, 40},
        {{.ServiceText = &S::EitText}, 100},
        {{.ServiceText = &S::AitName}, 60},
    };
    for (const auto &[binding, length] : texts) {
        StoreTyped(binding, hundredTen, model, 3, profile);
        EXPECT_EQ(BoundText(binding, model, 3)->size(), length);
    }
    StoreTyped({.ServiceNumber = &S::ServiceId}, u"404", model, 3, profile);
    EXPECT_EQ(model.Service[3].ServiceId, 404);
    for (int s = 0; s < 3; ++s)
        EXPECT_EQ(model.Service[s], before.Service[s]) << s;
}

TEST(ServiceRules, EveryApplicationTableEditAdvancesTheFirstServicesVersion)
{
    ConfigModel model = ModelFor(176);
    model.Service[0].AitVersion = 4;
    model.Service[1].AitVersion = 9;
    AdvanceAitVersion(model);
    AdvanceAitVersion(model);
    EXPECT_EQ(model.Service[0].AitVersion, 6);
    EXPECT_EQ(model.Service[1].AitVersion, 9);
    model.Service[0].AitVersion = 2147483647;
    AdvanceAitVersion(model);
    EXPECT_EQ(model.Service[0].AitVersion, -2147483647 - 1);
}

TEST(ServiceRules, ApplicationTableOnlyOnTheFirstServiceAndFollowingItsSwitch)
{
    const std::set<int> noTable{121, 128, 131, 142, 154, 157, 176, 178, 192};
    for (int code : AllCodes) {
        for (int enabled : {0, 1}) {
            ConfigModel model = ModelFor(code);
            model.Service[0].AitEnabled = enabled;
            model.Service[1].AitEnabled = 1;
            const ServiceEnables first = DecideServiceEnables(HardwareProfile::Of(code), model, 0);
            EXPECT_EQ(first.AitSwitch, !noTable.contains(code)) << code;
            EXPECT_EQ(first.AitFields, !noTable.contains(code) && enabled) << code;
            const ServiceEnables second = DecideServiceEnables(HardwareProfile::Of(code), model, 1);
            EXPECT_FALSE(second.AitSwitch) << code;
            EXPECT_FALSE(second.AitFields) << code;
        }
    }
}

TEST(ServiceRules, InputsOnlyOnFullHardware)
{
    ConfigModel model = ModelFor(131);
    model.HardwareType = 0;
    EXPECT_TRUE(DecideServiceEnables(HardwareProfile::Of(131), model, 0).Inputs);
    model.HardwareType = 1;
    EXPECT_FALSE(DecideServiceEnables(HardwareProfile::Of(131), model, 0).Inputs);
}

} // namespace
