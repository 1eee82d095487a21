// rerudad-devsim: a simulated encoder-modulator for tests, demos and
// benchmarks. It answers the device protocol over TCP on loopback and over a
// pseudo-terminal that stands in for the USB serial port.

#include "announcer.h"
#include "faultplan.h"
#include "ptylink.h"
#include "simdevice.h"
#include "tcplink.h"

#include "config/configcodec.h"
#include "link/deviceidentity.h"
#include "manual/documentedparser.h"

#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int SignalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    if (::write(SignalPipe[1], &byte, 1) < 0)
        return;
}

// SIGTERM and SIGINT end the event loop, so that the links close and the
// symlink is removed.
void StopOnSignals(QCoreApplication &app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, SignalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] { app.quit(); });
    struct sigaction action{};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

int Fail(const QString &message)
{
    QTextStream(stderr) << "rerudad-devsim: " << message << "\n";
    return 2;
}

// A record file to serve: any bytes, also ones the tool refuses, as long as
// a device could hold them.
bool ReadRecordFile(const QString &path, QByteArray &record, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read the record %1: %2").arg(path, file.errorString());
        return false;
    }
    record = file.read(ConfigBlockCapacity + 1);
    if (record.isEmpty() || record.size() > ConfigBlockCapacity) {
        error = QStringLiteral("the record %1 must hold 1 to %2 bytes").arg(path).arg(ConfigBlockCapacity);
        return false;
    }
    return true;
}

