// rerudad-cli decode, encode, config get and config set as processes, the
// last two against the simulated device.

#include "cliprocess.h"
#include "devsimprocess.h"
#include "testfiles.h"

#include "config/configcodec.h"
#include "link/cxmit.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A whole code-128 record, written by hand: layout 1 up to
// the USB capability, where this code's record ends.
QByteArray Record128()
{
    QByteArray r;
    auto u8 = [&](int value) { r.append(char(value)); };
    auto u16 = [&](int value) { u8(value); u8(value >> 8); };
    auto u32 = [&](int value) { u16(value); u16(value >> 16); };
    auto text = [&](const char *value) { r.append(value); r.append('\0'); };
    text("CLI128"); u8(1); u8(1); u32(474000);
    u8(2); u8(1); u8(2); u8(0); u8(0); u8(3);   // bandwidth .. level
    u8(1); u16(1); u16(2); text("NET"); u16(3); // NIT, network ids, name, TS id
    u16(0x10); u8(0); u16(7); text("SVC");      // service id, LCN type, LCN, name
    u16(100); u16(101); u16(102); u16(6000); u8(1); u8(0); text("E"); text("T");
    text("logo.dg1"); u8(0); text("clip.ts"); u8(0);
    return r;
}

class CliConfigTest : public ::testing::Test
{
protected:
    QString path(const char *name) const { return m_folder.filePath(QLatin1String(name)); }

    QString write(const char *name, const QByteArray &contents) const
    {
        WriteAll(path(name), contents);
        return path(name);
    }

    static QJsonObject json(const CliResult &result)
    {
        return QJsonDocument::fromJson(result.out.toUtf8()).object();
    }

    // The records the device received with CMD_WRITE_CONFIG, in order.
    static QList<QByteArray> recordsWritten(const DevSimProcess &device)
    {
        QList<QByteArray> records;
        for (const QString &line : device.requestLog()) {
            const QStringList fields = line.split(QLatin1Char(' '));
            if (fields.size() > 4 && fields[3] == QLatin1String("CMD_WRITE_CONFIG"))
                records << QByteArray::fromHex(fields[4].toLatin1());
        }
        return records;
    }

    QTemporaryDir m_folder;
};

TEST_F(CliConfigTest, DecodeAndEncodeAHandWrittenRecord)
{
    const QString record = write("unit.itc", Record128());
    const CliResult decoded = RunCli({QStringLiteral("decode"), QStringLiteral("--code"), QStringLiteral("128"), record});
    ASSERT_EQ(decoded.exitCode, 0) << decoded.err.toStdString();
    const QJsonObject model = json(decoded);
    EXPECT_EQ(model["Reference"].toString(), "CLI128");
    EXPECT_EQ(model["Mux"].toArray()[0].toObject()["FreqKHz"].toInt(), 474000);
    EXPECT_EQ(model["Mux"].toArray()[0].toObject()["LevelAttDb"].toInt(), 3);
    EXPECT_EQ(model["Service"].toArray()[0].toObject()["VideoBitrate"].toInt(), 6000);
    EXPECT_EQ(model["MediaFileName"].toString(), "clip.ts");

    // The printed JSON builds the same record again.
    const QString modelFile = write("model.json", decoded.out.toUtf8());
    const CliResult encoded = RunCli({QStringLiteral("encode"), QStringLiteral("--code"), QStringLiteral("128"),
                                      modelFile, path("out.itc")});
    ASSERT_EQ(encoded.exitCode, 0) << encoded.err.toStdString();
    EXPECT_EQ(ReadAll(path("out.itc")), Record128());
}

TEST_F(CliConfigTest, OfflineRefusalsExitTwo)
{
    const QString record = write("unit.itc", Record128());
    const QString oversized = write("big.itc", Record128() + QByteArray(1025 - Record128().size(), '\0'));
    const QString unknownKey = write("bad.json", R"({"Reference":"x","Colour":"red"})");
    const QStringList runs[] = {
        {QStringLiteral("decode"), QStringLiteral("--code"), QStringLiteral("178"), record},
        {QStringLiteral("decode"), QStringLiteral("--code"), QStringLiteral("128"), oversized},
        {QStringLiteral("decode"), QStringLiteral("--code"), QStringLiteral("130"), record},
        {QStringLiteral("decode"), record},
        {QStringLiteral("decode"), QStringLiteral("--code"), QStringLiteral("128"), path("missing.itc")},
        {QStringLiteral("encode"), QStringLiteral("--code"), QStringLiteral("128"), unknownKey, path("out.itc")},
    };
    for (const QStringList &arguments : runs) {
        const CliResult result = RunCli(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_EQ(result.err.count(QLatin1Char('\n')), 1) << result.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("out.itc")));
}

