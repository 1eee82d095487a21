#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The configuration records written by hand under tests/data/records (see
// the README there), one per record layout.

// Bytes of an annotated hex text: two-digit hexadecimal bytes, "text" for
// ASCII bytes, # to the end of the line for comments. Nothing for a text
// that is not of that form.
std::optional<QByteArray> ParseAnnotatedHex(QByteArrayView text);

// The record of that name ("code121", "code158", "code176", "code192");
// empty when it cannot be read, which the tests then notice.
QByteArray ReferenceRecord(const QString &name);
