// The device actions without windows: the clock payload, the snapshot bitmap
// and its file, reset, and the EDID repair's questions, against a simulated
// device in the test's process. Bytes are written by hand.

#include "answeringprompts.h"
#include "inprocessdevice.h"
#include "inprocesstransport.h"
#include "testfiles.h"

#include "auxiliary/beep.h"
#include "auxiliary/texttable.h"
#include "link/cxmit.h"
#include "panel/deviceactions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The 62 header bytes of a 128 x 64 two-colour bitmap of 1086 bytes.
const QByteArray BitmapHeader = QByteArray::fromHex(
    "424d"     // "BM"
    "3e040000" // file size 1086
    "00000000" // reserved
    "3e000000" // pixel data at 62
    "28000000" // information header of 40 bytes
    "80000000" // width 128
    "40000000" // height 64, bottom row first
    "0100"     // one plane
    "0100"     // one bit per pixel
    "00000000" // no compression
    "00040000" // 1024 bytes of pixels
    "00000000" "00000000" // resolution
    "00000000" "00000000" // colours used, important colours
    "00000000" // palette 0: black
    "ffffff00" // palette 1: white
);

// Offset in the file of pixel row r (0 is the bottom row), byte b.
constexpr int PixelByte(int row, int byte)
{
    return 62 + row * 16 + byte;
}

TEST(DeviceActions, ComputerClockIsTheLocalTimeOrTheNoTimeMarker)
{
    EXPECT_EQ(ComputerClock(QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9))), (ClockFields{2024, 3, 5, 7, 8, 9}));
    EXPECT_EQ(SetClockData(ComputerClock(QDateTime(QDate(1999, 12, 31), QTime(23, 59, 58)))),
              QByteArray::fromHex("cf070c1f173b3a"));
    EXPECT_EQ(SetClockData(ComputerClock(QDateTime())), QByteArray::fromHex("00000000ffffff"));
}

TEST(DeviceActions, SnapshotBitmapIsUprightWithLitPixelsWhite)
{
    QByteArray picture(SnapshotPictureSize, '\0');
    picture[0] = char(0x01); // page 0, column 0, line 0: the top-left pixel
    QByteArray expected = BitmapHeader + QByteArray(1024, '\0');
    expected[PixelByte(63, 0)] = char(0x80);
    const QByteArray bitmap = SnapshotBitmap(picture);
    EXPECT_EQ(bitmap.size(), 1086);
    EXPECT_EQ(bitmap, expected);

    // Column 127 of page 0, bit 7: line 7, the rightmost pixel. Column 9 of
    // page 7, bit 7: line 63, the bottom line. Column 130 is column 2 of
    // page 1, bit 1: line 9.
    picture.fill('\0');
    picture[127] = char(0x80);
    picture[7 * 128 + 9] = char(0x80);
    picture[130] = char(0x02);
    expected = BitmapHeader + QByteArray(1024, '\0');
    expected[PixelByte(56, 15)] = char(0x01);
    expected[PixelByte(0, 1)] = char(0x40);
    expected[PixelByte(54, 0)] = char(0x20);
    EXPECT_EQ(SnapshotBitmap(picture), expected);

    // A column with every bit set is eight pixels one above the other.
    picture.fill('\0');
    picture[3] = char(0xFF);
    expected = BitmapHeader + QByteArray(1024, '\0');
    for (int row = 56; row < 64; ++row)
        expected[PixelByte(row, 0)] = char(0x10);
    EXPECT_EQ(SnapshotBitmap(picture), expected);
}

TEST(DeviceActions, SnapshotPathGetsBmpUnlessItEndsInIt)
{
    EXPECT_EQ(SnapshotFilePath("/tmp/shot"), "/tmp/shot.bmp");
    EXPECT_EQ(SnapshotFilePath("/tmp/shot.BMP"), "/tmp/shot.BMP");
    EXPECT_EQ(SnapshotFilePath("/tmp/shot.bmp"), "/tmp/shot.bmp");
    EXPECT_EQ(SnapshotFilePath("/tmp/shot.bMp"), "/tmp/shot.bMp");
    EXPECT_EQ(SnapshotFilePath("/tmp/shot.txt"), "/tmp/shot.txt.bmp");
    EXPECT_EQ(SnapshotFilePath("/tmp/shotbmp"), "/tmp/shotbmp.bmp");
}

