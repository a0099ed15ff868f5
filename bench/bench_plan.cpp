#include "bench_plan.h"

BenchPlan PlanFor(RunMode mode) {
    BenchPlan plan;
    plan.mode = mode;
    if (mode == RunMode::kGuard) {
        plan.repetitions = 3;
        plan.minSeconds = 0.1;
    }
    return plan;
}

void RegisterRepeated(const std::string& name, const BenchPlan& plan, BenchBody body) {
    benchmark::RegisterBenchmark(name.c_str(), body)
        ->Iterations(1)
        ->Repetitions(plan.repetitions)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

void RegisterCheap(const std::string& name, const BenchPlan& plan, BenchBody body) {
    benchmark::RegisterBenchmark(name.c_str(), body)
        ->MinWarmUpTime(plan.minSeconds)
        ->MinTime(plan.minSeconds)
        ->Repetitions(plan.repetitions)
        ->Unit(benchmark::kMillisecond);
}
