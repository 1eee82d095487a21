// Every expectation here is written by hand, code by code, from the list of
// models and the rules they follow; none is taken from the table under test.

#include "acceptedcodes.h"

#include "answeringprompts.h"

#include "app/modellabel.h"
#include "hardware/hardwareprofile.h"
#include "link/deviceidentity.h"

#include <functional>
#include <optional>
#include <set>

#include <gtest/gtest.h>

namespace {

using Rule = std::function<bool(const HardwareProfile &)>;

// The rule holds on exactly the codes given, for a device reporting this
// version byte.
void ExpectOnlyOn(const char *name, const Rule &rule, const std::set<int> &codes, int versionByte = 0)
{
    for (int code : AllCodes)
        EXPECT_EQ(rule(HardwareProfile::Of(code, versionByte)), codes.contains(code))
            << name << " on code " << code << " version " << versionByte;
}

std::set<int> AllBut(const std::set<int> &excluded)
{
    std::set<int> codes;
    for (int code : AllCodes) {
        if (!excluded.contains(code))
            codes.insert(code);
    }
    return codes;
}

TEST(HardwareProfile, AcceptedCodes)
{
    int accepted = 0;
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(HardwareProfile::IsAccepted(code), AllCodes.contains(code)) << code;
        EXPECT_EQ(IsAcceptedHardwareCode(code), AllCodes.contains(code)) << code;
        EXPECT_EQ(HardwareProfile::Of(code).IsDefined(), AllCodes.contains(code)) << code;
        accepted += HardwareProfile::IsAccepted(code) ? 1 : 0;
    }
    EXPECT_EQ(accepted, 34);
    for (int code : {129, 130, 160, 177, 193})
        EXPECT_FALSE(IsAcceptedHardwareCode(code)) << code;
    const QList<int> listed = HardwareProfile::AcceptedCodes();
    EXPECT_EQ(std::set<int>(listed.begin(), listed.end()), AllCodes);
    EXPECT_EQ(listed.size(), 34);
}

struct ModelRow
{
    int code;
    const char *model;
    const char *family;
    bool dvbC;
    bool playRec;
    bool serviceDelay; // on 142 only from version byte 7
};

// The hardware code table.
constexpr ModelRow ModelTable[] = {
    {121, "LENADU", "VUBUKA", true, false, false},  {128, "DISARE", "NETILU", false, false, false},
    {131, "BANODE", "LODAPO", false, true, false},  {132, "DUNASA", "VUBUKA", false, false, true},
    {133, "GUBUSO", "VUBUKA", false, false, true},  {134, "BEBUFI", "VUBUKA", false, true, true},
    {135, "NERASI", "VUBUKA", false, true, true},   {136, "REDUSE", "VUBUKA", false, false, true},
    {137, "LARASA", "VUBUKA", false, false, true},  {138, "SEPUNI", "VUBUKA", false, true, true},
    {139, "PUPIKE", "VUBUKA", false, false, true},  {140, "ZEVEDU", "VUBUKA", false, true, true},
    {141, "KUPIVO", "VUBUKA", false, false, true},  {142, "KUDARO", "POKAFA", false, true, true},
    {143, "FIFONA", "VUBUKA", false, false, true},  {144, "TAZUSI", "VUBUKA", false, true, true},
    {145, "LISOSO", "VUBUKA", false, false, true},  {146, "DAKOVA", "VUBUKA", false, false, true},
    {147, "BITUTO", "VUBUKA", true, false, true},   {148, "KOTIBO", "VUBUKA", true, true, true},
    {149, "LESAPA", "VUBUKA", true, true, true},    {150, "GIFENO", "VUBUKA", true, false, true},
    {151, "PAFONU", "VUBUKA", true, false, true},   {152, "KENUKO", "VUBUKA", true, false, true},
    {153, "LOGEDE", "VUBUKA", true, false, true},   {154, "FETEBO", "POKAFA", true, true, true},
    {155, "SEKIBE", "VUBUKA", true, false, true},   {156, "NULUSI", "VIVIPE", false, false, true},
    {157, "FUSAPU", "RAGULE", true, true, true},    {158, "NONODO", "VUBUKA", true, true, false},
    {159, "TOBEDE", "VUBUKA", true, true, false},   {176, "PEDISA", "VUBUKA", true, true, false},
    {178, "DASERA", "VUBUKA", true, true, false},   {192, "LUBAGU", "VUBUKA", true, true, true},
};

