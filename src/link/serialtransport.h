#pragma once

#include "link/transport.h"

#include <QString>

#include <memory>

// The USB link: the device's serial port at 115200 8N1 with DTR and RTS on.
// The port itself is the platform's: QSerialPort where Qt has it
// (serialtransport_qt.cpp), the Win32 communications calls on Windows
// (serialtransport_win32.cpp).
class SerialTransport : public Transport
{
public:
    // Output is cut into writes of at most this many bytes.
    static constexpr int MaxWriteChunk = 400;
    // How long one chunk may take to leave before the rest is given up.
    static constexpr int WriteTimeoutMs = 1000;

    SerialTransport();
    ~SerialTransport() override;

    // path: the port as the system names it (/dev/ttyACM0, COM7).
    bool open(const QString &path);
    // False once the port failed (the device was unplugged) and was closed.
    bool isOpen() const;

    bool isSerial() const override { return true; }
    // The port failed, the device was unplugged, and it was closed.
    bool isGone() const override;
    void discardInput() override;
    void transmit(const QByteArray &frame) override;
    QByteArray receive(int waitMs) override;

private:
    class Port;
    std::unique_ptr<Port> m_port;
};