class DeviceActionTest : public ::testing::Test
{
protected:
    DeviceActionTest()
    {
        m_previousSink = SetBeepSink([this](int frequency, int duration) { beeps << frequency << duration; });
    }
    ~DeviceActionTest() override { SetBeepSink(m_previousSink); }

    void link(const InProcessDevice::Options &options)
    {
        device = std::make_unique<InProcessDevice>(options);
        device->plugInto(xmit);
        ASSERT_TRUE(xmit.OpenSerialPort(device->portPath()));
        ASSERT_NE(xmit.ProbeDevice(), 0);
    }

    QStringList commandsAfterProbe() const { return device->commandsLogged().mid(1); }

    // The payload (hex) of each request after the probe.
    QStringList payloadsAfterProbe() const
    {
        QStringList payloads;
        for (const QString &line : device->requestLog().mid(1))
            payloads << line.split(QLatin1Char(' ')).value(4);
        return payloads;
    }

    QTemporaryDir folder;
    CXmit xmit;
    std::unique_ptr<InProcessDevice> device;
    QList<int> beeps;

private:
    BeepSink m_previousSink;
};

TEST_F(DeviceActionTest, ClockSetSendsTodaysDate)
{
    link({.code = 159, .versionByte = 15});
    const QDate today = QDate::currentDate();
    EXPECT_TRUE(SetClockFromComputer(xmit));
    EXPECT_EQ(commandsAfterProbe(), QStringList{"CMD_SET_CLOCK"});
    const QByteArray sent = QByteArray::fromHex(payloadsAfterProbe().value(0).toLatin1());
    ASSERT_EQ(sent.size(), 8);
    EXPECT_EQ(sent[0], 0x00);
    EXPECT_EQ(quint8(sent[1]) | quint8(sent[2]) << 8, today.year());
}

TEST_F(DeviceActionTest, SnapshotOfAKnownPictureIsSavedByteExact)
{
    link({.code = 176, .versionByte = 15});
    QByteArray picture(1024, '\0');
    picture[0] = char(0x01);
    device->device().setSnapshotPicture(picture);
    AnsweringPrompts prompts;
    prompts.Paths << folder.filePath("display");

    TakeSnapshot(xmit);
    EXPECT_EQ(commandsAfterProbe(), QStringList{"CMD_SNAPSHOT"});
    EXPECT_EQ(payloadsAfterProbe(), QStringList{"02"});
    ASSERT_EQ(prompts.FileRequests.size(), 1);
    const FilePrompt &asked = prompts.FileRequests[0];
    EXPECT_EQ(asked.Mode, FilePrompt::Kind::Save);
    EXPECT_EQ(asked.Title, QStringLiteral("SAVE"));
    EXPECT_EQ(asked.FilterCaption, QStringLiteral("Bitmap."));
    EXPECT_EQ(asked.Pattern, QStringLiteral("*.bmp"));
    EXPECT_TRUE(asked.Folder.isEmpty());

    QByteArray expected = BitmapHeader + QByteArray(1024, '\0');
    expected[PixelByte(63, 0)] = char(0x80);
    EXPECT_EQ(ReadAll(folder.filePath("display.bmp")), expected);
    EXPECT_TRUE(beeps.isEmpty());

    // Cancelled: no file.
    TakeSnapshot(xmit);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"display.bmp"});
}

TEST_F(DeviceActionTest, NoPictureFromTheDeviceBeepsAndOffersNoFile)
{
    for (const bool silent : {false, true}) {
        link({.code = 192, .versionByte = 15,
              .faults = silent ? QStringList{"CMD_SNAPSHOT:silence"} : QStringList{}});
        if (!silent)
            device->device().setSnapshotPicture(QByteArray(1023, char(0xFF)));
        AnsweringPrompts prompts;
        prompts.Paths << folder.filePath("display");
        beeps.clear();
        TakeSnapshot(xmit);
        EXPECT_TRUE(prompts.FileRequests.isEmpty()) << silent;
        EXPECT_EQ(beeps, (QList<int>{440, 250})) << silent;
        EXPECT_FALSE(QFile::exists(folder.filePath("display.bmp"))) << silent;
        // A picture that is not whole cannot answer the request: it is
        // waited out like silence.
        EXPECT_EQ(device->commandsLogged().count("CMD_SNAPSHOT"), 2);
    }
}

