#include "auxiliary/devicecharmap.h"

namespace {

// The device shows control bytes and the 0x7F to 0xA0 range as a full stop,
// a double quotation mark as an apostrophe and a soft hyphen as a plain
// hyphen; every other byte is its ISO 8859-1 character.
QChar DeviceCharacter(int byte)
{
    if (byte < 0x20 || (byte >= 0x7F && byte <= 0xA0))
        return u'.';
    if (byte == 0x22)
        return u'\'';
    if (byte == 0xAD)
        return u'-';
    return QChar(char16_t(byte));
}

QString BuildDeviceCharMap()
{
    QString map(256, Qt::Uninitialized);
    for (int byte = 0; byte < 256; ++byte)
        map[byte] = DeviceCharacter(byte);
    return map;
}

} // namespace

const QString DeviceCharMap = BuildDeviceCharMap();

bool DecodeDeviceText(QByteArrayView buffer, int &position, QString &text)
{
    if (position < 0 || position >= buffer.size())
        return false;
    const qsizetype end = buffer.indexOf('\0', position);
    if (end < 0)
        return false;

    QString decoded(end - position, Qt::Uninitialized);
    for (qsizetype i = position; i < end; ++i)
        decoded[i - position] = DeviceCharMap.at(quint8(buffer[i]));
    text = decoded;
    position = int(end + 1);
    return true;
}

void EncodeDeviceText(const QString &text, QByteArray &destination)
{
    // A character the device can show is sent as its own low byte, not as its
    // place in the map: an apostrophe stays 0x27, never 0x22.
    destination.reserve(destination.size() + text.size() + 1);
    for (QChar character : text) {
        const bool shown = DeviceCharMap.contains(character);
        destination.append(shown ? char(character.unicode() & 0xFF) : '.');
    }
    destination.append('\0');
}
