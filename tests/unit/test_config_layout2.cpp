#include "configtestrecords.h"

namespace {

// A code-178 record: one multiplex, two services.
RecordBytes Record178(quint32 secondAudioRate = 192000)
{
    RecordBytes r;
    r.u8(0x50).u8(0x46).u8(0x5A).u8(0x4A).u8(178);     // header: marker 0x4A5A4650, code
    r.text("REF178").u8(1).u8(12).text("NETWORK").u8(3); // reference .. NIT version
    r.u8(1).u16(8000).u32(618000);                      // DVB-C, 8 MHz, frequency
    r.u8(4).u8(1).u8(3).u8(2).u8(4);                    // level, T const., guard, FEC, C const.
    r.u32(6875000).u8(1).u16(5);                        // symbol rate, TX mode, TS id
    r.u16(0x0101).u16(21).text("FIRST").u16(256).u16(257).u16(258).u32(12000);
    r.u8(1).u32(320000);                                // AAC-LC, 320 kbit/s
    r.u16(0x0102).u16(22).text("SECOND").u16(356).u16(357).u16(358).u32(4000);
    r.u8(0).u32(secondAudioRate);                       // MPEG-1 layer II
    r.u8(1).u8(1).u8(7).text("clip.ts");                // HDCP, USB, media spare, file
    r.u8(1).u32(Date(2024, 6, 1)).u16(0).u32(Date(2024, 6, 2)).u16(1439).u8(0x7F).u8(0).text("a.ts");
    r.text("X1").text("X2").u8(0);                      // extra texts, DHCP
    r.text("N1").text("10.0.0.2").text("255.0.0.0").text("10.0.0.1").text("N2").u8(8).u8(9);
    r.text("239.0.0.1").u16(1234).text("239.0.0.2").u16(1235);
    return r;
}

} // namespace

TEST(ConfigLayout2, DecodesEveryFieldWithItsConversion)
{
    const ConfigModel model = Decoded(Record178(), Device(178));
    EXPECT_EQ(model.LcnCountry, 12);
    EXPECT_EQ(model.NitVersion, 3);
    const MuxSettings &mux = model.Mux[0];
    EXPECT_EQ(mux.Mode, 2);
    EXPECT_EQ(mux.Bandwidth, 2);
    EXPECT_EQ(mux.FreqKHz, 618000);
    EXPECT_EQ(mux.LevelAttDb, 4);
    EXPECT_EQ(mux.Guard, 3);
    EXPECT_EQ(mux.Fec, 2);
    EXPECT_EQ(mux.SymbolRate, 6875);
    EXPECT_EQ(mux.TsId, 5);
    EXPECT_EQ(model.Service[0].VideoBitrate, 12000);
    EXPECT_EQ(model.Service[0].AudioCodec, 0);
    EXPECT_EQ(model.Service[0].AudioBitrate, 3);
    EXPECT_EQ(model.Service[1].ServiceName, "SECOND");
    EXPECT_EQ(model.Service[1].AudioCodec, 1);
    EXPECT_EQ(model.Service[1].AudioBitrate, 1);
    EXPECT_EQ(model.Hdcp, 1);
    EXPECT_EQ(model.MediaSpare, 7);
    EXPECT_EQ(model.ScheduleEntries[0].StopTime, 1439u);
    EXPECT_EQ(model.ExtraText2, "X2");
    EXPECT_EQ(model.Dhcp, 0);
    EXPECT_EQ(model.NetText1, "N1");
    EXPECT_EQ(model.DeviceMask, "255.0.0.0");
    EXPECT_EQ(model.NetSpare2, 9);
    EXPECT_EQ(model.Service[1].IpAddress, "239.0.0.2");
    EXPECT_EQ(model.Service[1].IpPort, 1235);
}

TEST(ConfigLayout2, WritesBackTheRecordItRead)
{
    EXPECT_EQ(Reencoded(Record178(), Device(178)), QByteArray(Record178()));
}

TEST(ConfigLayout2, RecordsStartWithTheMarkerBytesAndTheirCode)
{
    for (int code : {176, 178}) {
        ConfigModel model = ModelFor(Device(code));
        const QByteArray record = EncodeConfigBlock(Device(code), model).value_or(QByteArray());
        EXPECT_EQ(record.left(5).toHex(), QByteArray("50465a4a") + QByteArray::number(code, 16)) << code;
    }
}

TEST(ConfigLayout2, UnknownAudioRatesAreTheHighest)
{
    ConfigModel model = Decoded(Record178(100000), Device(178));
    EXPECT_EQ(model.Service[1].AudioBitrate, 3);
    // and are written back as 320000 bit/s
    EXPECT_EQ(EncodeConfigBlock(Device(178), model), QByteArray(Record178(320000)));
}

TEST(ConfigLayout2, AcceptsOnlyItsOwnHeader)
{
    ConfigModel model = ModelFor(Device(178));
    QByteArray otherCode = Record178();
    otherCode[4] = char(176);
    EXPECT_FALSE(DecodeConfigBlock(otherCode, Device(178), model));
    EXPECT_FALSE(DecodeConfigBlock(QByteArray(Record178()).mid(5), Device(178), model));
    EXPECT_FALSE(DecodeConfigBlock(QByteArray::fromHex("50465a4a"), Device(178), model));
    // The letters V O V I are not the marker.
    EXPECT_FALSE(DecodeConfigBlock(QByteArray("VOVI") + QByteArray(Record178()).mid(4), Device(178), model));
    // Every field is mandatory.
    EXPECT_FALSE(DecodeConfigBlock(QByteArray(Record178()).chopped(1), Device(178), model));
    EXPECT_EQ(model, ModelFor(Device(178)));
}
