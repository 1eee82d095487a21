// Which folder holds the side files, and the per-user folder made on the
// first start from the menu.

#include "app/programfolder.h"

#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <QOperatingSystemVersion>

#include <gtest/gtest.h>

TEST(ProgramFolder, TheOptionWinsOverTheEnvironmentWhichWinsOverTheCurrentDirectory)
{
    if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows)
        GTEST_SKIP() << "the cases name folders the Linux way (/srv/units)";
    struct Case
    {
        ProgramFolderSources sources;
        QString chosen;
    };
    const QList<Case> cases = {
        {{"/srv/units", "/opt/rerudad", "/home/ann"}, "/srv/units"},
        {{"", "/opt/rerudad", "/home/ann"}, "/opt/rerudad"},
        {{"", "", "/home/ann"}, "/home/ann"},
        // A relative name is taken from the current directory, and the
        // name is cleaned of "..", "." and a trailing "/".
        {{"units/north/", "", "/home/ann"}, "/home/ann/units/north"},
        {{"", "../bob/./kit", "/home/ann"}, "/home/bob/kit"},
        {{"", "", "/home/ann/"}, "/home/ann"},
    };
    for (const Case &item : cases) {
        SCOPED_TRACE(item.chosen.toStdString());
        EXPECT_EQ(ChooseProgramFolder(item.sources), item.chosen);
    }
}

TEST(ProgramFolder, TheFirstStartMakesTheFoldersAndTheReadmeAndLaterStartsKeepThem)
{
    QTemporaryDir home;
    const QString folder = home.filePath(QStringLiteral("share/rerudad"));
    QString error;
    ASSERT_TRUE(PrepareProgramFolder(folder, &error)) << error.toStdString();
    for (const char *subfolder : {"firmware", "config", "logos"})
        EXPECT_TRUE(QFileInfo(QDir(folder).filePath(QLatin1String(subfolder))).isDir()) << subfolder;
    const QByteArray readme = ReadAll(QDir(folder).filePath(QStringLiteral("README.txt")));
    for (const char *named : {"pref.txt", "firmware/advanced.txt", "config/channel.csv", "logos/*.dg1"})
        EXPECT_TRUE(readme.contains(named)) << named;

    // What the user wrote or put there stays as it is.
    WriteAll(QDir(folder).filePath(QStringLiteral("README.txt")), "my notes\n");
    WriteAll(QDir(folder).filePath(QStringLiteral("config/channel.csv")), "1,x,News\n");
    ASSERT_TRUE(PrepareProgramFolder(folder, &error)) << error.toStdString();
    EXPECT_EQ(ReadAll(QDir(folder).filePath(QStringLiteral("README.txt"))), "my notes\n");
    EXPECT_EQ(ReadAll(QDir(folder).filePath(QStringLiteral("config/channel.csv"))), "1,x,News\n");
}

TEST(ProgramFolder, AFolderThatCannotBeMadeIsReportedNotTaken)
{
    QTemporaryDir home;
    const QString file = home.filePath(QStringLiteral("rerudad"));
    WriteAll(file, "a file where the folder would be");
    QString error;
    EXPECT_FALSE(PrepareProgramFolder(file, &error));
    EXPECT_EQ(error, QStringLiteral("cannot create the folder %1/firmware").arg(file));
}
