#pragma once

#include <QString>

// What the small text files beside the program say. The tool has no other
// configuration: the command line is not looked at.
struct StartupValues
{
    QString ProgramFolder;  // the current directory at start, without a trailing "/"
    QString FirmwareFolder; // ProgramFolder + "/firmware/"
    QString DesktopFolder;  // where log files go; ProgramFolder when there is no desktop
    int ManufacturerMode = 0;
    int AdvancedMode = 0;
    int LanguageIndex = 0;
    int SetupVersion = 0;
};
