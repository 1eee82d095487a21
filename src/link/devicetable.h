#pragma once

#include <QByteArrayView>
#include <QList>
#include <QMutex>
#include <QString>

#include <functional>
#include <optional>

// A millisecond tick that wraps around every 49.7 days, like the devices'
// own notion of time in the table.
using MillisecondClock = std::function<quint32()>;

// The system's monotonic clock in milliseconds, cut to 32 bits.
quint32 MillisecondTick();

// What a device says about itself: "DUVAD_c0_<id>_<address>".
struct Announcement
{
    QString DeviceId;
    QString DeviceAddress;
};

// Reads one datagram (at most MaxAnnouncementBytes are looked at, up to the
// first zero byte). Tokens are separated by runs of "_"; the first two must
// be "DUVAD" and "c0" exactly, the third is the identifier (printable
// characters only) and the fourth a dotted IPv4 unicast address; further
// tokens are ignored. Anything else is not an announcement.
std::optional<Announcement> ParseAnnouncement(QByteArrayView datagram);

constexpr int MaxAnnouncementBytes = 255;

struct DeviceTableRow
{
    QString DeviceId;
    QString DeviceAddress;
    quint32 ExpiresAt = 0;
};

// Devices heard by discovery, in order of first appearance, shared between
// the listener thread (writer) and the connection step (reader). Row 0 is
// the device heard without interruption for the longest time.
class DeviceTable
{
public:
    static constexpr int MaxRows = 50;
    // A device that falls silent for this long is forgotten; devices
    // announce themselves every few seconds.
    static constexpr quint32 LifetimeMs = 10000;
    // How far ahead of the tick a stamp may lie and still be read as a time
    // to come; anything else was stamped before the tick wrapped around.
    static constexpr quint32 WrapWindowMs = 3600000;

    explicit DeviceTable(MillisecondClock clock = MillisecondTick);

    // A copy of every row, taken under the lock.
    QList<DeviceTableRow> copy() const;
    int Count() const;
    void clear();

    // One turn of the listener: takes the datagram in (empty after a receive
    // that timed out), then drops the rows whose time has run out, all under
    // one lock.
    void receive(QByteArrayView datagram);

private:
    void note(const Announcement &announcement, quint32 now);
    void expire(quint32 now);

    MillisecondClock m_clock;
    mutable QMutex m_mutex;
    QList<DeviceTableRow> m_rows;
};
