// The encoder against the records written by hand from the layouts: a
// record read and written back unchanged comes out byte for byte, and each
// is taken only by the devices of its layout.

#include "configtestrecords.h"
#include "referencerecords.h"

namespace {

TEST(ReferenceRecords, AnnotatedHexReadsBytesTextsAndComments)
{
    EXPECT_EQ(ParseAnnotatedHex("50 46 5a 4A  # marker\n\"AB C\" 00\n"), QByteArray("PFZJAB C\0", 9));
    EXPECT_EQ(ParseAnnotatedHex("# only a comment"), QByteArray());
    for (const char *malformed : {"5", "504", "5G", "\"open", "xx"})
        EXPECT_FALSE(ParseAnnotatedHex(malformed).has_value()) << malformed;
}

struct ReferenceCase
{
    const char *name;
    int code;
    int versionByte;
    int otherLayoutCode; // a device that must refuse it
};

void PrintTo(const ReferenceCase &reference, std::ostream *out)
{
    *out << reference.name;
}

class ReferenceRecordTest : public ::testing::TestWithParam<ReferenceCase>
{
};

TEST_P(ReferenceRecordTest, IsWrittenBackByteForByte)
{
    const QByteArray record = ReferenceRecord(QString::fromLatin1(GetParam().name));
    ASSERT_FALSE(record.isEmpty());
    EXPECT_EQ(Reencoded(record, Device(GetParam().code, GetParam().versionByte)).toHex(' '), record.toHex(' '));
}

TEST_P(ReferenceRecordTest, IsRefusedByTheOtherAcceptanceClass)
{
    const QByteArray record = ReferenceRecord(QString::fromLatin1(GetParam().name));
    const DeviceIdentity other = Device(GetParam().otherLayoutCode, GetParam().versionByte);
    ConfigModel model = ModelFor(other);
    EXPECT_FALSE(DecodeConfigBlock(record, other, model));
    EXPECT_EQ(model, ModelFor(other));
}

INSTANTIATE_TEST_SUITE_P(Layouts, ReferenceRecordTest,
                         ::testing::Values(ReferenceCase{"code121", 121, 23, 178},
                                           ReferenceCase{"code158", 158, 15, 176},
                                           ReferenceCase{"code176", 176, 15, 158},
                                           ReferenceCase{"code192", 192, 15, 178}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ReferenceRecords, LayoutTwoRecordIsRefusedByTheOtherLayoutTwoCode)
{
    ConfigModel model = ModelFor(Device(178));
    EXPECT_FALSE(DecodeConfigBlock(ReferenceRecord(QStringLiteral("code176")), Device(178), model));
}

} // namespace
