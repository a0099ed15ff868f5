// Building the catalogue of a machine with the whole suite in 25 partitions: every partition is
// scanned through the parameter store, whose runtime library is loaded by name for each read.
#include "bench_plan.h"
#include "demo_machine.h"
#include "platform/winsim/control.h"
#include "uninstlib/uninstlib.h"

namespace {

constexpr const char* kCatalogue = "InitInstalledApps";
constexpr const char* kReadParameter = "one parameter read through ovrt.dll";
constexpr const char* kLibraryLoads = "LoadLibraryA";
constexpr const char* kEntries = "entries";

double g_entries = 0;

bool CountEntry(const char*, const char*, const char*, const char*) {
    ++g_entries;
    return true;
}

void BuildCatalogue(benchmark::State& state) {
    std::string error;
    if (DemoMachineFolder().empty() || !winsim::LoadMachine(DemoMachineFolder(), &error)) {
        state.SkipWithError(("cannot load the sample machine: " + error).c_str());
        return;
    }
    size_t loads = 0;
    for (auto _ : state) {
        const size_t before = winsim::LoadLibraryCalls();
        if (!InitInstalledApps()) {
            state.SkipWithError("InitInstalledApps found nothing installed");
            break;
        }
        loads = winsim::LoadLibraryCalls() - before;
    }
    g_entries = 0;
    EnumInstalledApps(&CountEntry);
    state.counters[kLibraryLoads] = static_cast<double>(loads);
    state.counters[kEntries] = g_entries;
}

// The floor: one parameter read as the parameter store makes it, the runtime library loaded, its
// exports found, the solution selected, one setup flag read from the machine's registry and the
// library freed again.
void ReadOneParameter(benchmark::State& state) {
    std::string error;
    if (DemoMachineFolder().empty() || !winsim::LoadMachine(DemoMachineFolder(), &error)) {
        state.SkipWithError(("cannot load the sample machine: " + error).c_str());
        return;
    }
    using SetSolution = int (*)(int, int);
    using GetParamInt = int (*)(const char*, int*, const char*);
    for (auto _ : state) {
        HMODULE runtime = LoadLibraryA("ovrt.dll");
        const auto setSolution = reinterpret_cast<SetSolution>(
            reinterpret_cast<void (*)()>(GetProcAddress(runtime, "SetSolution")));
        const auto getParamInt = reinterpret_cast<GetParamInt>(
            reinterpret_cast<void (*)()>(GetProcAddress(runtime, "GetParamInt")));
        int value = 0;
        if (setSolution == nullptr || getParamInt == nullptr) {
            state.SkipWithError("cannot load ovrt.dll");
            break;
        }
        setSolution(5, 1);
        benchmark::DoNotOptimize(getParamInt("Installed", &value, "Setup"));
        FreeLibrary(runtime);
    }
}

}  // namespace

void RegisterCatalogueBenchmarks(const BenchPlan& plan) {
    RegisterCheap(kCatalogue, plan, BuildCatalogue);
    RegisterCheap(kReadParameter, plan, ReadOneParameter);
}

std::vector<Figure> CatalogueFigures() {
    Figure catalogue =
        BudgetFigure("InitInstalledApps, 25 partitions, every family", kCatalogue, 0.1);
    catalogue.shownCounters = {{kEntries, "catalogue entries"},
                               {kLibraryLoads, "LoadLibraryA calls"}};
    // The scan is its parameter reads, each loading the runtime library and freeing it again:
    // one read made alone, times the loads the scan made, sets the floor.
    Figure loads = FloorFigure("InitInstalledApps, against its parameter reads", kCatalogue,
                               kReadParameter, "one parameter read", 1.5);
    loads.floorTimesCounter = kLibraryLoads;
    return {catalogue, loads};
}
