#pragma once

// Makes the console show the UTF-8 text the tool writes: a Windows console
// shows its own code page otherwise (console_win32.cpp); terminals elsewhere
// take UTF-8 as it comes (console_linux.cpp).
void PrepareConsoleOutput();
