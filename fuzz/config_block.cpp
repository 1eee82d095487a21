// Decodes arbitrary bytes as the configuration record of any hardware: the
// first byte picks the hardware code, the second the firmware version byte.
// A refused record must leave the model untouched; an accepted one is
// re-encoded, and that record must decode and encode to itself.
#include "config/configcodec.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr int AcceptedCodes[] = {121, 128, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140,
                                 141, 142, 143, 144, 145, 146, 147, 148, 149, 150, 151, 152,
                                 153, 154, 155, 156, 157, 158, 159, 176, 178, 192};

ConfigModel LinkedModel(const DeviceIdentity &identity)
{
    ConfigModel model;
    model.ApplyHardwareLimits(identity.HardwareCode);
    return model;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    DeviceIdentity identity;
    identity.HardwareCode = quint8(AcceptedCodes[data[0] % std::size(AcceptedCodes)]);
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
