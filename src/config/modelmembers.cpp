#include "config/modelmembers.h"

#include <limits>

namespace {

constexpr qint64 Unbounded = std::numeric_limits<quint32>::max();
constexpr qint64 IdentifierMax = 65535;
// The lowest PID a service may use: those below are reserved for the tables.
constexpr qint64 LowestServicePid = 32;
constexpr qint64 AudioDelayMaxMs = 999;
// The longest texts the settings pages keep.
constexpr int DeviceAddressLength = 16; // DeviceIp, DeviceMask, DeviceGateway
constexpr int NetworkNameLength = 32;
constexpr int IpAddressLength = 16;
constexpr int ServiceNameLength = 32;
constexpr int EitNameLength = 40;
constexpr int EitTextLength = 100;
constexpr int AitTextLength = 60; // AitName, AitRoot, AitPath
constexpr int ReferenceLength = 20;
constexpr int UsbPageNameLength = 32; // MediaFileName, OverlayLogoFile

template <qint64 Minimum, qint64 Maximum, qint32 Substitute>
MemberRange Fixed(const ConfigModel &, const HardwareProfile &)
{
    return {Minimum, Maximum, Substitute};
}

MemberRange FrequencyRange(const ConfigModel &model, const HardwareProfile &)
{
    return {model.FreqMinKHz, model.FreqMaxKHz, qint32(model.FreqDefaultKHz)};
}

MemberRange SymbolRateRange(const ConfigModel &model, const HardwareProfile &)
{
    return {model.SymbolRateMin, model.SymbolRateMax, qint32(model.SymbolRateDefault)};
}

MemberRange VideoBitrateRange(const ConfigModel &model, const HardwareProfile &)
{
    return {model.VideoBitrateMin, model.VideoBitrateMax, qint32(model.VideoBitrateDefault)};
}

// The level slider ends at the hardware's greatest attenuation.
MemberRange LevelRange(const ConfigModel &, const HardwareProfile &profile)
{
    return {0, profile.LevelAttMaxDb(), qint32(profile.LevelAttMaxDb())};
}

MemberRange AudioDelayRange(const ConfigModel &, const HardwareProfile &profile)
{
    return {profile.AudioDelayMinMs(), AudioDelayMaxMs, 0, true};
}

using M = ConfigModel;
const ModelMember<M> ModelTable[] = {
    {.Name = "Reference", .Text = &M::Reference, .MaxLength = ReferenceLength},
    {.Name = "DefaultCountry", .Number = &M::DefaultCountry},
    {.Name = "CountryCopy", .Number = &M::CountryCopy},
    {.Name = "NitVersion", .Number = &M::NitVersion, .Range = Fixed<0, 32, 1>},
    {.Name = "NetworkId", .Number = &M::NetworkId, .Range = Fixed<0, IdentifierMax, 100>},
    {.Name = "OriginalNetworkId", .Number = &M::OriginalNetworkId, .Range = Fixed<0, IdentifierMax, 8442>},
    {.Name = "NetworkName", .Text = &M::NetworkName, .MaxLength = NetworkNameLength},
    {.Name = "LcnIdType", .Number = &M::LcnIdType},
    {.Name = "HdLcn", .Number = &M::HdLcn, .Range = Fixed<1, Unbounded, 1>},
    {.Name = "LcnCountry", .Number = &M::LcnCountry},
    {.Name = "IpProtocol", .Number = &M::IpProtocol},
    {.Name = "Ttl", .Number = &M::Ttl, .Range = Fixed<1, 128, 128>},
    {.Name = "AudioInput", .Number = &M::AudioInput},
    {.Name = "VideoInput", .Number = &M::VideoInput},
    {.Name = "VideoCodec", .Number = &M::VideoCodec},
    {.Name = "StrictCbr", .Number = &M::StrictCbr},
    {.Name = "AllowVbr", .Number = &M::AllowVbr},
    {.Name = "H264Profile", .Number = &M::H264Profile},
    {.Name = "PcmVolume", .Number = &M::PcmVolume},
    {.Name = "IrFrequency", .Number = &M::IrFrequency},
    {.Name = "Mode4K", .Number = &M::Mode4K},
    {.Name = "Hdcp", .Number = &M::Hdcp},
    {.Name = "HardwareType", .Number = &M::HardwareType},
    {.Name = "CapabilityUsb", .Number = &M::CapabilityUsb},
    {.Name = "CapabilityIr", .Number = &M::CapabilityIr},
    {.Name = "Capability4K", .Number = &M::Capability4K},
    {.Name = "LogoName", .Text = &M::LogoName},
    {.Name = "Dhcp", .Number = &M::Dhcp},
    {.Name = "DeviceIp", .Text = &M::DeviceIp, .MaxLength = DeviceAddressLength},
    {.Name = "DeviceMask", .Text = &M::DeviceMask, .MaxLength = DeviceAddressLength},
    {.Name = "DeviceGateway", .Text = &M::DeviceGateway, .MaxLength = DeviceAddressLength},
    {.Name = "MediaFileName", .Text = &M::MediaFileName, .MaxLength = UsbPageNameLength},
    {.Name = "OverlayLogoFile", .Text = &M::OverlayLogoFile, .MaxLength = UsbPageNameLength},
    {.Name = "OverlayLogoPosition", .Number = &M::OverlayLogoPosition},
    {.Name = "OverlayLogoX", .Number = &M::OverlayLogoX, .Range = Fixed<0, LogoCoordinateMax, 0>},
    {.Name = "OverlayLogoY", .Number = &M::OverlayLogoY, .Range = Fixed<0, LogoCoordinateMax, 0>},
    {.Name = "MuxSpare", .Number = &M::MuxSpare},
    {.Name = "EncoderSpare1", .Number = &M::EncoderSpare1},
    {.Name = "EncoderSpare2", .Number = &M::EncoderSpare2},
    {.Name = "EncoderSpare3", .Number = &M::EncoderSpare3},
    {.Name = "OutputSpare1", .Number = &M::OutputSpare1},
    {.Name = "OutputSpare2", .Number = &M::OutputSpare2},
    {.Name = "CodecSpare", .Number = &M::CodecSpare},
    {.Name = "MediaSpare", .Number = &M::MediaSpare},
    {.Name = "NitSpare", .Number = &M::NitSpare},
    {.Name = "NetSpare1", .Number = &M::NetSpare1},
    {.Name = "NetSpare2", .Number = &M::NetSpare2},
    {.Name = "ExtraText1", .Text = &M::ExtraText1},
    {.Name = "ExtraText2", .Text = &M::ExtraText2},
    {.Name = "NetText1", .Text = &M::NetText1},
    {.Name = "NetText2", .Text = &M::NetText2},
};

using X = MuxSettings;
const ModelMember<X> MuxTable[] = {
    {.Name = "Mode", .Number = &X::Mode},
    {.Name = "TsId", .Number = &X::TsId, .Range = Fixed<0, IdentifierMax, 8442>},
    {.Name = "FreqKHz", .Number = &X::FreqKHz, .Range = FrequencyRange},
    {.Name = "Bandwidth", .Number = &X::Bandwidth},
    {.Name = "TxMode", .Number = &X::TxMode},
    {.Name = "TConstellation", .Number = &X::TConstellation},
    {.Name = "Fec", .Number = &X::Fec},
    {.Name = "Guard", .Number = &X::Guard},
    {.Name = "LevelAttDb", .Number = &X::LevelAttDb, .Range = LevelRange},
    {.Name = "CConstellation", .Number = &X::CConstellation},
    {.Name = "SymbolRate", .Number = &X::SymbolRate, .Range = SymbolRateRange},
};

using S = ServiceSettings;
const ModelMember<S> ServiceTable[] = {
    {.Name = "ServiceId", .Number = &S::ServiceId, .Range = Fixed<0, IdentifierMax, 100>},
    {.Name = "Lcn", .Number = &S::Lcn, .Range = Fixed<1, Unbounded, 801>},
    {.Name = "ServiceName", .Text = &S::ServiceName, .MaxLength = ServiceNameLength},
    {.Name = "PmtPid", .Number = &S::PmtPid, .Range = Fixed<LowestServicePid, Unbounded, 32>},
    {.Name = "VideoPid", .Number = &S::VideoPid, .Range = Fixed<LowestServicePid, Unbounded, 33>},
    {.Name = "AudioPid", .Number = &S::AudioPid, .Range = Fixed<LowestServicePid, Unbounded, 34>},
    {.Name = "VideoBitrate", .Number = &S::VideoBitrate, .Range = VideoBitrateRange},
    {.Name = "AudioBitrate", .Number = &S::AudioBitrate},
    {.Name = "AudioCodec", .Number = &S::AudioCodec},
    {.Name = "AudioDelayMs", .Number = &S::AudioDelayMs, .Range = AudioDelayRange},
    {.Name = "VideoPercent", .Number = &S::VideoPercent, .Range = Fixed<0, 100, 100>},
    {.Name = "EitName", .Text = &S::EitName, .MaxLength = EitNameLength},
    {.Name = "EitText", .Text = &S::EitText, .MaxLength = EitTextLength},
    {.Name = "AitEnabled", .Number = &S::AitEnabled},
    {.Name = "AitVersion", .Number = &S::AitVersion},
    {.Name = "AitPid", .Number = &S::AitPid, .Range = Fixed<LowestServicePid, Unbounded, 100>},
    {.Name = "AitControlCode", .Number = &S::AitControlCode},
    {.Name = "AitOrgId", .Number = &S::AitOrgId, .Range = Fixed<0, Unbounded, 0>},
    {.Name = "AitRoot", .Text = &S::AitRoot, .MaxLength = AitTextLength},
    {.Name = "AitPath", .Text = &S::AitPath, .MaxLength = AitTextLength},
    {.Name = "AitName", .Text = &S::AitName, .MaxLength = AitTextLength},
    {.Name = "IpAddress", .Text = &S::IpAddress, .MaxLength = IpAddressLength},
    {.Name = "IpPort", .Number = &S::IpPort, .Range = Fixed<0, IdentifierMax, 5004>},
};

using E = ScheduleEntry;
const ModelMember<E> ScheduleTable[] = {
    {.Name = "StartDate", .UnsignedNumber = &E::StartDate},
    {.Name = "StopDate", .UnsignedNumber = &E::StopDate},
    {.Name = "StartTime", .UnsignedNumber = &E::StartTime},
    {.Name = "StopTime", .UnsignedNumber = &E::StopTime},
    {.Name = "WeekMask", .UnsignedNumber = &E::WeekMask},
    {.Name = "Action", .UnsignedNumber = &E::Action},
    {.Name = "File", .Text = &E::File},
};

template <class Record>
MemberRange Find(std::span<const ModelMember<Record>> table, qint32 Record::*member, const ConfigModel &model,
                 const HardwareProfile &profile)
{
    for (const ModelMember<Record> &entry : table) {
        if (entry.Number == member && entry.Range)
            return entry.Range(model, profile);
    }
    Q_ASSERT_X(false, "RangeOf", "a member without a range");
    return {};
}

template <class Record>
int FindLength(std::span<const ModelMember<Record>> table, QString Record::*member)
{
    for (const ModelMember<Record> &entry : table) {
        if (entry.Text == member && entry.MaxLength > 0)
            return entry.MaxLength;
    }
    Q_ASSERT_X(false, "LengthOf", "a text without a length");
    return 0;
}

template <class Record>
std::optional<QString> Refusal(std::span<const ModelMember<Record>> table, const QString &prefix,
                               const Record &before, const Record &changed, const ConfigModel &model,
                               const HardwareProfile &profile)
{
    for (const ModelMember<Record> &entry : table) {
        if (entry.MaxLength > 0) {
            const QString &text = changed.*entry.Text;
            if (text != before.*entry.Text && text.size() > entry.MaxLength)
                return QStringLiteral("%1%2: %3 characters, at most %4")
                    .arg(prefix, QLatin1String(entry.Name))
                    .arg(text.size())
                    .arg(entry.MaxLength);
        }
        if (!entry.Range)
            continue;
        const qint32 value = changed.*entry.Number;
        const MemberRange range = entry.Range(model, profile);
        if (value != before.*entry.Number && !range.Contains(value)) {
            const QString shown = range.Signed ? QString::number(value) : QString::number(quint32(value));
            return QStringLiteral("%1%2: %3 is outside %4")
                .arg(prefix, QLatin1String(entry.Name), shown, range.Text());
        }
    }
    return std::nullopt;
}

} // namespace

