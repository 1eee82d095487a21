// Status replies are written here byte by byte; the decoder under test never
// produces them.

#include "configtestrecords.h"

#include "config/devicestatus.h"

#include <QJsonArray>
#include <QJsonObject>

#include <functional>
#include <set>

namespace {

StatusReplyFormat Format(int code, int versionByte)
{
    return HardwareProfile::Of(code, versionByte).StatusReply();
}

const StatusReplyFormat Code132 = Format(132, 14);
const StatusReplyFormat Code121 = Format(121, 35);
const StatusReplyFormat Code176 = Format(176, 14);
const StatusReplyFormat Code192v14 = Format(192, 14);
const StatusReplyFormat Code192v15 = Format(192, 15);

// One input group: present, lines, progressive, frame rate, AC-3, player state.
RecordBytes &Input(RecordBytes &r, int present, int lines, int progressive, int rate, int ac3, int player)
{
    return r.u16(present).u16(lines).u8(progressive).u8(rate).u8(ac3).u8(player);
}

RecordBytes &Clock(RecordBytes &r)
{
    return r.u16(2024).u8(2).u8(29).u8(23).u8(59).u8(58);
}

// A status that earlier polls left behind, different from every reply below.
DeviceStatus Previous()
{
    DeviceStatus status;
    status.InputLines = {111, 222, 333, 444};
    status.AutoModeCode = 5;
    status.StoragePresent = 1;
    status.MediaFiles = {QStringLiteral("old.ts")};
    status.MediaFilesKey = QStringLiteral("old.ts");
    status.DeviceClock = {2001, 1, 2, 3, 4, 5};
    status.LogoFiles = {QStringLiteral("old.dg1")};
    status.LogoFilesKey = QStringLiteral("old.dg1");
    status.MuxAvailableBps = {1, 2, 3, 4};
    status.MuxUsedKbps = {5, 6, 7, 8};
    return status;
}

// Code 192 version 15, every field present: one input, two media names,
// the clock, two logo names, one multiplex. Byte offsets of the field ends
// are returned for the prefix test.
struct FullReply
{
    RecordBytes bytes;
    int afterMedia = 0;
    int afterClock = 0;
    int afterLogos = 0;
};

FullReply Full192()
{
    FullReply reply;
    RecordBytes &r = reply.bytes;
    Input(r, 1, 1080, 0, 50, 1, 2);
    r.u8(3).u8(2).text("clip one.ts").text("b.ts");
    reply.afterMedia = r.size();
    Clock(r);
    reply.afterClock = r.size();
    r.u8(2).text("station.dg1").text("x.dg1");
    reply.afterLogos = r.size();
    r.u32(24000000).u32(9000);
    return reply;
}

DeviceStatus DecodedOver(const DeviceStatus &previous, const QByteArray &reply, const StatusReplyFormat &format)
{
    DeviceStatus status = previous;
    EXPECT_TRUE(DecodeStatusReply(reply, format, status));
    return status;
}

} // namespace

TEST(DeviceStatusDecode, FullReplyOfCode192Version15)
{
    const DeviceStatus status = DecodedOver(Previous(), Full192().bytes, Code192v15);
    EXPECT_EQ(status.InputPresent[0], 1);
    EXPECT_EQ(status.InputLines[0], 1080);
    EXPECT_EQ(status.InputFrameRate[0], 50);
    EXPECT_EQ(status.InputAudioAc3[0], 1);
    EXPECT_EQ(status.InputPlayerState[0], 2);
    EXPECT_EQ(status.AutoModeCode, 3);
    EXPECT_EQ(status.MediaFiles, QStringList({"clip one.ts", "b.ts"}));
    EXPECT_EQ(status.MediaFilesKey, "clip one.ts_b.ts");
    EXPECT_EQ(status.DeviceClock, (DeviceDateTime{2024, 2, 29, 23, 59, 58}));
    EXPECT_EQ(status.LogoFiles, QStringList({"station.dg1", "x.dg1"}));
    EXPECT_EQ(status.LogoFilesKey, "station.dg1_x.dg1");
    EXPECT_EQ(status.MuxAvailableBps[0], 24000000u);
    EXPECT_EQ(status.MuxUsedKbps[0], 9000u);
    // Inputs and multiplexes the hardware does not have keep their values.
    EXPECT_EQ(status.InputLines[1], 222);
    EXPECT_EQ(status.MuxAvailableBps[1], 2u);
}

