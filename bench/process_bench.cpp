// FindProcess over the performance data of machines running more and more processes, the one it
// looks for started last so that every instance is passed over before it.
#include <string>

#include "bench_plan.h"
#include "platform/winsim/control.h"
#include "system/process_detection.h"

namespace {

constexpr const char* kWanted = "nserver";

std::string BenchName(size_t processes) {
    return "FindProcess/" + std::to_string(processes);
}

void FindLastProcess(benchmark::State& state, size_t processes) {
    winsim::Reset();
    for (size_t i = 1; i < processes; ++i) {
        winsim::StartProcess("task" + std::to_string(i));
    }
    const DWORD wanted = winsim::StartProcess(kWanted);
    for (auto _ : state) {
        // A moment later each time, as a caller polling for a process asks: the machine lays its
        // performance data out afresh for each call, as Windows collects it afresh.
        Sleep(1);
        if (FindProcess(kWanted) != wanted) {
            state.SkipWithError("FindProcess did not find the last process");
            break;
        }
    }
}

}  // namespace

void RegisterProcessBenchmarks(const BenchPlan& plan) {
    for (size_t processes : {500, 5000, 50000}) {
        RegisterCheap(BenchName(processes), plan,
                      [processes](benchmark::State& state) { FindLastProcess(state, processes); });
    }
}

std::vector<Figure> ProcessFigures() {
    // Ten times the processes should cost ten times the time, or less where a fixed part of the
    // work (the counter names) weighs in the smaller machine.
    Figure from500 = FloorFigure("FindProcess, 5,000 processes, against 500", BenchName(5000),
                                 BenchName(500), "500 processes", 1.5);
    from500.floorTimes = 10;
    Figure from5000 = FloorFigure("FindProcess, 50,000 processes, against 5,000", BenchName(50000),
                                  BenchName(5000), "5,000 processes", 1.5);
    from5000.floorTimes = 10;
    return {BudgetFigure("FindProcess, 5,000 processes", BenchName(5000), 0.002), from500,
            from5000};
}
