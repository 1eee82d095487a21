#pragma once

#include <QWidget>

// One page of the settings panel: a group of controls placed at the page
// origin under the page tabs. Each page builds once, shows or hides, enables
// what the hardware and the model allow, fills its controls from the model
// and commits them back. A page that has no controls yet does nothing.
class SettingsPage : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    virtual void BuildPage() {}
    virtual void ShowPage(bool visible) { setVisible(visible); }
    virtual void EnablePage() {}
    virtual void FillPage() {}
    virtual void CommitPage() {}
};
