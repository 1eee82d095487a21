#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

// The tool's small images, drawn in code: the link lamps, the warning
// triangle, the log button's chart window, the application icon and the
// clock that opens the clock dialog.
QPixmap LampOffImage();
QPixmap SendLampImage();
QPixmap WriteLampImage();
QPixmap WarningTriangleImage();
QIcon LogButtonIcon();
// The EDID repair button's musical note, 16 x 16.
QIcon EdidRepairIcon();
// The application icon, drawn on a 32 x 32 grid scaled to size x size; the
// build also writes it as the installed SVG and PNG icons.
void PaintApplicationIcon(QPainter &painter, qreal size);
QPixmap ApplicationPixmap(int size);
QIcon ApplicationIcon();
// A round clock face showing ten past ten, size x size pixels.
QPixmap ClockPixmap(int size);
