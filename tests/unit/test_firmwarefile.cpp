// Firmware files: what a name says, the digest, which file is chosen, and
// what happens to files that cannot be used.

#include "answeringprompts.h"
#include "firmwarefiles.h"
#include "specialfiles.h"

#include "app/firmwarefile.h"
#include "auxiliary/statusstrip.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>


namespace {

struct ProgressStrip : StatusStrip
{
    void ShowStatus(const QString &, bool, int) override {}
    void SetProgress(int position, int range) override { progress << position << range; }
    void ShowLinkActivity(bool) override {}
    QList<int> progress;
};

QString Touch(const QString &folder, const QString &name, const QByteArray &contents = "x")
{
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(contents);
    return path;
}

const QString Digest32 = QStringLiteral("0123456789ABCDEF0123456789ABCDEF");

TEST(FirmwareFileName, LabelBeforeTheFirstUnderscoreAndTheLeadingNumberOfTwoCharacters)
{
    const auto parse = [](const char *name) { return ParseFirmwareFileName(QString::fromLatin1(name)); };
    EXPECT_EQ(parse("LENADU_23_abc.bin").Label, QStringLiteral("LENADU"));
    EXPECT_EQ(parse("LENADU_23_abc.bin").Version, 23);
    EXPECT_EQ(parse("DUNASA_1a_x.bin").Version, 1);   // digits up to the first other character
    EXPECT_EQ(parse("DUNASA_ 7x.bin").Version, 7);    // a leading blank is skipped
    EXPECT_EQ(parse("DUNASA_+5x.bin").Version, 5);
    EXPECT_EQ(parse("DUNASA_-5x.bin").Version, -5);
    EXPECT_EQ(parse("DUNASA_150.bin").Version, 15);   // two characters only
    EXPECT_EQ(parse("DUNASA_ab.bin").Version, 0);
    EXPECT_EQ(parse("DUNASA_9").Version, 9);          // a short tail
    EXPECT_EQ(parse("DUNASA_").Version, 0);
    EXPECT_EQ(parse("KUDARO_A_POKAFA_12.bin").Label, QStringLiteral("KUDARO"));
    EXPECT_TRUE(parse("DUNASA15.bin").Label.isEmpty());
}

TEST(FirmwareFileName, DigestIsTheThirtyTwoCharactersBeforeTheExtensionInUpperCase)
{
    EXPECT_EQ(NamedDigest(QStringLiteral("/fw/DUNASA_15_0123456789abcdef0123456789ABCDEF.bin")), Digest32);
    // A short name takes the rest of its 32 characters from the path.
    EXPECT_EQ(NamedDigest(QStringLiteral("/firmware/DUNASA_15.bin")), QStringLiteral("/FIRMWARE/DUNASA_15"));
    EXPECT_TRUE(NamedDigest(QStringLiteral("bin")).isEmpty());
}

TEST(FileMd5, MatchesTheReferenceDigestsAcrossPieceBoundaries)
{
    QTemporaryDir folder;
    // Digests of RFC 1321's test suite and of one million "a".
    EXPECT_EQ(FileMd5(Touch(folder.path(), QStringLiteral("empty"), "")), QStringLiteral("D41D8CD98F00B204E9800998ECF8427E"));
    EXPECT_EQ(FileMd5(Touch(folder.path(), QStringLiteral("abc"), "abc")), QStringLiteral("900150983CD24FB0D6963F7D28E17F72"));
    EXPECT_EQ(FileMd5(Touch(folder.path(), QStringLiteral("million"), QByteArray(1000000, 'a'))),
              QStringLiteral("7707D6AE4E027C70EEA2A935C2296F21"));
    // Exactly one piece, and one byte more.
    for (int size : {16384, 16385}) {
        const QByteArray bytes = TaggedFirmwareImage(size, 1);
        EXPECT_EQ(FileMd5(Touch(folder.path(), QStringLiteral("piece"), bytes)), ReferenceMd5(bytes)) << size;
    }
    EXPECT_TRUE(FileMd5(folder.filePath(QStringLiteral("missing"))).isEmpty());
    EXPECT_TRUE(FileMd5(folder.path()).isEmpty()); // a folder is no file
}

TEST(FirmwareListing, SortedByNameAndOnlyBinFiles)
{
    QTemporaryDir folder;
    for (const char *name : {"b_15.bin", "B_15.bin", "a_15.bin", "a_15.txt", "c_15.BIN"})
        Touch(folder.path(), QString::fromLatin1(name));
    const QStringList made = QDir(folder.path()).entryList(QDir::Files);
    if (!made.contains(QStringLiteral("b_15.bin")) || !made.contains(QStringLiteral("B_15.bin")))
        GTEST_SKIP() << "this file system does not tell B_15.bin from b_15.bin";
    QDir(folder.path()).mkdir(QStringLiteral("d_15.bin"));
    const FirmwareListing listing = ListFirmwareFiles(folder.path());
    ASSERT_TRUE(listing.Listed);
    QStringList names;
    for (const QString &path : listing.Paths)
        names << QFileInfo(path).fileName();
    EXPECT_EQ(names, (QStringList{QStringLiteral("B_15.bin"), QStringLiteral("a_15.bin"), QStringLiteral("b_15.bin"),
                                  QStringLiteral("c_15.BIN")}));

    EXPECT_FALSE(ListFirmwareFiles(folder.filePath(QStringLiteral("missing"))).Listed);
    EXPECT_FALSE(ListFirmwareFiles(Touch(folder.path(), QStringLiteral("plain"))).Listed);
    // No folder is not the current directory.
    EXPECT_FALSE(ListFirmwareFiles(QString()).Listed);
}

TEST(ChooseFirmwareFile, HighestVersionFirstListedOfEqualOnesNeverAWithdrawnOne)
{
    const QStringList paths = {
        QStringLiteral("/fw/DUNASA_12_a.bin"), QStringLiteral("/fw/DUNASA_15_first.bin"),
        QStringLiteral("/fw/DUNASA_15_second.bin"), QStringLiteral("/fw/dunasa_20_case.bin"),
        QStringLiteral("/fw/DUNASAX_30_prefix.bin"), QStringLiteral("/fw/DUNASA_xx_none.bin")};
    const FirmwareCandidate chosen = ChooseFirmwareFile(paths, QStringLiteral("DUNASA"), {});
    EXPECT_EQ(chosen.Version, 15);
    EXPECT_EQ(chosen.Path, QStringLiteral("/fw/DUNASA_15_first.bin"));
    EXPECT_EQ(ChooseFirmwareFile(paths, QStringLiteral("OTHER"), {}).Version, 0);
    EXPECT_EQ(ChooseFirmwareFile(paths, QString(), {}).Version, 0);

    const QStringList kudaro = {QStringLiteral("/fw/KUDARO_07_a.bin"), QStringLiteral("/fw/KUDARO_06_b.bin")};
    const auto seven = [](int version) { return version == 7; };
    EXPECT_EQ(ChooseFirmwareFile(kudaro, QStringLiteral("KUDARO"), seven).Version, 6);
    EXPECT_EQ(ChooseFirmwareFile({kudaro[0]}, QStringLiteral("KUDARO"), seven).Version, 0);
}

class FindFirmwareFileTest : public ::testing::Test
{
protected:
    FirmwareImage find(const QString &label, int skippedBytes = 0)
    {
        return FindFirmwareFile(folder.path(), label, {}, strip, skippedBytes);
    }

