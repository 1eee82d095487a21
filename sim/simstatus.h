#pragma once

#include "hardware/hardwareprofile.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QString>

// Where the simulated device's status comes from, as given on its command line.
struct SimStatusOptions
{
    QString mediaDir;       // the USB storage: its file names; none when empty or missing
    QString logoDir;        // the logo files on that storage, on code 192 from version 15
    int formatPeriodS = 0;  // the input pictures change format this often; 0 never
    int firstFormat = 0;    // the step of the picture cycle the first input starts at (4: no picture)
    quint8 autoMode = 0;    // automatic player mode while the player is stopped
    int bitrateSettleS = 0; // the encoder reports no multiplex bitrate (0 available) this long
};

// The device's answer to CMD_GET_STATUS, laid out for its hardware code and
// firmware version: every service input with its picture format, the
// automatic mode, the media files, the clock, the logo files and the
// multiplex bitrates.
class SimStatus
{
public:
    SimStatus(quint8 hardwareCode, quint8 versionByte);

    void setOptions(const SimStatusOptions &options);
    // playerCommand is the last CMD_MEDIA_CONTROL: 1 play, 2 record, 3 stop.
    QByteArray reply(const QDateTime &clock, quint8 playerCommand) const;

    int serviceCount() const;
    int muxCount() const;

private:
    void appendInputs(QByteArray &out, quint8 playerCommand) const;
    void appendAutoMode(QByteArray &out, quint8 playerCommand) const;
    void appendBitrates(QByteArray &out, const QDateTime &clock) const;

    HardwareProfile m_profile;
    SimStatusOptions m_options;
    QElapsedTimer m_sinceStart;
};
