#include "link/devicetable.h"

QList<DeviceTableRow> DeviceTable::copy() const
{
    QMutexLocker lock(&m_mutex);
    return m_rows;
}
