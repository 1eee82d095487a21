#pragma once

#include "clicommand.h"

#include "config/configmodel.h"
#include "link/deviceidentity.h"

#include <QByteArray>
#include <QJsonObject>

class CXmit;

// What the config commands share: reading the device's record, decoding it,
// and the files the commands read and write. Every function that fails has
// printed one line on stderr and returns false.

// The model as the tool holds it right after linking this hardware: values
// at program start, limits of the hardware.
ConfigModel LinkedModel(const DeviceIdentity &identity);

// Decodes a record for the identity into model, or says why it is refused
// (empty, longer than a record can be, another layout's kind or cut short).
bool DecodeRecord(CliContext &context, ExitStatus failure, const QByteArray &record,
                  const DeviceIdentity &identity, ConfigModel &model);

// CMD_READ_CONFIG: the record exactly as the device sent it.
bool ReadDeviceRecord(CliContext &context, CXmit &xmit, QByteArray &record);

// Reads and decodes the linked device's configuration.
bool ReadDeviceConfiguration(CliContext &context, CXmit &xmit, ConfigModel &model);

// Links the device the command line names and reads its configuration into
// model; the exit status (ExitSuccess when both went well).
int LinkAndReadConfiguration(CliContext &context, CXmit &xmit, ConfigModel &model);

// Encodes the model for the identity; refused when its texts would not fit
// a record.
bool EncodeRecord(CliContext &context, ExitStatus failure, const DeviceIdentity &identity,
                  ConfigModel &model, QByteArray &record);

// Why CMD_WRITE_CONFIG failed: a refusal, or no valid reply, after which
// the device may well hold the new configuration.
QString ConfigWriteFailure(const CXmit &xmit);

// A whole input file of at most maximumSize bytes (exit status 2 otherwise).
bool ReadInputFile(CliContext &context, const QString &path, qint64 maximumSize, QByteArray &contents);
bool WriteOutputFile(CliContext &context, const QString &path, const QByteArray &contents);

// A model JSON file, checked (exit status 2 when refused).
bool ReadModelJsonFile(CliContext &context, const QString &path, QJsonObject &json);

// Overlays the members of a model JSON on model. A member the JSON changes
// to a value the settings pages would not store for this hardware is
// refused (exit status 2, one line naming the member, the value and the
// range accepted), and so is a model JSON ApplyModelJson refuses.
bool ApplyModelChanges(CliContext &context, const QJsonObject &json, const HardwareProfile &profile,
                       ConfigModel &model);

// Writes the model as the panel's timer does once its countdown runs out:
// encode, CMD_WRITE_CONFIG, read back into model, then the factory-default
// store when the model asks for it, only after a write the device took (the
// logo comes from the "logos" folder of the program folder). Exit status 1
// when the device did not take one of them.
int WriteThroughSynchronizer(CliContext &context, CXmit &xmit, ConfigModel &model);

void PrintModel(CliContext &context, const ConfigModel &model);
