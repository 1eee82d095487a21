#include "auxiliary/gui/progressline.h"

#include <QPainter>

#include <algorithm>

ProgressLine::ProgressLine(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProgressLine::setRange(int maximum)
{
    m_maximum = maximum;
    update();
}

void ProgressLine::setValue(int value)
{
    if (value == m_value)
        return;
    m_value = value;
    update();
}

void ProgressLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame);
    if (m_maximum <= 0)
        return;
    const double share = std::clamp(double(m_value) / double(m_maximum), 0.0, 1.0);
    const QRect inside = frame.adjusted(2, 2, -1, -1);
    painter.fillRect(QRect(inside.topLeft(), QSize(int(inside.width() * share), inside.height())),
                     palette().color(QPalette::Highlight));
}
