#include "configtestrecords.h"

namespace {

// A minimal code-131 record with the values the corrections look at; the
// record ends after the logo name.
QByteArray Record131(int level, int audioBitrate, int lcnType)
{
    RecordBytes r;
    r.text("R").u8(0).u8(0).u32(474000).u8(2).u8(1).u8(2).u8(0).u8(0).u8(level);
    r.u8(1).u16(1).u16(1).text("N").u16(1);
    r.u16(1).u8(lcnType).u16(1).text("S").u16(256).u16(257).u16(258).u16(9000).u8(audioBitrate).u8(0);
    r.text("").text("").text("");
    return r;
}

} // namespace

TEST(ConfigCodec, RefusesEmptyAndOversizedRecords)
{
    ConfigModel model = ModelFor(Device(131));
    EXPECT_FALSE(DecodeConfigBlock(QByteArray(), Device(131), model));
    // A valid record followed by padding to 1025 bytes: too long to be one.
    QByteArray padded = Record131(0, 0, 0);
    EXPECT_TRUE(DecodeConfigBlock(padded + QByteArray(1024 - padded.size(), '\0'), Device(131), model));
    const ConfigModel before = model;
    EXPECT_FALSE(DecodeConfigBlock(padded + QByteArray(1025 - padded.size(), '\0'), Device(131), model));
    EXPECT_EQ(model, before);
}

TEST(ConfigCodec, CorrectsValuesThePagesCannotShow)
{
    ConfigModel model = Decoded(Record131(40, 9, 9), Device(131));
    EXPECT_EQ(model.Mux[0].LevelAttDb, 29);
    EXPECT_EQ(model.Service[0].AudioBitrate, 3);
    EXPECT_EQ(model.LcnIdType, 0);
    EXPECT_EQ(Decoded(Record131(29, 3, 3), Device(131)).LcnIdType, 3);

    // Code 156 is DVB-S after every read, whatever its record says.
    RecordBytes dvbc;
    dvbc.raw(Record131(0, 0, 0)).u8(0).text("m").u8(0).u8(0).u8(0).u8(0).u16(0).u16(0);
    dvbc.raw(QByteArray(12, '\0')).u8(0).u8(0).u8(1).u8(0).u16(22000); // application, 4K, HDCP, DVB-C
    EXPECT_EQ(Decoded(dvbc, Device(155)).Mux[0].Mode, 2);
    EXPECT_EQ(Decoded(dvbc, Device(156)).Mux[0].Mode, 3);
    EXPECT_EQ(Decoded(Record131(0, 0, 0), Device(156)).Mux[0].Mode, 3);
}

TEST(ConfigCodec, ServicesWithoutAnApplicationGetTheTestApplication)
{
    RecordBytes r;
    r.raw(Record131(0, 0, 0)).u8(0).text("m").u8(0).u8(0).u8(0).u8(0).u16(0).u16(0);
    r.u8(1).u8(2).u16(20).u8(4).u32(9).text("").text("p").text("n"); // PID 20, no root
    ConfigModel model = Decoded(r, Device(131));
    const ServiceSettings &service = model.Service[0];
    EXPECT_EQ(service.AitPid, 50);
    EXPECT_EQ(service.AitEnabled, 1);
    EXPECT_EQ(service.AitControlCode, 1);
    EXPECT_EQ(service.AitOrgId, 112);
    EXPECT_EQ(service.AitRoot, DefaultApplicationRoot);
    EXPECT_EQ(service.AitPath, "staging/catalogue/index.php");
    EXPECT_EQ(service.AitName, "HbbTV Test");

    // A service with an application of its own keeps it.
    RecordBytes own;
    own.raw(Record131(0, 0, 0)).u8(0).text("m").u8(0).u8(0).u8(0).u8(0).u16(0).u16(0);
    own.u8(1).u8(2).u16(32).u8(4).u32(9).text("http://x/").text("p").text("n");
    const ServiceSettings kept = Decoded(own, Device(131)).Service[0];
    EXPECT_EQ(kept.AitPid, 32);
    EXPECT_EQ(kept.AitControlCode, 4);
    EXPECT_EQ(kept.AitPath, "p");
}

