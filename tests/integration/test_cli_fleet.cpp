// rerudad-cli across many units: discover --json for scripts, and the
// README's backup example run as it is written against three simulated
// devices announcing on loopback.

#include "cliprocess.h"
#include "devsimprocess.h"
#include "referencerecords.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QProcessEnvironment ListeningOnLoopback()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("RERUDAD_DISCOVERY_INTERFACE"), QStringLiteral("lo"));
    environment.remove(QStringLiteral("RERUDAD_SERIAL_PORTS"));
    return environment;
}

QString UniqueId(const char *name)
{
    return QString::fromLatin1(name) + QString::number(QCoreApplication::applicationPid());
}

QStringList Announcing(const QString &id)
{
    return {QStringLiteral("--announce-interface"), QStringLiteral("lo"), QStringLiteral("--announce-interval"),
            QStringLiteral("200"), QStringLiteral("--announce-id"), id};
}

TEST(CliDiscoverJson, OneArrayOfIdAndAddressObjects)
{
    const QString first = UniqueId("JSONA");
    // Identifiers come from the network: quotes and backslashes are escaped.
    const QString second = UniqueId("JSON\"B\\");
    DevSimProcess a;
    DevSimProcess b;
    ASSERT_TRUE(a.start({.pty = false, .extraArguments = Announcing(first)}));
    ASSERT_TRUE(b.start({.pty = false, .extraArguments = Announcing(second)}));
    const CliResult result = RunCli({QStringLiteral("discover"), QStringLiteral("--json"), QStringLiteral("--seconds"),
                                     QStringLiteral("2")},
                                    30000, ListeningOnLoopback());
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.endsWith(QLatin1Char('\n')));
    EXPECT_EQ(result.out.count(QLatin1Char('\n')), 1) << "one document on one line";
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(result.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << result.out.toStdString();
    ASSERT_TRUE(document.isArray());
    QStringList ours;
    for (const QJsonValue &value : document.array()) {
        const QJsonObject device = value.toObject();
        EXPECT_EQ(device.keys(), (QStringList{QStringLiteral("Address"), QStringLiteral("Id")}));
        const QString id = device.value(QStringLiteral("Id")).toString();
        if (id == first || id == second) {
            ours << id;
            EXPECT_EQ(device.value(QStringLiteral("Address")).toString(), QStringLiteral("127.0.0.1"));
        }
    }
    QStringList expected{first, second};
    expected.sort();
    ours.sort();
    EXPECT_EQ(ours, expected);
    EXPECT_TRUE(result.out.contains(QStringLiteral(R"({"Id":"%1","Address":"127.0.0.1"})").arg(first)))
        << result.out.toStdString();
}

// The README's example, word for word: every unit heard is backed up into
// backup/ID.json, eight at a time.
const char *const BackupExample = R"(mkdir -p backup
build/rerudad-cli discover | grep -E '^[A-Za-z0-9.-]+ [0-9.]+$' | xargs -P 8 -L 1 sh -c '
  build/rerudad-cli --device "tcp:$1" config get > "backup/$0.json" || { rm -f "backup/$0.json"; exit 1; }'
)";

struct Unit
{
    const char *name;
    const char *record;
    int code;
    const char *reference; // the Reference text the hand-written record holds
};

TEST(CliFleet, TheBackupExampleSavesEveryUnitHeardIntoItsOwnFile)
{
    // Each unit listens on port 6666 of its own loopback address, as units
    // on a network do; the addresses are picked from the process id so that
    // no other run of this test gets in the way.
    const int pid = int(QCoreApplication::applicationPid());
    const QString network = QStringLiteral("127.%1.%2.").arg(64 + (pid / 250) % 128).arg(pid % 250 + 1);
    const Unit units[] = {{"UNITA", "code158", 158, "REF158"},
                          {"UNITB", "code176", 176, "REF176"},
                          {"UNITC", "code192", 192, "REF192"}};
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("build")));
    ASSERT_TRUE(QFile::link(QStringLiteral(RERUDAD_CLI), folder.filePath(QStringLiteral("build/rerudad-cli"))));

    DevSimProcess devices[3];
    for (int i = 0; i < 3; ++i) {
        const QString recordFile = devices[i].folder() + QStringLiteral("/record.bin");
        QFile record(recordFile);
        ASSERT_TRUE(record.open(QIODevice::WriteOnly));
        ASSERT_GT(record.write(ReferenceRecord(QString::fromLatin1(units[i].record))), 0);
        record.close();
        ASSERT_TRUE(devices[i].start(
            {.code = units[i].code, .versionByte = 15, .pty = false,
             .extraArguments = QStringList{QStringLiteral("--record"), recordFile, QStringLiteral("--address"),
                                           network + QString::number(i + 1), QStringLiteral("--port"),
                                           QStringLiteral("6666")}
                 + Announcing(UniqueId(units[i].name))}))
            << units[i].name << " at " << (network + QString::number(i + 1)).toStdString();
    }

    QProcess shell;
    shell.setWorkingDirectory(folder.path());
    shell.setProcessEnvironment(ListeningOnLoopback());
    shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), QString::fromLatin1(BackupExample)});
    ASSERT_TRUE(shell.waitForFinished(60000));
    const QString err = QString::fromUtf8(shell.readAllStandardError());

    for (int i = 0; i < 3; ++i) {
        const QString id = UniqueId(units[i].name);
        SCOPED_TRACE(id.toStdString());
        QFile backup(folder.filePath(QStringLiteral("backup/%1.json").arg(id)));
        ASSERT_TRUE(backup.open(QIODevice::ReadOnly)) << err.toStdString();
        const QJsonObject model = QJsonDocument::fromJson(backup.readAll()).object();
        EXPECT_EQ(model.value(QStringLiteral("Reference")).toString(), QLatin1String(units[i].reference));
        EXPECT_TRUE(devices[i].commandsLogged().contains(QStringLiteral("CMD_READ_CONFIG")));
        // Units announced by other programs on this machine may fail; ours do not.
        EXPECT_FALSE(err.contains(network + QString::number(i + 1) + QLatin1Char(':'))) << err.toStdString();
    }
}

} // namespace
