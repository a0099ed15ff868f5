#include <chrono>

#include "winsim/fresh_machine.h"

namespace {

using Clock = FreshMachine;

TEST_F(Clock, SleepAdvancesVirtualTimeAndReturnsAtOnce) {
    EXPECT_EQ(winsim::NowMs(), 0u);
    EXPECT_EQ(GetTickCount(), 0u);

    const auto started = std::chrono::steady_clock::now();
    Sleep(5000);
    Sleep(1000);
    Sleep(0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));

    EXPECT_EQ(winsim::NowMs(), 6000u);
    EXPECT_EQ(winsim::TotalSleptMs(), 6000u);
    EXPECT_EQ(GetTickCount(), 6000u);

    winsim::Reset();
    EXPECT_EQ(winsim::NowMs(), 0u);
    EXPECT_EQ(winsim::TotalSleptMs(), 0u);
}

TEST_F(Clock, TickCountWrapsAfter49Days) {
    Sleep(0xFFFFFFFF);
    Sleep(10);
    EXPECT_EQ(winsim::NowMs(), 0x100000009u);
    EXPECT_EQ(GetTickCount(), 9u);
}

}  // namespace
