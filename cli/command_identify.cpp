#include "clicommand.h"
#include "devicechoice.h"

#include "app/hardwaretable.h"
#include "link/cxmit.h"

int CliIdentify(CliContext &context)
{
    CXmit xmit;
    if (const int status = LinkDevice(context, xmit); status != ExitSuccess)
        return status;
    const DeviceIdentity &identity = xmit.Identity;
    // Written by hand to keep the key order of the contract.
    context.out << QStringLiteral(R"({"HardwareCode":%1,"FirmwareVersionByte":%2,"FirmwareMinor":%3,)"
                                  R"("ModelLabel":"%4","FamilyLabel":"%5"})")
                       .arg(identity.HardwareCode)
                       .arg(identity.FirmwareVersionByte)
                       .arg(identity.FirmwareMinor)
                       .arg(ModelLabel(identity.HardwareCode), FamilyLabel(identity.HardwareCode))
                << "\n";
    return ExitSuccess;
}
