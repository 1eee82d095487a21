#pragma once

#include "inprocessdevice.h"

#include "app/gui/cdiduvifacedlg.h"
#include "app/sidefiles.h"
#include "link/cxmit.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class CSetting;

// The real main window in a temporary program folder, searching only the
// serial ports a test gives it: a simulated device in the test's process
// (fast, time-outs shrunk), or in the tests named *_process.cpp one started
// as a process behind a pseudo-terminal (the real serial path end to end;
// Linux only).
class LinkedWindowTest : public ::testing::Test
{
protected:
    static const QString NoDeviceTitle; // the title of setup version 12 without a device

    LinkedWindowTest();
    ~LinkedWindowTest() override;

    // The window's timers run ten times faster from now on: a search every
    // 100 ms, a write 200 ms after the last edit. For tests that would
    // otherwise sit through seconds of timer ticks.
    static constexpr double FastTimerScale = 0.1;
    void useFastTimers();

    // Builds and shows the window searching these serial ports.
    void open(const QStringList &ports);
    // Opens the window linked to a new in-process device; true once the
    // strip says "Hardware connected".
    bool linkInProcess(const InProcessDevice::Options &options);
    bool linkInProcess() { return linkInProcess(InProcessDevice::Options{}); }

    bool waitForTitle(const QString &suffix, int timeoutMs = 15000) const;
    bool waitForStatusText(const QString &text, int timeoutMs = 15000) const;
    // The commands the in-process device received, in order.
    QStringList commands() const;
    CSetting &panel() const;

    QTemporaryDir folder;
    StartupValues startup;
    CXmit xmit;
    std::unique_ptr<InProcessDevice> inProcess;
    std::unique_ptr<CDiduvIfaceDlg> window;
};
