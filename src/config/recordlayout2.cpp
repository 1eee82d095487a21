#include "config/recordlayouts.h"

namespace {

// Bandwidth in kHz on the record, as index 0..2 (6, 7, 8 MHz) in the model.
template <class Io>
void BandwidthKHz(Io &io, qint32 &bandwidth)
{
    Converted(io, 2, bandwidth, [](quint32 index) { return (index + 6) * 1000; },
              [](quint32 kHz) { return kHz / 1000 - 6; });
}

// Symbols per second on the record, kilosymbols in the model.
template <class Io>
void SymbolRate(Io &io, qint32 &kiloSymbols)
{
    Converted(io, 4, kiloSymbols, [](quint32 rate) { return rate * 1000; },
              [](quint32 rate) { return rate / 1000; });
}

// The record's byte is 1 for AAC-LC and 0 for MPEG-1 layer II, the reverse
// of the model's index.
template <class Io>
void AudioCodecByte(Io &io, qint32 &codec)
{
    Converted(io, 1, codec, [](quint32 index) { return 1 - index; },
              [](quint32 value) { return 1 - value; });
}

// Bit/s on the record, index 0..3 (128, 192, 256, 320 kbit/s) in the model;
// any other rate is taken as the highest.
template <class Io>
void AudioBitrate(Io &io, qint32 &index)
{
    Converted(
        io, 4, index,
        [](quint32 choice) { return choice <= 2 ? 128000 + choice * 64000 : 320000u; },
        [](quint32 rate) {
            switch (rate) {
            case 128000: return 0u;
            case 192000: return 1u;
            case 256000: return 2u;
            default: return 3u;
            }
        });
}

template <class Io>
void MuxGroup(Io &io, MuxSettings &mux)
{
    ModeFlag(io, mux.Mode);
    BandwidthKHz(io, mux.Bandwidth);
    io.uint32(mux.FreqKHz);
    io.byte(mux.LevelAttDb);
    io.byte(mux.TConstellation);
    io.byte(mux.Guard);
    io.byte(mux.Fec);
    io.byte(mux.CConstellation);
    SymbolRate(io, mux.SymbolRate);
    io.byte(mux.TxMode);
    io.uint16(mux.TsId);
}

template <class Io>
void ServiceGroup(Io &io, ServiceSettings &service)
{
    io.uint16(service.ServiceId);
    io.uint16(service.Lcn);
    io.text(service.ServiceName);
    io.uint16(service.PmtPid);
    io.uint16(service.VideoPid);
    io.uint16(service.AudioPid);
    io.uint32(service.VideoBitrate);
    AudioCodecByte(io, service.AudioCodec);
    AudioBitrate(io, service.AudioBitrate);
}

} // namespace

// Layout 2, the record of the multi-service codes 176 and 178 after its
// header: every multiplex and service in full, then the USB and network
// settings. No field is optional.
template <class Io>
void VisitLayout2(Io &io, ConfigModel &model)
{
    io.text(model.Reference);
    io.byte(model.DefaultCountry);
    io.byte(model.LcnCountry);
    io.text(model.NetworkName);
    io.byte(model.NitVersion);
    for (int m = 0; m < model.UsedMuxes(); ++m)
        MuxGroup(io, model.Mux[m]);
    for (int s = 0; s < model.UsedServices(); ++s)
        ServiceGroup(io, model.Service[s]);
    io.byte(model.Hdcp);
    io.byte(model.CapabilityUsb);
    io.byte(model.MediaSpare);
    io.text(model.MediaFileName);
    VisitSchedule(io, model);
    io.text(model.ExtraText1);
    io.text(model.ExtraText2);
    io.byte(model.Dhcp);
    io.text(model.NetText1);
    io.text(model.DeviceIp);
    io.text(model.DeviceMask);
    io.text(model.DeviceGateway);
    io.text(model.NetText2);
    io.byte(model.NetSpare1);
    io.byte(model.NetSpare2);
    for (int s = 0; s < model.UsedServices(); ++s) {
        io.text(model.Service[s].IpAddress);
        io.uint16(model.Service[s].IpPort);
    }
}

template void VisitLayout2(RecordReader &, ConfigModel &);
template void VisitLayout2(RecordWriter &, ConfigModel &);
