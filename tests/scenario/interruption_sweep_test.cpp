// A removal cut short anywhere finishes when it runs again. For each machine the whole suite is
// removed once without interruption (N reports); then, for every k from 1 to N, a fresh copy is
// removed with a power cut at report k and removed again, and its registry and files must end as
// the uninterrupted run left them. Prints one line per machine and each leftover.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "scenario/machine_snapshot.h"
#include "platform/winsim/control.h"
#include "scenario/program_run.h"

namespace fs = std::filesystem;

namespace {

struct SweepMachine {
    const char* name;
    std::vector<std::string> demo;
};

const SweepMachine kMachines[] = {
    {"whole suite", {}},
    {"whole suite, two partitions", {"--partitions", "2"}},
    {"Sentrel", {"--components", "Sentrel,OVSNMP,Paging Server,Advanced Vellgard Server"}},
    {"Pathlyn", {"--components", "Pathlyn Server,Pathlyn Client"}},
    {"Rendimo Manager", {"--components", "Rendimo Manager Server"}},
    {"Examora", {"--components", "Examora Server"}},
    {"Kestrune", {"--components", "Kestrune Console"}},
    {"NT 3.51", {"--os", "nt351"}},
    {"Windows 95", {"--os", "win95"}},
};

// The texts of the reports, in order.
std::vector<std::string> RemoveAll(const fs::path& image) {
    const ProgramResult run = RunProgram(
        OVUNINSTALL_PROGRAM, {"--machine", image.string(), "remove", "--all", "--yes", "--json"});
    std::vector<std::string> reports;
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) {
        const nlohmann::json report = nlohmann::json::parse(line);
        if (report.contains("kind")) {
            reports.push_back(report["text"].get<std::string>());
        }
    }
    return reports;
}

// The removal ends at report k, as at a power cut; false when it ran to its end.
bool RemoveAllCutAt(const fs::path& image, size_t k) {
    nlohmann::ordered_json machine =
        nlohmann::ordered_json::parse(std::ifstream(image / "machine.json"));
    machine["faults"]["end at report"] = k;
    std::ofstream(image / "machine.json") << machine.dump(4);
    return RunProgram(OVUNINSTALL_PROGRAM,
                      {"--machine", image.string(), "remove", "--all", "--yes"})
               .exitCode == winsim::kPowerCutExitCode;
}

// Registry and files; what machine.json holds besides is compared in the scenarios.
MachineSnapshot RegistryAndFiles(const fs::path& image) {
    MachineSnapshot snapshot;
    std::string error;
    EXPECT_TRUE(ReadSnapshot(image.string(), &snapshot, &error)) << error;
    snapshot.machine = nullptr;
    return snapshot;
}

TEST(InterruptedRemoval, RunningItAgainLeavesTheMachineOfAnUninterruptedRemoval) {
    const fs::path work =
        fs::temp_directory_path() / ("uninstlib-interruptions-" + std::to_string(::getpid()));
    const auto copy = fs::copy_options::recursive | fs::copy_options::copy_symlinks;
    for (const SweepMachine& machine : kMachines) {
        fs::remove_all(work);
        std::vector<std::string> demo = {"demo", (work / "before").string()};
        demo.insert(demo.end(), machine.demo.begin(), machine.demo.end());
        ASSERT_EQ(RunProgram(OVUNINSTALL_PROGRAM, demo).exitCode, 0);
        fs::copy(work / "before", work / "whole", copy);
        const std::vector<std::string> reports = RemoveAll(work / "whole");
        const MachineSnapshot whole = RegistryAndFiles(work / "whole");

        size_t converged = 0;
        std::ostringstream leftovers;
        for (size_t k = 1; k <= reports.size(); ++k) {
            fs::remove_all(work / "cut");
            fs::copy(work / "before", work / "cut", copy);
            EXPECT_TRUE(RemoveAllCutAt(work / "cut", k)) << machine.name << ": not cut at " << k;
            RemoveAll(work / "cut");
            const std::vector<std::string> left =
                DescribeChanges(whole, RegistryAndFiles(work / "cut"));
            converged += left.empty() ? 1 : 0;
            for (const std::string& change : left) {
                leftovers << "  cut at " << k << " (" << reports[k - 1] << "): " << change << "\n";
            }
        }
        std::cout << machine.name << ": " << converged << " of " << reports.size()
                  << " interruptions converge\n"
                  << leftovers.str() << std::flush;
        EXPECT_EQ(converged, reports.size()) << machine.name;
    }
    fs::remove_all(work);
}

}  // namespace
