#include "config/modeljson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <QSet>

#include <cmath>
#include <limits>
#include <span>

namespace {

// One member of a record type, by name: a signed or unsigned 32-bit number
// or a text.
template <class Record>
struct Member
{
    const char *name;
    qint32 Record::*number = nullptr;
    quint32 Record::*unsignedNumber = nullptr;
    QString Record::*text = nullptr;
};

template <class Record>
constexpr Member<Record> Number(const char *name, qint32 Record::*member)
{
    return {name, member, nullptr, nullptr};
}

template <class Record>
constexpr Member<Record> Unsigned(const char *name, quint32 Record::*member)
{
    return {name, nullptr, member, nullptr};
}

template <class Record>
constexpr Member<Record> Text(const char *name, QString Record::*member)
{
    return {name, nullptr, nullptr, member};
}

using M = ConfigModel;
const Member<M> ModelMembers[] = {
    Text("Reference", &M::Reference),
    Number("DefaultCountry", &M::DefaultCountry),
    Number("CountryCopy", &M::CountryCopy),
    Number("NitVersion", &M::NitVersion),
    Number("NetworkId", &M::NetworkId),
    Number("OriginalNetworkId", &M::OriginalNetworkId),
    Text("NetworkName", &M::NetworkName),
    Number("LcnIdType", &M::LcnIdType),
    Number("HdLcn", &M::HdLcn),
    Number("LcnCountry", &M::LcnCountry),
    Number("IpProtocol", &M::IpProtocol),
    Number("Ttl", &M::Ttl),
    Number("AudioInput", &M::AudioInput),
    Number("VideoInput", &M::VideoInput),
    Number("VideoCodec", &M::VideoCodec),
    Number("StrictCbr", &M::StrictCbr),
    Number("AllowVbr", &M::AllowVbr),
    Number("H264Profile", &M::H264Profile),
    Number("PcmVolume", &M::PcmVolume),
    Number("IrFrequency", &M::IrFrequency),
    Number("Mode4K", &M::Mode4K),
    Number("Hdcp", &M::Hdcp),
    Number("HardwareType", &M::HardwareType),
    Number("CapabilityUsb", &M::CapabilityUsb),
    Number("CapabilityIr", &M::CapabilityIr),
    Number("Capability4K", &M::Capability4K),
    Text("LogoName", &M::LogoName),
    Number("Dhcp", &M::Dhcp),
    Text("DeviceIp", &M::DeviceIp),
    Text("DeviceMask", &M::DeviceMask),
    Text("DeviceGateway", &M::DeviceGateway),
    Text("MediaFileName", &M::MediaFileName),
    Text("OverlayLogoFile", &M::OverlayLogoFile),
    Number("OverlayLogoPosition", &M::OverlayLogoPosition),
    Number("OverlayLogoX", &M::OverlayLogoX),
    Number("OverlayLogoY", &M::OverlayLogoY),
    Number("MuxSpare", &M::MuxSpare),
    Number("EncoderSpare1", &M::EncoderSpare1),
    Number("EncoderSpare2", &M::EncoderSpare2),
    Number("EncoderSpare3", &M::EncoderSpare3),
    Number("OutputSpare1", &M::OutputSpare1),
    Number("OutputSpare2", &M::OutputSpare2),
    Number("CodecSpare", &M::CodecSpare),
    Number("MediaSpare", &M::MediaSpare),
    Number("NitSpare", &M::NitSpare),
    Number("NetSpare1", &M::NetSpare1),
    Number("NetSpare2", &M::NetSpare2),
    Text("ExtraText1", &M::ExtraText1),
    Text("ExtraText2", &M::ExtraText2),
    Text("NetText1", &M::NetText1),
    Text("NetText2", &M::NetText2),
};

using X = MuxSettings;
const Member<X> MuxMembers[] = {
    Number("Mode", &X::Mode),
    Number("TsId", &X::TsId),
    Number("FreqKHz", &X::FreqKHz),
    Number("Bandwidth", &X::Bandwidth),
    Number("TxMode", &X::TxMode),
    Number("TConstellation", &X::TConstellation),
    Number("Fec", &X::Fec),
    Number("Guard", &X::Guard),
    Number("LevelAttDb", &X::LevelAttDb),
    Number("CConstellation", &X::CConstellation),
    Number("SymbolRate", &X::SymbolRate),
};

using S = ServiceSettings;
const Member<S> ServiceMembers[] = {
    Number("ServiceId", &S::ServiceId),
    Number("Lcn", &S::Lcn),
    Text("ServiceName", &S::ServiceName),
    Number("PmtPid", &S::PmtPid),
    Number("VideoPid", &S::VideoPid),
    Number("AudioPid", &S::AudioPid),
    Number("VideoBitrate", &S::VideoBitrate),
    Number("AudioBitrate", &S::AudioBitrate),
    Number("AudioCodec", &S::AudioCodec),
    Number("AudioDelayMs", &S::AudioDelayMs),
    Number("VideoPercent", &S::VideoPercent),
    Text("EitName", &S::EitName),
    Text("EitText", &S::EitText),
    Number("AitEnabled", &S::AitEnabled),
    Number("AitVersion", &S::AitVersion),
    Number("AitPid", &S::AitPid),
    Number("AitControlCode", &S::AitControlCode),
    Number("AitOrgId", &S::AitOrgId),
    Text("AitRoot", &S::AitRoot),
    Text("AitPath", &S::AitPath),
    Text("AitName", &S::AitName),
    Text("IpAddress", &S::IpAddress),
    Number("IpPort", &S::IpPort),
};

using E = ScheduleEntry;
const Member<E> ScheduleMembers[] = {
    Unsigned("StartDate", &E::StartDate),
    Unsigned("StopDate", &E::StopDate),
    Unsigned("StartTime", &E::StartTime),
    Unsigned("StopTime", &E::StopTime),
    Unsigned("WeekMask", &E::WeekMask),
    Unsigned("Action", &E::Action),
    Text("File", &E::File),
};

template <class Record>
QJsonObject MembersToJson(const Record &record, std::span<const Member<Record>> members)
{
    QJsonObject json;
    for (const Member<Record> &member : members) {
        const QString key = QLatin1String(member.name);
        if (member.number)
            json.insert(key, record.*member.number);
        else if (member.unsignedNumber)
            json.insert(key, qint64(record.*member.unsignedNumber));
        else
            json.insert(key, record.*member.text);
    }
    return json;
}

template <class Record, std::size_t Size>
QJsonArray ArrayToJson(const std::array<Record, Size> &elements, int count,
                       std::span<const Member<Record>> members)
{
    QJsonArray array;
    for (int i = 0; i < count; ++i)
        array.append(MembersToJson<Record>(elements[i], members));
    return array;
}

// Reads an integer within [minimum, maximum]; JSON numbers are doubles, so a
// fraction or a value beyond the range is refused rather than rounded.
bool ReadInteger(const QJsonValue &value, qint64 minimum, qint64 maximum, qint64 &result)
{
    if (!value.isDouble())
        return false;
    const double number = value.toDouble();
    if (std::trunc(number) != number || number < double(minimum) || number > double(maximum))
        return false;
    result = qint64(number);
    return true;
}

// Collects the first refusal while the overlay walks the JSON.
class Overlay
{
public:
    QString error;

