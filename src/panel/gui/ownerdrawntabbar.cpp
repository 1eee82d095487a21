#include "panel/gui/ownerdrawntabbar.h"

#include <QPainter>

const QColor OwnerDrawnTabBar::Background(248, 248, 255);

OwnerDrawnTabBar::OwnerDrawnTabBar(QWidget *parent) : QTabBar(parent)
{
    setExpanding(false);
    setDrawBase(false);
    setUsesScrollButtons(false);
}

void OwnerDrawnTabBar::setTabColour(std::function<QColor(int)> colour)
{
    m_colour = std::move(colour);
    update();
}

void OwnerDrawnTabBar::setMinimumTabWidth(int width)
{
    m_minimumTabWidth = width;
    updateGeometry();
    update();
}

QSize OwnerDrawnTabBar::tabSizeHint(int index) const
{
    QSize size = QTabBar::tabSizeHint(index);
    size.setWidth(std::max(size.width(), m_minimumTabWidth));
    return size;
}

void OwnerDrawnTabBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Background);
    for (int index = 0; index < count(); ++index) {
        const QRect item = tabRect(index).adjusted(1, 1, -1, -1);
        const QColor colour = m_colour ? m_colour(index) : palette().color(QPalette::WindowText);
        if (index == currentIndex()) {
            painter.fillRect(item, colour);
            painter.setPen(Qt::white);
        } else {
            painter.setPen(QColor(160, 160, 176));
            painter.drawRect(item.adjusted(0, 0, -1, -1));
            painter.setPen(colour);
        }
        painter.drawText(item, Qt::AlignCenter | Qt::TextSingleLine, tabText(index));
    }
}
