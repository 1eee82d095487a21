#include "link/commands.h"

#include "hardware/hardwareprofile.h"

#include <algorithm>

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

bool ReplyFitsRequest(const DeviceCommand &command, QByteArrayView requestPayload, int replyLength,
                      const StatusReplyFormat &status)
{
    switch (command.reply) {
    case ReplyShape::Empty:
        return replyLength == 0;
    case ReplyShape::Identity:
        return replyLength >= 2 && replyLength <= 4;
    case ReplyShape::FileSize:
        // A reply too short to hold a size is still this request's: the
        // caller says so and closes the file.
        return replyLength >= 1 && replyLength <= 4;
    case ReplyShape::FileBytes: {
        // sub-operation, then the 16-bit little-endian count asked for
        if (requestPayload.size() < 3)
            return false;
        const int asked = quint8(requestPayload[1]) | quint8(requestPayload[2]) << 8;
        return replyLength <= asked;
    }
    case ReplyShape::Picture:
        return replyLength == SnapshotPictureSize;
    case ReplyShape::Record:
        return replyLength >= 1 && replyLength <= ConfigBlockCapacity;
    case ReplyShape::Status: {
        // one 8-byte group per input, the player mode byte, the media count
        const int inputs = std::clamp(status.ServiceCount, 0, 4);
        return replyLength >= inputs * 8 + (status.HasAutoMode ? 1 : 0) + 1;
    }
    case ReplyShape::Any:
        return true;
    }
    return true;
}
