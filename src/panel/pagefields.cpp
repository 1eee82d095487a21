#include "panel/pagefields.h"

#include <algorithm>
#include <limits>

namespace {

bool IsScanSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

bool IsDecimalDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

qsizetype SkipSpace(QStringView text)
{
    qsizetype at = 0;
    while (at < text.size() && IsScanSpace(text[at]))
        ++at;
    return at;
}

// The digits from at on, saturated at limit; none when there is no digit.
std::optional<quint64> ReadDigits(QStringView text, qsizetype at, quint64 limit)
{
    if (at >= text.size() || !IsDecimalDigit(text[at]))
        return std::nullopt;
    quint64 value = 0;
    for (; at < text.size() && IsDecimalDigit(text[at]); ++at) {
        value = value * 10 + quint64(text[at].unicode() - u'0');
        if (value > limit)
            value = limit;
    }
    return value;
}

} // namespace

std::optional<quint32> ParseUnsignedField(QStringView text)
{
    const std::optional<quint64> value = ReadDigits(text, SkipSpace(text), std::numeric_limits<quint32>::max());
    if (!value)
        return std::nullopt;
    return quint32(*value);
}

std::optional<qint32> ParseSignedField(QStringView text)
{
    qsizetype at = SkipSpace(text);
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        negative = text[at] == u'-';
        ++at;
    }
    const quint64 limit = negative ? quint64(std::numeric_limits<qint32>::max()) + 1
                                   : quint64(std::numeric_limits<qint32>::max());
    const std::optional<quint64> magnitude = ReadDigits(text, at, limit);
    if (!magnitude)
        return std::nullopt;
    return negative ? qint32(-qint64(*magnitude)) : qint32(*magnitude);
}


qint32 UnsignedInRange(QStringView text, quint32 min, quint32 max, qint32 substitute)
{
    const std::optional<quint32> value = ParseUnsignedField(text);
    if (!value || *value < min || *value > max)
        return substitute;
    return qint32(*value);
}

qint32 SignedInRange(QStringView text, qint32 min, qint32 max, qint32 substitute)
{
    const std::optional<qint32> value = ParseSignedField(text);
    if (!value || *value < min || *value > max)
        return substitute;
    return *value;
}

qint32 FieldValue(QStringView text, const MemberRange &range)
{
    if (range.Signed)
        return SignedInRange(text, qint32(range.Minimum), qint32(range.Maximum), range.Substitute);
    return UnsignedInRange(text, quint32(range.Minimum), quint32(range.Maximum), range.Substitute);
}

QString CutToLength(const QString &text, int maxLength)
{
    return text.left(maxLength);
}

qint32 SelectedOr(int selectedIndex, qint32 current)
{
    return selectedIndex >= 0 ? selectedIndex : current;
}

int BoundedIndex(int index, int count)
{
    return std::clamp(index, 0, std::max(count, 1) - 1);
}

qint32 *BoundNumber(const FieldBinding &binding, ConfigModel &model, int record)
{
    if (binding.Number)
        return &(model.*binding.Number);
    if (binding.MuxNumber)
        return &(model.Mux[BoundedIndex(record, ConfigModel::MaxMuxes)].*binding.MuxNumber);
    if (binding.ServiceNumber)
        return &(model.Service[BoundedIndex(record, ConfigModel::MaxServices)].*binding.ServiceNumber);
    return nullptr;
}

const qint32 *BoundNumber(const FieldBinding &binding, const ConfigModel &model, int record)
{
    return BoundNumber(binding, const_cast<ConfigModel &>(model), record);
}

QString *BoundText(const FieldBinding &binding, ConfigModel &model, int record)
{
    if (binding.Text)
        return &(model.*binding.Text);
    if (binding.ServiceText)
        return &(model.Service[BoundedIndex(record, ConfigModel::MaxServices)].*binding.ServiceText);
    return nullptr;
}

const QString *BoundText(const FieldBinding &binding, const ConfigModel &model, int record)
{
    return BoundText(binding, const_cast<ConfigModel &>(model), record);
}

void StoreTyped(const FieldBinding &binding, QStringView typed, ConfigModel &model, int record,
                const HardwareProfile &profile)
{
    if (qint32 *number = BoundNumber(binding, model, record)) {
        MemberRange range;
        if (binding.Number)
            range = RangeOf(binding.Number, model, profile);
        else if (binding.MuxNumber)
            range = RangeOf(binding.MuxNumber, model, profile);
        else
            range = RangeOf(binding.ServiceNumber, model, profile);
        *number = FieldValue(typed, range);
    } else if (QString *text = BoundText(binding, model, record)) {
        *text = CutToLength(typed.toString(),
                            binding.Text ? LengthOf(binding.Text) : LengthOf(binding.ServiceText));
    }
}
