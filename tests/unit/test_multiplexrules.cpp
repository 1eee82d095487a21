// The MULTIPLEX page's rules without widgets. Expected lists, substitutes,
// limits and enable decisions are written by hand, code by code.

#include "acceptedcodes.h"
#include "configtestrecords.h"

#include "panel/multiplexrules.h"
#include "panel/pagefields.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

ConfigModel ModelFor(int code)
{
    return ModelFor(Device(code));
}

TEST(MultiplexRules, FixedListsAsTheDeviceNumbersThem)
{
    EXPECT_EQ(BandwidthItems(), (QStringList{"6 Mhz", "7 Mhz", "8 Mhz"}));
    EXPECT_EQ(DvbTConstellationItems(), (QStringList{"QPSK", "QAM16", "QAM64"}));
    EXPECT_EQ(DvbCConstellationItems(), (QStringList{"QAM16", "QAM32", "QAM64", "QAM128", "QAM256"}));
    EXPECT_EQ(TxModeItems(), (QStringList{"2K", "8K"}));
    EXPECT_EQ(CodeRateItems(), (QStringList{"1/2", "2/3", "3/4", "5/6", "7/8"}));
    EXPECT_EQ(GuardIntervalItems(), (QStringList{"1/32", "1/16", "1/8", "1/4"}));
    EXPECT_EQ(LcnIdTypeItems(), (QStringList{"EACEM", "ITC", "NORDIG", "AUSTRALIA"}));
    const QStringList countries = LcnCountryItems();
    ASSERT_EQ(countries.size(), 28);
    EXPECT_EQ(countries.first(), QStringLiteral("FRANCE"));
    EXPECT_EQ(countries[9], QStringLiteral("SWITZERLAND"));
    EXPECT_EQ(countries[15], QStringLiteral("NEW_ZEALAND"));
    EXPECT_EQ(countries[26], QStringLiteral("ESTONIA"));
    EXPECT_EQ(countries[27], QStringLiteral("---"));
    EXPECT_EQ(NoLcnCountry, 27);
}

TEST(MultiplexRules, IpProtocolsStartWithRtpOnlyWhereIpRunsBesideRf)
{
    for (int code : AllCodes) {
        const QStringList expected = code == 192 ? QStringList{"RTP", "UDP", "RTSP", "HLS"} : QStringList{"UDP", "RTP"};
        EXPECT_EQ(IpProtocolItems(HardwareProfile::Of(code)), expected) << code;
    }
}

TEST(MultiplexRules, Texts)
{
    EXPECT_EQ(MuxTabLabel(0), QStringLiteral("M1"));
    EXPECT_EQ(MuxTabLabel(1), QStringLiteral("M2"));
    EXPECT_EQ(LevelAttText(0), QStringLiteral("0dB"));
    EXPECT_EQ(LevelAttText(29), QStringLiteral("29dB"));
}

struct NumericCase
{
    int code;
    FieldBinding field;
    const char *typed;
    std::function<qint32(const ConfigModel &)> stored;
    qint32 expected;
};

qint32 NitVersionOf(const ConfigModel &m) { return m.NitVersion; }
qint32 NetworkIdOf(const ConfigModel &m) { return m.NetworkId; }
qint32 OriginalNetworkIdOf(const ConfigModel &m) { return m.OriginalNetworkId; }
qint32 TsIdOf(const ConfigModel &m) { return m.Mux[0].TsId; }
qint32 FrequencyOf(const ConfigModel &m) { return m.Mux[0].FreqKHz; }
qint32 SymbolRateOf(const ConfigModel &m) { return m.Mux[0].SymbolRate; }
qint32 PortOf(const ConfigModel &m) { return m.Service[0].IpPort; }
qint32 TtlOf(const ConfigModel &m) { return m.Ttl; }

