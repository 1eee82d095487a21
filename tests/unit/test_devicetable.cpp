// The announcement parser and the table of devices heard, driven by a clock
// the test moves by hand.

#include "link/devicetable.h"

#include <gtest/gtest.h>

namespace {

QByteArray Announce(const QByteArray &id, const QByteArray &address = "10.0.0.7")
{
    return "DUVAD_c0_" + id + '_' + address;
}

TEST(ParseAnnouncement, ReadsIdentifierAndAddressWhateverTheSeparatorRuns)
{
    for (const QByteArray &datagram :
         {QByteArray("DUVAD_c0_BOX-12_10.0.0.7"), QByteArray("DUVAD__c0___BOX-12__10.0.0.7___extra_tokens"),
          QByteArray("___DUVAD_c0_BOX-12_10.0.0.7_"), QByteArray("DUVAD_c0_BOX-12_10.0.0.7\r\n"),
          QByteArray("DUVAD_c0_BOX-12_10.0.0.7\0ignored_after_the_end", 46)}) {
        const std::optional<Announcement> announcement = ParseAnnouncement(datagram);
        ASSERT_TRUE(announcement) << datagram.constData();
        EXPECT_EQ(announcement->DeviceId, QStringLiteral("BOX-12"));
        EXPECT_EQ(announcement->DeviceAddress, QStringLiteral("10.0.0.7"));
    }
}

TEST(ParseAnnouncement, RefusesAnythingButTheFourTokens)
{
    for (const QByteArray &datagram : {
             QByteArray(), QByteArray("____"), QByteArray("DUVAD"), QByteArray("DUVAD_c0"), QByteArray("DUVAD_c0_BOX"),
             QByteArray("DUVAD_c1_BOX_10.0.0.7"), QByteArray("duvad_c0_BOX_10.0.0.7"),
             QByteArray("DUVAD_C0_BOX_10.0.0.7"), QByteArray("DUVADX_c0_BOX_10.0.0.7"),
             QByteArray("DUVAD_c0_BOX\0_10.0.0.7", 22),
             // Addresses that cannot name one device over TCP.
             Announce("BOX", "box.local"), Announce("BOX", "10.7"), Announce("BOX", "010.0.0.7"),
             Announce("BOX", "256.0.0.7"), Announce("BOX", "10.0.0.7.1"), Announce("BOX", "fe80::1"),
             Announce("BOX", "0.0.0.0"), Announce("BOX", "255.255.255.255"), Announce("BOX", "239.255.255.250"),
             // Identifiers that would drive a terminal.
             Announce("BOX\x1b[2J"), Announce("BOX\x9b" "31m"), Announce("BOX\x7f")}) {
        EXPECT_FALSE(ParseAnnouncement(datagram)) << datagram.toHex().constData();
    }
}

TEST(ParseAnnouncement, LooksAtTheFirst255BytesOnly)
{
    // 9 bytes of "DUVAD_c0_", the identifier, "_" and 8 bytes of address.
    const QByteArray fits = Announce(QByteArray(237, 'x'));
    ASSERT_EQ(fits.size(), MaxAnnouncementBytes);
    EXPECT_TRUE(ParseAnnouncement(fits));
    // One byte more and the address is cut to "10.0.0.".
    EXPECT_FALSE(ParseAnnouncement(Announce(QByteArray(238, 'x'))));
    EXPECT_TRUE(ParseAnnouncement(Announce("BOX") + '_' + QByteArray(65000, 'y')));
}

class DeviceTableTest : public ::testing::Test
{
protected:
    quint32 now = 5000;
    DeviceTable table{[this] { return now; }};

    QStringList ids() const
    {
        QStringList result;
        for (const DeviceTableRow &row : table.copy())
            result << row.DeviceId;
        return result;
    }
    void hear(const QByteArray &datagram) { table.receive(datagram); }
    // A receive that timed out: only the expiry pass runs.
    void silence() { table.receive({}); }
};

TEST_F(DeviceTableTest, AddsARowAndUpdatesItsAddressInPlace)
{
    hear(Announce("A", "10.0.0.1"));
    hear(Announce("B", "10.0.0.2"));
    now += 4000;
    hear(Announce("A", "10.0.0.9"));
    hear(Announce("a", "10.0.0.3")); // identifiers are case-sensitive
    const QList<DeviceTableRow> rows = table.copy();
    ASSERT_EQ(table.Count(), 3);
    EXPECT_EQ(ids(), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("a")}));
    EXPECT_EQ(rows[0].DeviceAddress, QStringLiteral("10.0.0.9"));
    EXPECT_EQ(rows[0].ExpiresAt, 19000u);
    EXPECT_EQ(rows[1].ExpiresAt, 15000u);
}

