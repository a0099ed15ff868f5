// What the simulated machine tells the benchmarks, and the performance data it keeps between
// queries made at one moment.
#include <gtest/gtest.h>

#include <vector>

#include "platform/winsim/control.h"

namespace {

class WinsimMeasures : public ::testing::Test {
  protected:
    void SetUp() override { winsim::Reset(); }
    void TearDown() override { winsim::Reset(); }
};

TEST_F(WinsimMeasures, LoadLibraryCallsCountsEveryCallUntilTheReset) {
    HMODULE runtime = LoadLibraryA("ovrt.dll");
    ASSERT_NE(runtime, nullptr);
    EXPECT_EQ(LoadLibraryA("missing.dll"), nullptr);
    EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
    FreeLibrary(runtime);
    EXPECT_EQ(winsim::LoadLibraryCalls(), 3u);
    winsim::Reset();
    EXPECT_EQ(winsim::LoadLibraryCalls(), 0u);
}

DWORD QueriedSize(std::vector<BYTE>* data) {
    DWORD size = static_cast<DWORD>(data->size());
    const LONG result =
        RegQueryValueExA(HKEY_PERFORMANCE_DATA, "230", nullptr, nullptr, data->data(), &size);
    RegCloseKey(HKEY_PERFORMANCE_DATA);
    return result == ERROR_SUCCESS ? size : 0;
}

// The data is kept only while nothing it is made from changes: a process that starts or ends, or
// the clock moving on, must show at once, even at the same moment of virtual time.
TEST_F(WinsimMeasures, PerformanceDataFollowsProcessesAndClock) {
    std::vector<BYTE> data(1 << 20);
    const DWORD before = QueriedSize(&data);
    ASSERT_GT(before, 0u);
    EXPECT_EQ(QueriedSize(&data), before);

    winsim::StartProcess("nserver");
    const DWORD withServer = QueriedSize(&data);
    EXPECT_GT(withServer, before);
    EXPECT_EQ(withServer, winsim::PerformanceDataSize());

    const std::vector<BYTE> first(data.begin(), data.begin() + withServer);
    Sleep(1000);
    ASSERT_EQ(QueriedSize(&data), withServer);
    EXPECT_NE(std::vector<BYTE>(data.begin(), data.begin() + withServer), first)
        << "the block's times must move with the clock";

    winsim::Reset();
    EXPECT_EQ(QueriedSize(&data), before);
}

TEST_F(WinsimMeasures, TooSmallBufferStillAsksForMoreAfterAChange) {
    std::vector<BYTE> data(winsim::PerformanceDataSize());
    EXPECT_GT(QueriedSize(&data), 0u);
    winsim::StartProcess("nserver");
    EXPECT_EQ(QueriedSize(&data), 0u) << "the buffer no longer holds the block";
}

}  // namespace
