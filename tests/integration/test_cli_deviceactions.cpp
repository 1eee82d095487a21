// rerudad-cli config save, config load, factory-default, clock set, reboot,
// edid-repair and snapshot as processes against the simulated device over
// TCP and its pseudo-terminal: the files they write, what the device
// received, and the exit statuses for refusal. Records and
// pictures are written by hand.

#include "cliprocess.h"
#include "devsimprocess.h"
#include "testfiles.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A whole code-128 record: layout 1 up to the USB capability, where this
// code's record ends. Its logo is "logo.dg1".
QByteArray Record128()
{
    QByteArray r;
    const auto text = [&](const char *value) { r.append(value).append('\0'); };
    text("CLI128");
    r.append(QByteArray::fromHex("0101" "503b0700" "020102000003")); // countries, 474000 kHz, bandwidth .. level
    r.append(QByteArray::fromHex("01" "0100" "0200"));               // NIT version, network ids
    text("NET");
    r.append(QByteArray::fromHex("0300" "1000" "00" "0700"));         // TS id, service id, LCN type, LCN
    text("SVC");
    r.append(QByteArray::fromHex("6400" "6500" "6600" "7017" "01" "00")); // PIDs, 6000 kbit/s, audio
    text("E");
    text("T");
    text("logo.dg1");
    r.append('\0');
    text("clip.ts");
    r.append('\0');
    return r;
}

// The 62 header bytes of the 1086-byte snapshot bitmap.
const QByteArray BitmapHeader = QByteArray::fromHex("424d" "3e040000" "00000000" "3e000000" "28000000" "80000000"
                                                    "40000000" "0100" "0100" "00000000" "00040000" "00000000"
                                                    "00000000" "00000000" "00000000" "00000000" "ffffff00");

class CliActionTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return folder.filePath(name); }

    QString write(const QString &name, const QByteArray &contents) const
    {
        WriteAll(path(name), contents);
        return path(name);
    }

    bool start(DevSimProcess &device, int code, int versionByte, const QStringList &extra = {})
    {
        return device.start({.code = code, .versionByte = versionByte, .extraArguments = extra});
    }

    // The requests after each identification, as "COMMAND PAYLOADHEX".
    static QStringList requests(const DevSimProcess &device)
    {
        QStringList lines;
        for (const QString &line : device.requestLog()) {
            const QStringList fields = line.split(QLatin1Char(' '));
            if (fields.value(3) != QLatin1String("CMD_IDENTIFY"))
                lines << fields.value(3) + QLatin1Char(' ') + fields.value(4);
        }
        return lines;
    }

    static CliResult run(const DevSimProcess &device, QStringList arguments, bool serial = false,
                         const QString &workingFolder = {})
    {
        arguments << QStringLiteral("--device") << (serial ? device.serialDevice() : device.tcpDevice());
        return RunCli(arguments, 60000, QProcessEnvironment::systemEnvironment(), workingFolder);
    }

    QTemporaryDir folder;
};

void ExpectOneLineFailure(const CliResult &result, int exitCode)
{
    EXPECT_EQ(result.exitCode, exitCode) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(result.err.count(QLatin1Char('\n')), 1) << result.err.toStdString();
}

TEST_F(CliActionTest, SnapshotFileIsByteExactOverTcpAndSerial)
{
    QByteArray picture(1024, '\0');
    picture[0] = char(0x01);    // page 0, column 0, line 0: the top-left pixel
    picture[1023] = char(0x80); // page 7, column 127, line 63: the bottom-right pixel
    DevSimProcess device;
    ASSERT_TRUE(start(device, 176, 15, {"--snapshot", write("picture.bin", picture)}));

    QByteArray expected = BitmapHeader + QByteArray(1024, '\0');
    expected[62 + 63 * 16] = char(0x80); // last row, byte 0, bit 7
    expected[62 + 15] = char(0x01);      // first row, byte 15, bit 0

    ASSERT_EQ(run(device, {"snapshot", path("shot")}).exitCode, 0);
    ASSERT_EQ(run(device, {"snapshot", path("serial.BMP")}, true).exitCode, 0);
    ASSERT_EQ(run(device, {"snapshot", path("notes.txt")}).exitCode, 0);
    EXPECT_EQ(ReadAll(path("shot.bmp")).size(), 1086);
    EXPECT_EQ(ReadAll(path("shot.bmp")), expected);
    EXPECT_EQ(ReadAll(path("serial.BMP")), expected);
    EXPECT_EQ(ReadAll(path("notes.txt.bmp")), expected);
    EXPECT_EQ(requests(device), QStringList(3, "CMD_SNAPSHOT 02"));
}

