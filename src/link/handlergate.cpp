#include "link/handlergate.h"

#include <QAbstractEventDispatcher>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

// Counts one running handler for as long as it lives.
class HandlerCount
{
public:
    explicit HandlerCount(int &count) : m_count(count) { ++m_count; }
    ~HandlerCount() { --m_count; }
    HandlerCount(const HandlerCount &) = delete;
    HandlerCount &operator=(const HandlerCount &) = delete;

private:
    int &m_count;
};

} // namespace

HandlerGate &HandlerGate::current()
{
    thread_local HandlerGate gate;
    return gate;
}

HandlerGate::BusyScope::BusyScope(HandlerGate &gate) : m_gate(gate)
{
    ++m_gate.m_depth;
}

HandlerGate::BusyScope::~BusyScope()
{
    m_gate.leave(false);
}

void HandlerGate::run(const void *owner, std::function<void()> handler)
{
    if (busy()) {
        m_held.append({owner, std::move(handler)});
        return;
    }
    runNow(handler);
}

void HandlerGate::cancel(const void *owner)
{
    m_held.removeIf([owner](const Held &held) { return held.owner == owner; });
}

bool HandlerGate::holds(const void *owner) const
{
    return std::any_of(m_held.cbegin(), m_held.cend(), [owner](const Held &held) { return held.owner == owner; });
}

bool HandlerGate::deferClose(std::function<void()> close)
{
    if (!busy())
        return false;
    m_heldClose = std::move(close);
    return true;
}

void HandlerGate::runNow(const std::function<void()> &handler)
{
    ++m_depth;
    {
        const HandlerCount running(m_handlers);
        handler();
    }
    leave(true);
}

void HandlerGate::leave(bool handler)
{
    --m_depth;
    if (busy() || !holdsAnything())
        return;
    // After a handler, what it held fires at once. After a wait or an
    // exchange that ran outside any handler, its caller is still in the
    // middle of its work: what was held fires when the event loop turns.
    if (handler)
        releaseHeld();
    else
        postRelease();
}

void HandlerGate::releaseHeld()
{
    if (m_releasing)
        return;
    m_releasing = true;
    while (!busy() && holdsAnything()) {
        if (m_heldClose) {
            // The close goes through the window's own close handling, which
            // runs it as a handler of its own.
            const std::function<void()> close = std::exchange(m_heldClose, nullptr);
            close();
            continue;
        }
        const Held next = m_held.takeFirst();
        runNow(next.handler);
    }
    m_releasing = false;
}

void HandlerGate::postRelease()
{
    if (m_releasePosted || !QAbstractEventDispatcher::instance())
        return;
    m_releasePosted = true;
    QTimer::singleShot(0, [this] {
        m_releasePosted = false;
        releaseHeld();
    });
}
