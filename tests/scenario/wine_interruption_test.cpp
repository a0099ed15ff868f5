// Under Wine, a whole removal killed while the library waits for a service that takes long to
// stop finishes when ovuninstall.exe runs again. The machine holds the Rendimo Manager server
// alone, so the wait is the suite cleanup's for the Port Mapper, after the last product's own
// removal: the machine must end as the uninterrupted removal leaves it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <thread>

#include "scenario/machine_snapshot.h"
#include "scenario/program_run.h"
#include "scenario/wine_machine.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kService = "Orvanta Port Mapper";
constexpr int kStopPendingMs = 15000;

bool MakeImage(const fs::path& dir) {
    if (RunProgram(OVUNINSTALL_PROGRAM,
                   {"demo", dir.string(), "--components", "Rendimo Manager Server"})
            .exitCode != 0) {
        return false;
    }
    nlohmann::ordered_json machine =
        nlohmann::ordered_json::parse(std::ifstream(dir / "machine.json"));
    for (auto& service : machine["services"]) {
        if (service["name"] == kService) {
            service["stop"] = "pending";
            service["stop pending ms"] = kStopPendingMs;
        }
    }
    std::ofstream(dir / "machine.json") << machine.dump(4);
    return true;
}

// Waits until sc reports the service in that state.
bool AwaitState(WineMachine& wine, const std::string& state) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < limit) {
        std::string answer;
        wine.Wine(std::string("sc query '") + kService + "'", &answer);
        if (answer.find(state) != std::string::npos) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return false;
}

TEST(InterruptedWineRemoval, RunningItAgainLeavesTheMachineOfAnUninterruptedRemoval) {
    const char* bin = std::getenv("WINE_SCENARIO_BIN");
    if (bin == nullptr) {
        GTEST_SKIP() << "WINE_SCENARIO_BIN is not set";
    }
    const fs::path work = fs::path(bin).parent_path() / "wine-interruption";
    fs::remove_all(work);
    std::string error;
    ASSERT_TRUE(WineMachine::MakeTemplate((work / "template").string(), &error)) << error;
    ASSERT_TRUE(MakeImage(work / "image"));
    const std::string image = (work / "image").string();
    const std::vector<std::string> removeAll = {"remove", "--all", "--yes"};
    {
        WineMachine wine((work / "whole-prefix").string(), bin);
        ASSERT_TRUE(wine.Prepare((work / "template").string(), image, &error)) << error;
        EXPECT_EQ(wine.Run(removeAll).exitCode, 0);
        ASSERT_TRUE(wine.Snapshot(image, (work / "whole").string(), &error)) << error;
    }
    {
        WineMachine wine((work / "cut-prefix").string(), bin);
        ASSERT_TRUE(wine.Prepare((work / "template").string(), image, &error)) << error;
        std::thread removal([&] { wine.Run(removeAll); });
        const bool waiting = AwaitState(wine, "STOP_PENDING");
        // As an administrator ends a removal that seems to hang.
        wine.Wine("taskkill /f /im ovuninstall.exe");
        removal.join();
        ASSERT_TRUE(waiting) << "the removal never waited for " << kService;
        // Run again at once, while the service is still stopping.
        EXPECT_EQ(wine.Run(removeAll).exitCode, 0);
        ASSERT_TRUE(wine.Snapshot(image, (work / "cut").string(), &error)) << error;
    }
    MachineSnapshot whole;
    MachineSnapshot cut;
    ASSERT_TRUE(ReadSnapshot((work / "whole").string(), &whole, &error)) << error;
    ASSERT_TRUE(ReadSnapshot((work / "cut").string(), &cut, &error)) << error;
    EXPECT_EQ(DescribeChanges(whole, cut), std::vector<std::string>{});
    if (!::testing::Test::HasFailure()) {
        fs::remove_all(work);
    }
}

}  // namespace
