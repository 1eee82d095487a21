#include "console.h"

void PrepareConsoleOutput() {}
