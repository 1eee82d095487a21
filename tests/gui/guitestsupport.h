#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QAbstractButton;
class QWidget;

// Saves a PNG of the widget under build/screenshots/NAME.png.
void SaveScreenshot(QWidget &widget, const QString &name);

// Clicks a button as a user does: a check box or radio button on its
// indicator (its middle may lie beyond a short caption, as it does with
// some platforms' fonts), any other button in its middle.
void ClickButton(QAbstractButton *button);

// Answers the first modal dialog that opens: it polls for the dialog every
// 10 ms, so it answers whenever the dialog comes, also when it opens after
// a wait on the device.
class DialogAnswerer
{
public:
    explicit DialogAnswerer(std::function<void(QWidget &)> answer);

private:
    std::function<void(QWidget &)> m_answer;
    QTimer m_poll;
};

// A 10 ms heartbeat on the window's thread that asks a widget to repaint, and
// what it saw until stop(): the largest gaps between heartbeats and between
// the widget's paints, the paints counted, and the most handlers of the
// thread's HandlerGate it ever found running at once.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget &widget);

    void stop();

    qint64 LargestBeatGap = 0;
    qint64 LargestPaintGap = 0;
    int Paints = 0;
    int MostHandlersRunning = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void note(qint64 &last, qint64 &largest);

    QWidget &m_widget;
    QElapsedTimer m_clock;
    QTimer m_heartbeat;
    qint64 m_lastBeat = 0;
    qint64 m_lastPaint = 0;
};
