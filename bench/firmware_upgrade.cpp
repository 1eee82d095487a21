// Prints what a firmware upgrade costs against the simulated device:
//  (a) a 1 MiB image over the pseudo-terminal throttled to 115200 baud, as a
//      share of what the line allows for the stop-and-wait exchange of the
//      same requests and replies, in the 512-byte flash form (code 132) and
//      the 2048-byte data block form (code 121);
//  (b) the same images over loopback TCP;
//  (c) the search of a firmware folder of 200 files, the MD5 of a 16 MiB
//      image and the whole FindFirmwareFile of it.

#include "devsimprocess.h"
#include "firmwarefiles.h"

#include "app/firmwarefile.h"
#include "app/firmwareupgrade.h"
#include "auxiliary/statusstrip.h"
#include "link/commands.h"
#include "link/cxmit.h"
#include "link/linkframe.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int Baud = 115200;
constexpr int MiB = 1024 * 1024;

struct SilentStrip : StatusStrip
{
    void ShowStatus(const QString &, bool, int) override {}
    void SetProgress(int, int) override {}
    void ShowLinkActivity(bool) override {}
};

struct NoView : FirmwareUpgradeView
{
    void ShowWarningImage(bool) override {}
    void EnableMainWindow(bool) override {}
};

// Bytes as a real image has them (0x02, which the line doubles, about once
// in 256), tagged with its version for the simulated device.
QByteArray BenchImage(int size, int version)
{
    QByteArray image(size, Qt::Uninitialized);
    QRandomGenerator random(42);
    random.fillRange(reinterpret_cast<quint32 *>(image.data()), size / 4);
    image.replace(100, 16, QByteArray("DEVSIM-FIRMWARE") + char(version));
    return image;
}

// The time the line needs for the requests the device logged from
// firstRequest on and their replies, one after the other.
double LineMs(const QStringList &log, int firstRequest)
{
    qint64 bytes = 0;
    for (qsizetype i = firstRequest; i < log.size(); ++i) {
        const QString name = log[i].section(QLatin1Char(' '), 3, 3);
        const QString hex = log[i].section(QLatin1Char(' '), 4, 4);
        const QByteArray payload = hex == QLatin1String("-") ? QByteArray() : QByteArray::fromHex(hex.toLatin1());
        quint8 requestClass = 0;
        for (const DeviceCommand &command : AllDeviceCommands) {
            if (name == QLatin1String(command.name))
                requestClass = command.requestClass;
        }
        bytes += FrameEncoder::encode(requestClass, payload).size() + FrameEncoder::encode(REPLY_OK, {}).size();
    }
    return double(bytes) * 10.0 * 1000.0 / Baud;
}

void Upgrade(int code, int versionByte, const QString &label, bool serial)
{
    QTemporaryDir folder;
    WriteFirmwareFile(folder.path(), label, versionByte + 1, BenchImage(MiB, versionByte + 1));
    DevSimProcess device;
    CXmit xmit;
    if (!device.start({.code = code, .versionByte = versionByte, .baud = serial ? Baud : 0})) {
        std::printf("upgrade: cannot start the simulated device\n");
        return;
    }
    xmit.TcpPort = device.tcpPort();
    const bool linked = serial ? xmit.OpenSerialPort(device.ptyPath()) : xmit.ConnectTcp(QStringLiteral("127.0.0.1"));
    if (!linked || !xmit.ProbeDevice()) {
        std::printf("upgrade: cannot link the simulated device\n");
        return;
    }
    const int requestsBefore = int(device.requestLog().size());
    SilentStrip strip;
    NoView view;
    FirmwareUpgrade upgrade(xmit, strip, view, folder.path());
    bool forceReload = false;
    int countdown = 0;
    QElapsedTimer timer;
    timer.start();
    upgrade.FirmwareCheck(forceReload, countdown);
    const double elapsedMs = double(timer.nsecsElapsed()) / 1e6;
    const QStringList log = device.requestLog();
    const char *form = code == 121 ? "2048-byte data blocks (code 121)" : "512-byte flash data (code 132)";
    if (!upgrade.report().Rebooted) {
        std::printf("upgrade in %s: failed\n", form);
        return;
    }
    if (serial) {
        const double lineMs = LineMs(log, requestsBefore);
        std::printf("(a) 1 MiB in %s over the pseudo-terminal at %d baud: %.1f s, line allows %.1f s: "
                    "%.1f %% of the stop-and-wait line rate (%lld requests, target >= 97 %%)\n",
                    form, Baud, elapsedMs / 1000.0, lineMs / 1000.0, 100.0 * lineMs / elapsedMs,
                    qlonglong(log.size() - requestsBefore));
    } else {
        std::printf("(b) 1 MiB in %s over loopback TCP: %.2f s (%lld requests, target < 2 s)\n", form,
                    elapsedMs / 1000.0, qlonglong(log.size() - requestsBefore));
    }
}

void FolderSearch()
{
    QTemporaryDir folder;
    const char *labels[] = {"DUNASA", "GUBUSO", "KUDARO", "POKAFA", "NONODO", "LENADU", "LUBAGU", "TOBEDE"};
    for (int i = 0; i < 199; ++i) {
        const QByteArray small = BenchImage(1024 + 16 * i, i % 90 + 1);
        WriteFirmwareFile(folder.path(), QString::fromLatin1(labels[i % 8]), i % 90 + 1, small);
    }
    const QByteArray big = BenchImage(16 * MiB, 95);
    const QString bigPath = WriteFirmwareFile(folder.path(), QStringLiteral("FETEBO"), 95, big);

    QElapsedTimer timer;
    timer.start();
    const FirmwareCandidate chosen =
        ChooseFirmwareFile(ListFirmwareFiles(folder.path()).Paths, QStringLiteral("FETEBO"), {});
    const double searchMs = double(timer.nsecsElapsed()) / 1e6;

    timer.restart();
    const QString digest = FileMd5(bigPath);
    const double hashMs = double(timer.nsecsElapsed()) / 1e6;

    SilentStrip strip;
    timer.restart();
    const FirmwareImage image = FindFirmwareFile(folder.path(), QStringLiteral("FETEBO"), {}, strip);
    const double findMs = double(timer.nsecsElapsed()) / 1e6;

    std::printf("(c) folder of 200 files: listing and choice %.2f ms (chose version %d, target < 100 ms); "
                "FileMd5 of 16 MiB %.1f ms = %.0f MB/s (file in the page cache, %s); "
                "FindFirmwareFile (list, read, hash) %.1f ms (%s)\n",
                searchMs, chosen.Version, hashMs, 16.0 * MiB / 1e6 / (hashMs / 1000.0),
                digest == ReferenceMd5(big) ? "digest right" : "DIGEST WRONG", findMs,
                image.Version == 95 ? "image read" : "IMAGE NOT READ");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    FolderSearch();
    Upgrade(132, 14, QStringLiteral("DUNASA"), false);
    Upgrade(121, 23, QStringLiteral("LENADU"), false);
    Upgrade(132, 14, QStringLiteral("DUNASA"), true);
    Upgrade(121, 23, QStringLiteral("LENADU"), true);
    return 0;
}
