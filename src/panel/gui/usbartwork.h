#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

// The USB page's small images, drawn in code.

// Player buttons: play (a blue triangle), record (a red dot), stop (a black square).
QIcon PlayIcon();
QIcon RecordIcon();
QIcon StopIcon();
// Schedule buttons: add a play entry, add a record entry (each with a plus),
// delete the selected entries (a minus).
QIcon AddPlayEntryIcon();
QIcon AddRecordEntryIcon();
QIcon DeleteEntriesIcon();

// A USB stick, for the device's storage.
QPixmap UsbStickImage(QSize size);
// A screen with a logo in its top-right corner.
QPixmap LogoScreenImage(QSize size);
// Two axes with a point, beside the X and Y coordinates.
QPixmap CoordinatesImage(QSize size);

// The headers above the start pickers (a green start mark), the stop
// pickers (a red stop mark) and the day buttons (seven day cells).
QPixmap StartHeaderImage(QSize size);
QPixmap StopHeaderImage(QSize size);
QPixmap DaysHeaderImage(QSize size);
