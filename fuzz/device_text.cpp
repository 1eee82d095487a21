// Decodes arbitrary bytes as the zero-terminated texts of a device record
// and checks that every decoded text survives encoding unchanged.
#include "auxiliary/devicecharmap.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView buffer(data, qsizetype(size));
    int position = 0;
    QString text;
    while (DecodeDeviceText(buffer, position, text)) {
        if (position > buffer.size())
            std::abort();
        QByteArray encoded;
        EncodeDeviceText(text, encoded);
        int again = 0;
        QString decodedAgain;
        if (!DecodeDeviceText(encoded, again, decodedAgain) || decodedAgain != text
            || again != encoded.size())
            std::abort();
    }
    return 0;
}