TEST(HardwareProfile, LabelsAndPredicatesOfTheModelTable)
{
    EXPECT_EQ(std::size(ModelTable), AllCodes.size());
    for (const ModelRow &row : ModelTable) {
        const HardwareProfile profile = HardwareProfile::Of(row.code, 7);
        EXPECT_EQ(profile.HardwareCode(), row.code);
        EXPECT_EQ(profile.ModelLabel(), QLatin1String(row.model)) << row.code;
        EXPECT_EQ(profile.FamilyLabel(), QLatin1String(row.family)) << row.code;
        EXPECT_EQ(profile.HasDvbC(), row.dvbC) << row.code;
        EXPECT_EQ(profile.HasPlayRec(), row.playRec) << row.code;
        EXPECT_EQ(profile.HasServiceDelay(), row.serviceDelay) << row.code;
    }
    EXPECT_FALSE(HardwareProfile::Of(142, 6).HasServiceDelay());
    EXPECT_TRUE(HardwareProfile::Of(142, 7).HasServiceDelay());
    EXPECT_TRUE(HardwareProfile::Of(154, 0).HasServiceDelay());
    EXPECT_TRUE(HardwareProfile::Of(157, 0).HasServiceDelay());
}

TEST(HardwareProfile, CodeOutsideTheTableHasNoLabelsAndNoFeatures)
{
    const HardwareProfile profile = HardwareProfile::Of(130, 20);
    EXPECT_FALSE(profile.IsDefined());
    EXPECT_TRUE(profile.ModelLabel().isEmpty());
    EXPECT_TRUE(profile.FamilyLabel().isEmpty());
    EXPECT_FALSE(profile.HasDvbC());
    EXPECT_FALSE(profile.HasPlayRec());
    EXPECT_FALSE(profile.HasServiceDelay());
    EXPECT_EQ(profile.Layout(), RecordLayout::Layout1);
    EXPECT_EQ(profile.ServiceCount(), 1);
}

TEST(HardwareProfile, ModelLabelOfAnUndefinedCodeTellsTheUser)
{
    AnsweringPrompts prompts;
    EXPECT_EQ(ModelLabel(HardwareProfile::Of(132)), QStringLiteral("DUNASA"));
    EXPECT_TRUE(prompts.Messages.isEmpty());

    EXPECT_TRUE(ModelLabel(HardwareProfile::Of(130)).isEmpty());
    ASSERT_EQ(prompts.Messages.size(), 1);
    EXPECT_EQ(prompts.Messages[0].Text, QStringLiteral("UNDEFINED VALUE"));
    EXPECT_EQ(prompts.Messages[0].Caption, QStringLiteral("ERROR"));
    EXPECT_EQ(prompts.Messages[0].Buttons, PromptButtons::Ok);
}

TEST(HardwareProfile, VersionShownInTitle)
{
    ExpectOnlyOn("VersionByteHoldsMinor", &HardwareProfile::VersionByteHoldsMinor, {121, 132});
    const HardwareProfile code121 = HardwareProfile::Of(121, 23, 9);
    EXPECT_EQ(code121.FirmwareMajor(), 2);
    EXPECT_EQ(code121.FirmwareMinorShown(), 3);
    const HardwareProfile code132 = HardwareProfile::Of(132, 14, 0);
    EXPECT_EQ(code132.FirmwareMajor(), 1);
    EXPECT_EQ(code132.FirmwareMinorShown(), 4);
    const HardwareProfile code142 = HardwareProfile::Of(142, 7, 3);
    EXPECT_EQ(code142.FirmwareMajor(), 7);
    EXPECT_EQ(code142.FirmwareMinorShown(), 3);
}

