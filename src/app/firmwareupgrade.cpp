#include "app/firmwareupgrade.h"

#include "app/modellabel.h"
#include "auxiliary/statusstrip.h"
#include "auxiliary/texttable.h"
#include "hardware/hardwareprofile.h"
#include "link/cxmit.h"
#include "link/deviceoperations.h"

#include <algorithm>

namespace {

// The image header chunk: these four bytes, then the image size as a 32-bit
// little-endian number.
constexpr char FirmwareImageMagic[4] = {'\x50', '\x46', '\x5A', '\x4A'};
// Family images go in flash data requests of this size.
constexpr int FamilyChunkSize = 512;
// The device's fourth identification byte when it holds no valid family firmware.
constexpr int NoFamilyFirmware = 255;
constexpr int UpgradeOfferShownMs = 10000;
constexpr int RebootingShownMs = 1000;
constexpr int WriteErrorShownMs = 5000;

void AppendLe32(QByteArray &out, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xFF));
}

QByteArray ImageHeaderChunk(int imageSize)
{
    QByteArray chunk(FirmwareImageMagic, sizeof FirmwareImageMagic);
    AppendLe32(chunk, quint32(imageSize));
    return chunk;
}

QByteArray ChecksumChunk(const QByteArray &image)
{
    quint32 sum = 0;
    for (const char byte : image)
        sum += quint8(byte);
    QByteArray chunk;
    AppendLe32(chunk, sum);
    return chunk;
}

// "upgrade to release " and the version, as "%s %d" or, where the version
// holds major x 10 + minor, "%s %d.%d".
QString ReleaseText(bool versionHoldsMinor, int version)
{
    const QString release = GetText(TXT_UPGRADE_TO_RELEASE) + QLatin1Char(' ');
    if (versionHoldsMinor)
        return release + QStringLiteral("%1.%2").arg(version / 10).arg(version % 10);
    return release + QString::number(version);
}

// The view's window takes no input for as long as this lives.
class InputDisabled
{
public:
    explicit InputDisabled(FirmwareUpgradeView &view) : m_view(view) { m_view.EnableMainWindow(false); }
    ~InputDisabled() { m_view.EnableMainWindow(true); }
    InputDisabled(const InputDisabled &) = delete;
    InputDisabled &operator=(const InputDisabled &) = delete;

private:
    FirmwareUpgradeView &m_view;
};

} // namespace

FirmwareUpgrade::FirmwareUpgrade(CXmit &xmit, StatusStrip &strip, FirmwareUpgradeView &view, QString firmwareFolder)
    : m_xmit(xmit), m_strip(strip), m_view(view), m_folder(std::move(firmwareFolder))
{
}

FirmwareImage FirmwareUpgrade::find(const QString &label, bool mainImage)
{
    const HardwareProfile profile = m_xmit.Identity.Profile();
    const WithdrawnVersion withdrawn =
        mainImage ? WithdrawnVersion([profile](int version) { return profile.IsWithdrawnFirmwareVersion(version); })
                  : WithdrawnVersion();
    FirmwareImage image =
        FindFirmwareFile(m_folder, label, withdrawn, m_strip, mainImage ? 0 : profile.FamilyImageOffset());
    if (image.Problem != FirmwareFileProblem::None && image.Problem != FirmwareFileProblem::NoFile)
        m_report.Refused << image;
    return image;
}

QList<FirmwareImage> FirmwareUpgrade::CheckFiles() const
{
    const HardwareProfile profile = m_xmit.Identity.Profile();
    QList<FirmwareImage> checked;
    if (profile.ChecksFamilyFirmware())
        checked << CheckFirmwareFile(m_folder, profile.FamilyLabel(), {}, profile.FamilyImageOffset());
    checked << CheckFirmwareFile(m_folder, profile.ModelLabel(),
                                 [profile](int version) { return profile.IsWithdrawnFirmwareVersion(version); });
    QList<FirmwareImage> refused;
    for (const FirmwareImage &image : std::as_const(checked)) {
        if (image.Problem != FirmwareFileProblem::None && image.Problem != FirmwareFileProblem::NoFile)
            refused << image;
    }
    return refused;
}

int FirmwareUpgrade::FirmwareCheck(bool &forceReload, int &upgradeCountdown)
{
    m_report = {};
    upgradeCountdown = 0;
    const DeviceIdentity identity = m_xmit.Identity;
    const HardwareProfile profile = identity.Profile();

    int upgraded = FamilyFirmwareCheck();
    // A device whose family image did not go through whole is neither sent
    // its main image nor rebooted: the next check tries both again.
    bool ok = !m_familyFailed;
    if (ok) {
        const FirmwareImage image = find(ModelLabel(profile), true);
        const bool due = image.Version != 0
                         && (image.Version > identity.FirmwareVersionByte || profile.RunsWithdrawnFirmware()
                             || forceReload);
        if (due) {
            const InputDisabled disabled(m_view);
            ok = sendMainImage(profile, image, upgraded);
            m_strip.SetProgress(0, 1);
        }
    }
    forceReload = false;

    if (ok && upgraded) {
        m_xmit.Send(CMD_REBOOT);
        m_xmit.CloseSerialPort();
        m_strip.ShowStatus(GetText(TXT_REBOOTING), true, RebootingShownMs);
        upgradeCountdown = RebootTicks;
        m_report.Rebooted = true;
    }
    if (!ok) {
        if (m_view.ShowsRebootingAfterFailure())
            m_strip.ShowStatus(GetText(TXT_REBOOTING), true, RebootingShownMs);
        m_strip.ShowStatus(GetText(TXT_WRITE_ERROR), false, WriteErrorShownMs);
    }
    return upgraded;
}

