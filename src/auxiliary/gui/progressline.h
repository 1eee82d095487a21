#pragma once

#include <QWidget>

// The strip's progress bar: a sunken frame filled in proportion to the
// position. Drawn by hand because the platform styles animate a bar that is
// not complete, which would repaint the idle window dozens of times a second.
class ProgressLine : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressLine(QWidget *parent = nullptr);

    void setRange(int maximum);
    void setValue(int value);
    int maximum() const { return m_maximum; }
    int value() const { return m_value; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_maximum = 0;
    int m_value = 0;
};
