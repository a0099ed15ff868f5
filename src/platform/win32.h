// The seam between the library and the operating system. A Windows build sees the real
// <windows.h>; a native build sees the same names declared by the simulated machine.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include "platform/win32_native.h"
#endif
