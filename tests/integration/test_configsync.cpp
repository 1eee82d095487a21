// The synchronisation's requests as a simulated device (in the test's own
// process) receives them:
// the write and read-back, the factory-default store of every family, the
// media command behind a pending edit.

#include "inprocessdevice.h"

#include "auxiliary/beep.h"
#include "config/configcodec.h"
#include "config/configsync.h"
#include "config/factorydefault.h"
#include "link/cxmit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CountingPages : PageRefresh
{
    void ConfigurationRead() override { ++scheduleRefreshes; }
    void RefreshMediaStatus() override { ++mediaRefreshes; }
    void UpdateServiceTabs() override { ++serviceTabUpdates; }
    int scheduleRefreshes = 0;
    int mediaRefreshes = 0;
    int serviceTabUpdates = 0;
};

class SyncTest : public ::testing::Test
{
protected:
    // Plugs a simulated device into the link and opens it, without reading.
    bool plug(const InProcessDevice::Options &options)
    {
        device = std::make_unique<InProcessDevice>(options);
        device->plugInto(xmit);
        return xmit.OpenSerialPort(device->portPath()) && xmit.ProbeDevice();
    }

    bool link(const InProcessDevice::Options &options)
    {
        if (!plug(options))
            return false;
        sync.Identity = xmit.Identity;
        sync.ProgramFolder = programFolder.path();
        model.ApplyHardwareLimits(xmit.Identity.Profile());
        return sync.ReadConfiguration();
    }

    void writeLogo(int size)
    {
        QDir(programFolder.path()).mkpath(QStringLiteral("logos"));
        QFile logo(programFolder.filePath(QStringLiteral("logos/logo.dg1")));
        ASSERT_TRUE(logo.open(QIODevice::WriteOnly));
        logo.write(QByteArray(size, 'L'));
    }

    // The requests after the read at linking, as "COMMAND" or "COMMAND:payload".
    QStringList requestsSinceLinking(bool withPayload = false) const
    {
        QStringList requests;
        const QStringList log = device->requestLog();
        for (qsizetype i = 2; i < log.size(); ++i) {
            const QStringList fields = log[i].split(QLatin1Char(' '));
            requests << (withPayload ? fields[3] + QLatin1Char(':') + fields[4] : fields[3]);
        }
        return requests;
    }

    // The write the model stands for, encoded before the tick that sends it.
    QString expectedWrite() const
    {
        ConfigModel copy = model;
        const std::optional<QByteArray> record = EncodeConfigBlock(sync.Identity, copy);
        EXPECT_TRUE(record.has_value());
        return QStringLiteral("CMD_WRITE_CONFIG:") + QString::fromLatin1(record.value_or(QByteArray()).toHex());
    }

    QTemporaryDir programFolder;
    std::unique_ptr<InProcessDevice> device;
    CXmit xmit;
    ConfigModel model;
    CountingPages pages;
    ConfigSynchronizer sync{xmit, model, pages};
};

TEST_F(SyncTest, WriteComesOnTheTenthTickAndIsReadBackWithoutAPoll)
{
    ASSERT_TRUE(link({.code = 132}));
    EXPECT_EQ(pages.scheduleRefreshes, 1);
    model.CommitCountdown = 10;
    model.NetworkName = QStringLiteral("Headend 7");
    for (int tick = 0; tick < 9; ++tick)
        sync.PanelTimerTick(true);
    EXPECT_FALSE(requestsSinceLinking().contains(QStringLiteral("CMD_WRITE_CONFIG")));
    sync.PanelTimerTick(true);
    EXPECT_EQ(requestsSinceLinking().mid(9), (QStringList{QStringLiteral("CMD_WRITE_CONFIG"), QStringLiteral("CMD_READ_CONFIG")}));
    EXPECT_EQ(model.NetworkName, QStringLiteral("Headend 7"));
    EXPECT_EQ(model.CommitCountdown, 0);
}

