#pragma once

#include <QDeadlineTimer>

#include <functional>

// How the link waits for its device.
//
// On a thread whose event loop runs (the window's), a wait turns that loop
// until the awaited condition holds or the deadline passes: timers fire, the
// window paints, the serial port and the socket are read. Keyboard and mouse
// input stays queued until the wait ends, as it did while the thread was
// blocked, and the thread's HandlerGate holds the window's timer ticks, so
// the one conversation with the device stays the only one. Where no event
// loop runs (the command-line tool, or once the application's loop has
// ended) the thread blocks instead.
namespace LinkWait {

// True when a wait on the calling thread turns its event loop.
bool EventLoopRuns();

// Waits until ready() holds or the deadline passes and returns ready(). Where
// no event loop runs, blockingWait(remainingMs) is called once instead (a
// blocking call such as QSerialPort::waitForReadyRead) and ready() asked after.
bool Until(const QDeadlineTimer &deadline, const std::function<bool()> &ready,
           const std::function<void(int remainingMs)> &blockingWait);

// The same wait for a link whose only way to wait is a short blocking call
// (a serial port read bounded by the port's own read time-outs): step is
// called again and again, each call blocking the thread for a moment at most
// (until bytes come or its time-out passes, never longer than remainingMs),
// until ready() holds or the deadline passes. Where the event loop runs it
// turns between two steps, so the window paints and timers fire; nothing
// spins, since every step sleeps in the system.
bool Stepping(const QDeadlineTimer &deadline, const std::function<bool()> &ready,
              const std::function<void(int remainingMs)> &step);

// Lets the time until the deadline pass: the event loop turns, or the thread sleeps.
void Pause(const QDeadlineTimer &deadline);

} // namespace LinkWait
