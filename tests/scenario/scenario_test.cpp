// Every scenario of tests/scenarios, run with the native uninstall program on a copy of its
// machine: the reports and the changes to the machine must be the ones the scenario expects. With
// UPDATE_SCENARIOS=1 in the environment the expectations are written from the runs instead, for
// review before they are committed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "scenario/machine_snapshot.h"
#include "scenario/program_run.h"
#include "scenario/scenario.h"

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        lines.push_back(line);
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

// The first place where the expected and the actual lines part, with a few lines of context.
std::string FirstDifference(const std::vector<std::string>& expected,
                            const std::vector<std::string>& actual) {
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) {
        ++at;
    }
    std::ostringstream report;
    report << "first difference at line " << at + 1 << "\n";
    for (size_t i = at; i < at + 3; ++i) {
        report << "  expected: " << (i < expected.size() ? expected[i] : "(end)") << "\n";
        report << "  actual:   " << (i < actual.size() ? actual[i] : "(end)") << "\n";
    }
    return report.str();
}

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

    if (scenario.demoArguments.empty()) {
        fs::create_directories(work);
        fs::copy(fs::path(scenario.folder) / scenario.image, before, fs::copy_options::recursive);
    } else {
        std::vector<std::string> args = {"demo", before.string()};
        args.insert(args.end(), scenario.demoArguments.begin(), scenario.demoArguments.end());
        const ProgramResult made = RunProgram(OVUNINSTALL_PROGRAM, args);
        ASSERT_EQ(made.exitCode, 0) << made.output;
    }
    for (const std::vector<std::string>& step : scenario.prepare) {
        std::vector<std::string> args = {"--machine", before.string()};
        args.insert(args.end(), step.begin(), step.end());
        RunProgram(OVUNINSTALL_PROGRAM, args);
    }
    fs::copy(before, after, fs::copy_options::recursive);

    std::string transcript;
    for (const ScenarioRun& run : scenario.runs) {
        std::vector<std::string> args = {"--machine", after.string()};
        args.insert(args.end(), run.args.begin(), run.args.end());
        const ProgramResult result = RunProgram(OVUNINSTALL_PROGRAM, args);
        transcript += result.output;
        if (!Updating()) {
            EXPECT_EQ(result.exitCode, run.exit) << "exit code of ovuninstall " << run.args.front();
        }
    }

    MachineSnapshot old;
    MachineSnapshot now;
    std::string error;
    ASSERT_TRUE(ReadSnapshot(before.string(), &old, &error)) << error;
    ASSERT_TRUE(ReadSnapshot(after.string(), &now, &error)) << error;
    const std::vector<std::string> changes = DescribeChanges(old, now);

    const fs::path transcriptFile = fs::path(scenario.folder) / "transcript.jsonl";
    const fs::path changesFile = fs::path(scenario.folder) / "changes.txt";
    if (Updating()) {
        std::ofstream(transcriptFile, std::ios::binary) << transcript;
        std::ofstream(changesFile, std::ios::binary) << JoinLines(changes);
    } else {
        const std::vector<std::string> expectedTranscript = SplitLines(ReadText(transcriptFile));
        const std::vector<std::string> actualTranscript = SplitLines(transcript);
        EXPECT_EQ(expectedTranscript, actualTranscript)
            << "reports differ: " << FirstDifference(expectedTranscript, actualTranscript);
        const std::vector<std::string> expectedChanges = SplitLines(ReadText(changesFile));
        EXPECT_EQ(expectedChanges, changes)
            << "machine changes differ: " << FirstDifference(expectedChanges, changes);
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
