#include "auxiliary/beep.h"

#include <cstdio>

namespace {

BeepSink &CurrentSink()
{
    static BeepSink sink = [](int, int) {
        std::fputc('\a', stderr);
        std::fflush(stderr);
    };
    return sink;
}

} // namespace

void Beep(int frequencyHz, int durationMs)
{
    if (CurrentSink())
        CurrentSink()(frequencyHz, durationMs);
}

BeepSink SetBeepSink(BeepSink sink)
{
    BeepSink previous = std::move(CurrentSink());
    CurrentSink() = std::move(sink);
    return previous;
}
