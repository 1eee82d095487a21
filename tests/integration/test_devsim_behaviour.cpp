// The simulated device as the tool meets it over a link: noise after its
// replies, second attempts after replies it spoiled, and options it refuses.

#include "devsimprocess.h"
#include "referencerecords.h"

#include "link/cxmit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Le16(int value)
{
    QByteArray bytes;
    bytes.append(char(value & 0xFF));
    bytes.append(char(value >> 8));
    return bytes;
}

// As a caller that keeps trying: a request is sent again (unchanged) while
// its replies are lost; a refusal ends it.
bool SendUntilAnswered(CXmit &xmit, const DeviceCommand &command, const QByteArray &data = {})
{
    for (int round = 0; round < 8; ++round) {
        if (xmit.Send(command, data))
            return true;
        if (!xmit.LinkLost)
            return false;
        xmit.LinkLost = false;
    }
    return false;
}

TEST(DevSimNoise, BackToBackRequestsStayInStepWithNoiseAfterEveryReply)
{
    // The status reply comes 300 ms late, so the noise that follows the
    // reply before it lands while the tool waits for it.
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 158, .versionByte = 15,
                              .extraArguments = {QStringLiteral("--trailing-noise"), QStringLiteral("--fault"),
                                                 QStringLiteral("CMD_GET_STATUS:delay:300")}}));
    CXmit xmit;
    ASSERT_TRUE(xmit.OpenSerialPort(device.ptyPath()));
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        ASSERT_EQ(xmit.ProbeDevice(), 15);
        ASSERT_TRUE(xmit.Send(CMD_GET_STATUS));
        EXPECT_GE(xmit.ReplyLength, 8); // the status, not a stray refusal
        ASSERT_TRUE(xmit.Send(CMD_READ_CONFIG));
        EXPECT_TRUE(xmit.ReplyPayload.startsWith("SIM-158"));
    }
    EXPECT_FALSE(xmit.LinkLost);
    EXPECT_EQ(xmit.transmissions(), 9);
}

class DevSimSecondAttempts : public ::testing::TestWithParam<bool>
{
};

TEST_P(DevSimSecondAttempts, NothingIsStoredOrReadTwice)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.extraArguments = {QStringLiteral("--seed"), QStringLiteral("11"),
                                                 QStringLiteral("--fault"), QStringLiteral("CMD_FILE_WRITE:badcheck:0.5"),
                                                 QStringLiteral("--fault"), QStringLiteral("CMD_FILE_READ:badcheck:0.5"),
                                                 QStringLiteral("--fault"), QStringLiteral("CMD_FW_DATA:badcheck:0.5")}}));
    CXmit xmit;
    if (GetParam()) {
        ASSERT_TRUE(xmit.OpenSerialPort(device.ptyPath()));
    } else {
        xmit.TcpPort = device.tcpPort();
        ASSERT_TRUE(xmit.ConnectTcp(QStringLiteral("127.0.0.1")));
    }

    // Pieces that are all alike, so only the device's memory of the lost
    // reply tells a second attempt from the next piece.
    const QByteArray file(1025, '\x02');
    ASSERT_TRUE(SendUntilAnswered(xmit, CMD_FILE_CREATE, QByteArray("/up.bin") + '\0'));
    for (qsizetype sent = 0; sent < file.size(); sent += 400)
        ASSERT_TRUE(SendUntilAnswered(xmit, CMD_FILE_WRITE, file.mid(sent, 400)));
    ASSERT_TRUE(SendUntilAnswered(xmit, CMD_FILE_CLOSE));
    ASSERT_TRUE(SendUntilAnswered(xmit, CMD_FILE_OPEN, QByteArray("/up.bin") + '\0'));
    ASSERT_EQ(xmit.ReplyPayload, QByteArray::fromHex("01040000")); // 1025 bytes
    QByteArray back;
    for (int piece = 0; piece < 11; ++piece) {
        ASSERT_TRUE(SendUntilAnswered(xmit, CMD_FILE_READ, Le16(100)));
        back += xmit.ReplyPayload;
    }
    EXPECT_EQ(back, file);

    // Firmware blocks: a block stored twice would put the next offset out
    // of step, and the device refuses a block at the wrong offset.
    ASSERT_TRUE(SendUntilAnswered(xmit, CMD_FW_BEGIN));
    const QByteArray block(2048, 'I');
    for (quint32 offset = 0; offset < 6 * 2048; offset += 2048) {
        bool sent = false;
        for (int round = 0; round < 8 && !sent; ++round) {
            sent = xmit.SendDataBlock(offset, block);
            xmit.LinkLost = false;
        }
        ASSERT_TRUE(sent) << offset;
    }
    QStringList outcomes;
    for (const QString &line : device.requestLog())
        outcomes << line.section(QLatin1Char(' '), 5, 5);
    EXPECT_GE(outcomes.count(QStringLiteral("badcheck")), 4);
    EXPECT_FALSE(outcomes.contains(QStringLiteral("refused")));
}

