#pragma once

#include <QString>

class HardwareProfile;

// The model label of the hardware, as the texts and the firmware files use
// it. A code outside the hardware table has none: the user is shown
// "UNDEFINED VALUE" (captioned "ERROR") and the label is empty.
QString ModelLabel(const HardwareProfile &profile);
