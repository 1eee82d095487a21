#pragma once

#include <QString>

// What each accepted hardware code is: its model label (shown, and naming the
// firmware file), its family label (naming the family firmware file), and
// what the hardware offers. Codes outside the table give empty labels and no
// features.
QString ModelLabel(int hardwareCode);
QString FamilyLabel(int hardwareCode);
bool HasDvbC(int hardwareCode);
bool HasPlayRec(int hardwareCode);
bool HasServiceDelay(int hardwareCode, int firmwareVersionByte);

// The firmware version as the title shows it, "major.minor": on codes 121
// and 132 the version byte holds major x 10 + minor.
int FirmwareMajor(int hardwareCode, int firmwareVersionByte);
int FirmwareMinorShown(int hardwareCode, int firmwareVersionByte, int firmwareMinor);
