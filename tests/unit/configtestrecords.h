#pragma once

// Helpers for the record codec tests: records are written here byte by byte
// by hand from the record layouts, never produced by the encoder under test.

#include "config/configcodec.h"

#include <QByteArray>

#include <gtest/gtest.h>

class RecordBytes
{
public:
    RecordBytes &u8(int value)
    {
        m_bytes.append(char(value));
        return *this;
    }
    RecordBytes &u16(int value) { return u8(value).u8(value >> 8); }
    RecordBytes &u32(quint32 value) { return u16(int(value & 0xFFFF)).u16(int(value >> 16)); }
    RecordBytes &text(const char *text)
    {
        m_bytes.append(text);
        m_bytes.append('\0');
        return *this;
    }
    RecordBytes &raw(const QByteArray &bytes)
    {
        m_bytes.append(bytes);
        return *this;
    }
    int size() const { return int(m_bytes.size()); }
    operator QByteArray() const { return m_bytes; }
    operator QByteArrayView() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

inline DeviceIdentity Device(int code, int versionByte = 14)
{
    DeviceIdentity identity;
    identity.HardwareCode = quint8(code);
    identity.FirmwareVersionByte = quint8(versionByte);
    return identity;
}

// The model as the tool holds it once this hardware is linked.
inline ConfigModel ModelFor(const DeviceIdentity &identity)
{
    ConfigModel model;
    model.ApplyHardwareLimits(identity.Profile());
    return model;
}

// A packed schedule date.
constexpr quint32 Date(int year, int month, int day)
{
    return quint32(year) << 16 | quint32(month) << 8 | quint32(day);
}

// Decodes into a fresh model of the hardware; the test fails when refused.
inline ConfigModel Decoded(const QByteArray &record, const DeviceIdentity &identity)
{
    ConfigModel model = ModelFor(identity);
    EXPECT_TRUE(DecodeConfigBlock(record, identity, model));
    return model;
}

// Decode followed by encode: what the device gets back after the tool read
// a record and changed nothing.
inline QByteArray Reencoded(const QByteArray &record, const DeviceIdentity &identity)
{
    ConfigModel model = Decoded(record, identity);
    return EncodeConfigBlock(identity, model).value_or(QByteArray("refused"));
}
