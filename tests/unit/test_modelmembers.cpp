#include "config/modelmembers.h"

#include <gtest/gtest.h>

TEST(ModelMembers, RefusesOnlyChangesOutsideTheirRanges)
{
    const HardwareProfile profile = HardwareProfile::Of(192); // no negative audio delay
    ConfigModel before;
    before.ApplyHardwareLimits(profile);
    before.HdLcn = 0; // a device's own value that no page would store
    ConfigModel changed = before;
    EXPECT_EQ(FindRangeRefusal(before, changed, profile), std::nullopt);

    changed.Service[2].AudioDelayMs = -1;
    EXPECT_EQ(FindRangeRefusal(before, changed, profile), "Service[2].AudioDelayMs: -1 is outside 0..999");
    changed.Service[2].AudioDelayMs = 999;
    EXPECT_EQ(FindRangeRefusal(before, changed, profile), std::nullopt);

    changed.Mux[1].TsId = -2;
    EXPECT_EQ(FindRangeRefusal(before, changed, profile), "Mux[1].TsId: 4294967294 is outside 0..65535");
    changed.Mux[1].TsId = 65535;
    changed.OverlayLogoY = 1001;
    EXPECT_EQ(FindRangeRefusal(before, changed, profile), "OverlayLogoY: 1001 is outside 0..1000");

    changed.OverlayLogoY = 1000;
    // Texts the pages cut: 32 characters for a network name, 16 for an IP address.
    changed.NetworkName = QString(33, u'n');
    EXPECT_EQ(FindRangeRefusal(before, changed, profile), "NetworkName: 33 characters, at most 32");
    changed.NetworkName = QString(32, u'n');
    changed.Service[3].IpAddress = QStringLiteral("239.100.200.250:9");
    EXPECT_EQ(FindRangeRefusal(before, changed, profile), "Service[3].IpAddress: 17 characters, at most 16");
    changed.Service[3].IpAddress = QStringLiteral("239.100.200.250");
    EXPECT_EQ(FindRangeRefusal(before, changed, profile), std::nullopt);
}
