#pragma once

#include "link/transport.h"

#include <QByteArray>
#include <QList>

// A link whose device answers from a script: each transmitted frame takes
// the next scripted reply (an empty one is silence).
struct ScriptedLink
{
    QList<QByteArray> replies;
    QList<QByteArray> sent;
    QByteArray pending;
    QByteArray staleInput;
    int discards = 0;
    // What the exchange was ready to wait, in ms, at every receive.
    QList<int> waits;
    // The link goes away for good after this many transmissions (-1: never).
    int transmissionsBeforeGone = -1;
};

class ScriptedTransport : public Transport
{
public:
    explicit ScriptedTransport(ScriptedLink &link, bool serial = true) : m_link(link), m_serial(serial) {}

    bool isSerial() const override { return m_serial; }
    void discardInput() override
    {
        ++m_link.discards;
        m_link.staleInput.clear();
    }
    void transmit(const QByteArray &frame) override
    {
        if (isGone())
            return;
        m_link.sent << frame;
        m_link.pending += m_link.staleInput + (m_link.replies.isEmpty() ? QByteArray() : m_link.replies.takeFirst());
        m_link.staleInput.clear();
    }
    bool isGone() const override
    {
        return m_link.transmissionsBeforeGone >= 0 && m_link.sent.size() >= m_link.transmissionsBeforeGone;
    }
    QByteArray receive(int waitMs) override
    {
        m_link.waits << waitMs;
        QByteArray bytes = m_link.pending;
        m_link.pending.clear();
        return bytes;
    }

private:
    ScriptedLink &m_link;
    bool m_serial;
};
