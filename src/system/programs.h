// Running another program with a bounded wait: used to have the suite's console-command program
// ask a Notes server task to quit before its files go.
#pragma once

#include "platform/win32.h"

// Starts the program of a writable command line (program path first) without a console and gives
// it 10 seconds to finish, and 5 more when it is still running then; a program still running
// after that is left running. A Win32 code: 0 when the program was started, whatever it did
// afterwards; otherwise the error of the start (2 for a program that does not exist).
DWORD RunAndWait(char* commandLine);
