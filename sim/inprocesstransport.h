#pragma once

#include "link/transport.h"
#include "requeststream.h"

#include <QElapsedTimer>
#include <QList>

class SimDevice;

// A link to a simulated device in the same process, for tests and
// benchmarks: every request the exchange transmits is answered at once by
// the device, a delayed reply becomes readable when its delay has passed,
// silence reads as nothing until the caller's deadline, and a dropped
// connection reads as nothing for good. delayScale shrinks the device's
// delays by the same factor as the tests' scaled time-outs.
class InProcessTransport final : public Transport
{
public:
    enum class Kind { Serial, Tcp };

    explicit InProcessTransport(SimDevice &device, Kind kind = Kind::Serial, double delayScale = 1.0);

    bool isSerial() const override { return m_kind == Kind::Serial; }
    void discardInput() override;
    void transmit(const QByteArray &frame) override;
    QByteArray receive(int waitMs) override;
    // A dropped connection; a serial device without power is gone from the
    // USB with it.
    bool isGone() const override;

private:
    struct PendingReply
    {
        qint64 dueMs;
        QByteArray bytes;
    };

    SimDevice &m_device;
    Kind m_kind;
    double m_delayScale;
    RequestStream m_requests;
    QList<PendingReply> m_pending;
    QElapsedTimer m_clock;
    bool m_dropped = false;
};
