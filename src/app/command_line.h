#pragma once
// The program as a command: listing groups and packages, exporting a package and importing
// words, with no display. The commands use the same core as the windows, so a package exported
// here is the file the export window writes, and an import checks what the import window checks.

namespace lexivo {

// Whether the arguments ask for a command rather than the windows. No argument at all, and the
// options of Qt's own windowing (a session manager restarts the program with "-session …"),
// start the windows.
bool isCommandLine(int argc, char** argv);

// Runs the command and returns the exit status: 0 done, 1 refused or failed (the reason in
// Czech on standard error), 2 wrong usage. Call it before any Qt application object exists.
int runCommandLine(int argc, char** argv);

}  // namespace lexivo
