#pragma once

#include <QString>

// What the small text files of the program folder say. Besides them the
// tool takes only the name of that folder (app/programfolder.h).
struct StartupValues
{
    QString ProgramFolder;  // CurrentProgramFolder() at start, without a trailing "/"
    QString FirmwareFolder; // ProgramFolder + "/firmware/"
    QString DesktopFolder;  // where log files go; ProgramFolder when there is no desktop
    int ManufacturerMode = 0;
    int AdvancedMode = 0;
    int LanguageIndex = 0;
    int SetupVersion = 0;
};
