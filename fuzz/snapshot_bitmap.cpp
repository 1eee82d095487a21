// Builds the snapshot bitmap from an arbitrary display picture, as a device
// may send it, and checks that the file is always 1086 bytes with its fixed
// header, and that it holds exactly as many white pixels as the picture's
// first 1024 bytes have set bits.
#include "panel/deviceactions.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray picture(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray bitmap = SnapshotBitmap(picture);
    static const QByteArray header = SnapshotBitmap(QByteArray()).left(62);
    if (bitmap.size() != SnapshotFileSize || bitmap.left(62) != header)
        std::abort();
    int lit = 0;
    for (qsizetype k = 0; k < std::min<qsizetype>(picture.size(), SnapshotPictureSize); ++k)
        lit += std::popcount(quint8(picture[k]));
    int white = 0;
    for (qsizetype k = 62; k < bitmap.size(); ++k)
        white += std::popcount(quint8(bitmap[k]));
    if (lit != white)
        std::abort();
    return 0;
}
