// The reference caller removing everything from the 25-partition machine, as a whole process: its
// wall time holds starting, loading and saving the machine image and every removal, while the
// waits the removals make pass on the simulated machine's virtual clock and cost nothing real.
#include <filesystem>
#include <fstream>

#include "bench_plan.h"
#include "demo_machine.h"
#include "host_command.h"
#include "scratch_folder.h"

namespace {

constexpr const char* kRemoveAll = "ovuninstall remove --all --yes";
constexpr const char* kList = "ovuninstall list";
constexpr const char* kSlept = "virtual ms";
constexpr const char* kLoads = "LoadLibraryA";

double ReadNumber(std::istream& in) {
    double number = -1;
    in >> number;
    return in ? number : -1;
}

// Runs the reference caller with the arguments on a fresh copy of the sample machine, once per
// repetition, and keeps what the clock probe saw of the process.
void RunOnCopy(benchmark::State& state, const std::vector<std::string>& arguments,
               int expectedStatus) {
    if (DemoMachineFolder().empty()) {
        state.SkipWithError("the reference caller could not write the sample machine");
        return;
    }
    ScratchFolder scratch("caller");
    const std::string machine = scratch.Below("machine");
    const std::string probeFile = scratch.Below("probe");
    std::vector<std::string> command = {ReferenceCaller(), "--machine", machine};
    command.insert(command.end(), arguments.begin(), arguments.end());
    for (auto _ : state) {
        std::filesystem::remove_all(machine);
        std::filesystem::copy(DemoMachineFolder(), machine,
                              std::filesystem::copy_options::recursive);
        int status = -1;
        TimeRepetition(state, [&] {
            status = RunHostCommand(command,
                                    {"LD_PRELOAD=" + ProgramFolder() + "/libbench_clock_probe.so",
                                     "UNINSTLIB_BENCH_PROBE_FILE=" + probeFile});
        });
        std::ifstream probe(probeFile);
        state.counters[kSlept] = ReadNumber(probe);
        state.counters[kLoads] = ReadNumber(probe);
        if (status != expectedStatus || state.counters[kLoads] < 0) {
            state.SkipWithError("the reference caller did not run to its end");
            break;
        }
    }
}

void RemoveEverything(benchmark::State& state) {
    // Removing everything ends with 3: all of it went, and a restart finishes the removal of the
    // uninstaller's own files.
    RunOnCopy(state, {"remove", "--all", "--yes"}, 3);
}

// The floor: the same process listing the catalogue, which starts, loads the machine, builds the
// catalogue once and saves the machine.
void ListCatalogue(benchmark::State& state) {
    RunOnCopy(state, {"list"}, 0);
}

}  // namespace

void RegisterCallerBenchmarks(const BenchPlan& plan) {
    RegisterRepeated(kRemoveAll, plan, RemoveEverything);
    RegisterRepeated(kList, plan, ListCatalogue);
}

std::vector<Figure> CallerFigures() {
    Figure removal = BudgetFigure("ovuninstall remove --all --yes, 25 partitions (whole process)",
                                  kRemoveAll, 2);
    removal.shownCounters = {{kSlept, "ms of virtual time slept"}, {kLoads, "LoadLibraryA calls"}};
    // 125 removals against one catalogue scan, each process starting and loading and saving the
    // machine alike. Every removal is followed by a rescan of the whole catalogue, which tells
    // what is really left, so the removal costs about as many scans as it has removals besides its
    // own file, registry and notes.ini work.
    return {removal, FloorFigure("ovuninstall remove --all --yes, against ovuninstall list",
                                 kRemoveAll, kList, kList, 40)};
}
