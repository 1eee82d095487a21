#include "recordio.h"

#include "auxiliary/devicecharmap.h"

RecordReader::RecordReader(QByteArrayView record, int position)
    : m_record(record)
    , m_position(position)
{
}

quint32 RecordReader::take(int width)
{
    if (!m_ok || m_position + width > m_record.size()) {
        m_ok = false;
        return 0;
    }
    quint32 value = 0;
    for (int i = 0; i < width; ++i)
        value |= quint32(quint8(m_record[m_position + i])) << (8 * i);
    m_position += width;
    return value;
}

void RecordReader::text(QString &value)
{
    if (!m_ok || !DecodeDeviceText(m_record, m_position, value)) {
        m_ok = false;
        value.clear();
    }
}

void RecordWriter::number(int width, quint32 value)
{
    for (int i = 0; i < width; ++i)
        m_record.append(char(quint8(value >> (8 * i))));
}

void RecordWriter::text(const QString &value)
{
    EncodeDeviceText(value, m_record);
}