bool FirmwareUpgrade::sendMainImage(const HardwareProfile &profile, const FirmwareImage &image, int &upgraded)
{
    // Flash-area models take the image into their firmware block; code 121
    // takes it in data blocks at byte offsets between CMD_FW_BEGIN and CMD_FW_END.
    m_report.MainVersionSent = image.Version;
    const std::optional<quint16> block = profile.FirmwareFlashBlock();
    const bool began = block ? FlashBegin(m_xmit, *block) : m_xmit.Send(CMD_FW_BEGIN);
    if (!began) {
        m_report.MainFailedAt = FirmwareStep::Begin;
        return false;
    }
    // What the device answers to the header and the checksum is not looked
    // at: it judges the image by them and answers the end request.
    if (profile.FirmwareNeedsImageHeader())
        FlashWrite(m_xmit, ImageHeaderChunk(image.size()));
    m_strip.ShowStatus(ReleaseText(profile.VersionByteHoldsMinor(), image.Version), false, UpgradeOfferShownMs);
    upgraded = 1;

    const int size = image.size();
    const int chunkSize = profile.FirmwareChunkSize();
    bool ok = true;
    for (int offset = 0; offset != size && ok;) {
        const int chunk = std::min(chunkSize, size - offset);
        const QByteArray data = image.Bytes.mid(offset, chunk);
        ok = block ? FlashWrite(m_xmit, data) : m_xmit.SendDataBlock(quint32(offset), data);
        offset += chunk;
        m_strip.SetProgress(offset, size);
    }
    // The checksum closes the transfer on the device's side, also after a
    // failed chunk; only the end request is left out then.
    if (profile.FirmwareSendsChecksum())
        FlashWrite(m_xmit, ChecksumChunk(image.Bytes));
    if (!ok) {
        m_report.MainFailedAt = FirmwareStep::Data;
        return false;
    }

    m_view.ShowWarningImage(true);
    m_strip.ShowStatus(GetText(TXT_WAIT_NO_POWER_OFF), false, UpgradeOfferShownMs);
    const bool ended = block ? FlashEnd(m_xmit) : m_xmit.Send(CMD_FW_END);
    if (ended)
        m_report.MainVersionWritten = image.Version;
    else
        m_report.MainFailedAt = FirmwareStep::End;
    return ended;
}

int FirmwareUpgrade::FamilyFirmwareCheck()
{
    m_familyFailed = false;
    const DeviceIdentity identity = m_xmit.Identity;
    const HardwareProfile profile = identity.Profile();
    if (!profile.ChecksFamilyFirmware())
        return 0;

    const FirmwareImage image = find(profile.FamilyLabel(), false);
    const bool due = image.Version != 0
                     && (image.Version > identity.FirmwareMinor || identity.FirmwareMinor == NoFamilyFirmware);
    if (!due)
        return 0;

    int result = 0;
    m_report.FamilyVersionSent = image.Version;
    if (FlashBegin(m_xmit, profile.FamilyFlashBlock())) {
        result = 1;
        m_strip.ShowStatus(QStringLiteral("HW : ") + ReleaseText(profile.FamilyVersionHoldsMinor(), image.Version),
                           false, UpgradeOfferShownMs);
        const InputDisabled disabled(m_view);
        const bool sent = sendFamilyImage(profile, image);
        m_familyFailed = !sent;
        if (sent) {
            m_report.FamilyVersionWritten = image.Version;
            writeFamilyVersionRecord(profile, image.Version);
        }
    } else {
        // The main image is still offered, as to a device without a family image.
        m_report.FamilyFailedAt = FirmwareStep::Begin;
    }
    m_strip.SetProgress(0, 1);
    return result;
}

bool FirmwareUpgrade::sendFamilyImage(const HardwareProfile &profile, const FirmwareImage &image)
{
    const int size = image.size();
    bool ok = true;
    // The leading bytes of some family files are a file header of their own,
    // not image; the file is longer than them (checked when it was read).
    for (int offset = profile.FamilyImageOffset(); offset != size && ok;) {
        const int chunk = std::min(FamilyChunkSize, size - offset);
        ok = FlashWrite(m_xmit, image.Bytes.mid(offset, chunk));
        offset += chunk;
        m_strip.SetProgress(offset, size);
    }
    if (!ok) {
        m_report.FamilyFailedAt = FirmwareStep::Data;
        return false;
    }
    if (!FlashEnd(m_xmit)) {
        m_report.FamilyFailedAt = FirmwareStep::End;
        return false;
    }
    return true;
}

void FirmwareUpgrade::writeFamilyVersionRecord(const HardwareProfile &profile, int version)
{
    const std::optional<quint16> block = profile.FamilyVersionRecordBlock();
    if (!block)
        return;
    // The record only tells the device which family version it holds; the
    // family image is in place whatever becomes of it.
    if (FlashBegin(m_xmit, *block) && FlashWrite(m_xmit, QByteArray(1, char(version & 0xFF))))
        FlashEnd(m_xmit);
}
