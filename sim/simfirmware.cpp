#include "simfirmware.h"

namespace {

quint32 Le32(const QByteArray &bytes, int at)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | quint8(bytes[at + i]);
    return value;
}

quint32 ByteSum(const QByteArray &bytes)
{
    quint32 sum = 0;
    for (const char byte : bytes)
        sum += quint8(byte);
    return sum;
}

std::optional<quint8> TaggedVersion(const QByteArray &image)
{
    const QByteArray tag(SimFirmware::VersionTag);
    const qsizetype at = image.indexOf(tag);
    if (at < 0 || at + tag.size() >= image.size())
        return std::nullopt;
    return quint8(image[at + tag.size()]);
}

} // namespace

SimFirmware::SimFirmware(const HardwareProfile &profile, SimFirmwareFaults faults)
    : m_profile(profile), m_faults(faults)
{
}

bool SimFirmware::isFirmwareArea(int block) const
{
    return block == m_profile.FirmwareFlashBlock()
           || (m_profile.ChecksFamilyFirmware() && block == m_profile.FamilyFlashBlock())
           || block == m_profile.FamilyVersionRecordBlock();
}

bool SimFirmware::beginArea(int block)
{
    if (block == m_profile.FirmwareFlashBlock())
        m_area = Area::Main;
    else if (block == m_profile.FamilyVersionRecordBlock())
        m_area = Area::VersionRecord;
    else
        m_area = Area::Family;
    m_chunks.clear();
    return true;
}

bool SimFirmware::failsThisChunk()
{
    return ++m_dataRequests == m_faults.failChunk;
}

bool SimFirmware::writeArea(const QByteArray &data)
{
    if (m_area == Area::None || (m_area != Area::VersionRecord && failsThisChunk())) {
        m_area = Area::None;
        return false;
    }
    m_chunks << data;
    return true;
}

std::optional<QByteArray> SimFirmware::mainImageOfArea() const
{
    qsizetype first = 0;
    qsizetype last = m_chunks.size();
    std::optional<quint32> declaredSize;
    if (m_profile.FirmwareNeedsImageHeader()) {
        // Its own request of 8 bytes: 50 46 5A 4A, then the image size.
        if (m_chunks.isEmpty() || m_chunks.first().size() != 8
            || !m_chunks.first().startsWith(QByteArray::fromHex("50465A4A")))
            return std::nullopt;
        declaredSize = Le32(m_chunks.first(), 4);
        first = 1;
    }
    std::optional<quint32> declaredSum;
    if (m_profile.FirmwareSendsChecksum()) {
        // Its own request of 4 bytes after the image.
        if (last - first < 2 || m_chunks.last().size() != 4)
            return std::nullopt;
        declaredSum = Le32(m_chunks.last(), 0);
        --last;
    }
    QByteArray image;
    for (qsizetype i = first; i < last; ++i)
        image += m_chunks[i];
    if (image.isEmpty() || (declaredSize && *declaredSize != quint32(image.size()))
        || (declaredSum && *declaredSum != ByteSum(image)))
        return std::nullopt;
    return image;
}

bool SimFirmware::acceptMainImage(const QByteArray &image)
{
    if (m_faults.failEnd && !m_endFailed) {
        m_endFailed = true;
        return false;
    }
    m_mainImage = image;
    if (const std::optional<quint8> version = TaggedVersion(image))
        m_nextVersion = version;
    return true;
}

bool SimFirmware::endArea()
{
    const Area area = m_area;
    m_area = Area::None;
    QByteArray data;
    for (const QByteArray &chunk : std::as_const(m_chunks))
        data += chunk;
    switch (area) {
    case Area::Main: {
        const std::optional<QByteArray> image = mainImageOfArea();
        return image && acceptMainImage(*image);
    }
    case Area::Family:
        if (data.isEmpty())
            return false;
        m_familyImage = data;
        if (const std::optional<quint8> version = TaggedVersion(data))
            m_nextFamilyVersion = version;
        return true;
    case Area::VersionRecord:
        if (data.size() != 1)
            return false;
        m_nextFamilyVersion = quint8(data[0]);
        return true;
    case Area::None:
        break;
    }
    return false;
}

bool SimFirmware::beginTransfer()
{
    m_transfer.clear();
    m_transferOpen = true;
    return true;
}

bool SimFirmware::writeBlock(quint32 offset, const QByteArray &data)
{
    // Blocks come in order, each at the offset where the one before ended.
    if (!m_transferOpen || failsThisChunk() || offset != quint32(m_transfer.size())) {
        m_transferOpen = false;
        return false;
    }
    m_transfer += data;
    return true;
}

bool SimFirmware::endTransfer()
{
    const bool open = m_transferOpen;
    m_transferOpen = false;
    return open && !m_transfer.isEmpty() && acceptMainImage(m_transfer);
}

void SimFirmware::reboot(quint8 &versionByte, quint8 &familyVersion)
{
    if (m_nextVersion)
        versionByte = *m_nextVersion;
    if (m_nextFamilyVersion)
        familyVersion = *m_nextFamilyVersion;
    m_nextVersion.reset();
    m_nextFamilyVersion.reset();
}
