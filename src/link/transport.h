#pragma once

#include <QByteArray>

// One open link to a device. The exchange talks only to this interface; the
// serial port and the TCP connection implement it. Their waits go through
// LinkWait, so that the window keeps painting while they wait.
class Transport
{
public:
    virtual ~Transport() = default;

    virtual bool isSerial() const = 0;
    // Drops whatever arrived before a request: stray bytes, a late reply.
    virtual void discardInput() = 0;
    // Sends a whole frame; failures show up as a missing reply.
    virtual void transmit(const QByteArray &frame) = 0;
    // Waits until bytes arrive or waitMs runs out; returns what arrived,
    // which is empty on a time-out, an error or a closed link.
    virtual QByteArray receive(int waitMs) = 0;
    // true once the link is gone for good: the serial device disappeared
    virtual bool isGone() const { return false; }
};
