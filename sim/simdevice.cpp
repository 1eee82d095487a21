#include "simdevice.h"

#include "simconfigrecord.h"

#include "config/configcodec.h"
#include "link/commands.h"
#include "link/linkframe.h"

#include <QDir>
#include <QSaveFile>
#include <QTextStream>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

QByteArray GeneratedLog(const QString &name, int lines)
{
    QByteArray text;
    for (int i = 0; i < lines; ++i)
        text += QStringLiteral("%1 line %2: encoder running, bitrate ok\n").arg(name).arg(i + 1).toLatin1();
    return text;
}

QString DevicePath(const QByteArray &payload)
{
    // Sub-operation byte, then the path up to its zero byte.
    const QByteArray bytes = payload.mid(1);
    const qsizetype end = bytes.indexOf('\0');
    return QString::fromLatin1(end < 0 ? bytes : bytes.left(end));
}

void AppendLe32(QByteArray &out, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xFF));
}

// A reply whose check byte is wrong: the correct frame with its last byte
// (doubled when it is 0x02) replaced by its complement.
QByteArray WithWrongCheck(const QByteArray &frame)
{
    const quint8 check = quint8(frame.back());
    QByteArray out = frame.left(frame.size() - (check == 0x02 ? 2 : 1));
    const quint8 wrong = quint8(~check);
    out.append(char(wrong));
    if (wrong == 0x02)
        out.append(char(wrong));
    return out;
}

} // namespace

SimDevice::SimDevice(SimIdentity identity, FaultPlan faults)
    : m_identity(identity), m_faults(std::move(faults)),
      m_firmware(HardwareProfile::Of(identity.code, identity.versionByte, identity.minor), {}),
      m_status(identity.code, identity.versionByte)
{
    m_uptime.start();
    m_configRecord = DefaultConfigRecord(identity.code, identity.versionByte);
    m_files.insert(QStringLiteral("/logFile.0"), GeneratedLog(QStringLiteral("logFile.0"), 120));
    m_files.insert(QStringLiteral("/logFile"), GeneratedLog(QStringLiteral("logFile"), 40));
}

void SimDevice::setStatusOptions(const SimStatusOptions &options)
{
    m_statusOptions = options;
    m_status.setOptions(options);
}

void SimDevice::setFirmwareFaults(const SimFirmwareFaults &faults)
{
    m_firmware = SimFirmware(HardwareProfile::Of(m_identity.code, m_identity.versionByte, m_identity.minor), faults);
}

bool SimDevice::keepConfigIn(const QString &folder, QString *error)
{
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot create the state folder %1").arg(folder);
        return false;
    }
    const QString path = QDir(folder).filePath(QStringLiteral("config.bin"));
    QFile kept(path);
    if (kept.exists()) {
        if (!kept.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read %1: %2").arg(path, kept.errorString());
            return false;
        }
        const QByteArray record = kept.read(ConfigBlockCapacity + 1);
        if (record.isEmpty() || record.size() > ConfigBlockCapacity) {
            *error = QStringLiteral("the kept record %1 must hold 1 to %2 bytes").arg(path).arg(ConfigBlockCapacity);
            return false;
        }
        m_configRecord = record;
    }
    m_keptConfigPath = path;
    return true;
}

bool SimDevice::keepConfig(const QByteArray &record) const
{
    if (m_keptConfigPath.isEmpty())
        return true;
    // Whole or not at all: a power cut in the middle leaves the last record.
    QSaveFile file(m_keptConfigPath);
    return file.open(QIODevice::WriteOnly) && file.write(record) == record.size() && file.commit();
}

