#include "gui/desktopbeep.h"

#include <windows.h>

void DesktopBeep(int frequencyHz, int durationMs)
{
    // Beep blocks for the duration, as the tool's signals always did.
    ::Beep(DWORD(frequencyHz), DWORD(durationMs));
}
