#pragma once

#include "app/programfolder.h"
#include "auxiliary/startupvalues.h"
#include "config/channellist.h"

#include <QString>
#include <QStringView>

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
