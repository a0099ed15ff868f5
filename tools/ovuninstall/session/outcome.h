// How a run of the uninstall program ends, and the exit code that tells it to whoever started the
// program: on Windows the codes of Windows Installer, which fleet and deployment tools read; in the
// native build, whose exit status keeps only 8 bits, the small code beside each.
#pragma once

#include <string>

enum class Outcome {
    kDone,                // 0     0  removed (or listed, shown, written)
    kRestartFinishes,     // 3010  3  removed; a restart finishes it (the RunOnce values are set)
    kStoppedByUser,       // 1602  4  a "no" at the start, or Ctrl-C between products
    kStillInstalled,      // 1603  1  something asked for is still installed, or it could not run
    kNotInstalled,        // 1605  5  nothing of what was asked for is installed
    kAnotherUninstaller,  // 1618  6  another uninstaller of the suite is removing
    kBadCommandLine,      // 1639  2  bad command line; also no arguments and no terminal
};

// The exit code of the outcome on this platform.
int ExitCode(Outcome outcome);
// What the outcome means, in a few words, for the log.
const char* Meaning(Outcome outcome);
// The exit codes of this platform with their meanings, for --help.
std::string ExitCodeHelp();
// Whether this platform's exit codes are Windows Installer's (outcome_windows.cpp) or the small
// native ones (outcome_winsim.cpp).
bool UsesWindowsInstallerCodes();
