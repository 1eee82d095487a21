// The simulated device's answers as the tool sees them, without a link in
// between: second attempts after lost replies, file opens it refuses, and
// the fault rules it takes.

#include "faultplan.h"
#include "simdevice.h"

#include "link/commands.h"
#include "link/linkframe.h"

#include <gtest/gtest.h>

namespace {

struct Reply
{
    bool good = false; // complete, with a correct check
    quint8 replyClass = 0;
    QByteArray payload;
};

Reply Decode(const SimResponse &response)
{
    FrameDecoder decoder(FrameDecoder::Accept::Replies);
    decoder.feed(response.lineBytes.constData(), int(response.lineBytes.size()));
    return {decoder.isComplete() && decoder.isValid(), decoder.frameClass(), decoder.payload()};
}

QByteArray Payload(const DeviceCommand &command, const QByteArray &data)
{
    QByteArray payload;
    if (command.subOperation != NoSubOperation)
        payload.append(char(command.subOperation));
    return payload + data;
}

QByteArray Path(const char *path)
{
    return QByteArray(path) + '\0';
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(char(value & 0xFF));
    return bytes;
}

QByteArray Le16(int value)
{
    return Bytes({value, value >> 8});
}

// Talks to the device the way the tool does: a request whose reply comes
// back spoiled is sent again, unchanged, until a good reply arrives.
class Tool
{
public:
    explicit Tool(SimDevice &device) : m_device(device) {}

    Reply request(const DeviceCommand &command, const QByteArray &data = {})
    {
        const QByteArray payload = Payload(command, data);
        Reply reply;
        for (int attempt = 0; attempt < 16 && !reply.good; ++attempt) {
            reply = Decode(m_device.handle(QStringLiteral("tcp"), command.requestClass, payload));
            m_secondAttempts += attempt > 0 ? 1 : 0;
        }
        EXPECT_TRUE(reply.good) << command.name;
        return reply;
    }
    bool accepted(const DeviceCommand &command, const QByteArray &data = {})
    {
        return request(command, data).replyClass == REPLY_OK;
    }
    int secondAttempts() const { return m_secondAttempts; }

