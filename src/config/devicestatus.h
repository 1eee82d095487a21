#pragma once

#include "hardware/hardwareprofile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>

// The device's own clock as the status reply carries it.
struct DeviceDateTime
{
    quint16 Year = 0;
    quint8 Month = 0;
    quint8 Day = 0;
    quint8 Hour = 0;
    quint8 Minute = 0;
    quint8 Second = 0;

    bool operator==(const DeviceDateTime &) const = default;
};

// What the device reports when its status is polled. The settings panel
// keeps two: the latest poll and the values its pages were last told about.
struct DeviceStatus
{
    static constexpr int MaxInputs = 4;
    static constexpr int MaxMuxes = 4;
    // MediaFiles and LogoFiles hold at most this many names.
    static constexpr int MaxFileNames = 54;
    // Put into InputPresent of the inputs the pages have not been told about
    // yet: a value inputs do not report, so the next poll counts as a change.
    static constexpr quint16 UnreportedInput = 0x7777;

    std::array<quint32, MaxMuxes> MuxAvailableBps{}; // bit/s
    std::array<quint32, MaxMuxes> MuxUsedKbps{};     // kbit/s
    std::array<quint16, MaxInputs> InputPresent{};   // non-zero: a picture arrives
    std::array<quint16, MaxInputs> InputLines{};
    std::array<quint8, MaxInputs> InputProgressive{};
    std::array<quint8, MaxInputs> InputFrameRate{};
    std::array<quint8, MaxInputs> InputAudioAc3{};
    std::array<quint8, MaxInputs> InputPlayerState{}; // 1 recording, 2 playing
    quint8 StoragePresent = 0;
    QStringList MediaFiles;
    QString MediaFilesKey; // MediaFiles joined with "_": compared to see a new list
    quint8 AutoModeCode = 0;
    DeviceDateTime DeviceClock;
    QStringList LogoFiles;
    QString LogoFilesKey;

    bool operator==(const DeviceStatus &) const = default;
};

// Decodes a CMD_GET_STATUS reply on top of status: fields the reply leaves
// out (the clock, the logo list, the bitrates, the inputs of services the
// hardware does not have) keep the values status already holds, so that a
// short reply does not blank what an earlier poll reported. Media and logo
// names beyond MaxFileNames are passed over. A reply cut short inside a
// field cannot be decoded: the result is false and status is unchanged.
// The format is the linked hardware's (HardwareProfile::StatusReply).
bool DecodeStatusReply(QByteArrayView reply, const StatusReplyFormat &format, DeviceStatus &status);

// Which of the values shown on the pages differ between two polls.
struct StatusChanges
{
    bool Inputs = false;   // any of the six input fields of any of the four inputs
    bool MediaList = false;
    bool LogoList = false;
    bool AutoMode = false;
    bool Storage = false;

    bool any() const { return Inputs || MediaList || LogoList || AutoMode || Storage; }
};

// Compares the latest poll with what the pages were last told. When
// anything differs, copies the compared fields (the inputs, both file lists
// with their keys, the automatic mode and the storage flag) into last, so
// that the pages are told each change once. The file lists are compared
// name by name, not only by their keys: ["a_b"] and ["a", "b"] share a key.
// The clock and the bitrates are not compared; the pages read them from
// every poll.
StatusChanges ApplyStatusChanges(const DeviceStatus &polled, DeviceStatus &last);

// Marks the first serviceCount inputs of last as never reported, so that
// the first poll after linking refreshes the pages whatever it brings.
void MarkInputsUnreported(DeviceStatus &last, int serviceCount);

// The status as JSON: the arrays of four, the storage flag, both file lists
// and their keys, the automatic mode and the clock.
QJsonObject StatusToJson(const DeviceStatus &status);
QByteArray StatusToJsonDocument(const DeviceStatus &status);
