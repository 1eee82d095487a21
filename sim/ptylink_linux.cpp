#include "ptylink.h"

#include "simdevice.h"

#include <QFile>
#include <QTimer>

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr int TrailingNoiseDelayMs = 50;
// How much earlier than due a reply's timer is armed.
constexpr int TimerSlackMs = 2;

// Line noise after a reply: bytes that look like reply headers and checks
// but hold no 0x02, so they can never start a frame. A tool that missed them
// with its flush still waits for the real reply's start byte.
QByteArray TrailingNoise()
{
    return QByteArray::fromHex("f0e0f1ffe4");
}

} // namespace

PtyLink::PtyLink(SimDevice &device, QObject *parent) : QObject(parent), m_device(device)
{
    m_stream.onRequest = [this](quint8 requestClass, const QByteArray &payload) { answer(requestClass, payload); };
    m_stream.onBadFrame = [this](quint8 requestClass) { m_device.noteBadFrame(QStringLiteral("pty"), requestClass); };
    m_clock.start();
}

PtyLink::~PtyLink()
{
    m_notifier.reset();
    if (!m_symlinkPath.isEmpty())
        QFile::remove(m_symlinkPath);
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool PtyLink::open(const QString &symlinkPath, int baudRate, QString *error)
{
    m_baudRate = baudRate;
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        *error = QStringLiteral("no pseudo-terminal: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(::ptsname(m_master));
    // The device keeps a slave descriptor of its own: when the last one
    // closes the master reads EIO, and the tool closes and reopens the port.
    m_slave = ::open(m_slavePath.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        *error = QStringLiteral("cannot open %1").arg(m_slavePath);
        return false;
    }
    termios settings{};
    ::tcgetattr(m_slave, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(m_slave, TCSANOW, &settings);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

    if (!symlinkPath.isEmpty()) {
        QFile::remove(symlinkPath);
        if (!QFile::link(m_slavePath, symlinkPath)) {
            *error = QStringLiteral("cannot create the link %1").arg(symlinkPath);
            return false;
        }
        m_symlinkPath = symlinkPath;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &PtyLink::readMaster);
    return true;
}

double PtyLink::byteTimeMs() const
{
    return m_baudRate > 0 ? 10000.0 / m_baudRate : 0.0;
}

void PtyLink::readMaster()
{
    char buffer[4096];
    const ssize_t count = ::read(m_master, buffer, sizeof buffer);
    if (count <= 0)
        return;
    const double now = double(m_clock.nsecsElapsed()) / 1e6;
    m_lineFreeAtMs = std::max(m_lineFreeAtMs, now) + double(count) * byteTimeMs();
    m_stream.feed(QByteArray(buffer, int(count)));
}

void PtyLink::writeMaster(const QByteArray &bytes)
{
    // The master is non-blocking; a full buffer means the tool stopped
    // reading, and what does not fit is lost as on a real line.
    if (::write(m_master, bytes.constData(), size_t(bytes.size())) < 0)
        return;
}

void PtyLink::sleepUntil(double dueMs) const
{
    for (;;) {
        const double remainingMs = dueMs - double(m_clock.nsecsElapsed()) / 1e6;
        if (remainingMs <= 0)
            return;
        const timespec pause{0, long(remainingMs * 1e6)};
        ::nanosleep(&pause, nullptr);
    }
}

void PtyLink::answer(quint8 requestClass, const QByteArray &payload)
{
    const SimResponse response = m_device.handle(QStringLiteral("pty"), requestClass, payload);
    if (response.action != SimResponse::Action::Reply)
        return; // a pseudo-terminal cannot be dropped: the request goes unanswered

    const double now = double(m_clock.nsecsElapsed()) / 1e6;
    const double sendAt = std::max(m_lineFreeAtMs, now) + response.delayMs;
    m_lineFreeAtMs = sendAt + double(response.lineBytes.size()) * byteTimeMs();
    const double dueMs = m_lineFreeAtMs;
    const QByteArray bytes = response.lineBytes;
    auto send = [this, bytes, dueMs] {
        // Timers keep whole milliseconds and may fire late: armed a little
        // short, they leave the last fraction to a sleep, so that the reply
        // goes out when a real line would have delivered its last byte.
        sleepUntil(dueMs);
        writeMaster(bytes);
        if (m_trailingNoise) {
            QTimer::singleShot(TrailingNoiseDelayMs, this, [this] { writeMaster(TrailingNoise()); });
        }
    };
    const int timerMs = int(std::floor(dueMs - now)) - TimerSlackMs;
    if (timerMs <= 0)
        send();
    else
        QTimer::singleShot(timerMs, Qt::PreciseTimer, this, send);
}