TEST(DeviceStatusDecode, MediaCount255MeansNoStorageAndZeroAnEmptyStorage)
{
    RecordBytes none;
    Input(none, 1, 576, 0, 50, 0, 0).u8(0).u8(255);
    DeviceStatus status = DecodedOver(Previous(), none, Code132);
    EXPECT_EQ(status.StoragePresent, 0);
    EXPECT_TRUE(status.MediaFiles.isEmpty());
    EXPECT_TRUE(status.MediaFilesKey.isEmpty());

    RecordBytes empty;
    Input(empty, 1, 576, 0, 50, 0, 0).u8(0).u8(0);
    status = DecodedOver(DeviceStatus{}, empty, Code132);
    EXPECT_EQ(status.StoragePresent, 1);
    EXPECT_TRUE(status.MediaFiles.isEmpty());
    EXPECT_TRUE(status.MediaFilesKey.isEmpty());
}

TEST(DeviceStatusDecode, NoAutomaticModeByteOnCodes121And128)
{
    RecordBytes r;
    Input(r, 1, 720, 1, 60, 0, 0).u8(1).text("a.ts");
    for (int code : {121, 128}) {
        const DeviceStatus status = DecodedOver(Previous(), r, Format(code, 14));
        EXPECT_EQ(status.AutoModeCode, 0) << code;
        EXPECT_EQ(status.MediaFiles, QStringList({"a.ts"})) << code;
    }
}

TEST(DeviceStatusDecode, FourServicesAndTwoMultiplexesOnCode176)
{
    RecordBytes r;
    for (int s = 0; s < 4; ++s)
        Input(r, s % 2, 480 + s, 1, 30, 0, s == 0 ? 1 : 0);
    r.u8(4).u8(255);
    Clock(r);
    r.u32(31000000).u32(8000).u32(15000000).u32(4000);
    const DeviceStatus status = DecodedOver(Previous(), r, Code176);
    EXPECT_EQ(status.InputPresent, (std::array<quint16, 4>{0, 1, 0, 1}));
    EXPECT_EQ(status.InputLines, (std::array<quint16, 4>{480, 481, 482, 483}));
    EXPECT_EQ(status.InputPlayerState[0], 1);
    EXPECT_EQ(status.AutoModeCode, 4);
    EXPECT_EQ(status.MuxAvailableBps, (std::array<quint32, 4>{31000000, 15000000, 3, 4}));
    EXPECT_EQ(status.MuxUsedKbps, (std::array<quint32, 4>{8000, 4000, 7, 8}));
}

TEST(DeviceStatusDecode, LogoNamesOnlyOnCode192FromVersion15)
{
    // Version 14 has no logo field: the bytes after the clock are bitrates.
    RecordBytes r;
    Input(r, 1, 1080, 0, 50, 0, 0).u8(0).u8(255);
    Clock(r);
    r.u32(20000000).u32(7000);
    DeviceStatus status = DecodedOver(Previous(), r, Code192v14);
    EXPECT_EQ(status.LogoFiles, QStringList({"old.dg1"}));
    EXPECT_EQ(status.MuxAvailableBps[0], 20000000u);
    EXPECT_EQ(status.StoragePresent, 0);

    // A logo count sets the storage flag even when the media count says none;
    // 255 gives an empty list and leaves the flag to the media count.
    RecordBytes logos;
    Input(logos, 1, 1080, 0, 50, 0, 0).u8(0).u8(255);
    Clock(logos);
    logos.u8(1).text("one.dg1").u32(20000000).u32(7000);
    status = DecodedOver(Previous(), logos, Code192v15);
    EXPECT_EQ(status.LogoFiles, QStringList({"one.dg1"}));
    EXPECT_EQ(status.StoragePresent, 1);
    EXPECT_EQ(status.MuxUsedKbps[0], 7000u);

    RecordBytes noLogos;
    Input(noLogos, 1, 1080, 0, 50, 0, 0).u8(0).u8(255);
    Clock(noLogos);
    noLogos.u8(255);
    status = DecodedOver(Previous(), noLogos, Code192v15);
    EXPECT_TRUE(status.LogoFiles.isEmpty());
    EXPECT_TRUE(status.LogoFilesKey.isEmpty());
    EXPECT_EQ(status.StoragePresent, 0);
}

