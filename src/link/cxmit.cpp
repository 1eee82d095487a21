#include "link/cxmit.h"

#include "link/devicetable.h"
#include "link/handlergate.h"
#include "link/linkframe.h"
#include "link/linktrace.h"
#include "link/serialports.h"
#include "link/serialtransport.h"
#include "link/tcptransport.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
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

    ReplyAfterRetry = false;
    const QByteArray frame = FrameEncoder::encode(requestClass, payload);
    const DeviceCommand *command = IdentifyCommand(requestClass, payload.constData(), int(payload.size()));
    const char *name = command ? command->name : "request";
    if (!m_transport || m_transport->isGone()) {
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
    drainLateAnswer();
    m_transport->discardInput();

    QElapsedTimer sinceFirstTransmission;
    sinceFirstTransmission.start();
    Reception reception = Reception::Silence;
    int attempt = 0;
    for (; attempt < Attempts; ++attempt) {
        qCDebug(LinkTrace, "-> %s attempt %d: %s", name, attempt + 1, TraceHex(frame).constData());
        m_transport->transmit(frame);
        ++m_transmissions;
        reception = receiveReply(command, payload, timeoutMs);
        if (reception == Reception::Answered || reception == Reception::Gone)
            break;
        qCDebug(LinkTrace, "%s: no valid reply within %d ms", name, timeoutMs);
    }
    WriteFlag = false;
    if (reception == Reception::Gone) {
        qCDebug(LinkTrace, "%s: the link is gone", name);
        LinkLost = true;
        return false;
    }
    if (reception != Reception::Answered) {
        qCDebug(LinkTrace, "%s: link lost", name);
        LinkLost = true;
        return false;
    }
    if (attempt > 0) {
        // The reply taken may be the answer to the first transmission; the
        // answer to the second may follow about as long after it.
        ReplyAfterRetry = true;
        const qint64 latency = sinceFirstTransmission.elapsed();
        m_lateAnswerDeadline = QDeadlineTimer(latency + latency / 4, Qt::PreciseTimer);
    }
    if (ReplyClass == REPLY_REFUSED) {
        qCDebug(LinkTrace, "%s: refused by the device", name);
        return false;
    }
    return true;
}

CXmit::Reception CXmit::receiveReply(const DeviceCommand *command, const QByteArray &requestPayload, int timeoutMs)
{
    FrameDecoder decoder(FrameDecoder::Accept::Replies, ReplyCapacity);
    const QDeadlineTimer deadline(timeoutMs, Qt::PreciseTimer);
    const auto keepReply = [&] {
        ReplyClass = decoder.frameClass();
        ReplyPayload = decoder.payload();
        ReplyLength = int(ReplyPayload.size());
    };
    QByteArray pending;
    for (;;) {
        if (pending.isEmpty()) {
            // Bytes read before the deadline are decoded even when it passes
            // meanwhile.
            if (deadline.hasExpired())
                break;
            pending = m_transport->receive(int(deadline.remainingTime()));
            if (pending.isEmpty()) {
                if (m_transport->isGone()) {
                    keepReply();
                    return Reception::Gone;
                }
                continue;
            }
            qCDebug(LinkTrace, "<- %s", TraceHex(pending).constData());
        }
        pending.remove(0, decoder.feed(pending.constData(), int(pending.size())));
        if (!decoder.isComplete())
            continue;
        keepReply();
        // What follows a frame in the same read is ignored.
        if (!decoder.isValid())
            return Reception::Corrupt;
        if (fitsRequest(command, requestPayload, decoder))
            return Reception::Answered;
        // A valid frame that cannot answer this request: an answer to an
        // earlier one, come late. The wait for ours goes on.
        qCDebug(LinkTrace, "%s: set aside a reply of %d bytes that cannot answer it", command->name,
                ReplyLength);
        decoder.reset();
    }
    keepReply();
    return Reception::Silence;
}

bool CXmit::fitsRequest(const DeviceCommand *command, const QByteArray &requestPayload,
                        const FrameDecoder &reply) const
{
    // A refusal can answer any request; a request outside the command set
    // takes whatever comes.
    if (!command || reply.frameClass() == REPLY_REFUSED)
        return true;
    return ReplyFitsRequest(*command, requestPayload, int(reply.payload().size()),
                            Identity.Profile().StatusReply());
}

void CXmit::drainLateAnswer()
{
    if (m_lateAnswerDeadline.hasExpired())
        return;
    FrameDecoder decoder(FrameDecoder::Accept::Replies, ReplyCapacity);
    while (!decoder.isComplete() && !m_lateAnswerDeadline.hasExpired() && !m_transport->isGone()) {
        const QByteArray bytes = m_transport->receive(int(m_lateAnswerDeadline.remainingTime()));
        if (!bytes.isEmpty())
            qCDebug(LinkTrace, "<- %s", TraceHex(bytes).constData());
        decoder.feed(bytes.constData(), int(bytes.size()));
    }
    m_lateAnswerDeadline = QDeadlineTimer();
    if (decoder.isComplete())
        qCDebug(LinkTrace, "dropped the second answer to the request before");
}

void CXmit::settleSerialLink()
{
    const QDeadlineTimer bound(scaled(SettleBoundMs), Qt::PreciseTimer);
    QByteArray dropped;
    while (!bound.hasExpired()) {
        const int quietMs = std::min(scaled(SettleQuietMs), int(bound.remainingTime()));
        const QByteArray bytes = m_transport->receive(quietMs);
        if (bytes.isEmpty())
            break;
        dropped += bytes;
    }
    if (!dropped.isEmpty())
        qCDebug(LinkTrace, "flushed: %s", TraceHex(dropped).constData());
}

void CXmit::linkOpened(std::unique_ptr<Transport> transport, QString name)
{
    m_transport = std::move(transport);
    m_linkName = std::move(name);
    m_lateAnswerDeadline = QDeadlineTimer();
}

bool CXmit::ConnectTcp(const QString &address)
{
    auto tcp = std::make_unique<TcpTransport>();
    if (!tcp->connectTo(address, TcpPort)) {
        qCDebug(LinkTrace, "tcp %s:%u: no connection", qPrintable(address), unsigned(TcpPort));
        return false;
    }
    qCDebug(LinkTrace, "tcp %s:%u: connected", qPrintable(address), unsigned(TcpPort));
    linkOpened(std::move(tcp), QStringLiteral("tcp:%1:%2").arg(address).arg(TcpPort));
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
    linkOpened(std::move(serial), QStringLiteral("serial:") + path);
    settleSerialLink();
    return true;
}

int CXmit::scaled(int timeoutMs) const
{
    return std::max(1, int(timeoutMs * TimeoutScale));
}

void CXmit::CloseSerialPort()
{
    if (isSerialLink())
        CloseLink();
}

void CXmit::CloseLink()
{
    linkOpened(nullptr, {});
}

void CXmit::AttachTransport(std::unique_ptr<Transport> transport)
{
    linkOpened(std::move(transport), {});
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
