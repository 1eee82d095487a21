// Configuration files: the extension rule, the status texts, writing a file
// that replaces an earlier one only when complete, and reading with the size
// limit and the decoder's acceptance. Records are written by hand.

#include "answeringprompts.h"
#include "configtestrecords.h"
#include "specialfiles.h"
#include "testfiles.h"

#include "auxiliary/beep.h"
#include "auxiliary/statusstrip.h"
#include "config/configfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A whole code-128 record: layout 1 up to the USB capability, where the
// record of this code ends.
QByteArray Record128(const char *reference = "FILE128", const char *logo = "logo.dg1")
{
    return RecordBytes()
        .text(reference).u8(1).u8(1).u32(474000)
        .u8(2).u8(1).u8(2).u8(0).u8(0).u8(3)  // bandwidth, mode, constellation, FEC, guard, level
        .u8(1).u16(1).u16(2).text("NET").u16(3) // NIT version, network ids, name, TS id
        .u16(0x10).u8(0).u16(7).text("SVC")     // service id, LCN type, LCN, name
        .u16(100).u16(101).u16(102).u16(6000).u8(1).u8(0).text("E").text("T")
        .text(logo).u8(0).text("clip.ts").u8(1);
}

struct RecordingStrip : StatusStrip
{
    void ShowStatus(const QString &text, bool wait, int durationMs) override
    {
        texts << text;
        EXPECT_FALSE(wait);
        EXPECT_EQ(durationMs, 2000);
    }
    void SetProgress(int, int) override {}
    void ShowLinkActivity(bool) override {}
    QStringList texts;
};

class ConfigFileTest : public ::testing::Test
{
protected:
    ConfigFileTest()
    {
        m_previousSink = SetBeepSink([this](int frequency, int duration) { beeps << frequency << duration; });
    }
    ~ConfigFileTest() override { SetBeepSink(m_previousSink); }

    QString path(const QString &name) const { return folder.filePath(name); }

    // A code-128 model as the device holds it after reading Record128.
    ConfigModel DeviceModel()
    {
        ConfigModel model = ModelFor(code128);
        EXPECT_TRUE(DecodeConfigBlock(Record128(), code128, model));
        return model;
    }

    QTemporaryDir folder;
    const DeviceIdentity code128 = Device(128);
    QList<int> beeps;

private:
    BeepSink m_previousSink;
};

TEST(ConfigFileExtension, AppendedUnlessTheFileNamesFirstDotStartsIt)
{
    const QString tmc = QStringLiteral(".tmc");
    const QString itc = QStringLiteral(".itc");
    EXPECT_EQ(WithConfigFileExtension("/home/user/config/unit1", tmc), "/home/user/config/unit1.tmc");
    EXPECT_EQ(WithConfigFileExtension("/home/user/config/unit1.TMC", tmc), "/home/user/config/unit1.TMC");
    EXPECT_EQ(WithConfigFileExtension("/home/user/config/unit1.tmc", tmc), "/home/user/config/unit1.tmc");
    EXPECT_EQ(WithConfigFileExtension("/home/user/config/unit1.itc", tmc), "/home/user/config/unit1.itc.tmc");
    EXPECT_EQ(WithConfigFileExtension("/home/user/config/unit1.Itc", itc), "/home/user/config/unit1.Itc");
    // The first dot of the file name counts; dots in folder names do not.
    EXPECT_EQ(WithConfigFileExtension("/home/user/config/unit.1.itc", itc), "/home/user/config/unit.1.itc.itc");
    EXPECT_EQ(WithConfigFileExtension("/home/john.doe/.local/unit1.itc", itc), "/home/john.doe/.local/unit1.itc");
    EXPECT_EQ(WithConfigFileExtension("/home/john.doe/unit1", itc), "/home/john.doe/unit1.itc");
    EXPECT_EQ(WithConfigFileExtension("/home/john.doe/unit.1.itc", itc), "/home/john.doe/unit.1.itc.itc");
    EXPECT_EQ(WithConfigFileExtension("/home/.itc", itc), "/home/.itc");
    // Ending in the letters without their dot, or with no dot at all.
    EXPECT_EQ(WithConfigFileExtension("/home/user/config/unititc", itc), "/home/user/config/unititc.itc");
    EXPECT_EQ(WithConfigFileExtension("itc", itc), "itc.itc");
    EXPECT_EQ(WithConfigFileExtension(".itc", itc), ".itc");
}

TEST(ConfigFileStatus, TextsOfEveryOutcome)
{
    EXPECT_EQ(ConfigFileStatusText(ConfigFileOutcome::Saved), "Saved");
    EXPECT_EQ(ConfigFileStatusText(ConfigFileOutcome::WriteError), "Config. write Error");
    EXPECT_EQ(ConfigFileStatusText(ConfigFileOutcome::Loaded), "Loaded");
    EXPECT_EQ(ConfigFileStatusText(ConfigFileOutcome::ReadError), "Config. read error");
    EXPECT_EQ(ConfigFileStatusText(ConfigFileOutcome::NotCompatible), "Config. file not compatible !");
}

