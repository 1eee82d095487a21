#include "panel/servicerules.h"

#include "panel/pagefields.h"

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
