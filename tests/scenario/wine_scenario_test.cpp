// Every scenario that Wine can host, run with the Windows build of the uninstall program in a Wine
// prefix that holds the scenario's machine: the reports and the changes must be the very ones the
// native run gives. Needs WINE_SCENARIO_BIN, the Windows build's program folder; a scenario Wine
// cannot host is skipped with its reason.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "scenario/machine_snapshot.h"
#include "scenario/scenario.h"
#include "scenario/scenario_expectations.h"
#include "scenario/scenario_image.h"
#include "scenario/wine_machine.h"

namespace fs = std::filesystem;

namespace {

std::string WindowsBin() {
    const char* bin = std::getenv("WINE_SCENARIO_BIN");
    return bin != nullptr ? bin : "";
}

class WineScenarioTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(WineScenarioTest, ReportsAndChangesAreTheNativeOnes) {
    const Scenario& scenario = GetParam();
    if (!scenario.wine) {
        GTEST_SKIP() << "Wine cannot host it: " << scenario.wineSkipReason;
    }
    if (WindowsBin().empty()) {
        GTEST_SKIP() << "WINE_SCENARIO_BIN is not set";
    }
    const fs::path work = fs::path(WindowsBin()).parent_path() / "wine-scenarios";
    const fs::path templateDir = work / "template";
    const fs::path before = work / (scenario.name + "-image");
    std::string error;
    ASSERT_TRUE(WineMachine::MakeTemplate(templateDir.string(), &error)) << error;
    fs::remove_all(before);
    ASSERT_TRUE(MakeScenarioImage(scenario, before.string(), &error)) << error;

    WineMachine wine((work / (scenario.name + "-prefix")).string(), WindowsBin());
    ASSERT_TRUE(wine.Prepare(templateDir.string(), before.string(), &error)) << error;
    const fs::path wineBefore = work / (scenario.name + "-before");
    const fs::path wineAfter = work / (scenario.name + "-after");
    ASSERT_TRUE(wine.Snapshot(before.string(), wineBefore.string(), &error)) << error;

    std::string transcript;
    for (const ScenarioRun& run : scenario.runs) {
        const ProgramResult result = wine.Run(run.args);
        transcript += result.output;
        EXPECT_EQ(result.exitCode, run.exit) << "exit code of ovuninstall.exe " << run.args.front();
    }
    ASSERT_TRUE(wine.Snapshot(before.string(), wineAfter.string(), &error)) << error;

    MachineSnapshot old;
    MachineSnapshot now;
    ASSERT_TRUE(ReadSnapshot(wineBefore.string(), &old, &error)) << error;
    ASSERT_TRUE(ReadSnapshot(wineAfter.string(), &now, &error)) << error;
    const std::vector<std::string> changes = DescribeChanges(old, now);

    const std::vector<std::string> expectedTranscript = ExpectedTranscript(scenario);
    const std::vector<std::string> actualTranscript = SplitLines(transcript);
    EXPECT_EQ(expectedTranscript, actualTranscript)
        << "reports differ (expected: native, actual: Wine): "
        << FirstDifference(expectedTranscript, actualTranscript);
    const std::vector<std::string> expectedChanges = ExpectedChanges(scenario);
    EXPECT_EQ(expectedChanges, changes)
        << DifferingChanges(expectedChanges, changes, "natively", "under Wine");
    if (!::testing::Test::HasFailure()) {
        for (const fs::path& folder : {before, wineBefore, wineAfter}) {
            fs::remove_all(folder);
        }
    }
}

std::string NameOf(const ::testing::TestParamInfo<Scenario>& info) {
    std::string name;
    for (char c : info.param.name) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, WineScenarioTest,
                         ::testing::ValuesIn(LoadScenarios(SCENARIOS_FOLDER)), NameOf);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(WineScenarioTest);

}  // namespace
