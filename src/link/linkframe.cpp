#include "link/linkframe.h"

namespace {

class EscapingWriter
{
public:
    explicit EscapingWriter(QByteArray &out) : m_out(out) {}

    void append(quint8 byte)
    {
        m_check ^= byte;
        appendRaw(byte);
    }
    void appendCheck() { appendRaw(m_check); }

private:
    void appendRaw(quint8 byte)
    {
        m_out.append(char(byte));
        if (byte == 0x02)
            m_out.append(char(byte));
    }

    QByteArray &m_out;
    quint8 m_check = 0;
};

} // namespace

QByteArray FrameEncoder::encode(quint8 frameClass, const QByteArray &payload)
{
    const int size = int(payload.size());
    if (size > MaxFramePayload)
        return {};

    QByteArray out;
    out.reserve(worstCaseSize(size));
    out.append(char(0x02));
    EscapingWriter writer(out);
    if (size <= 3) {
        writer.append(quint8(frameClass | size));
    } else if (size <= 255) {
        writer.append(quint8(frameClass | 0x04));
        writer.append(quint8(size));
    } else {
        writer.append(quint8(frameClass | 0x08));
        writer.append(quint8(size >> 8));
        writer.append(quint8(size & 0xFF));
    }
    for (char byte : payload)
        writer.append(quint8(byte));
    writer.appendCheck();
    return out;
}

FrameDecoder::FrameDecoder(Accept accept, int capacity)
    : m_accept(accept), m_capacity(capacity)
{
    m_payload.reserve(capacity);
}

void FrameDecoder::reset()
{
    m_state = State::Idle;
    m_escapePending = false;
    m_complete = false;
    m_valid = false;
    m_check = 0;
    m_class = 0;
    m_length = 0;
    m_index = 0;
    m_payload.clear();
}

int FrameDecoder::feed(const char *data, int size)
{
    int consumed = 0;
    while (consumed < size && !m_complete) {
        const quint8 byte = quint8(data[consumed++]);
        if (m_escapePending) {
            m_escapePending = false;
            if (byte != 0x02)
                m_state = State::Header; // a lone 0x02: a new frame starts here
            process(byte);
        } else if (byte == 0x02) {
            m_escapePending = true;
        } else {
            process(byte);
        }
    }
    return consumed;
}

bool FrameDecoder::acceptsHeader(quint8 byte) const
{
    if (m_accept == Accept::Replies)
        return byte >= 0xE0;
    const quint8 frameClass = byte & 0xF0;
    return frameClass >= 0x10 && frameClass <= 0xD0;
}

FrameDecoder::State FrameDecoder::stateAfterLength() const
{
    return m_length == 0 ? State::Check : State::Payload;
}

void FrameDecoder::process(quint8 byte)
{
    m_check ^= byte;
    switch (m_state) {
    case State::Idle:
        break;
    case State::Header:
        if (!acceptsHeader(byte)) {
            m_state = State::Idle;
            break;
        }
        m_check = byte;
        m_class = byte & 0xF0;
        m_length = byte & 0x03;
        m_index = 0;
        m_payload.clear();
        if (byte & 0x08)
            m_state = State::LengthHigh;
        else if (byte & 0x04)
            m_state = State::LengthLow;
        else
            m_state = stateAfterLength();
        break;
    case State::LengthHigh:
        m_length += byte * 256;
        m_state = State::LengthLow;
        break;
    case State::LengthLow:
        m_length += byte;
        m_state = stateAfterLength();
        break;
    case State::Payload:
        if (m_index < m_capacity)
            m_payload.append(char(byte));
        if (++m_index == m_length)
            m_state = State::Check;
        break;
    case State::Check:
        m_complete = true;
        m_valid = m_check == 0 && m_length <= m_capacity;
        m_state = State::Idle;
        break;
    }
}
