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
