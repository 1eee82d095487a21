// Feeds arbitrary bytes to the channel list reader as the content of
// "config/channel.csv".
#include "config/channellist.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const ChannelList channels = ReadChannelList(buffer);

    if (channels.size() > MaxChannels)
        std::abort();
    for (const ChannelEntry &entry : channels) {
        if (entry.ChannelName.contains(u',') || entry.ChannelName.contains(QChar(0)))
            std::abort();
    }
    return 0;
}
