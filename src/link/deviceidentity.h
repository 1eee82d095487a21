#pragma once

#include "hardware/hardwareprofile.h"

#include <QtGlobal>

// What the identification probe learnt about the linked device.
struct DeviceIdentity
{
    quint8 HardwareCode = 0;
    quint8 FirmwareVersionByte = 0; // on some codes major x 10 + minor (see the profile)
    quint8 FirmwareMinor = 0;

    // What this hardware and firmware imply for the tool.
    HardwareProfile Profile() const
    {
        return HardwareProfile::Of(HardwareCode, FirmwareVersionByte, FirmwareMinor);
    }
};

// The codes this tool serves: those of the hardware table.
inline bool IsAcceptedHardwareCode(int code)
{
    return HardwareProfile::IsAccepted(code);
}
