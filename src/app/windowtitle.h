#pragma once

#include "link/deviceidentity.h"

#include <QString>

// "RERUDAD 9.8 - VOZEDUV(c) (setup N)", followed when a device is linked by
// " (H<code>[<code in hex>]-<major>.<minor>)".
QString WindowTitle(int setupVersion, const DeviceIdentity *linkedDevice);

// The display scale used for the page layout, from the measured ratio of
// rendered widths: 1.8 from 1.6 up, 1.5 from 1.45, 1.25 from 1.16, else the
// ratio itself.
double DisplayScaleFor(double displayRatio);
