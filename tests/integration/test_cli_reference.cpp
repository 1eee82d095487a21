// rerudad-cli config get against a simulated device that serves a record
// written by hand (tests/data/records): the model printed must hold the
// values the record was written to carry, as listed here by hand.

#include "cliprocess.h"
#include "devsimprocess.h"
#include "referencerecords.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

// A member of the model JSON by its path ("Mux/1/FreqKHz") and the value
// the record carries for it.
struct Expected
{
    const char *path;
    QJsonValue value;
};

QJsonValue At(const QJsonObject &model, const char *path)
{
    QJsonValue value = model;
    for (const QString &step : QString::fromLatin1(path).split(QLatin1Char('/'))) {
        bool isIndex = false;
        const int index = step.toInt(&isIndex);
        value = isIndex ? value.toArray().at(index) : value.toObject().value(step);
    }
    return value;
}

constexpr int Date(int year, int month, int day)
{
    return year << 16 | month << 8 | day;
}

struct ReferenceDevice
{
    const char *record;
    int code;
    int versionByte;
    bool serial;
    QList<Expected> expected;
};

void PrintTo(const ReferenceDevice &device, std::ostream *out)
{
    *out << device.record;
}

class CliReferenceTest : public ::testing::TestWithParam<ReferenceDevice>
{
};

