#pragma once

#include <QString>

class QByteArray;
class QSaveFile;
class StatusStrip;
struct ConfigModel;
struct DeviceIdentity;

// Configuration files: one configuration record of the linked device's
// layout, exactly as the encoder writes it, with no header of its own. Files
// for hardware code 121 end in ".tmc", all others in ".itc"
// (HardwareProfile::ConfigFileExtension).

// Writes the contents to an opened QSaveFile and puts it in place of the
// file of its name only when every byte reached the medium; otherwise the
// temporary file is removed and the earlier file is left as it was.
bool WriteWhole(QSaveFile &file, const QByteArray &contents);

// The extension rule of the file dialogs: the extension is appended unless
// the path already ends in it (case ignored) and the first "." of the file
// name is the one before it: "unit.1.itc" gets it appended, while dots in
// folder names do not matter.
QString WithConfigFileExtension(const QString &path, const QString &extension);

enum class ConfigFileOutcome { Saved, WriteError, Loaded, ReadError, NotCompatible };

// "Saved", "Config. write Error", "Loaded", "Config. read error",
// "Config. file not compatible !".
QString ConfigFileStatusText(ConfigFileOutcome outcome);

// Writes the record the encoder builds from the model, with the logo name
// chosen on the MANUFACTURER page (ChosenLogoName; the model's own LogoName
// is left as it was). The file at path is replaced only by a
// complete record: a write that fails half-way (disk full, read-only medium)
// leaves an earlier file untouched and is a WriteError.
ConfigFileOutcome WriteConfigFile(const QString &path, const DeviceIdentity &identity, ConfigModel &model);

// Reads a file into the model, which is left unchanged unless the decoder
// accepts the record. A file longer than a record can be is NotCompatible.
// When Loaded, the next write of the model also stores it as the device's
// factory default.
ConfigFileOutcome ReadConfigFile(const QString &path, const DeviceIdentity &identity, ConfigModel &model);

// What the SAVE and LOAD buttons work on.
struct ConfigFileSession
{
    const DeviceIdentity &Identity;
    ConfigModel &Model;
    StatusStrip *Strip = nullptr; // told the outcome; none: nothing is shown
    QString ProgramFolder;        // the dialogs start in its "config" folder
};

// The SAVE button: asks for a file ("Save Configuration"), applies the
// extension rule and writes the file; the strip tells the outcome, a
// failure also beeps. A cancelled dialog does nothing. True when saved.
bool SaveConfigFile(const ConfigFileSession &session);
// The LOAD button, the same way with "Load Configuration"; only a regular
// file is read. True when the model now holds the file; the caller shows it
// on the MANUFACTURER page.
bool LoadConfigFile(const ConfigFileSession &session);
