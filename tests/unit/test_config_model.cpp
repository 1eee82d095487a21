#include "config/configmodel.h"

#include <gtest/gtest.h>

TEST(ConfigModel, HardwareLimitsFollowTheCode)
{
    ConfigModel model;
    model.ApplyHardwareLimits(HardwareProfile::Of(176));
    EXPECT_EQ(model.MuxCount, 2);
    EXPECT_EQ(model.ServiceCount, 4);
    for (int code : {178, 157, 154, 142}) {
        model.ApplyHardwareLimits(HardwareProfile::Of(code));
        EXPECT_EQ(model.MuxCount, 1) << code;
        EXPECT_EQ(model.ServiceCount, 2) << code;
    }
    model.ApplyHardwareLimits(HardwareProfile::Of(131));
    EXPECT_EQ(model.MuxCount, 1);
    EXPECT_EQ(model.ServiceCount, 1);
    EXPECT_EQ(model.FreqMinKHz, 47000u);
    EXPECT_EQ(model.FreqMaxKHz, 862000u);
    EXPECT_EQ(model.SymbolRateMax, 6960u);

    model.ApplyHardwareLimits(HardwareProfile::Of(156));
    EXPECT_EQ(model.FreqMinKHz, 950000u);
    EXPECT_EQ(model.FreqMaxKHz, 1150000u);
    EXPECT_EQ(model.FreqDefaultKHz, 960000u);
    EXPECT_EQ(model.SymbolRateMin, 2500u);
    EXPECT_EQ(model.SymbolRateMax, 22000u);
    EXPECT_EQ(model.SymbolRateDefault, 22000u);
    EXPECT_EQ(model.VideoBitrateMax, 15000u);
}

TEST(ConfigModel, ResetGivesCapabilitiesFromHardwareAndFirmware)
{
    ConfigModel model;
    model.ResetForDecode(HardwareProfile::Of(192, 14));
    EXPECT_EQ(model.CapabilityUsb, 0);
    EXPECT_EQ(model.Capability4K, 1);
    model.ResetForDecode(HardwareProfile::Of(192, 15));
    EXPECT_EQ(model.CapabilityUsb, 1);
    model.ResetForDecode(HardwareProfile::Of(158, 20));
    EXPECT_EQ(model.CapabilityUsb, 0);
    EXPECT_EQ(model.CapabilityIr, 1);
    EXPECT_EQ(model.Capability4K, 0);
    model.ResetForDecode(HardwareProfile::Of(132, 14));
    EXPECT_EQ(model.CapabilityIr, 0);
}

TEST(ConfigModel, ResetTouchesOnlyMembersWithAResetValue)
{
    ConfigModel model;
    model.Reference = QStringLiteral("kept");
    model.Service[2].ServiceName = QStringLiteral("kept");
    model.Service[2].AitVersion = 7;
    model.ScheduleEntries[0].File = QStringLiteral("kept");
    model.Ttl = 1;
    model.Service[2].AitRoot = QStringLiteral("gone");
    model.Service[2].VideoPid = 1;
    model.ResetForDecode(HardwareProfile::Of(176, 0));
    EXPECT_EQ(model.Reference, "kept");
    EXPECT_EQ(model.Service[2].ServiceName, "kept");
    EXPECT_EQ(model.Service[2].AitVersion, 7);
    EXPECT_EQ(model.ScheduleEntries[0].File, "kept");
    EXPECT_EQ(model.Ttl, 64);
    EXPECT_TRUE(model.Service[2].AitRoot.isEmpty());
    EXPECT_EQ(model.Service[2].VideoPid, 301);
    EXPECT_EQ(model.Service[2].AitPid, 303);
    EXPECT_EQ(model.Service[2].IpAddress, "239.192.1.2");
}

