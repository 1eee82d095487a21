#include "clicommand.h"
#include "devicechoice.h"

#include "app/modellabel.h"
#include "link/cxmit.h"

int CliIdentify(CliContext &context)
{
    CXmit xmit;
    if (const int status = LinkDevice(context, xmit); status != ExitSuccess)
        return status;
    const DeviceIdentity &identity = xmit.Identity;
    const HardwareProfile profile = identity.Profile();
    // Written by hand to keep the key order of the contract.
    context.out << QStringLiteral(R"({"HardwareCode":%1,"FirmwareVersionByte":%2,"FirmwareMinor":%3,)"
                                  R"("ModelLabel":"%4","FamilyLabel":"%5"})")
                       .arg(identity.HardwareCode)
                       .arg(identity.FirmwareVersionByte)
                       .arg(identity.FirmwareMinor)
                       .arg(ModelLabel(profile), profile.FamilyLabel())
                << "\n";
    return ExitSuccess;
}
