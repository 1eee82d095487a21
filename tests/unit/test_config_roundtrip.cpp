#include "configtestrecords.h"

#include "config/modeljson.h"

#include <QJsonDocument>

// decode(encode(model)) for each layout, with every member the layout
// carries set away from the value a decode would otherwise leave. The
// members are given as model JSON, one document per hardware.

namespace {

QByteArray Mux(int mode)
{
    return QStringLiteral(R"({"Mode":%1,"TsId":4660,"FreqKHz":610000,"Bandwidth":1,"TxMode":0,)"
                          R"("TConstellation":1,"Fec":4,"Guard":3,"LevelAttDb":17,"CConstellation":3,)"
                          R"("SymbolRate":6111})")
        .arg(mode)
        .toLatin1();
}

// The service members every layout carries, and a few more.
QByteArray Service(int s, const QByteArray &more)
{
    return QStringLiteral(R"({"ServiceId":%1,"Lcn":%2,"ServiceName":"Service %3","PmtPid":%4,)"
                          R"("VideoPid":%5,"AudioPid":%6,"VideoBitrate":%7,"AudioBitrate":%8%9})")
        .arg(0x201 + s).arg(40 + s).arg(s).arg(0x300 + s).arg(0x310 + s).arg(0x320 + s)
        .arg(12345 - s).arg(2 - s % 2).arg(QString::fromLatin1(more))
        .toLatin1();
}

const char Network[] = R"("DeviceIp":"172.16.0.9","DeviceMask":"255.255.0.0","DeviceGateway":"172.16.0.1",)";
const char Mac[] = R"("Mac":[2,171,205,239,1,35],)";
const char Schedule[] = R"("MediaSpare":5,"MediaFileName":"holiday.ts","ScheduleEntries":[)"
                        R"({"StartDate":132647967,"StopDate":132710657,"StartTime":1380,"StopTime":90,)"
                        R"("WeekMask":127,"Action":1,"File":"new year"},)"
                        R"({"StartDate":4294967295,"StopDate":0,"StartTime":0,"StopTime":1439,)"
                        R"("WeekMask":1,"Action":0,"File":"clip.ts"}],)";
const char IpOutput[] = R"(,"IpAddress":"232.1.1.1","IpPort":6000)";
const char Eit[] = R"(,"AudioCodec":1,"EitName":"Event","EitText":"About")";
const char Application[] = R"(,"AitEnabled":1,"AitVersion":6,"AitPid":511,"AitControlCode":2,)"
                           R"("AitOrgId":66051,"AitRoot":"http://apps/","AitPath":"a/","AitName":"App")";

QByteArray Layout0()
{
    return QByteArray(R"({"Reference":"Unit","DefaultCountry":4,"CountryCopy":5,"NitVersion":9,)"
                      R"("NetworkId":17185,"OriginalNetworkId":34661,"NetworkName":"Net","MuxSpare":3,)"
                      R"("LcnIdType":2,"HdLcn":800,"AudioInput":1,"VideoInput":2,"EncoderSpare1":7,)"
                      R"("EncoderSpare2":8,"EncoderSpare3":9,"StrictCbr":0,"IpProtocol":1,"OutputSpare1":10,)"
                      R"("OutputSpare2":11,"PcmVolume":2,"LogoName":"brand.dg1","Dhcp":0,"HardwareType":0,)"
                      R"("AllowVbr":1,"H264Profile":0,"VideoCodec":2,"CodecSpare":0,"Ttl":12,)")
        + Mac + Network + R"("Mux":[)" + Mux(3) + R"(],"Service":[)" + Service(0, QByteArray(IpOutput) + Eit) + "]}";
}

// Codes with application tables and one service (131, 158) or without them
// and two services (157, with its HDCP byte elsewhere).
QByteArray Layout1(bool applicationTables, const char *capabilities = "")
{
    QByteArray services;
    for (int s = 0; s < (applicationTables ? 1 : 2); ++s) {
        QByteArray more = QByteArray(Eit) + (s ? R"(,"VideoPercent":56,"AudioDelayMs":250)"
                                               : R"(,"VideoPercent":55,"AudioDelayMs":-999)");
        if (applicationTables)
            more += Application;
        services += (s ? "," : "") + Service(s, more);
    }
    return QByteArray(R"({"Reference":"Unit","DefaultCountry":4,"CountryCopy":5,"NitVersion":9,)"
                      R"("NetworkId":17185,"OriginalNetworkId":34661,"NetworkName":"Net","LcnIdType":3,)"
                      R"("LogoName":"brand.dg1","CapabilityUsb":1,"IrFrequency":2,"LcnCountry":3,"Hdcp":1,)"
                      R"("MuxSpare":1,)") // as every layout-1 read sets it
        + (applicationTables ? R"("Mode4K":1,)" : "") + capabilities + Schedule + R"("Mux":[)" + Mux(2)
        + R"(],"Service":[)" + services + "]}";
}

QByteArray Layout2()
{
    QByteArray services;
    for (int s = 0; s < 4; ++s)
        services += (s ? "," : "") + Service(s, R"(,"AudioCodec":1,"IpAddress":"232.1.1.9","IpPort":6000)");
    return QByteArray(R"({"Reference":"Unit","DefaultCountry":4,"LcnCountry":26,"NetworkName":"Net",)"
                      R"("NitVersion":9,"Hdcp":1,"CapabilityUsb":1,"ExtraText1":"x1","ExtraText2":"x2",)"
                      R"("Dhcp":0,"NetText1":"n1","NetText2":"n2","NetSpare1":12,"NetSpare2":13,)")
        + Network + Schedule + R"("Mux":[)" + Mux(2) + "," + Mux(2) + R"(],"Service":[)" + services + "]}";
}

QByteArray Layout3()
{
    return QByteArray(R"({"LcnCountry":26,"Reference":"Unit","DefaultCountry":4,"LcnIdType":1,)"
                      R"("OriginalNetworkId":34661,"NetworkId":17185,"NetworkName":"Net","NitVersion":9,)"
                      R"("NitSpare":4,"Mode4K":1,"VideoCodec":1,"Dhcp":0,"IpProtocol":2,)"
                      R"("OverlayLogoFile":"corner.png","OverlayLogoPosition":9,"OverlayLogoX":1000,)"
                      R"("OverlayLogoY":999,)")
        + Mac + Network + Schedule + R"("Mux":[)" + Mux(2) + R"(],"Service":[)"
        + Service(0, R"(,"AudioDelayMs":40000,"IpAddress":"232.1.1.1","IpPort":6000)") + "]}";
}

// What a decode leaves when the record tells nothing: reset values, the
// hardware's capabilities and the test application.
ConfigModel DecodeBase(const DeviceIdentity &identity)
{
    ConfigModel model = ModelFor(identity);
    model.ResetForDecode(identity.Profile());
    for (int s = 0; s < model.ServiceCount; ++s) {
        ServiceSettings &service = model.Service[s];
        service.AitControlCode = 1;
        service.AitOrgId = 112;
        service.AitRoot = QString::fromLatin1(DefaultApplicationRoot);
        service.AitPath = QStringLiteral("staging/catalogue/index.php");
        service.AitName = QStringLiteral("HbbTV Test");
    }
    return model;
}

std::string Json(const ConfigModel &model)
{
    return QJsonDocument(ModelToJson(model)).toJson().toStdString();
}

struct RoundTrip
{
    DeviceIdentity identity;
    QByteArray members;
};

void PrintTo(const RoundTrip &roundTrip, std::ostream *out)
{
    *out << int(roundTrip.identity.HardwareCode);
}

} // namespace