// The fields of the page keep a typed number in its member's range, or store
// the member's substitute.
TEST(MultiplexRules, TypedNumbersOrTheirSubstitutes)
{
    using M = ConfigModel;
    using X = MuxSettings;
    using S = ServiceSettings;
    const NumericCase cases[] = {
        {131, {.Number = &M::NitVersion}, "32", NitVersionOf, 32},
        {131, {.Number = &M::NitVersion}, "33", NitVersionOf, 1},
        {131, {.Number = &M::NitVersion}, "0", NitVersionOf, 0},
        {131, {.Number = &M::NitVersion}, "", NitVersionOf, 1},
        {131, {.Number = &M::NetworkId}, "65535", NetworkIdOf, 65535},
        {131, {.Number = &M::NetworkId}, "65536", NetworkIdOf, 100},
        {131, {.Number = &M::NetworkId}, "net", NetworkIdOf, 100},
        {131, {.Number = &M::OriginalNetworkId}, "65535", OriginalNetworkIdOf, 65535},
        {131, {.Number = &M::OriginalNetworkId}, "65536", OriginalNetworkIdOf, 8442},
        {131, {.MuxNumber = &X::TsId}, "65535", TsIdOf, 65535},
        {131, {.MuxNumber = &X::TsId}, "65536", TsIdOf, 8442},
        {131, {.MuxNumber = &X::TsId}, " 0", TsIdOf, 0},
        {131, {.MuxNumber = &X::FreqKHz}, "47000", FrequencyOf, 47000},
        {131, {.MuxNumber = &X::FreqKHz}, "862000", FrequencyOf, 862000},
        {131, {.MuxNumber = &X::FreqKHz}, "46999", FrequencyOf, 474000},
        {131, {.MuxNumber = &X::FreqKHz}, "862001", FrequencyOf, 474000},
        {131, {.MuxNumber = &X::FreqKHz}, "", FrequencyOf, 474000},
        {131, {.MuxNumber = &X::FreqKHz}, "950000", FrequencyOf, 474000},
        {156, {.MuxNumber = &X::FreqKHz}, "950000", FrequencyOf, 950000},
        {156, {.MuxNumber = &X::FreqKHz}, "1150000", FrequencyOf, 1150000},
        {156, {.MuxNumber = &X::FreqKHz}, "1150001", FrequencyOf, 960000},
        {156, {.MuxNumber = &X::FreqKHz}, "949999", FrequencyOf, 960000},
        {156, {.MuxNumber = &X::FreqKHz}, "474000", FrequencyOf, 960000},
        {131, {.MuxNumber = &X::SymbolRate}, "6960", SymbolRateOf, 6960},
        {131, {.MuxNumber = &X::SymbolRate}, "6961", SymbolRateOf, 6875},
        {131, {.MuxNumber = &X::SymbolRate}, "2000", SymbolRateOf, 2000},
        {131, {.MuxNumber = &X::SymbolRate}, "1999", SymbolRateOf, 6875},
        {156, {.MuxNumber = &X::SymbolRate}, "2499", SymbolRateOf, 22000},
        {156, {.MuxNumber = &X::SymbolRate}, "2500", SymbolRateOf, 2500},
        {156, {.MuxNumber = &X::SymbolRate}, "22000", SymbolRateOf, 22000},
        {156, {.MuxNumber = &X::SymbolRate}, "22001", SymbolRateOf, 22000},
        {131, {.ServiceNumber = &S::IpPort}, "65535", PortOf, 65535},
        {131, {.ServiceNumber = &S::IpPort}, "65536", PortOf, 5004},
        {131, {.ServiceNumber = &S::IpPort}, "", PortOf, 5004},
        {131, {.Number = &M::Ttl}, "0", TtlOf, 128},
        {131, {.Number = &M::Ttl}, "129", TtlOf, 128},
        {131, {.Number = &M::Ttl}, "1", TtlOf, 1},
        {131, {.Number = &M::Ttl}, "128", TtlOf, 128},
        {131, {.Number = &M::Ttl}, "ttl", TtlOf, 128},
    };
    for (const NumericCase &c : cases) {
        ConfigModel model = ModelFor(c.code);
        StoreTyped(c.field, QString::fromLatin1(c.typed), model, 0, HardwareProfile::Of(c.code));
        EXPECT_EQ(c.stored(model), c.expected) << "code " << c.code << " typed \"" << c.typed << "\"";
    }
}

TEST(MultiplexRules, FieldsOfTheMultiplexShownAndItsIpOutput)
{
    ConfigModel model = ModelFor(176);
    const ConfigModel before = model;
    const HardwareProfile profile = HardwareProfile::Of(176);
    StoreTyped({.MuxNumber = &MuxSettings::FreqKHz}, u"858000", model, 1, profile);
    StoreTyped({.ServiceText = &ServiceSettings::IpAddress}, u"239.192.100.200:1234",
               model, 1, profile);
    StoreTyped({.ServiceNumber = &ServiceSettings::IpPort}, u"6000", model, 1, profile);
    EXPECT_EQ(model.Mux[1].FreqKHz, 858000);
    EXPECT_EQ(model.Service[1].IpAddress, QStringLiteral("239.192.100.200:"));
    EXPECT_EQ(model.Service[1].IpPort, 6000);
    EXPECT_EQ(model.Mux[0], before.Mux[0]);
    EXPECT_EQ(model.Service[0], before.Service[0]);
}

