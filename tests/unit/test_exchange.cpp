#include "scriptedtransport.h"

#include "link/cxmit.h"
#include "link/deviceoperations.h"
#include "link/linkframe.h"

#include <QBuffer>
#include <QList>

#include <functional>
#include <iterator>

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
    EXPECT_TRUE(xmit.SendRequest(0x70, {}, ShortTimeout));
    EXPECT_EQ(link.sent.size(), 2);
    EXPECT_EQ(xmit.ReplyPayload, QByteArray("A"));
    EXPECT_FALSE(xmit.LinkLost);
    EXPECT_TRUE(xmit.ReplyAfterRetry);
}

TEST_F(ExchangeTest, LampsAndWriteFlag)
{
    attach();
    xmit.ShowLinkActivity = [this](bool write) { lamps << write; };
    link.replies << Ok() << Ok("R");
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
    xmit.TimeoutScale = 0.002; // a one-byte reply cannot answer the probe: it is waited out
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

// Every request of the command set as it goes on the line, how long each
// attempt waits for its reply and whether it lights the write lamp, written
// out by hand from the device's command table.
TEST_F(ExchangeTest, EveryCommandOnTheLineWithItsWaitAndWriteLamp)
{
    struct Row
    {
        const char *name;
        std::function<void(CXmit &)> send;
        const char *line;
        int waitMs;
        bool write;
        QByteArray reply = {}; // what the request is answered with
    };
    const QString path = QStringLiteral("/a");
    const Row rows[] = {
        {"identify", [](CXmit &x) { x.Send(CMD_IDENTIFY); }, "021010", 2500, false, QByteArray::fromHex("840E")},
        {"reboot", [](CXmit &x) { x.Send(CMD_REBOOT); }, "022020", 2500, false},
        {"media", [](CXmit &x) { x.Send(CMD_MEDIA_CONTROL, QByteArray::fromHex("01")); }, "02310130", 5000, false},
        {"status", [](CXmit &x) { x.Send(CMD_GET_STATUS); }, "024040", 2500, false, QByteArray(16, '\0')},
        {"write config", [](CXmit &x) { x.Send(CMD_WRITE_CONFIG, "AB"); }, "0252414251", 2500, true},
        {"read config", [](CXmit &x) { x.Send(CMD_READ_CONFIG); }, "027070", 2500, false, "R"},
        {"shell", [](CXmit &x) { DeviceShell(x, QStringLiteral("sync")); }, "02840573796E630086", 25000, true},
        {"save default", [](CXmit &x) { x.Send(CMD_SAVE_DEFAULT); }, "029090", 2500, false},
        {"edid", [](CXmit &x) { x.Send(CMD_EDID_REPAIR); }, "02A0A0", 25000, false},
        {"file create", [&](CXmit &x) { DeviceFileCreate(x, path); }, "02A404002F6100EE", 1000, true},
        {"file open", [&](CXmit &x) { DeviceFileOpen(x, path); }, "02A404012F6100EF", 1000, false,
         QByteArray(4, '\0')},
        {"file close", [](CXmit &x) { x.Send(CMD_FILE_CLOSE); }, "02A10202A3", 25000, false},
        {"file read", [](CXmit &x) { x.Send(CMD_FILE_READ, QByteArray::fromHex("0008")); }, "02A3030008A8", 2500, false},
        {"file write", [](CXmit &x) { x.Send(CMD_FILE_WRITE, "x"); }, "02A20478DE", 2500, true},
        {"flash begin", [](CXmit &x) { FlashBegin(x, 0x01EC); }, "02B300EC015E", 2500, false},
        {"flash end", [](CXmit &x) { FlashEnd(x); }, "02B10202B3", 25000, false},
        {"flash data", [](CXmit &x) { FlashWrite(x, "x"); }, "02B20578CF", 25000, false},
        {"fw begin", [](CXmit &x) { x.Send(CMD_FW_BEGIN); }, "02C100C1", 5000, false},
        {"fw data", [](CXmit &x) { x.SendDataBlock(0x000102, "x"); }, "02C405010001020278BB", 25000, true},
        {"fw end", [](CXmit &x) { x.Send(CMD_FW_END); }, "02C10202C3", 250000, true},
        {"set clock", [](CXmit &x) { x.Send(CMD_SET_CLOCK, QByteArray::fromHex("E807051F0C223B")); },
         "02D40800E807051F0C223B3C", 2500, false},
        {"snapshot", [](CXmit &x) { x.Send(CMD_SNAPSHOT); }, "02D10202D3", 2500, false, QByteArray(1024, '\0')},
        {"panel", [](CXmit &x) { x.Send(CMD_PANEL_3); }, "02D103D2", 2500, false},
    };
    attach();
    xmit.ShowLinkActivity = [this](bool write) { lamps << write; };
    for (const Row &row : rows) {
        link.replies << Ok(row.reply);
        lamps.clear();
        const qsizetype firstWait = link.waits.size();
        row.send(xmit);
        ASSERT_FALSE(link.sent.isEmpty()) << row.name;
        EXPECT_EQ(link.sent.last().toHex().toUpper(), QByteArray(row.line)) << row.name;
        EXPECT_EQ(lamps, QList<bool>{row.write}) << row.name;
        EXPECT_FALSE(xmit.WriteFlag) << row.name;
        // The wait starts as the request leaves; the next longer time-out of
        // the table is at least twice as long.
        ASSERT_GT(link.waits.size(), firstWait) << row.name;
        EXPECT_LE(link.waits[firstWait], row.waitMs) << row.name;
        EXPECT_GT(link.waits[firstWait], row.waitMs / 2) << row.name;
    }
    EXPECT_EQ(link.sent.size(), qsizetype(std::size(rows)));
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

// The link has no sequence numbers: a reply is taken only by a request it
// can answer, and anything else on the line is set aside while the wait
// goes on. Each case: the request, what the line brings after each
// transmission, the payload taken (null: none) and how many transmissions.
TEST_F(ExchangeTest, AReplyIsTakenOnlyByARequestItCanAnswer)
{
    struct Case
    {
        const char *name;
        std::function<bool(CXmit &)> send;
        QList<QByteArray> lineBytes;
        bool answered;
        QByteArray taken;
        int transmissions;
    };
    const QByteArray status12 = QByteArray(12, 'S');
    const QByteArray identity = QByteArray::fromHex("840F0000");
    const Case cases[] = {
        {"identify behind a late status", [](CXmit &x) { return x.Send(CMD_IDENTIFY); },
         {Ok(status12) + Ok(identity)}, true, identity, 1},
        {"identify behind a late empty answer", [](CXmit &x) { return x.Send(CMD_IDENTIFY); },
         {Ok() + Ok(identity)}, true, identity, 1},
        {"status behind a late identification", [](CXmit &x) { return x.Send(CMD_GET_STATUS); },
         {Ok(identity) + Ok(status12)}, true, status12, 1},
        {"write behind a late record", [](CXmit &x) { return x.Send(CMD_WRITE_CONFIG, "rec"); },
         {Ok(QByteArray(300, 'r')) + Ok()}, true, {}, 1},
        {"read of 16 bytes never takes 20", [](CXmit &x) { return x.Send(CMD_FILE_READ, QByteArray::fromHex("1000")); },
         {Ok(QByteArray(20, 'f')), {}}, false, {}, 2},
        {"a picture is whole or none", [](CXmit &x) { return x.Send(CMD_SNAPSHOT); },
         {Ok(QByteArray(512, 'p')), Ok(QByteArray(1024, 'p'))}, true, QByteArray(1024, 'p'), 2},
        {"a record is never empty", [](CXmit &x) { return x.Send(CMD_READ_CONFIG); },
         {Ok(), {}}, false, {}, 2},
        {"a file size has at most four bytes", [](CXmit &x) { return x.Send(CMD_FILE_OPEN, "/a"); },
         {Ok(QByteArray(5, 's')) + Ok(QByteArray::fromHex("10000000"))}, true, QByteArray::fromHex("10000000"), 1},
    };
    for (const Case &test : cases) {
        ScriptedLink caseLink;
        caseLink.replies = test.lineBytes;
        CXmit caseXmit;
        caseXmit.TimeoutScale = 0.004;
        caseXmit.AttachTransport(std::make_unique<ScriptedTransport>(caseLink));
        const bool answered = test.send(caseXmit);
        EXPECT_EQ(answered, test.answered) << test.name;
        if (answered)
            EXPECT_EQ(caseXmit.ReplyPayload, test.taken) << test.name;
        EXPECT_EQ(caseLink.sent.size(), test.transmissions) << test.name;
    }
}

TEST_F(ExchangeTest, ARefusalAnswersAnyRequest)
{
    attach();
    link.replies << FrameEncoder::encode(REPLY_REFUSED, {});
    EXPECT_FALSE(xmit.Send(CMD_SNAPSHOT));
    EXPECT_EQ(link.sent.size(), 1);
    EXPECT_FALSE(xmit.LinkLost);
}

TEST_F(ExchangeTest, TheSecondAnswerToARetriedRequestNeverAnswersTheNext)
{
    // Both polls take replies of the same shape: only the drain tells the
    // late second answer to the first poll from the answer to the second.
    attach();
    xmit.TimeoutScale = 0.004;
    const QByteArray first(12, '1'), second(12, '2');
    link.replies << QByteArray() << Ok(first);
    ASSERT_TRUE(xmit.Send(CMD_GET_STATUS));
    EXPECT_TRUE(xmit.ReplyAfterRetry);
    link.pending += Ok(first); // the device answers the second transmission too
    link.replies << Ok(second);
    ASSERT_TRUE(xmit.Send(CMD_GET_STATUS));
    EXPECT_EQ(xmit.ReplyPayload, second);
    EXPECT_FALSE(xmit.ReplyAfterRetry);
}

TEST_F(ExchangeTest, AGoneLinkFailsAtOnceAndStaysFailed)
{
    attach();
    link.transmissionsBeforeGone = 1; // the device goes away after the request
    xmit.ShowLinkActivity = [this](bool write) { lamps << write; };
    EXPECT_FALSE(xmit.Send(CMD_FLASH_DATA, "x")); // a 25 s time-out per attempt
    EXPECT_EQ(link.sent.size(), 1);
    EXPECT_TRUE(xmit.LinkLost);
    xmit.LinkLost = false;
    EXPECT_FALSE(xmit.Send(CMD_FLASH_END));
    EXPECT_TRUE(xmit.LinkLost);
    EXPECT_EQ(lamps.size(), 1); // nothing was tried on the gone link
}

TEST_F(ExchangeTest, AFileReadAnsweredOnlyAfterASecondTransmissionEndsTheDownload)
{
    attach();
    xmit.TimeoutScale = 0.004;
    // Size 5000; the first read answered at once, the second only after it
    // was sent again: which piece the device then sent cannot be told.
    link.replies << Ok(QByteArray::fromHex("88130000")) << Ok(QByteArray(2048, 'a')) << QByteArray()
                 << Ok(QByteArray(2048, 'b')) << Ok();
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const DeviceFileRead read = ReadDeviceFile(xmit, QStringLiteral("/logFile"), out);
    EXPECT_EQ(read.stop, DeviceFileRead::Stop::ReadRepeated);
    EXPECT_EQ(out.data(), QByteArray(2048, 'a'));
    EXPECT_EQ(read.received, 2048);
    EXPECT_EQ(link.sent.size(), 5); // open, read, read twice, close
}

TEST_F(ExchangeTest, AnOpenWithoutAWholeSizeIsClosedAgain)
{
    attach();
    link.replies << Ok(QByteArray::fromHex("8813")) << Ok();
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const DeviceFileRead read = ReadDeviceFile(xmit, QStringLiteral("/logFile"), out);
    EXPECT_EQ(read.stop, DeviceFileRead::Stop::SizeMissing);
    ASSERT_EQ(link.sent.size(), 2);
    EXPECT_EQ(link.sent[1].toHex().toUpper(), QByteArray("02A10202A3"));
}

} // namespace
