#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

class CXmit;

// Commands of the device's USB media player. The player buttons of the USB
// page leave one for the panel timer; the CLI sends one at once.
enum MediaCommand : quint8 {
    MediaNone = 0,
    MediaPlay = 1,
    MediaRecord = 2,
    MediaStop = 3,
};

// "play", "record" or "stop".
std::optional<MediaCommand> MediaCommandNamed(const QString &word);

// CMD_MEDIA_CONTROL with the command byte; true when the device took it.
bool SendMediaCommand(CXmit &xmit, quint8 command);
