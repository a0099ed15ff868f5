// The Process object of the performance data (object 230): one instance per running process,
// named by its image name without the extension, with Windows' own counters, among them
// "ID Process" (784). As on Windows, "Idle" and "System" come first and "_Total" last.
#pragma once

#include <string>
#include <vector>

#include "platform/winsim/performance_block.h"
#include "platform/winsim/process_table.h"

namespace winsim::detail {

constexpr DWORD kProcessObjectIndex = 230;
constexpr DWORD kIdProcessCounterIndex = 784;

// perfTime is the machine's time now in 100-nanosecond units since 1601, the Process object's
// own time base (its frequency is 10,000,000).
ObjectContents ProcessObject(const std::vector<RunningProcess>& processes, DWORD systemProcessId,
                             LONGLONG perfTime);

// The counter names and their indexes that the Process object uses, for the English counter
// list of the registry.
std::vector<std::pair<DWORD, std::string>> ProcessCounterNames();

}  // namespace winsim::detail
