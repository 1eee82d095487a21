#pragma once

#include <QString>
#include <QtGlobal>

class QComboBox;
class QLineEdit;

// How a page's fill puts model values into its controls.

// Shows a text from its start, as a field that was just filled should.
void SetFieldText(QLineEdit *edit, const QString &text);
// A number as "%d".
void SetFieldNumber(QLineEdit *edit, qint32 value);
// Selects the item of index; a value the list does not offer selects nothing.
void SelectItem(QComboBox *box, int index);
