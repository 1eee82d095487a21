#pragma once

#include <QString>

class QCoreApplication;

// The program folder the desktop tool's command line chooses.
struct ToolProgramFolder
{
    QString folder; // empty when it cannot be used
    QString error;  // why, in one line
};

// Reads the desktop tool's command line: --program-folder DIR names the
// program folder, --user-program-folder chooses (and on first start
// creates) the per-user one, as the menu entry does; without either the
// folder of RERUDAD_PROGRAM_FOLDER or the current directory is used.
// --help, --version, --man and --bash-completion print their text and end
// the process, as does a malformed command line (with status 1).
ToolProgramFolder ReadToolCommandLine(const QCoreApplication &application);
