#include "app/windowtitle.h"

QString WindowTitle(int setupVersion, const DeviceIdentity *linkedDevice)
{
    QString title = QStringLiteral("RERUDAD 9.8 - VOZEDUV(c) (setup %1)").arg(setupVersion);
    if (linkedDevice) {
        const int code = linkedDevice->HardwareCode;
        const HardwareProfile profile = linkedDevice->Profile();
        title += QStringLiteral(" (H%1[%2]-%3.%4)")
                     .arg(code)
                     .arg(QString::number(code, 16).toUpper())
                     .arg(profile.FirmwareMajor())
                     .arg(profile.FirmwareMinorShown());
    }
    return title;
}

double DisplayScaleFor(double displayRatio)
{
    if (displayRatio >= 1.6)
        return 1.8;
    if (displayRatio >= 1.45)
        return 1.5;
    if (displayRatio >= 1.16)
        return 1.25;
    return displayRatio;
}
