#include "link/devicetable.h"

#include <QHostAddress>

#include <chrono>

namespace {

constexpr char Separator = '_';
constexpr int AnnouncementTokens = 4;

// Splits at runs of separators, skipping leading ones, and keeps at most
// `limit` tokens.
QList<QByteArrayView> Tokens(QByteArrayView text, int limit)
{
    QList<QByteArrayView> tokens;
    qsizetype at = 0;
    while (tokens.size() < limit) {
        while (at < text.size() && text[at] == Separator)
            ++at;
        if (at == text.size())
            break;
        const qsizetype begin = at;
        while (at < text.size() && text[at] != Separator)
            ++at;
        tokens.append(text.sliced(begin, at - begin));
    }
    return tokens;
}

// The identifier is printed and shown as it came; control characters in it
// would be taken as terminal commands.
bool IsPrintable(const QString &text)
{
    for (const QChar c : text) {
        if (!c.isPrint())
            return false;
    }
    return true;
}

// The address goes to the TCP connection, so it must name one host in the
// plain dotted form: no shorthand ("10.1"), no leading zeros, nothing that
// no device can have (any, broadcast, a multicast group).
bool IsDeviceAddress(const QString &text)
{
    QHostAddress address;
    if (!address.setAddress(text) || address.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    if (address.toString() != text)
        return false;
    return address != QHostAddress(QHostAddress::AnyIPv4) && !address.isBroadcast() && !address.isMulticast();
}

// Stamps are read within an hour of the tick: a stamp up to an hour ahead
// lies in the future, one up to an hour behind has passed, and anything
// further off was made before the tick wrapped around.
bool HasRunOut(quint32 expiresAt, quint32 now)
{
    const quint32 behind = now - expiresAt;
    const quint32 ahead = expiresAt - now;
    return (behind > 0 && behind < DeviceTable::WrapWindowMs) || ahead > DeviceTable::WrapWindowMs;
}

} // namespace

quint32 MillisecondTick()
{
    using namespace std::chrono;
    return quint32(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::optional<Announcement> ParseAnnouncement(QByteArrayView datagram)
{
    QByteArrayView text = datagram.first(qMin(datagram.size(), qsizetype(MaxAnnouncementBytes)));
    if (const qsizetype end = text.indexOf('\0'); end >= 0)
        text.truncate(end);

    // A device always sends all four tokens; a datagram with fewer could
    // only leave a row without an address that the connection step would
    // keep trying.
    const QList<QByteArrayView> tokens = Tokens(text, AnnouncementTokens);
    if (tokens.size() < AnnouncementTokens || tokens[0] != "DUVAD" || tokens[1] != "c0")
        return std::nullopt;

    Announcement announcement{QString::fromLatin1(tokens[2]), QString::fromLatin1(tokens[3].trimmed())};
    if (!IsPrintable(announcement.DeviceId) || !IsDeviceAddress(announcement.DeviceAddress))
        return std::nullopt;
    return announcement;
}

DeviceTable::DeviceTable(MillisecondClock clock) : m_clock(std::move(clock))
{
    m_rows.reserve(MaxRows);
}

QList<DeviceTableRow> DeviceTable::copy() const
{
    QMutexLocker lock(&m_mutex);
    return m_rows;
}

int DeviceTable::Count() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_rows.size());
}

void DeviceTable::clear()
{
    QMutexLocker lock(&m_mutex);
    m_rows.clear();
}

void DeviceTable::receive(QByteArrayView datagram)
{
    const std::optional<Announcement> announcement = ParseAnnouncement(datagram);
    QMutexLocker lock(&m_mutex);
    const quint32 now = m_clock();
    if (announcement)
        note(*announcement, now);
    expire(now);
}

void DeviceTable::note(const Announcement &announcement, quint32 now)
{
    for (DeviceTableRow &row : m_rows) {
        if (row.DeviceId == announcement.DeviceId) {
            row.DeviceAddress = announcement.DeviceAddress;
            row.ExpiresAt = now + LifetimeMs;
            return;
        }
    }
    // A full table drops newcomers; the device is taken in once a row has
    // expired, as it keeps announcing itself.
    if (m_rows.size() < MaxRows)
        m_rows.append({announcement.DeviceId, announcement.DeviceAddress, now + LifetimeMs});
}

void DeviceTable::expire(quint32 now)
{
    m_rows.removeIf([now](const DeviceTableRow &row) { return HasRunOut(row.ExpiresAt, now); });
}
