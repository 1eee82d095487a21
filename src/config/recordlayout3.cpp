#include "config/recordlayouts.h"

// Layout 3, the record of code 192: one multiplex and one service with a
// fixed network address, then three optional groups (USB schedule, IP
// output, logo overlay) that the encoder always writes.
template <class Io>
void VisitLayout3(Io &io, ConfigModel &model)
{
    MuxSettings &mux = model.Mux[0];
    ServiceSettings &service = model.Service[0];

    io.byte(model.LcnCountry);
    io.text(model.Reference);
    io.byte(model.DefaultCountry);
    io.byte(model.LcnIdType);
    io.uint16(model.OriginalNetworkId);
    io.uint16(model.NetworkId);
    io.text(model.NetworkName);
    io.byte(model.NitVersion);
    io.byte(model.NitSpare);
    io.byte(model.Mode4K);
    ModeFlag(io, mux.Mode);
    io.uint32(mux.FreqKHz);
    io.byte(mux.Bandwidth);
    io.byte(mux.TxMode);
    io.byte(mux.TConstellation);
    io.byte(mux.Fec);
    io.byte(mux.Guard);
    io.byte(mux.CConstellation);
    io.uint16(mux.SymbolRate);
    io.byte(mux.LevelAttDb);
    io.uint16(mux.TsId);
    io.text(service.ServiceName);
    io.uint16(service.ServiceId);
    io.uint16(service.Lcn);
    io.uint16(service.PmtPid);
    io.uint16(service.VideoPid);
    io.uint16(service.AudioPid);
    io.byte(service.AudioBitrate);
    io.byte(model.VideoCodec);
    io.uint16(service.VideoBitrate);
    for (qint32 &macByte : model.Mac)
        io.byte(macByte);
    // The layout has no DHCP switch: the device takes the address below,
    // and the model says so in both directions.
    model.Dhcp = 0;
    io.text(model.DeviceIp);
    io.text(model.DeviceMask);
    io.text(model.DeviceGateway);

    if (io.remains()) {
        io.byte(model.MediaSpare);
        io.text(model.MediaFileName);
        VisitSchedule(io, model);
    }
    if (io.remains()) {
        // Unlike layout 1, the delay has no sign bit here.
        io.uint16(service.AudioDelayMs);
        io.byte(model.IpProtocol);
        io.text(service.IpAddress);
        io.uint16(service.IpPort);
    }
    if (io.remains()) {
        io.text(model.OverlayLogoFile);
        io.byte(model.OverlayLogoPosition);
        io.uint16(model.OverlayLogoX);
        io.uint16(model.OverlayLogoY);
    }
}

template void VisitLayout3(RecordReader &, ConfigModel &);
template void VisitLayout3(RecordWriter &, ConfigModel &);
