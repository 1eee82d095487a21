#pragma once

#include "faultplan.h"
#include "simfirmware.h"
#include "simstatus.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QObject>
#include <QStringList>

#include <optional>

// What the simulated device does with a request: the line bytes of its
// reply (none for silence), after how long, or drop the connection.
struct SimResponse
{
    enum class Action { Reply, Silence, Drop };
    Action action = Action::Reply;
    QByteArray lineBytes;
    int delayMs = 0;
};

struct SimIdentity
{
    quint8 code = 132;
    quint8 versionByte = 14;
    quint8 minor = 0;
};

// The device behind the links: it answers every request of the command set,
// keeps its state (configuration record, files, flash areas, clock, player)
// and writes one line per request to the request log.
// What the device does with a request the tool sends again because its
// answer was late or spoiled: answer it once more without carrying it out
// twice, stay silent (the first answer is the only one), or carry it out
// again like a new request (a file read then moves on).
enum class ResentRequests { Repeat, Ignore, Again };

class SimDevice
{
public:
    SimDevice(SimIdentity identity, FaultPlan faults);

    bool openRequestLog(const QString &path);
    // Serves this record, taken as it is, in place of the default one.
    void setConfigRecord(const QByteArray &record) { m_configRecord = record; }
    // Keeps the configuration record in folder across runs: a record kept
    // there before is served from now on, and every record written is kept.
    // False, with the reason, when the folder cannot be had or the record
    // kept in it could not be a device's.
    bool keepConfigIn(const QString &folder, QString *error);
    void setStatusOptions(const SimStatusOptions &options);
    // Firmware transfer faults, before the first transfer.
    void setFirmwareFaults(const SimFirmwareFaults &faults);
    // Puts a file on the device (replacing one of that path), such as a log.
    void setFile(const QString &path, const QByteArray &contents) { m_files.insert(path, contents); }
    // The configuration record as the device holds it (the last one written).
    const QByteArray &configRecord() const { return m_configRecord; }
    SimResponse handle(const QString &linkName, quint8 requestClass, const QByteArray &payload);
    // A device without power hears nothing and answers nothing.
    void setPowered(bool powered) { m_powered = powered; }
    bool powered() const { return m_powered; }
    // A frame whose check byte was wrong: the device ignores it, the log says so.
    void noteBadFrame(const QString &linkName, quint8 requestClass);
    // The reply to CMD_SNAPSHOT from now on, whatever its length, in place of
    // the drawn display.
    void setSnapshotPicture(const QByteArray &picture) { m_snapshotPicture = picture; }
    void setResentRequests(ResentRequests mode) { m_resentRequests = mode; }

    // What flash programming and the firmware transfer stored, for tests:
    // the device itself never reads them back.
    QByteArray flashArea(int block) const { return m_flashAreas.value(block); }
    // The last main and family images the device took whole.
    QByteArray firmwareImage() const { return m_firmware.mainImage(); }
    QByteArray familyImage() const { return m_firmware.familyImage(); }
    // What the device reports when it is identified.
    const SimIdentity &identity() const { return m_identity; }

private:
    // The request last carried out and its answer. Until a good reply has
    // reached the tool (never, when every reply went out with a wrong check;
    // later, when it was delayed), the same request again on the same link
    // is the tool's next attempt: it is answered as the first was, and not
    // carried out twice.
    struct LastRequest
    {
        QString linkName;
        quint8 requestClass = 0;
        QByteArray payload;
        std::optional<QByteArray> answer;
        qint64 goodReplyArrivesMs = 0;
    };
    bool isResent(const QString &linkName, quint8 requestClass, const QByteArray &payload) const;

    // The reply payload for a request, or nullopt for a refusal.
    std::optional<QByteArray> answer(quint8 requestClass, const QByteArray &payload);
    std::optional<QByteArray> answerFile(const QByteArray &payload);
    std::optional<QByteArray> answerFlash(const QByteArray &payload);
    std::optional<QByteArray> answerFirmware(const QByteArray &payload);
    std::optional<QByteArray> answerPanel(const QByteArray &payload);
    QByteArray identification() const;
    // Keeps a written record in the state folder, when there is one.
    bool keepConfig(const QByteArray &record) const;
    void reboot();
    QByteArray snapshot() const;
    QDateTime clock() const;
    void log(const QString &linkName, const QString &command, const QByteArray &payload, const char *outcome);

    SimIdentity m_identity;
    bool m_powered = true;
    FaultPlan m_faults;
    QElapsedTimer m_uptime;
    QFile m_log;
    int m_requestNumber = 0;
    std::optional<LastRequest> m_lastRequest;
    ResentRequests m_resentRequests = ResentRequests::Repeat;

    QByteArray m_configRecord;
    QString m_keptConfigPath;
    QMap<QString, QByteArray> m_files;
    QString m_openFile;
    qint64 m_readOffset = 0;
    bool m_writing = false;
    int m_flashBlock = -1;
    QByteArray m_flashData;
    QMap<int, QByteArray> m_flashAreas;
    SimFirmware m_firmware;
    QStringList m_shellCommands;
    std::optional<QByteArray> m_snapshotPicture;
    qint64 m_clockOffsetMs = 0;
    quint8 m_playerCommand = 3;
    SimStatusOptions m_statusOptions;
    SimStatus m_status;
};
