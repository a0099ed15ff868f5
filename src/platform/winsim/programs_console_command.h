// The suite's console-command program on the simulated machine: it hands a console command to the
// running Notes server, which tells one of its tasks to quit.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

namespace winsim::detail {

// Runs the program with its arguments (program name first: ovconcmd "t TASK q" SERVER) and
// returns its exit code: 0 when a Notes server took the command, 1 otherwise.
DWORD RunConsoleCommand(const std::vector<std::string>& arguments);

}  // namespace winsim::detail