TEST_P(CliReferenceTest, ConfigGetPrintsTheValuesOfTheRecord)
{
    const ReferenceDevice &reference = GetParam();
    const QByteArray record = ReferenceRecord(QString::fromLatin1(reference.record));
    ASSERT_FALSE(record.isEmpty());
    DevSimProcess device;
    const QString recordFile = device.folder() + QStringLiteral("/record.bin");
    {
        QFile file(recordFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(record);
    }
    ASSERT_TRUE(device.start({.code = reference.code, .versionByte = reference.versionByte, .pty = reference.serial,
                              .extraArguments = {QStringLiteral("--record"), recordFile}}));

    const QString raw = device.folder() + QStringLiteral("/raw.bin");
    const CliResult result =
        RunCli({QStringLiteral("config"), QStringLiteral("get"), QStringLiteral("--device"),
                reference.serial ? device.serialDevice() : device.tcpDevice(), QStringLiteral("--raw"), raw});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    QFile rawFile(raw);
    ASSERT_TRUE(rawFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(rawFile.readAll().toHex(' '), record.toHex(' '));

    const QJsonObject model = QJsonDocument::fromJson(result.out.toUtf8()).object();
    ASSERT_FALSE(model.isEmpty()) << result.out.toStdString();
    for (const Expected &expected : reference.expected)
        EXPECT_EQ(At(model, expected.path), expected.value) << expected.path;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, CliReferenceTest,
    ::testing::Values(
        ReferenceDevice{
            "code121", 121, 23, true,
            {{"Reference", "REF121"}, {"DefaultCountry", 2}, {"CountryCopy", 2}, {"Mux/0/Mode", 0},
             {"Mux/0/FreqKHz", 650000}, {"Mux/0/Bandwidth", 2}, {"Mux/0/TxMode", 1}, {"Mux/0/TConstellation", 2},
             {"Mux/0/Fec", 4}, {"Mux/0/Guard", 1}, {"Mux/0/LevelAttDb", 7}, {"Mux/0/CConstellation", 4},
             {"Mux/0/SymbolRate", 6875}, {"NitVersion", 9}, {"NetworkId", 0x1234}, {"OriginalNetworkId", 0x5678},
             {"NetworkName", "NET121"}, {"Mux/0/TsId", 7}, {"MuxSpare", 0x11}, {"Service/0/ServiceId", 101},
             {"LcnIdType", 1}, {"Service/0/Lcn", 5}, {"HdLcn", 261}, {"Service/0/ServiceName", "News 24"},
             {"Service/0/PmtPid", 0x200}, {"Service/0/VideoPid", 0x201}, {"Service/0/AudioPid", 0x202},
             {"Service/0/VideoBitrate", 12000}, {"Service/0/AudioBitrate", 1}, {"AudioInput", 1}, {"VideoInput", 2},
             {"EncoderSpare1", 0x21}, {"EncoderSpare2", 50}, {"EncoderSpare3", 0x43}, {"StrictCbr", 0},
             {"IpProtocol", 1}, {"Service/0/IpAddress", "239.1.2.3"}, {"Service/0/IpPort", 1234},
             {"OutputSpare1", 0x54}, {"OutputSpare2", 0x65}, {"PcmVolume", 8}, {"LogoName", "logo121.dg1"},
             {"Mac", QJsonArray{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}}, {"Dhcp", 0}, {"DeviceIp", "10.1.1.20"},
             {"DeviceMask", "255.255.0.0"}, {"DeviceGateway", "10.1.0.1"}, {"HardwareType", 0}, {"AllowVbr", 1},
             {"H264Profile", 2}, {"Service/0/EitName", "Now"}, {"Service/0/EitText", "Live show"},
             {"Service/0/AudioCodec", 1}, {"VideoCodec", 1}, {"CodecSpare", 0x76}, {"Ttl", 32},
             // No application table in this layout: the test application.
             {"Service/0/AitControlCode", 1}, {"Service/0/AitOrgId", 112}}},
        ReferenceDevice{
            "code158", 158, 15, false,
            {{"Reference", "REF158"}, {"DefaultCountry", 3}, {"CountryCopy", 3}, {"Mux/0/FreqKHz", 506000},
             {"Mux/0/Bandwidth", 1}, {"Mux/0/TxMode", 0}, {"Mux/0/TConstellation", 1}, {"Mux/0/Fec", 2},
             {"Mux/0/Guard", 3}, {"Mux/0/LevelAttDb", 12}, {"NitVersion", 5}, {"NetworkId", 0x3001},
             {"OriginalNetworkId", 0x20FA}, {"NetworkName", "NET158"}, {"Mux/0/TsId", 0x102}, {"MuxSpare", 1},
             {"HdLcn", 0}, {"Service/0/ServiceId", 0x457}, {"LcnIdType", 2}, {"Service/0/Lcn", 21},
             {"Service/0/ServiceName", "SERVICE ONE"}, {"Service/0/PmtPid", 0x100}, {"Service/0/VideoPid", 0x101},
             {"Service/0/AudioPid", 0x102}, {"Service/0/VideoBitrate", 7500}, {"Service/0/AudioBitrate", 2},
             {"Service/0/AudioCodec", 1}, {"Service/0/EitName", "News"}, {"Service/0/EitText", "Evening news"},
             {"LogoName", "brand.dg1"}, {"MediaSpare", 4}, {"MediaFileName", "clip.ts"}, {"CapabilityUsb", 1},
             {"ScheduleCount", 1}, {"ScheduleEntries/0/StartDate", Date(2025, 3, 14)},
             {"ScheduleEntries/0/StartTime", 600}, {"ScheduleEntries/0/StopDate", Date(2025, 3, 15)},
             {"ScheduleEntries/0/StopTime", 630}, {"ScheduleEntries/0/WeekMask", 0x1F},
             {"ScheduleEntries/0/Action", 0}, {"ScheduleEntries/0/File", "rec1.ts"}, {"IrFrequency", 1},
             {"LcnCountry", 0}, {"Service/0/VideoPercent", 80}, {"Service/0/AudioDelayMs", -100},
             {"Service/0/AitEnabled", 1}, {"Service/0/AitVersion", 3}, {"Service/0/AitPid", 0x203},
             {"Service/0/AitControlCode", 2}, {"Service/0/AitOrgId", 0x17},
             {"Service/0/AitRoot", "http://apps.example/"}, {"Service/0/AitPath", "start/index.html"},
             {"Service/0/AitName", "Guide"}, {"Mode4K", 0}, {"Hdcp", 1}, {"Mux/0/Mode", 2},
             {"Mux/0/CConstellation", 3}, {"Mux/0/SymbolRate", 6900}, {"CapabilityIr", 1}, {"Capability4K", 0}}},
        ReferenceDevice{
            "code176", 176, 15, false,
            {{"Reference", "REF176"}, {"DefaultCountry", 4}, {"LcnCountry", 6}, {"NetworkName", "NET176"},
             {"NitVersion", 2},
             {"Mux/0/Mode", 1}, {"Mux/0/Bandwidth", 1}, {"Mux/0/FreqKHz", 522000}, {"Mux/0/LevelAttDb", 3},
             {"Mux/0/TConstellation", 2}, {"Mux/0/Guard", 1}, {"Mux/0/Fec", 3}, {"Mux/0/CConstellation", 0},
             {"Mux/0/SymbolRate", 6875}, {"Mux/0/TxMode", 1}, {"Mux/0/TsId", 0x11},
             {"Mux/1/Mode", 2}, {"Mux/1/Bandwidth", 2}, {"Mux/1/FreqKHz", 602000}, {"Mux/1/LevelAttDb", 10},
             {"Mux/1/TConstellation", 1}, {"Mux/1/Guard", 0}, {"Mux/1/Fec", 1}, {"Mux/1/CConstellation", 2},
             {"Mux/1/SymbolRate", 6900}, {"Mux/1/TxMode", 0}, {"Mux/1/TsId", 0x12},
             {"Service/0/ServiceId", 0x101}, {"Service/0/Lcn", 11}, {"Service/0/ServiceName", "ALPHA"},
             {"Service/0/PmtPid", 0x100}, {"Service/0/VideoPid", 0x101}, {"Service/0/AudioPid", 0x102},
             {"Service/0/VideoBitrate", 14000}, {"Service/0/AudioCodec", 0}, {"Service/0/AudioBitrate", 0},
             {"Service/1/ServiceId", 0x102}, {"Service/1/Lcn", 12}, {"Service/1/ServiceName", "BRAVO"},
             {"Service/1/PmtPid", 0x200}, {"Service/1/VideoPid", 0x201}, {"Service/1/AudioPid", 0x202},
             {"Service/1/VideoBitrate", 7500}, {"Service/1/AudioCodec", 1}, {"Service/1/AudioBitrate", 1},
             {"Service/2/ServiceId", 0x103}, {"Service/2/Lcn", 13}, {"Service/2/ServiceName", "CHARLIE"},
             {"Service/2/PmtPid", 0x300}, {"Service/2/VideoPid", 0x301}, {"Service/2/AudioPid", 0x302},
             {"Service/2/VideoBitrate", 2000}, {"Service/2/AudioCodec", 0}, {"Service/2/AudioBitrate", 2},
             {"Service/3/ServiceId", 0x104}, {"Service/3/Lcn", 14}, {"Service/3/ServiceName", "DELTA"},
             {"Service/3/PmtPid", 0x400}, {"Service/3/VideoPid", 0x401}, {"Service/3/AudioPid", 0x402},
             {"Service/3/VideoBitrate", 1000}, {"Service/3/AudioCodec", 0}, {"Service/3/AudioBitrate", 3},
             {"Hdcp", 1}, {"CapabilityUsb", 1}, {"MediaSpare", 0}, {"MediaFileName", "movie.ts"},
             {"ScheduleCount", 2}, {"ScheduleEntries/0/StartDate", Date(2025, 12, 24)},
             {"ScheduleEntries/0/StartTime", 1200}, {"ScheduleEntries/0/StopDate", Date(2025, 12, 26)},
             {"ScheduleEntries/0/StopTime", 1320}, {"ScheduleEntries/0/WeekMask", 0x60},
             {"ScheduleEntries/0/Action", 1}, {"ScheduleEntries/0/File", "xmas.ts"},
             {"ScheduleEntries/1/StartDate", Date(2026, 1, 1)}, {"ScheduleEntries/1/StartTime", 0},
             {"ScheduleEntries/1/StopDate", Date(2026, 1, 31)}, {"ScheduleEntries/1/StopTime", 1439},
             {"ScheduleEntries/1/WeekMask", 0x7F}, {"ScheduleEntries/1/Action", 0},
             {"ScheduleEntries/1/File", "loop.ts"}, {"ExtraText1", "E1"}, {"ExtraText2", ""}, {"Dhcp", 1},
             {"NetText1", "eth0"}, {"DeviceIp", "192.168.5.50"}, {"DeviceMask", "255.255.255.0"},
             {"DeviceGateway", "192.168.5.1"}, {"NetText2", "N2"}, {"NetSpare1", 10}, {"NetSpare2", 11},
             {"Service/0/IpAddress", "239.10.0.1"}, {"Service/0/IpPort", 5004},
             {"Service/1/IpAddress", "239.10.0.2"}, {"Service/1/IpPort", 5005},
             {"Service/2/IpAddress", "239.10.0.3"}, {"Service/2/IpPort", 5006},
             {"Service/3/IpAddress", "239.10.0.4"}, {"Service/3/IpPort", 5007}}},
        ReferenceDevice{
            "code192", 192, 15, false,
            {{"LcnCountry", 5}, {"Reference", "REF192"}, {"DefaultCountry", 1}, {"LcnIdType", 3},
             {"OriginalNetworkId", 0x2001}, {"NetworkId", 0x2002}, {"NetworkName", "NET192"}, {"NitVersion", 4},
             {"NitSpare", 0x99}, {"Mode4K", 1}, {"Mux/0/Mode", 2}, {"Mux/0/FreqKHz", 474000}, {"Mux/0/Bandwidth", 2},
             {"Mux/0/TxMode", 1}, {"Mux/0/TConstellation", 2}, {"Mux/0/Fec", 1}, {"Mux/0/Guard", 2},
             {"Mux/0/CConstellation", 4}, {"Mux/0/SymbolRate", 6875}, {"Mux/0/LevelAttDb", 20},
             {"Mux/0/TsId", 0x100}, {"Service/0/ServiceName", "UHD ONE"}, {"Service/0/ServiceId", 0x1001},
             {"Service/0/Lcn", 1}, {"Service/0/PmtPid", 0x300}, {"Service/0/VideoPid", 0x301},
             {"Service/0/AudioPid", 0x302}, {"Service/0/AudioBitrate", 3}, {"VideoCodec", 1},
             {"Service/0/VideoBitrate", 14000}, {"Mac", QJsonArray{0x02, 0x00, 0x5E, 0x00, 0xC0, 0x01}},
             {"Dhcp", 0}, {"DeviceIp", "172.16.0.9"}, {"DeviceMask", "255.240.0.0"}, {"DeviceGateway", "172.16.0.1"},
             {"MediaSpare", 2}, {"MediaFileName", "show.ts"}, {"ScheduleCount", 1},
             {"ScheduleEntries/0/StartDate", Date(2025, 3, 14)}, {"ScheduleEntries/0/StartTime", 90},
             {"ScheduleEntries/0/StopDate", Date(2025, 3, 14)}, {"ScheduleEntries/0/StopTime", 600},
             {"ScheduleEntries/0/WeekMask", 0x01}, {"ScheduleEntries/0/Action", 1},
             {"ScheduleEntries/0/File", "night.ts"}, {"Service/0/AudioDelayMs", 300}, {"IpProtocol", 2},
             {"Service/0/IpAddress", "239.255.0.1"}, {"Service/0/IpPort", 6000}, {"OverlayLogoFile", "corner.png"},
             {"OverlayLogoPosition", 3}, {"OverlayLogoX", 1700}, {"OverlayLogoY", 40}}}),
    [](const auto &info) { return std::string(info.param.record); });

} // namespace
