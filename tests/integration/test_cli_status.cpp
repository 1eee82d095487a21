// rerudad-cli status as a process against the simulated device.

#include "cliprocess.h"
#include "devsimprocess.h"
#include "testfiles.h"

#include "link/cxmit.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

QJsonObject Status(const QString &deviceChoice)
{
    const CliResult result = RunCli({QStringLiteral("status"), QStringLiteral("--device"), deviceChoice});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return QJsonDocument::fromJson(result.out.toUtf8()).object();
}

QList<qint64> Numbers(const QJsonValue &array)
{
    QList<qint64> numbers;
    for (const QJsonValue &value : array.toArray())
        numbers << value.toInteger();
    return numbers;
}

QStringList Texts(const QJsonValue &array)
{
    QStringList texts;
    for (const QJsonValue &value : array.toArray())
        texts << value.toString();
    return texts;
}

// One request straight over the link, as the desktop tool would send it.
bool SendToDevice(const DevSimProcess &device, const DeviceCommand &command, const QByteArray &data)
{
    CXmit xmit;
    xmit.TcpPort = device.tcpPort();
    return xmit.ConnectTcp(QStringLiteral("127.0.0.1")) && xmit.Send(command, data);
}

} // namespace

TEST(CliStatus, TwoServicesAndTheMediaStorage)
{
    QTemporaryDir folder;
    const QString media = folder.filePath(QStringLiteral("usb"));
    PutEmptyFiles(media, {QStringLiteral("news.ts"), QStringLiteral("clip.ts")});
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 157, .extraArguments = {QStringLiteral("--media-dir"), media}}));

    for (const QString &choice : {device.tcpDevice(), device.serialDevice()}) {
        const QJsonObject status = Status(choice);
        EXPECT_EQ(Numbers(status["InputPresent"]), QList<qint64>({1, 1, 0, 0}));
        EXPECT_EQ(Numbers(status["InputLines"]), QList<qint64>({1080, 720, 0, 0}));
        EXPECT_EQ(Numbers(status["InputProgressive"]), QList<qint64>({0, 1, 0, 0}));
        EXPECT_EQ(status["StoragePresent"].toInt(), 1);
        EXPECT_EQ(Texts(status["MediaFiles"]), QStringList({"clip.ts", "news.ts"}));
        EXPECT_EQ(status["MediaFilesKey"].toString(), "clip.ts_news.ts");
        // Code 157 reports no bitrates: they stay 0.
        EXPECT_EQ(Numbers(status["MuxAvailableBps"]), QList<qint64>({0, 0, 0, 0}));
        EXPECT_GE(status["DeviceClock"].toObject()["Year"].toInt(), 2024);
    }

    // The stick pulled: no storage, no names.
    ASSERT_TRUE(QDir(media).removeRecursively());
    const QJsonObject status = Status(device.tcpDevice());
    EXPECT_EQ(status["StoragePresent"].toInt(), 0);
    EXPECT_TRUE(status["MediaFiles"].toArray().isEmpty());
}

TEST(CliStatus, FourServicesTwoMultiplexesAndThePlayer)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 176, .extraArguments = {QStringLiteral("--auto-mode"), QStringLiteral("4")}}));
    QJsonObject status = Status(device.tcpDevice());
    EXPECT_EQ(Numbers(status["InputLines"]), QList<qint64>({1080, 720, 1080, 576}));
    EXPECT_EQ(Numbers(status["InputAudioAc3"]), QList<qint64>({0, 0, 1, 0}));
    EXPECT_EQ(Numbers(status["InputPlayerState"]), QList<qint64>({0, 0, 0, 0}));
    EXPECT_EQ(status["AutoModeCode"].toInt(), 4);
    EXPECT_EQ(status["StoragePresent"].toInt(), 0);
    const QList<qint64> available = Numbers(status["MuxAvailableBps"]);
    const QList<qint64> used = Numbers(status["MuxUsedKbps"]);
    EXPECT_GT(available[0], 0);
    EXPECT_GT(available[1], 0);
    EXPECT_EQ(available[2], 0);
    EXPECT_GT(used[1], 0);
    EXPECT_EQ(used[3], 0);

    // 1 play, 2 record, 3 stop.
    const struct
    {
        char command;
        int playerState;
        int autoMode;
    } steps[] = {{1, 2, 2}, {2, 1, 3}, {3, 0, 4}};
    for (const auto &step : steps) {
        ASSERT_TRUE(SendToDevice(device, CMD_MEDIA_CONTROL, QByteArray(1, step.command)));
        status = Status(device.tcpDevice());
        EXPECT_EQ(Numbers(status["InputPlayerState"]), QList<qint64>({step.playerState, 0, 0, 0})) << int(step.command);
        EXPECT_EQ(status["AutoModeCode"].toInt(), step.autoMode) << int(step.command);
    }
}

TEST(CliStatus, LogosAndTheSetClockOnCode192Version15)
{
    QTemporaryDir folder;
    PutEmptyFiles(folder.path(), {QStringLiteral("b.dg1"), QStringLiteral("a.dg1")});
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 192, .versionByte = 15, .extraArguments = {QStringLiteral("--logo-dir"), folder.path()}}));
    // 2031-12-31 23:59:50, and the clock runs on from there.
    ASSERT_TRUE(SendToDevice(device, CMD_SET_CLOCK, QByteArray::fromHex("ef070c1f173b32")));

    const QJsonObject status = Status(device.tcpDevice());
    EXPECT_EQ(Texts(status["LogoFiles"]), QStringList({"a.dg1", "b.dg1"}));
    EXPECT_EQ(status["LogoFilesKey"].toString(), "a.dg1_b.dg1");
    // Logo files mean a storage, even without media files.
    EXPECT_EQ(status["StoragePresent"].toInt(), 1);
    EXPECT_TRUE(status["MediaFiles"].toArray().isEmpty());
    const QJsonObject clock = status["DeviceClock"].toObject();
    EXPECT_EQ(clock["Year"].toInt() * 10000 + clock["Month"].toInt() * 100 + clock["Day"].toInt(), 20311231);
    EXPECT_EQ(clock["Hour"].toInt(), 23);
    EXPECT_GE(clock["Second"].toInt(), 50);
}

TEST(CliStatus, PictureFormatChangesWithThePeriod)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.extraArguments = {QStringLiteral("--format-period"), QStringLiteral("1")}}));
    const QJsonObject before = Status(device.tcpDevice());
    QThread::msleep(1500);
    const QJsonObject after = Status(device.tcpDevice());
    EXPECT_NE(Numbers(before["InputLines"]) + Numbers(before["InputFrameRate"]) + Numbers(before["InputPresent"]),
              Numbers(after["InputLines"]) + Numbers(after["InputFrameRate"]) + Numbers(after["InputPresent"]));
}

// A silent poll is in test_cli_silence.cpp, with the other commands.
TEST(CliStatus, ARefusedPollExitsOneWithOneLine)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.extraArguments = {QStringLiteral("--fault"), QStringLiteral("CMD_GET_STATUS:refuse")}}));
    const CliResult result = RunCli({QStringLiteral("status"), QStringLiteral("--device"), device.tcpDevice()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(result.err.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(RunCli({QStringLiteral("status"), QStringLiteral("extra")}).exitCode, 2);
}
