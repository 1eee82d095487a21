#include "configmodel.h"

#include <algorithm>

namespace {

bool HasInfrared(int hardwareCode)
{
    switch (hardwareCode) {
    case 131: case 134: case 138: case 143: case 144: case 148: case 155: case 158: case 159:
        return true;
    default:
        return false;
    }
}

bool Has4K(int hardwareCode)
{
    return hardwareCode == 144 || hardwareCode == 146 || hardwareCode == 152 || hardwareCode == 192;
}

} // namespace

void ConfigModel::ApplyHardwareLimits(int hardwareCode)
{
    MuxCount = hardwareCode == 176 ? 2 : 1;
    switch (hardwareCode) {
    case 176:
        ServiceCount = 4;
        break;
    case 178: case 157: case 154: case 142:
        ServiceCount = 2;
        break;
    default:
        ServiceCount = 1;
    }

    // Code 156 is the satellite model: an L-band output and DVB-S symbol rates.
    const bool satellite = hardwareCode == 156;
    FreqMinKHz = satellite ? 950000 : 47000;
    FreqMaxKHz = satellite ? 1150000 : 862000;
    FreqDefaultKHz = satellite ? 960000 : 474000;
    SymbolRateMin = satellite ? 2500 : 2000;
    SymbolRateMax = satellite ? 22000 : 6960;
    SymbolRateDefault = satellite ? 22000 : 6875;
    VideoBitrateMin = 500;
    VideoBitrateMax = 15000;
    VideoBitrateDefault = 9000;
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

void ConfigModel::ResetForDecode(int hardwareCode, int firmwareVersionByte)
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
    CapabilityUsb = hardwareCode == 192 && firmwareVersionByte >= 15 ? 1 : 0;
    CapabilityIr = HasInfrared(hardwareCode) ? 1 : 0;
    Capability4K = Has4K(hardwareCode) ? 1 : 0;
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
