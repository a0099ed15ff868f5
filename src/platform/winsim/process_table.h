// The processes running on the simulated machine. Programs started through CreateProcessA join
// it, the Notes server's tasks leave it when asked to quit, and the performance data of
// HKEY_PERFORMANCE_DATA is generated from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace winsim::detail {

struct RunningProcess {
    DWORD id = 0;
    // The image name without its extension, as the Process object names its instances
    // ("nserver", "novagent").
    std::string name;
    // The virtual time at which the process ends by itself; 0 for one that runs until ended.
    uint64_t endsAtMs = 0;
    DWORD exitCode = 0;
};

// In the order the processes started. Processes whose time has come are gone.
std::vector<RunningProcess> RunningProcesses();
// Rises with every change to the running processes (one starting or ending, a reset), so that
// what is made from the list can be kept until the list changes.
uint64_t ProcessListChanges();
// Adds a process and returns its id (ids rise from 100 by 4, as Windows hands them out).
DWORD AddProcess(const std::string& name, uint64_t endsAtMs = 0);
// Ends a process; false when no process has that id.
bool EndProcess(DWORD id, DWORD exitCode = 0);
// Ends every process of that name (without regard to case); how many went.
size_t EndProcessesNamed(const std::string& name);
// The process of that id, running or ended (its exit code kept); false when it never existed.
bool FindProcessById(DWORD id, RunningProcess* out, bool* running);

}  // namespace winsim::detail
