#include "panel/mediarules.h"

namespace {

constexpr quint8 PlayerRecording = 1;
constexpr quint8 PlayerPlaying = 2;

} // namespace

UsbPageEnables UsbPageEnablesFor(const HardwareProfile &profile)
{
    return {.PlayRec = profile.HasPlayRec(), .LogoOverlay = profile.HasLogoOverlay()};
}

qint32 NextLogoPosition(qint32 current, int clicked)
{
    return current == clicked ? 0 : clicked;
}

QString AutoModeText(quint8 autoModeCode)
{
    static const char *const Texts[] = {"", "---", "MP", "MR", "AP", "AR"};
    return autoModeCode < std::size(Texts) ? QString::fromLatin1(Texts[autoModeCode]) : QString();
}

MediaLamps MediaLampsOf(const DeviceStatus &status)
{
    const quint8 player = status.InputPlayerState[0];
    MediaLamps lamps;
    lamps.Record = player == PlayerRecording;
    lamps.Play = player == PlayerPlaying;
    lamps.Hdmi = status.InputLines[0] != 0 && player != PlayerRecording;
    return lamps;
}

QString DeviceClockText(const DeviceDateTime &clock)
{
    return QString::asprintf("%02d:%02d", clock.Hour, clock.Minute);
}
