// The firmware check against the simulated device: the requests it sends for
// each kind of hardware, over TCP and over the pseudo-terminal, what the
// device runs afterwards, and what becomes of files and transfers that fail.

#include "answeringprompts.h"
#include "devsimprocess.h"
#include "firmwarefiles.h"
#include "inprocessdevice.h"

#include "app/connectionsupervisor.h"
#include "app/firmwareupgrade.h"
#include "auxiliary/statusstrip.h"
#include "link/cxmit.h"
#include "link/deviceoperations.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct RecordingStrip : StatusStrip
{
    void ShowStatus(const QString &text, bool wait, int durationMs) override
    {
        messages << QStringLiteral("%1/%2%3").arg(text).arg(durationMs).arg(wait ? QStringLiteral("/wait") : QString());
    }
    void SetProgress(int position, int range) override { progress << QStringLiteral("%1/%2").arg(position).arg(range); }
    void ShowLinkActivity(bool) override {}
    QStringList messages;
    QStringList progress;
};

struct RecordingView : FirmwareUpgradeView
{
    void ShowWarningImage(bool visible) override { calls << (visible ? "warning" : "no warning"); }
    void EnableMainWindow(bool enabled) override { calls << (enabled ? "enable" : "disable"); }
    QStringList calls;
};

// "COMMAND PAYLOADHEX" of each request the device logged.
QStringList Requests(const QStringList &log)
{
    QStringList requests;
    for (const QString &line : log)
        requests << line.section(QLatin1Char(' '), 3, 4);
    return requests;
}

QString Request(const char *command, const QByteArray &payloadHex)
{
    return QString::fromLatin1(command) + QLatin1Char(' ') + QString::fromLatin1(payloadHex);
}

QString Data(const QByteArray &image, int from, int count)
{
    return Request("CMD_FLASH_DATA", "05" + image.mid(from, count).toHex());
}

// ---------------------------------------------------------------------------
// Request sequences, over both links of a simulated device process.

class FirmwareSequenceTest : public ::testing::TestWithParam<bool>
{
protected:
    bool serial() const { return GetParam(); }

    // Starts the device, links and identifies it.
    void link(const DevSimProcess::Options &options)
    {
        ASSERT_TRUE(device.start(options));
        ASSERT_TRUE(relink());
    }

    bool relink()
    {
        xmit.CloseLink();
        if (serial()) {
            if (!xmit.OpenSerialPort(device.ptyPath()))
                return false;
        } else {
            xmit.TcpPort = device.tcpPort();
            if (!xmit.ConnectTcp(QStringLiteral("127.0.0.1")))
                return false;
        }
        return xmit.ProbeDevice() != 0;
    }

    int check()
    {
        FirmwareUpgrade upgrade(xmit, strip, view, firmware.path());
        bool forceReload = false;
        const int upgraded = upgrade.FirmwareCheck(forceReload, countdown);
        return upgraded;
    }

    QString folder() const { return firmware.path(); }

    QTemporaryDir firmware;
    DevSimProcess device;
    CXmit xmit;
    RecordingStrip strip;
    RecordingView view;
    AnsweringPrompts prompts;
    int countdown = -1;
};

