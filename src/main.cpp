// rerudad: the desktop configuration tool.

#include "auxiliary/beep.h"
#include "app/gui/cdiduvifacedlg.h"
#include "app/sidefiles.h"
#include "app/toolcommandline.h"
#include "link/cxmit.h"
#include "link/discovery.h"
#include "gui/desktopbeep.h"
#include "gui/widgetprompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QTextStream>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(RERUDAD_VERSION));
    const ToolProgramFolder programFolder = ReadToolCommandLine(app);
    if (programFolder.folder.isEmpty()) {
        // Started from the menu nobody reads stderr: the window says it too.
        QTextStream(stderr) << "rerudad: " << programFolder.error << "\n";
        QMessageBox::critical(nullptr, QStringLiteral("RERUDAD"), programFolder.error);
        return 2;
    }
    LoadStartupFiles(programFolder.folder);
    SetBeepSink(DesktopBeep);
    WidgetPrompts prompts;
    const ScopedPrompts promptsForThisRun(prompts);

    // Discovery joins the announcement group on the first network interface
    // that is up; RERUDAD_DISCOVERY_INTERFACE names another one (such as lo
    // for a simulated device on this machine).
    DiscoveryOptions discoveryOptions;
    discoveryOptions.interfaceName = qEnvironmentVariable("RERUDAD_DISCOVERY_INTERFACE");
    Discovery discovery(discoveryOptions);

    CXmit xmit(&discovery.table());
    CDiduvIfaceDlg window(xmit, Startup);
    window.OnInitDialog();
    // Without discovery the tool still finds devices on the USB ports.
    discovery.StartDiscovery();
    window.show();
    const int status = app.exec();
    discovery.stop();
    return status;
}