TEST(DeviceStatusDecode, ReplyEndingEarlyKeepsThePreviousOptionalFields)
{
    const FullReply full = Full192();
    const QByteArray bytes = full.bytes;
    const DeviceStatus previous = Previous();

    // Ending after the media names: clock, logos and bitrates stay.
    DeviceStatus status = DecodedOver(previous, bytes.left(full.afterMedia), Code192v15);
    EXPECT_EQ(status.MediaFiles.size(), 2);
    EXPECT_EQ(status.DeviceClock, previous.DeviceClock);
    EXPECT_EQ(status.LogoFiles, previous.LogoFiles);
    EXPECT_EQ(status.LogoFilesKey, previous.LogoFilesKey);
    EXPECT_EQ(status.MuxAvailableBps, previous.MuxAvailableBps);
    EXPECT_EQ(status.MuxUsedKbps, previous.MuxUsedKbps);

    // Ending after the clock: logos and bitrates stay.
    status = DecodedOver(previous, bytes.left(full.afterClock), Code192v15);
    EXPECT_EQ(status.DeviceClock.Year, 2024);
    EXPECT_EQ(status.LogoFiles, previous.LogoFiles);
    EXPECT_EQ(status.MuxUsedKbps, previous.MuxUsedKbps);

    // Ending after the logos: the bitrates stay.
    status = DecodedOver(previous, bytes.left(full.afterLogos), Code192v15);
    EXPECT_EQ(status.LogoFiles.size(), 2);
    EXPECT_EQ(status.MuxUsedKbps, previous.MuxUsedKbps);
}

TEST(DeviceStatusDecode, ReplyCutInsideAFieldIsRefusedAndChangesNothing)
{
    const FullReply full = Full192();
    const QByteArray bytes = full.bytes;
    const std::set<int> fieldEnds = {full.afterMedia, full.afterClock, full.afterLogos, full.bytes.size()};
    DeviceStatus previous = Previous();
    MarkInputsUnreported(previous, 1);
    for (int length = 0; length <= bytes.size(); ++length) {
        DeviceStatus status = previous;
        const bool decoded = DecodeStatusReply(bytes.left(length), Code192v15, status);
        EXPECT_EQ(decoded, fieldEnds.contains(length)) << "length " << length;
        if (!decoded) {
            EXPECT_EQ(status, previous) << "length " << length;
        }
    }
}

TEST(DeviceStatusDecode, NamesBeyondCapacityAreReadButNotKept)
{
    for (const StatusReplyFormat &format : {Code132, Code192v15}) {
        const bool logos = format.HasLogoList;
        RecordBytes r;
        Input(r, 1, 1080, 0, 50, 0, 0).u8(0);
        const auto names = [&r](const char *stem, int count) {
            r.u8(count);
            for (int k = 0; k < count; ++k)
                r.text(QStringLiteral("%1%2").arg(QLatin1String(stem)).arg(k).toLatin1().constData());
        };
        names("m", logos ? 3 : 254);
        Clock(r);
        if (logos)
            names("l", 55);
        r.u32(12345678).u32(4321);

        const DeviceStatus status = DecodedOver(DeviceStatus{}, r, format);
        const QStringList &kept = logos ? status.LogoFiles : status.MediaFiles;
        const QString &key = logos ? status.LogoFilesKey : status.MediaFilesKey;
        ASSERT_EQ(kept.size(), DeviceStatus::MaxFileNames) << logos;
        EXPECT_EQ(kept.last(), logos ? "l53" : "m53");
        EXPECT_EQ(key, kept.join(QLatin1Char('_')));
        // The fields behind the long list are still found.
        EXPECT_EQ(status.DeviceClock.Second, 58);
        EXPECT_EQ(status.MuxAvailableBps[0], 12345678u);
        EXPECT_EQ(status.MuxUsedKbps[0], 4321u);
    }
}

TEST(DeviceStatusChanges, MarkersMakeTheFirstPollAChange)
{
    RecordBytes r;
    Input(r, 0, 0, 0, 0, 0, 0).u8(0).u8(255);
    DeviceStatus polled;
    ASSERT_TRUE(DecodeStatusReply(r, Code132, polled));

    // Even a poll equal to a fresh status counts once the markers are set.
    DeviceStatus last;
    EXPECT_FALSE(ApplyStatusChanges(polled, last).any());
    MarkInputsUnreported(last, Code132.ServiceCount);
    EXPECT_EQ(last.InputPresent, (std::array<quint16, 4>{0x7777, 0, 0, 0}));
    const StatusChanges first = ApplyStatusChanges(polled, last);
    EXPECT_TRUE(first.Inputs);
    EXPECT_FALSE(first.MediaList || first.LogoList || first.AutoMode || first.Storage);
    EXPECT_EQ(last.InputPresent[0], 0);
    EXPECT_FALSE(ApplyStatusChanges(polled, last).any());

    // Counts beyond the arrays stay inside them.
    for (const int services : {4, 9}) {
        DeviceStatus marked;
        MarkInputsUnreported(marked, services);
        EXPECT_EQ(marked.InputPresent, (std::array<quint16, 4>{0x7777, 0x7777, 0x7777, 0x7777}));
    }
}