// "/logFile.0=FILE": a device path and the local file that holds its bytes.
bool ReadDeviceFileOption(const QString &option, QString &path, QByteArray &contents, QString &error)
{
    const qsizetype equals = option.indexOf(QLatin1Char('='));
    path = option.left(equals);
    if (equals < 1 || !path.startsWith(QLatin1Char('/'))) {
        error = QStringLiteral("--device-file takes PATH=FILE with a device path such as /logFile");
        return false;
    }
    QFile file(option.mid(equals + 1));
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    contents = file.readAll();
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rerudad-devsim"));

    DocumentedCommandLineParser parser; // also writes the manual page and the completion
    parser.setApplicationDescription(QStringLiteral("Simulated encoder-modulator on loopback TCP and a pseudo-terminal."));
    parser.addHelpOption();
    const QCommandLineOption codeOption(QStringLiteral("code"), QStringLiteral("Hardware code (default 132)."), QStringLiteral("N"), QStringLiteral("132"));
    const QCommandLineOption versionOption(QStringLiteral("version"), QStringLiteral("Firmware version byte (default 14)."), QStringLiteral("V"), QStringLiteral("14"));
    const QCommandLineOption minorOption(QStringLiteral("minor"), QStringLiteral("Firmware minor (default 0)."), QStringLiteral("M"), QStringLiteral("0"));
    const QCommandLineOption addressOption(QStringLiteral("address"), QStringLiteral("TCP listen address (default 127.0.0.1)."), QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("TCP port (default 6666, 0 picks a free one)."), QStringLiteral("PORT"), QStringLiteral("6666"));
    const QCommandLineOption noTcpOption(QStringLiteral("no-tcp"), QStringLiteral("No TCP server."));
    const QCommandLineOption ptyOption(QStringLiteral("pty"), QStringLiteral("Symlink to the pseudo-terminal's serial side."), QStringLiteral("PATH"));
    const QCommandLineOption baudOption(QStringLiteral("baud"), QStringLiteral("Line rate of the pseudo-terminal (default 115200, 0 unthrottled)."), QStringLiteral("RATE"), QStringLiteral("115200"));
    const QCommandLineOption noiseOption(QStringLiteral("trailing-noise"), QStringLiteral("Send stray bytes (never a frame) 50 ms after each serial reply."));
    const QCommandLineOption recordOption(QStringLiteral("record"), QStringLiteral("Serve this file, as it is, as the configuration record (1 to 1024 bytes)."), QStringLiteral("FILE"));
    const QCommandLineOption stateOption(QStringLiteral("state"), QStringLiteral("Folder where the device keeps its configuration record across runs."), QStringLiteral("DIR"));
    const QCommandLineOption logOption(QStringLiteral("log"), QStringLiteral("Request log file, one line per request."), QStringLiteral("FILE"));
    const QCommandLineOption faultOption(QStringLiteral("fault"), QStringLiteral("Fault rule TARGET:KIND[:MS][:PROBABILITY]; TARGET is all, 0xNN or a CMD_ name; KIND is silence, refuse, badcheck, delay, drop or short."), QStringLiteral("RULE"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Seed of random faults (default 1)."), QStringLiteral("N"), QStringLiteral("1"));
    parser.addOptions({codeOption, versionOption, minorOption, addressOption, portOption, noTcpOption, ptyOption,
                       baudOption, noiseOption, recordOption, stateOption, logOption, faultOption, seedOption});
    const QCommandLineOption announceInterfaceOption(QStringLiteral("announce-interface"), QStringLiteral("Announce the device for discovery on this interface (name or address)."), QStringLiteral("NAME"));
    const QCommandLineOption announceIntervalOption(QStringLiteral("announce-interval"), QStringLiteral("Milliseconds between announcements (default 1000)."), QStringLiteral("MS"), QStringLiteral("1000"));
    const QCommandLineOption announceIdOption(QStringLiteral("announce-id"), QStringLiteral("Device identifier announced (default DEVSIM<code>)."), QStringLiteral("ID"));
    parser.addOptions({announceInterfaceOption, announceIntervalOption, announceIdOption});
    const QCommandLineOption mediaDirOption(QStringLiteral("media-dir"), QStringLiteral("Folder whose files are the media files on the USB storage; without it the device has no storage."), QStringLiteral("DIR"));
    const QCommandLineOption logoDirOption(QStringLiteral("logo-dir"), QStringLiteral("Folder whose files are the logo files (code 192 from version 15)."), QStringLiteral("DIR"));
    const QCommandLineOption formatPeriodOption(QStringLiteral("format-period"), QStringLiteral("Seconds between changes of the input picture format (default 0, never)."), QStringLiteral("S"), QStringLiteral("0"));
    const QCommandLineOption autoModeOption(QStringLiteral("auto-mode"), QStringLiteral("Automatic player mode 0 to 5 while the player is stopped (default 0)."), QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption snapshotOption(QStringLiteral("snapshot"), QStringLiteral("File whose bytes answer CMD_SNAPSHOT (the display picture, 1024 bytes; shorter for a device that answers short)."), QStringLiteral("FILE"));
    parser.addOptions({mediaDirOption, logoDirOption, formatPeriodOption, autoModeOption, snapshotOption});
    const QCommandLineOption deviceFileOption(QStringLiteral("device-file"), QStringLiteral("Serve the local FILE as the device file PATH, such as /logFile.0 (repeatable)."), QStringLiteral("PATH=FILE"));
    parser.addOption(deviceFileOption);
    const QCommandLineOption failChunkOption(QStringLiteral("fail-firmware-chunk"), QStringLiteral("Refuse the N-th data request of the firmware transfers, once (header and checksum chunks count)."), QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption failEndOption(QStringLiteral("fail-firmware-end"), QStringLiteral("Refuse the end request of the first main firmware transfer, once."));
    parser.addOptions({failChunkOption, failEndOption});
    const QCommandLineOption resentOption(QStringLiteral("resent"), QStringLiteral("A request sent again after a late or spoiled answer: repeat (answer it again, default), ignore (no second answer) or again (carry it out once more)."), QStringLiteral("MODE"), QStringLiteral("repeat"));
    parser.addOption(resentOption);
    parser.process(app);

    bool ok = true;
    SimIdentity identity;
    const int code = parser.value(codeOption).toInt(&ok);
    if (!ok || code < 0 || code > 255)
        return Fail(QStringLiteral("--code takes 0 to 255"));
    identity.code = quint8(code);
    const int version = parser.value(versionOption).toInt(&ok);
    if (!ok || version < 0 || version > 255)
        return Fail(QStringLiteral("--version takes 0 to 255"));
    identity.versionByte = quint8(version);
    const int minor = parser.value(minorOption).toInt(&ok);
    if (!ok || minor < 0 || minor > 255)
        return Fail(QStringLiteral("--minor takes 0 to 255"));
    identity.minor = quint8(minor);

    FaultPlan faults;
    faults.setSeed(parser.value(seedOption).toUInt());
    for (const QString &rule : parser.values(faultOption)) {
        QString error;
        if (!faults.addRule(rule, &error))
            return Fail(error);
    }

    SimStatusOptions statusOptions;
    statusOptions.mediaDir = parser.value(mediaDirOption);
    statusOptions.logoDir = parser.value(logoDirOption);
    statusOptions.formatPeriodS = parser.value(formatPeriodOption).toInt(&ok);
    if (!ok || statusOptions.formatPeriodS < 0)
        return Fail(QStringLiteral("--format-period takes whole seconds"));
    const int autoMode = parser.value(autoModeOption).toInt(&ok);
    if (!ok || autoMode < 0 || autoMode > 5)
        return Fail(QStringLiteral("--auto-mode takes 0 to 5"));
    statusOptions.autoMode = quint8(autoMode);

    SimFirmwareFaults firmwareFaults;
    firmwareFaults.failChunk = parser.value(failChunkOption).toInt(&ok);
    if (!ok || firmwareFaults.failChunk < 0)
        return Fail(QStringLiteral("--fail-firmware-chunk takes a request number from 1"));
    firmwareFaults.failEnd = parser.isSet(failEndOption);

    const QMap<QString, ResentRequests> resentModes{{QStringLiteral("repeat"), ResentRequests::Repeat},
                                                    {QStringLiteral("ignore"), ResentRequests::Ignore},
                                                    {QStringLiteral("again"), ResentRequests::Again}};
    if (!resentModes.contains(parser.value(resentOption)))
        return Fail(QStringLiteral("--resent takes repeat, ignore or again"));

    SimDevice device(identity, std::move(faults));
    device.setStatusOptions(statusOptions);
    device.setFirmwareFaults(firmwareFaults);
    device.setResentRequests(resentModes.value(parser.value(resentOption)));
    if (parser.isSet(stateOption)) {
        QString error;
        if (!device.keepConfigIn(parser.value(stateOption), &error))
            return Fail(error);
    }
    if (parser.isSet(recordOption)) {
        QByteArray record;
        QString error;
        if (!ReadRecordFile(parser.value(recordOption), record, error))
            return Fail(error);
        device.setConfigRecord(record);
    }
    for (const QString &deviceFile : parser.values(deviceFileOption)) {
        QByteArray contents;
        QString path;
        QString error;
        if (!ReadDeviceFileOption(deviceFile, path, contents, error))
            return Fail(error);
        device.setFile(path, contents);
    }
    if (parser.isSet(snapshotOption)) {
        QFile picture(parser.value(snapshotOption));
        if (!picture.open(QIODevice::ReadOnly))
            return Fail(QStringLiteral("cannot read the snapshot %1").arg(picture.fileName()));
        device.setSnapshotPicture(picture.read(4096));
    }
    if (parser.isSet(logOption) && !device.openRequestLog(parser.value(logOption)))
        return Fail(QStringLiteral("cannot write the log %1").arg(parser.value(logOption)));

    QTextStream out(stdout);
    QString ready = QStringLiteral("devsim ready code=%1").arg(identity.code);

    TcpLink tcp(device);
    if (!parser.isSet(noTcpOption)) {
        const QHostAddress address(parser.value(addressOption));
        const int port = parser.value(portOption).toInt(&ok);
        if (address.isNull() || !ok || port < 0 || port > 65535)
            return Fail(QStringLiteral("bad --address or --port"));
        if (!tcp.listen(address, quint16(port)))
            return Fail(QStringLiteral("cannot listen on %1:%2").arg(address.toString()).arg(port));
        ready += QStringLiteral(" tcp=%1:%2").arg(address.toString()).arg(tcp.port());
    }

    Announcer announcer;
    if (parser.isSet(announceInterfaceOption)) {
        if (parser.isSet(noTcpOption))
            return Fail(QStringLiteral("announcing needs the TCP server"));
        const int interval = parser.value(announceIntervalOption).toInt(&ok);
        if (!ok)
            return Fail(QStringLiteral("--announce-interval takes milliseconds"));
        const QString id = parser.isSet(announceIdOption) ? parser.value(announceIdOption) : QStringLiteral("DEVSIM%1").arg(identity.code);
        QString error;
        if (!announcer.start(parser.value(announceInterfaceOption), interval, id, QHostAddress(parser.value(addressOption)), &error))
            return Fail(error);
        ready += QStringLiteral(" announce=%1").arg(QString::fromLatin1(announcer.announcement()));
    }

    PtyLink pty(device);
    if (parser.isSet(ptyOption)) {
        const int baud = parser.value(baudOption).toInt(&ok);
        if (!ok || baud < 0)
            return Fail(QStringLiteral("--baud takes a rate or 0"));
        QString error;
        if (!pty.open(parser.value(ptyOption), baud, &error))
            return Fail(error);
        pty.setTrailingNoise(parser.isSet(noiseOption));
        ready += QStringLiteral(" pty=%1").arg(parser.value(ptyOption));
    }

    StopOnSignals(app);
    out << ready << Qt::endl;
    return app.exec();
}
