// A removal cut short anywhere finishes when it runs again: each machine's `remove --all --yes`
// (N reports) is cut at report k on a fresh copy, for every k, then run again, and must leave the
// uninterrupted removal's machine. Prints one line per machine and each leftover.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <thread>

#include "platform/winsim/control.h"
#include "scenario/machine_snapshot.h"
#include "scenario/program_run.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::vector<std::string>> kMachines = {
    {},
    {"--partitions", "2"},
    {"--components", "Sentrel,OVSNMP,Paging Server,Advanced Vellgard Server"},
    {"--components", "Pathlyn Server,Pathlyn Client"},
    {"--components", "Rendimo Manager Server"},
    {"--components", "Examora Server"},
    {"--components", "Kestrune Console"},
    {"--os", "nt351"},
    {"--os", "win95"},
};

// Its reports, one JSON line each; cutAt: the power cut's report.
ProgramResult RemoveAll(const fs::path& image, size_t cutAt = 0) {
    if (cutAt > 0) {
        nlohmann::json machine = nlohmann::json::parse(std::ifstream(image / "machine.json"));
        machine["faults"]["end at report"] = cutAt;
        std::ofstream(image / "machine.json") << machine;
    }
    return RunProgram(OVUNINSTALL_PROGRAM,
                      {"--machine", image.string(), "remove", "--all", "--yes", "--json"});
}

// Registry, files, services, Program Manager: read through this process's one simulated machine.
MachineSnapshot Snapshot(const fs::path& image) {
    static std::mutex machine;
    std::lock_guard<std::mutex> hold(machine);
    MachineSnapshot snapshot;
    std::string error;
    EXPECT_TRUE(ReadSnapshot(image.string(), &snapshot, &error)) << error;
    return snapshot;
}

TEST(InterruptedRemoval, RunningItAgainLeavesTheMachineOfAnUninterruptedRemoval) {
    const fs::path work = fs::temp_directory_path() / ("interruptions-" + std::to_string(getpid()));
    for (const std::vector<std::string>& options : kMachines) {
        fs::remove_all(work);
        std::vector<std::string> demo = {"demo", (work / "before").string()};
        std::string name = "demo";
        for (const std::string& option : options) {
            demo.push_back(option);
            name += " " + option;
        }
        ASSERT_EQ(RunProgram(OVUNINSTALL_PROGRAM, demo).exitCode, 0);
        fs::copy(work / "before", work / "whole", fs::copy_options::recursive);
        const std::string reports = RemoveAll(work / "whole").output;
        size_t n = 0;
        for (size_t at = reports.find("\"kind\""); at != std::string::npos; ++n) {
            at = reports.find("\"kind\"", at + 1);
        }
        const MachineSnapshot whole = Snapshot(work / "whole");

        // The cuts are independent runs: one worker per processor takes the next k.
        std::vector<std::string> left(n);
        std::atomic<size_t> next{0};
        const auto sweep = [&](unsigned worker) {
            const fs::path cut = work / std::to_string(worker);
            for (size_t k = ++next; k <= n; k = ++next) {
                fs::remove_all(cut);
                fs::copy(work / "before", cut, fs::copy_options::recursive);
                EXPECT_EQ(RemoveAll(cut, k).exitCode, winsim::kPowerCutExitCode) << k;
                RemoveAll(cut);
                for (const std::string& change : DescribeChanges(whole, Snapshot(cut))) {
                    left[k - 1] += "  cut at report " + std::to_string(k) + ": " + change + "\n";
                }
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
        const size_t converged = std::count(left.begin(), left.end(), "");
        std::cout << name << ": " << converged << " of " << n << " interruptions converge\n";
        for (const std::string& leftovers : left) {
            std::cout << leftovers;
        }
        EXPECT_EQ(converged, n);
    }
    fs::remove_all(work);
}

}  // namespace
