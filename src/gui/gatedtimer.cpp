#include "gui/gatedtimer.h"

#include "link/handlergate.h"

namespace {

double Scale = 1.0;

} // namespace

GatedTimer::GatedTimer(std::function<void()> handler) : GatedTimer(std::move(handler), HandlerGate::current()) {}

GatedTimer::GatedTimer(std::function<void()> handler, HandlerGate &gate) : m_handler(std::move(handler)), m_gate(gate)
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { fire(); });
}

GatedTimer::~GatedTimer()
{
    m_gate.cancel(this);
}

void GatedTimer::start(int delayMs)
{
    m_gate.cancel(this);
    m_timer.start(Scale == 1.0 ? delayMs : int(delayMs * Scale));
}

void GatedTimer::stop()
{
    m_gate.cancel(this);
    m_timer.stop();
}

bool GatedTimer::isActive() const
{
    return m_timer.isActive() || m_gate.holds(this);
}

void GatedTimer::SetTimeScale(double scale)
{
    Scale = scale;
}

double GatedTimer::TimeScale()
{
    return Scale;
}

void GatedTimer::fire()
{
    m_gate.run(this, m_handler);
}
