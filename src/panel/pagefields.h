#pragma once

#include "config/modelmembers.h"
#include "hardware/hardwareprofile.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

// How the settings pages read what is typed into their fields.
//
// Numbers are read the way the scan formats "%u" and "%d" read them: white
// space is skipped, then (signed fields only) one optional sign, then decimal
// digits up to the first other character, so "12b" reads 12. A text without
// digits there holds no number. A number too large for 32 bits reads as the
// largest (or, negative, the smallest) one, so that it fails every range a
// field has instead of wrapping into it.
std::optional<quint32> ParseUnsignedField(QStringView text);
std::optional<qint32> ParseSignedField(QStringView text);

// The number of an unsigned field as the model holds it (32 bits, signed),
// or the substitute when the text holds no number or the number lies outside
// min..max. The check sees the number unsigned, as typed.
qint32 UnsignedInRange(QStringView text, quint32 min, quint32 max, qint32 substitute);
// The same for a signed field.
qint32 SignedInRange(QStringView text, qint32 min, qint32 max, qint32 substitute);

// The same for the field of a member: its number when it lies in the
// member's range, the range's substitute otherwise.
qint32 FieldValue(QStringView text, const MemberRange &range);

// A text field's value: the first maxLength characters as typed.
QString CutToLength(const QString &text, int maxLength);

// The selected item of a list, or the model's value when nothing is selected
// (a value the list does not offer shows as no selection and is kept).
qint32 SelectedOr(int selectedIndex, qint32 current);

// A record index kept within 0..count-1, whatever a tab handed over.
int BoundedIndex(int index, int count);

// The model value a page field shows and stores: a member of the model, or
// of the record the page shows (the multiplex, or the service record that
// holds it: the multiplex's IP output, the service shown). A number keeps
// to its member's range, a text to its member's length.
struct FieldBinding
{
    qint32 ConfigModel::*Number = nullptr;
    QString ConfigModel::*Text = nullptr;
    qint32 MuxSettings::*MuxNumber = nullptr;
    qint32 ServiceSettings::*ServiceNumber = nullptr;
    QString ServiceSettings::*ServiceText = nullptr;

    bool IsNumber() const { return Number || MuxNumber || ServiceNumber; }
    bool IsText() const { return Text || ServiceText; }
};

// The number or text a binding names in record index record (kept within
// the records there are); none when it names the other kind or nothing.
qint32 *BoundNumber(const FieldBinding &binding, ConfigModel &model, int record);
const qint32 *BoundNumber(const FieldBinding &binding, const ConfigModel &model, int record);
QString *BoundText(const FieldBinding &binding, ConfigModel &model, int record);
const QString *BoundText(const FieldBinding &binding, const ConfigModel &model, int record);

// Stores what is typed into a field: a number in its member's range or the
// range's substitute, a text cut to its length.
void StoreTyped(const FieldBinding &binding, QStringView typed, ConfigModel &model, int record,
                const HardwareProfile &profile);