TEST_F(CliActionTest, NoSnapshotFileWithoutAWholePicture)
{
    DevSimProcess shortAnswer;
    ASSERT_TRUE(start(shortAnswer, 192, 15, {"--snapshot", write("short.bin", QByteArray(1000, char(0xFF)))}));
    ExpectOneLineFailure(run(shortAnswer, {"snapshot", path("short")}), 1);

    DevSimProcess refusing;
    ASSERT_TRUE(start(refusing, 159, 15, {"--fault", "CMD_SNAPSHOT:refuse"}));
    ExpectOneLineFailure(run(refusing, {"snapshot", path("refused")}, true), 1);
    // A silent device is in test_cli_silence.cpp, with the other commands.

    EXPECT_TRUE(QDir(folder.path()).entryList({"*.bmp"}, QDir::Files).isEmpty());
}

TEST_F(CliActionTest, ClockSetSendsTheGivenTimeOrNow)
{
    DevSimProcess device;
    ASSERT_TRUE(start(device, 158, 15));
    EXPECT_EQ(run(device, {"clock", "set", "2024-02-29T10:00:05"}).exitCode, 0);
    EXPECT_EQ(run(device, {"clock", "set", "2024-02-29T23:59"}, true).exitCode, 0);
    const int year = QDate::currentDate().year();
    EXPECT_EQ(run(device, {"clock", "set", "now"}).exitCode, 0);
    const QStringList sent = requests(device);
    ASSERT_EQ(sent.size(), 3);
    EXPECT_EQ(sent[0], "CMD_SET_CLOCK 00e807021d0a0005");
    EXPECT_EQ(sent[1], "CMD_SET_CLOCK 00e807021d173b00");
    const QByteArray now = QByteArray::fromHex(sent[2].mid(14).toLatin1());
    ASSERT_EQ(now.size(), 8);
    EXPECT_EQ(quint8(now[1]) | quint8(now[2]) << 8, year);

    // Malformed times are refused before the device is even linked.
    const qsizetype logged = device.requestLog().size();
    for (const QStringList &arguments : {QStringList{"clock", "set", "2024-02-30T10:00"},
                                         QStringList{"clock", "set", "2024-2-29T10:00"},
                                         QStringList{"clock", "set", "10:00"}, QStringList{"clock", "set"},
                                         QStringList{"clock", "set", "now", "now"}})
        ExpectOneLineFailure(run(device, arguments), 2);
    EXPECT_EQ(device.requestLog().size(), logged);

    DevSimProcess refusing;
    ASSERT_TRUE(start(refusing, 158, 15, {"--fault", "CMD_SET_CLOCK:refuse"}));
    ExpectOneLineFailure(run(refusing, {"clock", "set", "now"}), 1);
}

TEST_F(CliActionTest, RebootAndEdidRepair)
{
    DevSimProcess device;
    ASSERT_TRUE(start(device, 132, 14));
    EXPECT_EQ(run(device, {"reboot"}, true).exitCode, 0);
    EXPECT_EQ(run(device, {"edid-repair"}).exitCode, 0);
    EXPECT_EQ(requests(device), (QStringList{"CMD_REBOOT -", "CMD_EDID_REPAIR -"}));
    ExpectOneLineFailure(run(device, {"reboot", "now"}), 2);

    DevSimProcess refusing;
    ASSERT_TRUE(start(refusing, 132, 14, {"--fault", "CMD_REBOOT:refuse", "--fault", "CMD_EDID_REPAIR:refuse"}));
    ExpectOneLineFailure(run(refusing, {"reboot"}), 1);
    ExpectOneLineFailure(run(refusing, {"edid-repair"}, true), 1);
}

