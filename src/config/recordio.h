#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// The two directions of the record codec. Each layout is written once, as a
// sequence of fields visited with either a reader or a writer, so that the
// order of the fields cannot differ between decoding and encoding.
//
// Numbers travel little-endian in 1, 2 or 4 bytes; texts as one byte per
// character and a zero byte, through the device character map.

// Reads fields from a record, keeping one running position. A field that
// does not lie wholly inside the record (a number beyond the end, a text
// without its zero byte) marks the reader failed: nothing is read from
// beyond the end, and every later field reads as 0 or empty.
class RecordReader
{
public:
    static constexpr bool Reading = true;

    RecordReader(QByteArrayView record, int position);

    // Numbers widen without sign.
    template <class T>
    void byte(T &value) { value = T(take(1)); }
    template <class T>
    void uint16(T &value) { value = T(take(2)); }
    template <class T>
    void uint32(T &value) { value = T(take(4)); }
    void number(int width, quint32 &value) { value = take(width); }
    void text(QString &value);

    // Whether an optional field can be read: the position is below the end.
    bool remains() const { return m_ok && m_position < m_record.size(); }
    bool ok() const { return m_ok; }

private:
    quint32 take(int width);

    QByteArrayView m_record;
    int m_position;
    bool m_ok = true;
};

// Appends fields to a record. Numbers are cut to the field's width; every
// optional field is written.
class RecordWriter
{
public:
    static constexpr bool Reading = false;

    template <class T>
    void byte(T value) { number(1, quint32(value)); }
    template <class T>
    void uint16(T value) { number(2, quint32(value)); }
    template <class T>
    void uint32(T value) { number(4, quint32(value)); }
    void number(int width, quint32 value);
    void text(const QString &value);

    bool remains() const { return true; }
    bool ok() const { return true; }

    const QByteArray &record() const { return m_record; }

private:
    QByteArray m_record;
};

// Assigns a value while decoding; the encoder leaves the model alone. Used
// for the values a missing optional field takes and for members the decoder
// sets on its own.
template <class Io, class T>
void SetWhenReading(const Io &, T &member, T value)
{
    if constexpr (Io::Reading)
        member = value;
}

// A number field whose record value differs from the model's: the encoder
// stores encode(member), the decoder sets member = decode(record value).
// Both work on the field as an unsigned value, so no conversion overflows.
template <class Io, class Encode, class Decode>
void Converted(Io &io, int width, qint32 &member, Encode encode, Decode decode)
{
    quint32 raw = encode(quint32(member));
    io.number(width, raw);
    if constexpr (Io::Reading)
        member = qint32(decode(raw));
}
