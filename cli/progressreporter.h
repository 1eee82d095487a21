#pragma once

#include "clicommand.h"

#include "auxiliary/statusstrip.h"

#include <functional>

// The status strip of the command line: what a long transfer (the log
// download, the firmware upgrade) tells through StatusStrip goes to stderr,
// each line starting with the command and the device. On a terminal one
// line keeps updating with the last status text, the percentage, the bytes
// and the rate; otherwise the status texts and each tenth of the progress
// are plain lines; with --quiet nothing is printed. A command takes --quiet
// in its row of the command table and hands one of these to the operation.
class ProgressReporter : public StatusStrip
{
public:
    enum class Style { Quiet, Lines, UpdatingLine };
    struct Clock
    {
        std::function<qint64()> nowMs;
        std::function<void(int ms)> sleep;
    };

    // The style from --quiet and from whether stderr is a terminal; the
    // system's clock.
    explicit ProgressReporter(CliContext &context);
    ProgressReporter(CliContext &context, Style style, Clock clock);
    // Ends the updating line, keeping its last state on the screen.
    ~ProgressReporter() override;

    // The text becomes the label of the progress that follows. A wait is
    // kept in every style: callers rely on it (the device reboots meanwhile).
    void ShowStatus(const QString &text, bool wait, int durationMs) override;
    // Positions and ranges count bytes. Range 0 ends the progress line.
    void SetProgress(int position, int range) override;
    void ShowLinkActivity(bool) override {}

private:
    // "Downloading file 1/2... 37% 2048/5400 bytes 1.2 MB/s"
    QString progressText(qint64 nowMs) const;

    CliContext &m_context;
    Style m_style;
    Clock m_clock;
    QString m_label;
    int m_position = 0;
    int m_range = 0;
    qint64 m_startMs = 0;     // when the transfer shown started
    qint64 m_lastEventMs = 0; // the last status text or progress step
    int m_tenthShown = -1;    // Lines: the last tenth of the progress printed
};
