// rerudad-cli against simulated devices that answer late, go away in the
// middle of a transfer or refuse a write: what the tool keeps, what it
// tells, and what the device was asked to do.

#include "cliprocess.h"
#include "devsimprocess.h"
#include "firmwarefiles.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray NumberedLog(int size)
{
    QByteArray text;
    for (int line = 1; text.size() < size; ++line)
        text += "line " + QByteArray::number(line) + ": input locked\n";
    return text.left(size);
}

int CountLogged(const DevSimProcess &device, const QString &command)
{
    return int(device.commandsLogged().count(command));
}

// A read answered after its time-out is sent twice; the device answers both
// transmissions (repeating its answer, or moving on in the file like a new
// read) or only the first. Whatever it does, the saved log holds only bytes
// of the device's log in their place, in whole pieces, and a log cut short
// is exit 1.
TEST(MisbehavingLine, LateFileReadsNeverBecomeWrongLogBytes)
{
    const QByteArray log = NumberedLog(7000);
    const QStringList modes{QStringLiteral("repeat"), QStringLiteral("again"), QStringLiteral("ignore")};
    std::vector<std::unique_ptr<DevSimProcess>> devices;
    QList<QStringList> runs;
    for (const QString &mode : modes) {
        auto device = std::make_unique<DevSimProcess>();
        const QString logPath = device->folder() + QStringLiteral("/device.log");
        ASSERT_TRUE(WriteAll(logPath, log));
        // The seed delays the second of the four reads: one piece is sure.
        ASSERT_TRUE(device->start({.pty = false,
                                   .extraArguments = {QStringLiteral("--device-file"), QStringLiteral("/logFile.0=") + logPath,
                                                      QStringLiteral("--fault"), QStringLiteral("CMD_FILE_READ:delay:3000:0.5"),
                                                      QStringLiteral("--seed"), QStringLiteral("3"),
                                                      QStringLiteral("--resent"), mode}}));
        runs << QStringList{QStringLiteral("logs"), device->folder() + QStringLiteral("/saved.txt"), QStringLiteral("--quiet"),
                            QStringLiteral("--device"), device->tcpDevice()};
        devices.push_back(std::move(device));
    }
    const QList<CliResult> results = RunClisTogether(runs, 60000);
    for (qsizetype i = 0; i < modes.size(); ++i) {
        const QByteArray saved = ReadAll(devices[i]->folder() + QStringLiteral("/saved.txt"));
        EXPECT_EQ(results[i].exitCode, 1) << modes[i].toStdString();
        EXPECT_TRUE(results[i].err.contains(QStringLiteral("a read had to be sent twice"))) << results[i].err.toStdString();
        EXPECT_EQ(saved.size() % 2048, 0) << modes[i].toStdString();
        EXPECT_LT(saved.size(), log.size()) << modes[i].toStdString();
        EXPECT_EQ(saved, log.left(saved.size())) << modes[i].toStdString();
        // The second log is not appended behind bytes that cannot be vouched for.
        EXPECT_EQ(devices[i]->commandsLogged().filter(QStringLiteral("CMD_FILE_OPEN")).size(), 1);
    }
}

// The configuration read before the write is answered late: its second
// answer must not become the read-back printed after the write.
TEST(MisbehavingLine, AConfigSetPrintsWhatTheDeviceHolds)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 158, .versionByte = 15, .pty = false,
                              .extraArguments = {QStringLiteral("--fault"), QStringLiteral("CMD_READ_CONFIG:delay:3000")}}));
    const QString json = device.folder() + QStringLiteral("/name.json");
    ASSERT_TRUE(WriteAll(json, R"({"NetworkName":"LATE-NORTH"})"));
    const CliResult set = RunCli({QStringLiteral("config"), QStringLiteral("set"), json, QStringLiteral("--device"),
                                  device.tcpDevice()},
                                 60000);
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(set.out.toUtf8()).object().value(QStringLiteral("NetworkName")).toString(),
              QStringLiteral("LATE-NORTH"));
}

// A status poll answered late on a serial port, then a new process on the
// same port: the device answers one request after the other, so the status
// poll's second answer comes just before the identification's, and must
// not be taken for it.
TEST(MisbehavingLine, AnIdentificationNeverTakesALateStatusOnTheSamePort)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 158, .versionByte = 15,
                              .extraArguments = {QStringLiteral("--fault"), QStringLiteral("CMD_GET_STATUS:delay:3000")}}));
    const CliResult status = RunCli({QStringLiteral("status"), QStringLiteral("--device"), device.serialDevice()}, 60000);
    ASSERT_EQ(status.exitCode, 0) << status.err.toStdString();
    const CliResult identify = RunCli({QStringLiteral("identify"), QStringLiteral("--device"), device.serialDevice()}, 60000);
    ASSERT_EQ(identify.exitCode, 0) << identify.err.toStdString();
    EXPECT_TRUE(identify.out.startsWith(QStringLiteral("{\"HardwareCode\":158,\"FirmwareVersionByte\":15,")))
        << identify.out.toStdString();
}

