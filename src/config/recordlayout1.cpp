#include "config/recordlayouts.h"

namespace {

// Audio delays travel as sign and magnitude: bit 15 the sign, bits 0-14 the
// milliseconds.
template <class Io>
void SignMagnitudeDelay(Io &io, qint32 &delayMs)
{
    Converted(
        io, 2, delayMs,
        [](quint32 delay) { return qint32(delay) < 0 ? (0u - delay) | 0x8000u : delay; },
        [](quint32 value) { return value & 0x8000u ? 0u - (value & 0x7FFFu) : value; });
}

template <class Io>
void ApplicationTable(Io &io, ServiceSettings &service)
{
    io.byte(service.AitEnabled);
    io.byte(service.AitVersion);
    io.uint16(service.AitPid);
    io.byte(service.AitControlCode);
    io.uint32(service.AitOrgId);
    io.text(service.AitRoot);
    io.text(service.AitPath);
    io.text(service.AitName);
}

template <class Io>
void ServiceGroup(Io &io, ConfigModel &model, ServiceSettings &service, bool carriesLcnIdType)
{
    io.uint16(service.ServiceId);
    if (carriesLcnIdType)
        io.byte(model.LcnIdType);
    io.uint16(service.Lcn);
    io.text(service.ServiceName);
    io.uint16(service.PmtPid);
    io.uint16(service.VideoPid);
    io.uint16(service.AudioPid);
    io.uint16(service.VideoBitrate);
    io.byte(service.AudioBitrate);
    io.byte(service.AudioCodec);
    io.text(service.EitName);
    io.text(service.EitText);
}

// The fields after the capability byte, which some hardware neither sends
// nor accepts. Each is optional; the decoder first gives them all their absent
// values so that a record ending anywhere in this block leaves no stale value.
// The capabilities keep their reset values when absent.
template <class Io>
void ExtendedFields(Io &io, ConfigModel &model, const HardwareProfile &profile)
{
    const int services = model.UsedServices();
    // Without application tables there is no 4K byte either, and the HDCP
    // byte comes after the modulation fields.
    const bool applicationTables = profile.RecordHasApplicationTables();
    // Some hardware stores the LCN country as the index minus a shift, so
    // that its byte 0 means no country ("---", the last index).
    const quint32 lcnCountryShift = quint32(profile.LcnCountryShift());
    MuxSettings &mux = model.Mux[0];

    SetWhenReading(io, model.IrFrequency, 0);
    SetWhenReading(io, model.LcnCountry, 0);
    for (int s = 0; s < services; ++s) {
        SetWhenReading(io, model.Service[s].VideoPercent, 0);
        SetWhenReading(io, model.Service[s].AudioDelayMs, 0);
    }
    SetWhenReading(io, model.Mode4K, 0);
    SetWhenReading(io, model.Hdcp, 0);
    SetWhenReading(io, mux.CConstellation, 0);
    SetWhenReading(io, mux.SymbolRate, 6875);

    if (!profile.RecordHasExtendedFields() || !io.remains())
        return;

    VisitSchedule(io, model);
    if (io.remains())
        io.byte(model.IrFrequency);
    if (io.remains()) {
        Converted(
            io, 1, model.LcnCountry,
            [=](quint32 index) { return index - lcnCountryShift; },
            [=](quint32 value) { return (value + lcnCountryShift) & 0xFFu; });
    }
    for (int s = 0; s < services; ++s) {
        if (io.remains())
            io.uint16(model.Service[s].VideoPercent);
    }
    for (int s = 0; s < services; ++s) {
        if (io.remains())
            SignMagnitudeDelay(io, model.Service[s].AudioDelayMs);
        if (applicationTables && io.remains())
            ApplicationTable(io, model.Service[s]);
    }
    if (applicationTables && io.remains())
        io.byte(model.Mode4K);
    if (applicationTables && io.remains())
        io.byte(model.Hdcp);
    if (io.remains()) {
        // Only DVB-C is flagged: IP and DVB-S come back as DVB-T.
        Converted(io, 1, mux.Mode, [](quint32 mode) { return mode == 2 ? 1u : 0u; },
                  [](quint32 flag) { return flag == 0 ? 1u : 2u; });
        io.byte(mux.CConstellation);
        io.uint16(mux.SymbolRate);
    }
    if (!applicationTables && io.remains())
        io.byte(model.Hdcp);
    if (profile.CapabilityIrSwitchable() && io.remains())
        io.byte(model.CapabilityIr);
    if (profile.Capability4KSwitchable() && io.remains())
        io.byte(model.Capability4K);
}

} // namespace

// Layout 1, the record of most codes: one multiplex and one group per
// service, then optional fields that grew with the firmware.
template <class Io>
void VisitLayout1(Io &io, ConfigModel &model, const HardwareProfile &profile)
{
    MuxSettings &mux = model.Mux[0];
    const int services = model.UsedServices();

    io.text(model.Reference);
    io.byte(model.DefaultCountry);
    io.byte(model.CountryCopy);
    // The flag near the end may make it DVB-C.
    SetWhenReading(io, mux.Mode, 1);
    io.uint32(mux.FreqKHz);
    io.byte(mux.Bandwidth);
    io.byte(mux.TxMode);
    io.byte(mux.TConstellation);
    io.byte(mux.Fec);
    io.byte(mux.Guard);
    io.byte(mux.LevelAttDb);
    io.byte(model.NitVersion);
    io.uint16(model.NetworkId);
    io.uint16(model.OriginalNetworkId);
    io.text(model.NetworkName);
    io.uint16(mux.TsId);
    SetWhenReading(io, model.MuxSpare, 1);
    // Multi-service models send the LCN type once before the services,
    // single-service models inside their one service group.
    if (services > 1)
        io.byte(model.LcnIdType);
    SetWhenReading(io, model.HdLcn, 0);
    for (int s = 0; s < services; ++s)
        ServiceGroup(io, model, model.Service[s], services == 1);
    io.text(model.LogoName);

    if (io.remains()) {
        io.byte(model.MediaSpare);
        io.text(model.MediaFileName);
    }
    if (io.remains())
        io.byte(model.CapabilityUsb);
    ExtendedFields(io, model, profile);
}

template void VisitLayout1(RecordReader &, ConfigModel &, const HardwareProfile &);
template void VisitLayout1(RecordWriter &, ConfigModel &, const HardwareProfile &);