TEST_P(FirmwareSequenceTest, Code132SendsHeaderChunksOf512AndChecksum)
{
    link({.code = 132, .versionByte = 14, .pty = serial()});
    const QByteArray image = TaggedFirmwareImage(1025, 15, 300);
    WriteFirmwareFile(folder(), QStringLiteral("DUNASA"), 12, TaggedFirmwareImage(900, 12));
    WriteFirmwareFile(folder(), QStringLiteral("DUNASA"), 15, image);
    WriteFirmwareFile(folder(), QStringLiteral("GUBUSO"), 16, TaggedFirmwareImage(900, 16));

    EXPECT_EQ(check(), 1);
    EXPECT_EQ(countdown, 20);
    const QString sum = QString::fromLatin1(Le32Hex(ByteSum(image)));
    EXPECT_EQ(Requests(device.requestLog()),
              (QStringList{Request("CMD_IDENTIFY", "-"),
                           Request("CMD_FLASH_BEGIN", "00f002"), // block 752
                           Request("CMD_FLASH_DATA", "0550465a4a01040000"), // magic, then 1025
                           Data(image, 0, 512), Data(image, 512, 512), Data(image, 1024, 1),
                           Request("CMD_FLASH_DATA", "05") + sum,
                           Request("CMD_FLASH_END", "02"),
                           Request("CMD_REBOOT", "-")}));
    EXPECT_EQ(strip.messages, (QStringList{QStringLiteral("upgrade to release  1.5/10000"),
                                           QStringLiteral("WAIT. DO NOT POWER OFF.../10000"),
                                           QStringLiteral("Rebooting.../1000/wait")}));
    EXPECT_EQ(strip.progress, (QStringList{QStringLiteral("0/1025"), QStringLiteral("512/1025"),
                                           QStringLiteral("1024/1025"), QStringLiteral("1025/1025"),
                                           QStringLiteral("0/1")}));
    EXPECT_EQ(view.calls, (QStringList{QStringLiteral("disable"), QStringLiteral("warning"), QStringLiteral("enable")}));
    EXPECT_EQ(xmit.isLinked(), !serial()); // the serial port is closed for the reboot

    ASSERT_TRUE(relink());
    EXPECT_EQ(xmit.Identity.FirmwareVersionByte, 15);
}

TEST_P(FirmwareSequenceTest, Code128SendsNoHeaderNoChecksumIntoBlock991)
{
    link({.code = 128, .versionByte = 3, .pty = serial()});
    const QByteArray image = TaggedFirmwareImage(1100, 5);
    WriteFirmwareFile(folder(), QStringLiteral("DISARE"), 5, image);

    EXPECT_EQ(check(), 1);
    EXPECT_EQ(Requests(device.requestLog()),
              (QStringList{Request("CMD_IDENTIFY", "-"), Request("CMD_FLASH_BEGIN", "00df03"),
                           Data(image, 0, 512), Data(image, 512, 512), Data(image, 1024, 76),
                           Request("CMD_FLASH_END", "02"), Request("CMD_REBOOT", "-")}));
    EXPECT_EQ(strip.messages.first(), QStringLiteral("upgrade to release  5/10000"));
    ASSERT_TRUE(relink());
    EXPECT_EQ(xmit.Identity.FirmwareVersionByte, 5);
}

TEST_P(FirmwareSequenceTest, Code121SendsDataBlocksOf2048AtBigEndianOffsets)
{
    link({.code = 121, .versionByte = 23, .pty = serial()});
    const QByteArray image = TaggedFirmwareImage(2 * 2048 + 100, 25);
    WriteFirmwareFile(folder(), QStringLiteral("LENADU"), 25, image);
    // Code 121 has no family image, whatever the folder holds.
    WriteFirmwareFile(folder(), QStringLiteral("VUBUKA"), 50, TaggedFirmwareImage(600, 50));

    EXPECT_EQ(check(), 1);
    EXPECT_EQ(Requests(device.requestLog()),
              (QStringList{Request("CMD_IDENTIFY", "-"), Request("CMD_FW_BEGIN", "00"),
                           Request("CMD_FW_DATA", "01000000" + image.mid(0, 2048).toHex()),
                           Request("CMD_FW_DATA", "01000800" + image.mid(2048, 2048).toHex()),
                           Request("CMD_FW_DATA", "01001000" + image.mid(4096).toHex()),
                           Request("CMD_FW_END", "02"), Request("CMD_REBOOT", "-")}));
    EXPECT_EQ(strip.messages.first(), QStringLiteral("upgrade to release  2.5/10000"));
    ASSERT_TRUE(relink());
    EXPECT_EQ(xmit.Identity.FirmwareVersionByte, 25);
}

