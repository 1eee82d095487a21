#include "link/serialtransport.h"

#include "link/linktrace.h"
#include "link/linkwait.h"
#include "link/serialports.h"

#include <algorithm>
#include <utility>

#include <windows.h>

namespace {

// While nothing has come, a read asks for this many bytes: with the port's
// read time-outs (1 ms per byte plus 1 ms) it blocks for at most 17 ms, so a
// window that waits between two reads still paints about 60 times a second.
constexpr DWORD WaitingReadBytes = 16;
// The most one read takes of what the port holds already.
constexpr DWORD LargestRead = 4096;
// The most read, to show it in the link trace, before a request.
constexpr qsizetype MaxDiscardBytes = 65536;

// The errors a port reports once its USB device was unplugged: every later
// call fails the same way, and the port must be closed and found again.
bool MeansDeviceGone(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_BAD_COMMAND:
    case ERROR_DEVICE_REMOVED:
    case ERROR_GEN_FAILURE:
    case ERROR_OPERATION_ABORTED:
        return true;
    default:
        return false;
    }
}

} // namespace

class SerialTransport::Port
{
public:
    ~Port() { close(); }

    bool open(const QString &path)
    {
        const std::wstring device = Win32DevicePath(path).toStdWString();
        handle = CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        // 115200 8N1 with DTR and RTS held on; every other setting keeps the
        // port's own value. The device does not need the results.
        DCB settings{};
        settings.DCBlength = sizeof settings;
        if (GetCommState(handle, &settings)) {
            settings.BaudRate = CBR_115200;
            settings.ByteSize = 8;
            settings.Parity = NOPARITY;
            settings.StopBits = ONESTOPBIT;
            settings.fDtrControl = DTR_CONTROL_ENABLE;
            settings.fRtsControl = RTS_CONTROL_ENABLE;
            SetCommState(handle, &settings);
        }
        // A read returns 1 ms after the last byte came, and waits at most
        // 1 ms per byte asked for plus 1 ms; writes wait as long as they take.
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = 1;
        timeouts.ReadTotalTimeoutMultiplier = 1;
        timeouts.ReadTotalTimeoutConstant = 1;
        SetCommTimeouts(handle, &timeouts);
        return true;
    }

    void close()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }

    bool isOpen() const { return handle != INVALID_HANDLE_VALUE; }

    // Notes a failed call; a port whose device was unplugged is closed.
    void failed()
    {
        if (MeansDeviceGone(GetLastError())) {
            gone = true;
            close();
        }
    }

    // How many bytes the port holds already; 0 when it cannot tell.
    DWORD queued()
    {
        DWORD errors = 0;
        COMSTAT status{};
        if (!ClearCommError(handle, &errors, &status)) {
            failed();
            return 0;
        }
        return status.cbInQue;
    }

    // Reads what the port holds, or, when it holds nothing, waits for bytes
    // with one short read of at most about maxWaitMs.
    void readSome(int maxWaitMs)
    {
        if (!isOpen())
            return;
        DWORD wanted = std::min(queued(), LargestRead);
        if (!isOpen())
            return;
        if (wanted == 0)
            wanted = std::clamp<DWORD>(DWORD(std::max(maxWaitMs, 2) - 1), 1, WaitingReadBytes);
        const qsizetype start = pending.size();
        pending.resize(start + qsizetype(wanted));
        DWORD read = 0;
        const bool ok = ReadFile(handle, pending.data() + start, wanted, &read, nullptr);
        pending.resize(start + qsizetype(ok ? read : 0));
        if (!ok) {
            failed();
            // A port that fails at once, again and again, waits as long as a
            // read would have, so that the wait does not spin on it.
            if (isOpen())
                Sleep(std::min<DWORD>(wanted + 1, DWORD(std::max(maxWaitMs, 1))));
        }
    }

    HANDLE handle = INVALID_HANDLE_VALUE;
    bool gone = false;
    // Bytes read while waiting and not yet handed to the exchange.
    QByteArray pending;
};

SerialTransport::SerialTransport() : m_port(std::make_unique<Port>()) {}

SerialTransport::~SerialTransport() = default;

bool SerialTransport::open(const QString &path)
{
    m_port->close();
    m_port->pending.clear();
    return m_port->open(path);
}

bool SerialTransport::isOpen() const
{
    return m_port->isOpen();
}

bool SerialTransport::isGone() const
{
    return m_port->gone;
}

void SerialTransport::discardInput()
{
    QByteArray dropped = std::exchange(m_port->pending, {});
    if (m_port->isOpen()) {
        // What the port holds is read first, so that the trace can show it;
        // the purge then drops whatever arrived meanwhile.
        // A device that never stops sending cannot hold the exchange: a
        // bounded amount is read, and a read that brings nothing ends it.
        while (m_port->isOpen() && m_port->queued() > 0 && dropped.size() < MaxDiscardBytes) {
            m_port->readSome(0);
            if (m_port->pending.isEmpty())
                break;
            dropped += std::exchange(m_port->pending, {});
        }
        if (m_port->isOpen())
            PurgeComm(m_port->handle, PURGE_RXCLEAR);
    }
    if (!dropped.isEmpty())
        qCDebug(LinkTrace, "flushed: %s", TraceHex(dropped).constData());
}

void SerialTransport::transmit(const QByteArray &frame)
{
    // The port's write time-outs are zero: a write returns once its bytes
    // are with the driver, which takes them at the line's pace.
    for (qsizetype sent = 0; sent < frame.size() && m_port->isOpen(); sent += MaxWriteChunk) {
        const DWORD length = DWORD(std::min<qsizetype>(MaxWriteChunk, frame.size() - sent));
        DWORD written = 0;
        if (!WriteFile(m_port->handle, frame.constData() + sent, length, &written, nullptr)) {
            m_port->failed();
            return;
        }
        if (written != length)
            return;
    }
}

QByteArray SerialTransport::receive(int waitMs)
{
    const QDeadlineTimer deadline(std::max(waitMs, 0), Qt::PreciseTimer);
    if (m_port->isOpen() && m_port->pending.isEmpty()) {
        LinkWait::Stepping(
            deadline, [this] { return !m_port->pending.isEmpty() || !m_port->isOpen(); },
            [this](int remainingMs) { m_port->readSome(remainingMs); });
    }
    if (!m_port->isOpen()) {
        // A closed port reads as silence until the caller's deadline.
        LinkWait::Pause(deadline);
        return {};
    }
    return std::exchange(m_port->pending, {});
}
