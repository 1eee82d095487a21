// The model JSON reader of "config set" and "encode" on any document: the
// first byte picks the hardware, the rest is the file. A document the reader
// takes must overlay the model, a refused one must leave it as it was, the
// overlaid model must encode (or be refused for its length) without harm,
// and the JSON printed for it must read back to the same JSON.
#include "config/configcodec.h"
#include "config/modeljson.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr int AcceptedCodes[] = {121, 128, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140,
                                 141, 142, 143, 144, 145, 146, 147, 148, 149, 150, 151, 152,
                                 153, 154, 155, 156, 157, 158, 159, 176, 178, 192};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    DeviceIdentity identity;
    identity.HardwareCode = quint8(AcceptedCodes[data[0] % std::size(AcceptedCodes)]);
    identity.FirmwareVersionByte = 15;
    const QByteArray document(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    ConfigModel model;
    model.ApplyHardwareLimits(identity.Profile());
    const ConfigModel before = model;
    QJsonObject json;
    QString error;
    const bool parsed = ParseModelJson(document, json, error);
    const bool applied = parsed && ApplyModelJson(json, model, error);
    if (parsed != applied || (!applied && !(model == before)) || (!applied && error.isEmpty()))
        std::abort();
    if (!applied)
        return 0;

    const QByteArray printed = ModelToJsonDocument(model);
    QJsonObject again;
    ConfigModel reread = before;
    if (!ParseModelJson(printed, again, error) || !ApplyModelJson(again, reread, error)
        || ModelToJsonDocument(reread) != printed)
        std::abort();

    const std::optional<QByteArray> record = EncodeConfigBlock(identity, model);
    if (record && (record->isEmpty() || record->size() > ConfigBlockCapacity))
        std::abort();
    return 0;
}