TEST(HardwareProfile, RecordLayoutPerCode)
{
    for (int code : AllCodes) {
        RecordLayout expected = RecordLayout::Layout1;
        if (code == 121)
            expected = RecordLayout::Layout0;
        else if (code == 176 || code == 178)
            expected = RecordLayout::Layout2;
        else if (code == 192)
            expected = RecordLayout::Layout3;
        EXPECT_EQ(HardwareProfile::Of(code).Layout(), expected) << code;
        EXPECT_EQ(HardwareProfile::Of(code).ConfigFileExtension(),
                  code == 121 ? QStringLiteral(".tmc") : QStringLiteral(".itc"))
            << code;
    }
}

TEST(HardwareProfile, CountsAndLimitsPerCode)
{
    for (int code : AllCodes) {
        const HardwareProfile profile = HardwareProfile::Of(code);
        EXPECT_EQ(profile.MuxCount(), code == 176 ? 2 : 1) << code;
        int services = 1;
        if (code == 176)
            services = 4;
        else if (code == 178 || code == 157 || code == 154 || code == 142)
            services = 2;
        EXPECT_EQ(profile.ServiceCount(), services) << code;

        const bool satellite = code == 156;
        const ValueRange frequency = satellite ? ValueRange{950000, 1150000, 960000}
                                               : ValueRange{47000, 862000, 474000};
        const ValueRange symbolRate = satellite ? ValueRange{2500, 22000, 22000} : ValueRange{2000, 6960, 6875};
        EXPECT_EQ(profile.FrequencyKHz(), frequency) << code;
        EXPECT_EQ(profile.SymbolRate(), symbolRate) << code;
        EXPECT_EQ(profile.VideoBitrateKbps(), (ValueRange{500, 15000, 9000})) << code;
        EXPECT_EQ(profile.LevelAttMaxDb(), code == 121 ? 29 : 15) << code;
        EXPECT_EQ(profile.AudioDelayMinMs(), code == 192 ? 0 : -999) << code;
    }
    ExpectOnlyOn("HasDvbT", &HardwareProfile::HasDvbT, AllBut({156}));
    ExpectOnlyOn("HasDvbS", &HardwareProfile::HasDvbS, {156});
    ExpectOnlyOn("OutputsOnlyDvbS", &HardwareProfile::OutputsOnlyDvbS, {156});
}

TEST(HardwareProfile, CapabilitiesARecordStartsFrom)
{
    ExpectOnlyOn("CapabilityUsbAtReset", &HardwareProfile::CapabilityUsbAtReset, {}, 14);
    ExpectOnlyOn("CapabilityUsbAtReset", &HardwareProfile::CapabilityUsbAtReset, {192}, 15);
    ExpectOnlyOn("CapabilityUsbAtReset", &HardwareProfile::CapabilityUsbAtReset, {192}, 255);
    ExpectOnlyOn("CapabilityIrAtReset", &HardwareProfile::CapabilityIrAtReset,
                 {131, 134, 138, 143, 144, 148, 155, 158, 159});
    ExpectOnlyOn("Capability4KAtReset", &HardwareProfile::Capability4KAtReset, {144, 146, 152, 192});
}

TEST(HardwareProfile, Layout1Conditions)
{
    ExpectOnlyOn("RecordHasExtendedFields", &HardwareProfile::RecordHasExtendedFields, AllBut({128}));
    ExpectOnlyOn("RecordHasApplicationTables", &HardwareProfile::RecordHasApplicationTables,
                 AllBut({157, 154, 142}));
    for (int code : AllCodes)
        EXPECT_EQ(HardwareProfile::Of(code).LcnCountryShift(), code == 158 || code == 159 ? 27 : 0) << code;
    ExpectOnlyOn("CapabilityIrSwitchable", &HardwareProfile::CapabilityIrSwitchable, {}, 13);
    ExpectOnlyOn("CapabilityIrSwitchable", &HardwareProfile::CapabilityIrSwitchable, {158, 159}, 14);
    ExpectOnlyOn("Capability4KSwitchable", &HardwareProfile::Capability4KSwitchable, {}, 14);
    ExpectOnlyOn("Capability4KSwitchable", &HardwareProfile::Capability4KSwitchable, {158, 159}, 15);
}

