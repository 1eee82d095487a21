#include "panel/gui/usbartwork.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

const QColor PlayBlue(30, 80, 200);
const QColor RecordRed(210, 20, 20);
const QColor StartGreen(20, 150, 40);
const QColor Ink(40, 40, 40);

// A transparent picture of the given size; draw works on a design square of
// 32 x 32 (or the design size given) scaled to fit.
QPixmap Drawn(QSize size, QSizeF design, const std::function<void(QPainter &)> &draw)
{
    QPixmap pixmap(size.expandedTo(QSize(1, 1)));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixmap.width() / design.width(), pixmap.height() / design.height());
    draw(painter);
    return pixmap;
}

QIcon IconOf(const std::function<void(QPainter &)> &draw)
{
    QIcon icon;
    for (int side : {16, 24, 32})
        icon.addPixmap(Drawn(QSize(side, side), QSizeF(32, 32), draw));
    return icon;
}

void Triangle(QPainter &painter, const QRectF &box, const QColor &colour)
{
    QPainterPath path;
    path.moveTo(box.topLeft());
    path.lineTo(box.right(), box.center().y());
    path.lineTo(box.bottomLeft());
    path.closeSubpath();
    painter.fillPath(path, colour);
}

void Dot(QPainter &painter, const QRectF &box, const QColor &colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(box);
}

// A plus in the bottom-right corner, as on the add buttons.
void Plus(QPainter &painter)
{
    painter.fillRect(QRectF(18, 23, 13, 4), StartGreen);
    painter.fillRect(QRectF(22.5, 18.5, 4, 13), StartGreen);
}

} // namespace

QIcon PlayIcon()
{
    return IconOf([](QPainter &painter) { Triangle(painter, QRectF(8, 5, 18, 22), PlayBlue); });
}

QIcon RecordIcon()
{
    return IconOf([](QPainter &painter) { Dot(painter, QRectF(6, 6, 20, 20), RecordRed); });
}

QIcon StopIcon()
{
    return IconOf([](QPainter &painter) { painter.fillRect(QRectF(7, 7, 18, 18), Qt::black); });
}

QIcon AddPlayEntryIcon()
{
    return IconOf([](QPainter &painter) {
        Triangle(painter, QRectF(2, 2, 16, 20), PlayBlue);
        Plus(painter);
    });
}

QIcon AddRecordEntryIcon()
{
    return IconOf([](QPainter &painter) {
        Dot(painter, QRectF(2, 2, 18, 18), RecordRed);
        Plus(painter);
    });
}

QIcon DeleteEntriesIcon()
{
    return IconOf([](QPainter &painter) { painter.fillRect(QRectF(5, 14, 22, 5), RecordRed); });
}

QPixmap UsbStickImage(QSize size)
{
    return Drawn(size, QSizeF(25, 29), [](QPainter &painter) {
        // The plug at the top, the body below with the trident mark.
        painter.setPen(QPen(Ink, 1));
        painter.setBrush(QColor(200, 200, 205));
        painter.drawRect(QRectF(8, 1, 9, 8));
        painter.fillRect(QRectF(10, 3, 2, 2), Ink);
        painter.fillRect(QRectF(13, 3, 2, 2), Ink);
        painter.setBrush(QColor(40, 90, 170));
        painter.drawRoundedRect(QRectF(5, 9, 15, 19), 2, 2);
        painter.setPen(QPen(Qt::white, 1.2));
        painter.drawLine(QPointF(12.5, 12), QPointF(12.5, 25));
        painter.drawLine(QPointF(12.5, 20), QPointF(9, 16.5));
        painter.drawLine(QPointF(12.5, 18), QPointF(16, 15));
        painter.drawEllipse(QPointF(12.5, 25), 1.2, 1.2);
    });
}

QPixmap LogoScreenImage(QSize size)
{
    return Drawn(size, QSizeF(32, 32), [](QPainter &painter) {
        painter.setPen(QPen(Ink, 1.5));
        painter.setBrush(QColor(60, 120, 190));
        painter.drawRoundedRect(QRectF(2, 4, 28, 19), 2, 2);
        painter.fillRect(QRectF(13, 23, 6, 4), Ink);
        painter.fillRect(QRectF(8, 27, 16, 2), Ink);
        // The logo in the corner of the picture.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 210, 0));
        painter.drawEllipse(QRectF(21, 6.5, 6, 6));
    });
}

QPixmap CoordinatesImage(QSize size)
{
    return Drawn(size, QSizeF(32, 32), [](QPainter &painter) {
        painter.setPen(QPen(Ink, 2));
        painter.drawLine(QPointF(5, 4), QPointF(5, 27));
        painter.drawLine(QPointF(5, 27), QPointF(29, 27));
        painter.setPen(QPen(RecordRed, 1, Qt::DashLine));
        painter.drawLine(QPointF(5, 12), QPointF(20, 12));
        painter.drawLine(QPointF(20, 12), QPointF(20, 27));
        Dot(painter, QRectF(17, 9, 6, 6), RecordRed);
    });
}

QPixmap StartHeaderImage(QSize size)
{
    return Drawn(size, QSizeF(97, 10), [](QPainter &painter) {
        painter.fillRect(QRectF(0, 4, 97, 2), QColor(180, 220, 185));
        Triangle(painter, QRectF(1, 0.5, 8, 9), StartGreen);
        painter.fillRect(QRectF(10, 0.5, 1.5, 9), StartGreen);
    });
}

QPixmap StopHeaderImage(QSize size)
{
    return Drawn(size, QSizeF(97, 10), [](QPainter &painter) {
        painter.fillRect(QRectF(0, 4, 97, 2), QColor(230, 185, 185));
        painter.fillRect(QRectF(1, 1, 8, 8), RecordRed);
    });
}

QPixmap DaysHeaderImage(QSize size)
{
    return Drawn(size, QSizeF(84, 10), [](QPainter &painter) {
        // Seven day cells, one over each day button; the weekend in grey.
        for (int day = 0; day < 7; ++day) {
            painter.setPen(QPen(Ink, 0.8));
            painter.setBrush(day < 5 ? QColor(255, 255, 255) : QColor(210, 210, 210));
            painter.drawRect(QRectF(day * 12 + 2, 1, 8, 8));
            painter.fillRect(QRectF(day * 12 + 2, 1, 8, 2), RecordRed);
        }
    });
}
