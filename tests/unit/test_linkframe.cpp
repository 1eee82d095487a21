#include "link/commands.h"
#include "link/linkframe.h"

#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char *hex)
{
    return QByteArray::fromHex(hex);
}

struct Decoded
{
    bool complete = false;
    bool valid = false;
    quint8 frameClass = 0;
    QByteArray payload;
    int consumed = 0;
};

Decoded DecodeReply(const QByteArray &line, int capacity = 4096)
{
    FrameDecoder decoder(FrameDecoder::Accept::Replies, capacity);
    Decoded result;
    result.consumed = decoder.feed(line.constData(), int(line.size()));
    result.complete = decoder.isComplete();
    result.valid = decoder.isValid();
    result.frameClass = decoder.frameClass();
    result.payload = decoder.payload();
    return result;
}

TEST(FrameEncoder, WorkedEncodings)
{
    EXPECT_EQ(FrameEncoder::encode(0x10, {}), Hex("021010"));
    EXPECT_EQ(FrameEncoder::encode(0x20, {}), Hex("022020"));
    EXPECT_EQ(FrameEncoder::encode(0xA0, Hex("02")), Hex("02A10202A3"));
    EXPECT_EQ(FrameEncoder::encode(0x30, Hex("02")), Hex("0231020233"));
    EXPECT_EQ(FrameEncoder::encode(0xB0, Hex("00EC01")), Hex("02B300EC015E"));
    EXPECT_EQ(FrameEncoder::encode(0xA0, Hex("030008")), Hex("02A3030008A8"));
    EXPECT_EQ(FrameEncoder::encode(REPLY_OK, {}), Hex("02F0F0"));
}

TEST(FrameEncoder, LengthForms)
{
    const QByteArray three(3, 'a'), four(4, 'a'), max1(255, 'a'), two(256, 'a');
    EXPECT_EQ(quint8(FrameEncoder::encode(0x50, three)[1]), 0x53);
    EXPECT_EQ(FrameEncoder::encode(0x50, three).size(), 1 + 1 + 3 + 1);

    const QByteArray frame4 = FrameEncoder::encode(0x50, four);
    EXPECT_EQ(quint8(frame4[1]), 0x54);
    EXPECT_EQ(quint8(frame4[2]), 0x04);

    const QByteArray frame255 = FrameEncoder::encode(0x50, max1);
    EXPECT_EQ(quint8(frame255[1]), 0x54);
    EXPECT_EQ(quint8(frame255[2]), 0xFF);

    const QByteArray frame256 = FrameEncoder::encode(0x50, two);
    EXPECT_EQ(quint8(frame256[1]), 0x58);
    EXPECT_EQ(quint8(frame256[2]), 0x01);
    EXPECT_EQ(quint8(frame256[3]), 0x00);

    EXPECT_TRUE(FrameEncoder::encode(0x50, QByteArray(MaxFramePayload + 1, 'a')).isEmpty());
}

TEST(FrameEncoder, DoublesEveryStartByteAfterTheFirst)
{
    // Length byte 2... in the two-byte form: 0x0202 bytes of payload 0x02
    // make the header, both length bytes, every payload byte and the check
    // 0x02 or not; count what the line carries.
    const QByteArray payload(0x0202, '\x02');
    const QByteArray line = FrameEncoder::encode(0x50, payload);
    // header 0x58, length 02 02 (doubled), payload doubled, check = 0x58
    EXPECT_EQ(line.size(), 1 + 1 + 4 + 2 * 0x0202 + 1);
    EXPECT_LE(line.size(), FrameEncoder::worstCaseSize(int(payload.size())));
    const Decoded decoded = DecodeReply(FrameEncoder::encode(0xF0, payload));
    EXPECT_TRUE(decoded.valid);
    EXPECT_EQ(decoded.payload, payload);
}

TEST(FrameDecoder, EscapedStartBytesInPayloadLengthAndCheck)
{
    const Decoded oneByte = DecodeReply(Hex("02F10202F3"));
    EXPECT_TRUE(oneByte.complete && oneByte.valid);
    EXPECT_EQ(oneByte.frameClass, REPLY_OK);
    EXPECT_EQ(oneByte.payload, Hex("02"));

    // A check byte that is 0x02: header F1, payload F3 -> check 0x02.
    EXPECT_EQ(FrameEncoder::encode(0xF0, Hex("F3")), Hex("02F1F30202"));
    EXPECT_TRUE(DecodeReply(Hex("02F1F30202")).valid);

    for (int size : {3, 4, 255, 256, 300}) {
        const QByteArray payload(size, char(size & 0xFF));
        const Decoded decoded = DecodeReply(FrameEncoder::encode(REPLY_OK, payload));
        EXPECT_TRUE(decoded.valid) << size;
        EXPECT_EQ(decoded.payload, payload) << size;
    }
}

