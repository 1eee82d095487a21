#include "link/serialtransport.h"

#include <QThread>

#include <algorithm>

bool SerialTransport::open(const QString &path)
{
    m_port.setPortName(path);
    if (!m_port.open(QIODevice::ReadWrite))
        return false;
    m_port.setBaudRate(QSerialPort::Baud115200);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    // A pseudo-terminal has no modem lines and refuses these; the device does
    // not need the result, so the error is cleared and the port used as it is.
    m_port.setDataTerminalReady(true);
    m_port.setRequestToSend(true);
    m_port.clearError();
    return true;
}

void SerialTransport::discardInput()
{
    while (m_port.waitForReadyRead(0) || m_port.bytesAvailable() > 0) {
        if (m_port.readAll().isEmpty())
            break;
    }
    m_port.clear(QSerialPort::Input);
}

void SerialTransport::transmit(const QByteArray &frame)
{
    for (qsizetype sent = 0; sent < frame.size(); sent += MaxWriteChunk) {
        const QByteArray chunk = frame.mid(sent, MaxWriteChunk);
        if (m_port.write(chunk) != chunk.size())
            return;
        while (m_port.bytesToWrite() > 0) {
            if (!m_port.waitForBytesWritten(1000))
                return;
        }
    }
}

QByteArray SerialTransport::receive(int waitMs)
{
    if (m_port.bytesAvailable() == 0 && !m_port.waitForReadyRead(std::max(waitMs, 0))) {
        if (m_port.error() != QSerialPort::NoError && m_port.error() != QSerialPort::TimeoutError) {
            // A port that fails (the device went away) reads as silence: wait
            // instead of returning at once, so the caller does not spin.
            m_port.clearError();
            QThread::msleep(std::clamp(waitMs, 0, ErrorPauseMs));
        }
        return {};
    }
    return m_port.readAll();
}
