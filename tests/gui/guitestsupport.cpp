#include "guitestsupport.h"

#include "link/handlergate.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QPixmap>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTest>
#include <QWidget>

#include <algorithm>

void ClickButton(QAbstractButton *button)
{
    QPoint where = button->rect().center();
    QStyleOption option;
    option.initFrom(button);
    if (qobject_cast<QCheckBox *>(button))
        where = button->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, button).center();
    else if (qobject_cast<QRadioButton *>(button))
        where = button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button).center();
    QTest::mouseClick(button, Qt::LeftButton, {}, where);
}

void SaveScreenshot(QWidget &widget, const QString &name)
{
    QDir().mkpath(QStringLiteral(RERUDAD_SCREENSHOT_DIR));
    widget.grab().save(QDir(QStringLiteral(RERUDAD_SCREENSHOT_DIR)).filePath(name + QStringLiteral(".png")));
}

DialogAnswerer::DialogAnswerer(std::function<void(QWidget &)> answer) : m_answer(std::move(answer))
{
    QObject::connect(&m_poll, &QTimer::timeout, [this] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            m_poll.stop();
            m_answer(*dialog);
        }
    });
    m_poll.start(10);
}

PaintWatch::PaintWatch(QWidget &widget) : m_widget(widget)
{
    m_clock.start();
    m_widget.installEventFilter(this);
    m_heartbeat.setTimerType(Qt::PreciseTimer);
    connect(&m_heartbeat, &QTimer::timeout, this, [this] {
        note(m_lastBeat, LargestBeatGap);
        MostHandlersRunning = std::max(MostHandlersRunning, HandlerGate::current().handlersRunning());
        m_widget.update();
    });
    m_heartbeat.start(10);
}

void PaintWatch::stop()
{
    m_heartbeat.stop();
    m_widget.removeEventFilter(this);
    note(m_lastBeat, LargestBeatGap);
    note(m_lastPaint, LargestPaintGap);
}

bool PaintWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_widget && event->type() == QEvent::Paint) {
        ++Paints;
        note(m_lastPaint, LargestPaintGap);
    }
    return false;
}

void PaintWatch::note(qint64 &last, qint64 &largest)
{
    const qint64 now = m_clock.elapsed();
    largest = std::max(largest, now - last);
    last = now;
}
