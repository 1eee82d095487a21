#include "configtestrecords.h"

namespace {

// Fields 1 to 15 of a layout-1 record.
void FixedStart(RecordBytes &r, const char *reference)
{
    r.text(reference).u8(2).u8(3);                    // reference, countries
    r.u32(530000).u8(2).u8(1).u8(2).u8(3).u8(2).u8(5); // frequency, bandwidth .. level
    r.u8(4).u16(0x3001).u16(0x20FA);                  // NIT version, network ids
    r.text("NETWORK").u16(9);                         // network name, TS id
}

void ApplicationTable(RecordBytes &r, int pid)
{
    r.u8(1).u8(3).u16(pid).u8(2).u32(0x12345).text("http://app/").text("start/").text("App");
}

// A single-service record of code 131 up to the logo name.
RecordBytes SingleServiceFixedPart()
{
    RecordBytes r;
    FixedStart(r, "REF131");
    r.u16(0x0101).u8(2).u16(21).text("SERVICE");      // id, LCN type, LCN, name
    r.u16(256).u16(257).u16(258).u16(7000).u8(2).u8(1); // PIDs, bitrates, codec
    r.text("EVENT").text("ABOUT").text("logo.dg1");
    return r;
}

// Fields 19 to 21.
void MediaAndUsb(RecordBytes &r)
{
    r.u8(3).text("clip.ts").u8(1);
}

// Field 22: one record entry from 17 May 2024 10:00 to 18 May 11:00.
void OneScheduleEntry(RecordBytes &r)
{
    r.u8(1).u32(Date(2024, 5, 17)).u16(600).u32(Date(2024, 5, 18)).u16(660).u8(0x1F).u8(1).text("rec.ts");
}

RecordBytes SingleServiceFullRecord()
{
    RecordBytes r = SingleServiceFixedPart();
    MediaAndUsb(r);
    OneScheduleEntry(r);
    r.u8(2).u8(5).u16(80).u16(0x8064); // IR, LCN country, video percent, delay -100
    ApplicationTable(r, 0x1F5);
    r.u8(1).u8(1);                     // 4K, HDCP
    r.u8(1).u8(4).u16(6900);           // DVB-C, QAM256, symbol rate
    return r;
}

// Code 157: two services, the LCN type before them, no application tables,
// the HDCP byte last.
RecordBytes TwoServiceRecord()
{
    RecordBytes r;
    FixedStart(r, "REF157");
    r.u8(1);
    for (int s = 0; s < 2; ++s) {
        r.u16(0x0101 + s).u16(21 + s).text(s ? "SECOND" : "FIRST");
        r.u16(256 + s).u16(257 + s).u16(258 + s).u16(5000 + s).u8(s).u8(s).text("E").text("T");
    }
    r.text("logo.dg1");
    MediaAndUsb(r);
    r.u8(0).u8(1).u8(5).u16(60).u16(70).u16(0x0064).u16(0x8001); // schedule .. delays
    r.u8(0).u8(0).u16(6875).u8(1);                               // DVB-T, HDCP
    return r;
}

} // namespace

TEST(ConfigLayout1, DecodesEveryFieldOfAFullRecord)
{
    const ConfigModel model = Decoded(SingleServiceFullRecord(), Device(131));
    EXPECT_EQ(model.Reference, "REF131");
    EXPECT_EQ(model.Mux[0].FreqKHz, 530000);
    EXPECT_EQ(model.MuxSpare, 1);
    EXPECT_EQ(model.HdLcn, 0);
    EXPECT_EQ(model.LcnIdType, 2);
    EXPECT_EQ(model.Service[0].Lcn, 21);
    EXPECT_EQ(model.Service[0].AudioCodec, 1);
    EXPECT_EQ(model.Service[0].EitText, "ABOUT");
    EXPECT_EQ(model.LogoName, "logo.dg1");
    EXPECT_EQ(model.MediaSpare, 3);
    EXPECT_EQ(model.MediaFileName, "clip.ts");
    EXPECT_EQ(model.CapabilityUsb, 1);
    ASSERT_EQ(model.ScheduleCount, 1);
    const ScheduleEntry &entry = model.ScheduleEntries[0];
    EXPECT_EQ(entry.StartDate, Date(2024, 5, 17));
    EXPECT_EQ(entry.StartTime, 600u);
    EXPECT_EQ(entry.StopDate, Date(2024, 5, 18));
    EXPECT_EQ(entry.StopTime, 660u);
    EXPECT_EQ(entry.WeekMask, 0x1Fu);
    EXPECT_EQ(entry.Action, 1u);
    EXPECT_EQ(entry.File, "rec.ts");
    EXPECT_EQ(model.IrFrequency, 2);
    EXPECT_EQ(model.LcnCountry, 5);
    EXPECT_EQ(model.Service[0].VideoPercent, 80);
    EXPECT_EQ(model.Service[0].AudioDelayMs, -100);
    EXPECT_EQ(model.Service[0].AitPid, 0x1F5);
    EXPECT_EQ(model.Service[0].AitOrgId, 0x12345);
    EXPECT_EQ(model.Service[0].AitName, "App");
    EXPECT_EQ(model.Mode4K, 1);
    EXPECT_EQ(model.Hdcp, 1);
    EXPECT_EQ(model.Mux[0].Mode, 2);
    EXPECT_EQ(model.Mux[0].CConstellation, 4);
    EXPECT_EQ(model.Mux[0].SymbolRate, 6900);
}

