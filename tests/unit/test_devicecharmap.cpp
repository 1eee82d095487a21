#include "auxiliary/devicecharmap.h"

#include <gtest/gtest.h>

namespace {

QString DecodeWhole(const QByteArray &bytes)
{
    int position = 0;
    QString text;
    EXPECT_TRUE(DecodeDeviceText(bytes, position, text));
    return text;
}

QByteArray Encode(const QString &text)
{
    QByteArray bytes;
    EncodeDeviceText(text, bytes);
    return bytes;
}

} // namespace

TEST(DeviceCharMap, DecodesUpToTheZeroAndMovesPastIt)
{
    const QByteArray buffer("\x22Hi\xAD\x01\x1F\x7F\xA0\xA1\xE9\0Next\0", 16);
    int position = 0;
    QString text;
    ASSERT_TRUE(DecodeDeviceText(buffer, position, text));
    EXPECT_EQ(text, QString::fromUtf8("'Hi-....¡é"));
    EXPECT_EQ(position, 11);

    ASSERT_TRUE(DecodeDeviceText(buffer, position, text));
    EXPECT_EQ(text, u"Next");
    EXPECT_EQ(position, 16);
}

TEST(DeviceCharMap, DecodesAnEmptyText)
{
    EXPECT_EQ(DecodeWhole(QByteArray(1, '\0')), QString());
}

TEST(DeviceCharMap, RefusesATextWithoutZeroOrAPositionOutsideTheBuffer)
{
    const QByteArray unterminated("abc");
    for (int start : {0, 2, 3, 4, -1}) {
        int position = start;
        QString text = QStringLiteral("kept");
        EXPECT_FALSE(DecodeDeviceText(unterminated, position, text)) << start;
        EXPECT_EQ(position, start);
        EXPECT_EQ(text, u"kept");
    }
}

TEST(DeviceCharMap, EncodesShownCharactersAsTheirOwnByte)
{
    EXPECT_EQ(Encode(QStringLiteral("A'-.z~")), QByteArray("A'-.z~\0", 7));
    EXPECT_EQ(Encode(QString::fromUtf8("\u00C7\u00E9\u20AC")), QByteArray("\xC7\xE9.\0", 4));
}

TEST(DeviceCharMap, EncodesCharactersTheDeviceCannotShowAsFullStop)
{
    QString unshown;
    for (char16_t code : {0x22, 0xAD, 0x09, 0x7F, 0x80, 0xA0, 0x100, 0x00})
        unshown.append(QChar(code));
    EXPECT_EQ(Encode(unshown), QByteArray("........\0", 9));
}

TEST(DeviceCharMap, AppendsToWhatTheDestinationHolds)
{
    QByteArray bytes("ab\0", 3);
    EncodeDeviceText(QStringLiteral("c"), bytes);
    EncodeDeviceText(QString(), bytes);
    EXPECT_EQ(bytes, QByteArray("ab\0c\0\0", 6));
}

TEST(DeviceCharMap, EveryShownTextSurvivesTheRoundTrip)
{
    QString shown;
    for (QChar character : DeviceCharMap) {
        if (character != u'.')
            shown.append(character);
    }
    EXPECT_EQ(DecodeWhole(Encode(shown)), shown);
}
