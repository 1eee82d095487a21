// Feeds arbitrary datagrams to the device table, the clock jumping by the
// amount the first bytes of each input say, and checks that the table keeps
// its shape: at most 50 rows, distinct identifiers, addresses that parse.
#include "link/devicetable.h"

#include <QHostAddress>
#include <QSet>

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static quint32 now = 0;
    static DeviceTable table([] { return now; });

    quint32 step = 0;
    const size_t stepBytes = qMin(size, sizeof step);
    std::memcpy(&step, data, stepBytes);
    now += step;
    const QByteArrayView rest(data + stepBytes, qsizetype(size - stepBytes));
    // Several datagrams per input, split where the input has a newline.
    for (const QByteArrayView datagram : QByteArray::fromRawData(rest.data(), rest.size()).split('\n'))
        table.receive(datagram);

    const QList<DeviceTableRow> rows = table.copy();
    if (rows.size() > DeviceTable::MaxRows)
        std::abort();
    QSet<QString> ids;
    for (const DeviceTableRow &row : rows) {
        if (row.DeviceId.isEmpty() || ids.contains(row.DeviceId)
            || QHostAddress(row.DeviceAddress).protocol() != QAbstractSocket::IPv4Protocol)
            std::abort();
        ids.insert(row.DeviceId);
    }
    return 0;
}