TEST_F(SyncTest, FirstPollAfterLinkingAlwaysRefreshesThePages)
{
    ASSERT_TRUE(link({.code = 132}));
    sync.ForgetStatus(model.ServiceCount);
    sync.PanelTimerTick(true);
    EXPECT_EQ(pages.mediaRefreshes, 1);
    EXPECT_EQ(sync.LastStatus.InputPresent[0], sync.PolledStatus.InputPresent[0]);
    sync.PanelTimerTick(true);
    EXPECT_EQ(pages.mediaRefreshes, 1); // nothing changed since
    EXPECT_EQ(pages.serviceTabUpdates, 2);
}

TEST_F(SyncTest, RefusedPollKeepsTheStatus)
{
    ASSERT_TRUE(link({.code = 132, .faults = {QStringLiteral("CMD_GET_STATUS:refuse")}}));
    sync.ForgetStatus(model.ServiceCount);
    sync.PanelTimerTick(true);
    EXPECT_EQ(pages.mediaRefreshes, 0);
    EXPECT_EQ(sync.LastStatus.InputPresent[0], DeviceStatus::UnreportedInput);
    EXPECT_EQ(pages.serviceTabUpdates, 0);
}

TEST_F(SyncTest, MediaCommandWaitsForThePendingEdit)
{
    ASSERT_TRUE(link({.code = 131}));
    model.CommitCountdown = 7;
    sync.PendingMediaCommand = 2;
    const QString write = expectedWrite();
    sync.PanelTimerTick(true);
    EXPECT_EQ(requestsSinceLinking(true),
              (QStringList{write, QStringLiteral("CMD_READ_CONFIG:-"), QStringLiteral("CMD_MEDIA_CONTROL:02")}));
    EXPECT_EQ(sync.PendingMediaCommand, 0);
}

TEST_F(SyncTest, AWriteThatLosesTheDeviceDropsItsOneShotRequests)
{
    ASSERT_TRUE(link({.code = 132, .faults = {QStringLiteral("CMD_WRITE_CONFIG:silence")}}));
    model.StoreAsDefault = 1;
    sync.RebootAfterWrite = 1;
    model.CommitCountdown = 1;
    sync.PanelTimerTick(true);
    EXPECT_TRUE(xmit.LinkLost);
    EXPECT_EQ(model.StoreAsDefault, 0);
    EXPECT_EQ(sync.RebootAfterWrite, 0);
    EXPECT_EQ(requestsSinceLinking(), (QStringList{QStringLiteral("CMD_WRITE_CONFIG"), QStringLiteral("CMD_WRITE_CONFIG")}));
}

TEST_F(SyncTest, RefusedRecordIsAFailedReadThatKeepsTheModel)
{
    QList<int> beeps;
    const ScopedBeepSink sink([&](int frequency, int duration) { beeps << frequency << duration; });
    ASSERT_TRUE(plug({.code = 132, .faults = {QStringLiteral("CMD_READ_CONFIG:refuse")}}));
    sync.Identity = xmit.Identity;
    model.NetworkName = QStringLiteral("previous device");
    const ConfigModel before = model;
    EXPECT_FALSE(sync.ReadConfiguration());
    EXPECT_TRUE(model == before);
    EXPECT_EQ(beeps, (QList<int>{800, 500}));
    EXPECT_EQ(pages.scheduleRefreshes, 0);
}

struct FactoryDefaultCase
{
    int code;
    QStringList requests;
};

class FactoryDefaultTest : public SyncTest, public ::testing::WithParamInterface<FactoryDefaultCase>
{
};

TEST_P(FactoryDefaultTest, SendsTheFamilysSequence)
{
    writeLogo(1025);
    ASSERT_TRUE(link({.code = GetParam().code, .versionByte = 15}));
    model.LogoName = QStringLiteral("logo.dg1");
    model.StoreAsDefault = 1;
    model.CommitCountdown = 1;
    const QString write = expectedWrite();
    sync.PanelTimerTick(true);
    QStringList requests = requestsSinceLinking(true);
    for (QString &request : requests) {
        // File and flash data by length only; the rest in full.
        if (request.startsWith(QLatin1String("CMD_FILE_WRITE:")) || request.startsWith(QLatin1String("CMD_FLASH_DATA:")))
            request = request.section(QLatin1Char(':'), 0, 0)
                + QStringLiteral("/%1").arg(request.section(QLatin1Char(':'), 1).size() / 2 - 1);
    }
    EXPECT_EQ(requests, QStringList{write} + GetParam().requests);
    EXPECT_EQ(model.StoreAsDefault, 0);
}

