// Services and programs to seed the simulated machine with.
#pragma once

#include <cstdint>
#include <string>

#include "platform/winsim/control.h"

namespace services_seed {

inline winsim::Service MakeService(const std::string& name, DWORD state,
                                   winsim::ServiceStop stop = winsim::ServiceStop::kAtOnce,
                                   DWORD stopPendingMs = 0) {
    winsim::Service service;
    service.name = name;
    service.state = state;
    service.stop = stop;
    service.stopPendingMs = stopPendingMs;
    return service;
}

inline winsim::Program MakeProgram(const std::string& path, uint64_t runsMs = 0,
                                   DWORD exitCode = 0) {
    winsim::Program program;
    program.path = path;
    program.runsMs = runsMs;
    program.exitCode = exitCode;
    return program;
}

}  // namespace services_seed
