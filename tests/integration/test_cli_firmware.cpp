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

TEST(CliFirmware, AFailedTransferSaysWhichImageFailedWhatWasWrittenAndWhetherTheDeviceReboots)
{
    struct Case
    {
        int code;
        int versionByte;
        int failedChunk;
        const char *failure;
    };
    // Code 132 takes its main image in 512-byte chunks behind an image
    // header chunk; code 142 first takes its family image, chunk 1 of the
    // transfers.
    const Case cases[] = {
        {132, 14, 3,
         "the DUNASA firmware version 15 failed: the device refused or did not answer a data request; "
         "nothing was written; the device was not rebooted"},
        {142, 5, 1,
         "the POKAFA family firmware version 3 failed: the device refused or did not answer a data request; "
         "nothing was written; the device was not rebooted"},
    };
    for (const Case &test : cases) {
        DevSimProcess device;
        ASSERT_TRUE(device.start({.code = test.code, .versionByte = test.versionByte, .minor = 2,
                                  .extraArguments = {QStringLiteral("--fail-firmware-chunk"),
                                                     QString::number(test.failedChunk)}}));
        QTemporaryDir folder;
        WriteFirmwareFile(folder.path(), QStringLiteral("DUNASA"), 15, TaggedFirmwareImage(3000, 15));
        WriteFirmwareFile(folder.path(), QStringLiteral("KUDARO"), 6, TaggedFirmwareImage(3000, 6));
        WriteFirmwareFile(folder.path(), QStringLiteral("POKAFA"), 3, TaggedFirmwareImage(1000, 3));

        const CliResult result = Upgrade(device, folder.path(), {QStringLiteral("--quiet")});
        EXPECT_EQ(result.exitCode, 1) << test.code;
        EXPECT_EQ(result.err, Speaker(device) + QLatin1String(test.failure) + QLatin1Char('\n'));
        const QStringList logged = device.commandsLogged();
        EXPECT_FALSE(logged.contains(QStringLiteral("CMD_REBOOT"))) << test.code;
        EXPECT_FALSE(logged.contains(QStringLiteral("CMD_FLASH_END"))) << test.code;
    }
}

TEST(CliFirmware, TheChecksumChunkStillClosesATransferWhoseChunkFailed)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 132, .versionByte = 14,
                              .extraArguments = {QStringLiteral("--fail-firmware-chunk"), QStringLiteral("3")}}));
    QTemporaryDir folder;
    const QByteArray image = TaggedFirmwareImage(3000, 15);
    WriteFirmwareFile(folder.path(), QStringLiteral("DUNASA"), 15, image);
    ASSERT_EQ(Upgrade(device, folder.path()).exitCode, 1);
    // Header chunk, two data chunks (the second refused), then the sum of
    // the image's bytes, little-endian, behind the sub-operation 05.
    quint32 sum = 0;
    for (const char byte : image)
        sum += quint8(byte);
    const QString checksum = QStringLiteral("05%1%2%3%4")
                                 .arg(sum & 0xFF, 2, 16, QLatin1Char('0'))
                                 .arg((sum >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
                                 .arg((sum >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
                                 .arg(sum >> 24, 2, 16, QLatin1Char('0'));
    const QStringList last = device.requestLog().last().split(QLatin1Char(' '));
    EXPECT_EQ(last.value(3), QStringLiteral("CMD_FLASH_DATA"));
    EXPECT_EQ(last.value(4).toLower(), checksum);
}

TEST(CliFirmware, AForcedOlderVersionIsCalledADowngradeAndQuietSaysNothing)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 158, .versionByte = 15}));
    QTemporaryDir folder;
    WriteFirmwareFile(folder.path(), QStringLiteral("NONODO"), 14, TaggedFirmwareImage(2000, 14));

    const CliResult forced = Upgrade(device, folder.path(), {QStringLiteral("--force")});
    EXPECT_EQ(forced.exitCode, 0) << forced.err.toStdString();
    EXPECT_TRUE(forced.err.contains(Speaker(device) + QStringLiteral("NONODO firmware version 14 written "
                                                                     "(a downgrade from version 15)\n")))
        << forced.err.toStdString();

    const CliResult quiet = Upgrade(device, folder.path(), {QStringLiteral("--force"), QStringLiteral("--quiet")});
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_TRUE(quiet.err.isEmpty()) << quiet.err.toStdString();
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
