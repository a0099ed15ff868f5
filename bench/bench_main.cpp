// The benchmarks and their table. "--guard" runs each benchmark once and fails only when a ratio
// is beyond twice its goal; without it every benchmark repeats and the run fails when any figure
// misses its goal. Other arguments go to Google Benchmark (e.g. --benchmark_filter). Progress goes
// to standard error, the table to standard output.
#include <malloc.h>

#include <cstring>
#include <iostream>

#include "bench_plan.h"
#include "figure_table.h"
#include "run_capture.h"

namespace {

constexpr int kKeptBlockBytes = 64 * 1024 * 1024;

// Takes --guard out of the arguments.
RunMode TakeMode(int* argc, char** argv) {
    RunMode mode = RunMode::kFull;
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        if (std::strcmp(argv[i], "--guard") == 0) {
            mode = RunMode::kGuard;
        } else {
            argv[kept++] = argv[i];
        }
    }
    *argc = kept;
    return mode;
}

std::vector<Figure> AllFigures() {
    std::vector<Figure> figures;
    for (const auto& area : {FileFigures(), ProcessFigures(), CatalogueFigures(), CallerFigures(),
                             RegistryFigures()}) {
        figures.insert(figures.end(), area.begin(), area.end());
    }
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    // Large blocks (a performance data block of thousands of processes) stay in the heap once
    // freed rather than going back to the system, so that each repetition does not pay for the
    // pages again: a caller that polls keeps its heap, and on a virtual machine a page fault
    // costs more than the work measured. glibc adjusts these limits by itself as blocks come and
    // go, which made the figures depend on what ran before them.
    mallopt(M_MMAP_THRESHOLD, kKeptBlockBytes);
    mallopt(M_TRIM_THRESHOLD, 2 * kKeptBlockBytes);
    const RunMode mode = TakeMode(&argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    const BenchPlan plan = PlanFor(mode);
    RegisterFileBenchmarks(plan);
    RegisterProcessBenchmarks(plan);
    RegisterCatalogueBenchmarks(plan);
    RegisterCallerBenchmarks(plan);
    RegisterRegistryBenchmarks(plan);

    CapturingReporter reporter;
    reporter.SetOutputStream(&std::cerr);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::vector<FigureResult> results;
    for (const Figure& figure : AllFigures()) {
        results.push_back(Evaluate(figure, reporter.Captured()));
    }
    std::cout << FigureTable(results);
    return RunPasses(results, mode) ? 0 : 1;
}
