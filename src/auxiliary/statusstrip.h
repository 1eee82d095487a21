#pragma once

#include <QString>

// What the device link, the supervisor, the firmware upgrade and the log
// download tell the user through the status strip at the bottom of the main
// window. The strip window implements it; tests and the CLI bring their own.
class StatusStrip
{
public:
    virtual ~StatusStrip() = default;

    // Shows the text for durationMs; the latest call decides when the line
    // clears. With wait, the text is painted first and the caller then waits
    // durationMs (the window keeps painting meanwhile).
    virtual void ShowStatus(const QString &text, bool wait, int durationMs) = 0;
    // Range 0 hides the progress bar.
    virtual void SetProgress(int position, int range) = 0;
    // Lights the send lamp for 100 ms and, for writing requests, the write
    // lamp for 200 ms.
    virtual void ShowLinkActivity(bool write) = 0;
};
