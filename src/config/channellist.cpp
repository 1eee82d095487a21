#include "config/channellist.h"

#include "auxiliary/sidefilereader.h"

#include <QByteArrayView>
#include <QFile>

#include <optional>

namespace {

// Far longer than any sensible line; a longer one is not a channel and is
// passed over whole rather than cut into a wrong name.
constexpr qsizetype LineLimit = 4096;

struct RawEntry
{
    QByteArray Name;
    quint16 ServiceId = 0;
    quint16 Lcn = 0;
};

bool IsBlank(char character)
{
    return character == ' ' || character == '\t' || character == '\v' || character == '\f'
        || character == '\r';
}

bool IsDigit(char character)
{
    return character >= '0' && character <= '9';
}

// A decimal integer at the start of text: blanks, an optional sign, at least
// one digit; whatever follows the digits is ignored. Identifiers and channel
// numbers are 1 or more and kept in 16 bits, so a value above 65535 wraps:
// the digits are read modulo 65536, and a number of any length is read
// without overflow.
std::optional<quint16> ReadChannelNumber(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    const qsizetype firstDigit = i;
    quint16 wrapped = 0;
    bool aboveZero = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        wrapped = quint16(wrapped * 10 + (text[i] - '0'));
        aboveZero = aboveZero || text[i] != '0';
    }
    if (i == firstDigit || negative || !aboveZero)
        return std::nullopt;
    return wrapped;
}

// "identifier,name,number": the name is taken as it stands, blanks
// included, and anything after the number is ignored.
std::optional<RawEntry> ParseChannelLine(QByteArrayView line)
{
    const qsizetype firstComma = line.indexOf(',');
    if (firstComma < 0)
        return std::nullopt;
    const std::optional<quint16> serviceId = ReadChannelNumber(line.first(firstComma));
    if (!serviceId)
        return std::nullopt;

    const QByteArrayView rest = line.sliced(firstComma + 1);
    const qsizetype secondComma = rest.indexOf(',');
    if (secondComma < 0)
        return std::nullopt;
    const std::optional<quint16> lcn = ReadChannelNumber(rest.sliced(secondComma + 1));
    if (!lcn)
        return std::nullopt;

    return RawEntry{rest.first(secondComma).toByteArray(), *serviceId, *lcn};
}

} // namespace

ChannelList ReadChannelList(const QString &path)
{
    QFile file(path);
    if (!OpenSideFile(file))
        return {};
    return ReadChannelList(file);
}

ChannelList ReadChannelList(QIODevice &source)
{
    QList<RawEntry> found;
    bool utf8 = true;
    bool firstLine = true;
    while (found.size() < MaxChannels) {
        const std::optional<SideFileLine> line = ReadSideFileLine(source, LineLimit);
        if (!line)
            break;
        QByteArrayView bytes = line->Bytes;
        if (firstLine) {
            bytes = WithoutByteOrderMark(bytes);
            firstLine = false;
        }
        // A zero byte means the line is not text (a UTF-16 file, a damaged
        // one); it would cut the name short wherever it is shown.
        if (line->Overlong || bytes.contains('\0'))
            continue;
        utf8 = utf8 && IsValidUtf8(bytes);
        if (std::optional<RawEntry> entry = ParseChannelLine(bytes))
            found.append(std::move(*entry));
    }

    // The encoding is decided for the file as a whole, once every line that
    // was read is known.
    ChannelList channels;
    channels.reserve(found.size());
    for (const RawEntry &entry : found) {
        channels.append({utf8 ? QString::fromUtf8(entry.Name) : QString::fromLatin1(entry.Name),
                         entry.ServiceId, entry.Lcn});
    }
    return channels;
}
