#include "configmodel.h"

#include <algorithm>

void ConfigModel::ApplyHardwareLimits(const HardwareProfile &profile)
{
    MuxCount = profile.MuxCount();
    ServiceCount = profile.ServiceCount();
    const ValueRange frequency = profile.FrequencyKHz();
    FreqMinKHz = frequency.Min;
    FreqMaxKHz = frequency.Max;
    FreqDefaultKHz = frequency.Default;
    const ValueRange symbolRate = profile.SymbolRate();
    SymbolRateMin = symbolRate.Min;
    SymbolRateMax = symbolRate.Max;
    SymbolRateDefault = symbolRate.Default;
    const ValueRange videoBitrate = profile.VideoBitrateKbps();
    VideoBitrateMin = videoBitrate.Min;
    VideoBitrateMax = videoBitrate.Max;
    VideoBitrateDefault = videoBitrate.Default;
}

int ConfigModel::UsedMuxes() const
{
    return std::clamp(MuxCount, 0, MaxMuxes);
}

int ConfigModel::UsedServices() const
{
    return std::clamp(ServiceCount, 0, MaxServices);
}

int ConfigModel::ValidScheduleEntries() const
{
    return std::clamp(ScheduleCount, 0, MaxScheduleEntries);
}

void ConfigModel::ResetForDecode(const HardwareProfile &profile)
{
    IpProtocol = 0;
    Ttl = 64;
    AudioInput = 0;
    VideoInput = 0;
    VideoCodec = 0;
    StrictCbr = 1;
    AllowVbr = 0;
    H264Profile = 0;
    PcmVolume = 0;
    HardwareType = 1;
    CapabilityUsb = profile.CapabilityUsbAtReset() ? 1 : 0;
    CapabilityIr = profile.CapabilityIrAtReset() ? 1 : 0;
    Capability4K = profile.Capability4KAtReset() ? 1 : 0;
    Dhcp = 1;
    Mac.fill(0);
    DeviceIp = QStringLiteral("192.168.1.10");
    DeviceMask = QStringLiteral("255.255.255.0");
    DeviceGateway = QStringLiteral("192.168.1.1");
    MediaFileName = QStringLiteral("NoName");
    OverlayLogoFile.clear();
    OverlayLogoPosition = 0;
    OverlayLogoX = 0;
    OverlayLogoY = 0;
    ScheduleCount = 0;

    EncoderSpare1 = 0;
    EncoderSpare2 = 50;
    EncoderSpare3 = 0;
    OutputSpare1 = 0;
    OutputSpare2 = 0;
    CodecSpare = 1;
    MediaSpare = 0;

    for (int s = 0; s < MaxServices; ++s)
        ResetService(Service[s], s);
}

void ConfigModel::ResetService(ServiceSettings &service, int s)
{
    const int pidBase = 100 * (s + 1);
    service.PmtPid = pidBase;
    service.VideoPid = pidBase + 1;
    service.AudioPid = pidBase + 2;
    service.AitPid = pidBase + 3;
    service.VideoBitrate = 9000;
    service.AudioDelayMs = 0;
    service.AitEnabled = 0;
    service.AitControlCode = 0;
    service.AitOrgId = 0;
    service.AitRoot.clear();
    service.AitPath.clear();
    service.AitName.clear();
    service.IpAddress = QStringLiteral("239.192.1.%1").arg(s);
    service.IpPort = 5004;
}

std::array<ServiceSettings, ConfigModel::MaxServices> ConfigModel::InitialServices()
{
    std::array<ServiceSettings, MaxServices> services{};
    for (int s = 0; s < MaxServices; ++s)
        ResetService(services[s], s);
    return services;
}
