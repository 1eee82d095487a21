// Decodes arbitrary bytes as a status reply. The first byte picks the
// hardware code, the second the firmware version byte; the rest is the
// reply. A refused reply must leave the status untouched, and no list may
// grow past its capacity.
#include "config/devicestatus.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const StatusReplyFormat format = HardwareProfile::Of(data[0], data[1]).StatusReply();
    const QByteArrayView reply(data + 2, qsizetype(size - 2));

    DeviceStatus status;
    status.MediaFiles = {QStringLiteral("before")};
    status.MediaFilesKey = QStringLiteral("before");
    MarkInputsUnreported(status, format.ServiceCount);
    const DeviceStatus before = status;

    if (!DecodeStatusReply(reply, format, status)) {
        if (!(status == before))
            std::abort();
        return 0;
    }
    if (status.MediaFiles.size() > DeviceStatus::MaxFileNames
        || status.LogoFiles.size() > DeviceStatus::MaxFileNames
        || status.MediaFilesKey != status.MediaFiles.join(QLatin1Char('_'))
        || status.LogoFilesKey != status.LogoFiles.join(QLatin1Char('_')))
        std::abort();

    DeviceStatus last;
    ApplyStatusChanges(status, last);
    if (ApplyStatusChanges(status, last).any())
        std::abort();
    StatusToJsonDocument(status);
    return 0;
}
