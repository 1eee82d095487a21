// How the settings pages read typed numbers: "%u" and "%d" as the scan
// formats read them, and what a field stores when the text holds none.

#include "panel/pagefields.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct UnsignedCase
{
    const char16_t *typed;
    std::optional<quint32> value;
};

TEST(PageFields, UnsignedFieldsReadDigitsAfterWhiteSpace)
{
    const UnsignedCase cases[] = {
        {u"123", 123u},
        {u"  42", 42u},
        {u"\t\n7", 7u},
        {u"12b", 12u},          // the scan stops at the first other character
        {u"5 6", 5u},
        {u"007", 7u},
        {u"4294967295", 4294967295u},
        {u"4294967296", 4294967295u},  // too large for 32 bits: the largest
        {u"99999999999999999999999", 4294967295u},
        {u"", std::nullopt},
        {u"   ", std::nullopt},
        {u"abc", std::nullopt},
        {u"-5", std::nullopt},  // no sign for an unsigned field
        {u"+5", std::nullopt},
        {u"\u0663", std::nullopt}, // only the decimal digits 0-9
    };
    for (const UnsignedCase &c : cases)
        EXPECT_EQ(ParseUnsignedField(QStringView(c.typed)), c.value) << QString::fromUtf16(c.typed).toStdString();
}

struct SignedCase
{
    const char16_t *typed;
    std::optional<qint32> value;
};

TEST(PageFields, SignedFieldsTakeOneSign)
{
    const SignedCase cases[] = {
        {u"-999", -999},
        {u" +12", 12},
        {u"-0", 0},
        {u"12ms", 12},
        {u"2147483647", 2147483647},
        {u"2147483648", std::numeric_limits<qint32>::max()},
        {u"-2147483648", std::numeric_limits<qint32>::min()},
        {u"-99999999999", std::numeric_limits<qint32>::min()},
        {u"-", std::nullopt},
        {u"- 5", std::nullopt},
        {u"--5", std::nullopt},
        {u"", std::nullopt},
        {u"ms", std::nullopt},
    };
    for (const SignedCase &c : cases)
        EXPECT_EQ(ParseSignedField(QStringView(c.typed)), c.value) << QString::fromUtf16(c.typed).toStdString();
}

TEST(PageFields, ValuesOutsideTheirRangeOrWithoutDigitsStoreTheSubstitute)
{
    EXPECT_EQ(UnsignedInRange(u"65535", 0, 65535, 100), 65535);
    EXPECT_EQ(UnsignedInRange(u"65536", 0, 65535, 100), 100);
    EXPECT_EQ(UnsignedInRange(u"", 0, 65535, 100), 100);
    EXPECT_EQ(UnsignedInRange(u"x", 0, 65535, 100), 100);
    EXPECT_EQ(UnsignedInRange(u"31", 32, 0xFFFFFFFF, 32), 32);
    // Stored as typed: the model's 32 bits hold the number unsigned.
    EXPECT_EQ(UnsignedInRange(u"4294967295", 0, 0xFFFFFFFF, 0), -1);
    EXPECT_EQ(SignedInRange(u"-999", -999, 999, 0), -999);
    EXPECT_EQ(SignedInRange(u"-1000", -999, 999, 0), 0);
    EXPECT_EQ(SignedInRange(u"", -999, 999, 7), 7);
}

TEST(PageFields, TextsListsAndIndexes)
{
    EXPECT_EQ(CutToLength(QStringLiteral("0123456789ABCDEFG"), 16), QStringLiteral("0123456789ABCDEF"));
    EXPECT_EQ(CutToLength(QStringLiteral("short"), 16), QStringLiteral("short"));
    EXPECT_EQ(SelectedOr(2, 7), 2);
    EXPECT_EQ(SelectedOr(0, 7), 0);
    EXPECT_EQ(SelectedOr(-1, 7), 7); // nothing selected keeps the model's value
    EXPECT_EQ(BoundedIndex(3, 4), 3);
    EXPECT_EQ(BoundedIndex(4, 4), 3);
    EXPECT_EQ(BoundedIndex(-1, 4), 0);
}

} // namespace
