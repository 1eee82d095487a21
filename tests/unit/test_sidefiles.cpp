#include "app/sidefiles.h"

#include "specialfiles.h"

#include "auxiliary/texttable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <QOperatingSystemVersion>

#include <gtest/gtest.h>

#include <limits>


namespace {

// A program folder of its own for every test, with the side files it writes.
class SideFilesTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    QString Folder() const { return m_folder.path(); }

    void Write(const QString &relativePath, const QByteArray &content)
    {
        const QString path = m_folder.filePath(relativePath);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(content), content.size());
    }

    void MakeFolder(const QString &relativePath)
    {
        ASSERT_TRUE(QDir().mkpath(m_folder.filePath(relativePath)));
    }

    int LanguageOf(const QByteArray &preference)
    {
        Write(QStringLiteral("pref.txt"), preference);
        return ReadSideFiles(Folder()).LanguageIndex;
    }

    int SetupVersionOf(const QByteArray &content)
    {
        Write(QStringLiteral("firmware/setup_version.txt"), content);
        return ReadSideFiles(Folder()).SetupVersion;
    }

private:
    QTemporaryDir m_folder;
};

// Sets an environment variable for one scope.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char *name, const QByteArray &value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_previous(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (m_wasSet)
            qputenv(m_name, m_previous);
        else
            qunsetenv(m_name);
    }
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_previous;
};

} // namespace

TEST_F(SideFilesTest, WithoutSideFilesEverythingStaysAtItsDefault)
{
    const StartupValues values = ReadSideFiles(Folder() + u'/');
    EXPECT_EQ(values.ProgramFolder, Folder());
    EXPECT_EQ(values.FirmwareFolder, Folder() + QStringLiteral("/firmware/"));
    EXPECT_FALSE(values.DesktopFolder.isEmpty());
    EXPECT_EQ(values.ManufacturerMode, 0);
    EXPECT_EQ(values.AdvancedMode, 0);
    EXPECT_EQ(values.LanguageIndex, 0);
    EXPECT_EQ(values.SetupVersion, 0);
}

TEST_F(SideFilesTest, LogsGoToTheProgramFolderWhenTheUserHasNoDesktopFolder)
{
    // The desktop folder comes from HOME only where the system takes it from there.
    if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows)
        GTEST_SKIP() << "the desktop folder does not follow HOME on Windows";
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const ScopedEnvironment homeFolder("HOME", QFile::encodeName(home.path()));
    const ScopedEnvironment userConfig("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));

    EXPECT_EQ(ReadSideFiles(Folder()).DesktopFolder, Folder());

    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("Desktop")));
    EXPECT_EQ(ReadSideFiles(Folder()).DesktopFolder, home.filePath(QStringLiteral("Desktop")));
}

TEST_F(SideFilesTest, FirstTwoCharactersOfThePreferenceChooseTheLanguage)
{
    EXPECT_EQ(LanguageOf("EN\n"), 0);
    EXPECT_EQ(LanguageOf("FRANCAIS\n"), 1);
    EXPECT_EQ(LanguageOf("IT"), 2);
    EXPECT_EQ(LanguageOf("DE\r\nFR\r\n"), 3);
    EXPECT_EQ(LanguageOf("PO\n"), 4);
    EXPECT_EQ(LanguageOf("ES\n"), 5);
    // A UTF-8 byte order mark, as some editors write it, is not part of the line.
    EXPECT_EQ(LanguageOf("\xEF\xBB\xBF" "FR\n"), 1);
    EXPECT_EQ(LanguageOf("\xEF\xBB\xBF" "FR \xE9t\xE9\n"), 1);
}

TEST_F(SideFilesTest, AnyOtherPreferenceGivesEnglish)
{
    for (const QByteArray &preference :
         {QByteArray("fr\n"), QByteArray("Fr\n"), QByteArray("PL\n"), QByteArray("pl\n"),
          QByteArray("F"), QByteArray(""), QByteArray("\nFR\n"), QByteArray(" FR\n"),
          QByteArray("\0FR\n", 4), QByteArray("\xFF\xFE" "F\0R\0", 6)}) {
        EXPECT_EQ(LanguageOf(preference), 0) << preference.toHex().constData();
    }
    EXPECT_EQ(LanguageOf(QByteArray("FR\0DE", 5)), 1);
}

