#include "config/devicestatus.h"

#include "auxiliary/devicecharmap.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace {

// Reads the little-endian numbers and zero-terminated texts of a reply from
// front to back. A read that would pass the end reads nothing and fails.
class ReplyReader
{
public:
    explicit ReplyReader(QByteArrayView reply) : m_reply(reply) {}

    // Whether anything is left before the end of the reply.
    bool dataRemains() const { return m_position < m_reply.size(); }

    bool byte(quint8 &value) { return number(value, 1); }
    bool uint16(quint16 &value) { return number(value, 2); }
    bool uint32(quint32 &value) { return number(value, 4); }
    bool text(QString &value) { return DecodeDeviceText(m_reply, m_position, value); }

private:
    template <class Number>
    bool number(Number &value, int width)
    {
        if (m_reply.size() - m_position < width)
            return false;
        Number result = 0;
        for (int i = 0; i < width; ++i)
            result |= Number(quint8(m_reply[m_position + i])) << (8 * i);
        value = result;
        m_position += width;
        return true;
    }

    QByteArrayView m_reply;
    int m_position = 0;
};

// A count byte of 255 stands for "none" in both file lists.
constexpr quint8 NoFilesCount = 255;

// Reads count names; the first MaxFileNames are kept and joined into the
// key, the rest are read only to reach the fields behind them.
bool ReadFileNames(ReplyReader &reader, int count, QStringList &names, QString &key)
{
    names.clear();
    for (int k = 0; k < count; ++k) {
        QString name;
        if (!reader.text(name))
            return false;
        if (names.size() < DeviceStatus::MaxFileNames)
            names.append(name);
    }
    key = names.join(QLatin1Char('_'));
    return true;
}

bool ReadInput(ReplyReader &reader, DeviceStatus &status, int s)
{
    return reader.uint16(status.InputPresent[s]) && reader.uint16(status.InputLines[s])
        && reader.byte(status.InputProgressive[s]) && reader.byte(status.InputFrameRate[s])
        && reader.byte(status.InputAudioAc3[s]) && reader.byte(status.InputPlayerState[s]);
}

bool ReadClock(ReplyReader &reader, DeviceDateTime &clock)
{
    return reader.uint16(clock.Year) && reader.byte(clock.Month) && reader.byte(clock.Day)
        && reader.byte(clock.Hour) && reader.byte(clock.Minute) && reader.byte(clock.Second);
}

// The fields of the reply in order, onto status; false when the reply ends
// inside a field.
bool ReadStatus(ReplyReader &reader, const StatusReplyFormat &format, DeviceStatus &status)
{
    const int services = std::clamp(format.ServiceCount, 0, DeviceStatus::MaxInputs);
    for (int s = 0; s < services; ++s) {
        if (!ReadInput(reader, status, s))
            return false;
    }

    status.AutoModeCode = 0;
    if (format.HasAutoMode && !reader.byte(status.AutoModeCode))
        return false;

    quint8 mediaCount = 0;
    if (!reader.byte(mediaCount))
        return false;
    status.StoragePresent = mediaCount == NoFilesCount ? 0 : 1;
    const int names = mediaCount == NoFilesCount ? 0 : mediaCount;
    if (!ReadFileNames(reader, names, status.MediaFiles, status.MediaFilesKey))
        return false;

    // From here on a reply may end before any field; what it leaves out
    // keeps the values of the previous poll.
    if (reader.dataRemains() && !ReadClock(reader, status.DeviceClock))
        return false;

    if (format.HasLogoList) {
        // Without a logo count the bitrates cannot follow either.
        quint8 logoCount = 0;
        if (!reader.byte(logoCount))
            return true;
        if (logoCount != NoFilesCount)
            status.StoragePresent = 1;
        const int logos = logoCount == NoFilesCount ? 0 : logoCount;
        if (!ReadFileNames(reader, logos, status.LogoFiles, status.LogoFilesKey))
            return false;
    }

    const int muxes = std::clamp(format.MuxCount, 0, DeviceStatus::MaxMuxes);
    if (reader.dataRemains()) {
        for (int j = 0; j < muxes; ++j) {
            if (!reader.uint32(status.MuxAvailableBps[j]) || !reader.uint32(status.MuxUsedKbps[j]))
                return false;
        }
    }
    return true;
}

template <class Array>
QJsonArray ToJsonArray(const Array &values)
{
    QJsonArray array;
    for (const auto value : values)
        array.append(qint64(value));
    return array;
}

} // namespace

