#pragma once

#include "recordreader.h"

#include <array>

// The fields the page tests look at, read from a configuration record by
// walking its layout's table field by field. Raw values as the record holds
// them: a delay is its uint16, a mode its flag or byte.
struct RecordFields
{
    struct Mux
    {
        quint32 FreqKHz = 0;
        quint32 SymbolRate = 0; // as stored: kilosymbols, or symbols per second in layout 2
        quint16 TsId = 0;
        quint8 ModeByte = 0;    // layout 0: the mode; others: the DVB-C flag
        quint8 LevelAttDb = 0;
    };
    struct Service
    {
        quint16 ServiceId = 0;
        quint16 Lcn = 0;
        QByteArray Name;
        quint16 PmtPid = 0;
        quint16 VideoPid = 0;
        quint16 AudioPid = 0;
        quint32 VideoBitrate = 0;
        quint16 DelayRaw = 0;
        quint8 AitEnabled = 0;
        quint8 AitVersion = 0;
        quint16 AitPid = 0;
        quint32 AitOrgId = 0;
        QByteArray IpAddress;
        quint16 IpPort = 0;
    };
    quint8 NitVersion = 0;
    quint16 NetworkId = 0;
    quint16 OriginalNetworkId = 0;
    QByteArray NetworkName;
    quint16 HdLcn = 0;
    quint8 Ttl = 0;
    std::array<Mux, 2> Muxes{};
    std::array<Service, 4> Services{};
    bool Failed = false;
};

// Layout 0 (code 121): every field through the TTL.
inline RecordFields ReadLayout0(const QByteArray &record)
{
    RecordReader r(record);
    RecordFields f;
    RecordFields::Mux &mux = f.Muxes[0];
    RecordFields::Service &service = f.Services[0];
    r.text();              // Reference
    r.skip(2);             // DefaultCountry, CountryCopy
    mux.ModeByte = r.byte();
    mux.FreqKHz = r.u32();
    r.skip(5);             // Bandwidth, TxMode, TConstellation, Fec, Guard
    mux.LevelAttDb = r.byte();
    r.skip(1);             // CConstellation
    mux.SymbolRate = r.u16();
    f.NitVersion = r.byte();
    f.NetworkId = r.u16();
    f.OriginalNetworkId = r.u16();
    f.NetworkName = r.text();
    mux.TsId = r.u16();
    r.skip(1);             // MuxSpare
    service.ServiceId = r.u16();
    r.skip(1);             // LcnIdType
    service.Lcn = r.u16();
    f.HdLcn = r.u16();
    service.Name = r.text();
    service.PmtPid = r.u16();
    service.VideoPid = r.u16();
    service.AudioPid = r.u16();
    service.VideoBitrate = r.u16();
    r.skip(8);             // AudioBitrate, AudioInput, VideoInput, three spares, StrictCbr, IpProtocol
    service.IpAddress = r.text();
    service.IpPort = r.u16();
    r.skip(3);             // two spares, PcmVolume
    r.text();              // LogoName
    r.skip(6 + 1);         // Mac, Dhcp
    r.text();              // DeviceIp
    r.text();              // DeviceMask
    r.text();              // DeviceGateway
    r.skip(3);             // HardwareType, AllowVbr, H264Profile
    r.text();              // EitName
    r.text();              // EitText
    r.skip(3);             // AudioCodec, VideoCodec, CodecSpare
    f.Ttl = r.byte();
    f.Failed = r.failed;
    return f;
}

// Layout 1 (codes other than 121, 176, 178 and 192) of a hardware with
// serviceCount services; the application table groups are there unless
// withApplicationTables is false (codes 142, 154, 157).
inline RecordFields ReadLayout1(const QByteArray &record, int serviceCount, bool withApplicationTables = true)
{
    RecordReader r(record);
    RecordFields f;
    RecordFields::Mux &mux = f.Muxes[0];
    r.text();              // Reference
    r.skip(2);             // DefaultCountry, CountryCopy
    mux.FreqKHz = r.u32();
    r.skip(5);             // Bandwidth, TxMode, TConstellation, Fec, Guard
    mux.LevelAttDb = r.byte();
    f.NitVersion = r.byte();
    f.NetworkId = r.u16();
    f.OriginalNetworkId = r.u16();
    f.NetworkName = r.text();
    mux.TsId = r.u16();
    if (serviceCount > 1)
        r.skip(1);         // LcnIdType
    for (int s = 0; s < serviceCount; ++s) {
        RecordFields::Service &service = f.Services[s];
        service.ServiceId = r.u16();
        if (serviceCount == 1)
            r.skip(1);     // LcnIdType
        service.Lcn = r.u16();
        service.Name = r.text();
        service.PmtPid = r.u16();
        service.VideoPid = r.u16();
        service.AudioPid = r.u16();
        service.VideoBitrate = r.u16();
        r.skip(2);         // AudioBitrate, AudioCodec
        r.text();          // EitName
        r.text();          // EitText
    }
    r.text();              // LogoName
    r.skip(1);             // MediaSpare
    r.text();              // MediaFileName
    r.skip(1);             // CapabilityUsb
    r.skipScheduleEntries(r.byte());
    r.skip(2);             // IrFrequency, LcnCountry
    r.skip(2 * serviceCount); // VideoPercent
    for (int s = 0; s < serviceCount; ++s) {
        RecordFields::Service &service = f.Services[s];
        service.DelayRaw = r.u16();
        if (!withApplicationTables)
            continue;
        service.AitEnabled = r.byte();
        service.AitVersion = r.byte();
        service.AitPid = r.u16();
        r.skip(1);         // AitControlCode
        service.AitOrgId = r.u32();
        r.text();          // AitRoot
        r.text();          // AitPath
        r.text();          // AitName
    }
    if (withApplicationTables)
        r.skip(2);         // Mode4K, Hdcp
    mux.ModeByte = r.byte();
    r.skip(1);             // CConstellation
    mux.SymbolRate = r.u16();
    f.Failed = r.failed;
    return f;
}

