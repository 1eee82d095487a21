#include "panel/multiplexrules.h"

#include "auxiliary/texttable.h"
#include "panel/pagefields.h"

#include <algorithm>

QStringList BandwidthItems()
{
    return {QStringLiteral("6 Mhz"), QStringLiteral("7 Mhz"), QStringLiteral("8 Mhz")};
}

QStringList DvbTConstellationItems()
{
    return {QStringLiteral("QPSK"), QStringLiteral("QAM16"), QStringLiteral("QAM64")};
}

QStringList DvbCConstellationItems()
{
    return {QStringLiteral("QAM16"), QStringLiteral("QAM32"), QStringLiteral("QAM64"), QStringLiteral("QAM128"),
            QStringLiteral("QAM256")};
}

QStringList TxModeItems()
{
    return {QStringLiteral("2K"), QStringLiteral("8K")};
}

QStringList CodeRateItems()
{
    return {QStringLiteral("1/2"), QStringLiteral("2/3"), QStringLiteral("3/4"), QStringLiteral("5/6"),
            QStringLiteral("7/8")};
}

QStringList GuardIntervalItems()
{
    return {QStringLiteral("1/32"), QStringLiteral("1/16"), QStringLiteral("1/8"), QStringLiteral("1/4")};
}

QStringList LcnIdTypeItems()
{
    return {QStringLiteral("EACEM"), QStringLiteral("ITC"), QStringLiteral("NORDIG"), QStringLiteral("AUSTRALIA")};
}

QStringList LcnCountryItems()
{
    return {QStringLiteral("FRANCE"),    QStringLiteral("SPAIN"),       QStringLiteral("UK"),
            QStringLiteral("IRELAND"),   QStringLiteral("GERMANY"),     QStringLiteral("ITALY"),
            QStringLiteral("POLAND"),    QStringLiteral("PORTUGAL"),    QStringLiteral("GREECE"),
            QStringLiteral("SWITZERLAND"), QStringLiteral("DENMARK"),   QStringLiteral("FINLAND"),
            QStringLiteral("NORWAY"),    QStringLiteral("SWEDEN"),      QStringLiteral("AUSTRALIA"),
            QStringLiteral("NEW_ZEALAND"), QStringLiteral("CZECH"),     QStringLiteral("NETHERLANDS"),
            QStringLiteral("RUSSIA"),    QStringLiteral("SLOVAK"),      QStringLiteral("SLOVENIA"),
            QStringLiteral("HUNGARY"),   QStringLiteral("AUSTRIA"),     QStringLiteral("LATVIA"),
            QStringLiteral("ISRAEL"),    QStringLiteral("CROATIA"),     QStringLiteral("ESTONIA"),
            QStringLiteral("---")};
}

QStringList IpProtocolItems(const HardwareProfile &profile)
{
    if (profile.StreamsIpBesideRf())
        return {QStringLiteral("RTP"), QStringLiteral("UDP"), QStringLiteral("RTSP"), QStringLiteral("HLS")};
    return {QStringLiteral("UDP"), QStringLiteral("RTP")};
}

QString MuxTabLabel(int mux)
{
    return QStringLiteral("M%1").arg(mux + 1);
}

QString LevelAttText(int db)
{
    return QStringLiteral("%1dB").arg(db);
}

int ModeOfRadios(bool ipChecked, bool dvbTChecked, bool dvbCChecked)
{
    if (ipChecked)
        return OutputIp;
    if (dvbTChecked)
        return OutputDvbT;
    if (dvbCChecked)
        return OutputDvbC;
    return OutputDvbS;
}

MultiplexEnables DecideMultiplexEnables(const HardwareProfile &profile, const ConfigModel &model, int mux,
                                        bool advancedOrManufacturer)
{
    const MuxSettings &output = model.Mux[BoundedIndex(mux, ConfigModel::MaxMuxes)];
    const int mode = output.Mode;
    MultiplexEnables enables;
    enables.Dhcp = profile.DhcpEditable() && advancedOrManufacturer;
    enables.DeviceAddress = enables.Dhcp && model.Dhcp == 0;
    enables.DvbT = profile.HasDvbT();
    enables.DvbC = profile.HasDvbC();
    enables.DvbS = profile.HasDvbS();
    enables.Ip = model.HardwareType == 0;
    enables.Frequency = mode != OutputIp;
    enables.Bandwidth = mode == OutputDvbT || mode == OutputDvbC;
    enables.TConstellation = mode == OutputDvbT;
    enables.CConstellation = mode == OutputDvbC;
    enables.SymbolRate = mode == OutputDvbC || mode == OutputDvbS;
    enables.CodeRate = mode == OutputDvbT || mode == OutputDvbS;
    enables.TxModeAndGuard = mode == OutputDvbT;
    enables.Level = mode != OutputIp;
    enables.IpProtocol = mode == OutputIp || profile.StreamsIpBesideRf();
    // RTSP and HLS serve the stream themselves: no destination to give.
    enables.IpDestination = enables.IpProtocol && model.IpProtocol < 2;
    enables.Ttl = mode == OutputIp;
    enables.LcnCountry = profile.HasLcnCountry();
    const bool countryFree = !profile.HasLcnCountry() || model.LcnCountry == NoLcnCountry;
    enables.NetworkIdsVisible = countryFree;
    enables.LcnIdTypeVisible = countryFree && profile.HasLcn();
    enables.LevelText = LevelAttText(output.LevelAttDb);
    return enables;
}

MultiplexVisibility DecideMultiplexVisibility(const HardwareProfile &profile, int mode, bool shown)
{
    MultiplexVisibility visibility;
    visibility.IpRadio = shown && !profile.StreamsIpBesideRf();
    visibility.IpLabel = shown && profile.StreamsIpBesideRf();
    visibility.TConstellation = shown && mode == OutputDvbT;
    visibility.CConstellation = shown && mode == OutputDvbC;
    visibility.Bitrate = shown && profile.ReportsMuxBitrates();
    return visibility;
}

std::optional<BitrateDisplay> DecideBitrateDisplay(const HardwareProfile &profile, int muxCount,
                                                   const DeviceStatus &status, int mux)
{
    if (!profile.ReportsMuxBitrates())
        return std::nullopt;
    BitrateDisplay display;
    const int muxes = std::clamp(muxCount, 0, int(DeviceStatus::MaxMuxes));
    for (int i = 0; i < muxes; ++i) {
        QString label = MuxTabLabel(i);
        if (status.MuxAvailableBps[i] == 0)
            label += QStringLiteral(" (") + GetText(TXT_INIT) + QStringLiteral(")");
        display.TabLabels << label;
    }
    mux = BoundedIndex(mux, DeviceStatus::MaxMuxes);
    const quint32 availableKbps = status.MuxAvailableBps[mux] / 1000;
    if (status.MuxAvailableBps[mux] == 0) {
        display.Text = GetText(TXT_INIT);
        return display;
    }
    const quint32 usedKbps = status.MuxUsedKbps[mux];
    display.Text = QStringLiteral("%1/%2 Kb/s").arg(usedKbps).arg(availableKbps);
    display.Maximum = int(availableKbps);
    // A device reporting more than it has fills the bar rather than leaving it behind.
    display.Position = int(std::min(usedKbps, availableKbps));
    return display;
}