TEST(ConfigCodec, EncoderKeepsFrequencyBitrateAndSymbolRateInRange)
{
    struct Case
    {
        int code;
        qint32 frequency, symbolRate, bitrate;
        qint32 expectedFrequency, expectedSymbolRate, expectedBitrate;
    };
    const Case cases[] = {
        {131, 46999, 1999, 499, 474000, 6875, 9000},
        {131, 47000, 2000, 500, 47000, 2000, 500},
        {131, 862000, 6960, 15000, 862000, 6960, 15000},
        {131, 862001, 6961, 15001, 474000, 6875, 9000},
        {131, -1, -1, -1, 474000, 6875, 9000}, // compared unsigned
        {156, 949999, 2499, 9000, 960000, 22000, 9000},
        {156, 1150000, 22000, 9000, 1150000, 22000, 9000},
        {156, 474000, 6875, 9000, 960000, 6875, 9000},
    };
    for (const Case &c : cases) {
        ConfigModel model = ModelFor(Device(c.code));
        model.Mux[0].FreqKHz = c.frequency;
        model.Mux[0].SymbolRate = c.symbolRate;
        model.Service[0].VideoBitrate = c.bitrate;
        ASSERT_TRUE(EncodeConfigBlock(Device(c.code), model));
        EXPECT_EQ(model.Mux[0].FreqKHz, c.expectedFrequency) << c.code << " " << c.frequency;
        EXPECT_EQ(model.Mux[0].SymbolRate, c.expectedSymbolRate) << c.code << " " << c.symbolRate;
        EXPECT_EQ(model.Service[0].VideoBitrate, c.expectedBitrate) << c.code << " " << c.bitrate;
    }
}

TEST(ConfigCodec, MediaFileNamesEndInTs)
{
    EXPECT_EQ(DeviceMediaFileName(QStringLiteral("concert.mp4.bak")), "concert.ts");
    EXPECT_EQ(DeviceMediaFileName(QString(40, u'a')), QString(28, u'a') + ".ts");
    EXPECT_EQ(DeviceMediaFileName(QString()), ".ts");
    EXPECT_EQ(DeviceMediaFileName(QStringLiteral("clip.ts")), "clip.ts");

    ConfigModel model = ModelFor(Device(131));
    model.MediaFileName = QStringLiteral("concert.mp4.bak");
    const QByteArray record = EncodeConfigBlock(Device(131), model).value();
    EXPECT_EQ(model.MediaFileName, "concert.ts");
    EXPECT_TRUE(record.contains(QByteArray("concert.ts\0", 11)));
}

TEST(ConfigCodec, DoubleQuotesTravelAsFullStops)
{
    ConfigModel model = ModelFor(Device(131));
    model.Reference = QStringLiteral("say \"hi\"");
    const QByteArray record = EncodeConfigBlock(Device(131), model).value();
    EXPECT_TRUE(record.startsWith(QByteArray("say .hi.\0", 9)));
    QByteArray withQuote = Record131(0, 0, 0);
    withQuote[0] = '"'; // the reference, the first text
    EXPECT_EQ(Decoded(withQuote, Device(131)).Reference, "'");
}

TEST(ConfigCodec, RefusesToEncodeTextsThatOverflowTheRecord)
{
    for (int code : {121, 131, 176, 192}) {
        ConfigModel model = ModelFor(Device(code));
        model.NetworkName = QString(1100, u'n');
        const ConfigModel before = model;
        EXPECT_FALSE(EncodeConfigBlock(Device(code), model)) << code;
        EXPECT_EQ(model, before) << code;
    }
    // Up to the last byte is fine.
    ConfigModel model = ModelFor(Device(131));
    const int size = int(EncodeConfigBlock(Device(131), model).value().size());
    model.NetworkName = QString(ConfigBlockCapacity - size, u'n');
    EXPECT_EQ(EncodeConfigBlock(Device(131), model).value_or(QByteArray()).size(), ConfigBlockCapacity);
    model.NetworkName += u'n';
    EXPECT_FALSE(EncodeConfigBlock(Device(131), model));
}

