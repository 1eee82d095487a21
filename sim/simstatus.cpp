#include "simstatus.h"

#include "auxiliary/devicecharmap.h"

#include <QDir>

#include <algorithm>

namespace {

struct PictureFormat
{
    quint16 present;
    quint16 lines;
    quint8 progressive;
    quint8 frameRate;
    quint8 audioAc3;
};

// The pictures a source in front of the device goes through, one step per
// format period; service s starts s steps further on, so that the inputs of
// a multi-service device differ.
constexpr PictureFormat PictureCycle[] = {
    {1, 1080, 0, 50, 0},
    {1, 720, 1, 50, 0},
    {1, 1080, 1, 60, 1},
    {1, 576, 0, 50, 0},
    {0, 0, 0, 0, 0}, // the cable pulled
    {1, 480, 0, 60, 1},
};
constexpr int PictureCycleLength = int(std::size(PictureCycle));

// A file count of 255 tells the tool there is no storage (or no logo list).
constexpr quint8 NoFiles = 255;

void AppendLe16(QByteArray &out, quint16 value)
{
    out.append(char(value & 0xFF));
    out.append(char(value >> 8));
}

void AppendLe32(QByteArray &out, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xFF));
}

// The count and names of the files in a folder, in name order; a folder
// that is not given or does not exist (the stick pulled) is no storage.
void AppendFileList(QByteArray &out, const QString &folder)
{
    if (folder.isEmpty() || !QDir(folder).exists()) {
        out.append(char(NoFiles));
        return;
    }
    QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
    names = names.mid(0, NoFiles - 1);
    out.append(char(names.size()));
    for (const QString &name : std::as_const(names))
        EncodeDeviceText(name, out);
}

} // namespace

SimStatus::SimStatus(quint8 hardwareCode, quint8 versionByte)
    : m_profile(HardwareProfile::Of(hardwareCode, versionByte))
{
    m_sinceStart.start();
}

void SimStatus::setOptions(const SimStatusOptions &options)
{
    m_options = options;
    m_sinceStart.restart();
}

// The device has as many inputs and multiplexes as the tool expects of its hardware.
int SimStatus::serviceCount() const
{
    return m_profile.ServiceCount();
}

int SimStatus::muxCount() const
{
    return m_profile.MuxCount();
}

QByteArray SimStatus::reply(const QDateTime &clock, quint8 playerCommand) const
{
    QByteArray out;
    appendInputs(out, playerCommand);
    appendAutoMode(out, playerCommand);
    AppendFileList(out, m_options.mediaDir);

    AppendLe16(out, quint16(clock.date().year()));
    out.append(char(clock.date().month()));
    out.append(char(clock.date().day()));
    out.append(char(clock.time().hour()));
    out.append(char(clock.time().minute()));
    out.append(char(clock.time().second()));

    if (m_profile.StatusReply().HasLogoList)
        AppendFileList(out, m_options.logoDir);
    appendBitrates(out, clock);
    return out;
}

void SimStatus::appendInputs(QByteArray &out, quint8 playerCommand) const
{
    const qint64 step = qMax(0, m_options.firstFormat)
        + (m_options.formatPeriodS > 0 ? m_sinceStart.elapsed() / (1000LL * m_options.formatPeriodS) : 0);
    for (int s = 0; s < serviceCount(); ++s) {
        const PictureFormat &format = PictureCycle[(step + s) % PictureCycleLength];
        AppendLe16(out, format.present);
        AppendLe16(out, format.lines);
        out.append(char(format.progressive));
        out.append(char(format.frameRate));
        out.append(char(format.audioAc3));
        // The USB player feeds the first service: playing 2, recording 1.
        quint8 playerState = 0;
        if (s == 0 && playerCommand == 1)
            playerState = 2;
        else if (s == 0 && playerCommand == 2)
            playerState = 1;
        out.append(char(playerState));
    }
}

void SimStatus::appendAutoMode(QByteArray &out, quint8 playerCommand) const
{
    if (!m_profile.StatusReply().HasAutoMode)
        return;
    // A player started by hand shows "MP" (2) or "MR" (3); stopped, the
    // device is in the mode it was given.
    quint8 mode = m_options.autoMode;
    if (playerCommand == 1)
        mode = 2;
    else if (playerCommand == 2)
        mode = 3;
    out.append(char(mode));
}

void SimStatus::appendBitrates(QByteArray &out, const QDateTime &clock) const
{
    if (!m_profile.ReportsMuxBitrates())
        return;
    const int servicesPerMux = serviceCount() / muxCount();
    // A starting encoder does not know its multiplex bitrates yet.
    const bool settled = m_sinceStart.elapsed() >= 1000LL * m_options.bitrateSettleS;
    for (int j = 0; j < muxCount(); ++j) {
        const quint32 availableBps = !settled ? 0 : j == 0 ? 31668449 : 24128342;
        // A little wander with the seconds, as a real encoder's output has.
        const quint32 usedKbps = !settled ? 0 : quint32(servicesPerMux * 9192 + clock.time().second() % 10 * 15);
        AppendLe32(out, availableBps);
        AppendLe32(out, usedKbps);
    }
}
