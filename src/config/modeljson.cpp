#include "config/modeljson.h"

#include "config/modelmembers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <QSet>

#include <cmath>
#include <limits>
#include <span>

namespace {

template <class Record>
using Member = ModelMember<Record>;

template <class Record>
QJsonObject MembersToJson(const Record &record, std::span<const Member<Record>> members)
{
    QJsonObject json;
    for (const Member<Record> &member : members) {
        const QString key = QLatin1String(member.Name);
        if (member.Number)
            json.insert(key, record.*member.Number);
        else if (member.UnsignedNumber)
            json.insert(key, qint64(record.*member.UnsignedNumber));
        else
            json.insert(key, record.*member.Text);
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
            const bool read = member->Text ? text(*it, record, *member, where)
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
            if (key == QLatin1String(member.Name))
                return &member;
        }
        return nullptr;
    }

    template <class Record>
    bool number(const QJsonValue &value, Record &record, const Member<Record> &member, const QString &where)
    {
        qint64 result = 0;
        if (member.Number) {
            if (!ReadInteger(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(), result))
                return fail(where, QStringLiteral("expected a 32-bit integer"));
            record.*member.Number = qint32(result);
        } else {
            if (!ReadInteger(value, 0, std::numeric_limits<quint32>::max(), result))
                return fail(where, QStringLiteral("expected an unsigned 32-bit integer"));
            record.*member.UnsignedNumber = quint32(result);
        }
        return true;
    }

    template <class Record>
    bool text(const QJsonValue &value, Record &record, const Member<Record> &member, const QString &where)
    {
        if (!value.isString())
            return fail(where, QStringLiteral("expected a string"));
        record.*member.Text = value.toString();
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
                                      ScheduleMembers(), QStringLiteral("ScheduleEntries")))
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
    QJsonObject json = MembersToJson<ConfigModel>(model, ModelMembers());
    QJsonArray mac;
    for (qint32 byte : model.Mac)
        mac.append(byte);
    json.insert(QStringLiteral("Mac"), mac);
    json.insert(QStringLiteral("ScheduleCount"), model.ScheduleCount);
    json.insert(QStringLiteral("Mux"),
                ArrayToJson<MuxSettings>(model.Mux, ConfigModel::MaxMuxes, MuxMembers()));
    json.insert(QStringLiteral("Service"),
                ArrayToJson<ServiceSettings>(model.Service, ConfigModel::MaxServices, ServiceMembers()));
    json.insert(QStringLiteral("ScheduleEntries"),
                ArrayToJson<ScheduleEntry>(model.ScheduleEntries, model.ValidScheduleEntries(),
                                           ScheduleMembers()));
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
    const bool applied = overlay.members<ConfigModel>(json, overlaid, ModelMembers(), {}, compound)
        && (!json.contains(QStringLiteral("Mac")) || ApplyMac(json.value(QStringLiteral("Mac")), overlaid, overlay))
        && (!json.contains(QStringLiteral("Mux"))
            || overlay.array<MuxSettings>(json.value(QStringLiteral("Mux")), overlaid.Mux,
                                          ConfigModel::MaxMuxes, MuxMembers(), QStringLiteral("Mux")))
        && (!json.contains(QStringLiteral("Service"))
            || overlay.array<ServiceSettings>(json.value(QStringLiteral("Service")), overlaid.Service,
                                              ConfigModel::MaxServices, ServiceMembers(),
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
