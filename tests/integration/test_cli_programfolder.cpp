// The program folder of rerudad-cli named by --program-folder or
// RERUDAD_PROGRAM_FOLDER instead of the current directory.

#include "cliprocess.h"
#include "devsimprocess.h"
#include "firmwarefiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList UpgradeWords(const DevSimProcess &device)
{
    return {QStringLiteral("firmware"), QStringLiteral("upgrade"), QStringLiteral("--device"), device.tcpDevice(),
            QStringLiteral("--quiet")};
}

// The named folder's firmware/ is used, not the one of the current directory
// (which holds none), whether the option or the environment names it.
TEST(CliProgramFolder, TheNamedFolderHoldsTheFirmwareFiles)
{
    QTemporaryDir programFolder;
    QTemporaryDir elsewhere;
    WriteFirmwareFile(QDir(programFolder.path()).filePath(QStringLiteral("firmware")), QStringLiteral("DUNASA"), 15,
                      TaggedFirmwareImage(700, 15));
    QProcessEnvironment named = QProcessEnvironment::systemEnvironment();
    named.insert(QStringLiteral("RERUDAD_PROGRAM_FOLDER"), programFolder.path());
    QProcessEnvironment unnamed = QProcessEnvironment::systemEnvironment();
    unnamed.remove(QStringLiteral("RERUDAD_PROGRAM_FOLDER"));

    struct Case
    {
        const char *how;
        QStringList more;
        QProcessEnvironment environment;
    };
    const QList<Case> cases = {
        {"option", {QStringLiteral("--program-folder"), programFolder.path()}, unnamed},
        {"environment", {}, named},
    };
    for (const Case &item : cases) {
        SCOPED_TRACE(item.how);
        DevSimProcess device;
        ASSERT_TRUE(device.start({.code = 132, .versionByte = 14}));
        const CliResult result = RunCli(UpgradeWords(device) + item.more, 30000, item.environment, elsewhere.path());
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_TRUE(device.commandsLogged().contains(QStringLiteral("CMD_REBOOT")));
    }
}

TEST(CliProgramFolder, AFolderThatDoesNotExistIsAUsageErrorBeforeTheDeviceIsAsked)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start());
    QTemporaryDir folder;
    const QString missing = QDir(folder.path()).filePath(QStringLiteral("missing"));
    const CliResult result = RunCli({QStringLiteral("factory-default"), QStringLiteral("--device"), device.tcpDevice(),
                                     QStringLiteral("--program-folder"), missing});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, QStringLiteral("factory-default: the program folder %1 does not exist\n").arg(missing));
    EXPECT_TRUE(device.commandsLogged().isEmpty());

    // A command that reads no side files does not take the option.
    const CliResult identify = RunCli({QStringLiteral("identify"), QStringLiteral("--device"), device.tcpDevice(),
                                       QStringLiteral("--program-folder"), folder.path()});
    EXPECT_EQ(identify.exitCode, 2);
    EXPECT_TRUE(identify.err.startsWith(QStringLiteral("rerudad-cli: identify does not take --program-folder")))
        << identify.err.toStdString();
}

} // namespace
