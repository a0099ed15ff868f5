// A removal cut short anywhere finishes when it runs again. For each machine the whole suite is
// removed once without interruption (N reports); then, for every k from 1 to N, a fresh copy is
// removed with a power cut at report k and removed again, and the machine must end as the
// uninterrupted run left it. Prints one line per machine and each leftover.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <sstream>
#include <thread>

#include "platform/winsim/control.h"
#include "scenario/machine_snapshot.h"
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

constexpr auto kCopy = fs::copy_options::recursive | fs::copy_options::copy_symlinks;

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

// The whole image: registry, files, and the services and Program Manager groups of machine.json.
MachineSnapshot Snapshot(const fs::path& image) {
    // The snapshot is read through this process's one simulated machine.
    static std::mutex machine;
    std::lock_guard<std::mutex> hold(machine);
    MachineSnapshot snapshot;
    std::string error;
    EXPECT_TRUE(ReadSnapshot(image.string(), &snapshot, &error)) << error;
    return snapshot;
}

// What differs from the uninterrupted removal after one cut at report k and a second run.
std::vector<std::string> LeftAfterCut(const fs::path& before, const fs::path& cut, size_t k,
                                      const MachineSnapshot& whole) {
    fs::remove_all(cut);
    fs::copy(before, cut, kCopy);
    EXPECT_TRUE(RemoveAllCutAt(cut, k)) << before << ": not cut at " << k;
    RemoveAll(cut);
    return DescribeChanges(whole, Snapshot(cut));
}

TEST(InterruptedRemoval, RunningItAgainLeavesTheMachineOfAnUninterruptedRemoval) {
    const fs::path work =
        fs::temp_directory_path() / ("uninstlib-interruptions-" + std::to_string(::getpid()));
    for (const SweepMachine& machine : kMachines) {
        fs::remove_all(work);
        std::vector<std::string> demo = {"demo", (work / "before").string()};
        demo.insert(demo.end(), machine.demo.begin(), machine.demo.end());
        ASSERT_EQ(RunProgram(OVUNINSTALL_PROGRAM, demo).exitCode, 0);
        fs::copy(work / "before", work / "whole", kCopy);
        const std::vector<std::string> reports = RemoveAll(work / "whole");
        const MachineSnapshot whole = Snapshot(work / "whole");

        // The cuts are independent runs: one worker per processor takes the next k.
        std::vector<std::vector<std::string>> left(reports.size());
        std::atomic<size_t> next{0};
        const auto sweep = [&](unsigned worker) {
            const fs::path cut = work / ("cut" + std::to_string(worker));
            for (size_t k = ++next; k <= reports.size(); k = ++next) {
                left[k - 1] = LeftAfterCut(work / "before", cut, k, whole);
            }
        };
        std::vector<std::thread> workers;
        for (unsigned worker = 1; worker < std::thread::hardware_concurrency(); ++worker) {
            workers.emplace_back(sweep, worker);
        }
        sweep(0);
        for (std::thread& worker : workers) {
            worker.join();
        }

        size_t converged = 0;
        std::ostringstream leftovers;
        for (size_t k = 1; k <= reports.size(); ++k) {
            converged += left[k - 1].empty() ? 1 : 0;
            for (const std::string& change : left[k - 1]) {
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