TEST(MultiplexRules, TextsAreCutToTheirLengths)
{
    ConfigModel model = ModelFor(121);
    const HardwareProfile profile = HardwareProfile::Of(121);
    StoreTyped({.Text = &ConfigModel::DeviceIp}, u"192.168.100.200/24", model, 0,
               profile);
    StoreTyped({.Text = &ConfigModel::NetworkName},
               u"A network name of forty characters long", model, 0, profile);
    EXPECT_EQ(model.DeviceIp, QStringLiteral("192.168.100.200/"));
    EXPECT_EQ(model.NetworkName, QStringLiteral("A network name of forty characte"));
}

TEST(MultiplexRules, RadioButtonsGiveTheOutputKind)
{
    EXPECT_EQ(ModelFor(131).Mux[0].Mode, 1);
    EXPECT_EQ(ModeOfRadios(true, false, false), 0);
    EXPECT_EQ(ModeOfRadios(false, true, false), 1);
    EXPECT_EQ(ModeOfRadios(false, false, true), 2);
    EXPECT_EQ(ModeOfRadios(false, false, false), 3);
    EXPECT_EQ(ModeOfRadios(true, true, true), 0);
}

MultiplexEnables EnablesOn(int code, int mode, bool advanced = false, int hardwareType = 0)
{
    ConfigModel model = ModelFor(code);
    model.Mux[0].Mode = mode;
    model.HardwareType = hardwareType;
    return DecideMultiplexEnables(HardwareProfile::Of(code), model, 0, advanced);
}

TEST(MultiplexRules, ModulationControlsFollowTheOutputKind)
{
    struct Row
    {
        int mode;
        bool frequency, bandwidth, tConstellation, cConstellation, symbolRate, codeRate, txModeAndGuard, level,
            ttl;
    };
    const Row rows[] = {
        // mode     freq   bw     T-const C-const symb   fec    mode/guard level  ttl
        {OutputIp, false, false, false, false, false, false, false, false, true},
        {OutputDvbT, true, true, true, false, false, true, true, true, false},
        {OutputDvbC, true, true, false, true, true, false, false, true, false},
        {OutputDvbS, true, false, false, false, true, true, false, true, false},
    };
    for (const Row &row : rows) {
        const MultiplexEnables e = EnablesOn(131, row.mode);
        EXPECT_EQ(e.Frequency, row.frequency) << row.mode;
        EXPECT_EQ(e.Bandwidth, row.bandwidth) << row.mode;
        EXPECT_EQ(e.TConstellation, row.tConstellation) << row.mode;
        EXPECT_EQ(e.CConstellation, row.cConstellation) << row.mode;
        EXPECT_EQ(e.SymbolRate, row.symbolRate) << row.mode;
        EXPECT_EQ(e.CodeRate, row.codeRate) << row.mode;
        EXPECT_EQ(e.TxModeAndGuard, row.txModeAndGuard) << row.mode;
        EXPECT_EQ(e.Level, row.level) << row.mode;
        EXPECT_EQ(e.Ttl, row.ttl) << row.mode;
    }
}

TEST(MultiplexRules, IpProtocolAddressAndPort)
{
    for (int code : AllCodes) {
        for (int mode : {OutputIp, OutputDvbT, OutputDvbC}) {
            for (int protocol = 0; protocol < 4; ++protocol) {
                ConfigModel model = ModelFor(code);
                model.Mux[0].Mode = mode;
                model.IpProtocol = protocol;
                const MultiplexEnables e = DecideMultiplexEnables(HardwareProfile::Of(code), model, 0, false);
                const bool protocolEnabled = mode == OutputIp || code == 192;
                EXPECT_EQ(e.IpProtocol, protocolEnabled) << code << " mode " << mode;
                EXPECT_EQ(e.IpDestination, protocolEnabled && protocol < 2)
                    << code << " mode " << mode << " protocol " << protocol;
            }
        }
    }
}

TEST(MultiplexRules, DeviceAddressOnlyOnTheFirstModelInAdvancedModes)
{
    for (int code : AllCodes) {
        for (bool advanced : {false, true}) {
            for (int dhcp : {0, 1}) {
                ConfigModel model = ModelFor(code);
                model.Dhcp = dhcp;
                const MultiplexEnables e = DecideMultiplexEnables(HardwareProfile::Of(code), model, 0, advanced);
                EXPECT_EQ(e.Dhcp, code == 121 && advanced) << code;
                EXPECT_EQ(e.DeviceAddress, code == 121 && advanced && dhcp == 0) << code << " dhcp " << dhcp;
            }
        }
    }
}

