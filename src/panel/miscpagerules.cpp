#include "panel/miscpagerules.h"

#include "config/configmodel.h"
#include "hardware/hardwareprofile.h"

QStringList Mode4KItems()
{
    return {QStringLiteral("OFF"), QStringLiteral("ON")};
}

QStringList IrFrequencyItems()
{
    return {QStringLiteral("38kHz"), QStringLiteral("46kHz"), QStringLiteral("56kHz")};
}

QStringList PcmVolumeItems()
{
    return {QStringLiteral("x1"), QStringLiteral("x2"), QStringLiteral("x4")};
}

QStringList H264ProfileItems()
{
    return {QStringLiteral("MAIN"), QStringLiteral(" HIGH")};
}

MiscPageEnables MiscPageEnablesFor(const HardwareProfile &profile, const ConfigModel &model)
{
    MiscPageEnables enables;
    enables.Mode4K = model.Capability4K != 0;
    enables.Infrared = model.CapabilityIr != 0;
    enables.EdidRepair = profile.HasEdidRepair();
    enables.EncoderTuning = profile.HasEncoderTuning();
    return enables;
}