bool SimDevice::openRequestLog(const QString &path)
{
    m_log.setFileName(path);
    return m_log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

void SimDevice::log(const QString &linkName, const QString &command, const QByteArray &payload,
                    const char *outcome)
{
    if (!m_log.isOpen())
        return;
    QTextStream stream(&m_log);
    stream << ++m_requestNumber << ' ' << m_uptime.elapsed() << ' ' << linkName << ' ' << command << ' '
           << (payload.isEmpty() ? QByteArray("-") : payload.toHex()) << ' ' << outcome << '\n';
    stream.flush();
    m_log.flush();
}

void SimDevice::noteBadFrame(const QString &linkName, quint8 requestClass)
{
    log(linkName, QStringLiteral("0x%1").arg(requestClass, 2, 16, QLatin1Char('0')), {}, "badframe");
}

bool SimDevice::isResent(const QString &linkName, quint8 requestClass, const QByteArray &payload) const
{
    if (!m_lastRequest || m_lastRequest->linkName != linkName || m_lastRequest->requestClass != requestClass
        || m_lastRequest->payload != payload)
        return false;
    return m_uptime.elapsed() < m_lastRequest->goodReplyArrivesMs;
}

SimResponse SimDevice::handle(const QString &linkName, quint8 requestClass, const QByteArray &payload)
{
    if (!m_powered)
        return SimResponse{SimResponse::Action::Silence, {}, 0};
    const DeviceCommand *command = IdentifyCommand(requestClass, payload.constData(), int(payload.size()));
    const QString name = command ? QString::fromLatin1(command->name)
                                 : QStringLiteral("0x%1").arg(requestClass, 2, 16, QLatin1Char('0'));
    const Fault fault = m_faults.faultFor(requestClass, command ? command->name : "");
    SimResponse response;
    // Silence and a dropped connection stand for a request lost on its way:
    // nothing is carried out. A refusal is a reply that arrives.
    switch (fault.kind) {
    case FaultKind::Silence:
        log(linkName, name, payload, "silence");
        response.action = SimResponse::Action::Silence;
        return response;
    case FaultKind::Drop:
        log(linkName, name, payload, "drop");
        response.action = SimResponse::Action::Drop;
        return response;
    case FaultKind::Refuse:
        log(linkName, name, payload, "refused");
        m_lastRequest.reset();
        response.lineBytes = FrameEncoder::encode(REPLY_REFUSED, {});
        return response;
    default:
        break;
    }

    const bool resent = m_resentRequests != ResentRequests::Again && isResent(linkName, requestClass, payload);
    if (resent && m_resentRequests == ResentRequests::Ignore) {
        log(linkName, name, payload, "resent-ignored");
        response.action = SimResponse::Action::Silence;
        return response;
    }
    const std::optional<QByteArray> reply = resent    ? m_lastRequest->answer
                                            : command ? answer(requestClass, payload)
                                                      : std::nullopt;
    const quint8 replyClass = reply ? REPLY_OK : REPLY_REFUSED;
    QByteArray replyPayload = reply.value_or(QByteArray());
    QString outcome = QLatin1String(reply ? "ok" : "refused");
    if (fault.kind == FaultKind::Short && reply) {
        replyPayload.truncate(replyPayload.size() / 2);
        outcome = QStringLiteral("short");
    }
    response.lineBytes = FrameEncoder::encode(replyClass, replyPayload);
    if (fault.kind == FaultKind::BadCheck) {
        response.lineBytes = WithWrongCheck(response.lineBytes);
        outcome = QStringLiteral("badcheck");
    } else if (fault.kind == FaultKind::Delay) {
        response.delayMs = fault.delayMs;
        outcome += QLatin1String("-delayed");
    }
    const qint64 goodReplyArrivesMs = fault.kind == FaultKind::BadCheck ? std::numeric_limits<qint64>::max()
                                                                        : m_uptime.elapsed() + response.delayMs;
    if (resent) {
        outcome += QLatin1String("-resent");
        // Whichever attempt's reply arrives first is the one the tool takes.
        m_lastRequest->goodReplyArrivesMs = std::min(m_lastRequest->goodReplyArrivesMs, goodReplyArrivesMs);
    } else {
        m_lastRequest = LastRequest{linkName, requestClass, payload, reply, goodReplyArrivesMs};
    }
    log(linkName, name, payload, outcome.toLatin1().constData());
    return response;
}

std::optional<QByteArray> SimDevice::answer(quint8 requestClass, const QByteArray &payload)
{
    switch (requestClass) {
    case 0x10:
        return identification();
    case 0x20:
        reboot();
        return QByteArray();
    case 0x30:
        if (payload.size() != 1 || quint8(payload[0]) < 1 || quint8(payload[0]) > 3)
            return std::nullopt;
        m_playerCommand = quint8(payload[0]);
        return QByteArray();
    case 0x40:
        return m_status.reply(clock(), m_playerCommand);
    case 0x50:
        // A record the device cannot keep is refused, and the one it has stays.
        if (payload.isEmpty() || payload.size() > ConfigBlockCapacity || !keepConfig(payload))
            return std::nullopt;
        m_configRecord = payload;
        return QByteArray();
    case 0x70:
        return m_configRecord;
    case 0x80:
        m_shellCommands << QString::fromLatin1(payload.left(payload.indexOf('\0')));
        return QByteArray();
    case 0x90: // store as factory default: readable afterwards as a device file
        m_files.insert(QStringLiteral("/LENADU/default16.cfg"), m_configRecord);
        return QByteArray();
    case 0xA0:
        return payload.isEmpty() ? QByteArray() : answerFile(payload);
    case 0xB0:
        return answerFlash(payload);
    case 0xC0:
        return answerFirmware(payload);
    case 0xD0:
        return answerPanel(payload);
    default:
        return std::nullopt;
    }
}

void SimDevice::reboot()
{
    m_playerCommand = 3;
    // The device comes back with the firmware it took, and reports its status as that firmware does.
    m_firmware.reboot(m_identity.versionByte, m_identity.minor);
    m_status = SimStatus(m_identity.code, m_identity.versionByte);
    m_status.setOptions(m_statusOptions);
}

QByteArray SimDevice::identification() const
{
    QByteArray reply;
    reply.append(char(m_identity.code));
    reply.append(char(m_identity.versionByte));
    reply.append(char(0));
    reply.append(char(m_identity.minor));
    return reply;
}

std::optional<QByteArray> SimDevice::answerFile(const QByteArray &payload)
{
    switch (quint8(payload[0])) {
    case 0: // create
        m_openFile = DevicePath(payload);
        m_files[m_openFile].clear();
        m_writing = true;
        return QByteArray();
    case 1: { // open for reading: answers the size
        const QString path = DevicePath(payload);
        if (!m_files.contains(path)) {
            // The file open before is not open any more either: reads that
            // follow a refused open must not return another file's bytes.
            m_openFile.clear();
            m_writing = false;
            return std::nullopt;
        }
        m_openFile = path;
        m_readOffset = 0;
        m_writing = false;
        QByteArray reply;
        AppendLe32(reply, quint32(m_files[path].size()));
        return reply;
    }
    case 2: // close
        m_openFile.clear();
        m_writing = false;
        return QByteArray();
    case 3: { // read
        if (m_openFile.isEmpty() || m_writing || payload.size() < 3)
            return std::nullopt;
        const int count = quint8(payload[1]) | quint8(payload[2]) << 8;
        if (count > 2048)
            return std::nullopt;
        const QByteArray piece = m_files[m_openFile].mid(m_readOffset, count);
        m_readOffset += piece.size();
        return piece;
    }
    case 4: // write
        if (m_openFile.isEmpty() || !m_writing || payload.size() > 401)
            return std::nullopt;
        m_files[m_openFile].append(payload.mid(1));
        return QByteArray();
    default:
        return std::nullopt;
    }
}

std::optional<QByteArray> SimDevice::answerFlash(const QByteArray &payload)
{
    if (payload.isEmpty())
        return std::nullopt;
    const bool firmware = m_flashBlock >= 0 && m_firmware.isFirmwareArea(m_flashBlock);
    switch (quint8(payload[0])) {
    case 0:
        if (payload.size() < 3)
            return std::nullopt;
        m_flashBlock = quint8(payload[1]) | quint8(payload[2]) << 8;
        m_flashData.clear();
        if (m_firmware.isFirmwareArea(m_flashBlock))
            m_firmware.beginArea(m_flashBlock);
        return QByteArray();
    case 5:
        if (m_flashBlock < 0 || payload.size() > 513 || (firmware && !m_firmware.writeArea(payload.mid(1))))
            return std::nullopt;
        m_flashData.append(payload.mid(1));
        return QByteArray();
    case 2: {
        if (m_flashBlock < 0)
            return std::nullopt;
        const int block = std::exchange(m_flashBlock, -1);
        if (firmware && !m_firmware.endArea())
            return std::nullopt;
        m_flashAreas.insert(block, m_flashData);
        return QByteArray();
    }
    default:
        return std::nullopt;
    }
}

std::optional<QByteArray> SimDevice::answerFirmware(const QByteArray &payload)
{
    if (payload.isEmpty())
        return std::nullopt;
    switch (quint8(payload[0])) {
    case 0:
        m_firmware.beginTransfer();
        return QByteArray();
    case 1: {
        if (payload.size() < 4 || payload.size() > 4 + 2048)
            return std::nullopt;
        const quint32 offset = quint8(payload[1]) << 16 | quint8(payload[2]) << 8 | quint8(payload[3]);
        if (!m_firmware.writeBlock(offset, payload.mid(4)))
            return std::nullopt;
        return QByteArray();
    }
    case 2:
        if (!m_firmware.endTransfer())
            return std::nullopt;
        return QByteArray();
    default:
        return std::nullopt;
    }
}

std::optional<QByteArray> SimDevice::answerPanel(const QByteArray &payload)
{
    if (payload.isEmpty())
        return std::nullopt;
    switch (quint8(payload[0])) {
    case 0: { // set clock: year, month, day, hour, minute, second
        if (payload.size() < 8)
            return std::nullopt;
        const QDate date(quint8(payload[1]) | quint8(payload[2]) << 8, quint8(payload[3]), quint8(payload[4]));
        const QTime time{int(quint8(payload[5])), int(quint8(payload[6])), int(quint8(payload[7]))};
        if (!date.isValid() || !time.isValid())
            return std::nullopt;
        m_clockOffsetMs = QDateTime::currentDateTime().msecsTo(QDateTime(date, time));
        return QByteArray();
    }
    case 2:
        return snapshot();
    case 3:
        return QByteArray();
    default:
        return std::nullopt;
    }
}

QDateTime SimDevice::clock() const
{
    return QDateTime::currentDateTime().addMSecs(m_clockOffsetMs);
}

QByteArray SimDevice::snapshot() const
{
    if (m_snapshotPicture)
        return *m_snapshotPicture;
    // The display is 8 pages of 128 columns; bit b of column x in page p is
    // the pixel of line 8p + b. Drawn: a frame around the display and a bar
    // that grows with the seconds of the clock.
    QByteArray picture(1024, '\0');
    const auto set = [&](int x, int y) {
        char &column = picture[(y / 8) * 128 + x];
        column = char(quint8(column) | (1 << (y % 8)));
    };
    for (int x = 0; x < 128; ++x) {
        set(x, 0);
        set(x, 63);
    }
    for (int y = 0; y < 64; ++y) {
        set(0, y);
        set(127, y);
    }
    const int bar = 4 + clock().time().second() * 2;
    for (int y = 28; y < 36; ++y)
        for (int x = 4; x < bar && x < 124; ++x)
            set(x, y);
    return picture;
}