// A device that closes the connection in the middle of a long operation is
// given up at once: its request is sent once, nothing follows it, and the
// command fails.
TEST(MisbehavingLine, AClosedConnectionIsGivenUpAtOnce)
{
    struct Case
    {
        const char *name;
        QStringList arguments;
        QString droppedCommand;
    };
    QTemporaryDir folder;
    WriteFirmwareFile(folder.path(), QStringLiteral("DUNASA"), 15, TaggedFirmwareImage(4000, 15));
    const Case cases[] = {
        {"logs", {QStringLiteral("logs"), folder.path() + QStringLiteral("/logs.txt")}, QStringLiteral("CMD_FILE_READ")},
        {"firmware", {QStringLiteral("firmware"), QStringLiteral("upgrade"), QStringLiteral("--folder"), folder.path()},
         QStringLiteral("CMD_FLASH_DATA")},
    };
    for (const Case &test : cases) {
        DevSimProcess device;
        ASSERT_TRUE(device.start({.code = 132, .versionByte = 14, .pty = false,
                                  .extraArguments = {QStringLiteral("--fault"), test.droppedCommand + QStringLiteral(":drop")}}));
        const CliResult result = RunCli(test.arguments + QStringList{QStringLiteral("--device"), device.tcpDevice()});
        EXPECT_EQ(result.exitCode, 1) << test.name;
        const QStringList logged = device.commandsLogged();
        EXPECT_EQ(logged.count(test.droppedCommand), 1) << test.name;
        EXPECT_EQ(logged.last(), test.droppedCommand) << test.name;
    }
}

// A write the device refuses is never followed by storing the factory
// default: the device would keep its old configuration as its default.
TEST(MisbehavingLine, NothingIsStoredAsFactoryDefaultAfterARefusedWrite)
{
    for (const int code : {132, 121}) {
        DevSimProcess device;
        ASSERT_TRUE(device.start({.code = code, .versionByte = 14, .pty = false,
                                  .extraArguments = {QStringLiteral("--fault"), QStringLiteral("CMD_WRITE_CONFIG:refuse")}}));
        const QStringList named = {QStringLiteral("--device"), device.tcpDevice()};
        ASSERT_EQ(RunCli(QStringList{QStringLiteral("config"), QStringLiteral("save"),
                                     device.folder() + QStringLiteral("/unit1")} + named).exitCode, 0);
        const QStringList saved = QDir(device.folder()).entryList({QStringLiteral("unit1*")});
        ASSERT_EQ(saved.size(), 1);
        for (const QStringList &command :
             {QStringList{QStringLiteral("config"), QStringLiteral("load"), device.folder() + QLatin1Char('/') + saved[0]},
              QStringList{QStringLiteral("factory-default")}}) {
            const CliResult result = RunCli(command + named);
            EXPECT_EQ(result.exitCode, 1) << code;
            EXPECT_TRUE(result.err.endsWith(QStringLiteral("the device did not take the configuration; "
                                                           "nothing was stored as factory default\n")))
                << result.err.toStdString();
        }
        for (const char *store : {"CMD_SAVE_DEFAULT", "CMD_SHELL", "CMD_FLASH_BEGIN", "CMD_FILE_CREATE", "CMD_REBOOT"})
            EXPECT_EQ(CountLogged(device, QLatin1String(store)), 0) << code << store;
    }
}

// A write answered with a spoiled check byte may have been carried out:
// the line must not say the device did not take it.
TEST(MisbehavingLine, AWriteWithoutAValidReplyMayHaveBeenTaken)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.pty = false, .extraArguments = {QStringLiteral("--fault"), QStringLiteral("CMD_WRITE_CONFIG:badcheck")}}));
    const QString json = device.folder() + QStringLiteral("/name.json");
    ASSERT_TRUE(WriteAll(json, R"({"NetworkName":"SPOILED"})"));
    const CliResult set = RunCli({QStringLiteral("config"), QStringLiteral("set"), json, QStringLiteral("--device"),
                                  device.tcpDevice()});
    EXPECT_EQ(set.exitCode, 1);
    EXPECT_TRUE(set.err.endsWith(QStringLiteral("no valid reply to the configuration write; the device may have taken it\n")))
        << set.err.toStdString();
}

} // namespace
