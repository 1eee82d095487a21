#pragma once

#include <QString>

// Why a serial port that the link could not open fails: tries the port
// itself to learn the system's reason (no such port, no permission, in use
// by another program, not a serial port). The way to ask is the platform's:
// serialopenfailure_linux.cpp, serialopenfailure_win32.cpp.
QString SerialOpenFailure(const QString &path);
