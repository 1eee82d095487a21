#pragma once

#include <functional>

// The tool's audible signals: 800 Hz for 500 ms when a configuration read
// fails, 800 Hz for 200 ms for refused schedule input, 440 Hz for 250 ms for
// a file that cannot be written or read. The desktop tool sounds the system
// bell; tests replace the sink to observe the signals.
using BeepSink = std::function<void(int frequencyHz, int durationMs)>;

void Beep(int frequencyHz, int durationMs);
// Replaces where beeps go; returns the previous sink.
BeepSink SetBeepSink(BeepSink sink);

// Sends beeps to a sink for as long as it lives and puts the previous sink
// back however its scope is left (a failed test assertion returns early), so
// that no beep reaches a sink whose owner is gone.
class ScopedBeepSink
{
public:
    explicit ScopedBeepSink(BeepSink sink) : m_previous(SetBeepSink(std::move(sink))) {}
    ~ScopedBeepSink() { SetBeepSink(std::move(m_previous)); }
    ScopedBeepSink(const ScopedBeepSink &) = delete;
    ScopedBeepSink &operator=(const ScopedBeepSink &) = delete;

private:
    BeepSink m_previous;
};