TEST_P(FirmwareSequenceTest, Code142SendsTheFamilyImageFirstAndLeavesWithdrawnVersion7)
{
    link({.code = 142, .versionByte = 7, .minor = 3, .pty = serial()});
    const QByteArray family = TaggedFirmwareImage(700, 5);
    const QByteArray main = TaggedFirmwareImage(600, 6);
    WriteFirmwareFile(folder(), QStringLiteral("POKAFA"), 5, family);
    WriteFirmwareFile(folder(), QStringLiteral("KUDARO"), 6, main);
    WriteFirmwareFile(folder(), QStringLiteral("KUDARO"), 7, TaggedFirmwareImage(600, 7));

    EXPECT_EQ(check(), 1);
    const QString sum = QString::fromLatin1(Le32Hex(ByteSum(main)));
    EXPECT_EQ(Requests(device.requestLog()),
              (QStringList{Request("CMD_IDENTIFY", "-"),
                           Request("CMD_FLASH_BEGIN", "006c02"), // block 620, the whole file
                           Data(family, 0, 512), Data(family, 512, 188), Request("CMD_FLASH_END", "02"),
                           Request("CMD_FLASH_BEGIN", "00f002"), Request("CMD_FLASH_DATA", "0550465a4a58020000"),
                           Data(main, 0, 512), Data(main, 512, 88), Request("CMD_FLASH_DATA", "05") + sum,
                           Request("CMD_FLASH_END", "02"), Request("CMD_REBOOT", "-")}));
    EXPECT_EQ(strip.messages.mid(0, 2), (QStringList{QStringLiteral("HW : upgrade to release  5/10000"),
                                                     QStringLiteral("upgrade to release  6/10000")}));
    ASSERT_TRUE(relink());
    EXPECT_EQ(xmit.Identity.FirmwareVersionByte, 6);
    EXPECT_EQ(xmit.Identity.FirmwareMinor, 5);
}

INSTANTIATE_TEST_SUITE_P(Links, FirmwareSequenceTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) { return info.param ? "Pty" : "Tcp"; });

// ---------------------------------------------------------------------------
// Files and failures, against a device in the test's own process.

class FirmwareCheckTest : public ::testing::Test
{
protected:
    void link(const InProcessDevice::Options &options)
    {
        device = std::make_unique<InProcessDevice>(options);
        device->plugInto(xmit);
        xmit.ListSerialPorts = [path = device->portPath()] { return QStringList{path}; };
        ASSERT_NE(xmit.ConnectDevice(), 0);
    }

    int check(bool forceReload = false)
    {
        FirmwareUpgrade upgrade(xmit, strip, view, firmware.path());
        const int upgraded = upgrade.FirmwareCheck(forceReload, countdown);
        forceReloadAfter = forceReload;
        report = upgrade.report();
        return upgraded;
    }

    // The device as it identifies after a reboot.
    SimIdentity rebooted()
    {
        EXPECT_NE(xmit.ConnectDevice(), 0);
        return device->device().identity();
    }

    QStringList requests() const { return Requests(device->requestLog()); }

    QString folder() const { return firmware.path(); }

    QTemporaryDir firmware;
    std::unique_ptr<InProcessDevice> device;
    CXmit xmit;
    RecordingStrip strip;
    RecordingView view;
    AnsweringPrompts prompts;
    FirmwareReport report;
    int countdown = -1;
    bool forceReloadAfter = true;
};

TEST_F(FirmwareCheckTest, NewerFileOfTwoIsWrittenAndRunAfterTheReboot)
{
    link({.code = 133, .versionByte = 13});
    const QByteArray image = TaggedFirmwareImage(3000, 15);
    WriteFirmwareFile(folder(), QStringLiteral("GUBUSO"), 12, TaggedFirmwareImage(3000, 12));
    WriteFirmwareFile(folder(), QStringLiteral("GUBUSO"), 15, image, NamedDigestCase::Lower);
    EXPECT_EQ(check(), 1);
    EXPECT_EQ(device->device().firmwareImage(), image);
    EXPECT_EQ(report.MainVersionWritten, 15);
    EXPECT_TRUE(report.Rebooted);
    EXPECT_EQ(rebooted().versionByte, 15);
}

