#pragma once

#include "app/programfolder.h"
#include "config/channellist.h"

#include <QString>
#include <QStringView>

// What the small text files of the program folder say. Besides them the
// tool takes only the name of that folder (programfolder.h).
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

// Reads the side files under programFolder: "firmware/manufacturer.txt" and
// "firmware/advanced.txt" (present or not), "pref.txt" (language) and
// "firmware/setup_version.txt" (package number). A missing or unreadable
// file leaves its value at the default.
StartupValues ReadSideFiles(const QString &programFolder);

// The language chosen by the first line of "pref.txt": its first two
// characters, compared case-sensitively with EN, FR, IT, DE, PO and ES.
int LanguageFromPreference(QStringView firstLine);

// The package number of "setup_version.txt": the decimal digits of the first
// line from its seventh character on; 0 when there are none or when they
// do not fit in 32 bits.
int SetupVersionFromLine(QStringView firstLine);

// The values of this run. Start-up fills them once, before the main window
// exists; everything else only reads them.
extern StartupValues Startup;
extern ChannelList Channels;

// Start-up up to the first window: reads the side files and the channel list
// of the program folder into the values of this run and fixes LanguageIndex.
// Constructing the main window, starting discovery and running the window
// follow it.
void LoadStartupFiles(const QString &programFolder);
