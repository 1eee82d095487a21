#pragma once

#include "hardware/hardwareprofile.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

// One multiplex (RF or IP output) of the device.
struct MuxSettings
{
    qint32 Mode = 1;           // 0 IP, 1 DVB-T, 2 DVB-C, 3 DVB-S
    qint32 TsId = 0;
    qint32 FreqKHz = 474000;
    qint32 Bandwidth = 2;      // 0 6 MHz, 1 7 MHz, 2 8 MHz
    qint32 TxMode = 1;         // 0 2K, 1 8K
    qint32 TConstellation = 2; // QPSK, QAM16, QAM64
    qint32 Fec = 0;            // 1/2, 2/3, 3/4, 5/6, 7/8
    qint32 Guard = 0;          // 1/32, 1/16, 1/8, 1/4
    qint32 LevelAttDb = 0;     // 0..29
    qint32 CConstellation = 0; // QAM16 .. QAM256
    qint32 SymbolRate = 6875;  // kilosymbols per second

    bool operator==(const MuxSettings &) const = default;
};

// One encoded service (programme).
struct ServiceSettings
{
    qint32 ServiceId = 0;
    qint32 Lcn = 0;
    QString ServiceName;
    qint32 PmtPid = 0;
    qint32 VideoPid = 0;
    qint32 AudioPid = 0;
    qint32 VideoBitrate = 9000; // kbit/s
    qint32 AudioBitrate = 0;    // 128, 192, 256, 320 kbit/s
    qint32 AudioCodec = 0;      // 0 AAC-LC, 1 MPEG1-L2
    qint32 AudioDelayMs = 0;    // -999..999
    qint32 VideoPercent = 0;
    QString EitName;
    QString EitText;
    qint32 AitEnabled = 0;
    qint32 AitVersion = 0;
    qint32 AitPid = 0;
    qint32 AitControlCode = 0;
    qint32 AitOrgId = 0;
    QString AitRoot;
    QString AitPath;
    QString AitName;
    QString IpAddress;
    qint32 IpPort = 5004;

    bool operator==(const ServiceSettings &) const = default;
};

// One play or record period of the USB schedule. Dates pack the day in bits
// 0-7, the month in bits 8-15 and the year in bits 16-31, so that numeric
// order is calendar order; times are minutes after midnight.
struct ScheduleEntry
{
    quint32 StartDate = 0;
    quint32 StopDate = 0;
    quint32 StartTime = 0;
    quint32 StopTime = 0;
    quint32 WeekMask = 0; // bit 0 Monday .. bit 6 Sunday
    quint32 Action = 0;   // 0 play, 1 record
    QString File;

    bool operator==(const ScheduleEntry &) const = default;
};

// The device's configuration as the tool holds it: plain data shared by the
// codec, the settings panel, the CLI and the tests. Numbers are signed 32-bit
// whatever their width in the record; values are those at program start.
struct ConfigModel
{
    static constexpr int MaxMuxes = 4;
    static constexpr int MaxServices = 4;
    static constexpr int MaxScheduleEntries = 10;

    QString Reference;
    qint32 DefaultCountry = 0;
    qint32 CountryCopy = 0;
    qint32 NitVersion = 0;
    qint32 NetworkId = 0;
    qint32 OriginalNetworkId = 0;
    QString NetworkName;
    qint32 LcnIdType = 0;
    qint32 HdLcn = 0;
    qint32 LcnCountry = 0;
    qint32 IpProtocol = 0;
    qint32 Ttl = 64;
    qint32 AudioInput = 0;
    qint32 VideoInput = 0;
    qint32 VideoCodec = 0;
    qint32 StrictCbr = 1;
    qint32 AllowVbr = 0;
    qint32 H264Profile = 0;
    qint32 PcmVolume = 0;
    qint32 IrFrequency = 0;
    qint32 Mode4K = 0;
    qint32 Hdcp = 0;
    qint32 HardwareType = 1; // 0 FULL, 1 LITE
    qint32 CapabilityUsb = 0;
    qint32 CapabilityIr = 0;
    qint32 Capability4K = 0;
    QString LogoName;
    qint32 Dhcp = 1;
    std::array<qint32, 6> Mac{};
    QString DeviceIp = QStringLiteral("192.168.1.10");
    QString DeviceMask = QStringLiteral("255.255.255.0");
    QString DeviceGateway = QStringLiteral("192.168.1.1");
    QString MediaFileName = QStringLiteral("NoName");
    QString OverlayLogoFile;
    qint32 OverlayLogoPosition = 0; // 0 none, 1..9 cell of the 3 x 3 grid
    qint32 OverlayLogoX = 0;
    qint32 OverlayLogoY = 0;
    qint32 ScheduleCount = 0;
    std::array<ScheduleEntry, MaxScheduleEntries> ScheduleEntries{};

    // Values the tool never shows; they exist so that a record read from a
    // device is written back with these bytes unchanged.
    qint32 MuxSpare = 0;
    qint32 EncoderSpare1 = 0;
    qint32 EncoderSpare2 = 50;
    qint32 EncoderSpare3 = 0;
    qint32 OutputSpare1 = 0;
    qint32 OutputSpare2 = 0;
    qint32 CodecSpare = 1;
    qint32 MediaSpare = 0;
    qint32 NitSpare = 0;
    qint32 NetSpare1 = 0;
    qint32 NetSpare2 = 0;
    QString ExtraText1;
    QString ExtraText2;
    QString NetText1;
    QString NetText2;

    std::array<MuxSettings, MaxMuxes> Mux{};
    std::array<ServiceSettings, MaxServices> Service = InitialServices();

    // Not carried in the record: set from the hardware by ApplyHardwareLimits
    // and shared with the settings panel.
    qint32 MuxCount = 1;
    qint32 ServiceCount = 1;
    quint32 FreqMinKHz = 47000;
    quint32 FreqMaxKHz = 862000;
    quint32 FreqDefaultKHz = 474000;
    quint32 SymbolRateMin = 2000;
    quint32 SymbolRateMax = 6960;
    quint32 SymbolRateDefault = 6875;
    quint32 VideoBitrateMin = 500;
    quint32 VideoBitrateMax = 15000;
    quint32 VideoBitrateDefault = 9000;
    qint32 Filling = 0;          // non-zero while the panel itself fills controls
    quint8 CommitCountdown = 0;  // panel ticks before the next write; 0 none
    quint8 StoreAsDefault = 0;   // the next write also stores the factory default
    // The logo named in the MANUFACTURER page's logo list, typed or chosen:
    // a write that stores the factory default and a saved file carry it in
    // place of LogoName. None until the page is built: LogoName itself.
    std::optional<QString> ChosenLogoName;

    // Sets MuxCount, ServiceCount and the nine limits for the hardware.
    void ApplyHardwareLimits(const HardwareProfile &profile);

    // The number of Mux and Service elements the hardware uses, kept within
    // the arrays whatever the counts hold.
    int UsedMuxes() const;
    int UsedServices() const;
    // ScheduleCount kept within 0..MaxScheduleEntries.
    int ValidScheduleEntries() const;

    // Gives every member that has a reset value that value, as a record
    // decode does before it reads the fields; the capabilities follow from
    // the hardware. Members without a reset value keep theirs.
    void ResetForDecode(const HardwareProfile &profile);

    bool operator==(const ConfigModel &) const = default;

private:
    static void ResetService(ServiceSettings &service, int s);
    static std::array<ServiceSettings, MaxServices> InitialServices();
};
