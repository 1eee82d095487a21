// rerudad-cli against simulated devices that stop answering: each command
// waits out the link's real time-outs (two transmissions of 2.5 s, of 5 s for
// the media command), then exits 1 with one line naming the command and the
// device, and nothing that should follow the silent request is sent or
// written. The commands run at the same time, so the suite waits only once.

#include "cliprocess.h"
#include "devsimprocess.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct SilentCase
{
    QStringList command;
    DevSimProcess::Options device;
    // A text the one line must hold, beyond the command and device.
    QString says;
    // A request the device must not have received after the silence.
    QString neverSent;
};

QStringList Silence(const char *request)
{
    return {QStringLiteral("--fault"), QLatin1String(request) + QStringLiteral(":silence")};
}

TEST(CliSilence, EveryCommandWaitsOutItsTimeOutsAndExitsOneWithOneLine)
{
    QTemporaryDir folder;
    const QString snapshotFile = folder.filePath(QStringLiteral("silent"));
    const std::vector<SilentCase> cases = {
        {{QStringLiteral("identify")},
         {.extraArguments = Silence("all")},
         QStringLiteral("no reply to the identification request\n"),
         {}},
        {{QStringLiteral("status")}, {.extraArguments = Silence("CMD_GET_STATUS")}, {}, {}},
        {{QStringLiteral("media"), QStringLiteral("stop")},
         {.code = 131, .extraArguments = Silence("CMD_MEDIA_CONTROL")},
         QStringLiteral("media command"),
         {}},
        {{QStringLiteral("snapshot"), snapshotFile},
         {.code = 178, .versionByte = 15, .extraArguments = Silence("CMD_SNAPSHOT")},
         QStringLiteral("no reply"),
         {}},
        {{QStringLiteral("factory-default")},
         {.code = 158, .versionByte = 15, .extraArguments = Silence("CMD_WRITE_CONFIG")},
         {},
         QStringLiteral("CMD_SAVE_DEFAULT")},
    };

    std::vector<std::unique_ptr<DevSimProcess>> devices;
    QList<QStringList> runs;
    for (const SilentCase &silent : cases) {
        devices.push_back(std::make_unique<DevSimProcess>());
        ASSERT_TRUE(devices.back()->start(silent.device)) << silent.command.join(' ').toStdString();
        runs << silent.command + QStringList{QStringLiteral("--device"), devices.back()->tcpDevice()};
    }
    const QList<CliResult> results = RunClisTogether(runs, 60000);

    for (size_t i = 0; i < cases.size(); ++i) {
        const SilentCase &silent = cases[i];
        const CliResult &result = results[qsizetype(i)];
        const std::string name = silent.command.first().toStdString();
        EXPECT_EQ(result.exitCode, 1) << name << ' ' << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << name;
        EXPECT_EQ(result.err.count(QLatin1Char('\n')), 1) << name << ' ' << result.err.toStdString();
        EXPECT_TRUE(result.err.startsWith(silent.command.first() + QLatin1Char(' ') + devices[i]->tcpDevice() +
                                          QStringLiteral(": ")))
            << name << ' ' << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(silent.says)) << name << ' ' << result.err.toStdString();
        // The silent request went out twice, the last the device received,
        // and nothing meant to follow it.
        const QStringList commands = devices[i]->commandsLogged();
        ASSERT_GE(commands.size(), 2) << name;
        EXPECT_EQ(commands.last(), commands[commands.size() - 2]) << name;
        if (!silent.neverSent.isEmpty()) {
            EXPECT_FALSE(commands.contains(silent.neverSent)) << name;
        }
    }
    EXPECT_TRUE(QDir(folder.path()).entryList({QStringLiteral("*.bmp")}, QDir::Files).isEmpty());
}

} // namespace
