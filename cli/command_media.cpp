#include "clicommand.h"

#include "config/mediaplayer.h"
#include "link/cxmit.h"

// The device's USB media player: play, record or stop, sent at once as the
// player buttons of the USB page have the panel send it.

namespace {

int Media(CliContext &context)
{
    const std::optional<MediaCommand> command =
        context.arguments.size() == 1 ? MediaCommandNamed(context.arguments[0]) : std::nullopt;
    if (!command)
        return context.fail(ExitUsage, QStringLiteral("media takes one of play, record, stop"));
    CXmit xmit;
    if (const int status = LinkDevice(context, xmit); status != ExitSuccess)
        return status;
    if (!SendMediaCommand(xmit, *command)) {
        return context.fail(ExitDeviceFailure, xmit.LinkLost ? QStringLiteral("no reply to the media command")
                                                              : QStringLiteral("the device refused the media command"));
    }
    return ExitSuccess;
}

const CliCommandRegistration registration({{QStringLiteral("media")}, QStringLiteral("play|record|stop"), Media});

} // namespace
