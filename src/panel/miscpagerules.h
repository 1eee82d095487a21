#pragma once

#include <QStringList>

class HardwareProfile;
struct ConfigModel;

// What the MISC. page offers: its lists, in the order of the model's indexes,
// and which of its controls the hardware and the model allow.

QStringList Mode4KItems();      // Mode4K: "OFF", "ON"
QStringList IrFrequencyItems(); // IrFrequency: "38kHz", "46kHz", "56kHz"
QStringList PcmVolumeItems();   // PcmVolume: "x1", "x2", "x4"
QStringList H264ProfileItems(); // H264Profile: "MAIN", " HIGH" (with its leading blank)

struct MiscPageEnables
{
    bool Mode4K = false;        // the 4K label and list: the unit can work in 4K
    bool Infrared = false;      // the I.R. label and list: the unit has an infrared receiver
    bool EdidRepair = false;    // the EDID repair button
    bool EncoderTuning = false; // H.264 profile, VBR, strict CBR and PCM volume
};

MiscPageEnables MiscPageEnablesFor(const HardwareProfile &profile, const ConfigModel &model);
