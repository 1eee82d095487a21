#include "config/mediaplayer.h"

#include "link/cxmit.h"

std::optional<MediaCommand> MediaCommandNamed(const QString &word)
{
    if (word == QLatin1String("play"))
        return MediaPlay;
    if (word == QLatin1String("record"))
        return MediaRecord;
    if (word == QLatin1String("stop"))
        return MediaStop;
    return std::nullopt;
}

bool SendMediaCommand(CXmit &xmit, quint8 command)
{
    return xmit.Send(CMD_MEDIA_CONTROL, QByteArray(1, char(command)));
}
