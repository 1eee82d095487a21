#include "console.h"

#include <windows.h>

void PrepareConsoleOutput()
{
    SetConsoleOutputCP(CP_UTF8);
}
