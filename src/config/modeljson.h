#pragma once

#include "config/configmodel.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// The configuration model as JSON, keyed by the model's member names: the
// scalars and spares at the top, "Mux" and "Service" as arrays of 4 objects,
// "ScheduleEntries" as the ScheduleCount valid entries.
QJsonObject ModelToJson(const ConfigModel &model);
QByteArray ModelToJsonDocument(const ConfigModel &model);

// Overlays the members present in the JSON object on the model; members
// absent keep their values, and array elements overlay the model's element
// of the same index. An unknown key, a value of the wrong type, a number
// outside 32 bits, a Mac that is not six bytes or more than ten schedule
// entries refuses the whole object: the result is false, error says which
// member, and the model is unchanged.
bool ApplyModelJson(const QJsonObject &json, ConfigModel &model, QString &error);

// Reads a JSON document that must hold one model object, and checks it as
// ApplyModelJson would, so that a caller can refuse it before it touches
// anything.
bool ParseModelJson(const QByteArray &document, QJsonObject &json, QString &error);
