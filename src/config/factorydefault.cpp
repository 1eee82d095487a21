#include "config/factorydefault.h"

#include "config/configmodel.h"
#include "link/cxmit.h"
#include "link/deviceoperations.h"

#include <QDir>
#include <QFile>

#include <optional>

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

bool StoreByShell(CXmit &xmit, const QString &localLogo)
{
    bool taken = DeviceShell(xmit, QStringLiteral("cp /LENADU/current16.cfg /LENADU/default16.cfg"));
    taken = DeviceShell(xmit, QStringLiteral("mount /dev/mmcblk0p1 /mnt")) && taken;
    // The upload's result is not looked at: without a logo beside the tool
    // the device keeps the one it has.
    UploadDeviceFile(xmit, localLogo, QStringLiteral("/mnt/logo.dg1"));
    taken = DeviceShell(xmit, QStringLiteral("umount /mnt")) && taken;
    taken = DeviceShell(xmit, QStringLiteral("sync")) && taken;
    return xmit.Send(CMD_REBOOT) && taken;
}

} // namespace

void RequestFactoryDefault(ConfigModel &model)
{
    model.CommitCountdown = 1;
    model.StoreAsDefault = 1;
}

bool UploadDeviceFile(CXmit &xmit, const QString &localPath, const QString &devicePath)
{
    // Read first: a logo that cannot be read must not leave an empty file
    // (or an open one) on the device in place of the logo it had.
    const std::optional<QByteArray> contents = ReadWholeFile(localPath);
    if (!contents || contents->isEmpty())
        return false;
    return WriteDeviceFile(xmit, devicePath, *contents);
}

bool StoreFactoryDefault(CXmit &xmit, const DeviceIdentity &identity, const QString &programFolder,
                         const QString &logoName)
{
    const QString localLogo = LocalLogoPath(programFolder, logoName);
    const HardwareProfile profile = identity.Profile();
    if (profile.StoresDefaultByShell())
        return StoreByShell(xmit, localLogo);
    const bool taken = xmit.Send(CMD_SAVE_DEFAULT);
    const std::optional<quint16> block = profile.LogoFlashBlock();
    if (!block)
        return taken;
    const std::optional<QByteArray> logo = ReadWholeFile(localLogo);
    if (!logo)
        return taken;
    return WriteFlashArea(xmit, *block, *logo) && taken;
}
