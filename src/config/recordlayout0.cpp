#include "config/recordlayouts.h"

namespace {

// An optional byte or text: read when data remains, else the absent value.
template <class Io>
void OptionalByte(Io &io, qint32 &member, qint32 absent)
{
    SetWhenReading(io, member, absent);
    if (io.remains())
        io.byte(member);
}

template <class Io>
void OptionalText(Io &io, QString &member)
{
    SetWhenReading(io, member, QString());
    if (io.remains())
        io.text(member);
}

} // namespace

// Layout 0, the record of code 121: one multiplex, one service, the network
// settings, then optional encoder fields that older firmware does not send.
template <class Io>
void VisitLayout0(Io &io, ConfigModel &model)
{
    MuxSettings &mux = model.Mux[0];
    ServiceSettings &service = model.Service[0];

    io.text(model.Reference);
    io.byte(model.DefaultCountry);
    io.byte(model.CountryCopy);
    io.byte(mux.Mode);
    io.uint32(mux.FreqKHz);
    io.byte(mux.Bandwidth);
    io.byte(mux.TxMode);
    io.byte(mux.TConstellation);
    io.byte(mux.Fec);
    io.byte(mux.Guard);
    io.byte(mux.LevelAttDb);
    io.byte(mux.CConstellation);
    io.uint16(mux.SymbolRate);
    io.byte(model.NitVersion);
    io.uint16(model.NetworkId);
    io.uint16(model.OriginalNetworkId);
    io.text(model.NetworkName);
    io.uint16(mux.TsId);
    io.byte(model.MuxSpare);
    io.uint16(service.ServiceId);
    io.byte(model.LcnIdType);
    io.uint16(service.Lcn);
    io.uint16(model.HdLcn);
    io.text(service.ServiceName);
    io.uint16(service.PmtPid);
    io.uint16(service.VideoPid);
    io.uint16(service.AudioPid);
    io.uint16(service.VideoBitrate);
    io.byte(service.AudioBitrate);
    io.byte(model.AudioInput);
    io.byte(model.VideoInput);
    io.byte(model.EncoderSpare1);
    io.byte(model.EncoderSpare2);
    io.byte(model.EncoderSpare3);
    io.byte(model.StrictCbr);
    io.byte(model.IpProtocol);
    io.text(service.IpAddress);
    io.uint16(service.IpPort);
    io.byte(model.OutputSpare1);
    io.byte(model.OutputSpare2);
    io.byte(model.PcmVolume);
    io.text(model.LogoName);
    for (qint32 &macByte : model.Mac)
        io.byte(macByte);
    io.byte(model.Dhcp);
    io.text(model.DeviceIp);
    io.text(model.DeviceMask);
    io.text(model.DeviceGateway);

    OptionalByte(io, model.HardwareType, 0);
    OptionalByte(io, model.AllowVbr, 0);
    OptionalByte(io, model.H264Profile, 1);
    OptionalText(io, service.EitName);
    OptionalText(io, service.EitText);
    OptionalByte(io, service.AudioCodec, 0);
    OptionalByte(io, model.VideoCodec, 0);
    OptionalByte(io, model.CodecSpare, 1);
    OptionalByte(io, model.Ttl, 64);
}

template void VisitLayout0(RecordReader &, ConfigModel &);
template void VisitLayout0(RecordWriter &, ConfigModel &);
