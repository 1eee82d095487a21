#include "clicommand.h"
#include "devicechoice.h"

#include "config/devicestatus.h"
#include "link/cxmit.h"

// One status poll of the linked device, printed as status JSON.

int CliStatus(CliContext &context)
{
    CXmit xmit;
    if (const int status = LinkDevice(context, xmit); status != ExitSuccess)
        return status;
    if (!xmit.Send(CMD_GET_STATUS)) {
        return context.fail(ExitDeviceFailure, xmit.LinkLost ? QStringLiteral("no reply to the status request")
                                                              : QStringLiteral("the device refused the status request"));
    }
    DeviceStatus status;
    if (xmit.ReplyLength == 0 || !DecodeStatusReply(xmit.ReplyPayload, xmit.Identity.Profile().StatusReply(), status)) {
        return context.fail(ExitDeviceFailure, QStringLiteral("the status reply (%1 bytes) cannot be decoded")
                                                   .arg(xmit.ReplyLength));
    }
    context.out << StatusToJsonDocument(status) << "\n";
    return ExitSuccess;
}