TEST(ConfigLayout1, WritesBackTheRecordItRead)
{
    EXPECT_EQ(Reencoded(SingleServiceFullRecord(), Device(131)), QByteArray(SingleServiceFullRecord()));
    EXPECT_EQ(Reencoded(TwoServiceRecord(), Device(157)), QByteArray(TwoServiceRecord()));
}

TEST(ConfigLayout1, AcceptsAnyStartExceptTheLayoutTwoHeader)
{
    ConfigModel model = ModelFor(Device(131));
    const QByteArray layoutTwoHeader = QByteArray::fromHex("50465a4a");
    EXPECT_FALSE(DecodeConfigBlock(layoutTwoHeader + QByteArray(SingleServiceFullRecord()), Device(131), model));
    EXPECT_EQ(model, ModelFor(Device(131)));
    // The marker's name spelt in letters is an ordinary start.
    EXPECT_TRUE(DecodeConfigBlock(QByteArray("VOVI") + QByteArray(SingleServiceFullRecord()).mid(4),
                                  Device(131), model));
    EXPECT_TRUE(DecodeConfigBlock(QByteArray::fromHex("50465a4b") + QByteArray(SingleServiceFullRecord()).mid(4),
                                  Device(131), model));
}

TEST(ConfigLayout1, MissingOptionalFieldsTakeTheirAbsentValues)
{
    ConfigModel model = Decoded(SingleServiceFullRecord(), Device(131));
    ASSERT_TRUE(DecodeConfigBlock(SingleServiceFixedPart(), Device(131), model));
    EXPECT_EQ(model.MediaFileName, "NoName");
    EXPECT_EQ(model.MediaSpare, 0);
    EXPECT_EQ(model.CapabilityUsb, 0);
    EXPECT_EQ(model.ScheduleCount, 0);
    EXPECT_EQ(model.IrFrequency, 0);
    EXPECT_EQ(model.LcnCountry, 0);
    EXPECT_EQ(model.Service[0].VideoPercent, 0);
    EXPECT_EQ(model.Service[0].AudioDelayMs, 0);
    EXPECT_EQ(model.Mode4K, 0);
    EXPECT_EQ(model.Hdcp, 0);
    EXPECT_EQ(model.Mux[0].Mode, 1);
    EXPECT_EQ(model.Mux[0].CConstellation, 0);
    EXPECT_EQ(model.Mux[0].SymbolRate, 6875);
    EXPECT_EQ(model.Service[0].AitRoot, DefaultApplicationRoot);
}

TEST(ConfigLayout1, Code128StopsAfterTheUsbCapability)
{
    // The bytes after the capability are neither read nor written.
    const DeviceIdentity code128 = Device(128);
    ConfigModel model = Decoded(SingleServiceFullRecord(), code128);
    EXPECT_EQ(model.ScheduleCount, 0);
    EXPECT_EQ(model.IrFrequency, 0);
    EXPECT_EQ(model.Service[0].AudioDelayMs, 0);
    EXPECT_EQ(model.Mux[0].Mode, 1);

    RecordBytes upToUsb = SingleServiceFixedPart();
    MediaAndUsb(upToUsb);
    EXPECT_EQ(EncodeConfigBlock(code128, model), QByteArray(upToUsb));
}

