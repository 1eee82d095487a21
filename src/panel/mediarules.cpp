#include "panel/mediarules.h"

namespace {

constexpr quint8 PlayerRecording = 1;
constexpr quint8 PlayerPlaying = 2;

} // namespace

QString CutToUsbPageLength(const QString &text)
{
    return text.left(UsbPageNameLength);
}

qint32 ParseLogoCoordinate(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    qint64 value = 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        digits = true;
        // Past the largest coordinate the exact value no longer matters.
        if (value <= LogoCoordinateMax)
            value = value * 10 + (text[i].unicode() - '0');
    }
    return digits && value <= LogoCoordinateMax ? qint32(value) : 0;
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