TEST(ConfigCodec, TakesTheMediaFileAndTheChosenLogoFromTheModel)
{
    ConfigModel model = ModelFor(Device(192, 15));
    model.CommitCountdown = 4;
    RecordBytes r;
    r.u8(0).text("R").u8(0).u8(0).u16(0).u16(0).text("N").u8(0).u8(0).u8(0).u8(0);
    r.u32(474000).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u16(6875).u8(0).u16(0).text("S");
    r.u16(0).u16(0).u16(0).u16(0).u16(0).u8(0).u8(0).u16(9000).raw(QByteArray(6, '\0'));
    r.text("1").text("2").text("3").u8(0).text("file.ts").u8(0).u16(0).u8(0).text("").u16(1);
    r.text("logo.png").u8(1).u16(0).u16(0);
    model.ChosenLogoName = QStringLiteral("chosen.dg1");
    ASSERT_TRUE(DecodeConfigBlock(r, Device(192, 15), model));
    EXPECT_EQ(model.MediaFileName, "file.ts");
    EXPECT_EQ(model.OverlayLogoFile, "logo.png");
    EXPECT_EQ(model.Filling, 0);
    EXPECT_EQ(model.CommitCountdown, 0);
    EXPECT_EQ(model.ChosenLogoName, "chosen.dg1"); // a read does not undo the user's choice

    // The device takes the media file as a ".ts" stem of at most 28
    // characters, and the chosen logo only when the write stores the
    // factory default.
    model.MediaFileName = QStringLiteral("typed.mp4");
    ASSERT_TRUE(EncodeConfigBlock(Device(192, 15), model));
    EXPECT_EQ(model.MediaFileName, "typed.ts");
    EXPECT_TRUE(model.LogoName.isEmpty());
    model.MediaFileName = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789");
    ASSERT_TRUE(EncodeConfigBlock(Device(192, 15), model));
    EXPECT_EQ(model.MediaFileName, "abcdefghijklmnopqrstuvwxyz01.ts");
    model.StoreAsDefault = 1;
    ASSERT_TRUE(EncodeConfigBlock(Device(131), model));
    EXPECT_EQ(model.LogoName, "chosen.dg1");
}

TEST(ConfigCodec, IpAndDvbSModesTravelAsTheFlagOfTheirLayout)
{
    // Layouts 1, 2 and 3 only tell DVB-T (flag 0) from DVB-C: layout 1 flags
    // DVB-C alone, layouts 2 and 3 flag everything but DVB-T.
    struct Case
    {
        int code;
        int flagOffset; // from the start, or from the end when negative
        int flagForIpAndDvbS;
        int modeReadBack;
    };
    const Case cases[] = {
        {131, -4, 0x00, 1}, // flag, C constellation, uint16 symbol rate last
        {178, 12, 0x01, 2}, // header 5, "R" 2, countries 2, "N" 2, NIT 1
        {192, 14, 0x01, 2}, // country 1, "R" 2, 1, 1, ids 4, "N" 2, NIT, spare, 4K
    };
    for (const Case &c : cases) {
        for (int mode : {0, 3}) {
            ConfigModel model = ModelFor(Device(c.code, 15));
            model.Reference = QStringLiteral("R");
            model.NetworkName = QStringLiteral("N");
            model.Mux[0].Mode = mode;
            const QByteArray record = EncodeConfigBlock(Device(c.code, 15), model).value();
            const int at = c.flagOffset < 0 ? int(record.size()) + c.flagOffset : c.flagOffset;
            EXPECT_EQ(quint8(record[at]), c.flagForIpAndDvbS) << c.code << " mode " << mode;
            EXPECT_EQ(Decoded(record, Device(c.code, 15)).Mux[0].Mode, c.modeReadBack)
                << c.code << " mode " << mode;
        }
    }
}
