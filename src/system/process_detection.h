// Whether a program runs, told from the Windows performance data: the Process object has one
// instance per running process, named by its image name without the extension ("nserver",
// "novagent"), with the process id in its "ID Process" counter.
#pragma once

#include "platform/win32.h"

// The id of the first running process named name (without regard to case; no extension); 0 when
// none runs or anything fails, which callers take for "not running".
DWORD FindProcess(const char* name);
