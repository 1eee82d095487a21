#include "link/cxmit.h"

#include "link/devicetable.h"
#include "link/handlergate.h"
#include "link/linkframe.h"
#include "link/linktrace.h"
#include "link/serialports.h"
#include "link/serialtransport.h"
#include "link/tcptransport.h"

#include <QDeadlineTimer>
#include <QScopedValueRollback>
#include <QtGlobal>

#include <algorithm>

CXmit::CXmit(const DeviceTable *deviceTable)
    : ListSerialPorts(UsbSerialPorts),
      TcpPort(DeviceTcpPort),
      SerialPortOpener([](const QString &path) -> std::unique_ptr<Transport> {
          auto serial = std::make_unique<SerialTransport>();
          return serial->open(path) ? std::move(serial) : nullptr;
      }),
      m_deviceTable(deviceTable)
{
    ReplyPayload.reserve(ReplyCapacity);
}

CXmit::~CXmit() = default;

bool CXmit::isSerialLink() const
{
    return m_transport && m_transport->isSerial();
}

bool CXmit::SendRequest(quint8 requestClass, const QByteArray &payload, int timeoutUnits)
{
    return exchange(requestClass, payload, scaled(5 * timeoutUnits));
}

bool CXmit::Send(const DeviceCommand &command, const QByteArray &data)
{
    QByteArray payload;
    if (command.subOperation != NoSubOperation)
        payload.append(char(command.subOperation));
    payload.append(data);
    if (command.writes)
        WriteFlag = true;
    return SendRequest(command.requestClass, payload, command.timeoutUnits);
}

bool CXmit::SendDataBlock(quint32 offset, const QByteArray &data)
{
    WriteFlag = true;
    if (data.size() > LargestPayload - 4) {
        WriteFlag = false;
        return false;
    }
    QByteArray payload;
    payload.reserve(4 + data.size());
    payload.append(char(CMD_FW_DATA.subOperation));
    payload.append(char((offset >> 16) & 0xFF));
    payload.append(char((offset >> 8) & 0xFF));
    payload.append(char(offset & 0xFF));
    payload.append(data);
    return exchange(CMD_FW_DATA.requestClass, payload, scaled(DataBlockTimeoutMs));
}

bool CXmit::exchange(quint8 requestClass, const QByteArray &payload, int timeoutMs)
{
    // One conversation at a time: a second request in the middle of a wait
    // would take the first one's reply. The window's timers are held while an
    // exchange runs; reaching this point again is a fault in the tool.
    if (m_exchanging)
        qFatal("CXmit: an exchange was started while another was waiting for its reply");
    const QScopedValueRollback<bool> exchanging(m_exchanging, true);
    const HandlerGate::BusyScope busy(HandlerGate::current());

    const QByteArray frame = FrameEncoder::encode(requestClass, payload);
    const DeviceCommand *command = IdentifyCommand(requestClass, payload.constData(), int(payload.size()));
    const char *name = command ? command->name : "request";
    if (!m_transport) {
        qCDebug(LinkTrace, "%s: no link open", name);
        LinkLost = true;
        WriteFlag = false;
        return false;
    }
    if (frame.isEmpty() || frame.size() > TransmitCapacity) {
        // Larger than any request of the command set: refused before sending.
        qCDebug(LinkTrace, "%s: %lld payload bytes, too large to send", name, qlonglong(payload.size()));
        WriteFlag = false;
        return false;
    }
    if (ShowLinkActivity)
        ShowLinkActivity(WriteFlag);
    m_transport->discardInput();

    bool received = false;
    for (int attempt = 0; attempt < Attempts && !received; ++attempt) {
        qCDebug(LinkTrace, "-> %s attempt %d: %s", name, attempt + 1, TraceHex(frame).constData());
        m_transport->transmit(frame);
        ++m_transmissions;
        received = receiveReply(timeoutMs);
        if (!received)
            qCDebug(LinkTrace, "%s: no valid reply within %d ms", name, timeoutMs);
    }
    if (!received) {
        qCDebug(LinkTrace, "%s: link lost", name);
        LinkLost = true;
    } else if (ReplyClass == REPLY_REFUSED) {
        qCDebug(LinkTrace, "%s: refused by the device", name);
    }
    WriteFlag = false;
    return received && ReplyClass != REPLY_REFUSED;
}

bool CXmit::receiveReply(int timeoutMs)
{
    FrameDecoder decoder(FrameDecoder::Accept::Replies, ReplyCapacity);
    const QDeadlineTimer deadline(timeoutMs);
    while (!decoder.isComplete() && !deadline.hasExpired()) {
        const QByteArray bytes = m_transport->receive(int(deadline.remainingTime()));
        if (!bytes.isEmpty())
            qCDebug(LinkTrace, "<- %s", TraceHex(bytes).constData());
        decoder.feed(bytes.constData(), int(bytes.size()));
    }
    ReplyClass = decoder.frameClass();
    ReplyPayload = decoder.payload();
    ReplyLength = int(ReplyPayload.size());
    return decoder.isComplete() && decoder.isValid();
}

bool CXmit::ConnectTcp(const QString &address)
{
    auto tcp = std::make_unique<TcpTransport>();
    if (!tcp->connectTo(address, TcpPort)) {
        qCDebug(LinkTrace, "tcp %s:%u: no connection", qPrintable(address), unsigned(TcpPort));
        return false;
    }
    qCDebug(LinkTrace, "tcp %s:%u: connected", qPrintable(address), unsigned(TcpPort));
    m_transport = std::move(tcp);
    return true;
}

bool CXmit::OpenSerialPort(const QString &path)
{
    std::unique_ptr<Transport> serial = SerialPortOpener(path);
    if (!serial) {
        qCDebug(LinkTrace, "serial %s: cannot open", qPrintable(path));
        return false;
    }
    qCDebug(LinkTrace, "serial %s: open", qPrintable(path));
    m_transport = std::move(serial);
    return true;
}

int CXmit::scaled(int timeoutMs) const
{
    return std::max(1, int(timeoutMs * TimeoutScale));
}

void CXmit::CloseSerialPort()
{
    if (isSerialLink())
        m_transport.reset();
}

void CXmit::CloseLink()
{
    m_transport.reset();
}

void CXmit::AttachTransport(std::unique_ptr<Transport> transport)
{
    m_transport = std::move(transport);
}

quint8 CXmit::ProbeDevice()
{
    if (!Send(CMD_IDENTIFY))
        return 0;
    // The device sends at least the code and the version byte; a shorter
    // reply cannot identify anything.
    if (ReplyLength < 2)
        return 0;
    const quint8 code = quint8(ReplyPayload[0]);
    if (!IsAcceptedHardwareCode(code))
        return 0;
    Identity.HardwareCode = code;
    Identity.FirmwareVersionByte = quint8(ReplyPayload[1]);
    Identity.FirmwareMinor = ReplyLength >= 4 ? quint8(ReplyPayload[3]) : 0;
    return Identity.FirmwareVersionByte;
}

quint8 CXmit::ConnectDevice()
{
    CloseLink();
    quint8 found = 0;

    const QList<DeviceTableRow> rows = m_deviceTable ? m_deviceTable->copy() : QList<DeviceTableRow>();
    if (!rows.isEmpty() && ConnectTcp(rows.first().DeviceAddress)) {
        found = ProbeDevice();
        if (!found)
            CloseLink();
    }

    if (!found) {
        for (const QString &path : ListSerialPorts()) {
            if (!OpenSerialPort(path))
                continue;
            found = ProbeDevice();
            if (found)
                break;
            CloseSerialPort();
        }
    }

    LinkLost = false;
    return found;
}
