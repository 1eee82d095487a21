#include "panel/gui/controlvalues.h"

#include <QComboBox>
#include <QLineEdit>

void SetFieldText(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    edit->setCursorPosition(0);
}

void SetFieldNumber(QLineEdit *edit, qint32 value)
{
    SetFieldText(edit, QString::number(value));
}

void SelectItem(QComboBox *box, int index)
{
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}
