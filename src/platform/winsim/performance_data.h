// HKEY_PERFORMANCE_DATA: a query generates the performance data block from the machine's process
// list; closing the key unloads what the query loaded. The registry's Win32 functions hand these
// two operations over to this piece.
#pragma once

#include "platform/win32.h"

namespace winsim::detail {

// RegQueryValueExA on HKEY_PERFORMANCE_DATA. The value name lists the objects wanted: "Global"
// (or no name) for all of them, or the decimal indexes of objects separated by spaces. The data
// is REG_BINARY. A buffer too small for the block gives ERROR_MORE_DATA and a size of 0, since
// the block may be larger by the next query.
LONG QueryPerformanceData(LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                          LPDWORD size);
// RegCloseKey(HKEY_PERFORMANCE_DATA).
LONG ClosePerformanceData();

}  // namespace winsim::detail
