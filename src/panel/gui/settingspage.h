#pragma once

#include <QWidget>

// One page of the settings panel: a group of controls placed at the page
// origin under the page tabs. Each page builds once, shows or hides with
// its tab, and fills its controls from the model whenever it is shown or
// its multiplex or service changes.
class SettingsPage : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    virtual void BuildPage() = 0;
    virtual void ShowPage(bool visible) { setVisible(visible); }
    virtual void FillPage() = 0;
};
