#include "config/factorydefault.h"

#include "link/cxmit.h"
#include "link/deviceoperations.h"

#include <QDir>
#include <QFile>

#include <optional>

int LogoFlashBlock(int hardwareCode)
{
    switch (hardwareCode) {
    case 121:
    case 192:
        return -1;
    case 128:
        return 989;
    case 131:
        return 926;
    case 158: case 159: case 176: case 178:
        return 1021;
    default:
        return 750;
    }
}

QString LocalLogoPath(const QString &programFolder, const QString &logoName)
{
    if (logoName.isEmpty() || logoName == QLatin1String(".") || logoName == QLatin1String("..")
        || logoName.contains(QLatin1Char('/')) || logoName.contains(QLatin1Char('\\'))
        || logoName.contains(QLatin1Char(':')) || logoName.contains(QChar(0)))
        return {};
    return QDir(programFolder).filePath(QStringLiteral("logos/") + logoName);
}

namespace {

// The whole file, or nothing when it cannot be opened or read completely.
std::optional<QByteArray> ReadWholeFile(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 size = file.size();
    QByteArray contents = file.readAll();
    if (contents.size() != size)
        return std::nullopt;
    return contents;
}

void StoreOnCode121(CXmit &xmit, const QString &localLogo)
{
    DeviceShell(xmit, QStringLiteral("cp /LENADU/current16.cfg /LENADU/default16.cfg"));
    DeviceShell(xmit, QStringLiteral("mount /dev/mmcblk0p1 /mnt"));
    UploadDeviceFile(xmit, localLogo, QStringLiteral("/mnt/logo.dg1"));
    DeviceShell(xmit, QStringLiteral("umount /mnt"));
    DeviceShell(xmit, QStringLiteral("sync"));
    xmit.Send(CMD_REBOOT);
}

} // namespace

bool UploadDeviceFile(CXmit &xmit, const QString &localPath, const QString &devicePath)
{
    // Read first: a logo that cannot be read must not leave an empty file
    // (or an open one) on the device in place of the logo it had.
    const std::optional<QByteArray> contents = ReadWholeFile(localPath);
    if (!contents || contents->isEmpty())
        return false;
    return WriteDeviceFile(xmit, devicePath, *contents);
}

void StoreFactoryDefault(CXmit &xmit, const DeviceIdentity &identity, const QString &programFolder,
                         const QString &logoName)
{
    const QString localLogo = LocalLogoPath(programFolder, logoName);
    if (identity.HardwareCode == 121) {
        StoreOnCode121(xmit, localLogo);
        return;
    }
    xmit.Send(CMD_SAVE_DEFAULT);
    const int block = LogoFlashBlock(identity.HardwareCode);
    if (block < 0)
        return;
    const std::optional<QByteArray> logo = ReadWholeFile(localLogo);
    if (!logo)
        return;
    WriteFlashArea(xmit, quint16(block), *logo);
}