TEST(HardwareProfile, StatusReplyFormat)
{
    for (int code : AllCodes) {
        for (int versionByte : {14, 15}) {
            const HardwareProfile profile = HardwareProfile::Of(code, versionByte);
            const StatusReplyFormat format = profile.StatusReply();
            EXPECT_EQ(format.ServiceCount, profile.ServiceCount()) << code;
            EXPECT_EQ(format.MuxCount, profile.MuxCount()) << code;
            EXPECT_EQ(format.HasAutoMode, code != 121 && code != 128) << code;
            EXPECT_EQ(format.HasLogoList, code == 192 && versionByte >= 15) << code << " " << versionByte;
        }
    }
    ExpectOnlyOn("ReportsMuxBitrates", &HardwareProfile::ReportsMuxBitrates, {178, 176});
    ExpectOnlyOn("HasLogoOverlay", &HardwareProfile::HasLogoOverlay, {}, 14);
    ExpectOnlyOn("HasLogoOverlay", &HardwareProfile::HasLogoOverlay, {192}, 15);
}

TEST(HardwareProfile, FactoryDefaultStore)
{
    ExpectOnlyOn("StoresDefaultByShell", &HardwareProfile::StoresDefaultByShell, {121});
    for (int code : AllCodes) {
        std::optional<quint16> block = 750;
        if (code == 121 || code == 192)
            block = std::nullopt;
        else if (code == 128)
            block = 989;
        else if (code == 131)
            block = 926;
        else if (code == 158 || code == 159 || code == 176 || code == 178)
            block = 1021;
        EXPECT_EQ(HardwareProfile::Of(code).LogoFlashBlock(), block) << code;
    }
    ExpectOnlyOn("HasBootLogo", &HardwareProfile::HasBootLogo, AllBut({192}));
}

TEST(HardwareProfile, MainFirmwareImage)
{
    for (int code : AllCodes) {
        const HardwareProfile profile = HardwareProfile::Of(code);
        std::optional<quint16> block = 752;
        if (code == 121)
            block = std::nullopt;
        else if (code == 128)
            block = 991;
        else if (code == 131)
            block = 928;
        else if (code == 158 || code == 159 || code == 176 || code == 178)
            block = 128;
        EXPECT_EQ(profile.FirmwareFlashBlock(), block) << code;
        EXPECT_EQ(profile.FirmwareChunkSize(), code == 121 ? 2048 : 512) << code;
    }
    ExpectOnlyOn("FirmwareNeedsImageHeader", &HardwareProfile::FirmwareNeedsImageHeader,
                 AllBut({121, 128, 158, 159, 176, 178, 192}));
    ExpectOnlyOn("FirmwareSendsChecksum", &HardwareProfile::FirmwareSendsChecksum, AllBut({121, 128}));
    for (int version : {6, 8, 99})
        EXPECT_FALSE(HardwareProfile::Of(142).IsWithdrawnFirmwareVersion(version)) << version;
    ExpectOnlyOn("IsWithdrawnFirmwareVersion(7)",
                 [](const HardwareProfile &profile) { return profile.IsWithdrawnFirmwareVersion(7); }, {142});
    ExpectOnlyOn("RunsWithdrawnFirmware", &HardwareProfile::RunsWithdrawnFirmware, {142}, 7);
    ExpectOnlyOn("RunsWithdrawnFirmware", &HardwareProfile::RunsWithdrawnFirmware, {}, 8);
}

