// Process detection against the simulated machine with any process names and any counter name
// list: the name looked for, ended by a zero byte; the running processes' names, separated by
// line ends and ended by a zero byte; then the bytes of the "Counters" value that names the
// performance objects and counters.
#include <sstream>
#include <string>

#include "fuzz_check.h"
#include "fuzz_fields.h"
#include "fuzz_registry.h"
#include "platform/winsim/control.h"
#include "system/process_detection.h"

namespace {

constexpr const char* kCounterNamesKey =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib\\009";
// Enough processes to move instances about in the block; more only make each run slower.
constexpr int kMostProcesses = 32;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzFields fields(data, size);
    const std::string wanted = fields.Text();
    std::istringstream processes(fields.Text());
    const std::string counterNames = fields.Rest();

    winsim::Reset();
    std::string process;
    for (int started = 0; started < kMostProcesses && std::getline(processes, process); ++started) {
        winsim::StartProcess(process);
    }
    if (!counterNames.empty()) {
        SetMachineValue(kCounterNamesKey, "Counters", REG_MULTI_SZ, counterNames);
    }
    FindProcess(wanted.c_str());
    FuzzCheckNothingLeftOpen();
    FuzzCheck(!winsim::PerformanceDataOpen(), "the performance data was left open");
    return 0;
}