    bool fail(const QString &path, const QString &what)
    {
        error = QStringLiteral("%1: %2").arg(path, what);
        return false;
    }

    template <class Record>
    bool members(const QJsonObject &json, Record &record, std::span<const Member<Record>> members,
                 const QString &path, const QSet<QString> &handledElsewhere = {})
    {
        for (auto it = json.begin(); it != json.end(); ++it) {
            if (handledElsewhere.contains(it.key()))
                continue;
            const Member<Record> *member = find(members, it.key());
            const QString where = path.isEmpty() ? it.key() : path + QLatin1Char('.') + it.key();
            if (!member)
                return fail(where, QStringLiteral("unknown member"));
            const bool read = member->text ? text(*it, record, *member, where)
                                           : number(*it, record, *member, where);
            if (!read)
                return false;
        }
        return true;
    }

    // Overlays each object of the array on the element of the same index.
    template <class Record, std::size_t Size>
    bool array(const QJsonValue &value, std::array<Record, Size> &elements, std::size_t limit,
               std::span<const Member<Record>> members, const QString &path)
    {
        if (!value.isArray())
            return fail(path, QStringLiteral("expected an array"));
        const QJsonArray array = value.toArray();
        if (std::size_t(array.size()) > limit)
            return fail(path, QStringLiteral("more than %1 elements").arg(limit));
        for (qsizetype i = 0; i < array.size(); ++i) {
            const QString where = QStringLiteral("%1[%2]").arg(path).arg(i);
            if (!array[i].isObject())
                return fail(where, QStringLiteral("expected an object"));
            if (!this->members(array[i].toObject(), elements[std::size_t(i)], members, where))
                return false;
        }
        return true;
    }

private:
    template <class Record>
    static const Member<Record> *find(std::span<const Member<Record>> members, const QString &key)
    {
        for (const Member<Record> &member : members) {
            if (key == QLatin1String(member.name))
                return &member;
        }
        return nullptr;
    }

    template <class Record>
    bool number(const QJsonValue &value, Record &record, const Member<Record> &member, const QString &where)
    {
        qint64 result = 0;
        if (member.number) {
            if (!ReadInteger(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(), result))
                return fail(where, QStringLiteral("expected a 32-bit integer"));
            record.*member.number = qint32(result);
        } else {
            if (!ReadInteger(value, 0, std::numeric_limits<quint32>::max(), result))
                return fail(where, QStringLiteral("expected an unsigned 32-bit integer"));
            record.*member.unsignedNumber = quint32(result);
        }
        return true;
    }

