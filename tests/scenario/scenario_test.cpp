// Every scenario of tests/scenarios, run with the native uninstall program on a copy of its
// machine: the reports and the changes to the machine must be the ones the scenario expects. With
// UPDATE_SCENARIOS=1 in the environment the expectations are written from the runs instead, for
// review before they are committed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "scenario/machine_snapshot.h"
#include "scenario/program_run.h"
#include "scenario/scenario.h"
#include "scenario/scenario_expectations.h"
#include "scenario/scenario_image.h"

namespace fs = std::filesystem;

namespace {

bool Updating() {
    const char* update = std::getenv("UPDATE_SCENARIOS");
    return update != nullptr && std::string(update) == "1";
}

class ScenarioTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(ScenarioTest, ReportsAndChangesAreTheExpectedOnes) {
    const Scenario& scenario = GetParam();
    const fs::path work = fs::temp_directory_path() / ("uninstlib-scenario-" + scenario.name + "-" +
                                                       std::to_string(::getpid()));
    fs::remove_all(work);
    const fs::path before = work / "before";
    const fs::path after = work / "after";

    std::string error;
    ASSERT_TRUE(MakeScenarioImage(scenario, before.string(), &error)) << error;
    fs::copy(before, after, fs::copy_options::recursive | fs::copy_options::copy_symlinks);

    std::string transcript;
    for (const ScenarioRun& run : scenario.runs) {
        std::vector<std::string> args = {"--machine", after.string()};
        args.insert(args.end(), run.args.begin(), run.args.end());
        const ProgramResult result = RunProgram(OVUNINSTALL_PROGRAM, args);
        transcript += result.output;
        if (!Updating()) {
            EXPECT_EQ(result.exitCode, NativeExitCode(run.exit))
                << "exit code of ovuninstall " << run.args.front() << " (Windows: " << run.exit
                << ")";
        }
    }

    MachineSnapshot old;
    MachineSnapshot now;
    ASSERT_TRUE(ReadSnapshot(before.string(), &old, &error)) << error;
    ASSERT_TRUE(ReadSnapshot(after.string(), &now, &error)) << error;
    const std::vector<std::string> changes = DescribeChanges(old, now);

    if (Updating()) {
        WriteExpectations(scenario, transcript, changes);
    } else {
        const std::vector<std::string> expectedTranscript = ExpectedTranscript(scenario);
        const std::vector<std::string> actualTranscript = SplitLines(transcript);
        EXPECT_EQ(expectedTranscript, actualTranscript)
            << "reports differ: " << FirstDifference(expectedTranscript, actualTranscript);
        const std::vector<std::string> expectedChanges = ExpectedChanges(scenario);
        EXPECT_EQ(expectedChanges, changes)
            << DifferingChanges(expectedChanges, changes, "in changes.txt", "in this run");
    }
    if (!::testing::Test::HasFailure()) {
        fs::remove_all(work);
    }
}

std::string NameOf(const ::testing::TestParamInfo<Scenario>& info) {
    std::string name;
    for (char c : info.param.name) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioTest,
                         ::testing::ValuesIn(LoadScenarios(SCENARIOS_FOLDER)), NameOf);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ScenarioTest);

}  // namespace
