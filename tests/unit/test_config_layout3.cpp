#include "configtestrecords.h"

namespace {

const DeviceIdentity Code192 = Device(192, 15);

// Fields 1 to 39.
RecordBytes MandatoryPart()
{
    RecordBytes r;
    r.u8(12).text("REF192").u8(1).u8(1).u16(0x20FA).u16(0x3001).text("NETWORK"); // .. network name
    r.u8(3).u8(6).u8(1).u8(0);                                   // NIT version, spare, 4K, DVB-T
    r.u32(474000).u8(2).u8(1).u8(2).u8(3).u8(1).u8(2).u16(6875); // frequency .. symbol rate
    r.u8(3).u16(7).text("SERVICE").u16(0x0101).u16(21);          // level, TS id, name, id, LCN
    r.u16(256).u16(257).u16(258).u8(2).u8(1).u16(8000);          // PIDs, audio, codec, video
    r.u8(2).u8(0).u8(0x5E).u8(1).u8(2).u8(3);                    // MAC
    r.text("10.0.0.2").text("255.0.0.0").text("10.0.0.1");
    return r;
}

RecordBytes FullRecord()
{
    RecordBytes r = MandatoryPart();
    r.u8(2).text("clip.ts").u8(1);
    r.u32(Date(2025, 2, 28)).u16(1200).u32(Date(2025, 3, 1)).u16(60).u8(0x60).u8(0).text("b.ts");
    r.u16(120).u8(1).text("239.0.0.9").u16(1234);
    r.text("overlay.png").u8(5).u16(100).u16(200);
    return r;
}

} // namespace

TEST(ConfigLayout3, DecodesTheFieldsAndTheOptionalGroups)
{
    const ConfigModel model = Decoded(FullRecord(), Code192);
    EXPECT_EQ(model.LcnCountry, 12);
    EXPECT_EQ(model.Reference, "REF192");
    EXPECT_EQ(model.OriginalNetworkId, 0x20FA);
    EXPECT_EQ(model.NetworkId, 0x3001);
    EXPECT_EQ(model.NitSpare, 6);
    EXPECT_EQ(model.Mode4K, 1);
    EXPECT_EQ(model.Mux[0].Mode, 1);
    EXPECT_EQ(model.Mux[0].LevelAttDb, 3);
    EXPECT_EQ(model.Service[0].ServiceName, "SERVICE");
    EXPECT_EQ(model.VideoCodec, 1);
    EXPECT_EQ(model.Service[0].VideoBitrate, 8000);
    EXPECT_EQ(model.Mac[5], 3);
    EXPECT_EQ(model.Dhcp, 0);
    EXPECT_EQ(model.MediaSpare, 2);
    EXPECT_EQ(model.ScheduleEntries[0].File, "b.ts");
    EXPECT_EQ(model.Service[0].AudioDelayMs, 120);
    EXPECT_EQ(model.IpProtocol, 1);
    EXPECT_EQ(model.Service[0].IpPort, 1234);
    EXPECT_EQ(model.OverlayLogoFile, "overlay.png");
    EXPECT_EQ(model.OverlayLogoPosition, 5);
    EXPECT_EQ(model.OverlayLogoY, 200);
}

TEST(ConfigLayout3, WritesBackTheRecordItRead)
{
    EXPECT_EQ(Reencoded(FullRecord(), Code192), QByteArray(FullRecord()));
}

TEST(ConfigLayout3, AbsentGroupsKeepTheirResetValues)
{
    ConfigModel model = Decoded(FullRecord(), Code192);
    ASSERT_TRUE(DecodeConfigBlock(MandatoryPart(), Code192, model));
    EXPECT_EQ(model.MediaFileName, "NoName");
    EXPECT_EQ(model.ScheduleCount, 0);
    EXPECT_EQ(model.Service[0].AudioDelayMs, 0);
    EXPECT_EQ(model.Service[0].IpAddress, "239.192.1.0");
    EXPECT_EQ(model.Service[0].IpPort, 5004);
    EXPECT_TRUE(model.OverlayLogoFile.isEmpty());
    EXPECT_EQ(model.OverlayLogoPosition, 0);
    EXPECT_EQ(model.CapabilityUsb, 1);
}

TEST(ConfigLayout3, RefusesAGroupCutShort)
{
    ConfigModel model = ModelFor(Code192);
    const QByteArray full = FullRecord();
    EXPECT_FALSE(DecodeConfigBlock(full.chopped(2), Code192, model));
    EXPECT_FALSE(DecodeConfigBlock(QByteArray(MandatoryPart()) + "\x02" "cl", Code192, model));
    EXPECT_EQ(model, ModelFor(Code192));
}

TEST(ConfigLayout3, EncoderWritesEveryGroupAndClearsDhcp)
{
    ConfigModel model = Decoded(MandatoryPart(), Code192);
    model.Dhcp = 1;
    const QByteArray record = EncodeConfigBlock(Code192, model).value();
    EXPECT_EQ(model.Dhcp, 0);
    RecordBytes groups = MandatoryPart();
    groups.u8(0).text("NoName.ts").u8(0);             // media, no schedule
    groups.u16(0).u8(0).text("239.192.1.0").u16(5004); // IP output
    groups.text("").u8(0).u16(0).u16(0);              // no overlay
    EXPECT_EQ(record, QByteArray(groups));
}