TEST_F(ConfigFileTest, WritesTheRecordWithTheLogoOfTheListAndKeepsTheModelsLogo)
{
    ConfigModel model = DeviceModel();
    EXPECT_EQ(WriteConfigFile(path("plain.itc"), code128, model), ConfigFileOutcome::Saved);
    EXPECT_EQ(ReadAll(path("plain.itc")), Record128());

    model.ChosenLogoName = QStringLiteral("list.dg1");
    EXPECT_EQ(WriteConfigFile(path("listed.itc"), code128, model), ConfigFileOutcome::Saved);
    EXPECT_EQ(ReadAll(path("listed.itc")), Record128("FILE128", "list.dg1"));
    EXPECT_EQ(model.LogoName, QStringLiteral("logo.dg1"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), (QStringList{"listed.itc", "plain.itc"}));
}

TEST_F(ConfigFileTest, AFileThatCannotBeWrittenIsAWriteError)
{
    ConfigModel model = DeviceModel();
    EXPECT_EQ(WriteConfigFile(path("missing/unit.itc"), code128, model), ConfigFileOutcome::WriteError);
    QDir(folder.path()).mkpath(QStringLiteral("taken.itc"));
    EXPECT_EQ(WriteConfigFile(path("taken.itc"), code128, model), ConfigFileOutcome::WriteError);
    // Texts too long for a record: nothing is written.
    model.Reference = QString(1100, QLatin1Char('R'));
    EXPECT_EQ(WriteConfigFile(path("long.itc"), code128, model), ConfigFileOutcome::WriteError);
    EXPECT_FALSE(QFile::exists(path("long.itc")));
}

TEST_F(ConfigFileTest, AFullDiskLeavesTheEarlierFileWhole)
{
    const QByteArray earlier = Record128("EARLIER");
    WriteAll(path("unit.itc"), earlier);

    ConfigModel model = DeviceModel();
    // Every write past 16 bytes fails as on a full disk.
    ConfigFileOutcome outcome = ConfigFileOutcome::Saved;
    {
        const FileSizeLimit full(16);
        if (!full.active())
            GTEST_SKIP() << "this system cannot limit the size of files";
        outcome = WriteConfigFile(path("unit.itc"), code128, model);
    }

    EXPECT_EQ(outcome, ConfigFileOutcome::WriteError);
    EXPECT_EQ(ReadAll(path("unit.itc")), earlier);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"unit.itc"});
}

TEST_F(ConfigFileTest, ReadingAcceptsOnlyWhatTheDecoderAccepts)
{
    ConfigModel model = DeviceModel();
    const ConfigModel before = model;

    EXPECT_EQ(ReadConfigFile(path("missing.itc"), code128, model), ConfigFileOutcome::ReadError);
    QDir(folder.path()).mkpath(QStringLiteral("folder.itc"));
    EXPECT_EQ(ReadConfigFile(path("folder.itc"), code128, model), ConfigFileOutcome::ReadError);

    WriteAll(path("empty.itc"), {});
    EXPECT_EQ(ReadConfigFile(path("empty.itc"), code128, model), ConfigFileOutcome::NotCompatible);
    // One byte more than a record: refused, not cut.
    WriteAll(path("long.itc"), Record128() + QByteArray(1025 - Record128().size(), '\0'));
    EXPECT_EQ(ReadConfigFile(path("long.itc"), code128, model), ConfigFileOutcome::NotCompatible);
    // A layout-2 record: its header 50 46 5A 4A, then hardware code 176.
    WriteAll(path("pedisa.itc"), QByteArray::fromHex("50465a4ab0") + Record128());
    EXPECT_EQ(ReadConfigFile(path("pedisa.itc"), code128, model), ConfigFileOutcome::NotCompatible);
    const DeviceIdentity code178 = Device(178);
    ConfigModel model178 = ModelFor(code178);
    const ConfigModel before178 = model178;
    EXPECT_EQ(ReadConfigFile(path("pedisa.itc"), code178, model178), ConfigFileOutcome::NotCompatible);
    EXPECT_EQ(model178, before178);
    EXPECT_EQ(model, before);
}

TEST_F(ConfigFileTest, AFileThatFitsIsLoadedAndAsksForTheFactoryDefaultStore)
{
    WriteAll(path("other.itc"), Record128("OTHER", "other.dg1"));
    ConfigModel model = DeviceModel();
    EXPECT_EQ(ReadConfigFile(path("other.itc"), code128, model), ConfigFileOutcome::Loaded);
    EXPECT_EQ(model.Reference, QStringLiteral("OTHER"));
    EXPECT_EQ(model.LogoName, QStringLiteral("other.dg1"));
    EXPECT_EQ(model.CommitCountdown, 1);
    EXPECT_EQ(model.StoreAsDefault, 1);

    // Exactly 1024 bytes still fit: the decoder reads the fields it knows.
    WriteAll(path("full.itc"), Record128() + QByteArray(1024 - Record128().size(), '\0'));
    EXPECT_EQ(ReadConfigFile(path("full.itc"), code128, model), ConfigFileOutcome::Loaded);
}

