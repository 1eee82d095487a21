#include "configtestrecords.h"

namespace {

const DeviceIdentity Code121 = Device(121, 35);

// Fields 1 to 52: a record from firmware that sends no optional field.
RecordBytes MandatoryPart()
{
    RecordBytes r;
    r.text("REF121").u8(2).u8(3);                        // reference, countries
    r.u8(2).u32(506000);                                 // mode, frequency
    r.u8(1).u8(0).u8(1).u8(3).u8(2).u8(12).u8(4);        // bandwidth .. C constellation
    r.u16(6900).u8(7).u16(0x3001).u16(0x20FA);           // symbol rate, NIT, network ids
    r.text("NETWORK").u16(77).u8(9);                     // network name, TS id, mux spare
    r.u16(0x0101).u8(2).u16(21).u16(501);                // service id, LCN type, LCN, HD LCN
    r.text("SERVICE").u16(256).u16(257).u16(258);        // name, PIDs
    r.u16(7000).u8(2).u8(1).u8(2);                       // video and audio bitrate, inputs
    r.u8(11).u8(22).u8(33).u8(0).u8(1);                  // encoder spares, strict CBR, protocol
    r.text("239.1.2.3").u16(1234).u8(44).u8(55).u8(2);   // IP output, output spares, PCM
    r.text("logo.dg1");
    r.u8(0x02).u8(0x11).u8(0x22).u8(0x33).u8(0x44).u8(0xF5).u8(0); // MAC, DHCP
    r.text("10.0.0.2").text("255.0.0.0").text("10.0.0.1");
    return r;
}

// Fields 53 to 61.
RecordBytes FullRecord()
{
    RecordBytes r = MandatoryPart();
    r.u8(0).u8(1).u8(0).text("EVENT").text("ABOUT").u8(1).u8(2).u8(0).u8(32);
    return r;
}

} // namespace

TEST(ConfigLayout0, ReadsTheMandatoryFields)
{
    const ConfigModel model = Decoded(MandatoryPart(), Code121);
    EXPECT_EQ(model.Reference, "REF121");
    EXPECT_EQ(model.CountryCopy, 3);
    EXPECT_EQ(model.Mux[0].Mode, 2);
    EXPECT_EQ(model.Mux[0].FreqKHz, 506000);
    EXPECT_EQ(model.Mux[0].LevelAttDb, 12);
    EXPECT_EQ(model.Mux[0].SymbolRate, 6900);
    EXPECT_EQ(model.OriginalNetworkId, 0x20FA);
    EXPECT_EQ(model.MuxSpare, 9);
    EXPECT_EQ(model.HdLcn, 501);
    EXPECT_EQ(model.Service[0].AudioPid, 258);
    EXPECT_EQ(model.EncoderSpare3, 33);
    EXPECT_EQ(model.Service[0].IpAddress, "239.1.2.3");
    EXPECT_EQ(model.Service[0].IpPort, 1234);
    EXPECT_EQ(model.LogoName, "logo.dg1");
    EXPECT_EQ(model.Mac[0], 0x02);
    EXPECT_EQ(model.Mac[5], 0xF5);
    EXPECT_EQ(model.Dhcp, 0);
    EXPECT_EQ(model.DeviceGateway, "10.0.0.1");
}

TEST(ConfigLayout0, ShortRecordGivesTheOptionalFieldsTheirDefaults)
{
    // Values left from an earlier device must not survive.
    ConfigModel model = ModelFor(Code121);
    model.HardwareType = 1;
    model.AllowVbr = 1;
    model.H264Profile = 0;
    model.Service[0].EitName = QStringLiteral("old");
    model.Service[0].EitText = QStringLiteral("old");
    model.Service[0].AudioCodec = 1;
    model.VideoCodec = 2;
    model.CodecSpare = 0;
    model.Ttl = 5;
    ASSERT_TRUE(DecodeConfigBlock(MandatoryPart(), Code121, model));

    EXPECT_EQ(model.HardwareType, 0);
    EXPECT_EQ(model.AllowVbr, 0);
    EXPECT_EQ(model.H264Profile, 1);
    EXPECT_TRUE(model.Service[0].EitName.isEmpty());
    EXPECT_TRUE(model.Service[0].EitText.isEmpty());
    EXPECT_EQ(model.Service[0].AudioCodec, 0);
    EXPECT_EQ(model.VideoCodec, 0);
    EXPECT_EQ(model.CodecSpare, 1);
    EXPECT_EQ(model.Ttl, 64);
}

TEST(ConfigLayout0, ReadsTheOptionalFieldsAndWritesTheRecordBack)
{
    const ConfigModel model = Decoded(FullRecord(), Code121);
    EXPECT_EQ(model.AllowVbr, 1);
    EXPECT_EQ(model.H264Profile, 0);
    EXPECT_EQ(model.Service[0].EitText, "ABOUT");
    EXPECT_EQ(model.Service[0].AudioCodec, 1);
    EXPECT_EQ(model.VideoCodec, 2);
    EXPECT_EQ(model.CodecSpare, 0);
    EXPECT_EQ(model.Ttl, 32);

    EXPECT_EQ(Reencoded(FullRecord(), Code121), QByteArray(FullRecord()));
}

TEST(ConfigLayout0, RefusesEveryRecordCutInsideTheMandatoryFields)
{
    const QByteArray whole = MandatoryPart();
    ConfigModel model = ModelFor(Code121);
    model.Reference = QStringLiteral("before");
    const ConfigModel before = model;
    for (int length = 1; length < whole.size(); ++length) {
        EXPECT_FALSE(DecodeConfigBlock(whole.left(length), Code121, model)) << length;
        EXPECT_EQ(model, before) << length;
    }
}

TEST(ConfigLayout0, RefusesAnOptionalTextWithoutItsZeroByte)
{
    const QByteArray record = QByteArray(MandatoryPart()) + QByteArray("\x00\x01\x00" "EVE", 6);
    ConfigModel model = ModelFor(Code121);
    EXPECT_FALSE(DecodeConfigBlock(record, Code121, model));
}

TEST(ConfigLayout0, LiteHardwareHasNoAnalogueInputsDhcpOrIpOutput)
{
    ConfigModel model = Decoded(FullRecord(), Code121);
    model.HardwareType = 1;
    model.Dhcp = 1;
    model.Mux[0].Mode = 0;
    ASSERT_TRUE(EncodeConfigBlock(Code121, model));
    EXPECT_EQ(model.AudioInput, 0);
    EXPECT_EQ(model.VideoInput, 0);
    EXPECT_EQ(model.Dhcp, 0);
    EXPECT_EQ(model.Mux[0].Mode, 1);

    // The full hardware keeps them.
    model = Decoded(FullRecord(), Code121);
    model.Dhcp = 1;
    model.Mux[0].Mode = 0;
    ASSERT_TRUE(EncodeConfigBlock(Code121, model));
    EXPECT_EQ(model.AudioInput, 1);
    EXPECT_EQ(model.VideoInput, 2);
    EXPECT_EQ(model.Dhcp, 1);
    EXPECT_EQ(model.Mux[0].Mode, 0);
}
