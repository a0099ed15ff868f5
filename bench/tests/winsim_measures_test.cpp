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

// A program that runs for a while leaves the process list, and the performance data, when its
// time is up, and not before; with two of them the earlier end does not hide the later one.
TEST_F(WinsimMeasures, ProcessesEndingByThemselvesLeaveOnTime) {
    winsim::AddProgram({"C:\\Tools\\short.exe", winsim::ProgramAction::kRun, 1000});
    winsim::AddProgram({"C:\\Tools\\long.exe", winsim::ProgramAction::kRun, 3000});
    const DWORD idle = winsim::PerformanceDataSize();
    for (const char* image : {"C:\\Tools\\long.exe", "C:\\Tools\\short.exe"}) {
        std::string commandLine = image;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &started));
        CloseHandle(started.hProcess);
        CloseHandle(started.hThread);
    }
    const DWORD both = winsim::PerformanceDataSize();
    EXPECT_EQ(winsim::RunningProcessNames(), (std::vector<std::string>{"long", "short"}));

    Sleep(999);
    EXPECT_EQ(winsim::RunningProcessNames(), (std::vector<std::string>{"long", "short"}));
    EXPECT_EQ(winsim::PerformanceDataSize(), both);
    Sleep(1);
    EXPECT_EQ(winsim::RunningProcessNames(), std::vector<std::string>{"long"});
    Sleep(1999);
    EXPECT_EQ(winsim::RunningProcessNames(), std::vector<std::string>{"long"});
    Sleep(1);
    EXPECT_TRUE(winsim::RunningProcessNames().empty());
    EXPECT_EQ(winsim::PerformanceDataSize(), idle);
}

}  // namespace
