#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

class HardwareProfile;

// What the MANUFACTURER page offers: its lists, the logo files beside the
// tool, the MAC address texts, and which controls the hardware and the mode
// flag files allow.

// DefaultCountry: "FRANCAIS" .. "POLSKI", then "---".
QStringList DefaultCountryItems();
// HardwareType: "FULL", "LITE".
QStringList HardwareTypeItems();

// The logo files "logos/*.dg1" of the program folder, names with their
// extension, in the logo list's order (alphabetical, case ignored). Empty
// without the folder.
QStringList LogoFileNames(const QString &programFolder);

// One byte of the MAC address as typed: hexadecimal digits in either case,
// value x 16 + digit for each character, every other character counting 0,
// an empty text 0. Long texts wrap around in 32 bits; only the low 8 bits
// reach the device.
qint32 MacByteFromText(QStringView text);
// A MAC byte as the page shows it: at least two lower-case hexadecimal digits.
QString MacByteText(qint32 value);

struct ManufacturerPageEnables
{
    // LOAD, SAVE, Firm. Reload, Clock Set, Reset, Snapshot and the logo label.
    bool Actions = false;
    bool LogoList = false;
    bool HardwareType = false; // its label and list
    bool Mac = false;          // its label and the six edits
    bool PlayRecUsb = false;
    bool Hdcp = false;
    bool Infrared = false;
    bool Capability4K = false;
};

ManufacturerPageEnables ManufacturerPageEnablesFor(const HardwareProfile &profile, bool advancedMode,
                                                   bool manufacturerMode);

// The Snapshot button is shown with the page only on hardware whose display
// can be saved.
bool SnapshotButtonShown(const HardwareProfile &profile, bool pageShown);
