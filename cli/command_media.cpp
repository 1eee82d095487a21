#include "clicommand.h"
#include "devicechoice.h"

#include "config/mediaplayer.h"
#include "link/cxmit.h"

// The device's USB media player: play, record or stop, sent at once as the
// panel sends the command of the USB page's player buttons.

int CliMedia(CliContext &context)
{
    const std::optional<MediaCommand> command = MediaCommandNamed(context.arguments.value(0));
    if (!command)
        return context.usage(QStringLiteral("media takes play, record or stop, not %1").arg(context.arguments.value(0)));
    CXmit xmit;
    if (const int status = LinkDevice(context, xmit); status != ExitSuccess)
        return status;
    if (!SendMediaCommand(xmit, *command)) {
        return context.fail(ExitDeviceFailure, xmit.LinkLost ? QStringLiteral("no reply to the media command")
                                                              : QStringLiteral("the device refused the media command"));
    }
    return ExitSuccess;
}
