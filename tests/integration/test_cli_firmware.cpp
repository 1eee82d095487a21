// rerudad-cli firmware upgrade as a process against the simulated device.

#include "cliprocess.h"
#include "devsimprocess.h"
#include "firmwarefiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CliResult Upgrade(const DevSimProcess &device, const QString &folder, const QStringList &more = {})
{
    return RunCli(QStringList{QStringLiteral("firmware"), QStringLiteral("upgrade"), QStringLiteral("--device"),
                              device.tcpDevice(), QStringLiteral("--folder"), folder}
                  + more);
}

// What every stderr line of the command starts with.
QString Speaker(const DevSimProcess &device)
{
    return QStringLiteral("firmware upgrade %1: ").arg(device.tcpDevice());
}

QString IdentifiedVersion(const DevSimProcess &device)
{
    return RunCli({QStringLiteral("identify"), QStringLiteral("--device"), device.serialDevice()}).out;
}

TEST(CliFirmware, UpgradesWithProgressOnStderrAndTheDeviceRunsTheNewVersion)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 132, .versionByte = 14}));
    QTemporaryDir folder;
    WriteFirmwareFile(folder.path(), QStringLiteral("DUNASA"), 15, TaggedFirmwareImage(1025, 15));

    const CliResult result = Upgrade(device, folder.path());
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
    QStringList lines = result.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString &line : lines) {
        EXPECT_TRUE(line.startsWith(Speaker(device))) << line.toStdString();
        line.remove(0, Speaker(device).size());
        // The rate at the end of a progress line depends on the machine.
        if (line.endsWith(QLatin1String("B/s")))
            line = line.section(QLatin1Char(' '), 0, -3);
    }
    EXPECT_EQ(lines, (QStringList{QStringLiteral("upgrade to release  1.5"),
                                  QStringLiteral("upgrade to release  1.5 49% 512/1025 bytes"),
                                  QStringLiteral("upgrade to release  1.5 99% 1024/1025 bytes"),
                                  QStringLiteral("upgrade to release  1.5 100% 1025/1025 bytes"),
                                  QStringLiteral("WAIT. DO NOT POWER OFF..."), QStringLiteral("Rebooting..."),
                                  QStringLiteral("DUNASA firmware version 15 written"),
                                  QStringLiteral("the device reboots with its new firmware")}));
    EXPECT_TRUE(IdentifiedVersion(device).contains(QStringLiteral("\"FirmwareVersionByte\":15")));
}

TEST(CliFirmware, DigestMismatchExitsOneWithBothDigestsAndSendsNothing)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 142, .versionByte = 7, .minor = 3}));
    QTemporaryDir folder;
    // The family image is good; the main image's name carries another digest.
    WriteFirmwareFile(folder.path(), QStringLiteral("POKAFA"), 5, TaggedFirmwareImage(700, 5));
    const QByteArray main = TaggedFirmwareImage(600, 8);
    WriteFirmwareFile(folder.path(), QStringLiteral("KUDARO"), 8, main, NamedDigestCase::Wrong);

    const CliResult result = Upgrade(device, folder.path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, Speaker(device) + QStringLiteral("MD5 Error") + ReferenceMd5(main) + ReferenceMd5(main + "other")
                              + QStringLiteral("\n"));
    EXPECT_EQ(device.commandsLogged(), QStringList{QStringLiteral("CMD_IDENTIFY")});
}

TEST(CliFirmware, NothingDueExitsZeroAndForceWritesTheSameVersionAgain)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 158, .versionByte = 15}));
    QTemporaryDir folder;
    WriteFirmwareFile(folder.path(), QStringLiteral("NONODO"), 15, TaggedFirmwareImage(2000, 15));

    const CliResult idle = Upgrade(device, folder.path());
    EXPECT_EQ(idle.exitCode, 0);
    EXPECT_EQ(idle.err, Speaker(device)
                            + QStringLiteral("nothing to upgrade: no newer firmware for NONODO in %1\n").arg(folder.path()));
    EXPECT_EQ(device.commandsLogged(), QStringList{QStringLiteral("CMD_IDENTIFY")});

    const CliResult forced = Upgrade(device, folder.path(), {QStringLiteral("--force")});
    EXPECT_EQ(forced.exitCode, 0) << forced.err.toStdString();
    EXPECT_TRUE(forced.err.contains(QStringLiteral("NONODO firmware version 15 written\n")));
    EXPECT_TRUE(device.commandsLogged().contains(QStringLiteral("CMD_REBOOT")));
}

TEST(CliFirmware, FailedTransferExitsOneWithWriteError)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 132, .versionByte = 14,
                              .extraArguments = {QStringLiteral("--fail-firmware-chunk"), QStringLiteral("3")}}));
    QTemporaryDir folder;
    WriteFirmwareFile(folder.path(), QStringLiteral("DUNASA"), 15, TaggedFirmwareImage(3000, 15));

    const CliResult result = Upgrade(device, folder.path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(QLatin1Char('\n') + Speaker(device) + QStringLiteral("write error !\n")));
    EXPECT_TRUE(result.err.endsWith(Speaker(device) + QStringLiteral("the firmware transfer failed: the device refused "
                                                                     "or did not answer a request\n")));
    EXPECT_FALSE(device.commandsLogged().contains(QStringLiteral("CMD_REBOOT")));
}

TEST(CliFirmware, WithoutTheDefaultFolderNothingIsDue)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start());
    QTemporaryDir programFolder; // no firmware/ in it
    const CliResult result =
        RunCli({QStringLiteral("firmware"), QStringLiteral("upgrade"), QStringLiteral("--device"), device.tcpDevice()},
               30000, QProcessEnvironment::systemEnvironment(), programFolder.path());
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.startsWith(Speaker(device) + QStringLiteral("nothing to upgrade: no newer firmware for DUNASA")))
        << result.err.toStdString();
    EXPECT_EQ(device.commandsLogged(), QStringList{QStringLiteral("CMD_IDENTIFY")});
}

TEST(CliFirmware, AFolderThatCannotBeListedIsAUsageError)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start());
    QTemporaryDir folder;
    const QString missing = QDir(folder.path()).filePath(QStringLiteral("missing"));
    const CliResult result = Upgrade(device, missing);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err,
              QStringLiteral("firmware upgrade: the firmware folder %1 does not exist or cannot be read\n").arg(missing));
    EXPECT_TRUE(device.commandsLogged().isEmpty());
}

} // namespace