TEST_F(ConfigFileTest, SaveAsksForTheFileAndTellsTheOutcome)
{
    AnsweringPrompts prompts;
    RecordingStrip strip;
    ConfigModel model = DeviceModel();
    const ConfigFileSession session{code128, model, &strip, folder.path()};

    // Cancelled: nothing at all.
    EXPECT_FALSE(SaveConfigFile(session));
    ASSERT_EQ(prompts.FileRequests.size(), 1);
    const FilePrompt &asked = prompts.FileRequests[0];
    EXPECT_EQ(asked.Mode, FilePrompt::Kind::Save);
    EXPECT_EQ(asked.Title, QStringLiteral("Save Configuration"));
    EXPECT_EQ(asked.Folder, folder.path() + QStringLiteral("/config/"));
    EXPECT_EQ(asked.FilterCaption, QStringLiteral("Config."));
    EXPECT_EQ(asked.Pattern, QStringLiteral("*.itc"));
    EXPECT_TRUE(strip.texts.isEmpty());
    EXPECT_TRUE(beeps.isEmpty());

    prompts.Paths << path("unit1");
    EXPECT_TRUE(SaveConfigFile(session));
    EXPECT_EQ(ReadAll(path("unit1.itc")), Record128());
    EXPECT_EQ(strip.texts, QStringList{"Saved"});
    EXPECT_TRUE(beeps.isEmpty());

    prompts.Paths << path("missing/unit1");
    EXPECT_FALSE(SaveConfigFile(session));
    EXPECT_EQ(strip.texts.last(), QStringLiteral("Config. write Error"));
    EXPECT_EQ(beeps, (QList<int>{440, 250}));
}

TEST_F(ConfigFileTest, LoadAsksForTheFileAndTellsTheOutcome)
{
    AnsweringPrompts prompts;
    RecordingStrip strip;
    const DeviceIdentity code121 = Device(121, 23);
    ConfigModel model = ModelFor(code121);
    const ConfigFileSession session{code121, model, &strip, folder.path()};

    prompts.Paths << path("absent");
    EXPECT_FALSE(LoadConfigFile(session));
    ASSERT_EQ(prompts.FileRequests.size(), 1);
    EXPECT_EQ(prompts.FileRequests[0].Mode, FilePrompt::Kind::Open);
    EXPECT_EQ(prompts.FileRequests[0].Title, QStringLiteral("Load Configuration"));
    EXPECT_EQ(prompts.FileRequests[0].Pattern, QStringLiteral("*.tmc"));
    EXPECT_EQ(strip.texts, QStringList{"Config. read error"});
    EXPECT_EQ(beeps, (QList<int>{440, 250}));

    // The rule appends ".tmc" to the chosen name; a layout-2 file is refused.
    WriteAll(path("dasera.tmc"), QByteArray::fromHex("50465a4ab2") + Record128());
    prompts.Paths << path("dasera");
    EXPECT_FALSE(LoadConfigFile(session));
    EXPECT_EQ(strip.texts.last(), QStringLiteral("Config. file not compatible !"));
    EXPECT_EQ(beeps, (QList<int>{440, 250, 440, 250}));
    EXPECT_EQ(model.StoreAsDefault, 0);
}

TEST_F(ConfigFileTest, FilesInAFolderWithADotInItsNameAreSavedAndLoadedUnderTheirOwnName)
{
    AnsweringPrompts prompts;
    RecordingStrip strip;
    ConfigModel model = DeviceModel();
    const ConfigFileSession session{code128, model, &strip, folder.path()};
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("john.doe")));

    prompts.Paths << path("john.doe/unit1.itc");
    EXPECT_TRUE(SaveConfigFile(session));
    EXPECT_EQ(QDir(path("john.doe")).entryList(QDir::Files), QStringList{"unit1.itc"});

    WriteAll(path("john.doe/other.itc"), Record128("OTHER"));
    prompts.Paths << path("john.doe/other.itc");
    EXPECT_TRUE(LoadConfigFile(session));
    EXPECT_EQ(model.Reference, QStringLiteral("OTHER"));
    EXPECT_EQ(strip.texts, (QStringList{"Saved", "Loaded"}));
    EXPECT_TRUE(beeps.isEmpty());
}

TEST_F(ConfigFileTest, LoadRefusesWhatIsNoRegularFile)
{
    // A named pipe opened for reading waits for a writer, and its reads wait
    // for the writer to finish: either would freeze the window. LOAD takes
    // regular files only. The writer here sends more than a record and ends.
    const FedNamedPipe pipe(path("pipe.itc"), QByteArray(2048, '\0'));
    if (!pipe.made())
        GTEST_SKIP() << "this system has no named pipes in the file system";

    AnsweringPrompts prompts;
    RecordingStrip strip;
    ConfigModel model = DeviceModel();
    const ConfigModel before = model;
    const ConfigFileSession session{code128, model, &strip, folder.path()};
    prompts.Paths << path("pipe.itc");
    EXPECT_FALSE(LoadConfigFile(session));
    EXPECT_EQ(strip.texts, QStringList{"Config. read error"});
    EXPECT_EQ(beeps, (QList<int>{440, 250}));
    EXPECT_EQ(model, before);
}

} // namespace
