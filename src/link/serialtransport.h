#pragma once

#include "link/transport.h"

#include <QSerialPort>

// The USB link: the device's serial port at 115200 8N1 with DTR and RTS on.
class SerialTransport : public Transport
{
public:
    // Output is cut into writes of at most this many bytes.
    static constexpr int MaxWriteChunk = 400;
    // How long one chunk may take to leave before the rest is given up.
    static constexpr int WriteTimeoutMs = 1000;

    SerialTransport();

    bool open(const QString &path);
    // False once the port failed (the device was unplugged) and was closed.
    bool isOpen() const { return m_port.isOpen(); }

    bool isSerial() const override { return true; }
    void discardInput() override;
    void transmit(const QByteArray &frame) override;
    QByteArray receive(int waitMs) override;
    // The port failed, the device was unplugged, and it was closed.
    bool isGone() const override { return !isOpen(); }

private:
    QSerialPort m_port;
};