TEST_F(CliActionTest, LoadThenSaveIsByteExactAndStoresTheFactoryDefault)
{
    const QByteArray logo(700, 'L');
    write("logos/logo.dg1", logo);
    const QString file = write("unit.itc", Record128());
    DevSimProcess device;
    ASSERT_TRUE(start(device, 128, 7));

    const CliResult loaded = run(device, {"config", "load", file}, true, folder.path());
    ASSERT_EQ(loaded.exitCode, 0) << loaded.err.toStdString();
    const QByteArray firstChunk = "05" + logo.left(512).toHex();
    const QByteArray lastChunk = "05" + logo.mid(512).toHex();
    EXPECT_EQ(requests(device), (QStringList{"CMD_READ_CONFIG -", "CMD_WRITE_CONFIG " + Record128().toHex(),
                                             "CMD_READ_CONFIG -", "CMD_SAVE_DEFAULT -", "CMD_FLASH_BEGIN 00dd03",
                                             "CMD_FLASH_DATA " + firstChunk, "CMD_FLASH_DATA " + lastChunk,
                                             "CMD_FLASH_END 02"}));

    const CliResult saved = run(device, {"config", "save", path("back.itc")});
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    EXPECT_EQ(ReadAll(path("back.itc")), Record128());
    ExpectOneLineFailure(run(device, {"config", "save", path("missing/back.itc")}), 1);
}

TEST_F(CliActionTest, LoadRefusesForeignFilesBeforeWriting)
{
    // A layout-2 header (50 46 5A 4A, then code 176) before a record that a
    // layout-1 device would otherwise read in full.
    const QString foreign = write("pedisa.itc", QByteArray::fromHex("50465a4ab0") + Record128());
    const QString oversized = write("big.itc", Record128() + QByteArray(1025 - Record128().size(), '\0'));
    const struct
    {
        int code;
        QString file;
    } cases[] = {{131, foreign}, {178, foreign}, {128, oversized}};
    for (const auto &c : cases) {
        DevSimProcess device;
        ASSERT_TRUE(start(device, c.code, 15));
        const CliResult result = run(device, {"config", "load", c.file});
        EXPECT_EQ(result.exitCode, 2) << c.code;
        EXPECT_EQ(result.err, QStringLiteral("config load %1: Config. file not compatible !\n").arg(device.tcpDevice()))
            << c.code;
        EXPECT_EQ(requests(device), QStringList{"CMD_READ_CONFIG -"}) << c.code;
    }
    DevSimProcess device;
    ASSERT_TRUE(start(device, 128, 15));
    const CliResult missing = run(device, {"config", "load", path("missing.itc")});
    ExpectOneLineFailure(missing, 2);
    EXPECT_TRUE(missing.err.contains("Config. read error"));
    ExpectOneLineFailure(run(device, {"config", "load", folder.path()}), 2);
    // An empty name is no file to write either.
    const CliResult unnamed = run(device, {"config", "save", ""});
    ExpectOneLineFailure(unnamed, 2);
    EXPECT_TRUE(unnamed.err.startsWith("rerudad-cli: FILE must name")) << unnamed.err.toStdString();
    // None of them was worth linking the device.
    EXPECT_TRUE(device.commandsLogged().isEmpty());
}

TEST_F(CliActionTest, FactoryDefaultOnCode121StoresByShellAndRebootsTwice)
{
    DevSimProcess device;
    ASSERT_TRUE(start(device, 121, 23));
    const CliResult result = run(device, {"factory-default"}, true, folder.path());
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const auto shell = [](const char *line) { return "CMD_SHELL " + QByteArray(line).toHex() + "00"; };
    const QStringList sent = requests(device);
    ASSERT_EQ(sent.size(), 9);
    EXPECT_EQ(sent.mid(0, 3), (QStringList{"CMD_READ_CONFIG -", sent[1], "CMD_READ_CONFIG -"}));
    EXPECT_TRUE(sent[1].startsWith("CMD_WRITE_CONFIG "));
    EXPECT_EQ(sent.mid(3), (QStringList{shell("cp /LENADU/current16.cfg /LENADU/default16.cfg"),
                                        shell("mount /dev/mmcblk0p1 /mnt"), shell("umount /mnt"), shell("sync"),
                                        "CMD_REBOOT -", "CMD_REBOOT -"}));
}

// A device that stops answering is in test_cli_silence.cpp.
TEST_F(CliActionTest, RefusedFactoryDefaultIsExitOne)
{
    DevSimProcess refusing;
    ASSERT_TRUE(start(refusing, 158, 15, {"--fault", "CMD_SAVE_DEFAULT:refuse"}));
    ExpectOneLineFailure(run(refusing, {"factory-default"}, true), 1);
}

} // namespace