// Layout 2 (codes 176 and 178) with its multiplexes and services.
inline RecordFields ReadLayout2(const QByteArray &record, int muxCount, int serviceCount)
{
    RecordReader r(record, 5); // after the header
    RecordFields f;
    r.text();              // Reference
    r.skip(2);             // DefaultCountry, LcnCountry
    f.NetworkName = r.text();
    f.NitVersion = r.byte();
    for (int m = 0; m < muxCount; ++m) {
        RecordFields::Mux &mux = f.Muxes[m];
        mux.ModeByte = r.byte();
        r.skip(2);         // bandwidth in kHz
        mux.FreqKHz = r.u32();
        mux.LevelAttDb = r.byte();
        r.skip(4);         // TConstellation, Guard, Fec, CConstellation
        mux.SymbolRate = r.u32();
        r.skip(1);         // TxMode
        mux.TsId = r.u16();
    }
    for (int s = 0; s < serviceCount; ++s) {
        RecordFields::Service &service = f.Services[s];
        service.ServiceId = r.u16();
        service.Lcn = r.u16();
        service.Name = r.text();
        service.PmtPid = r.u16();
        service.VideoPid = r.u16();
        service.AudioPid = r.u16();
        service.VideoBitrate = r.u32();
        r.skip(1 + 4);     // audio codec byte, audio bitrate
    }
    r.skip(3);             // Hdcp, CapabilityUsb, MediaSpare
    r.text();              // MediaFileName
    r.skipScheduleEntries(r.byte());
    r.text();              // ExtraText1
    r.text();              // ExtraText2
    r.skip(1);             // Dhcp
    for (int texts = 0; texts < 5; ++texts)
        r.text();          // NetText1, DeviceIp, DeviceMask, DeviceGateway, NetText2
    r.skip(2);             // NetSpare1, NetSpare2
    for (int s = 0; s < serviceCount; ++s) {
        f.Services[s].IpAddress = r.text();
        f.Services[s].IpPort = r.u16();
    }
    f.Failed = r.failed;
    return f;
}

// Layout 3 (code 192) through the IP output group.
inline RecordFields ReadLayout3(const QByteArray &record)
{
    RecordReader r(record);
    RecordFields f;
    RecordFields::Mux &mux = f.Muxes[0];
    RecordFields::Service &service = f.Services[0];
    r.skip(1);             // LcnCountry
    r.text();              // Reference
    r.skip(2);             // DefaultCountry, LcnIdType
    f.OriginalNetworkId = r.u16();
    f.NetworkId = r.u16();
    f.NetworkName = r.text();
    f.NitVersion = r.byte();
    r.skip(2);             // NitSpare, Mode4K
    mux.ModeByte = r.byte();
    mux.FreqKHz = r.u32();
    r.skip(6);             // Bandwidth, TxMode, TConstellation, Fec, Guard, CConstellation
    mux.SymbolRate = r.u16();
    mux.LevelAttDb = r.byte();
    mux.TsId = r.u16();
    service.Name = r.text();
    service.ServiceId = r.u16();
    service.Lcn = r.u16();
    service.PmtPid = r.u16();
    service.VideoPid = r.u16();
    service.AudioPid = r.u16();
    r.skip(2);             // AudioBitrate, VideoCodec
    service.VideoBitrate = r.u16();
    r.skip(6);             // Mac
    r.text();              // DeviceIp
    r.text();              // DeviceMask
    r.text();              // DeviceGateway
    r.skip(1);             // MediaSpare
    r.text();              // MediaFileName
    r.skipScheduleEntries(r.byte());
    service.DelayRaw = r.u16();
    r.skip(1);             // IpProtocol
    service.IpAddress = r.text();
    service.IpPort = r.u16();
    f.Failed = r.failed;
    return f;
}