    QTemporaryDir folder;
    ProgressStrip strip;
    AnsweringPrompts prompts;
};

TEST_F(FindFirmwareFileTest, ReadsTheNewestFileAndSetsAnEmptyProgressBarOverIt)
{
    const QByteArray old = TaggedFirmwareImage(700, 12);
    const QByteArray newest = TaggedFirmwareImage(2 * 16384 + 5, 15); // three hashed pieces
    WriteFirmwareFile(folder.path(), QStringLiteral("DUNASA"), 12, old);
    const QString path = WriteFirmwareFile(folder.path(), QStringLiteral("DUNASA"), 15, newest);
    const FirmwareImage image = find(QStringLiteral("DUNASA"));
    EXPECT_EQ(image.Problem, FirmwareFileProblem::None);
    EXPECT_EQ(image.Version, 15);
    EXPECT_EQ(image.Path, path);
    EXPECT_EQ(image.Bytes, newest);
    EXPECT_EQ(strip.progress, (QList<int>{0, 2 * 16384 + 5}));
    EXPECT_TRUE(prompts.Messages.isEmpty());
}

TEST_F(FindFirmwareFileTest, LowerCaseDigestPassesAWrongOneShowsBothDigests)
{
    const QByteArray image = TaggedFirmwareImage(600, 15);
    WriteFirmwareFile(folder.path(), QStringLiteral("DUNASA"), 15, image, NamedDigestCase::Lower);
    EXPECT_EQ(find(QStringLiteral("DUNASA")).Version, 15);

    const QString wrong = WriteFirmwareFile(folder.path(), QStringLiteral("GUBUSO"), 15, image, NamedDigestCase::Wrong);
    const FirmwareImage refused = find(QStringLiteral("GUBUSO"));
    EXPECT_EQ(refused.Version, 0);
    EXPECT_EQ(refused.Problem, FirmwareFileProblem::DigestMismatch);
    EXPECT_TRUE(refused.Bytes.isEmpty());
    ASSERT_EQ(prompts.Messages.size(), 1);
    EXPECT_EQ(prompts.Messages[0].Text, QStringLiteral("MD5 Error") + ReferenceMd5(image) + ReferenceMd5(image + "other"));
    EXPECT_TRUE(prompts.Messages[0].Caption.isEmpty());
    EXPECT_EQ(prompts.Messages[0].Buttons, PromptButtons::Ok);
    EXPECT_TRUE(QFile::exists(wrong));
    EXPECT_EQ(strip.progress, (QList<int>{0, 600})); // only for the good file
}

TEST_F(FindFirmwareFileTest, OneTimeImageIsTakenWithoutDigestAndDeleted)
{
    const QByteArray image = TaggedFirmwareImage(900, 99);
    const QString path = QDir(folder.path()).filePath(QStringLiteral("DUNASA_99_anything.bin"));
    Touch(folder.path(), QStringLiteral("DUNASA_99_anything.bin"), image);
    WriteFirmwareFile(folder.path(), QStringLiteral("DUNASA"), 15, TaggedFirmwareImage(10, 15));
    const FirmwareImage found = find(QStringLiteral("DUNASA"));
    EXPECT_EQ(found.Version, 99);
    EXPECT_EQ(found.Bytes, image);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(prompts.Messages.isEmpty());
}

TEST_F(FindFirmwareFileTest, FilesWithoutAnImageAreRefusedWithAMessage)
{
    // Empty, no longer than the skipped family header, larger than any image.
    Touch(folder.path(), QStringLiteral("DUNASA_15_D41D8CD98F00B204E9800998ECF8427E.bin"), "");
    const FirmwareImage empty = find(QStringLiteral("DUNASA"));
    EXPECT_EQ(empty.Problem, FirmwareFileProblem::BadSize);
    EXPECT_EQ(empty.Version, 0);

    WriteFirmwareFile(folder.path(), QStringLiteral("LODAPO"), 5, QByteArray(16, 'h'));
    EXPECT_EQ(find(QStringLiteral("LODAPO"), 16).Problem, FirmwareFileProblem::BadSize);
    WriteFirmwareFile(folder.path(), QStringLiteral("NETILU"), 5, QByteArray(17, 'h'));
    EXPECT_EQ(find(QStringLiteral("NETILU"), 16).size(), 17);

    QFile huge(QDir(folder.path()).filePath(QStringLiteral("GUBUSO_15_") + Digest32 + QStringLiteral(".bin")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(MaxFirmwareImageSize + 1)); // sparse: costs no disk
    huge.close();
    const FirmwareImage tooLarge = find(QStringLiteral("GUBUSO"));
    EXPECT_EQ(tooLarge.Problem, FirmwareFileProblem::BadSize);
    EXPECT_EQ(tooLarge.FileSize, MaxFirmwareImageSize + 1);
    EXPECT_TRUE(tooLarge.Bytes.isEmpty());

    ASSERT_EQ(prompts.Messages.size(), 3);
    EXPECT_EQ(prompts.Messages[2].Text, QStringLiteral("Firmware file GUBUSO_15_%1.bin is not an image: 16777217 bytes "
                                                       "(at most 16777216)").arg(Digest32));
    EXPECT_EQ(strip.progress, (QList<int>{0, 17})); // only for the usable file
}

TEST_F(FindFirmwareFileTest, AFileThatVanishedAfterTheListingIsNoImageAndNoMessage)
{
    // A dangling link is listed like the file it named, and cannot be opened.
    const QString name = QStringLiteral("DUNASA_15_") + Digest32 + QStringLiteral(".bin");
    ASSERT_TRUE(QFile::link(folder.filePath(QStringLiteral("gone")), folder.filePath(name)));
    if (!QFileInfo(folder.filePath(name)).isSymLink())
        GTEST_SKIP() << "this system makes shortcut files, not links";
    const FirmwareImage image = find(QStringLiteral("DUNASA"));
    EXPECT_EQ(image.Problem, FirmwareFileProblem::Unreadable);
    EXPECT_EQ(image.Version, 0);
    EXPECT_TRUE(prompts.Messages.isEmpty());
    EXPECT_EQ(CheckFirmwareFile(folder.path(), QStringLiteral("DUNASA"), {}).Problem, FirmwareFileProblem::Unreadable);
}

TEST_F(FindFirmwareFileTest, ANamedPipeIsNoImageAndIsNotWaitedOn)
{
    // Nobody ever writes to the pipe: opening it for reading would block.
    const QString name = QStringLiteral("DUNASA_15_") + Digest32 + QStringLiteral(".bin");
    if (!MakeNamedPipe(folder.filePath(name)))
        GTEST_SKIP() << "this system has no named pipes in the file system";
    const FirmwareImage image = find(QStringLiteral("DUNASA"));
    EXPECT_EQ(image.Problem, FirmwareFileProblem::Unreadable);
    EXPECT_EQ(image.Version, 0);
    EXPECT_TRUE(FileMd5(folder.filePath(name)).isEmpty());
    EXPECT_EQ(CheckFirmwareFile(folder.path(), QStringLiteral("DUNASA"), {}).Problem, FirmwareFileProblem::Unreadable);
    EXPECT_TRUE(prompts.Messages.isEmpty());
    EXPECT_TRUE(strip.progress.isEmpty());
}

TEST_F(FindFirmwareFileTest, AOneTimeFileWithoutAnImageIsRefusedOnceAndDeleted)
{
    const QString path = Touch(folder.path(), QStringLiteral("DUNASA_99_empty.bin"), "");
    EXPECT_EQ(find(QStringLiteral("DUNASA")).Problem, FirmwareFileProblem::BadSize);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(prompts.Messages.size(), 1);
    EXPECT_EQ(find(QStringLiteral("DUNASA")).Problem, FirmwareFileProblem::NoFile);
    EXPECT_EQ(prompts.Messages.size(), 1);
}

TEST_F(FindFirmwareFileTest, CheckingReadsNothingIntoMemoryAndDeletesNothing)
{
    const QByteArray image = TaggedFirmwareImage(3000, 99);
    Touch(folder.path(), QStringLiteral("DUNASA_99_x.bin"), image);
    const FirmwareImage checked = CheckFirmwareFile(folder.path(), QStringLiteral("DUNASA"), {});
    EXPECT_EQ(checked.Problem, FirmwareFileProblem::None);
    EXPECT_EQ(checked.Version, 99);
    EXPECT_TRUE(checked.Bytes.isEmpty());
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("DUNASA_99_x.bin"))));

    WriteFirmwareFile(folder.path(), QStringLiteral("GUBUSO"), 15, image, NamedDigestCase::Wrong);
    const FirmwareImage wrong = CheckFirmwareFile(folder.path(), QStringLiteral("GUBUSO"), {});
    EXPECT_EQ(wrong.Problem, FirmwareFileProblem::DigestMismatch);
    EXPECT_EQ(FirmwareProblemText(wrong), QStringLiteral("MD5 Error") + ReferenceMd5(image) + ReferenceMd5(image + "other"));
    EXPECT_TRUE(prompts.Messages.isEmpty());
}

} // namespace
