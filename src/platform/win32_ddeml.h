// The DDE management library's part of the Win32 API. <windows.h> leaves <ddeml.h> out under
// WIN32_LEAN_AND_MEAN; the simulated machine declares it with the rest of platform/win32.h.
#pragma once

#include "platform/win32.h"

#ifdef _WIN32
#include <ddeml.h>
#endif
