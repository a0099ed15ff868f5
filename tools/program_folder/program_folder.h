// Where a program of the suite's uninstaller lies, and the library search it starts with. The
// uninstall programs run with administrator rights, often started from a folder that others can
// write into (a download folder, a share): a library planted there must never be loaded.
#pragma once

#include <string>

// The program's own file ("C:\windows\ovuninstall.exe"); empty when it cannot be read.
std::string ProgramFile();

// The folder the program lies in, with its closing separator ("C:\windows\", so that a drive
// root stays "C:\" and never becomes the drive's current directory "C:"); empty when it cannot
// be read.
std::string ProgramFolder();

// Takes the current directory out of the process's library search, before anything is loaded.
// The search keeps the program's folder, the system folders and the Path, through which the
// suite's library finds the suite's runtime library. Windows does the same for an empty text,
// but Wine ignores an empty text, so the program's own folder (searched first anyway) stands in
// for the current directory instead. False when the folder cannot be read or the call fails.
bool KeepCurrentDirectoryOutOfLibrarySearch();
