#include "panel/gui/fieldtable.h"

#include "panel/gui/controlvalues.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

QString CaptionOf(const FieldSpec &field)
{
    if (field.TranslatedCaption >= 0)
        return GetText(TextId(field.TranslatedCaption));
    return field.Caption ? QString::fromLatin1(field.Caption) : QString();
}

QWidget *BuildField(PageControls &controls, const FieldSpec &f, const std::function<void()> &edited)
{
    const bool connected = edited && !f.OwnHandler;
    switch (f.Kind) {
    case FieldKind::Label:
        return controls.label(f.Id, f.Name, CaptionOf(f), f.X, f.Y, f.Width);
    case FieldKind::Edit: {
        QLineEdit *edit = f.Height > 0 ? controls.place(f.Id, f.Name, new QLineEdit, f.X, f.Y, f.Width, f.Height)
                                       : controls.edit(f.Id, f.Name, f.X, f.Y, f.Width);
        if (connected)
            QObject::connect(edit, &QLineEdit::textEdited, edit, edited);
        return edit;
    }
    case FieldKind::List: {
        QComboBox *list = controls.combo(f.Id, f.Name, f.X, f.Y, f.Width, f.Items ? f.Items() : QStringList());
        if (connected)
            QObject::connect(list, &QComboBox::activated, list, edited);
        return list;
    }
    case FieldKind::EditableList:
        // Every page fills its editable lists and connects them itself.
        return controls.combo(f.Id, f.Name, f.X, f.Y, f.Width, {}, true);
    case FieldKind::Check: {
        QCheckBox *box = controls.check(f.Id, f.Name, CaptionOf(f), f.X, f.Y, f.Width);
        if (connected)
            QObject::connect(box, &QCheckBox::clicked, box, edited);
        return box;
    }
    case FieldKind::Radio:
        return controls.radio(f.Id, f.Name, CaptionOf(f), f.X, f.Y, f.Width);
    case FieldKind::Button:
        return controls.button(f.Id, f.Name, CaptionOf(f), f.X, f.Y, f.Width,
                               f.Height > 0 ? f.Height : PageControls::ButtonHeight);
    case FieldKind::Slider:
    case FieldKind::Custom:
        break;
    }
    return nullptr;
}

void FillField(const PageControls &controls, const FieldSpec &f, const ConfigModel &model, int record)
{
    QWidget *control = controls.byId(f.Id);
    const qint32 *number = BoundNumber(f.Binds, model, record);
    const QString *text = BoundText(f.Binds, model, record);
    if (!control || (!number && !text))
        return;
    switch (f.Kind) {
    case FieldKind::Edit:
        if (number)
            SetFieldNumber(static_cast<QLineEdit *>(control), *number);
        else
            SetFieldText(static_cast<QLineEdit *>(control), *text);
        break;
    case FieldKind::List:
        if (number)
            SelectItem(static_cast<QComboBox *>(control), *number);
        break;
    case FieldKind::EditableList:
        if (text) {
            auto *list = static_cast<QComboBox *>(control);
            list->setEditText(*text);
            list->lineEdit()->setCursorPosition(0);
        }
        break;
    case FieldKind::Check:
        if (number)
            static_cast<QCheckBox *>(control)->setChecked(*number != 0);
        break;
    case FieldKind::Slider:
        if (number)
            static_cast<QSlider *>(control)->setValue(*number);
        break;
    default:
        break;
    }
}

void StoreField(const PageControls &controls, const FieldSpec &f, ConfigModel &model, int record,
                const HardwareProfile &profile)
{
    QWidget *control = controls.byId(f.Id);
    qint32 *number = BoundNumber(f.Binds, model, record);
    if (!control || (!number && !BoundText(f.Binds, model, record)))
        return;
    switch (f.Kind) {
    case FieldKind::Edit:
        StoreTyped(f.Binds, static_cast<QLineEdit *>(control)->text(), model, record, profile);
        break;
    case FieldKind::List:
        if (number)
            *number = SelectedOr(static_cast<QComboBox *>(control)->currentIndex(), *number);
        break;
    case FieldKind::EditableList:
        StoreTyped(f.Binds, static_cast<QComboBox *>(control)->currentText(), model, record, profile);
        break;
    case FieldKind::Check:
        if (number)
            *number = static_cast<QCheckBox *>(control)->isChecked() ? 1 : 0;
        break;
    case FieldKind::Slider:
        if (number)
            *number = static_cast<QSlider *>(control)->value();
        break;
    default:
        break;
    }
}
