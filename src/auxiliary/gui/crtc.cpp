#include "auxiliary/gui/crtc.h"

#include "gui/artwork.h"
#include "gui/dialogunits.h"

#include <QDateEdit>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QTimeEdit>

CRTC::CRTC(const ClockFields &start, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), Clock(start), m_date(new QDateEdit(this)),
      m_time(new QTimeEdit(this))
{
    setObjectName(QStringLiteral("clockDialog"));
    const DialogUnits units(*this);
    setFixedSize(units.x(142), units.y(45));

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("clockDialogIcon"));
    units.place(*icon, 4, 3, 20, 20);
    icon->setPixmap(ClockPixmap(qMin(icon->width(), icon->height())));

    m_date->setObjectName(QStringLiteral("clockDate"));
    units.place(*m_date, 31, 8, 62, 15);
    m_date->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    m_date->setCalendarPopup(true);
    m_time->setObjectName(QStringLiteral("clockTime"));
    units.place(*m_time, 97, 8, 38, 15);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    units.place(*ok, 40, 26, 45, 14);
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    units.place(*cancel, 90, 26, 46, 14);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CRTC::accept);
    connect(cancel, &QPushButton::clicked, this, &CRTC::reject);

    OnInitDialog();
}

void CRTC::OnInitDialog()
{
    // Date and time are set apart: a local time that daylight saving skips
    // would otherwise show an hour later and count as a change.
    m_date->setDate(QDate(Clock.Year, Clock.Month, Clock.Day));
    m_time->setTime(QTime(Clock.Hour, Clock.Minute, Clock.Second));
    m_time->setDisplayFormat(QStringLiteral("HH:mm"));
    Changed = false;
}

void CRTC::accept()
{
    if (ApplyClockEdit(Clock, m_date->date(), m_time->time()))
        Changed = true;
    QDialog::accept();
}

void CRTC::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // Without a caption, a thin border sets the dialog off the window below.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool OpenClockDialog(QWidget *parent, CXmit &xmit, const ClockFields &deviceClock, const QDateTime &now)
{
    CRTC dialog(ClockDialogStart(deviceClock, now), parent);
    dialog.exec();
    if (!dialog.Changed)
        return false;
    SendDeviceClock(xmit, dialog.Clock);
    return true;
}