QString Shell(const char *line)
{
    return QStringLiteral("CMD_SHELL:") + QString::fromLatin1(QByteArray(line).toHex()) + QStringLiteral("00");
}

QStringList FlashSequence(const char *blockHex)
{
    return {QStringLiteral("CMD_READ_CONFIG:-"), QStringLiteral("CMD_SAVE_DEFAULT:-"),
            QStringLiteral("CMD_FLASH_BEGIN:00") + QLatin1String(blockHex), QStringLiteral("CMD_FLASH_DATA/512"),
            QStringLiteral("CMD_FLASH_DATA/512"), QStringLiteral("CMD_FLASH_DATA/1"), QStringLiteral("CMD_FLASH_END:02")};
}

INSTANTIATE_TEST_SUITE_P(
    Families, FactoryDefaultTest,
    ::testing::Values(
        FactoryDefaultCase{121,
                           {QStringLiteral("CMD_READ_CONFIG:-"), Shell("cp /LENADU/current16.cfg /LENADU/default16.cfg"),
                            Shell("mount /dev/mmcblk0p1 /mnt"),
                            QStringLiteral("CMD_FILE_CREATE:00") + QString::fromLatin1(QByteArray("/mnt/logo.dg1").toHex()) + QStringLiteral("00"),
                            QStringLiteral("CMD_FILE_WRITE/400"), QStringLiteral("CMD_FILE_WRITE/400"),
                            QStringLiteral("CMD_FILE_WRITE/225"), QStringLiteral("CMD_FILE_CLOSE:02"), Shell("umount /mnt"),
                            Shell("sync"), QStringLiteral("CMD_REBOOT:-"), QStringLiteral("CMD_REBOOT:-")}},
        FactoryDefaultCase{131, FlashSequence("9e03")},
        FactoryDefaultCase{132, FlashSequence("ee02")},
        FactoryDefaultCase{158, FlashSequence("fd03")},
        FactoryDefaultCase{192, {QStringLiteral("CMD_READ_CONFIG:-"), QStringLiteral("CMD_SAVE_DEFAULT:-")}}),
    [](const auto &info) { return "Code" + std::to_string(info.param.code); });

TEST(FactoryDefault, LogoNamesFromTheDeviceStayInsideTheLogosFolder)
{
    EXPECT_EQ(LocalLogoPath(QStringLiteral("/opt/tool"), QStringLiteral("brand.dg1")), QStringLiteral("/opt/tool/logos/brand.dg1"));
    for (const char *name : {"", ".", "..", "../secret", "/etc/passwd", "a/b.dg1", "..\\x.dg1", "c:x"})
        EXPECT_TRUE(LocalLogoPath(QStringLiteral("/opt/tool"), QString::fromLatin1(name)).isEmpty()) << name;
}

TEST_F(SyncTest, MissingLogoStopsAfterSaveDefaultAndUploadsNothingOn121)
{
    ASSERT_TRUE(link({.code = 121, .versionByte = 23}));
    model.LogoName = QStringLiteral("absent.dg1");
    model.StoreAsDefault = 1;
    model.CommitCountdown = 1;
    sync.PanelTimerTick(true);
    const QStringList requests = requestsSinceLinking();
    EXPECT_FALSE(requests.contains(QStringLiteral("CMD_FILE_CREATE")));
    EXPECT_EQ(requests.count(QStringLiteral("CMD_SHELL")), 4);
    EXPECT_EQ(requests.count(QStringLiteral("CMD_REBOOT")), 2);
}

} // namespace
