// The wall-clock time of the simulated machine: it started at a fixed moment and runs with the
// virtual clock, so that everything derived from the time is the same on every run.
#pragma once

#include "platform/win32.h"

namespace winsim::detail {

// In 100-nanosecond units since 1 January 1601 (UTC), as FILETIME counts.
LONGLONG MachineStartTime();
LONGLONG MachineTimeNow();

SYSTEMTIME ToSystemTime(LONGLONG fileTime);

}  // namespace winsim::detail
