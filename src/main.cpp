// rerudad: the desktop configuration tool.

#include "app/beep.h"
#include "app/gui/cdiduvifacedlg.h"
#include "app/sidefiles.h"
#include "link/cxmit.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    LoadStartupFiles(CurrentProgramFolder());
    SetBeepSink([](int, int) { QApplication::beep(); });

    CXmit xmit;
    CDiduvIfaceDlg window(xmit, Startup);
    window.OnInitDialog();
    window.show();
    return app.exec();
}
