#pragma once

#include "auxiliary/clocksetting.h"

#include <QDateTime>
#include <QDialog>

class CXmit;
class QDateEdit;
class QTimeEdit;

// The clock dialog: a small caption-less window with a date picker, a time
// picker, OK and Cancel. It starts from a clock and, when OK finds the date
// or the time changed, holds the new clock (seconds 0) and sets Changed.
class CRTC : public QDialog
{
    Q_OBJECT

public:
    enum ControlId { IDC_CLOCK_DATE = 1166, IDC_CLOCK_TIME = 1167 };

    explicit CRTC(const ClockFields &start, QWidget *parent = nullptr);

    // The clock the dialog started from, or the one OK stored.
    ClockFields Clock;
    bool Changed = false;

    QDateEdit *datePicker() const { return m_date; }
    QTimeEdit *timePicker() const { return m_time; }

    // OK: keeps a changed date or time, then closes.
    void accept() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void OnInitDialog();

    QDateEdit *m_date;
    QTimeEdit *m_time;
};

// Lets the user set the device clock, starting from the clock of the latest
// status poll (the computer's, now, while that is no valid date and time),
// and sends CMD_SET_CLOCK when OK changed it. Returns whether it sent the
// clock; the device's answer is not looked at: a device that refuses shows
// its old clock at the next poll.
bool OpenClockDialog(QWidget *parent, CXmit &xmit, const ClockFields &deviceClock,
                     const QDateTime &now = QDateTime::currentDateTime());
