// Decodes arbitrary bytes as the configuration record of any hardware: the
// first byte picks the hardware code, the second the firmware version byte.
// A refused record must leave the model untouched; an accepted one is
// re-encoded, and that record must decode and encode to itself.
#include "config/configcodec.h"

#include <cstdint>
#include <cstdlib>

namespace {

ConfigModel LinkedModel(const DeviceIdentity &identity)
{
    ConfigModel model;
    model.ApplyHardwareLimits(identity.Profile());
    return model;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    DeviceIdentity identity;
    static const QList<int> acceptedCodes = HardwareProfile::AcceptedCodes();
    identity.HardwareCode = quint8(acceptedCodes[data[0] % acceptedCodes.size()]);
    identity.FirmwareVersionByte = data[1];
    const QByteArrayView record(data + 2, qsizetype(size - 2));

    ConfigModel model = LinkedModel(identity);
    const ConfigModel before = model;
    if (!DecodeConfigBlock(record, identity, model)) {
        if (!(model == before))
            std::abort();
        return 0;
    }
    if (model.ScheduleCount < 0 || model.ScheduleCount > ConfigModel::MaxScheduleEntries)
        std::abort();

    // Texts that grew on decoding may no longer fit; the encoder refuses them.
    const std::optional<QByteArray> encoded = EncodeConfigBlock(identity, model);
    if (!encoded)
        return 0;
    if (encoded->size() > ConfigBlockCapacity)
        std::abort();

    ConfigModel again = LinkedModel(identity);
    if (!DecodeConfigBlock(*encoded, identity, again))
        std::abort();
    const std::optional<QByteArray> reencoded = EncodeConfigBlock(identity, again);
    if (reencoded != encoded)
        std::abort();
    return 0;
}