INSTANTIATE_TEST_SUITE_P(Links, DevSimSecondAttempts, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "Serial" : "Tcp"; });

TEST(DevSimOptions, RefusesUnknownFaultTargetsAndUnfitRecords)
{
    QTemporaryDir folder;
    const auto fileOf = [&folder](const char *name, const QByteArray &contents) {
        QFile file(folder.filePath(QLatin1String(name)));
        QDir().mkpath(QFileInfo(file).path());
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        return file.fileName();
    };
    const QStringList refused[] = {
        {QStringLiteral("--fault"), QStringLiteral("CMD_GET_STATE:silence")},
        {QStringLiteral("--fault"), QStringLiteral("get_status:refuse")},
        {QStringLiteral("--record"), fileOf("empty.bin", {})},
        {QStringLiteral("--record"), fileOf("long.bin", QByteArray(1025, 'r'))},
        {QStringLiteral("--record"), folder.filePath(QStringLiteral("missing.bin"))},
        {QStringLiteral("--state"), QFileInfo(fileOf("state/config.bin", QByteArray(1025, 'r'))).path()},
        {QStringLiteral("--state"), fileOf("plain-file", "x")},
    };
    for (const QStringList &arguments : refused) {
        const DevSimRefusal refusal = RunRefusedDevSim(QStringList{QStringLiteral("--port"), QStringLiteral("0")} + arguments);
        EXPECT_EQ(refusal.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(refusal.message.count(QLatin1Char('\n')), 1) << refusal.message.toStdString();
    }
}

TEST(DevSimOptions, ServesTheRecordFileItIsGiven)
{
    const QByteArray record = ReferenceRecord(QStringLiteral("code192"));
    ASSERT_FALSE(record.isEmpty());
    DevSimProcess device;
    QFile file(device.folder() + QStringLiteral("/record.bin"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(record);
    file.close();
    ASSERT_TRUE(device.start({.code = 192, .versionByte = 15, .extraArguments = {QStringLiteral("--record"), file.fileName()}}));
    CXmit xmit;
    ASSERT_TRUE(xmit.OpenSerialPort(device.ptyPath()));
    ASSERT_TRUE(xmit.Send(CMD_READ_CONFIG));
    EXPECT_EQ(xmit.ReplyPayload.toHex(' '), record.toHex(' '));
}

TEST(DevSimOptions, KeepsTheRecordWrittenInItsStateFolderAcrossRuns)
{
    QTemporaryDir state;
    const QByteArray written = QByteArray::fromHex("0102030405060708");
    {
        DevSimProcess device;
        ASSERT_TRUE(device.start({.extraArguments = {QStringLiteral("--state"), state.path()}}));
        CXmit xmit;
        ASSERT_TRUE(xmit.OpenSerialPort(device.ptyPath()));
        ASSERT_TRUE(xmit.Send(CMD_WRITE_CONFIG, written));
    }
    DevSimProcess again;
    ASSERT_TRUE(again.start({.extraArguments = {QStringLiteral("--state"), state.path()}}));
    CXmit xmit;
    ASSERT_TRUE(xmit.OpenSerialPort(again.ptyPath()));
    ASSERT_TRUE(xmit.Send(CMD_READ_CONFIG));
    EXPECT_EQ(xmit.ReplyPayload.toHex(' '), written.toHex(' '));
}

} // namespace
