#pragma once

#include <QtGlobal>

// What the identification probe learnt about the linked device.
struct DeviceIdentity
{
    quint8 HardwareCode = 0;
    quint8 FirmwareVersionByte = 0; // on codes 121 and 132: major x 10 + minor
    quint8 FirmwareMinor = 0;
};

// 121, 128, 131 to 159, 176, 178 and 192: the codes this tool serves.
constexpr bool IsAcceptedHardwareCode(int code)
{
    return code == 121 || code == 128 || (code >= 131 && code <= 159) || code == 176
        || code == 178 || code == 192;
}
