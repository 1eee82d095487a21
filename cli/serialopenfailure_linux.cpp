#include "serialopenfailure.h"

#include "devicechoice.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

QString SerialOpenFailure(const QString &path)
{
    const int descriptor = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (descriptor < 0)
        return SerialOpenError(path, errno);
    const bool terminal = ::isatty(descriptor) == 1;
    ::close(descriptor);
    return terminal ? QStringLiteral("cannot open serial port %1: in use by another program; %2").arg(path, HeldPortHint())
                    : QStringLiteral("cannot open serial port %1: not a serial port").arg(path);
}
