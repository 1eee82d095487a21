#pragma once

#include "gui/dialogunits.h"

#include <QHash>
#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The controls of one settings page, made at their places in the window
// layout (dialog units relative to the page's reference frame, which sits at
// the page's origin) and found again by their control identifier. Every
// control also gets a descriptive object name, which tests use.
//
// Heights the layouts leave open follow the platform's usual ones: 12 units
// for edits and closed combo boxes, 8 for labels, 10 for check and radio
// buttons, 14 for push buttons.
class PageControls
{
public:
    static constexpr int EditHeight = 12;
    static constexpr int LabelHeight = 8;
    static constexpr int CheckHeight = 10;
    static constexpr int ButtonHeight = 14;

    PageControls(QWidget &page, const DialogUnits &units);

    QLabel *label(int id, const char *name, const QString &text, int x, int y, int width);
    QLineEdit *edit(int id, const char *name, int x, int y, int width);
    // A drop-down list of fixed items; editable boxes also take typed text.
    QComboBox *combo(int id, const char *name, int x, int y, int width, const QStringList &items = {},
                     bool editable = false);
    QCheckBox *check(int id, const char *name, const QString &text, int x, int y, int width);
    QRadioButton *radio(int id, const char *name, const QString &text, int x, int y, int width);
    QPushButton *button(int id, const char *name, const QString &text, int x, int y, int width,
                        int height = ButtonHeight);
    // Places a control made elsewhere (a slider, a list, a picker) and files it under id.
    template <typename Control>
    Control *place(int id, const char *name, Control *control, int x, int y, int width, int height)
    {
        add(id, name, control, x, y, width, height);
        return control;
    }

    QWidget *byId(int id) const { return m_controls.value(id); }
    // Enables or shows one control; unknown identifiers are a programming error.
    void setEnabled(int id, bool enabled) const;
    void setVisible(int id, bool visible) const;
    // Shows or hides every control of the page.
    void setAllVisible(bool visible) const;

    const DialogUnits &units() const { return m_units; }

private:
    void add(int id, const char *name, QWidget *control, int x, int y, int width, int height);

    QWidget &m_page;
    DialogUnits m_units;
    QHash<int, QWidget *> m_controls;
};