TEST(DeviceStatusChanges, EachComparedFieldIsReportedAndCopied)
{
    struct Case
    {
        const char *name;
        std::function<void(DeviceStatus &)> change;
        bool StatusChanges::*flag;
    };
    const Case cases[] = {
        {"input lines of the fourth input", [](DeviceStatus &s) { s.InputLines[3] = 1; }, &StatusChanges::Inputs},
        {"progressive", [](DeviceStatus &s) { s.InputProgressive[0] = 1; }, &StatusChanges::Inputs},
        {"frame rate", [](DeviceStatus &s) { s.InputFrameRate[1] = 25; }, &StatusChanges::Inputs},
        {"AC-3", [](DeviceStatus &s) { s.InputAudioAc3[2] = 1; }, &StatusChanges::Inputs},
        {"player state", [](DeviceStatus &s) { s.InputPlayerState[0] = 2; }, &StatusChanges::Inputs},
        {"media list", [](DeviceStatus &s) { s.MediaFiles = {"a"}; s.MediaFilesKey = "a"; }, &StatusChanges::MediaList},
        {"logo list", [](DeviceStatus &s) { s.LogoFiles = {"l"}; s.LogoFilesKey = "l"; }, &StatusChanges::LogoList},
        {"same key, other names", [](DeviceStatus &s) { s.MediaFiles = {"a", "b"}; }, &StatusChanges::MediaList},
        {"automatic mode", [](DeviceStatus &s) { s.AutoModeCode = 2; }, &StatusChanges::AutoMode},
        {"storage", [](DeviceStatus &s) { s.StoragePresent = 0; }, &StatusChanges::Storage},
    };
    for (const Case &testCase : cases) {
        DeviceStatus last;
        last.StoragePresent = 1;
        last.MediaFiles = {"a_b"};
        last.MediaFilesKey = "a_b";
        DeviceStatus polled = last;
        testCase.change(polled);
        const StatusChanges changes = ApplyStatusChanges(polled, last);
        EXPECT_TRUE(changes.*testCase.flag) << testCase.name;
        EXPECT_EQ(last, polled) << testCase.name;
    }
}

TEST(DeviceStatusChanges, ClockAndBitratesAloneAreNoChange)
{
    DeviceStatus last = Previous();
    DeviceStatus polled = last;
    polled.DeviceClock.Second = 59;
    polled.MuxUsedKbps[0] = 99;
    EXPECT_FALSE(ApplyStatusChanges(polled, last).any());
    EXPECT_EQ(last, Previous());

    // A change elsewhere copies the compared fields only.
    polled.AutoModeCode = 1;
    EXPECT_TRUE(ApplyStatusChanges(polled, last).AutoMode);
    EXPECT_EQ(last.AutoModeCode, 1);
    EXPECT_EQ(last.DeviceClock, Previous().DeviceClock);
    EXPECT_EQ(last.MuxUsedKbps, Previous().MuxUsedKbps);
}

TEST(DeviceStatusJson, KeysAndValuesOfTheContract)
{
    const DeviceStatus status = DecodedOver(Previous(), Full192().bytes, Code192v15);
    const QJsonObject json = StatusToJson(status);
    QStringList keys = {"MuxAvailableBps", "MuxUsedKbps", "InputPresent", "InputLines", "InputProgressive",
                        "InputFrameRate", "InputAudioAc3", "InputPlayerState", "StoragePresent", "MediaFiles",
                        "MediaFilesKey", "AutoModeCode", "DeviceClock", "LogoFiles", "LogoFilesKey"};
    keys.sort();
    EXPECT_EQ(json.keys(), keys); // QJsonObject keeps its keys sorted
    for (const char *array : {"MuxAvailableBps", "MuxUsedKbps", "InputPresent", "InputLines", "InputProgressive",
                              "InputFrameRate", "InputAudioAc3", "InputPlayerState"})
        EXPECT_EQ(json.value(QLatin1String(array)).toArray().size(), 4) << array;
    EXPECT_EQ(json["MuxAvailableBps"].toArray().at(0).toInteger(), 24000000);
    EXPECT_EQ(json["MediaFiles"].toArray().at(1).toString(), "b.ts");
    EXPECT_EQ(json["LogoFilesKey"].toString(), "station.dg1_x.dg1");
    const QJsonObject clock = json["DeviceClock"].toObject();
    EXPECT_EQ(clock.keys(), QStringList({"Day", "Hour", "Minute", "Month", "Second", "Year"}));
    EXPECT_EQ(clock["Second"].toInt(), 58);
}
