#include "panel/servicerules.h"

#include "panel/pagefields.h"

#include <limits>

namespace {

constexpr quint32 Unbounded = std::numeric_limits<quint32>::max();

// Below 32 a PID belongs to the transport stream's own tables.
constexpr quint32 LowestServicePid = 32;
constexpr quint32 ServiceIdMax = 65535;
constexpr quint32 VideoPercentMax = 100;
constexpr qint32 AudioDelayMaxMs = 999;

// Substitutes of the values that fail their checks.
constexpr qint32 ServiceIdSubstitute = 100;
constexpr qint32 LcnSubstitute = 801;
constexpr qint32 HdLcnSubstitute = 1;
constexpr qint32 PmtPidSubstitute = 32;
constexpr qint32 VideoPidSubstitute = 33;
constexpr qint32 AudioPidSubstitute = 34;
constexpr qint32 AitPidSubstitute = 100;
constexpr qint32 VideoPercentSubstitute = 100;
constexpr qint32 AudioDelaySubstitute = 0;
constexpr qint32 AitOrgIdSubstitute = 0;

} // namespace

QStringList VideoCodecItems(const HardwareProfile &profile)
{
    QStringList items{QStringLiteral("H264")};
    if (profile.HasH265())
        items << QStringLiteral("H265");
    if (profile.HasMpeg2Video())
        items << QStringLiteral("MPEG2-SD") << QStringLiteral("MPEG2");
    return items;
}

QStringList AudioCodecItems(const HardwareProfile &profile)
{
    QStringList items{QStringLiteral("AAC-LC")};
    if (profile.HasMpegAudio())
        items << QStringLiteral("MPEG1-L2");
    return items;
}

QStringList VideoInputItems()
{
    return {QStringLiteral("HDMI"), QStringLiteral("COMP."), QStringLiteral("PC")};
}

QStringList AudioInputItems()
{
    return {QStringLiteral("HDMI"), QStringLiteral("ANALOG")};
}

QStringList AudioBitrateItems()
{
    return {QStringLiteral("128 Kb/s"), QStringLiteral("192 Kb/s"), QStringLiteral("256 Kb/s"),
            QStringLiteral("320  Kb/s")};
}

QStringList AitControlCodeItems()
{
    return {QStringLiteral("reserved"), QStringLiteral("autostart"), QStringLiteral("present"),
            QStringLiteral("destroy"),  QStringLiteral("kill"),      QStringLiteral("prefetch"),
            QStringLiteral("remote"),   QStringLiteral("disabled"),  QStringLiteral("playback")};
}

QString ServiceTabLabel(int service, const DeviceStatus &status)
{
    QString label = QStringLiteral("M%1%2").arg(service / 2 + 1).arg(QChar(service % 2 == 0 ? u'A' : u'B'));
    if (service < 0 || service >= DeviceStatus::MaxInputs || status.InputPresent[service] == 0)
        return label;
    label += QStringLiteral(" %1%2%3 %4")
                 .arg(status.InputLines[service])
                 .arg(QChar(status.InputProgressive[service] ? u'P' : u'i'))
                 .arg(status.InputFrameRate[service])
                 .arg(status.InputAudioAc3[service] ? QStringLiteral("AC3") : QStringLiteral("PCM"));
    return label;
}

void CommitServiceInput(const ServicePageInput &input, ConfigModel &model, int service,
                        const HardwareProfile &profile)
{
    ServiceSettings &record = model.Service[BoundedIndex(service, ConfigModel::MaxServices)];
    record.ServiceName = CutToLength(input.ServiceName, ServiceNameLength);
    record.EitName = CutToLength(input.EitName, EitNameLength);
    record.EitText = CutToLength(input.EitText, EitTextLength);
    record.AitName = CutToLength(input.AitName, AitTextLength);
    record.AitRoot = CutToLength(input.AitRoot, AitTextLength);
    record.AitPath = CutToLength(input.AitPath, AitTextLength);
    record.ServiceId = UnsignedInRange(input.ServiceId, 0, ServiceIdMax, ServiceIdSubstitute);
    record.Lcn = UnsignedInRange(input.Lcn, 1, Unbounded, LcnSubstitute);
    model.HdLcn = UnsignedInRange(input.HdLcn, 1, Unbounded, HdLcnSubstitute);
    record.PmtPid = UnsignedInRange(input.PmtPid, LowestServicePid, Unbounded, PmtPidSubstitute);
    record.VideoPid = UnsignedInRange(input.VideoPid, LowestServicePid, Unbounded, VideoPidSubstitute);
    record.AudioPid = UnsignedInRange(input.AudioPid, LowestServicePid, Unbounded, AudioPidSubstitute);
    record.AitPid = UnsignedInRange(input.AitPid, LowestServicePid, Unbounded, AitPidSubstitute);
    record.VideoPercent = UnsignedInRange(input.VideoPercent, 0, VideoPercentMax, VideoPercentSubstitute);
    record.VideoBitrate = UnsignedInRange(input.VideoBitrate, model.VideoBitrateMin, model.VideoBitrateMax,
                                          qint32(model.VideoBitrateDefault));
    record.AudioDelayMs = SignedInRange(input.AudioDelayMs, profile.AudioDelayMinMs(), AudioDelayMaxMs,
                                        AudioDelaySubstitute);
    record.AitOrgId = UnsignedInRange(input.AitOrgId, 0, Unbounded, AitOrgIdSubstitute);
    model.VideoCodec = SelectedOr(input.VideoCodec, model.VideoCodec);
    model.VideoInput = SelectedOr(input.VideoInput, model.VideoInput);
    model.AudioInput = SelectedOr(input.AudioInput, model.AudioInput);
    record.AudioCodec = SelectedOr(input.AudioCodec, record.AudioCodec);
    record.AudioBitrate = SelectedOr(input.AudioBitrate, record.AudioBitrate);
    record.AitControlCode = SelectedOr(input.AitControlCode, record.AitControlCode);
    record.AitEnabled = input.AitEnabled ? 1 : 0;
}

void AdvanceAitVersion(ConfigModel &model)
{
    // The record keeps the low byte; the model's count wraps instead of overflowing.
    model.Service[0].AitVersion = qint32(quint32(model.Service[0].AitVersion) + 1);
}

ServiceEnables DecideServiceEnables(const HardwareProfile &profile, const ConfigModel &model, int service)
{
    const int s = BoundedIndex(service, ConfigModel::MaxServices);
    ServiceEnables enables;
    enables.HdLcnAndEit = profile.HasHdLcnAndEit();
    enables.Lcn = profile.HasLcn();
    enables.Delay = profile.HasServiceDelay();
    enables.VideoPercent = profile.HasVideoPercent();
    enables.AitSwitch = s == 0 && profile.HasApplicationTableSwitch();
    enables.AitFields = enables.AitSwitch && model.Service[s].AitEnabled != 0;
    enables.Inputs = model.HardwareType == 0;
    return enables;
}
