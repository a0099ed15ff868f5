// Under Wine, a whole removal killed while the library waits for a slow service, then run again at
// once, must leave the machine of an uninterrupted removal. With the Rendimo Manager server alone
// the wait is the suite cleanup's, for the Port Mapper, after the last product's own removal.
#include <gtest/gtest.h>

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
const std::vector<std::string> kRemoveAll = {"remove", "--all", "--yes"};

bool AwaitStopPending(WineMachine& wine) {
    std::string answer;
    for (int tries = 0; tries < 300 && answer.find("STOP_PENDING") == std::string::npos; ++tries) {
        wine.Wine(std::string("sc query '") + kService + "'", &answer);
    }
    return answer.find("STOP_PENDING") != std::string::npos;
}

TEST(InterruptedWineRemoval, RunningItAgainLeavesTheMachineOfAnUninterruptedRemoval) {
    const char* bin = std::getenv("WINE_SCENARIO_BIN");
    if (bin == nullptr) {
        GTEST_SKIP() << "WINE_SCENARIO_BIN is not set";
    }
    const fs::path work = fs::path(bin).parent_path() / "wine-interruption";
    const std::string image = (work / "image").string();
    fs::remove_all(work);
    std::string error;
    ASSERT_TRUE(WineMachine::MakeTemplate((work / "template").string(), &error)) << error;
    ASSERT_EQ(
        RunProgram(OVUNINSTALL_PROGRAM, {"demo", image, "--components", "Rendimo Manager Server"})
            .exitCode,
        0);
    nlohmann::json machine = nlohmann::json::parse(std::ifstream(image + "/machine.json"));
    for (auto& service : machine["services"]) {
        if (service["name"] == kService) {
            service.update({{"stop", "pending"}, {"stop pending ms", 15000}});
        }
    }
    std::ofstream(image + "/machine.json") << machine;

    MachineSnapshot ends[2];
    for (const bool cut : {false, true}) {
        WineMachine wine((work / "prefix").string(), bin);
        ASSERT_TRUE(wine.Prepare((work / "template").string(), image, &error)) << error;
        if (cut) {
            std::thread removal([&] { wine.Run(kRemoveAll); });
            const bool waiting = AwaitStopPending(wine);
            // As an administrator ends a removal that seems to hang.
            wine.Wine("taskkill /f /im ovuninstall.exe");
            removal.join();
            ASSERT_TRUE(waiting) << "the removal never waited for " << kService;
        }
        // The whole suite goes; the uninstaller's own files wait for the next start.
        EXPECT_EQ(wine.Run(kRemoveAll).exitCode, 3010);
        ASSERT_TRUE(wine.Snapshot(image, (work / "end").string(), &error)) << error;
        ASSERT_TRUE(ReadSnapshot((work / "end").string(), &ends[cut], &error)) << error;
    }
    EXPECT_EQ(DescribeChanges(ends[0], ends[1]), std::vector<std::string>{});
    if (!::testing::Test::HasFailure()) {
        fs::remove_all(work);
    }
}

}  // namespace
