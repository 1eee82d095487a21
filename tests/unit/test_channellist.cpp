#include "config/channellist.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

ChannelList Read(const QByteArray &content)
{
    QByteArray bytes = content;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadChannelList(buffer);
}

void ExpectEntry(const ChannelList &list, qsizetype index, const QString &name, int serviceId,
                 int lcn)
{
    ASSERT_LT(index, list.size());
    EXPECT_EQ(list[index].ChannelName, name) << "entry " << index;
    EXPECT_EQ(list[index].ChannelServiceId, serviceId) << "entry " << index;
    EXPECT_EQ(list[index].ChannelLcn, lcn) << "entry " << index;
}

QByteArray NumberedLines(int first, int count)
{
    QByteArray lines;
    for (int i = first; i < first + count; ++i)
        lines += QByteArray::number(i) + ",Channel " + QByteArray::number(i) + "," + QByteArray::number(i) + "\n";
    return lines;
}

} // namespace

TEST(ChannelList, ReadsIdentifierNameAndNumber)
{
    const ChannelList list = Read("101,News 24,5\n"
                                 "7,Sport,12,extra\n"
                                 "7,Sport,12b\n"
                                 "7,,3\n"
                                 "  12x,  Blank name  , +4 \n"
                                 "+9,Plus,0004\n");
    ASSERT_EQ(list.size(), 6);
    ExpectEntry(list, 0, QStringLiteral("News 24"), 101, 5);
    ExpectEntry(list, 1, QStringLiteral("Sport"), 7, 12);
    ExpectEntry(list, 2, QStringLiteral("Sport"), 7, 12);
    ExpectEntry(list, 3, QString(), 7, 3);
    ExpectEntry(list, 4, QStringLiteral("  Blank name  "), 12, 4);
    ExpectEntry(list, 5, QStringLiteral("Plus"), 9, 4);
}

TEST(ChannelList, PassesOverLinesThatDoNotFit)
{
    const ChannelList list = Read("Service,Name,LCN\n"
                                 "\n"
                                 "8,Music\n"
                                 "8\n"
                                 "0,Zero,1\n"
                                 "-5,Negative identifier,1\n"
                                 "5,Negative number,-3\n"
                                 "5,Zero number,0\n"
                                 "5,No number,\n"
                                 "5,Letters,b1\n"
                                 "- 5,Lone sign,1\n"
                                 "x5,Letter first,1\n"
                                 "-99999999999999999999,Long negative,1\n"
                                 "0000000000000000000000,Long zero,1\n"
                                 "1,Kept,2\n");
    ASSERT_EQ(list.size(), 1);
    ExpectEntry(list, 0, QStringLiteral("Kept"), 1, 2);
}

TEST(ChannelList, KeepsNumbersInSixteenBits)
{
    const ChannelList list = Read("70000,Wrapped,65535\n65536,Wraps to zero,131073\n");
    ASSERT_EQ(list.size(), 2);
    ExpectEntry(list, 0, QStringLiteral("Wrapped"), 70000 - 65536, 65535);
    ExpectEntry(list, 1, QStringLiteral("Wraps to zero"), 0, 1);

    // Numbers far beyond 64 bits wrap the same way, digit by digit:
    // 99999999999 = 1525878 * 65536 + 59391, and 10^40 = 0 modulo 65536.
    const ChannelList longNumbers = Read("99999999999,Eleven digits,1" + QByteArray(40, '0') + "\n"
                                         "00000000000000000000000000000000000000007,Leading zeros,3x\n");
    ASSERT_EQ(longNumbers.size(), 2);
    ExpectEntry(longNumbers, 0, QStringLiteral("Eleven digits"), 59391, 0);
    ExpectEntry(longNumbers, 1, QStringLiteral("Leading zeros"), 7, 3);
}

TEST(ChannelList, StopsAfterFiveHundredEntries)
{
    const ChannelList list = Read(NumberedLines(1, 600));
    ASSERT_EQ(list.size(), 500);
    ExpectEntry(list, 0, QStringLiteral("Channel 1"), 1, 1);
    ExpectEntry(list, 499, QStringLiteral("Channel 500"), 500, 500);

    // Only entries count towards the limit, not the lines passed over.
    const ChannelList mixed = Read(QByteArray(300, '\n') + "bad line\n" + NumberedLines(1, 600));
    ASSERT_EQ(mixed.size(), 500);
    ExpectEntry(mixed, 499, QStringLiteral("Channel 500"), 500, 500);
}

TEST(ChannelList, AcceptsWindowsLineEndsAndAMissingLastLineEnd)
{
    const ChannelList list = Read("1,First,2\r\n3,Last,4");
    ASSERT_EQ(list.size(), 2);
    ExpectEntry(list, 0, QStringLiteral("First"), 1, 2);
    ExpectEntry(list, 1, QStringLiteral("Last"), 3, 4);
}

TEST(ChannelList, ReadsLatin1UnlessTheFileIsValidUtf8)
{
    const QString tele = QStringLiteral("Télé Öst");
    ExpectEntry(Read("1,T\xE9l\xE9 \xD6st,2\n"), 0, tele, 1, 2);
    ExpectEntry(Read("1," + tele.toUtf8() + ",2\n"), 0, tele, 1, 2);
    ExpectEntry(Read("\xEF\xBB\xBF" "1," + tele.toUtf8() + ",2\n"), 0, tele, 1, 2);

    // One Latin-1 line makes the whole file Latin-1, even a line without an entry.
    const ChannelList mixed = Read("1,\xC3\xA9t\xC3\xA9,2\nPr\xE9sentation\n");
    ExpectEntry(mixed, 0, QString::fromLatin1("\xC3\xA9t\xC3\xA9"), 1, 2);
}

TEST(ChannelList, PassesOverLinesWithZeroBytesOrBeyondAnySensibleLength)
{
    const QByteArray withZero("1,Zero\0inside,2\n3,Next,4\n", 25);
    const ChannelList zero = Read(withZero);
    ASSERT_EQ(zero.size(), 1);
    ExpectEntry(zero, 0, QStringLiteral("Next"), 3, 4);

    const ChannelList overlong = Read("1,Cut,2" + QByteArray(100000, ' ') + "\n5,After,6\n");
    ASSERT_EQ(overlong.size(), 1);
    ExpectEntry(overlong, 0, QStringLiteral("After"), 5, 6);

    // A UTF-16 file is no text for this reader: nothing comes out of it.
    const QString utf16 = QStringLiteral("1,News,2\n");
    EXPECT_TRUE(Read(QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2)).isEmpty());
}

TEST(ChannelList, ReadsOnlyARegularFile)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EXPECT_TRUE(ReadChannelList(folder.filePath(QStringLiteral("missing.csv"))).isEmpty());

    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("folder.csv")));
    EXPECT_TRUE(ReadChannelList(folder.filePath(QStringLiteral("folder.csv"))).isEmpty());

    QFile file(folder.filePath(QStringLiteral("channel.csv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("101,News 24,5\n");
    file.close();
    const ChannelList list = ReadChannelList(file.fileName());
    ASSERT_EQ(list.size(), 1);
    ExpectEntry(list, 0, QStringLiteral("News 24"), 101, 5);
}
