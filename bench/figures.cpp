#include "figures.h"

Figure FloorFigure(const std::string& title, const std::string& measured, const std::string& floor,
                   const std::string& floorLabel, double goal) {
    Figure figure;
    figure.title = title;
    figure.measured = measured;
    figure.floor = floor;
    figure.floorLabel = floorLabel;
    figure.goal = goal;
    return figure;
}

Figure BudgetFigure(const std::string& title, const std::string& measured, double budgetSeconds) {
    Figure figure;
    figure.title = title;
    figure.measured = measured;
    figure.budgetSeconds = budgetSeconds;
    return figure;
}

FigureResult Evaluate(const Figure& figure, const Measurements& measurements) {
    FigureResult result;
    result.figure = figure;
    const auto measured = measurements.find(figure.measured);
    const auto floor = measurements.find(figure.floor);
    if (measured == measurements.end() || (!figure.floor.empty() && floor == measurements.end())) {
        return result;
    }
    result.seconds = measured->second.seconds;
    result.counters = measured->second.counters;
    result.floorTimes = figure.floorTimes;
    if (!figure.floorTimesCounter.empty()) {
        const auto counted = result.counters.find(figure.floorTimesCounter);
        result.floorTimes = counted != result.counters.end() ? counted->second : 0;
    }
    result.referenceSeconds =
        figure.floor.empty() ? figure.budgetSeconds : result.floorTimes * floor->second.seconds;
    if (result.referenceSeconds <= 0) {
        return result;
    }
    result.ratio = result.seconds / result.referenceSeconds;
    if (result.ratio <= figure.goal) {
        result.outcome = Outcome::kMeetsGoal;
    } else if (result.ratio <= kGuardFactor * figure.goal) {
        result.outcome = Outcome::kMissesGoal;
    } else {
        result.outcome = Outcome::kBeyondGuard;
    }
    return result;
}

bool RunPasses(const std::vector<FigureResult>& results, RunMode mode) {
    for (const FigureResult& result : results) {
        if (result.outcome == Outcome::kMeetsGoal) {
            continue;
        }
        const bool onBudget = result.figure.floor.empty();
        if (mode == RunMode::kGuard && result.outcome != Outcome::kNotMeasured &&
            (onBudget || result.outcome == Outcome::kMissesGoal)) {
            continue;
        }
        return false;
    }
    return true;
}