// Replies written by hand: the header's low two bits add to the length
// byte(s) in every form, and a length byte 0x02 arrives doubled.
TEST(FrameDecoder, ReplyLengthFormsByHand)
{
    const Decoded oneByteForm = DecodeReply(Hex("02F5044142434445B0"));
    EXPECT_TRUE(oneByteForm.valid);
    EXPECT_EQ(oneByteForm.payload, Hex("4142434445"));

    const Decoded escapedLength = DecodeReply(Hex("02F402024142F5"));
    EXPECT_TRUE(escapedLength.valid);
    EXPECT_EQ(escapedLength.payload, Hex("4142"));

    const Decoded twoByteForm = DecodeReply(Hex("02F90100") + QByteArray(257, 'A') + Hex("B9"));
    EXPECT_TRUE(twoByteForm.valid);
    EXPECT_EQ(twoByteForm.payload, QByteArray(257, 'A'));
}

TEST(FrameDecoder, WrongCheckIsCompleteButInvalid)
{
    const Decoded decoded = DecodeReply(Hex("02F1AA00"));
    EXPECT_TRUE(decoded.complete);
    EXPECT_FALSE(decoded.valid);
}

TEST(FrameDecoder, LoneStartByteAbandonsPartialFrame)
{
    // A frame announcing 3 bytes is cut after one by a new frame.
    QByteArray line = Hex("02F311");
    line += FrameEncoder::encode(REPLY_OK, Hex("4142"));
    const Decoded decoded = DecodeReply(line);
    EXPECT_TRUE(decoded.valid);
    EXPECT_EQ(decoded.payload, Hex("4142"));
}

TEST(FrameDecoder, HeadersBelowE0AreIgnoredUntilTheNextStartByte)
{
    QByteArray line = Hex("0250AABBCC");
    line += Hex("02E0E0");
    const Decoded decoded = DecodeReply(line);
    EXPECT_TRUE(decoded.valid);
    EXPECT_EQ(decoded.frameClass, REPLY_REFUSED);
}

TEST(FrameDecoder, StopsAtTheCheckByte)
{
    const QByteArray line = Hex("02F0F0") + Hex("02F1AAAB");
    const Decoded decoded = DecodeReply(line);
    EXPECT_TRUE(decoded.valid);
    EXPECT_EQ(decoded.consumed, 3);
}

TEST(FrameDecoder, OversizedReplyIsNeverStoredPastCapacity)
{
    const QByteArray payload(5000, 'x');
    const Decoded decoded = DecodeReply(FrameEncoder::encode(REPLY_OK, payload), 4096);
    EXPECT_TRUE(decoded.complete);
    EXPECT_FALSE(decoded.valid);
    EXPECT_LE(decoded.payload.size(), 4096);
}

TEST(FrameDecoder, DecodesRequestsForTheDevice)
{
    FrameDecoder decoder(FrameDecoder::Accept::Requests);
    const QByteArray line = FrameEncoder::encode(0xB0, Hex("00EC01"));
    decoder.feed(line.constData(), int(line.size()));
    EXPECT_TRUE(decoder.isValid());
    EXPECT_EQ(decoder.frameClass(), 0xB0);
    EXPECT_EQ(decoder.payload(), Hex("00EC01"));

    FrameDecoder replies(FrameDecoder::Accept::Requests);
    const QByteArray reply = Hex("02F0F0");
    replies.feed(reply.constData(), int(reply.size()));
    EXPECT_FALSE(replies.isComplete());
}

TEST(DeviceCommands, CatalogueAndIdentification)
{
    EXPECT_EQ(FrameEncoder::encode(CMD_FILE_CLOSE.requestClass, QByteArray(1, char(CMD_FILE_CLOSE.subOperation))),
              Hex("02A10202A3"));
    const char close[] = {0x02};
    EXPECT_STREQ(IdentifyCommand(0xA0, close, 1)->name, CMD_FILE_CLOSE.name);
    EXPECT_STREQ(IdentifyCommand(0xA0, nullptr, 0)->name, CMD_EDID_REPAIR.name);
    const char data[] = {0x05};
    EXPECT_STREQ(IdentifyCommand(0xB0, data, 1)->name, CMD_FLASH_DATA.name);
    EXPECT_STREQ(IdentifyCommand(0x50, data, 1)->name, CMD_WRITE_CONFIG.name);
    EXPECT_EQ(IdentifyCommand(0x60, nullptr, 0), nullptr);
    for (const DeviceCommand &command : AllDeviceCommands) {
        EXPECT_EQ(command.requestClass % 0x10, 0) << command.name;
        EXPECT_GE(command.requestClass, 0x10) << command.name;
        EXPECT_LE(command.requestClass, 0xD0) << command.name;
    }
}

} // namespace