TEST(ConfigLayout1, Codes158And159StoreTheLcnCountryShiftedBy27)
{
    RecordBytes r = SingleServiceFixedPart();
    MediaAndUsb(r);
    r.u8(0).u8(0).u8(0); // no schedule, IR, LCN country byte 0
    const ConfigModel model = Decoded(r, Device(158));
    EXPECT_EQ(model.LcnCountry, 27);

    for (int code : {158, 159}) {
        ConfigModel france = model;
        france.LcnCountry = 0;
        const QByteArray record = EncodeConfigBlock(Device(code), france).value();
        EXPECT_EQ(quint8(record[r.size() - 1]), 229) << code;
    }
    // Other codes store the index as it is.
    EXPECT_EQ(Decoded(r, Device(131)).LcnCountry, 0);
}

TEST(ConfigLayout1, Codes158And159CarryCapabilitiesByFirmwareVersion)
{
    RecordBytes r = SingleServiceFullRecord();
    r.u8(0).u8(1); // infrared, 4K
    const ConfigModel version15 = Decoded(r, Device(158, 15));
    EXPECT_EQ(version15.CapabilityIr, 0);
    EXPECT_EQ(version15.Capability4K, 1);
    // Version 14 reads only the infrared byte; the 4K one keeps its reset value.
    RecordBytes irOnly = SingleServiceFullRecord();
    irOnly.u8(0);
    EXPECT_EQ(Decoded(irOnly, Device(158, 14)).CapabilityIr, 0);
    EXPECT_EQ(Decoded(irOnly, Device(158, 14)).Capability4K, 0);
    // Version 13 reads neither: infrared stays at the reset value of 158.
    EXPECT_EQ(Decoded(r, Device(158, 13)).CapabilityIr, 1);
}

TEST(ConfigLayout1, TwoServiceCodesPutTheLcnTypeFirstAndHdcpLast)
{
    const ConfigModel model = Decoded(TwoServiceRecord(), Device(157));
    EXPECT_EQ(model.LcnIdType, 1);
    EXPECT_EQ(model.Service[1].ServiceName, "SECOND");
    EXPECT_EQ(model.Service[1].VideoBitrate, 5001);
    EXPECT_EQ(model.Service[0].VideoPercent, 60);
    EXPECT_EQ(model.Service[1].VideoPercent, 70);
    EXPECT_EQ(model.Service[0].AudioDelayMs, 100);
    EXPECT_EQ(model.Service[1].AudioDelayMs, -1);
    EXPECT_EQ(model.Hdcp, 1);
    EXPECT_EQ(model.Mode4K, 0);
}

TEST(ConfigLayout1, KeepsTenScheduleEntriesAndReadsOnInStep)
{
    RecordBytes r = SingleServiceFixedPart();
    MediaAndUsb(r);
    r.u8(12);
    for (int i = 0; i < 12; ++i)
        r.u32(Date(2024, 1, i + 1)).u16(i).u32(Date(2024, 1, i + 1)).u16(i + 1).u8(1).u8(0).text("f.ts");
    r.u8(2); // infrared, after the surplus entries
    ConfigModel model = ModelFor(Device(131));
    ASSERT_TRUE(DecodeConfigBlock(r, Device(131), model));
    EXPECT_EQ(model.ScheduleCount, 10);
    EXPECT_EQ(model.ScheduleEntries[9].StartDate, Date(2024, 1, 10));
    EXPECT_EQ(model.IrFrequency, 2);
}

TEST(ConfigLayout1, RefusesGroupsCutShort)
{
    const QByteArray full = SingleServiceFullRecord();
    ConfigModel model = ModelFor(Device(131));
    const ConfigModel before = model;
    // Inside the schedule entries, the application table and the modulation
    // group, none of which has guards of its own.
    RecordBytes scheduleCut = SingleServiceFixedPart();
    MediaAndUsb(scheduleCut);
    scheduleCut.u8(2).u32(Date(2024, 1, 1));
    EXPECT_FALSE(DecodeConfigBlock(scheduleCut, Device(131), model));
    EXPECT_FALSE(DecodeConfigBlock(full.left(full.size() - 12), Device(131), model));
    EXPECT_FALSE(DecodeConfigBlock(full.left(full.size() - 1), Device(131), model));
    EXPECT_EQ(model, before);
}
