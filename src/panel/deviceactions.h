#pragma once

#include "auxiliary/clocksetting.h"
#include "link/commands.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

class CXmit;

// The service actions of the settings panel, without windows: the buttons of
// the MANUFACTURER and MISC. pages and the CLI's commands run these. SET
// FACTORY DEFAULT is RequestFactoryDefault (config/factorydefault.h), and
// "Firm. Reload" only asks the connection supervisor for a reload.

// --- Clock Set
// The clock Clock Set sends for the computer's local time; when no local
// time can be had, year, month and day 0 and 0xFF for hour, minute and
// second.
ClockFields ComputerClock(const QDateTime &localTime);
// Sends the computer's local time (SendDeviceClock).
bool SetClockFromComputer(CXmit &xmit);

// --- Reset
// CMD_REBOOT, then a serial link is closed (the device drops off the USB
// while it reboots; the supervisor links it again). A TCP link stays open.
bool ResetDevice(CXmit &xmit);

// --- Snapshot
// The device's display: 128 x 64 pixels in 8 pages of 128 bytes; byte k is
// column k mod 128 of page k div 128, its bit b the pixel of line
// 8 x page + b (line 0 at the top), a set bit a lit pixel; SnapshotPictureSize bytes.
// The bitmap file: file header, 40-byte information header, two-colour
// palette (black, white), 64 rows of 16 bytes stored bottom row first.
inline constexpr int SnapshotFileSize = 1086;

// CMD_SNAPSHOT: the display picture, or nothing when the device refused,
// did not answer or sent fewer than SnapshotPictureSize bytes.
std::optional<QByteArray> RequestSnapshot(CXmit &xmit);
// The bitmap file of a display picture (SnapshotPictureSize bytes), upright,
// lit pixels white.
QByteArray SnapshotBitmap(const QByteArray &picture);
// The chosen path, with ".bmp" appended unless it ends in ".bmp" (any case).
QString SnapshotFilePath(const QString &chosen);
// Writes the bitmap of the picture; an earlier file of that name is replaced
// only by a complete one. False when it cannot be written.
bool WriteSnapshotFile(const QString &path, const QByteArray &picture);
// The Snapshot button: asks the device for its picture, then for a file
// ("SAVE", "Bitmap." *.bmp) and writes it there. A picture the device did
// not send, or a file that cannot be written, is told by the 440 Hz beep.
void TakeSnapshot(CXmit &xmit);

// --- EDID repair
// CMD_EDID_REPAIR at once (it may take the device up to 25 s per attempt).
bool RepairEdidNow(CXmit &xmit);
// The two questions in the current language, OK and Cancel with Cancel the
// default; true only when both were answered OK.
bool ConfirmEdidRepair();
// The EDID repair button: in manufacturer mode the repair is sent at once
// and nothing is asked; otherwise, once the user confirmed twice, edidPending
// is set and the connection supervisor runs the repair.
void RequestEdidRepair(CXmit &xmit, bool manufacturerMode, bool &edidPending);