    template <class Record>
    bool text(const QJsonValue &value, Record &record, const Member<Record> &member, const QString &where)
    {
        if (!value.isString())
            return fail(where, QStringLiteral("expected a string"));
        record.*member.text = value.toString();
        return true;
    }
};

bool ApplyMac(const QJsonValue &value, ConfigModel &model, Overlay &overlay)
{
    const QJsonArray bytes = value.toArray();
    if (!value.isArray() || bytes.size() != int(model.Mac.size()))
        return overlay.fail(QStringLiteral("Mac"), QStringLiteral("expected an array of 6 integers"));
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        qint64 byte = 0;
        if (!ReadInteger(bytes[i], 0, 255, byte))
            return overlay.fail(QStringLiteral("Mac[%1]").arg(i), QStringLiteral("expected an integer 0..255"));
        model.Mac[std::size_t(i)] = qint32(byte);
    }
    return true;
}

// ScheduleEntries holds the valid entries, so it also sets ScheduleCount; a
// ScheduleCount given beside it must agree.
bool ApplySchedule(const QJsonObject &json, ConfigModel &model, Overlay &overlay)
{
    const QJsonValue entries = json.value(QStringLiteral("ScheduleEntries"));
    const QJsonValue count = json.value(QStringLiteral("ScheduleCount"));
    qint64 givenCount = -1;
    if (!count.isUndefined() && !ReadInteger(count, 0, ConfigModel::MaxScheduleEntries, givenCount))
        return overlay.fail(QStringLiteral("ScheduleCount"), QStringLiteral("expected an integer 0..10"));
    if (entries.isUndefined()) {
        if (givenCount >= 0)
            model.ScheduleCount = qint32(givenCount);
        return true;
    }
    if (!overlay.array<ScheduleEntry>(entries, model.ScheduleEntries, ConfigModel::MaxScheduleEntries,
                                      ScheduleMembers, QStringLiteral("ScheduleEntries")))
        return false;
    const qint32 entryCount = qint32(entries.toArray().size());
    if (givenCount >= 0 && givenCount != entryCount)
        return overlay.fail(QStringLiteral("ScheduleCount"),
                            QStringLiteral("differs from the number of ScheduleEntries"));
    model.ScheduleCount = entryCount;
    return true;
}

} // namespace

QJsonObject ModelToJson(const ConfigModel &model)
{
    QJsonObject json = MembersToJson<ConfigModel>(model, ModelMembers);
    QJsonArray mac;
    for (qint32 byte : model.Mac)
        mac.append(byte);
    json.insert(QStringLiteral("Mac"), mac);
    json.insert(QStringLiteral("ScheduleCount"), model.ScheduleCount);
    json.insert(QStringLiteral("Mux"),
                ArrayToJson<MuxSettings>(model.Mux, ConfigModel::MaxMuxes, MuxMembers));
    json.insert(QStringLiteral("Service"),
                ArrayToJson<ServiceSettings>(model.Service, ConfigModel::MaxServices, ServiceMembers));
    json.insert(QStringLiteral("ScheduleEntries"),
                ArrayToJson<ScheduleEntry>(model.ScheduleEntries, model.ValidScheduleEntries(),
                                           ScheduleMembers));
    return json;
}

QByteArray ModelToJsonDocument(const ConfigModel &model)
{
    return QJsonDocument(ModelToJson(model)).toJson(QJsonDocument::Compact);
}

bool ApplyModelJson(const QJsonObject &json, ConfigModel &model, QString &error)
{
    static const QSet<QString> compound = {
        QStringLiteral("Mac"), QStringLiteral("Mux"), QStringLiteral("Service"),
        QStringLiteral("ScheduleCount"), QStringLiteral("ScheduleEntries"),
    };
    ConfigModel overlaid = model;
    Overlay overlay;
    const bool applied = overlay.members<ConfigModel>(json, overlaid, ModelMembers, {}, compound)
        && (!json.contains(QStringLiteral("Mac")) || ApplyMac(json.value(QStringLiteral("Mac")), overlaid, overlay))
        && (!json.contains(QStringLiteral("Mux"))
            || overlay.array<MuxSettings>(json.value(QStringLiteral("Mux")), overlaid.Mux,
                                          ConfigModel::MaxMuxes, MuxMembers, QStringLiteral("Mux")))
        && (!json.contains(QStringLiteral("Service"))
            || overlay.array<ServiceSettings>(json.value(QStringLiteral("Service")), overlaid.Service,
                                              ConfigModel::MaxServices, ServiceMembers,
                                              QStringLiteral("Service")))
        && ApplySchedule(json, overlaid, overlay);
    if (!applied) {
        error = overlay.error;
        return false;
    }
    model = overlaid;
    return true;
}

bool ParseModelJson(const QByteArray &document, QJsonObject &json, QString &error)
{
    QJsonParseError parseError;
    const QJsonDocument parsed = QJsonDocument::fromJson(document, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = QStringLiteral("not valid JSON at offset %1: %2")
                    .arg(parseError.offset)
                    .arg(parseError.errorString());
        return false;
    }
    if (!parsed.isObject()) {
        error = QStringLiteral("the JSON document must hold one object");
        return false;
    }
    // The checks do not depend on the model overlaid.
    ConfigModel scratch;
    if (!ApplyModelJson(parsed.object(), scratch, error))
        return false;
    json = parsed.object();
    return true;
}
