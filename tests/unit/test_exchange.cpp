#include "scriptedtransport.h"

#include "link/cxmit.h"
#include "link/deviceoperations.h"
#include "link/linkframe.h"

#include <QBuffer>
#include <QList>

#include <gtest/gtest.h>

namespace {

class ExchangeTest : public ::testing::Test
{
protected:
    void attach(bool serial = true) { xmit.AttachTransport(std::make_unique<ScriptedTransport>(link, serial)); }
    static QByteArray Ok(const QByteArray &payload = {}) { return FrameEncoder::encode(REPLY_OK, payload); }

    ScriptedLink link;
    CXmit xmit;
    QList<bool> lamps;
};

// Short time-outs keep silent attempts quick: 2 units are 10 ms.
constexpr int ShortTimeout = 2;

TEST_F(ExchangeTest, NoLinkFailsAtOnceWithoutLamp)
{
    xmit.ShowLinkActivity = [this](bool write) { lamps << write; };
    xmit.WriteFlag = true;
    EXPECT_FALSE(xmit.SendRequest(0x10, {}, ShortTimeout));
    EXPECT_TRUE(xmit.LinkLost);
    EXPECT_FALSE(xmit.WriteFlag);
    EXPECT_TRUE(lamps.isEmpty());
}

TEST_F(ExchangeTest, RefusedReplyFailsAfterOneTransmission)
{
    attach();
    link.replies << FrameEncoder::encode(REPLY_REFUSED, {});
    EXPECT_FALSE(xmit.SendRequest(0x50, QByteArray("x"), ShortTimeout));
    EXPECT_EQ(link.sent.size(), 1);
    EXPECT_FALSE(xmit.LinkLost);
}

TEST_F(ExchangeTest, SilenceMeansTwoTransmissionsAndLinkLost)
{
    attach();
    EXPECT_FALSE(xmit.SendRequest(0x40, {}, ShortTimeout));
    EXPECT_EQ(link.sent.size(), 2);
    EXPECT_EQ(link.sent[0], link.sent[1]);
    EXPECT_TRUE(xmit.LinkLost);
    EXPECT_EQ(link.discards, 1); // not flushed again between attempts
}

TEST_F(ExchangeTest, WrongCheckIsRetriedOnce)
{
    attach();
    link.replies << QByteArray::fromHex("02F1AA00") << Ok(QByteArray("A"));
    EXPECT_TRUE(xmit.SendRequest(0x40, {}, ShortTimeout));
    EXPECT_EQ(link.sent.size(), 2);
    EXPECT_EQ(xmit.ReplyPayload, QByteArray("A"));
    EXPECT_FALSE(xmit.LinkLost);
}

TEST_F(ExchangeTest, LampsAndWriteFlag)
{
    attach();
    xmit.ShowLinkActivity = [this](bool write) { lamps << write; };
    link.replies << Ok() << Ok();
    EXPECT_TRUE(xmit.Send(CMD_WRITE_CONFIG, QByteArray(10, 'r')));
    EXPECT_FALSE(xmit.WriteFlag);
    EXPECT_TRUE(xmit.Send(CMD_READ_CONFIG));
    EXPECT_EQ(lamps, (QList<bool>{true, false}));
}

TEST_F(ExchangeTest, StaleSerialInputIsDiscardedBeforeSending)
{
    attach();
    link.staleInput = FrameEncoder::encode(REPLY_REFUSED, {});
    link.replies << Ok(QByteArray::fromHex("840E00"));
    EXPECT_TRUE(xmit.SendRequest(0x10, {}, ShortTimeout));
}

TEST_F(ExchangeTest, DataBlockPrefixAndLimits)
{
    attach();
    link.replies << Ok();
    EXPECT_TRUE(xmit.SendDataBlock(0x123456, QByteArray(2048, '\x02')));
    FrameDecoder decoder(FrameDecoder::Accept::Requests, 4096);
    decoder.feed(link.sent[0].constData(), int(link.sent[0].size()));
    ASSERT_TRUE(decoder.isValid());
    EXPECT_EQ(decoder.frameClass(), 0xC0);
    EXPECT_EQ(decoder.payload().left(4), QByteArray::fromHex("01123456"));
    EXPECT_EQ(decoder.payload().size(), 2052);
    EXPECT_LE(link.sent[0].size(), CXmit::TransmitCapacity);

    xmit.WriteFlag = false;
    EXPECT_FALSE(xmit.SendDataBlock(0, QByteArray(2049, 'x')));
    EXPECT_EQ(link.sent.size(), 1);
}

TEST_F(ExchangeTest, ProbeFillsIdentity)
{
    attach();
    link.replies << Ok(QByteArray::fromHex("8E070003"));
    EXPECT_EQ(xmit.ProbeDevice(), 7);
    EXPECT_EQ(xmit.Identity.HardwareCode, 142);
    EXPECT_EQ(xmit.Identity.FirmwareMinor, 3);

    link.replies << Ok(QByteArray::fromHex("840E00"));
    EXPECT_EQ(xmit.ProbeDevice(), 14);
    EXPECT_EQ(xmit.Identity.FirmwareMinor, 0); // three bytes: no minor
}

TEST_F(ExchangeTest, ProbeRefusesBadIdentification)
{
    attach();
    xmit.Identity = {132, 14, 0};
    for (const char *reply : {"84", "8114", "A014", "B114", "C114"}) {
        link.replies << Ok(QByteArray::fromHex(reply));
        EXPECT_EQ(xmit.ProbeDevice(), 0) << reply;
        EXPECT_EQ(xmit.Identity.HardwareCode, 132) << reply;
    }
    link.replies << Ok(QByteArray::fromHex("9F0000"));
    EXPECT_EQ(xmit.ProbeDevice(), 0); // version byte 0 counts as no device
    EXPECT_EQ(xmit.Identity.HardwareCode, 159);
}

TEST_F(ExchangeTest, ConnectDeviceWithoutAnswerClearsLinkLost)
{
    xmit.ListSerialPorts = [] { return QStringList{QStringLiteral("/nonexistent/ttyACM9")}; };
    xmit.LinkLost = true;
    EXPECT_EQ(xmit.ConnectDevice(), 0);
    EXPECT_FALSE(xmit.LinkLost);
    EXPECT_FALSE(xmit.isLinked());
}

TEST_F(ExchangeTest, DevicePathsAndShellLinesThatDoNotFitAreRefused)
{
    attach();
    link.replies << Ok() << Ok();
    EXPECT_TRUE(DeviceFileCreate(xmit, QString(MaxDevicePathLength, QLatin1Char('p'))));
    EXPECT_EQ(link.sent.last().size(), 1 + 1 + 2 + DevicePayloadBuffer + 1); // nothing doubled, nothing cut
    EXPECT_FALSE(DeviceFileCreate(xmit, QString(MaxDevicePathLength + 1, QLatin1Char('p'))));
    EXPECT_TRUE(DeviceShell(xmit, QString(MaxShellLineLength, QLatin1Char('s'))));
    EXPECT_FALSE(DeviceShell(xmit, QString(MaxShellLineLength + 1, QLatin1Char('s'))));
    EXPECT_EQ(link.sent.size(), 2);
}

TEST(DeviceString, LowByteOfEachUnitThenZero)
{
    QByteArray out;
    EXPECT_EQ(ToDeviceString(QStringLiteral("/a\u00E9\u20AC"), out), 5);
    EXPECT_EQ(out, QByteArray::fromHex("2F61E9AC00"));
}

TEST_F(ExchangeTest, FileReadWritesOnlyWhatArrived)
{
    attach();
    // Size 5000: pieces of 2048, then a short piece, then a failed read.
    link.replies << Ok(QByteArray::fromHex("88130000")) << Ok(QByteArray(2048, 'a')) << Ok(QByteArray(100, 'b'))
                 << FrameEncoder::encode(REPLY_REFUSED, {}) << Ok();
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const DeviceFileRead read = ReadDeviceFile(xmit, QStringLiteral("/logFile"), out);
    EXPECT_EQ(read.expectedSize, 5000);
    EXPECT_EQ(read.received, 2148);
    EXPECT_FALSE(read.complete());
    EXPECT_EQ(out.data(), QByteArray(2048, 'a') + QByteArray(100, 'b'));
    EXPECT_EQ(link.sent.size(), 5); // open, three reads, close
}

TEST_F(ExchangeTest, MissingFileSendsNoClose)
{
    attach();
    link.replies << FrameEncoder::encode(REPLY_REFUSED, {});
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_EQ(ReadDeviceFile(xmit, QStringLiteral("/missing"), out).expectedSize, -1);
    EXPECT_EQ(link.sent.size(), 1);
}

TEST_F(ExchangeTest, FlashAreaInChunksOf512)
{
    attach();
    for (int i = 0; i < 5; ++i)
        link.replies << Ok();
    EXPECT_TRUE(WriteFlashArea(xmit, 750, QByteArray(1025, 'L')));
    ASSERT_EQ(link.sent.size(), 5); // begin, 512, 512, 1, end
    FrameDecoder decoder(FrameDecoder::Accept::Requests);
    decoder.feed(link.sent[0].constData(), int(link.sent[0].size()));
    EXPECT_EQ(decoder.payload(), QByteArray::fromHex("00EE02"));
}

} // namespace
