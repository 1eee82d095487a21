#include "link/serialtransport.h"

#include "link/linktrace.h"
#include "link/linkwait.h"

#include <QSerialPort>

#include <algorithm>

class SerialTransport::Port : public QSerialPort
{
public:
    bool gone = false;
};

SerialTransport::SerialTransport() : m_port(std::make_unique<Port>())
{
    QObject::connect(m_port.get(), &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError error) {
        // An unplugged device leaves a port whose reads fail at once, again
        // and again, whether an exchange waits or the window idles between
        // polls: the port is closed at once rather than polled.
        if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError) {
            m_port->gone = true;
            m_port->close();
        }
    });
}

SerialTransport::~SerialTransport() = default;

bool SerialTransport::isOpen() const
{
    return m_port->isOpen();
}

bool SerialTransport::isGone() const
{
    return m_port->gone;
}

bool SerialTransport::open(const QString &path)
{
    m_port->setPortName(path);
    if (!m_port->open(QIODevice::ReadWrite))
        return false;
    m_port->setBaudRate(QSerialPort::Baud115200);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    // A pseudo-terminal has no modem lines and refuses these; the device does
    // not need the result, so the error is cleared and the port used as it is.
    m_port->setDataTerminalReady(true);
    m_port->setRequestToSend(true);
    m_port->clearError();
    return true;
}

void SerialTransport::discardInput()
{
    QByteArray dropped;
    while (m_port->isOpen() && (m_port->waitForReadyRead(0) || m_port->bytesAvailable() > 0)) {
        const QByteArray bytes = m_port->readAll();
        if (bytes.isEmpty())
            break;
        dropped += bytes;
    }
    if (m_port->isOpen())
        m_port->clear(QSerialPort::Input);
    if (!dropped.isEmpty())
        qCDebug(LinkTrace, "flushed: %s", TraceHex(dropped).constData());
}

void SerialTransport::transmit(const QByteArray &frame)
{
    for (qsizetype sent = 0; sent < frame.size() && m_port->isOpen(); sent += MaxWriteChunk) {
        const QByteArray chunk = frame.mid(sent, MaxWriteChunk);
        if (m_port->write(chunk) != chunk.size())
            return;
        const bool written = LinkWait::Until(
            QDeadlineTimer(WriteTimeoutMs, Qt::PreciseTimer),
            [this] { return m_port->bytesToWrite() == 0 || !m_port->isOpen(); },
            [this](int remainingMs) {
                while (m_port->bytesToWrite() > 0 && m_port->waitForBytesWritten(remainingMs)) {
                }
            });
        if (!written)
            return;
    }
}

QByteArray SerialTransport::receive(int waitMs)
{
    const QDeadlineTimer deadline(std::max(waitMs, 0), Qt::PreciseTimer);
    if (m_port->isOpen() && m_port->bytesAvailable() == 0) {
        LinkWait::Until(
            deadline, [this] { return m_port->bytesAvailable() > 0 || !m_port->isOpen(); },
            [this](int remainingMs) { m_port->waitForReadyRead(remainingMs); });
    }
    // A port closed after its device went away reads nothing (isGone tells).
    return m_port->isOpen() ? m_port->readAll() : QByteArray();
}