TEST_F(SideFilesTest, PreferenceThatIsNoFileGivesEnglish)
{
    MakeFolder(QStringLiteral("pref.txt"));
    EXPECT_EQ(ReadSideFiles(Folder()).LanguageIndex, 0);
}

TEST_F(SideFilesTest, SetupVersionIsTheDigitsFromTheSeventhCharacter)
{
    EXPECT_EQ(SetupVersionOf("SETUP 12a\nSETUP 99\n"), 12);
    EXPECT_EQ(SetupVersionOf("SETUP 0042"), 42);
    EXPECT_EQ(SetupVersionOf("SETUP\n"), 0);
    EXPECT_EQ(SetupVersionOf("VERSION 3\n"), 0);
    EXPECT_EQ(SetupVersionOf("123456789\n"), 789);
    EXPECT_EQ(SetupVersionOf("SETUP 7\r\n"), 7);
    // Characters, not bytes, count: the same line in UTF-8 and in Latin-1.
    EXPECT_EQ(SetupVersionOf("SETU\xC3\xA9 31\n"), 31);
    EXPECT_EQ(SetupVersionOf("SETU\xE9 31\n"), 31);
}

TEST_F(SideFilesTest, SetupVersionTooLargeForThirtyTwoBitsGivesZero)
{
    EXPECT_EQ(SetupVersionFromLine(u"SETUP 2147483647"), std::numeric_limits<int>::max());
    EXPECT_EQ(SetupVersionFromLine(u"SETUP 2147483648"), 0);
    EXPECT_EQ(SetupVersionOf("SETUP " + QByteArray(100000, '9')), 0);
}

TEST_F(SideFilesTest, FlagFilesCountWhenTheyOpenAsFiles)
{
    Write(QStringLiteral("firmware/manufacturer.txt"), QByteArray());
    MakeFolder(QStringLiteral("firmware/advanced.txt"));
    StartupValues values = ReadSideFiles(Folder());
    EXPECT_EQ(values.ManufacturerMode, 1);
    EXPECT_EQ(values.AdvancedMode, 0);

    ASSERT_TRUE(QDir(Folder() + QStringLiteral("/firmware/advanced.txt")).removeRecursively());
    Write(QStringLiteral("firmware/advanced.txt"), "yes");
    values = ReadSideFiles(Folder());
    EXPECT_EQ(values.AdvancedMode, 1);
}

TEST_F(SideFilesTest, NamedPipesAreNotReadAndDoNotBlock)
{
    MakeFolder(QStringLiteral("firmware"));
    for (const char *name : {"/firmware/manufacturer.txt", "/pref.txt", "/firmware/setup_version.txt"}) {
        if (!MakeNamedPipe(Folder() + QLatin1String(name)))
            GTEST_SKIP() << "this system has no named pipes in the file system";
    }

    const StartupValues values = ReadSideFiles(Folder());
    EXPECT_EQ(values.ManufacturerMode, 0);
    EXPECT_EQ(values.LanguageIndex, 0);
    EXPECT_EQ(values.SetupVersion, 0);
}

TEST_F(SideFilesTest, LongProgramFolderIsUsedWhole)
{
    QString relative;
    while (relative.size() < 400)
        relative += QStringLiteral("a_rather_long_folder_name/");
    Write(relative + QStringLiteral("pref.txt"), "DE\n");
    const QString longFolder = QDir(Folder()).filePath(relative);

    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(longFolder));
    const QString current = CurrentProgramFolder();
    QDir::setCurrent(previous);

    EXPECT_EQ(current, QDir::cleanPath(longFolder));
    EXPECT_EQ(ReadSideFiles(current).LanguageIndex, 3);
}

TEST_F(SideFilesTest, LoadingFixesTheValuesOfThisRun)
{
    Write(QStringLiteral("pref.txt"), "IT\n");
    Write(QStringLiteral("firmware/advanced.txt"), QByteArray());
    Write(QStringLiteral("config/channel.csv"), "101,Notizie,5\n");

    LoadStartupFiles(Folder());
    const int language = LanguageIndex;
    const StartupValues values = Startup;
    const ChannelList channels = Channels;
    LanguageIndex = 0;
    Startup = StartupValues();
    Channels.clear();

    EXPECT_EQ(language, 2);
    EXPECT_EQ(values.AdvancedMode, 1);
    EXPECT_EQ(values.ProgramFolder, Folder());
    ASSERT_EQ(channels.size(), 1);
    EXPECT_EQ(channels[0].ChannelName, QStringLiteral("Notizie"));
}
