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
}
