// The table as it is pasted into the documentation: times, references, ratios and verdicts.
#include "figure_table.h"

#include <gtest/gtest.h>

namespace {

TEST(FigureTable, TimesKeepThreeSignificantDigits) {
    EXPECT_EQ(FormatSeconds(0.0000812), "0.0812 ms");
    EXPECT_EQ(FormatSeconds(0.00121), "1.21 ms");
    EXPECT_EQ(FormatSeconds(0.0412), "41.2 ms");
    EXPECT_EQ(FormatSeconds(0.4123), "412 ms");
    EXPECT_EQ(FormatSeconds(1.374), "1.37 s");
    EXPECT_EQ(FormatSeconds(370.2), "370 s");
}

TEST(FigureTable, RowsShowReferenceRatioVerdictAndCounters) {
    Figure growth;
    growth.title = "FindProcess, 50,000 processes";
    growth.measured = "big";
    growth.floor = "small";
    growth.floorLabel = "5,000 processes";
    growth.floorTimes = 10;
    growth.goal = 1.5;
    growth.shownCounters = {{"calls", "LoadLibraryA calls"}, {"absent", "never shown"}};
    Measurements measurements;
    measurements["big"] = {0.05, {{"calls", 1052}}};
    measurements["small"] = {0.002, {}};

    Figure budget;
    budget.title = "InitInstalledApps";
    budget.measured = "missing";
    budget.budgetSeconds = 0.1;

    const std::string table =
        FigureTable({Evaluate(growth, measurements), Evaluate(budget, measurements)});
    EXPECT_EQ(table,
              "| Figure | Time | Against | Ratio | Goal | Result | Also |\n"
              "|---|---:|---|---:|---:|---|---|\n"
              "| FindProcess, 50,000 processes | 50.0 ms | 10 × (5,000 processes: 2.00 ms) | "
              "2.50 | ≤ 1.5 | miss | 1052 LoadLibraryA calls |\n"
              "| InitInstalledApps | – | budget 100 ms | – | ≤ 1 | not measured |  |\n");
}

}  // namespace