TEST(MultiplexRules, ACountryHidesTheNetworkIdentifiers)
{
    const std::set<int> countryCodes{192, 178, 176, 159, 158};
    for (int code : AllCodes) {
        for (int country : {0, 5, NoLcnCountry}) {
            ConfigModel model = ModelFor(code);
            model.LcnCountry = country;
            const MultiplexEnables e = DecideMultiplexEnables(HardwareProfile::Of(code), model, 0, false);
            const bool countryFree = !countryCodes.contains(code) || country == 27;
            EXPECT_EQ(e.LcnCountry, countryCodes.contains(code)) << code;
            EXPECT_EQ(e.NetworkIdsVisible, countryFree) << code << " country " << country;
            EXPECT_EQ(e.LcnIdTypeVisible, countryFree && code != 156) << code << " country " << country;
        }
    }
}

TEST(MultiplexRules, LevelTextOfTheMultiplexShown)
{
    ConfigModel model = ModelFor(176);
    model.Mux[0].LevelAttDb = 3;
    model.Mux[1].LevelAttDb = 12;
    EXPECT_EQ(DecideMultiplexEnables(HardwareProfile::Of(176), model, 0, false).LevelText, QStringLiteral("3dB"));
    EXPECT_EQ(DecideMultiplexEnables(HardwareProfile::Of(176), model, 1, false).LevelText, QStringLiteral("12dB"));
}

TEST(MultiplexRules, VisibilityExceptions)
{
    for (int code : AllCodes) {
        for (int mode = 0; mode < 4; ++mode) {
            const MultiplexVisibility shown = DecideMultiplexVisibility(HardwareProfile::Of(code), mode, true);
            EXPECT_EQ(shown.IpRadio, code != 192) << code;
            EXPECT_EQ(shown.IpLabel, code == 192) << code;
            EXPECT_EQ(shown.TConstellation, mode == 1) << code << " mode " << mode;
            EXPECT_EQ(shown.CConstellation, mode == 2) << code << " mode " << mode;
            EXPECT_EQ(shown.Bitrate, code == 176 || code == 178) << code;
            const MultiplexVisibility hidden = DecideMultiplexVisibility(HardwareProfile::Of(code), mode, false);
            EXPECT_FALSE(hidden.IpRadio || hidden.IpLabel || hidden.TConstellation || hidden.CConstellation
                         || hidden.Bitrate)
                << code;
        }
    }
}

TEST(MultiplexRules, BitrateTextAndBar)
{
    DeviceStatus status;
    status.MuxAvailableBps = {31668449, 24128342, 0, 0};
    status.MuxUsedKbps = {18400, 9300, 0, 0};
    EXPECT_FALSE(DecideBitrateDisplay(HardwareProfile::Of(131), 1, status, 0)) << "reported on 176 and 178 only";
    const HardwareProfile profile = HardwareProfile::Of(176);
    const BitrateDisplay first = *DecideBitrateDisplay(profile, 2, status, 0);
    EXPECT_EQ(first.TabLabels, (QStringList{"M1", "M2"}));
    EXPECT_EQ(first.Text, QStringLiteral("18400/31668 Kb/s"));
    EXPECT_EQ(first.Maximum, 31668);
    EXPECT_EQ(first.Position, 18400);
    const BitrateDisplay second = *DecideBitrateDisplay(profile, 2, status, 1);
    EXPECT_EQ(second.Text, QStringLiteral("9300/24128 Kb/s"));
    EXPECT_EQ(second.Maximum, 24128);

    // More in use than available: the bar is full.
    status.MuxUsedKbps[0] = 40000;
    const BitrateDisplay over = *DecideBitrateDisplay(profile, 2, status, 0);
    EXPECT_EQ(over.Text, QStringLiteral("40000/31668 Kb/s"));
    EXPECT_EQ(over.Position, 31668);
}

TEST(MultiplexRules, BitrateNotKnownYetReadsInit)
{
    DeviceStatus status;
    status.MuxAvailableBps = {0, 24128342, 0, 0};
    status.MuxUsedKbps = {500, 9300, 0, 0};
    const BitrateDisplay display = *DecideBitrateDisplay(HardwareProfile::Of(176), 2, status, 0);
    EXPECT_EQ(display.TabLabels, (QStringList{"M1 (Init...)", "M2"}));
    EXPECT_EQ(display.Text, QStringLiteral("Init..."));
    EXPECT_EQ(display.Maximum, 100);
    EXPECT_EQ(display.Position, 0);
    const BitrateDisplay one = *DecideBitrateDisplay(HardwareProfile::Of(178), 1, DeviceStatus{}, 0);
    EXPECT_EQ(one.TabLabels, (QStringList{"M1 (Init...)"}));
}

} // namespace