bool MemberRange::Contains(qint32 value) const
{
    const qint64 number = Signed ? qint64(value) : qint64(quint32(value));
    return number >= Minimum && number <= Maximum;
}

QString MemberRange::Text() const
{
    return QStringLiteral("%1..%2").arg(Minimum).arg(Maximum);
}

std::span<const ModelMember<ConfigModel>> ModelMembers()
{
    return ModelTable;
}

std::span<const ModelMember<MuxSettings>> MuxMembers()
{
    return MuxTable;
}

std::span<const ModelMember<ServiceSettings>> ServiceMembers()
{
    return ServiceTable;
}

std::span<const ModelMember<ScheduleEntry>> ScheduleMembers()
{
    return ScheduleTable;
}

MemberRange RangeOf(qint32 ConfigModel::*member, const ConfigModel &model, const HardwareProfile &profile)
{
    return Find<ConfigModel>(ModelTable, member, model, profile);
}

MemberRange RangeOf(qint32 MuxSettings::*member, const ConfigModel &model, const HardwareProfile &profile)
{
    return Find<MuxSettings>(MuxTable, member, model, profile);
}

MemberRange RangeOf(qint32 ServiceSettings::*member, const ConfigModel &model, const HardwareProfile &profile)
{
    return Find<ServiceSettings>(ServiceTable, member, model, profile);
}

int LengthOf(QString ConfigModel::*member)
{
    return FindLength<ConfigModel>(ModelTable, member);
}

int LengthOf(QString ServiceSettings::*member)
{
    return FindLength<ServiceSettings>(ServiceTable, member);
}

std::optional<QString> FindRangeRefusal(const ConfigModel &before, const ConfigModel &changed,
                                        const HardwareProfile &profile)
{
    if (auto refusal = Refusal<ConfigModel>(ModelTable, QString(), before, changed, changed, profile))
        return refusal;
    for (int m = 0; m < ConfigModel::MaxMuxes; ++m) {
        if (auto refusal = Refusal<MuxSettings>(MuxTable, QStringLiteral("Mux[%1].").arg(m), before.Mux[m],
                                                changed.Mux[m], changed, profile))
            return refusal;
    }
    for (int s = 0; s < ConfigModel::MaxServices; ++s) {
        if (auto refusal = Refusal<ServiceSettings>(ServiceTable, QStringLiteral("Service[%1].").arg(s),
                                                    before.Service[s], changed.Service[s], changed, profile))
            return refusal;
    }
    return std::nullopt;
}
