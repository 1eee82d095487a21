#include "gui/artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// An 8 x 8 white square with a grey border and, when lit, a 4 x 4 centre.
QPixmap Lamp(const QColor &centre)
{
    QPixmap pixmap(8, 8);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(0, 0, 7, 7);
    if (centre.isValid())
        painter.fillRect(2, 2, 4, 4, centre);
    return pixmap;
}

} // namespace

QPixmap LampOffImage()
{
    return Lamp(QColor());
}

QPixmap SendLampImage()
{
    return Lamp(QColor(0, 192, 0));
}

QPixmap WriteLampImage()
{
    return Lamp(QColor(224, 0, 0));
}

QPixmap WarningTriangleImage()
{
    QPixmap pixmap(38, 38);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    triangle.moveTo(19, 2);
    triangle.lineTo(36, 34);
    triangle.lineTo(2, 34);
    triangle.closeSubpath();
    painter.fillPath(triangle, QColor(220, 0, 0));
    painter.setPen(QPen(QColor(140, 0, 0), 1.5));
    painter.drawPath(triangle);
    painter.fillRect(17, 12, 4, 13, Qt::white);
    painter.fillRect(17, 27, 4, 4, Qt::white);
    return pixmap;
}

QIcon LogButtonIcon()
{
    // A small window holding a bar chart.
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(60, 60, 60));
    painter.fillRect(1, 2, 18, 16, Qt::white);
    painter.drawRect(1, 2, 17, 15);
    painter.fillRect(2, 3, 16, 3, QColor(40, 80, 170));
    painter.fillRect(4, 12, 3, 4, QColor(0, 150, 0));
    painter.fillRect(8, 9, 3, 7, QColor(220, 140, 0));
    painter.fillRect(12, 7, 3, 9, QColor(200, 0, 0));
    return QIcon(pixmap);
}

QIcon EdidRepairIcon()
{
    // Two quavers joined by a beam: the sound the repair brings back.
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink(30, 30, 30);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QRectF(1.5, 10.5, 5, 4));
    painter.drawEllipse(QRectF(9.5, 9.0, 5, 4));
    painter.fillRect(QRectF(5.5, 2.5, 1.3, 10), ink);
    painter.fillRect(QRectF(13.5, 1.0, 1.3, 10), ink);
    QPainterPath beam;
    beam.moveTo(5.5, 2.5);
    beam.lineTo(14.8, 1.0);
    beam.lineTo(14.8, 3.5);
    beam.lineTo(5.5, 5.0);
    beam.closeSubpath();
    painter.fillPath(beam, ink);
    return QIcon(pixmap);
}

void PaintApplicationIcon(QPainter &painter, qreal size)
{
    // A modulator box with an antenna and a signal wave.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    painter.setBrush(QColor(30, 70, 150));
    painter.setPen(QPen(QColor(15, 35, 80), 1));
    painter.drawRoundedRect(QRectF(3, 14, 26, 14), 3, 3);
    painter.setPen(QPen(QColor(15, 35, 80), 2));
    painter.drawLine(QPointF(23, 14), QPointF(26, 4));
    painter.setPen(QPen(QColor(240, 180, 0), 1.5));
    painter.drawArc(QRectF(21, 0, 10, 10), 30 * 16, 120 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 220, 0));
    painter.drawEllipse(QRectF(6, 19, 4, 4));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(13, 20, 12, 2));
    painter.restore();
}

QPixmap ApplicationPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintApplicationIcon(painter, size);
    return pixmap;
}

QIcon ApplicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(ApplicationPixmap(size));
    return icon;
}

QPixmap ClockPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    painter.setPen(QPen(QColor(40, 40, 40), 2));
    painter.setBrush(QColor(255, 250, 225));
    painter.drawEllipse(QRectF(2, 2, 28, 28));
    painter.setPen(QPen(QColor(90, 90, 90), 1.5));
    for (int hour = 0; hour < 12; ++hour) {
        painter.save();
        painter.translate(16, 16);
        painter.rotate(hour * 30.0);
        painter.drawLine(QPointF(0, -12), QPointF(0, hour % 3 == 0 ? -9 : -10.5));
        painter.restore();
    }
    painter.setPen(QPen(QColor(20, 20, 20), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(16, 16), QPointF(10.5, 12.5)); // hour hand at ten
    painter.setPen(QPen(QColor(20, 20, 20), 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(16, 16), QPointF(22.5, 9));    // minute hand at two
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 0, 0));
    painter.drawEllipse(QRectF(14.5, 14.5, 3, 3));
    return pixmap;
}
