#pragma once

#include "linkedwindow.h"

#include <QByteArray>
#include <QString>

#include <initializer_list>

class QComboBox;
class QLineEdit;
class QWidget;

// A settings page test: the real window linked to a simulated device in the
// test's process, with the means to act as a user on the page's controls
// and to see what the device then holds.
class PageTest : public LinkedWindowTest
{
protected:
    // Page tests look at controls and records, not at timing: the window's
    // timers run fast.
    PageTest() { useFastTimers(); }

    // The control of the panel with this object name; fails the test when missing.
    template <typename Control>
    Control *control(const char *name)
    {
        auto *found = findControl(name);
        EXPECT_TRUE(found) << "no control " << name;
        return qobject_cast<Control *>(found);
    }

    // Replaces the field's text by typing, one keystroke at a time; an
    // empty text deletes what was there.
    static void typeInto(QLineEdit *edit, const QString &text);
    // Chooses item index from the list's drop-down, as a user does.
    static void chooseItem(QComboBox *box, int index);
    void clickTab(QWidget *tabs, int index);
    void switchPage(int page);
    // Writes the model to the device at once (the panel would 2 s after the
    // last edit) and reads it back; returns the record the device now holds.
    QByteArray writeNow();
    // Waits for the next status poll to reach the pages.
    bool waitForPoll();

private:
    QWidget *findControl(const char *name) const;
};
