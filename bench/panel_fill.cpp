// Prints what showing the configuration on the settings panel costs, with
// the simulated device in this process (offscreen platform):
//  (a) from the configuration reply to the filled panel: decoding the
//      record, building the pages (once per panel) and showing and filling
//      the MULTIPLEX page, painted once; target under 50 ms;
//  (b) one tab switch, page or multiplex or service tab, painted; target
//      under 16 ms (one frame).
// Medians over repeated runs, on a one-service code and on code 176 (two
// multiplexes, four services).

#include "inprocessdevice.h"

#include "app/sidefiles.h"
#include "config/configcodec.h"
#include "link/cxmit.h"
#include "panel/gui/csetting.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times.empty() ? -1.0 : times[times.size() / 2];
}

double TimeMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

void PanelOf(int code, int versionByte)
{
    InProcessDevice device({.code = code, .versionByte = versionByte});
    CXmit xmit;
    device.plugInto(xmit);
    xmit.ListSerialPorts = [&] { return QStringList{device.portPath()}; };
    if (xmit.ConnectDevice() == 0 || !xmit.Send(CMD_READ_CONFIG)) {
        std::printf("code %d: the simulated device did not answer\n", code);
        return;
    }
    const QByteArray reply = xmit.ReplyPayload.left(xmit.ReplyLength);
    StartupValues startup;
    const ChannelList channels;

    constexpr int Runs = 30;
    std::vector<double> decode, build, fill, total, pageSwitch, muxSwitch, serviceSwitch;
    for (int run = 0; run < Runs; ++run) {
        CSetting panel(xmit, startup, channels);
        ConfigModel &model = panel.model();
        model.ApplyHardwareLimits(xmit.Identity.Profile());
        const double decodeMs = TimeMs([&] { DecodeConfigBlock(reply, xmit.Identity, model); });
        const double buildMs = TimeMs([&] { panel.BuildPanel(); });
        // The page is filled as activation fills it: the panel told the
        // linked hardware, then switched to its first page and painted.
        if (!panel.ActivatePanel()) {
            std::printf("code %d: activation failed\n", code);
            return;
        }
        // Shown: let the window system expose it, so that a repaint paints.
        QApplication::processEvents();
        panel.CurrentPage = -1;
        const double fillMs = TimeMs([&] {
            panel.SwitchPage(CSetting::MultiplexPage);
            panel.repaint();
        });
        decode.push_back(decodeMs);
        build.push_back(buildMs);
        fill.push_back(fillMs);
        total.push_back(decodeMs + buildMs + fillMs);

        for (int i = 0; i < 10; ++i) {
            pageSwitch.push_back(TimeMs([&] {
                panel.SwitchPage(i % 2 == 0 ? CSetting::ServicePage : CSetting::MultiplexPage);
                panel.repaint();
            }));
        }
        panel.SwitchPage(CSetting::MultiplexPage);
        for (int i = 0; i < 10; ++i) {
            muxSwitch.push_back(TimeMs([&] {
                panel.CurrentMux = (panel.CurrentMux + 1) % model.UsedMuxes();
                panel.SwitchPage(panel.CurrentPage);
                panel.repaint();
            }));
        }
        panel.SwitchPage(CSetting::ServicePage);
        for (int i = 0; i < 10; ++i) {
            serviceSwitch.push_back(TimeMs([&] {
                panel.CurrentService = (panel.CurrentService + 1) % model.UsedServices();
                panel.SwitchPage(panel.CurrentPage);
                panel.repaint();
            }));
        }
        panel.DeactivatePanel(true);
    }
    std::printf("(a) code %d: configuration reply to filled panel %.2f ms (decode %.3f, build %.2f, show and fill "
                "with paint %.2f; first of %d runs %.2f; target < 50 ms)\n",
                code, Median(total), Median(decode), Median(build), Median(fill), Runs, total.front());
    std::printf("(b) code %d: one tab switch with paint: page %.2f ms, multiplex %.2f ms, service %.2f ms "
                "(target < 16 ms)\n",
                code, Median(pageSwitch), Median(muxSwitch), Median(serviceSwitch));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PanelOf(131, 9);
    PanelOf(176, 15);
    return 0;
}