TEST_F(CliConfigTest, GetAndSetOnEveryLayout)
{
    for (int code : {121, 131, 176, 192}) {
        SCOPED_TRACE(code);
        DevSimProcess device;
        ASSERT_TRUE(device.start({.code = code, .versionByte = 15, .pty = false}));

        const CliResult got = RunCli({QStringLiteral("config"), QStringLiteral("get"), QStringLiteral("--device"),
                                      device.tcpDevice(), QStringLiteral("--raw"), path("raw.bin")});
        ASSERT_EQ(got.exitCode, 0) << got.err.toStdString();
        EXPECT_EQ(json(got)["Reference"].toString(), QStringLiteral("SIM-%1").arg(code));
        const QByteArray original = ReadAll(path("raw.bin"));
        ASSERT_FALSE(original.isEmpty());

        const QString change = write("change.json", R"({"NetworkName":"Changed"})");
        const CliResult set = RunCli({QStringLiteral("config"), QStringLiteral("set"), change,
                                      QStringLiteral("--device"), device.tcpDevice()});
        ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
        EXPECT_EQ(json(set)["NetworkName"].toString(), "Changed");
        EXPECT_EQ(json(set)["Reference"].toString(), QStringLiteral("SIM-%1").arg(code));

        // The device got its own record back with only the name changed.
        const QList<QByteArray> written = recordsWritten(device);
        ASSERT_EQ(written.size(), 1);
        EXPECT_EQ(written[0], QByteArray(original).replace("SIM NETWORK", "Changed"));
    }
}

TEST_F(CliConfigTest, SetRefusesBadInputWithoutWriting)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.pty = false}));
    const char *files[] = {R"({"Ttl":"high"})", R"({"Mux":[{"Speed":1}]})", "{\"Ttl\":", "[]"};
    for (const char *contents : files) {
        const CliResult result = RunCli({QStringLiteral("config"), QStringLiteral("set"), write("bad.json", contents),
                                         QStringLiteral("--device"), device.tcpDevice()});
        EXPECT_EQ(result.exitCode, 2) << contents;
        EXPECT_TRUE(result.out.isEmpty());
    }
    EXPECT_TRUE(device.commandsLogged().isEmpty());

    // Texts too long for a record are refused after reading, before writing.
    const CliResult result = RunCli({QStringLiteral("config"), QStringLiteral("set"),
                                     write("long.json", "{\"NetworkName\":\"" + QByteArray(1100, 'n') + "\"}"),
                                     QStringLiteral("--device"), device.tcpDevice()});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(device.commandsLogged().contains(QStringLiteral("CMD_READ_CONFIG")));
    EXPECT_FALSE(device.commandsLogged().contains(QStringLiteral("CMD_WRITE_CONFIG")));
}

TEST_F(CliConfigTest, SetAndEncodeRefuseWhatThePagesWouldNotStore)
{
    struct Case
    {
        const char *json;
        const char *line;
    };
    const Case cases[] = {
        {R"({"Ttl":0})", ": Ttl: 0 is outside 1..128\n"},
        {R"({"NitVersion":200})", ": NitVersion: 200 is outside 0..32\n"},
        {R"({"Ttl":-1})", ": Ttl: 4294967295 is outside 1..128\n"},
        {R"({"Mux":[{"TsId":65536}]})", ": Mux[0].TsId: 65536 is outside 0..65535\n"},
        {R"({"Service":[{},{"PmtPid":31}]})", ": Service[1].PmtPid: 31 is outside 32..4294967295\n"},
        {R"({"Reference":"ABCDEFGHIJKLMNOPQRSTU"})", ": Reference: 21 characters, at most 20\n"},
    };
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 131, .pty = false}));
    for (const Case &c : cases) {
        const QString file = write("change.json", c.json);
        const CliResult set = RunCli({QStringLiteral("config"), QStringLiteral("set"), file,
                                      QStringLiteral("--device"), device.tcpDevice()});
        EXPECT_EQ(set.exitCode, 2) << c.json;
        EXPECT_TRUE(set.out.isEmpty());
        EXPECT_TRUE(set.err.endsWith(QLatin1String(c.line))) << set.err.toStdString();
        EXPECT_EQ(set.err.count(QLatin1Char('\n')), 1) << set.err.toStdString();

        const CliResult encoded = RunCli({QStringLiteral("encode"), QStringLiteral("--code"), QStringLiteral("131"),
                                          file, path("out.itc")});
        EXPECT_EQ(encoded.exitCode, 2) << c.json;
        EXPECT_TRUE(encoded.err.endsWith(QLatin1String(c.line))) << encoded.err.toStdString();
    }
    EXPECT_FALSE(device.commandsLogged().contains(QStringLiteral("CMD_WRITE_CONFIG")));
    EXPECT_FALSE(QFile::exists(path("out.itc")));

    // A value inside its range is written, whatever the other members hold.
    const CliResult set = RunCli({QStringLiteral("config"), QStringLiteral("set"),
                                  write("change.json", R"({"Ttl":1,"NitVersion":32})"), QStringLiteral("--device"),
                                  device.tcpDevice()});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(json(set)["NitVersion"].toInt(), 32);
    EXPECT_EQ(recordsWritten(device).size(), 1);
}

TEST_F(CliConfigTest, GetRefusesAnotherLayoutsRecord)
{
    DevSimProcess device;
    ASSERT_TRUE(device.start({.code = 131, .pty = false}));
    // Another tool left a layout-2 record in the device.
    {
        CXmit xmit;
        xmit.TcpPort = device.tcpPort();
        ASSERT_TRUE(xmit.ConnectTcp(QStringLiteral("127.0.0.1")));
        ASSERT_TRUE(xmit.Send(CMD_WRITE_CONFIG, QByteArray::fromHex("50465a4ab2") + QByteArray(40, 'x')));
    }
    const CliResult result = RunCli({QStringLiteral("config"), QStringLiteral("get"), QStringLiteral("--device"),
                                     device.tcpDevice(), QStringLiteral("--raw"), path("raw.bin")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(ReadAll(path("raw.bin")).left(5).toHex(), "50465a4ab2");
}

} // namespace
