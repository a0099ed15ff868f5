// How a measured time becomes a figure and a verdict, and which verdicts fail a run.
#include "figures.h"

#include <gtest/gtest.h>

namespace {

Figure AgainstFloor(double goal, double floorTimes = 1) {
    Figure figure;
    figure.title = "delete";
    figure.measured = "library";
    figure.floor = "host";
    figure.floorLabel = "host tool";
    figure.floorTimes = floorTimes;
    figure.goal = goal;
    return figure;
}

Measurements Timed(double library, double host) {
    Measurements measurements;
    measurements["library"].seconds = library;
    measurements["host"].seconds = host;
    return measurements;
}

TEST(Figures, RatioAgainstFloorTimesItsMultipleOrAgainstBudget) {
    const FigureResult onFloor = Evaluate(AgainstFloor(1.5), Timed(0.3, 0.2));
    EXPECT_DOUBLE_EQ(onFloor.referenceSeconds, 0.2);
    EXPECT_DOUBLE_EQ(onFloor.ratio, 1.5);
    EXPECT_EQ(onFloor.outcome, Outcome::kMeetsGoal);

    const FigureResult growth = Evaluate(AgainstFloor(1.5, 10), Timed(0.5, 0.02));
    EXPECT_DOUBLE_EQ(growth.referenceSeconds, 0.2);
    EXPECT_DOUBLE_EQ(growth.ratio, 2.5);

    Figure budget;
    budget.measured = "library";
    budget.budgetSeconds = 0.002;
    const FigureResult onBudget = Evaluate(budget, Timed(0.003, 99));
    EXPECT_DOUBLE_EQ(onBudget.referenceSeconds, 0.002);
    EXPECT_DOUBLE_EQ(onBudget.ratio, 1.5);
    EXPECT_EQ(onBudget.outcome, Outcome::kMissesGoal);
}

TEST(Figures, FloorCountedAsOftenAsTheMeasuredCounterSays) {
    Figure figure = AgainstFloor(1.5);
    figure.floorTimesCounter = "loads";
    Measurements measurements = Timed(0.6, 0.0005);
    measurements["library"].counters["loads"] = 1000;
    const FigureResult result = Evaluate(figure, measurements);
    EXPECT_DOUBLE_EQ(result.floorTimes, 1000);
    EXPECT_DOUBLE_EQ(result.referenceSeconds, 0.5);
    EXPECT_DOUBLE_EQ(result.ratio, 1.2);
    // Without the counter there is nothing to compare with.
    EXPECT_EQ(Evaluate(figure, Timed(0.6, 0.0005)).outcome, Outcome::kNotMeasured);
}

TEST(Figures, OutcomeBoundariesAtTheGoalAndTwiceIt) {
    EXPECT_EQ(Evaluate(AgainstFloor(1.5), Timed(1.5, 1)).outcome, Outcome::kMeetsGoal);
    EXPECT_EQ(Evaluate(AgainstFloor(1.5), Timed(1.6, 1)).outcome, Outcome::kMissesGoal);
    EXPECT_EQ(Evaluate(AgainstFloor(1.5), Timed(3.0, 1)).outcome, Outcome::kMissesGoal);
    EXPECT_EQ(Evaluate(AgainstFloor(1.5), Timed(3.1, 1)).outcome, Outcome::kBeyondGuard);
}

TEST(Figures, MissingOrZeroMeasurementsAreNotMeasured) {
    Measurements onlyLibrary;
    onlyLibrary["library"].seconds = 1;
    EXPECT_EQ(Evaluate(AgainstFloor(1.5), onlyLibrary).outcome, Outcome::kNotMeasured);
    Measurements onlyHost;
    onlyHost["host"].seconds = 1;
    EXPECT_EQ(Evaluate(AgainstFloor(1.5), onlyHost).outcome, Outcome::kNotMeasured);
    // A floor of no time at all gives no ratio rather than an infinite one.
    EXPECT_EQ(Evaluate(AgainstFloor(1.5), Timed(1, 0)).outcome, Outcome::kNotMeasured);
}

TEST(Figures, CountersOfTheMeasuredBenchmarkTravelWithTheResult) {
    Measurements measurements = Timed(1, 1);
    measurements["library"].counters["LoadLibraryA"] = 1052;
    measurements["host"].counters["other"] = 7;
    const FigureResult result = Evaluate(AgainstFloor(1.5), measurements);
    EXPECT_EQ(result.counters, (std::map<std::string, double>{{"LoadLibraryA", 1052}}));
}

TEST(Figures, GuardToleratesMissesButNotFailuresOrGaps) {
    FigureResult meets;
    meets.figure = AgainstFloor(1.5);
    meets.outcome = Outcome::kMeetsGoal;
    FigureResult misses = meets;
    misses.outcome = Outcome::kMissesGoal;
    FigureResult beyond = meets;
    beyond.outcome = Outcome::kBeyondGuard;
    FigureResult missing = meets;
    missing.outcome = Outcome::kNotMeasured;

    EXPECT_TRUE(RunPasses({meets, misses}, RunMode::kGuard));
    EXPECT_FALSE(RunPasses({meets, misses}, RunMode::kFull));
    EXPECT_FALSE(RunPasses({meets, beyond}, RunMode::kGuard));
    EXPECT_FALSE(RunPasses({meets, missing}, RunMode::kGuard));
    EXPECT_TRUE(RunPasses({meets}, RunMode::kFull));
    EXPECT_TRUE(RunPasses({}, RunMode::kGuard));

    // A budget holds for one machine only: the guard reports it and passes over it.
    FigureResult overBudget;
    overBudget.outcome = Outcome::kBeyondGuard;
    overBudget.figure.budgetSeconds = 0.1;
    EXPECT_TRUE(RunPasses({meets, overBudget}, RunMode::kGuard));
    EXPECT_FALSE(RunPasses({meets, overBudget}, RunMode::kFull));
    overBudget.outcome = Outcome::kNotMeasured;
    EXPECT_FALSE(RunPasses({meets, overBudget}, RunMode::kGuard));
}

}  // namespace