TEST_F(FirmwareCheckTest, SameVersionIsLeftUnlessAReloadIsAsked)
{
    link({.code = 133, .versionByte = 15});
    const QByteArray image = TaggedFirmwareImage(700, 15);
    WriteFirmwareFile(folder(), QStringLiteral("GUBUSO"), 15, image);
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(countdown, 0);
    EXPECT_EQ(requests(), QStringList{Request("CMD_IDENTIFY", "-")});
    EXPECT_TRUE(view.calls.isEmpty());
    EXPECT_FALSE(forceReloadAfter);

    EXPECT_EQ(check(true), 1);
    EXPECT_FALSE(forceReloadAfter);
    EXPECT_EQ(countdown, 20);
    EXPECT_EQ(device->device().firmwareImage(), image);
    EXPECT_EQ(requests().last(), Request("CMD_REBOOT", "-"));
}

TEST_F(FirmwareCheckTest, WrongDigestShowsTheMessageAndSendsNothing)
{
    link({.code = 133, .versionByte = 13});
    const QByteArray image = TaggedFirmwareImage(700, 15);
    WriteFirmwareFile(folder(), QStringLiteral("GUBUSO"), 15, image, NamedDigestCase::Wrong);
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(prompts.messageTexts(),
              QStringList{QStringLiteral("MD5 Error") + ReferenceMd5(image) + ReferenceMd5(image + "other")});
    EXPECT_EQ(requests(), QStringList{Request("CMD_IDENTIFY", "-")});
    ASSERT_EQ(report.Refused.size(), 1);
    EXPECT_EQ(report.Refused[0].Problem, FirmwareFileProblem::DigestMismatch);
    EXPECT_FALSE(report.TransferFailed());
}

