// Building the catalogue of a machine with the whole suite in 25 partitions: every partition is
// scanned through the parameter store, whose runtime library is loaded by name for each read.
#include "bench_plan.h"
#include "demo_machine.h"
#include "platform/winsim/control.h"
#include "uninstlib/uninstlib.h"

namespace {

constexpr const char* kCatalogue = "InitInstalledApps";
constexpr const char* kLoadRuntime = "LoadLibraryA and FreeLibrary of ovrt.dll";
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

// The floor: what the loader alone costs for one parameter read, the runtime library loaded,
// its export found and the library freed again, so that the next load maps it afresh.
void LoadRuntimeOnce(benchmark::State& state) {
    winsim::Reset();
    for (auto _ : state) {
        HMODULE runtime = LoadLibraryA("ovrt.dll");
        if (runtime == nullptr || GetProcAddress(runtime, "GetParamInt") == nullptr) {
            state.SkipWithError("cannot load ovrt.dll");
            break;
        }
        FreeLibrary(runtime);
    }
}

}  // namespace

void RegisterCatalogueBenchmarks(const BenchPlan& plan) {
    RegisterCheap(kCatalogue, plan, BuildCatalogue);
    RegisterCheap(kLoadRuntime, plan, LoadRuntimeOnce);
}

std::vector<Figure> CatalogueFigures() {
    Figure catalogue =
        BudgetFigure("InitInstalledApps, 25 partitions, every family", kCatalogue, 0.1);
    catalogue.shownCounters = {{kEntries, "catalogue entries"},
                               {kLibraryLoads, "LoadLibraryA calls"}};
    // Each parameter read loads the runtime library and frees it again before it returns, so
    // that nothing of it stays loaded between calls: the loader sets the floor.
    Figure loads = FloorFigure("InitInstalledApps, against its library loads", kCatalogue,
                               kLoadRuntime, "load and free ovrt.dll", 1.5);
    loads.floorTimesCounter = kLibraryLoads;
    return {catalogue, loads};
}
