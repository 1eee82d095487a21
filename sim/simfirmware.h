#pragma once

#include "hardware/hardwareprofile.h"

#include <QByteArray>
#include <QList>

#include <optional>

// The firmware transfer faults the simulated device can be told to show,
// each once, so that the tool's next attempt succeeds.
struct SimFirmwareFaults
{
    // The N-th data request of a firmware transfer (counted from 1 over the
    // device's whole run, header and checksum chunks included) is refused; 0 never.
    int failChunk = 0;
    // The end request of the first main image transfer is refused.
    bool failEnd = false;
};

// What the simulated device does with firmware: it takes the main image
// into its firmware flash block (after the image header chunk and before the
// checksum chunk where its model uses them) or, on code 121, in data blocks
// at byte offsets; the family image into its family block and the family
// version into the version record block. It checks what it receives and
// refuses the end request of a transfer that does not add up. The images
// stay; after CMD_REBOOT it runs them.
//
// A firmware image says which version it is by the tag "DEVSIM-FIRMWARE"
// followed by the version byte, anywhere in the image (a real image carries
// its version in its own way). An image without the tag leaves the version
// as it was.
class SimFirmware
{
public:
    static constexpr char VersionTag[] = "DEVSIM-FIRMWARE";

    SimFirmware(const HardwareProfile &profile, SimFirmwareFaults faults);

    // Flash area programming on the blocks firmware uses. False: refused.
    bool isFirmwareArea(int block) const;
    bool beginArea(int block);
    bool writeArea(const QByteArray &data);
    bool endArea();

    // The code-121 transfer.
    bool beginTransfer();
    bool writeBlock(quint32 offset, const QByteArray &data);
    bool endTransfer();

    // What the device runs after a reboot: the version byte and the family
    // version (the fourth identification byte) of the images it took since
    // the last reboot, or those it ran before.
    void reboot(quint8 &versionByte, quint8 &familyVersion);

    QByteArray mainImage() const { return m_mainImage; }
    QByteArray familyImage() const { return m_familyImage; }

private:
    enum class Area { None, Main, Family, VersionRecord };

    bool failsThisChunk();
    bool acceptMainImage(const QByteArray &image);
    std::optional<QByteArray> mainImageOfArea() const;

    HardwareProfile m_profile;
    SimFirmwareFaults m_faults;
    int m_dataRequests = 0;
    bool m_endFailed = false;

    Area m_area = Area::None;
    QList<QByteArray> m_chunks;
    QByteArray m_transfer;
    bool m_transferOpen = false;

    QByteArray m_mainImage;
    QByteArray m_familyImage;
    std::optional<quint8> m_nextVersion;
    std::optional<quint8> m_nextFamilyVersion;
};
