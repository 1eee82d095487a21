#include "app/hardwaretable.h"
#include "link/deviceidentity.h"

#include <QList>

#include <gtest/gtest.h>

namespace {

TEST(HardwareTable, AcceptedCodes)
{
    int accepted = 0;
    for (int code = 0; code < 256; ++code) {
        if (!IsAcceptedHardwareCode(code))
            continue;
        ++accepted;
        EXPECT_FALSE(ModelLabel(code).isEmpty()) << code;
        EXPECT_FALSE(FamilyLabel(code).isEmpty()) << code;
    }
    EXPECT_EQ(accepted, 34);
    for (int code : {131, 159, 121, 128, 176, 178, 192})
        EXPECT_TRUE(IsAcceptedHardwareCode(code)) << code;
    for (int code : {129, 130, 160, 177, 193})
        EXPECT_FALSE(IsAcceptedHardwareCode(code)) << code;
    EXPECT_TRUE(ModelLabel(130).isEmpty());
}

TEST(HardwareTable, Labels)
{
    EXPECT_EQ(ModelLabel(132), QStringLiteral("DUNASA"));
    EXPECT_EQ(FamilyLabel(132), QStringLiteral("VUBUKA"));
    EXPECT_EQ(ModelLabel(142), QStringLiteral("KUDARO"));
    EXPECT_EQ(FamilyLabel(142), QStringLiteral("POKAFA"));
    EXPECT_EQ(FamilyLabel(128), QStringLiteral("NETILU"));
    EXPECT_EQ(FamilyLabel(156), QStringLiteral("VIVIPE"));
    EXPECT_EQ(FamilyLabel(157), QStringLiteral("RAGULE"));
    EXPECT_EQ(ModelLabel(192), QStringLiteral("LUBAGU"));
}

TEST(HardwareTable, Predicates)
{
    const QList<int> dvbC{121, 147, 148, 149, 150, 151, 152, 153, 154, 155, 157, 158, 159, 176, 178, 192};
    const QList<int> playRec{131, 134, 135, 138, 140, 142, 144, 148, 149, 154, 157, 158, 159, 176, 178, 192};
    const QList<int> noDelay{121, 128, 131, 158, 159, 176, 178};
    for (int code = 0; code < 256; ++code) {
        if (!IsAcceptedHardwareCode(code))
            continue;
        EXPECT_EQ(HasDvbC(code), dvbC.contains(code)) << code;
        EXPECT_EQ(HasPlayRec(code), playRec.contains(code)) << code;
        if (code != 142) {
            EXPECT_EQ(HasServiceDelay(code, 0), !noDelay.contains(code)) << code;
        }
    }
    EXPECT_FALSE(HasServiceDelay(142, 6));
    EXPECT_TRUE(HasServiceDelay(142, 7));
}

TEST(HardwareTable, VersionShownInTitle)
{
    EXPECT_EQ(FirmwareMajor(121, 23), 2);
    EXPECT_EQ(FirmwareMinorShown(121, 23, 9), 3);
    EXPECT_EQ(FirmwareMajor(132, 14), 1);
    EXPECT_EQ(FirmwareMinorShown(132, 14, 0), 4);
    EXPECT_EQ(FirmwareMajor(142, 7), 7);
    EXPECT_EQ(FirmwareMinorShown(142, 7, 3), 3);
}

} // namespace
