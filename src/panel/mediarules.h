#pragma once

#include "config/devicestatus.h"
#include "config/modelmembers.h"
#include "hardware/hardwareprofile.h"

#include <QString>

// The rules of the USB page's player, lamps and logo overlay that do not
// depend on a window.

// What the hardware allows on the page: the clock and the schedule with USB
// playback and recording, the logo file and coordinates (and the preset
// positions shown) where the device overlays a logo.
struct UsbPageEnables
{
    bool PlayRec = false;
    bool LogoOverlay = false;
};
UsbPageEnables UsbPageEnablesFor(const HardwareProfile &profile);

// The preset position after a click on position button clicked (1..9):
// clicking the position already chosen clears it (0).
qint32 NextLogoPosition(qint32 current, int clicked);

// The AUTO lamp's text for the device's automatic player mode: "---", "MP",
// "MR", "AP", "AR" for 1 to 5; empty for 0 and every other code.
QString AutoModeText(quint8 autoModeCode);

// Which of the PLAY, REC and HDMI lamps are lit, from the first input: the
// player records (state 1) or plays (state 2); the HDMI picture counts while
// the input has lines and the player is not recording.
struct MediaLamps
{
    bool Play = false;
    bool Record = false;
    bool Hdmi = false;

    bool operator==(const MediaLamps &) const = default;
};
MediaLamps MediaLampsOf(const DeviceStatus &status);

// The device clock as the USB page shows it: "%02d:%02d", hour and minute.
QString DeviceClockText(const DeviceDateTime &clock);
