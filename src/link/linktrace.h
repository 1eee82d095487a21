#pragma once

#include <QByteArray>
#include <QLoggingCategory>

// The link's trace: frames sent and received in hex, attempts, time-outs,
// flushed input, refusals and lost links. Off by default; switched on with
// QT_LOGGING_RULES="rerudad.link.debug=true" or the CLI's --verbose, and
// written to stderr.
Q_DECLARE_LOGGING_CATEGORY(LinkTrace)

// Switches the trace on for the rest of the process.
void EnableLinkTrace();

// "02 10 10": bytes as the trace shows them.
QByteArray TraceHex(const QByteArray &bytes);
