// The structures of the performance data block. <windows.h> leaves <winperf.h> out under
// WIN32_LEAN_AND_MEAN; the simulated machine declares them with the rest of platform/win32.h.
#pragma once

#include "platform/win32.h"

#ifdef _WIN32
#include <winperf.h>
#endif
