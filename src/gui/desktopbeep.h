#pragma once

// The desktop tool's audible signal, where the tool's beeps go (SetBeepSink):
// on Windows the tone itself, at the frequency and for the duration asked
// (desktopbeep_win32.cpp); on Linux desktops, which play no tones, the
// desktop's bell (desktopbeep_linux.cpp).
void DesktopBeep(int frequencyHz, int durationMs);
