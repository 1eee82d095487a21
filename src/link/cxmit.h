#pragma once

#include "link/commands.h"
#include "link/deviceidentity.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class DeviceTable;
class FrameDecoder;
class Transport;

// The link object: the one open link to the device (serial port or TCP
// connection), the synchronous request/reply exchange over it, and the
// identification of the device on the far side.
class CXmit
{
public:
    static constexpr int ReplyCapacity = 4096;
    // The largest request: a 2048-byte firmware block after its 4-byte prefix.
    static constexpr int LargestPayload = 2052;
    static constexpr int TransmitCapacity = 1 + 2 * (1 + 2 + LargestPayload + 1);
    static constexpr int DataBlockTimeoutMs = 25000;
    static constexpr int Attempts = 2;
    // A serial port just opened is read until it stays quiet this long (at
    // most SettleBoundMs), so that a reply still on its way to a program
    // that used the port before is not taken for the answer to our first
    // request.
    static constexpr int SettleQuietMs = 100;
    static constexpr int SettleBoundMs = 1000;

    explicit CXmit(const DeviceTable *deviceTable = nullptr);
    ~CXmit();

    // The table ConnectDevice tries first; none: USB serial ports only.
    void setDeviceTable(const DeviceTable *deviceTable) { m_deviceTable = deviceTable; }

    // One request, at most two transmissions of 5 x timeoutUnits ms each.
    // True when a valid REPLY_OK arrived; its payload is then ReplyPayload.
    bool SendRequest(quint8 requestClass, const QByteArray &payload, int timeoutUnits);
    // A catalogue command: sets WriteFlag for writing commands and puts the
    // sub-operation byte in front of the data.
    bool Send(const DeviceCommand &command, const QByteArray &data = {});
    // One firmware data block of hardware code 121 (class 0xC0, sub-op 1,
    // 24-bit big-endian offset, the data), 25 s per attempt.
    bool SendDataBlock(quint32 offset, const QByteArray &data);

    // Closes any link, tries row 0 of the device table over TCP, then every
    // USB serial port in turn. Returns the FirmwareVersionByte of the device
    // found, 0 when none answered. Always clears LinkLost.
    quint8 ConnectDevice();
    quint8 ProbeDevice();
    bool ConnectTcp(const QString &address);
    bool OpenSerialPort(const QString &path);
    void CloseSerialPort();
    // Closes whichever link is open.
    void CloseLink();
    // Uses an already open link (another kind of transport, or a test's).
    void AttachTransport(std::unique_ptr<Transport> transport);

    bool isLinked() const { return bool(m_transport); }
    bool isSerialLink() const;
    // "tcp:ADDRESS:PORT" or "serial:PATH" of the open link, to tell the user
    // which device a message is about; empty without a link or for an
    // attached transport.
    QString linkName() const { return m_linkName; }

    // Lights the status strip's lamps; called once per exchange before sending.
    std::function<void(bool write)> ShowLinkActivity;
    // Where ConnectDevice looks for serial ports; the system's USB ports by default.
    std::function<QStringList()> ListSerialPorts;
    // The TCP port ConnectDevice and ConnectTcp use (6666 on real devices).
    quint16 TcpPort;
    // Opens the serial port at path; the system's serial port by default.
    // Tests put a simulated device in the same process behind a path.
    std::function<std::unique_ptr<Transport>(const QString &path)> SerialPortOpener;
    // Every reply time-out is multiplied by it: the tool keeps the device's
    // own time-outs (1), tests that wait for silence shrink them.
    double TimeoutScale = 1.0;

    QByteArray ReplyPayload;
    int ReplyLength = 0;
    quint8 ReplyClass = 0;
    bool WriteFlag = false;
    bool LinkLost = false;
    // The last exchange got its reply only after sending its request a
    // second time. The device may then have carried the request out twice
    // (a file read moves on by the bytes it sends), and which of its
    // answers was taken cannot be told.
    bool ReplyAfterRetry = false;
    DeviceIdentity Identity;

    // Frames put on the line since construction (tests count attempts with it).
    int transmissions() const { return m_transmissions; }

private:
    enum class Reception { Answered, Corrupt, Silence, Gone };

    bool exchange(quint8 requestClass, const QByteArray &payload, int timeoutMs);
    Reception receiveReply(const DeviceCommand *command, const QByteArray &requestPayload, int timeoutMs);
    bool fitsRequest(const DeviceCommand *command, const QByteArray &requestPayload,
                     const FrameDecoder &reply) const;
    void drainLateAnswer();
    void settleSerialLink();
    void linkOpened(std::unique_ptr<Transport> transport, QString name);
    int scaled(int timeoutMs) const;

    const DeviceTable *m_deviceTable;
    std::unique_ptr<Transport> m_transport;
    QString m_linkName;
    int m_transmissions = 0;
    bool m_exchanging = false;
    // Until then, a second answer to a request that was sent twice may still
    // arrive; the next exchange waits for it and drops it first.
    QDeadlineTimer m_lateAnswerDeadline;
};
