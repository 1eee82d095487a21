#pragma once

#include "config/channellist.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringView>

#include <optional>

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

// The current directory, whole, taken as the program's folder.
QString CurrentProgramFolder();

// Start-up up to the first window: reads the side files and the channel list
// of the program folder into the values of this run and fixes LanguageIndex.
// Constructing the main window, starting discovery and running the window
// follow it.
void LoadStartupFiles(const QString &programFolder);

// --- Reading side files safely; shared with the channel list reader. ---

// Opens path for reading only when it is a regular file: a folder, a
// device or a named pipe of that name does not count (a pipe would block).
bool OpenSideFile(QFile &file);

// One line without its line break ("\n" or "\r\n"). A line longer than the
// limit is Overlong: Bytes holds only its beginning and the rest of it has
// been passed over, so that the next read starts on the next line.
struct SideFileLine
{
    QByteArray Bytes;
    bool Overlong = false;
};
std::optional<SideFileLine> ReadSideFileLine(QIODevice &source, qsizetype maxLength);

// Side files are ISO 8859-1, the device's own character set, unless they
// are valid UTF-8; a UTF-8 byte order mark is dropped.
QByteArrayView WithoutByteOrderMark(QByteArrayView bytes);
bool IsValidUtf8(QByteArrayView bytes);
QString DecodeSideText(QByteArrayView bytes);
