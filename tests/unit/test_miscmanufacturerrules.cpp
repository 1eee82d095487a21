// The rules of the MISC. and MANUFACTURER pages without widgets: their lists,
// which controls each model and mode flag allows, the MAC address texts and
// the logo list. Expectations are written by hand from the page tables.

#include "acceptedcodes.h"

#include "config/configmodel.h"
#include "hardware/hardwareprofile.h"
#include "panel/manufacturerpagerules.h"
#include "panel/miscpagerules.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <set>

#include <gtest/gtest.h>

namespace {

TEST(MiscPageRules, ListsHoldTheTextsInModelOrder)
{
    EXPECT_EQ(Mode4KItems(), (QStringList{"OFF", "ON"}));
    EXPECT_EQ(IrFrequencyItems(), (QStringList{"38kHz", "46kHz", "56kHz"}));
    EXPECT_EQ(PcmVolumeItems(), (QStringList{"x1", "x2", "x4"}));
    EXPECT_EQ(H264ProfileItems(), (QStringList{"MAIN", " HIGH"}));
}

TEST(MiscPageRules, CapabilitiesOfTheModelEnable4KAndInfrared)
{
    ConfigModel model;
    for (int capability4K : {0, 1}) {
        for (int capabilityIr : {0, 1}) {
            model.Capability4K = capability4K;
            model.CapabilityIr = capabilityIr;
            const MiscPageEnables enables = MiscPageEnablesFor(HardwareProfile::Of(158, 15), model);
            EXPECT_EQ(enables.Mode4K, capability4K == 1);
            EXPECT_EQ(enables.Infrared, capabilityIr == 1);
        }
    }
}

TEST(MiscPageRules, EdidRepairAndEncoderTuningFollowTheCode)
{
    const std::set<int> noEdidRepair{121, 128, 131, 178, 176, 159, 158, 192};
    const ConfigModel model;
    for (int code : AllCodes) {
        const MiscPageEnables enables = MiscPageEnablesFor(HardwareProfile::Of(code, 30), model);
        EXPECT_EQ(enables.EdidRepair, !noEdidRepair.contains(code)) << code;
        EXPECT_EQ(enables.EncoderTuning, code == 121) << code;
    }
}

TEST(ManufacturerPageRules, ListsHoldTheTextsInModelOrder)
{
    EXPECT_EQ(DefaultCountryItems(),
              (QStringList{"FRANCAIS", "ENGLISH", "ITALIAN", "DEUTSCH", "ESPANOL", "POLSKI", "---"}));
    EXPECT_EQ(HardwareTypeItems(), (QStringList{"FULL", "LITE"}));
}

struct EnableCase
{
    int code;
    int versionByte;
    bool advanced;
    bool manufacturer;
    ManufacturerPageEnables expected; // Actions, LogoList, HardwareType, Mac, PlayRecUsb, Hdcp, Infrared, 4K
};

TEST(ManufacturerPageRules, EnablesByCodeVersionAndMode)
{
    const EnableCase cases[] = {
        // Neither flag file: only what the firmware decides.
        {121, 23, false, false, {false, false, false, false, false, false, false, false}},
        {159, 15, false, false, {false, false, false, false, false, true, true, true}},
        // Advanced mode: hardware type and MAC on 121, MAC on 192, no actions.
        {121, 23, true, false, {false, false, true, true, false, false, false, false}},
        {192, 15, true, false, {false, false, false, true, false, false, false, false}},
        {132, 14, true, false, {false, false, false, false, false, false, false, false}},
        // Manufacturer mode.
        {121, 23, false, true, {true, true, true, true, false, false, false, false}},
        {192, 15, false, true, {true, false, false, true, false, false, false, false}},
        {132, 14, false, true, {true, true, false, false, true, false, false, false}},
        {132, 30, false, true, {true, true, false, false, true, true, false, false}},
        {128, 30, false, true, {true, true, false, false, true, false, false, false}},
        {131, 30, false, true, {true, true, false, false, true, false, false, false}},
        {157, 9, false, true, {true, true, false, false, true, false, false, false}},
        {157, 10, false, true, {true, true, false, false, true, true, false, false}},
        {158, 13, false, true, {true, true, false, false, true, true, false, false}},
        {158, 14, false, true, {true, true, false, false, true, true, true, false}},
        {158, 15, false, true, {true, true, false, false, true, true, true, true}},
        {159, 13, true, true, {true, true, false, false, true, true, false, false}},
        {159, 14, true, true, {true, true, false, false, true, true, true, false}},
        {159, 15, true, true, {true, true, false, false, true, true, true, true}},
        {176, 0, false, true, {true, true, false, false, true, true, false, false}},
        {178, 0, false, true, {true, true, false, false, true, true, false, false}},
    };
    for (const EnableCase &c : cases) {
        const ManufacturerPageEnables got =
            ManufacturerPageEnablesFor(HardwareProfile::Of(c.code, c.versionByte), c.advanced, c.manufacturer);
        const auto where = ::testing::Message() << "code " << c.code << " version " << c.versionByte
                                                << " advanced " << c.advanced << " manufacturer " << c.manufacturer;
        EXPECT_EQ(got.Actions, c.expected.Actions) << where;
        EXPECT_EQ(got.LogoList, c.expected.LogoList) << where;
        EXPECT_EQ(got.HardwareType, c.expected.HardwareType) << where;
        EXPECT_EQ(got.Mac, c.expected.Mac) << where;
        EXPECT_EQ(got.PlayRecUsb, c.expected.PlayRecUsb) << where;
        EXPECT_EQ(got.Hdcp, c.expected.Hdcp) << where;
        EXPECT_EQ(got.Infrared, c.expected.Infrared) << where;
        EXPECT_EQ(got.Capability4K, c.expected.Capability4K) << where;
    }
}

TEST(ManufacturerPageRules, SnapshotButtonOnlyOnModelsWithADisplayPicture)
{
    const std::set<int> withSnapshot{192, 178, 176, 159};
    for (int code : AllCodes) {
        EXPECT_EQ(SnapshotButtonShown(HardwareProfile::Of(code), true), withSnapshot.contains(code)) << code;
        EXPECT_FALSE(SnapshotButtonShown(HardwareProfile::Of(code), false)) << code;
    }
}

TEST(ManufacturerPageRules, MacTextsAreReadAsHexadecimalWithOtherCharactersAsZero)
{
    EXPECT_EQ(MacByteFromText(u"1G"), 16);
    EXPECT_EQ(MacByteFromText(u""), 0);
    EXPECT_EQ(MacByteFromText(u"A5"), 165);
    EXPECT_EQ(MacByteFromText(u"a5"), 165);
    EXPECT_EQ(MacByteFromText(u"fF"), 255);
    EXPECT_EQ(MacByteFromText(u"-1"), 1);
    EXPECT_EQ(MacByteFromText(u" 9"), 9);
    EXPECT_EQ(MacByteFromText(u"\u0661\u0662"), 0); // Arabic-Indic digits are no hexadecimal digits
    EXPECT_EQ(MacByteFromText(u"1a5"), 0x1A5);       // the device receives only 0xA5
    // Nine digits run past 32 bits and wrap, without overflow.
    EXPECT_EQ(quint32(MacByteFromText(u"123456789")), 0x23456789u);
    EXPECT_EQ(quint32(MacByteFromText(u"FFFFFFFF")), 0xFFFFFFFFu);

    EXPECT_EQ(MacByteText(165), QStringLiteral("a5"));
    EXPECT_EQ(MacByteText(5), QStringLiteral("05"));
    EXPECT_EQ(MacByteText(0), QStringLiteral("00"));
    EXPECT_EQ(MacByteText(0x1A5), QStringLiteral("1a5"));
}

TEST(ManufacturerPageRules, LogoListHoldsTheDg1FilesOfTheLogosFolderSorted)
{
    QTemporaryDir folder;
    EXPECT_TRUE(LogoFileNames(folder.path()).isEmpty());

    QDir(folder.path()).mkpath(QStringLiteral("logos/folder.dg1"));
    for (const char *name : {"zebra.dg1", "Alpha.DG1", "beta.dg1", "notes.txt", "gamma.dg1.bak"}) {
        QFile file(folder.filePath(QStringLiteral("logos/") + QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(LogoFileNames(folder.path()), (QStringList{"Alpha.DG1", "beta.dg1", "zebra.dg1"}));
}

} // namespace
