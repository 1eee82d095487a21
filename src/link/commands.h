#pragma once

#include <QByteArrayView>
#include <QtGlobal>

struct StatusReplyFormat;

// What an accepted reply to a request holds. The link has no sequence
// numbers: a reply is taken only by a request whose reply it can be, so that
// an answer that came too late never answers the request after it.
enum class ReplyShape {
    Empty,       // nothing
    Identity,    // hardware code, version byte, an unused byte, minor: 2 to 4 bytes
    FileSize,    // up to 4 bytes, the size of the opened file
    FileBytes,   // at most the byte count the read asked for
    Picture,     // the whole display picture, 1024 bytes
    Record,      // the configuration record, 1 to 1024 bytes
    Status,      // at least the inputs, the player mode and the media count
    Any,         // the tool does not look at it
};

// One request of the device's command set. The first payload byte of
// classes 0xA0 to 0xD0 is the sub-operation (none for the EDID repair).
struct DeviceCommand
{
    const char *name;
    quint8 requestClass;
    int subOperation; // NoSubOperation when the payload starts with data
    int timeoutUnits; // units of 5 ms per attempt
    bool writes;      // lights the write lamp
    ReplyShape reply;
};

inline constexpr int NoSubOperation = -1;

// The device's 128 x 64 display picture, one bit a pixel.
inline constexpr int SnapshotPictureSize = 1024;
// The device's configuration record is at most this long.
inline constexpr int ConfigBlockCapacity = 1024;

inline constexpr DeviceCommand CMD_IDENTIFY{"CMD_IDENTIFY", 0x10, NoSubOperation, 500, false, ReplyShape::Identity};
inline constexpr DeviceCommand CMD_REBOOT{"CMD_REBOOT", 0x20, NoSubOperation, 500, false, ReplyShape::Empty};
inline constexpr DeviceCommand CMD_MEDIA_CONTROL{"CMD_MEDIA_CONTROL", 0x30, NoSubOperation, 1000, false, ReplyShape::Empty};
inline constexpr DeviceCommand CMD_GET_STATUS{"CMD_GET_STATUS", 0x40, NoSubOperation, 500, false, ReplyShape::Status};
inline constexpr DeviceCommand CMD_WRITE_CONFIG{"CMD_WRITE_CONFIG", 0x50, NoSubOperation, 500, true, ReplyShape::Empty};
inline constexpr DeviceCommand CMD_READ_CONFIG{"CMD_READ_CONFIG", 0x70, NoSubOperation, 500, false, ReplyShape::Record};
inline constexpr DeviceCommand CMD_SHELL{"CMD_SHELL", 0x80, NoSubOperation, 5000, true, ReplyShape::Empty};
inline constexpr DeviceCommand CMD_SAVE_DEFAULT{"CMD_SAVE_DEFAULT", 0x90, NoSubOperation, 500, false, ReplyShape::Empty};
inline constexpr DeviceCommand CMD_EDID_REPAIR{"CMD_EDID_REPAIR", 0xA0, NoSubOperation, 5000, false, ReplyShape::Empty};
inline constexpr DeviceCommand CMD_FILE_CREATE{"CMD_FILE_CREATE", 0xA0, 0, 200, true, ReplyShape::Empty};
inline constexpr DeviceCommand CMD_FILE_OPEN{"CMD_FILE_OPEN", 0xA0, 1, 200, false, ReplyShape::FileSize};
inline constexpr DeviceCommand CMD_FILE_CLOSE{"CMD_FILE_CLOSE", 0xA0, 2, 5000, false, ReplyShape::Empty};
inline constexpr DeviceCommand CMD_FILE_READ{"CMD_FILE_READ", 0xA0, 3, 500, false, ReplyShape::FileBytes};
inline constexpr DeviceCommand CMD_FILE_WRITE{"CMD_FILE_WRITE", 0xA0, 4, 500, true, ReplyShape::Empty};
inline constexpr DeviceCommand CMD_FLASH_BEGIN{"CMD_FLASH_BEGIN", 0xB0, 0, 500, false, ReplyShape::Empty};
inline constexpr DeviceCommand CMD_FLASH_END{"CMD_FLASH_END", 0xB0, 2, 5000, false, ReplyShape::Empty};
inline constexpr DeviceCommand CMD_FLASH_DATA{"CMD_FLASH_DATA", 0xB0, 5, 5000, false, ReplyShape::Empty};
inline constexpr DeviceCommand CMD_FW_BEGIN{"CMD_FW_BEGIN", 0xC0, 0, 1000, false, ReplyShape::Empty};
inline constexpr DeviceCommand CMD_FW_DATA{"CMD_FW_DATA", 0xC0, 1, 5000, true, ReplyShape::Empty}; // fixed 25000 ms, sent by SendDataBlock
inline constexpr DeviceCommand CMD_FW_END{"CMD_FW_END", 0xC0, 2, 50000, true, ReplyShape::Empty};
inline constexpr DeviceCommand CMD_SET_CLOCK{"CMD_SET_CLOCK", 0xD0, 0, 500, false, ReplyShape::Empty};
inline constexpr DeviceCommand CMD_SNAPSHOT{"CMD_SNAPSHOT", 0xD0, 2, 500, false, ReplyShape::Picture};
inline constexpr DeviceCommand CMD_PANEL_3{"CMD_PANEL_3", 0xD0, 3, 500, false, ReplyShape::Any};

inline constexpr DeviceCommand AllDeviceCommands[] = {
    CMD_IDENTIFY, CMD_REBOOT, CMD_MEDIA_CONTROL, CMD_GET_STATUS, CMD_WRITE_CONFIG,
    CMD_READ_CONFIG, CMD_SHELL, CMD_SAVE_DEFAULT, CMD_EDID_REPAIR, CMD_FILE_CREATE,
    CMD_FILE_OPEN, CMD_FILE_CLOSE, CMD_FILE_READ, CMD_FILE_WRITE, CMD_FLASH_BEGIN,
    CMD_FLASH_END, CMD_FLASH_DATA, CMD_FW_BEGIN, CMD_FW_DATA, CMD_FW_END,
    CMD_SET_CLOCK, CMD_SNAPSHOT, CMD_PANEL_3,
};

// Which command a received request is: by class and, where the class has
// sub-operations, by its first payload byte. Null for unknown requests.
const DeviceCommand *IdentifyCommand(quint8 requestClass, const char *payload, int size);

// Whether an accepted reply of replyLength bytes can answer this request
// (its payload tells how many bytes a file read asked for; the device's
// status format how long a status reply is at least). A refusal can answer
// any request.
bool ReplyFitsRequest(const DeviceCommand &command, QByteArrayView requestPayload, int replyLength,
                      const StatusReplyFormat &status);
