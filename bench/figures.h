// What the benchmarks are held to. A figure divides one measured time by a reference, either a
// floor measured in the same run (the same work done the cheapest way the host allows) or a time
// budget, and compares that ratio with its goal. A ratio, unlike a time, means the same on a fast
// and on a loaded machine, so one goal serves both.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

// One benchmark's result: the fastest repetition's time for one operation, and the counters it
// reported alongside.
struct Measurement {
    double seconds = 0;
    std::map<std::string, double> counters;
};
// By benchmark name.
using Measurements = std::map<std::string, Measurement>;

struct Figure {
    std::string title;
    // The benchmark measured.
    std::string measured;
    // The floor's benchmark, counted floorTimes over (or as many times as the measured benchmark's
    // counter floorTimesCounter says); empty when the budget is the reference. A budget is a goal
    // for one machine, so the guard, which must hold on any, only checks ratios against floors.
    std::string floor;
    std::string floorLabel;
    double floorTimes = 1;
    std::string floorTimesCounter;
    double budgetSeconds = 0;
    // The largest ratio that meets the goal.
    double goal = 1;
    // Counters of the measured benchmark shown beside the figure: counter name and its label.
    std::vector<std::pair<std::string, std::string>> shownCounters;
};

// A figure against a floor, and one against a budget.
Figure FloorFigure(const std::string& title, const std::string& measured, const std::string& floor,
                   const std::string& floorLabel, double goal);
Figure BudgetFigure(const std::string& title, const std::string& measured, double budgetSeconds);

// The guard lets a ratio through up to this many times its goal: enough to ride out a busy
// machine, not enough for a slip from linear to quadratic.
constexpr double kGuardFactor = 2;

enum class Outcome {
    kMeetsGoal,
    kMissesGoal,   // over the goal, within the guard
    kBeyondGuard,  // over twice the goal
    kNotMeasured,  // a benchmark it needs did not run or failed
};

struct FigureResult {
    Figure figure;
    double seconds = 0;
    double referenceSeconds = 0;
    double floorTimes = 1;
    double ratio = 0;
    Outcome outcome = Outcome::kNotMeasured;
    std::map<std::string, double> counters;
};

FigureResult Evaluate(const Figure& figure, const Measurements& measurements);

enum class RunMode {
    kFull,   // every figure must meet its goal
    kGuard,  // every figure must be measured, and no ratio against a floor beyond twice its goal
};
bool RunPasses(const std::vector<FigureResult>& results, RunMode mode);
