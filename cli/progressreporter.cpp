#include "progressreporter.h"

#include <QElapsedTimer>
#include <QThread>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

ProgressReporter::Style StyleFor(const CliContext &context)
{
    if (context.has(QStringLiteral("--quiet")))
        return ProgressReporter::Style::Quiet;
    return ::isatty(::fileno(stderr)) ? ProgressReporter::Style::UpdatingLine : ProgressReporter::Style::Lines;
}

ProgressReporter::Clock SystemClock()
{
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    return {[started] { return started->elapsed(); }, [](int ms) { QThread::msleep(ulong(ms)); }};
}

QString Rate(qint64 bytes, qint64 elapsedMs)
{
    const double perSecond = double(bytes) * 1000.0 / double(elapsedMs);
    if (perSecond < 1000.0)
        return QStringLiteral("%1 B/s").arg(qRound(perSecond));
    if (perSecond < 1000000.0)
        return QStringLiteral("%1 kB/s").arg(perSecond / 1000.0, 0, 'f', 1);
    return QStringLiteral("%1 MB/s").arg(perSecond / 1000000.0, 0, 'f', 1);
}

} // namespace

ProgressReporter::ProgressReporter(CliContext &context)
    : ProgressReporter(context, StyleFor(context), SystemClock())
{
}

ProgressReporter::ProgressReporter(CliContext &context, Style style, Clock clock)
    : m_context(context), m_style(style), m_clock(std::move(clock)), m_lastEventMs(m_clock.nowMs())
{
}

ProgressReporter::~ProgressReporter()
{
    m_context.endLine();
}

void ProgressReporter::ShowStatus(const QString &text, bool wait, int durationMs)
{
    m_label = text;
    m_range = 0; // what follows is a new step
    m_lastEventMs = m_clock.nowMs();
    switch (m_style) {
    case Style::Quiet:
        break;
    case Style::Lines:
        m_context.say(text);
        break;
    case Style::UpdatingLine:
        m_context.endLine();
        m_context.rewriteLine(text);
        break;
    }
    if (wait && durationMs > 0)
        m_clock.sleep(durationMs);
}

void ProgressReporter::SetProgress(int position, int range)
{
    const qint64 now = m_clock.nowMs();
    if (range <= 0) {
        m_range = 0;
        if (m_style == Style::UpdatingLine)
            m_context.endLine();
        return;
    }
    if (range != m_range || position < m_position) {
        // A new transfer: it started with the status text or step before it.
        m_startMs = m_lastEventMs;
        m_tenthShown = -1;
    }
    m_position = qBound(0, position, range);
    m_range = range;
    m_lastEventMs = now;
    if (m_position == 0)
        return; // an empty bar tells nothing yet
    switch (m_style) {
    case Style::Quiet:
        break;
    case Style::Lines: {
        const int tenth = int(qint64(m_position) * 10 / m_range);
        if (tenth != m_tenthShown)
            m_context.say(progressText(now));
        m_tenthShown = tenth;
        break;
    }
    case Style::UpdatingLine:
        m_context.rewriteLine(progressText(now));
        break;
    }
}

QString ProgressReporter::progressText(qint64 nowMs) const
{
    QStringList parts;
    if (!m_label.isEmpty())
        parts << m_label;
    parts << QStringLiteral("%1%").arg(qint64(m_position) * 100 / m_range)
          << QStringLiteral("%1/%2 bytes").arg(m_position).arg(m_range);
    if (nowMs > m_startMs)
        parts << Rate(m_position, nowMs - m_startMs);
    return parts.join(QLatin1Char(' '));
}
