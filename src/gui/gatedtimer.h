#pragma once

#include <QTimer>

#include <functional>

class HandlerGate;

// The windows' one-shot timer. Its ticks go through the thread's HandlerGate:
// a tick that comes due while another handler runs (inside a wait on the
// device) is held and fires right after that handler returns, unless the
// handler stopped or re-armed this timer meanwhile. Windows use it instead
// of a bare QTimer, so that no tick can start inside another.
class GatedTimer
{
public:
    explicit GatedTimer(std::function<void()> handler);
    GatedTimer(std::function<void()> handler, HandlerGate &gate);
    ~GatedTimer();
    GatedTimer(const GatedTimer &) = delete;
    GatedTimer &operator=(const GatedTimer &) = delete;

    // Arms the timer to fire once after delayMs; a held tick is dropped.
    void start(int delayMs);
    // Disarms the timer; a held tick is dropped.
    void stop();
    // Armed, or come due and held.
    bool isActive() const;

    // Every delay is multiplied by this: the tool keeps the design's periods
    // (1), tests that wait for seconds of timer ticks shrink them.
    static void SetTimeScale(double scale);
    static double TimeScale();

private:
    void fire();

    std::function<void()> m_handler;
    HandlerGate &m_gate;
    QTimer m_timer;
};
