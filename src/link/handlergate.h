#pragma once

#include <QList>

#include <functional>

// Keeps the handlers of the window's thread from running inside one another.
//
// The tool talks to its device synchronously from timer and button handlers,
// and a wait for a reply lets the event loop turn so that the window keeps
// painting. Timer ticks that come due meanwhile must not start a second
// conversation in the middle of the first: the gate holds them while a
// handler runs (or, outside any handler, while a wait or an exchange runs)
// and fires them, in the order they came due, right after the running handler
// returns. A window close that arrives meanwhile is held too and runs first.
//
// One gate per thread; everything here runs on that thread.
class HandlerGate
{
public:
    // The gate of the calling thread.
    static HandlerGate &current();

    HandlerGate() = default;
    HandlerGate(const HandlerGate &) = delete;
    HandlerGate &operator=(const HandlerGate &) = delete;

    // Marks the gate busy while it lives: waits and exchanges use it, so that
    // nothing held runs in the middle of them. When the outermost busy scope
    // ends outside any handler, what it held runs once the event loop turns
    // again, not in the middle of whoever waited.
    class BusyScope
    {
    public:
        explicit BusyScope(HandlerGate &gate);
        ~BusyScope();
        BusyScope(const BusyScope &) = delete;
        BusyScope &operator=(const BusyScope &) = delete;

    private:
        HandlerGate &m_gate;
    };

    // True while a handler, a wait or an exchange runs.
    bool busy() const { return m_depth > 0; }
    // How many handlers run at this moment, one inside another (at most 1).
    int handlersRunning() const { return m_handlers; }

    // Runs a timer tick or a button handler now when the gate is free, else
    // holds it until the gate is free again. owner names the tick for cancel().
    void run(const void *owner, std::function<void()> handler);
    // Forgets what owner has held: its timer was stopped or re-armed.
    void cancel(const void *owner);
    bool holds(const void *owner) const;
    // Holds a window close that arrives while the gate is busy and returns
    // true; false when the gate is free and the close may go ahead now.
    bool deferClose(std::function<void()> close);

private:
    struct Held
    {
        const void *owner;
        std::function<void()> handler;
    };

    void runNow(const std::function<void()> &handler);
    void leave(bool handler);
    void releaseHeld();
    void postRelease();
    bool holdsAnything() const { return m_heldClose || !m_held.isEmpty(); }

    int m_depth = 0;
    int m_handlers = 0;
    bool m_releasing = false;
    bool m_releasePosted = false;
    std::function<void()> m_heldClose;
    QList<Held> m_held;
};
