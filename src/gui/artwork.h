#pragma once

#include <QIcon>
#include <QPixmap>

// The tool's small images, drawn in code: the link lamps, the warning
// triangle, the log button's chart window and the application icon.
QPixmap LampOffImage();
QPixmap SendLampImage();
QPixmap WriteLampImage();
QPixmap WarningTriangleImage();
QIcon LogButtonIcon();
// The EDID repair button's musical note, 16 x 16.
QIcon EdidRepairIcon();
QPixmap ApplicationPixmap(int size);
QIcon ApplicationIcon();
