#include "gui/desktopbeep.h"

#include <QApplication>

void DesktopBeep(int, int)
{
    QApplication::beep();
}
