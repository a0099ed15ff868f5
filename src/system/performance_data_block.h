// Reading the performance data block of HKEY_PERFORMANCE_DATA: a PERF_DATA_BLOCK, then objects,
// each with its counter definitions and its instances, every instance followed by its counter
// block. Every offset is checked against the size of the data, so a damaged block reads as one
// without the instance rather than past its end.
#pragma once

#include "platform/win32.h"

// In the first object of the block, the first instance whose name, in the ANSI code page, equals
// name without regard to case: its 32-bit value of the counter whose name index is
// counterNameIndex. 0 when the block is not performance data, the object lacks the counter or
// no instance has that name.
DWORD FindInstanceCounterValue(const BYTE* block, DWORD size, DWORD counterNameIndex,
                               const char* name);