    QByteArray readFile(const char *path, int pieceSize)
    {
        const Reply opened = request(CMD_FILE_OPEN, Path(path));
        if (opened.replyClass != REPLY_OK || opened.payload.size() != 4)
            return "refused";
        const int size = quint8(opened.payload[0]) | quint8(opened.payload[1]) << 8 | quint8(opened.payload[2]) << 16;
        QByteArray contents;
        while (contents.size() < size) {
            const QByteArray piece =
                request(CMD_FILE_READ, Le16(qMin<qsizetype>(pieceSize, size - contents.size()))).payload;
            if (piece.isEmpty())
                break;
            contents += piece;
        }
        request(CMD_FILE_CLOSE);
        return contents;
    }

private:
    SimDevice &m_device;
    int m_secondAttempts = 0;
};

// Every reply to the data requests is spoiled at random, half of the time.
FaultPlan SpoiledDataReplies()
{
    FaultPlan faults;
    faults.setSeed(7);
    QString error;
    for (const char *rule : {"CMD_FILE_WRITE:badcheck:0.5", "CMD_FILE_READ:badcheck:0.5",
                             "CMD_FLASH_DATA:badcheck:0.5", "CMD_FW_DATA:badcheck:0.5"})
        EXPECT_TRUE(faults.addRule(QString::fromLatin1(rule), &error)) << error.toStdString();
    return faults;
}

TEST(SimDevice, SecondAttemptsAfterSpoiledRepliesStoreAndReadNothingTwice)
{
    SimDevice device(SimIdentity{}, SpoiledDataReplies());
    Tool tool(device);

    // An upload in pieces that are all alike: each piece whose reply arrived
    // is a new piece, each one sent again after a spoiled reply is not.
    const QByteArray logo(1025, 'L');
    ASSERT_TRUE(tool.accepted(CMD_FILE_CREATE, Path("/mnt/logo.dg1")));
    for (qsizetype sent = 0; sent < logo.size(); sent += 400)
        ASSERT_TRUE(tool.accepted(CMD_FILE_WRITE, logo.mid(sent, 400)));
    ASSERT_TRUE(tool.accepted(CMD_FILE_CLOSE));
    // Read back in pieces of 100: a piece asked for again comes again.
    EXPECT_EQ(tool.readFile("/mnt/logo.dg1", 100), logo);

    QByteArray area;
    for (int i = 0; i < 3 * 512 + 7; ++i)
        area.append(char(i % 3 == 0 ? 0x02 : 'F'));
    ASSERT_TRUE(tool.accepted(CMD_FLASH_BEGIN, Le16(1021)));
    for (qsizetype sent = 0; sent < area.size(); sent += 512)
        ASSERT_TRUE(tool.accepted(CMD_FLASH_DATA, area.mid(sent, 512)));
    ASSERT_TRUE(tool.accepted(CMD_FLASH_END));
    EXPECT_EQ(device.flashArea(1021), area);

    // Firmware blocks carry their offset: a block sent again has the offset
    // of the one before and is acknowledged as that one was.
    const QByteArray image(5 * 2048 + 100, 'I');
    ASSERT_TRUE(tool.accepted(CMD_FW_BEGIN));
    for (qsizetype offset = 0; offset < image.size(); offset += 2048) {
        const QByteArray prefix = Bytes({int(offset >> 16), int(offset >> 8), int(offset)});
        ASSERT_TRUE(tool.accepted(CMD_FW_DATA, prefix + image.mid(offset, 2048))) << offset;
    }
    ASSERT_TRUE(tool.accepted(CMD_FW_END));
    EXPECT_EQ(device.firmwareImage(), image);

    // The seed spoils enough replies for every kind of request to be sent again.
    EXPECT_GE(tool.secondAttempts(), 8);
}

TEST(SimDevice, RunsTheImagesItTookOnlyAfterTheReboot)
{
    SimDevice device(SimIdentity{121, 23, 0}, FaultPlan{});
    Tool tool(device);
    const QByteArray image = QByteArray(3000, 'I') + "DEVSIM-FIRMWARE" + char(25) + QByteArray(100, 'J');
    ASSERT_TRUE(tool.accepted(CMD_FW_BEGIN));
    ASSERT_TRUE(tool.accepted(CMD_FW_DATA, Bytes({0, 0, 0}) + image.left(2048)));
    // Out of order: refused, and the transfer is spoiled.
    EXPECT_FALSE(tool.accepted(CMD_FW_DATA, Bytes({0, 0x10, 0}) + image.mid(2048)));
    EXPECT_FALSE(tool.accepted(CMD_FW_END));

    ASSERT_TRUE(tool.accepted(CMD_FW_BEGIN));
    ASSERT_TRUE(tool.accepted(CMD_FW_DATA, Bytes({0, 0, 0}) + image.left(2048)));
    ASSERT_TRUE(tool.accepted(CMD_FW_DATA, Bytes({0, 0x08, 0}) + image.mid(2048)));
    ASSERT_TRUE(tool.accepted(CMD_FW_END));
    EXPECT_EQ(tool.request(CMD_IDENTIFY).payload, Bytes({121, 23, 0, 0}));
    ASSERT_TRUE(tool.accepted(CMD_REBOOT));
    EXPECT_EQ(tool.request(CMD_IDENTIFY).payload, Bytes({121, 25, 0, 0}));

    // A family version record (code 128: block 990) becomes the fourth byte.
    SimDevice family(SimIdentity{128, 3, 1}, FaultPlan{});
    Tool familyTool(family);
    ASSERT_TRUE(familyTool.accepted(CMD_FLASH_BEGIN, Le16(990)));
    ASSERT_TRUE(familyTool.accepted(CMD_FLASH_DATA, Bytes({4})));
    ASSERT_TRUE(familyTool.accepted(CMD_FLASH_END));
    ASSERT_TRUE(familyTool.accepted(CMD_REBOOT));
    EXPECT_EQ(familyTool.request(CMD_IDENTIFY).payload, Bytes({128, 3, 0, 4}));
}

TEST(SimDevice, DelayedReplyMakesTheSameRequestASecondAttemptUntilItArrives)
{
    FaultPlan faults;
    QString error;
    ASSERT_TRUE(faults.addRule(QStringLiteral("CMD_FILE_READ:delay:60000"), &error));
    SimDevice device(SimIdentity{}, std::move(faults));
    const auto handle = [&device](const DeviceCommand &command, const QByteArray &data) {
        return device.handle(QStringLiteral("pty"), command.requestClass, Payload(command, data));
    };
    ASSERT_EQ(Decode(handle(CMD_FILE_OPEN, Path("/logFile"))).replyClass, REPLY_OK);
    const SimResponse first = handle(CMD_FILE_READ, Le16(10));
    EXPECT_EQ(first.delayMs, 60000);
    // The tool gave up waiting and asks again: the same ten bytes.
    EXPECT_EQ(Decode(handle(CMD_FILE_READ, Le16(10))).payload, Decode(first).payload);
    EXPECT_EQ(Decode(first).payload, QByteArray("logFile li"));
}

TEST(SimDevice, IdenticalRequestAfterAGoodReplyIsANewOne)
{
    SimDevice device(SimIdentity{}, FaultPlan{});
    Tool tool(device);
    ASSERT_TRUE(tool.accepted(CMD_FILE_OPEN, Path("/logFile")));
    EXPECT_EQ(tool.request(CMD_FILE_READ, Le16(4)).payload, "logF");
    EXPECT_EQ(tool.request(CMD_FILE_READ, Le16(4)).payload, "ile ");
}

TEST(SimDevice, RefusedOpenLeavesNoFileOpen)
{
    SimDevice device(SimIdentity{}, FaultPlan{});
    Tool tool(device);
    ASSERT_TRUE(tool.accepted(CMD_FILE_OPEN, Path("/logFile.0")));
    ASSERT_EQ(tool.request(CMD_FILE_READ, Le16(9)).payload, "logFile.0");
    EXPECT_FALSE(tool.accepted(CMD_FILE_OPEN, Path("/missing")));
    // Reads after the refusal get nothing of the file open before it.
    EXPECT_FALSE(tool.accepted(CMD_FILE_READ, Le16(9)));
    EXPECT_FALSE(tool.accepted(CMD_FILE_WRITE, "x"));
    // The files themselves are untouched.
    EXPECT_EQ(tool.readFile("/logFile.0", 2048).left(17), "logFile.0 line 1:");
}

TEST(FaultPlan, RefusesNamesOfNoCommand)
{
    FaultPlan faults;
    QString error;
    EXPECT_TRUE(faults.addRule(QStringLiteral("CMD_GET_STATUS:silence"), &error));
    EXPECT_TRUE(faults.addRule(QStringLiteral("all:refuse"), &error));
    EXPECT_TRUE(faults.addRule(QStringLiteral("0x40:delay:300:0.5"), &error));
    for (const char *rule : {"CMD_GET_STATE:silence", "cmd_get_status:silence", "GET_STATUS:refuse", "CMD_:drop"}) {
        error.clear();
        EXPECT_FALSE(faults.addRule(QString::fromLatin1(rule), &error)) << rule;
        EXPECT_TRUE(error.contains(QString::fromLatin1(rule).section(QLatin1Char(':'), 0, 0))) << error.toStdString();
    }
}

} // namespace