class ConfigRoundTrip : public testing::TestWithParam<RoundTrip>
{
};

TEST_P(ConfigRoundTrip, DecodeOfEncodeGivesTheModelBack)
{
    const DeviceIdentity identity = GetParam().identity;
    ConfigModel model = DecodeBase(identity);
    QJsonObject members;
    QString error;
    ASSERT_TRUE(ParseModelJson(GetParam().members, members, error)) << error.toStdString();
    ASSERT_TRUE(ApplyModelJson(members, model, error));
    const std::optional<QByteArray> record = EncodeConfigBlock(identity, model);
    ASSERT_TRUE(record);

    ConfigModel decoded = DecodeBase(identity);
    ASSERT_TRUE(DecodeConfigBlock(*record, identity, decoded));
    // Layout 0 does not carry the media file that the encoder named.
    if (identity.HardwareCode == 121)
        model.MediaFileName = decoded.MediaFileName;
    EXPECT_EQ(Json(decoded), Json(model));
}

INSTANTIATE_TEST_SUITE_P(
    EveryLayout, ConfigRoundTrip,
    testing::Values(RoundTrip{Device(121), Layout0()}, RoundTrip{Device(131), Layout1(true)},
                    RoundTrip{Device(157), Layout1(false)},
                    RoundTrip{Device(158, 15), Layout1(true, R"("CapabilityIr":0,"Capability4K":1,)")},
                    RoundTrip{Device(176), Layout2()}, RoundTrip{Device(192, 15), Layout3()}),
    [](const testing::TestParamInfo<RoundTrip> &info) {
        return "Code" + std::to_string(info.param.identity.HardwareCode);
    });
