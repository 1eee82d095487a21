#pragma once

#include <QByteArray>
#include <QtGlobal>

// Walks a configuration record field by field, as its layout tables list
// them: bytes, little-endian numbers and zero-terminated texts. The tests
// name each field they pass, so the positions come from the tables, not from
// the codec under test. Reading past the end yields zeros and sets failed.
class RecordReader
{
public:
    explicit RecordReader(QByteArray record, int start = 0) : m_record(std::move(record)), m_at(start) {}

    quint8 byte()
    {
        if (m_at >= m_record.size()) {
            failed = true;
            return 0;
        }
        return quint8(m_record[m_at++]);
    }
    quint16 u16()
    {
        const quint16 low = byte();
        return quint16(low | byte() << 8);
    }
    quint32 u32()
    {
        const quint32 low = u16();
        return low | quint32(u16()) << 16;
    }
    QByteArray text()
    {
        const qsizetype end = m_record.indexOf('\0', m_at);
        if (end < 0) {
            failed = true;
            m_at = int(m_record.size());
            return {};
        }
        const QByteArray value = m_record.mid(m_at, end - m_at);
        m_at = int(end) + 1;
        return value;
    }
    void skip(int bytes) { m_at += bytes; }
    // Schedule entries: two dates and times, mask, action, file name.
    void skipScheduleEntries(int count)
    {
        for (int entry = 0; entry < count; ++entry) {
            skip(4 + 2 + 4 + 2 + 1 + 1);
            text();
        }
    }

    bool failed = false;

private:
    QByteArray m_record;
    int m_at;
};
