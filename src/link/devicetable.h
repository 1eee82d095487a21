#pragma once

#include <QList>
#include <QMutex>
#include <QString>

struct DeviceTableRow
{
    QString DeviceId;
    QString DeviceAddress;
    quint32 ExpiresAt = 0;
};

// Devices heard by discovery, in order of first appearance, shared between
// the listener thread (writer) and the connection step (reader).
class DeviceTable
{
public:
    static constexpr int MaxRows = 50;

    // A copy of every row, taken under the lock.
    QList<DeviceTableRow> copy() const;

protected:
    mutable QMutex m_mutex;
    QList<DeviceTableRow> m_rows;
};