TEST_F(DeviceTableTest, ASilentDeviceGoesAfterTenSeconds)
{
    hear(Announce("A"));
    now += DeviceTable::LifetimeMs;
    silence();
    EXPECT_EQ(table.Count(), 1);
    now += 1;
    silence();
    EXPECT_EQ(table.Count(), 0);
}

TEST_F(DeviceTableTest, BadDatagramsNeitherAddNorRefreshButStillExpire)
{
    hear(Announce("A"));
    now += 6000;
    for (const QByteArray &datagram : {QByteArray("________"), QByteArray("DUVAD_c0"), QByteArray("DUVAD_c0_A")})
        hear(datagram);
    EXPECT_EQ(ids(), QStringList{QStringLiteral("A")});
    EXPECT_EQ(table.copy().first().DeviceAddress, QStringLiteral("10.0.0.7"));
    now += 4001;
    hear("DUVAD_c0_A");
    EXPECT_EQ(table.Count(), 0);
}

TEST_F(DeviceTableTest, RowsKeepTheOrderOfFirstAppearanceWhenOneExpires)
{
    hear(Announce("A"));
    hear(Announce("B"));
    hear(Announce("C"));
    now += 8000;
    hear(Announce("C"));
    hear(Announce("B"));
    now += 2001;
    silence();
    EXPECT_EQ(ids(), (QStringList{QStringLiteral("B"), QStringLiteral("C")}));
    hear(Announce("A"));
    EXPECT_EQ(ids(), (QStringList{QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("A")}));
}

TEST_F(DeviceTableTest, TheFiftyFirstDeviceWaitsForAFreeRow)
{
    for (int i = 0; i < DeviceTable::MaxRows; ++i) {
        hear(Announce("D" + QByteArray::number(i)));
        now += 100;
    }
    hear(Announce("LATE"));
    EXPECT_EQ(table.Count(), DeviceTable::MaxRows);
    EXPECT_FALSE(ids().contains(QStringLiteral("LATE")));

    // D0 was stamped 5000 ms ago, D1 4900 ms ago...; only D0 runs out.
    now += 5001;
    hear(Announce("LATE"));
    EXPECT_EQ(table.Count(), DeviceTable::MaxRows - 1);
    hear(Announce("LATE"));
    EXPECT_EQ(table.Count(), DeviceTable::MaxRows);
    EXPECT_EQ(ids().first(), QStringLiteral("D1"));
    EXPECT_EQ(ids().last(), QStringLiteral("LATE"));
}

TEST_F(DeviceTableTest, StampsAreReadAcrossTheWrapAroundOfTheTick)
{
    now = 0xFFFFF000u; // 4096 ms before the tick wraps
    hear(Announce("A"));
    EXPECT_EQ(table.copy().first().ExpiresAt, 0xFFFFF000u + DeviceTable::LifetimeMs);
    now = 0x00000010u; // just past the wrap: still alive
    silence();
    EXPECT_EQ(table.Count(), 1);
    now = 0xFFFFF000u + DeviceTable::LifetimeMs;
    silence();
    EXPECT_EQ(table.Count(), 1);
    now += 1;
    silence();
    EXPECT_EQ(table.Count(), 0);
}

TEST_F(DeviceTableTest, StampsFarFromTheTickAreDropped)
{
    // A row looked at again only long after it ran out.
    hear(Announce("LATE"));
    now += 3 * DeviceTable::WrapWindowMs;
    silence();
    EXPECT_EQ(table.Count(), 0);

    // A tick that went back by more than the window leaves a stamp too far
    // ahead to be read as a time to come.
    now = 4 * DeviceTable::WrapWindowMs;
    hear(Announce("AHEAD"));
    now -= DeviceTable::WrapWindowMs - DeviceTable::LifetimeMs;
    silence();
    EXPECT_EQ(table.Count(), 1);
    now -= 1;
    silence();
    EXPECT_EQ(table.Count(), 0);
}

} // namespace
