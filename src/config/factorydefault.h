#pragma once

#include <QString>

class CXmit;
struct ConfigModel;
struct DeviceIdentity;

// Asks the panel timer for a write of the whole model on its next tick,
// followed by the factory-default store (SET FACTORY DEFAULT, a loaded
// configuration file).
void RequestFactoryDefault(ConfigModel &model);

// The local logo file named by the device's LogoName: only a plain file
// name inside the program's "logos" folder is accepted, so that a device
// cannot make the tool upload an arbitrary local file. Empty when refused.
QString LocalLogoPath(const QString &programFolder, const QString &logoName);

// Stores the device's current configuration as its factory default, with the
// logo: by shell commands and a file upload on hardware that keeps both as
// files (the caller then reboots once more), else by CMD_SAVE_DEFAULT and
// the logo's flash area (HardwareProfile::StoresDefaultByShell). True when
// the device took the store; a logo missing beside the tool is no failure.
bool StoreFactoryDefault(CXmit &xmit, const DeviceIdentity &identity, const QString &programFolder,
                         const QString &logoName);

// Copies a local file to a file on the device; false when the local file
// cannot be read or is empty (nothing is then created on the device) or a
// request fails.
bool UploadDeviceFile(CXmit &xmit, const QString &localPath, const QString &devicePath);