TEST(HardwareProfile, FamilyFirmwareImage)
{
    ExpectOnlyOn("ChecksFamilyFirmware", &HardwareProfile::ChecksFamilyFirmware, AllBut({121}));
    const std::set<int> noVersionRecord{142, 154, 157, 158, 159, 176, 178, 192};
    for (int code : AllCodes) {
        const HardwareProfile profile = HardwareProfile::Of(code);
        quint16 block = 0;
        if (code == 142 || code == 154)
            block = 620;
        else if (code == 156)
            block = 256;
        else if (code == 157)
            block = 492;
        EXPECT_EQ(profile.FamilyFlashBlock(), block) << code;

        const std::set<int> wholeFile{142, 154, 156, 157, 158, 159, 176, 178, 192};
        EXPECT_EQ(profile.FamilyImageOffset(), wholeFile.contains(code) ? 0 : 16) << code;

        std::optional<quint16> record = 751;
        if (noVersionRecord.contains(code))
            record = std::nullopt;
        else if (code == 128)
            record = 990;
        else if (code == 131)
            record = 927;
        EXPECT_EQ(profile.FamilyVersionRecordBlock(), record) << code;
    }
    ExpectOnlyOn("FamilyVersionHoldsMinor", &HardwareProfile::FamilyVersionHoldsMinor,
                 AllBut({142, 154, 156, 157, 178}));
}

TEST(HardwareProfile, PageRulesThatDependOnlyOnTheCode)
{
    ExpectOnlyOn("SendsPanelCommand", &HardwareProfile::SendsPanelCommand, {192, 178, 176, 159});
    ExpectOnlyOn("StreamsIpBesideRf", &HardwareProfile::StreamsIpBesideRf, {192});
    ExpectOnlyOn("HasLcn", &HardwareProfile::HasLcn, AllBut({156}));
    ExpectOnlyOn("HasLcnCountry", &HardwareProfile::HasLcnCountry, {192, 178, 176, 159, 158});
    ExpectOnlyOn("DhcpEditable", &HardwareProfile::DhcpEditable, {121});
    ExpectOnlyOn("HardwareTypeEditable", &HardwareProfile::HardwareTypeEditable, {121});
    ExpectOnlyOn("MacEditable", &HardwareProfile::MacEditable, {192, 121});
    ExpectOnlyOn("HasEncoderTuning", &HardwareProfile::HasEncoderTuning, {121});
    ExpectOnlyOn("HasHdLcnAndEit", &HardwareProfile::HasHdLcnAndEit, {121});
    ExpectOnlyOn("HasH265", &HardwareProfile::HasH265, {192});
    ExpectOnlyOn("HasMpeg2Video", &HardwareProfile::HasMpeg2Video, {121});
    ExpectOnlyOn("HasMpegAudio", &HardwareProfile::HasMpegAudio, AllBut({192}));
    ExpectOnlyOn("HasVideoPercent", &HardwareProfile::HasVideoPercent, {157, 154, 142});
    ExpectOnlyOn("HasApplicationTableSwitch", &HardwareProfile::HasApplicationTableSwitch,
                 AllBut({121, 128, 131, 142, 154, 157, 176, 178, 192}));
    ExpectOnlyOn("HasSnapshot", &HardwareProfile::HasSnapshot, {192, 178, 176, 159});
    ExpectOnlyOn("HasEdidRepair", &HardwareProfile::HasEdidRepair,
                 AllBut({121, 128, 131, 158, 159, 176, 178, 192}));
    ExpectOnlyOn("CapabilityUsbSwitchable", &HardwareProfile::CapabilityUsbSwitchable, AllBut({192, 121}));
}

TEST(HardwareProfile, HdcpSwitchFollowsCodeAndVersion)
{
    const std::set<int> neverOn{121, 128, 131};
    const std::set<int> alwaysOn{178, 176, 159, 158};
    for (int versionByte : {0, 9, 10, 29, 30, 255}) {
        for (int code : AllCodes) {
            const bool expected = (!neverOn.contains(code) && versionByte >= 30)
                || (code == 157 && versionByte >= 10) || alwaysOn.contains(code);
            EXPECT_EQ(HardwareProfile::Of(code, versionByte).HdcpSwitchable(), expected)
                << code << " version " << versionByte;
        }
    }
}

} // namespace