TEST(ConfigModel, ResetGivesEveryResetMemberItsValue)
{
    ConfigModel model;
    model.IpProtocol = model.Ttl = model.AudioInput = model.VideoInput = model.VideoCodec = 7;
    model.StrictCbr = model.AllowVbr = model.H264Profile = model.PcmVolume = model.HardwareType = 7;
    model.Dhcp = model.OverlayLogoPosition = model.OverlayLogoX = model.OverlayLogoY = 7;
    model.ScheduleCount = model.EncoderSpare1 = model.EncoderSpare2 = model.EncoderSpare3 = 7;
    model.OutputSpare1 = model.OutputSpare2 = model.CodecSpare = model.MediaSpare = 7;
    model.Mac.fill(7);
    model.DeviceIp = model.DeviceMask = model.DeviceGateway = QStringLiteral("x");
    model.MediaFileName = model.OverlayLogoFile = QStringLiteral("x");
    for (ServiceSettings &service : model.Service) {
        service.PmtPid = service.VideoPid = service.AudioPid = service.VideoBitrate = 7;
        service.AudioDelayMs = service.AitEnabled = service.AitPid = service.AitControlCode = 7;
        service.AitOrgId = service.IpPort = 7;
        service.AitRoot = service.AitPath = service.AitName = service.IpAddress = QStringLiteral("x");
    }
    model.ResetForDecode(HardwareProfile::Of(131));

    EXPECT_EQ(model.IpProtocol, 0);
    EXPECT_EQ(model.Ttl, 64);
    EXPECT_EQ(model.AudioInput, 0);
    EXPECT_EQ(model.VideoInput, 0);
    EXPECT_EQ(model.VideoCodec, 0);
    EXPECT_EQ(model.StrictCbr, 1);
    EXPECT_EQ(model.AllowVbr, 0);
    EXPECT_EQ(model.H264Profile, 0);
    EXPECT_EQ(model.PcmVolume, 0);
    EXPECT_EQ(model.HardwareType, 1);
    EXPECT_EQ(model.Dhcp, 1);
    EXPECT_EQ(model.Mac, (std::array<qint32, 6>{}));
    EXPECT_EQ(model.DeviceIp, "192.168.1.10");
    EXPECT_EQ(model.DeviceMask, "255.255.255.0");
    EXPECT_EQ(model.DeviceGateway, "192.168.1.1");
    EXPECT_EQ(model.MediaFileName, "NoName");
    EXPECT_TRUE(model.OverlayLogoFile.isEmpty());
    EXPECT_EQ(model.OverlayLogoPosition, 0);
    EXPECT_EQ(model.OverlayLogoX, 0);
    EXPECT_EQ(model.OverlayLogoY, 0);
    EXPECT_EQ(model.ScheduleCount, 0);
    EXPECT_EQ(model.EncoderSpare1, 0);
    EXPECT_EQ(model.EncoderSpare2, 50);
    EXPECT_EQ(model.EncoderSpare3, 0);
    EXPECT_EQ(model.OutputSpare1, 0);
    EXPECT_EQ(model.OutputSpare2, 0);
    EXPECT_EQ(model.CodecSpare, 1);
    EXPECT_EQ(model.MediaSpare, 0);
    const int pidBases[] = {100, 200, 300, 400};
    const char *addresses[] = {"239.192.1.0", "239.192.1.1", "239.192.1.2", "239.192.1.3"};
    for (int s = 0; s < ConfigModel::MaxServices; ++s) {
        const ServiceSettings &service = model.Service[s];
        EXPECT_EQ(service.PmtPid, pidBases[s]) << s;
        EXPECT_EQ(service.VideoPid, pidBases[s] + 1) << s;
        EXPECT_EQ(service.AudioPid, pidBases[s] + 2) << s;
        EXPECT_EQ(service.AitPid, pidBases[s] + 3) << s;
        EXPECT_EQ(service.VideoBitrate, 9000) << s;
        EXPECT_EQ(service.AudioDelayMs, 0) << s;
        EXPECT_EQ(service.AitEnabled, 0) << s;
        EXPECT_EQ(service.AitControlCode, 0) << s;
        EXPECT_EQ(service.AitOrgId, 0) << s;
        EXPECT_TRUE(service.AitRoot.isEmpty()) << s;
        EXPECT_TRUE(service.AitPath.isEmpty()) << s;
        EXPECT_TRUE(service.AitName.isEmpty()) << s;
        EXPECT_EQ(service.IpAddress, addresses[s]) << s;
        EXPECT_EQ(service.IpPort, 5004) << s;
    }
}
