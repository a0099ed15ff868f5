// How much each benchmark repeats. Each figure takes a benchmark's fastest repetition, the one the
// rest of a busy machine disturbed least: the full run repeats more to find it, the guard fewer
// times, to stay well within a minute.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "figures.h"

struct BenchPlan {
    RunMode mode = RunMode::kFull;
    // Repetitions of a benchmark that measures one operation per repetition (one deletion of a
    // tree that must be built again for the next).
    int repetitions = 5;
    // Seconds of timed work for a cheap operation that Google Benchmark repeats by itself.
    double minSeconds = 0.5;
};

BenchPlan PlanFor(RunMode mode);

using BenchBody = std::function<void(benchmark::State&)>;
// A benchmark that times one operation per repetition itself (setup left out of the time).
void RegisterRepeated(const std::string& name, const BenchPlan& plan, BenchBody body);
// Does the work and hands its wall time to a repeated benchmark as this repetition's time.
template <typename Work>
void TimeRepetition(benchmark::State& state, Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(spent.count());
}
// A benchmark of a cheap operation, repeated until it adds up to the plan's time, after as long
// again untimed: a caller that polls has the memory the operation needs already.
void RegisterCheap(const std::string& name, const BenchPlan& plan, BenchBody body);

// The benchmarks of each area, and the figures made of them.
void RegisterFileBenchmarks(const BenchPlan& plan);
std::vector<Figure> FileFigures();
void RegisterProcessBenchmarks(const BenchPlan& plan);
std::vector<Figure> ProcessFigures();
void RegisterCatalogueBenchmarks(const BenchPlan& plan);
std::vector<Figure> CatalogueFigures();
void RegisterCallerBenchmarks(const BenchPlan& plan);
std::vector<Figure> CallerFigures();
void RegisterRegistryBenchmarks(const BenchPlan& plan);
std::vector<Figure> RegistryFigures();
