#pragma once

#include <QString>

// The program folder holds the side files: pref.txt, firmware/,
// config/channel.csv and logos/. Started from a terminal it is the current
// directory; the environment variable RERUDAD_PROGRAM_FOLDER, or the option
// --program-folder DIR of the tool and the CLI, names another one. An
// installed tool started from the desktop menu uses the per-user folder
// under the user's data folder, which it creates on first start.

inline constexpr char ProgramFolderVariable[] = "RERUDAD_PROGRAM_FOLDER";

// Where the program folder of this run comes from, in the order it wins.
struct ProgramFolderSources
{
    QString option;           // --program-folder, empty when not given
    QString environment;      // RERUDAD_PROGRAM_FOLDER, empty when unset
    QString currentDirectory; // the process's current directory at start
};

// The folder the sources name, absolute (a relative one is taken from the
// current directory) and without a trailing "/".
QString ChooseProgramFolder(const ProgramFolderSources &sources);

// Names the program folder of this run; CurrentProgramFolder returns it from
// then on. False, with the reason, for a folder that does not exist, so that
// a mistyped name is told rather than taken as a folder without side files.
bool NameProgramFolder(const QString &folder, QString *error);

// The program folder of this run: the one named by NameProgramFolder, else
// the one of RERUDAD_PROGRAM_FOLDER, else the current directory.
QString CurrentProgramFolder();

// The per-user program folder: "rerudad" in the user's data folder
// ($XDG_DATA_HOME, ~/.local/share by default).
QString UserProgramFolder();

// Makes the folder with firmware/, config/ and logos/ and a README.txt that
// says what goes where, each only when missing: nothing the user put there
// is replaced. False, with the reason, when one of them cannot be made.
bool PrepareProgramFolder(const QString &folder, QString *error);
