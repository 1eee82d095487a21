#include "linkedwindow.h"

#include "auxiliary/gui/cinfo.h"
#include "gui/gatedtimer.h"
#include "panel/gui/csetting.h"

#include <QDir>
#include <QTest>

const QString LinkedWindowTest::NoDeviceTitle = QStringLiteral("RERUDAD 9.8 - VOZEDUV(c) (setup 12)");

LinkedWindowTest::LinkedWindowTest()
{
    startup.ProgramFolder = folder.path();
    startup.FirmwareFolder = folder.filePath(QStringLiteral("firmware/"));
    startup.DesktopFolder = folder.filePath(QStringLiteral("Desktop"));
    QDir().mkpath(startup.DesktopFolder);
    startup.SetupVersion = 12;
}

void LinkedWindowTest::open(const QStringList &ports)
{
    xmit.ListSerialPorts = [ports] { return ports; };
    window = std::make_unique<CDiduvIfaceDlg>(xmit, startup);
    window->OnInitDialog();
    window->show();
}

LinkedWindowTest::~LinkedWindowTest()
{
    window.reset();
    GatedTimer::SetTimeScale(1.0);
}

void LinkedWindowTest::useFastTimers()
{
    GatedTimer::SetTimeScale(FastTimerScale);
}

bool LinkedWindowTest::linkInProcess(const InProcessDevice::Options &options)
{
    inProcess = std::make_unique<InProcessDevice>(options);
    inProcess->plugInto(xmit);
    open({inProcess->portPath()});
    return waitForStatusText(QStringLiteral("Hardware connected"));
}

bool LinkedWindowTest::waitForTitle(const QString &suffix, int timeoutMs) const
{
    return QTest::qWaitFor([&] { return window->windowTitle() == NoDeviceTitle + suffix; }, timeoutMs);
}

bool LinkedWindowTest::waitForStatusText(const QString &text, int timeoutMs) const
{
    return QTest::qWaitFor([&] { return window->statusStrip()->statusText() == text; }, timeoutMs);
}

QStringList LinkedWindowTest::commands() const
{
    return inProcess ? inProcess->commandsLogged() : QStringList();
}

CSetting &LinkedWindowTest::panel() const
{
    return *window->panel();
}
