#include "link/commands.h"

const DeviceCommand *IdentifyCommand(quint8 requestClass, const char *payload, int size)
{
    for (const DeviceCommand &command : AllDeviceCommands) {
        if (command.requestClass != requestClass)
            continue;
        if (command.subOperation == NoSubOperation) {
            // 0xA0 with an empty payload is the EDID repair; with a payload it is a file operation.
            if (requestClass != 0xA0 || size == 0)
                return &command;
        } else if (size > 0 && quint8(payload[0]) == command.subOperation) {
            return &command;
        }
    }
    return nullptr;
}