TEST_F(FirmwareCheckTest, OneTimeImageIsWrittenAndGoneFromTheFolder)
{
    link({.code = 133, .versionByte = 30});
    const QByteArray image = TaggedFirmwareImage(800, 99);
    QFile file(QDir(folder()).filePath(QStringLiteral("GUBUSO_99_no_digest_at_all.bin")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(image);
    file.close();
    EXPECT_EQ(check(), 1);
    EXPECT_FALSE(file.exists());
    EXPECT_TRUE(prompts.Messages.isEmpty());
    EXPECT_EQ(device->device().firmwareImage(), image);
    EXPECT_EQ(rebooted().versionByte, 99);
}

TEST_F(FirmwareCheckTest, WithdrawnVersionIsNeverInstalledNorKept)
{
    link({.code = 142, .versionByte = 8, .minor = 2});
    WriteFirmwareFile(folder(), QStringLiteral("KUDARO"), 7, TaggedFirmwareImage(700, 7));
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(requests(), QStringList{Request("CMD_IDENTIFY", "-")});
}

TEST_F(FirmwareCheckTest, DeviceWithoutValidFamilyFirmwareTakesAnyFamilyImage)
{
    link({.code = 154, .versionByte = 20, .minor = 255});
    const QByteArray family = TaggedFirmwareImage(1000, 1);
    WriteFirmwareFile(folder(), QStringLiteral("POKAFA"), 1, family);
    EXPECT_EQ(check(), 1);
    EXPECT_EQ(requests().mid(1, 2),
              (QStringList{Request("CMD_FLASH_BEGIN", "006c02"), Data(family, 0, 512)}));
    EXPECT_EQ(requests().last(), Request("CMD_REBOOT", "-")); // a family image alone also reboots
    EXPECT_EQ(strip.messages.first(), QStringLiteral("HW : upgrade to release  1/10000"));
    EXPECT_EQ(device->device().familyImage(), family);
    EXPECT_EQ(rebooted().minor, 1);
}

TEST_F(FirmwareCheckTest, FamilyFileHeaderIsSkippedAndTheVersionRecordWritten)
{
    link({.code = 131, .versionByte = 9, .minor = 4});
    const QByteArray family = TaggedFirmwareImage(16 + 600, 5, 40);
    WriteFirmwareFile(folder(), QStringLiteral("LODAPO"), 5, family);
    EXPECT_EQ(check(), 1);
    EXPECT_EQ(requests(),
              (QStringList{Request("CMD_IDENTIFY", "-"), Request("CMD_FLASH_BEGIN", "000000"),
                           Data(family, 16, 512), Data(family, 528, 88), Request("CMD_FLASH_END", "02"),
                           Request("CMD_FLASH_BEGIN", "009f03"), // block 927
                           Request("CMD_FLASH_DATA", "0505"), Request("CMD_FLASH_END", "02"),
                           Request("CMD_REBOOT", "-")}));
    EXPECT_EQ(strip.messages.first(), QStringLiteral("HW : upgrade to release  0.5/10000"));
    EXPECT_EQ(strip.progress.mid(1, 2), (QStringList{QStringLiteral("528/616"), QStringLiteral("616/616")}));
    EXPECT_EQ(rebooted().minor, 5);
}

TEST_F(FirmwareCheckTest, RefusedBeginShowsWriteErrorAndLetsThePanelOpen)
{
    link({.code = 133, .versionByte = 13, .faults = {QStringLiteral("CMD_FLASH_BEGIN:refuse")}});
    WriteFirmwareFile(folder(), QStringLiteral("GUBUSO"), 15, TaggedFirmwareImage(700, 15));
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(strip.messages, (QStringList{QStringLiteral("Rebooting.../1000/wait"),
                                           QStringLiteral("write error !/5000")}));
    EXPECT_EQ(requests(), (QStringList{Request("CMD_IDENTIFY", "-"), Request("CMD_FLASH_BEGIN", "00f002")}));
    EXPECT_EQ(view.calls, (QStringList{QStringLiteral("disable"), QStringLiteral("enable")}));
    EXPECT_TRUE(report.TransferFailed());
}

TEST_F(FirmwareCheckTest, FailedFamilyImageIsNeitherFollowedByTheMainImageNorRebooted)
{
    link({.code = 142, .versionByte = 8, .minor = 3, .firmwareFaults = {.failChunk = 2}});
    WriteFirmwareFile(folder(), QStringLiteral("POKAFA"), 5, TaggedFirmwareImage(1500, 5));
    WriteFirmwareFile(folder(), QStringLiteral("KUDARO"), 9, TaggedFirmwareImage(700, 9));
    EXPECT_EQ(check(), 1);
    EXPECT_EQ(countdown, 0);
    const QStringList sent = requests();
    EXPECT_EQ(sent.count(Request("CMD_FLASH_BEGIN", "00f002")), 0);
    EXPECT_FALSE(sent.contains(Request("CMD_REBOOT", "-")));
    EXPECT_EQ(strip.messages.last(), QStringLiteral("write error !/5000"));
    EXPECT_TRUE(report.TransferFailed());

    // The next check installs both.
    ASSERT_NE(xmit.ConnectDevice(), 0);
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(report.Rebooted);
    const SimIdentity after = rebooted();
    EXPECT_EQ(after.versionByte, 9);
    EXPECT_EQ(after.minor, 5);
}

// The device's end check: an image whose header or checksum does not add
// up is refused at its end request, and the tool reports a write error.
TEST_F(FirmwareCheckTest, DeviceRefusesAnImageThatDoesNotMatchItsHeader)
{
    link({.code = 133, .versionByte = 13});
    CXmit &link = xmit;
    ASSERT_TRUE(FlashBegin(link, 752));
    FlashWrite(link, QByteArray::fromHex("50465a4a0a000000")); // 10 bytes announced, 9 sent
    FlashWrite(link, QByteArray(9, 'i'));
    FlashWrite(link, QByteArray::fromHex("b1030000")); // 9 x 0x69
    EXPECT_FALSE(FlashEnd(link));
    ASSERT_TRUE(FlashBegin(link, 752));
    FlashWrite(link, QByteArray::fromHex("50465a4a09000000"));
    FlashWrite(link, QByteArray(9, 'i'));
    FlashWrite(link, QByteArray::fromHex("f8030000")); // one short
    EXPECT_FALSE(FlashEnd(link));
    ASSERT_TRUE(FlashBegin(link, 752));
    FlashWrite(link, QByteArray::fromHex("50465a4a09000000"));
    FlashWrite(link, QByteArray(9, 'i'));
    FlashWrite(link, QByteArray::fromHex("b1030000"));
    EXPECT_TRUE(FlashEnd(link));
    EXPECT_EQ(device->device().firmwareImage(), QByteArray(9, 'i'));
}

// ---------------------------------------------------------------------------
// Within the supervisor: a failed transfer is tried again on the next step.

struct RecordingWindow : SupervisedWindow
{
    void UpdateTitleAndLayout(bool withPanel) override { calls << (withPanel ? "layout+panel" : "layout"); }
    void ShowWarningImage(bool) override {}
    void EnableMainWindow(bool enabled) override { calls << (enabled ? "enable" : "disable"); }
    void EnableLogButton(bool) override {}
    bool ActivatePanel() override
    {
        calls << "activate";
        return true;
    }
    void DeactivatePanel(bool) override {}
    QStringList calls;
};

class SupervisedUpgradeTest : public ::testing::TestWithParam<SimFirmwareFaults>
{
protected:
    QTemporaryDir firmware;
    CXmit xmit;
    RecordingStrip strip;
    RecordingWindow window;
    ConnectionSupervisor supervisor{xmit, strip, window, firmware.path()};
};

TEST_P(SupervisedUpgradeTest, FailedTransferShowsWriteErrorAndTheNextStepRetries)
{
    InProcessDevice device({.code = 132, .versionByte = 14, .firmwareFaults = GetParam()});
    device.plugInto(xmit);
    xmit.ListSerialPorts = [path = device.portPath()] { return QStringList{path}; };
    const QByteArray image = TaggedFirmwareImage(5000, 15);
    WriteFirmwareFile(firmware.path(), QStringLiteral("DUNASA"), 15, image);

    EXPECT_EQ(supervisor.OnSearchTimer().id, ConnectionSupervisor::SearchTimer);
    EXPECT_EQ(strip.messages.mid(strip.messages.size() - 2),
              (QStringList{QStringLiteral("Rebooting.../1000/wait"), QStringLiteral("write error !/5000")}));
    EXPECT_FALSE(device.commandsLogged().contains(QStringLiteral("CMD_REBOOT")));
    EXPECT_EQ(supervisor.UpgradeCountdown, 0);
    EXPECT_FALSE(window.calls.contains(QStringLiteral("activate")));

    // Found again, still on version 14: the upgrade is due and goes through.
    EXPECT_EQ(supervisor.OnSearchTimer().id, ConnectionSupervisor::SearchTimer);
    EXPECT_EQ(device.commandsLogged().count(QStringLiteral("CMD_REBOOT")), 1);
    EXPECT_EQ(supervisor.UpgradeCountdown, 19);
    EXPECT_EQ(device.device().firmwareImage(), image);

    // After the reboot the device is linked with its new version.
    EXPECT_EQ(supervisor.OnSearchTimer().id, ConnectionSupervisor::WatchTimer);
    EXPECT_EQ(xmit.Identity.FirmwareVersionByte, 15);
    EXPECT_EQ(strip.messages.last(), QStringLiteral("Hardware connected/1000000"));
}

INSTANTIATE_TEST_SUITE_P(Faults, SupervisedUpgradeTest,
                         ::testing::Values(SimFirmwareFaults{.failChunk = 4}, SimFirmwareFaults{.failEnd = true}),
                         [](const ::testing::TestParamInfo<SimFirmwareFaults> &info) {
                             return info.param.failEnd ? "EndRequest" : "Chunk";
                         });

} // namespace