TEST_F(DeviceActionTest, SnapshotThatCannotBeWrittenBeeps)
{
    link({.code = 159, .versionByte = 15});
    AnsweringPrompts prompts;
    prompts.Paths << folder.filePath("missing/display");
    TakeSnapshot(xmit);
    EXPECT_EQ(prompts.FileRequests.size(), 1);
    EXPECT_EQ(beeps, (QList<int>{440, 250}));
}

TEST_F(DeviceActionTest, ResetClosesASerialLinkButNotATcpOne)
{
    link({.code = 158, .versionByte = 15});
    EXPECT_TRUE(ResetDevice(xmit));
    EXPECT_EQ(commandsAfterProbe(), QStringList{"CMD_REBOOT"});
    EXPECT_FALSE(xmit.isLinked());

    xmit.AttachTransport(
        std::make_unique<InProcessTransport>(device->device(), InProcessTransport::Kind::Tcp, InProcessDevice::TimeScale));
    EXPECT_TRUE(ResetDevice(xmit));
    EXPECT_TRUE(xmit.isLinked());
}

TEST_F(DeviceActionTest, EdidRepairAsksTwiceUnlessInManufacturerMode)
{
    link({.code = 132, .versionByte = 14});
    const struct
    {
        QList<PromptAnswer> answers;
        int questions;
        bool pending;
    } runs[] = {
        {{PromptAnswer::Cancel}, 1, false},
        {{PromptAnswer::Ok, PromptAnswer::Cancel}, 2, false},
        {{PromptAnswer::Ok, PromptAnswer::Ok}, 2, true},
    };
    for (const auto &run : runs) {
        AnsweringPrompts prompts;
        prompts.Answers = run.answers;
        bool pending = false;
        RequestEdidRepair(xmit, false, pending);
        EXPECT_EQ(pending, run.pending);
        ASSERT_EQ(prompts.Messages.size(), run.questions);
        EXPECT_EQ(prompts.Messages[0].Text,
                  QStringLiteral("Do you confirm repairing the EDID table ?\nThis function is only required if no "
                                 "more sound comes out of the modulator and if forcing HDMI-LPCM audio is required."));
        if (run.questions == 2) {
            EXPECT_EQ(prompts.Messages[1].Text,
                      QStringLiteral("Please remove the HDMI cable from the modulator and then confirm."));
        }
        for (const MessagePrompt &question : prompts.Messages) {
            EXPECT_EQ(question.Caption, QStringLiteral("RERUDAD"));
            EXPECT_EQ(question.Icon, PromptIcon::Warning);
            EXPECT_EQ(question.Buttons, PromptButtons::OkCancel);
            EXPECT_TRUE(question.CancelIsDefault);
        }
    }
    // Without the manufacturer mode the supervisor sends the repair later.
    EXPECT_TRUE(commandsAfterProbe().isEmpty());

    AnsweringPrompts prompts;
    bool pending = false;
    RequestEdidRepair(xmit, true, pending);
    EXPECT_FALSE(pending);
    EXPECT_TRUE(prompts.Messages.isEmpty());
    EXPECT_EQ(commandsAfterProbe(), QStringList{"CMD_EDID_REPAIR"});
    EXPECT_EQ(payloadsAfterProbe(), QStringList{"-"});
}

TEST_F(DeviceActionTest, EdidQuestionsFollowTheLanguage)
{
    link({.code = 132, .versionByte = 14});
    const int previous = LanguageIndex;
    LanguageIndex = 1; // French
    AnsweringPrompts prompts;
    bool pending = false;
    RequestEdidRepair(xmit, false, pending);
    LanguageIndex = previous;
    ASSERT_EQ(prompts.Messages.size(), 2);
    EXPECT_TRUE(prompts.Messages[0].Text.startsWith(QStringLiteral("Confirmez vous vouloir reparer la table EDID ?\n")));
    EXPECT_EQ(prompts.Messages[1].Text, QStringLiteral("Veuillez retirer le cable HDMI du modulateur et confirmer svp."));
    EXPECT_TRUE(pending);
}

} // namespace
