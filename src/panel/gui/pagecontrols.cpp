#include "panel/gui/pagecontrols.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

PageControls::PageControls(QWidget &page, const DialogUnits &units) : m_page(page), m_units(units) {}

void PageControls::add(int id, const char *name, QWidget *control, int x, int y, int width, int height)
{
    Q_ASSERT_X(!m_controls.contains(id), "PageControls", "control identifier used twice");
    control->setParent(&m_page);
    control->setObjectName(QLatin1String(name));
    m_units.place(*control, x, y, width, height);
    m_controls.insert(id, control);
}

QLabel *PageControls::label(int id, const char *name, const QString &text, int x, int y, int width)
{
    return place(id, name, new QLabel(text), x, y, width, LabelHeight);
}

QLineEdit *PageControls::edit(int id, const char *name, int x, int y, int width)
{
    return place(id, name, new QLineEdit, x, y, width, EditHeight);
}

QComboBox *PageControls::combo(int id, const char *name, int x, int y, int width, const QStringList &items,
                               bool editable)
{
    auto *box = new QComboBox;
    box->setEditable(editable);
    box->addItems(items);
    return place(id, name, box, x, y, width, EditHeight);
}

QCheckBox *PageControls::check(int id, const char *name, const QString &text, int x, int y, int width)
{
    return place(id, name, new QCheckBox(text), x, y, width, CheckHeight);
}

QRadioButton *PageControls::radio(int id, const char *name, const QString &text, int x, int y, int width)
{
    return place(id, name, new QRadioButton(text), x, y, width, CheckHeight);
}

QPushButton *PageControls::button(int id, const char *name, const QString &text, int x, int y, int width,
                                  int height)
{
    auto *push = new QPushButton(text);
    // Enter in the panel presses nothing.
    push->setAutoDefault(false);
    return place(id, name, push, x, y, width, height);
}

void PageControls::setEnabled(int id, bool enabled) const
{
    QWidget *control = byId(id);
    Q_ASSERT_X(control, "PageControls::setEnabled", "unknown control identifier");
    if (control)
        control->setEnabled(enabled);
}

void PageControls::setVisible(int id, bool visible) const
{
    QWidget *control = byId(id);
    Q_ASSERT_X(control, "PageControls::setVisible", "unknown control identifier");
    if (control)
        control->setVisible(visible);
}

void PageControls::setAllVisible(bool visible) const
{
    for (QWidget *control : m_controls)
        control->setVisible(visible);
}
