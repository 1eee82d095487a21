#pragma once

#include <QByteArray>

// Reply classes: the high nibble of a reply's header byte.
inline constexpr quint8 REPLY_OK = 0xF0;
inline constexpr quint8 REPLY_REFUSED = 0xE0;

// The two-byte length form carries at most this many payload bytes.
inline constexpr int MaxFramePayload = 65535;

// Builds one frame for the line: start byte 0x02, header (class OR length
// form), 0-2 length bytes, payload, XOR check. After the start byte every
// 0x02 is sent twice so that a lone 0x02 always marks the start of a frame.
class FrameEncoder
{
public:
    // Returns the line bytes, or an empty array when the payload is longer
    // than the length form can announce.
    static QByteArray encode(quint8 frameClass, const QByteArray &payload);

    // The most line bytes a payload of this size can need (every byte doubled).
    static constexpr int worstCaseSize(int payloadSize) { return 1 + 2 * (1 + 2 + payloadSize + 1); }
};

// Decodes frames from the line, one byte at a time. The tool decodes replies
// (headers 0xE0 and above); the simulated device decodes requests (classes
// 0x10 to 0xD0). The payload is never stored beyond the capacity: a frame
// announcing more is read to its end and reported invalid.
class FrameDecoder
{
public:
    enum class Accept { Replies, Requests };

    explicit FrameDecoder(Accept accept, int capacity = 4096);

    void reset();
    // Feeds bytes until a frame ends; returns how many were consumed. Bytes
    // after the check byte are left to the caller.
    int feed(const char *data, int size);

    bool isComplete() const { return m_complete; }
    bool isValid() const { return m_valid; }
    quint8 frameClass() const { return m_class; }
    // The length the header announced, which may exceed the capacity.
    int announcedLength() const { return m_length; }
    const QByteArray &payload() const { return m_payload; }

private:
    enum class State { Idle, Header, LengthHigh, LengthLow, Payload, Check };

    void process(quint8 byte);
    bool acceptsHeader(quint8 byte) const;
    State stateAfterLength() const;

    Accept m_accept;
    int m_capacity;
    State m_state = State::Idle;
    bool m_escapePending = false;
    bool m_complete = false;
    bool m_valid = false;
    quint8 m_check = 0;
    quint8 m_class = 0;
    int m_length = 0;
    int m_index = 0;
    QByteArray m_payload;
};
