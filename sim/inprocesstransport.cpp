#include "inprocesstransport.h"

#include "simdevice.h"

#include "link/linkwait.h"

#include <algorithm>

InProcessTransport::InProcessTransport(SimDevice &device, Kind kind, double delayScale)
    : m_device(device), m_kind(kind), m_delayScale(delayScale)
{
    m_clock.start();
    const QString linkName = kind == Kind::Serial ? QStringLiteral("serial") : QStringLiteral("tcp");
    m_requests.onRequest = [this, linkName](quint8 requestClass, const QByteArray &payload) {
        const SimResponse response = m_device.handle(linkName, requestClass, payload);
        switch (response.action) {
        case SimResponse::Action::Silence:
            break;
        case SimResponse::Action::Drop:
            m_dropped = true;
            m_pending.clear();
            break;
        case SimResponse::Action::Reply:
            m_pending.append({m_clock.elapsed() + qint64(response.delayMs * m_delayScale), response.lineBytes});
            break;
        }
    };
    m_requests.onBadFrame = [this, linkName](quint8 requestClass) { m_device.noteBadFrame(linkName, requestClass); };
}

void InProcessTransport::discardInput()
{
    // Only what has arrived can be discarded; a reply still on its way
    // arrives later, as it would on a real line.
    const qint64 now = m_clock.elapsed();
    m_pending.removeIf([now](const PendingReply &reply) { return reply.dueMs <= now; });
}

void InProcessTransport::transmit(const QByteArray &frame)
{
    if (!m_dropped)
        m_requests.feed(frame);
}

bool InProcessTransport::isGone() const
{
    return m_dropped || (m_kind == Kind::Serial && !m_device.powered());
}

QByteArray InProcessTransport::receive(int waitMs)
{
    if (isGone())
        return {};
    const qint64 deadline = m_clock.elapsed() + std::max(waitMs, 0);
    for (;;) {
        const qint64 now = m_clock.elapsed();
        QByteArray arrived;
        qint64 nextDue = deadline;
        for (qsizetype i = 0; i < m_pending.size();) {
            if (m_pending[i].dueMs <= now) {
                arrived += m_pending.takeAt(i).bytes;
            } else {
                nextDue = std::min(nextDue, m_pending[i].dueMs);
                ++i;
            }
        }
        if (!arrived.isEmpty() || now >= deadline)
            return arrived;
        LinkWait::Pause(QDeadlineTimer(nextDue - now));
    }
}