bool DecodeStatusReply(QByteArrayView reply, const StatusReplyFormat &format, DeviceStatus &status)
{
    // Decoded into a copy: a reply that breaks off half way must not leave
    // the inputs of this poll mixed with the lists of the previous one.
    DeviceStatus decoded = status;
    ReplyReader reader(reply);
    if (!ReadStatus(reader, format, decoded))
        return false;
    status = std::move(decoded);
    return true;
}

StatusChanges ApplyStatusChanges(const DeviceStatus &polled, DeviceStatus &last)
{
    StatusChanges changes;
    changes.Inputs = polled.InputPresent != last.InputPresent || polled.InputLines != last.InputLines
        || polled.InputProgressive != last.InputProgressive || polled.InputFrameRate != last.InputFrameRate
        || polled.InputAudioAc3 != last.InputAudioAc3 || polled.InputPlayerState != last.InputPlayerState;
    changes.MediaList = polled.MediaFilesKey != last.MediaFilesKey || polled.MediaFiles != last.MediaFiles;
    changes.LogoList = polled.LogoFilesKey != last.LogoFilesKey || polled.LogoFiles != last.LogoFiles;
    changes.AutoMode = polled.AutoModeCode != last.AutoModeCode;
    changes.Storage = polled.StoragePresent != last.StoragePresent;
    if (!changes.any())
        return changes;

    last.InputPresent = polled.InputPresent;
    last.InputLines = polled.InputLines;
    last.InputProgressive = polled.InputProgressive;
    last.InputFrameRate = polled.InputFrameRate;
    last.InputAudioAc3 = polled.InputAudioAc3;
    last.InputPlayerState = polled.InputPlayerState;
    last.MediaFiles = polled.MediaFiles;
    last.MediaFilesKey = polled.MediaFilesKey;
    last.LogoFiles = polled.LogoFiles;
    last.LogoFilesKey = polled.LogoFilesKey;
    last.AutoModeCode = polled.AutoModeCode;
    last.StoragePresent = polled.StoragePresent;
    return changes;
}

void MarkInputsUnreported(DeviceStatus &last, int serviceCount)
{
    const int services = std::clamp(serviceCount, 0, DeviceStatus::MaxInputs);
    for (int s = 0; s < services; ++s)
        last.InputPresent[s] = DeviceStatus::UnreportedInput;
}

QJsonObject StatusToJson(const DeviceStatus &status)
{
    const DeviceDateTime &clock = status.DeviceClock;
    return {
        {QStringLiteral("MuxAvailableBps"), ToJsonArray(status.MuxAvailableBps)},
        {QStringLiteral("MuxUsedKbps"), ToJsonArray(status.MuxUsedKbps)},
        {QStringLiteral("InputPresent"), ToJsonArray(status.InputPresent)},
        {QStringLiteral("InputLines"), ToJsonArray(status.InputLines)},
        {QStringLiteral("InputProgressive"), ToJsonArray(status.InputProgressive)},
        {QStringLiteral("InputFrameRate"), ToJsonArray(status.InputFrameRate)},
        {QStringLiteral("InputAudioAc3"), ToJsonArray(status.InputAudioAc3)},
        {QStringLiteral("InputPlayerState"), ToJsonArray(status.InputPlayerState)},
        {QStringLiteral("StoragePresent"), status.StoragePresent},
        {QStringLiteral("MediaFiles"), QJsonArray::fromStringList(status.MediaFiles)},
        {QStringLiteral("MediaFilesKey"), status.MediaFilesKey},
        {QStringLiteral("AutoModeCode"), status.AutoModeCode},
        {QStringLiteral("DeviceClock"),
         QJsonObject{
             {QStringLiteral("Year"), clock.Year},
             {QStringLiteral("Month"), clock.Month},
             {QStringLiteral("Day"), clock.Day},
             {QStringLiteral("Hour"), clock.Hour},
             {QStringLiteral("Minute"), clock.Minute},
             {QStringLiteral("Second"), clock.Second},
         }},
        {QStringLiteral("LogoFiles"), QJsonArray::fromStringList(status.LogoFiles)},
        {QStringLiteral("LogoFilesKey"), status.LogoFilesKey},
    };
}

QByteArray StatusToJsonDocument(const DeviceStatus &status)
{
    return QJsonDocument(StatusToJson(status)).toJson(QJsonDocument::Compact);
}
