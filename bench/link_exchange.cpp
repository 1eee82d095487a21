// Prints what the device link costs against the simulated device:
//  (a) the median round trip of CMD_IDENTIFY over loopback TCP and over the
//      unthrottled pseudo-terminal;
//  (b) the CPU time spent per second of waiting for a reply that never comes;
//  (c) the throughput of 512-byte CMD_FLASH_DATA requests over the
//      pseudo-terminal throttled to 115200 baud, as a share of what the line
//      allows for this stop-and-wait protocol.

#include "devsimprocess.h"

#include "link/cxmit.h"
#include "link/linkframe.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

double CpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

bool Link(CXmit &xmit, const DevSimProcess &device, bool serial)
{
    if (serial)
        return xmit.OpenSerialPort(device.ptyPath());
    xmit.TcpPort = device.tcpPort();
    return xmit.ConnectTcp(QStringLiteral("127.0.0.1"));
}

void MedianRoundTrip(bool serial)
{
    DevSimProcess device;
    CXmit xmit;
    if (!device.start() || !Link(xmit, device, serial)) {
        std::printf("round trip: cannot start the simulated device\n");
        return;
    }
    std::vector<double> times;
    for (int i = 0; i < 2000; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!xmit.Send(CMD_IDENTIFY))
            break;
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("(a) CMD_IDENTIFY median round trip over %s: %.3f ms (%zu exchanges, target < 1 ms on TCP)\n",
                serial ? "pseudo-terminal" : "TCP", times.empty() ? -1.0 : times[times.size() / 2], times.size());
}

void WaitingCost(bool serial)
{
    DevSimProcess device;
    CXmit xmit;
    if (!device.start({.extraArguments = {QStringLiteral("--fault"), QStringLiteral("all:silence")}})
        || !Link(xmit, device, serial)) {
        std::printf("waiting: cannot start the simulated device\n");
        return;
    }
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = CpuMs();
    xmit.SendRequest(0x40, {}, 200); // two attempts of 1 s each
    const double cpu = CpuMs() - cpuBefore;
    const double seconds = double(wall.elapsed()) / 1000.0;
    std::printf("(b) CPU while waiting over %s: %.2f ms per second of waiting (%.2f s waited, target < 10 ms)\n",
                serial ? "pseudo-terminal" : "TCP", cpu / seconds, seconds);
}

void FlashThroughput()
{
    DevSimProcess device;
    CXmit xmit;
    if (!device.start({.baud = 115200}) || !Link(xmit, device, true)) {
        std::printf("throughput: cannot start the simulated device\n");
        return;
    }
    const QByteArray chunk(512, 'F');
    const int requests = 60;
    const qsizetype requestBytes = FrameEncoder::encode(CMD_FLASH_DATA.requestClass, QByteArray(1, 5) + chunk).size();
    const qsizetype replyBytes = FrameEncoder::encode(REPLY_OK, {}).size();
    const double lineMs = double(requestBytes + replyBytes) * 10.0 / 115.2;

    xmit.Send(CMD_FLASH_BEGIN, QByteArray::fromHex("0100"));
    QElapsedTimer timer;
    timer.start();
    int done = 0;
    while (done < requests && xmit.Send(CMD_FLASH_DATA, chunk))
        ++done;
    const double elapsedMs = double(timer.nsecsElapsed()) / 1e6;
    const double idealMs = lineMs * done;
    std::printf("(c) CMD_FLASH_DATA 512 bytes at 115200 baud: %d requests in %.0f ms, line allows %.0f ms: "
                "%.1f %% of the line rate (%.0f payload bytes/s, target >= 90 %%)\n",
                done, elapsedMs, idealMs, 100.0 * idealMs / elapsedMs, 512.0 * done / (elapsedMs / 1000.0));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    MedianRoundTrip(false);
    MedianRoundTrip(true);
    WaitingCost(false);
    WaitingCost(true);
    FlashThroughput();
    return 0;
}
