// FindProcess against the simulated machine's performance data: which process it finds, what
// makes it find nothing, how it grows its buffer, and that it leaves nothing open.
#include <gtest/gtest.h>

#include "platform/winsim/control.h"
#include "system/process_detection.h"

namespace {

constexpr DWORD kFirstBuffer = 51200;
constexpr DWORD kGrowth = 25600;

class ProcessDetection : public ::testing::Test {
  protected:
    void SetUp() override { winsim::Reset(); }
    void TearDown() override {
        // Whatever the outcome, the perflib key and HKEY_PERFORMANCE_DATA are closed again.
        EXPECT_EQ(winsim::OpenKeyHandleCount(), 0u);
        EXPECT_FALSE(winsim::PerformanceDataOpen());
        winsim::Reset();
    }

    static std::vector<DWORD> OfferedSizes() {
        std::vector<DWORD> sizes;
        for (const winsim::PerformanceQuery& query : winsim::PerformanceQueries()) {
            sizes.push_back(query.bufferSize);
        }
        return sizes;
    }
};

TEST_F(ProcessDetection, FirstInstanceOfTheNameGivesTheId) {
    winsim::StartProcess("novagent");
    const DWORD first = winsim::StartProcess("nserver");
    winsim::StartProcess("nserver");
    EXPECT_EQ(FindProcess("nserver"), first);
    // One query, for the Process object by the index the counter names give it.
    ASSERT_EQ(winsim::PerformanceQueries().size(), 1u);
    EXPECT_EQ(winsim::PerformanceQueries()[0].valueName, "230");
    EXPECT_EQ(winsim::PerformanceQueries()[0].bufferSize, kFirstBuffer);
}

TEST_F(ProcessDetection, MissingCounterNameFindsNothing) {
    winsim::StartProcess("nserver");
    winsim::RemoveCounterName("ID Process");
    EXPECT_EQ(FindProcess("nserver"), 0u);
    winsim::SetCounterNames(winsim::DefaultCounterNames());
    winsim::RemoveCounterName("Process");
    EXPECT_EQ(FindProcess("nserver"), 0u);
    // Without the names there is nothing to ask the performance data for.
    EXPECT_TRUE(winsim::PerformanceQueries().empty());
}

TEST_F(ProcessDetection, CounterNamesThatCannotBeReadFindNothing) {
    winsim::StartProcess("nserver");
    winsim::FailKeyOpen("HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib\\009",
                        ERROR_ACCESS_DENIED);
    EXPECT_EQ(FindProcess("nserver"), 0u);
    winsim::ClearFaults();
    winsim::SetCounterNames({});
    EXPECT_EQ(FindProcess("nserver"), 0u);
}

TEST_F(ProcessDetection, LargeBlockIsReadAfterGrowingTheBuffer) {
    winsim::PadPerformanceData(kFirstBuffer + kGrowth);
    const DWORD server = winsim::StartProcess("nserver");
    ASSERT_GT(winsim::PerformanceDataSize(), kFirstBuffer + kGrowth);
    ASSERT_LE(winsim::PerformanceDataSize(), kFirstBuffer + 2 * kGrowth);
    EXPECT_EQ(FindProcess("nserver"), server);
    EXPECT_EQ(OfferedSizes(), (std::vector<DWORD>{kFirstBuffer, kFirstBuffer + kGrowth,
                                                  kFirstBuffer + 2 * kGrowth}));
}

TEST_F(ProcessDetection, FailedQueryFindsNothing) {
    winsim::StartProcess("nserver");
    winsim::FailPerformanceQuery(ERROR_ACCESS_DENIED);
    EXPECT_EQ(FindProcess("nserver"), 0u);
    EXPECT_EQ(OfferedSizes(), std::vector<DWORD>{kFirstBuffer});
}

TEST_F(ProcessDetection, BufferStopsGrowingAt64MiB) {
    winsim::StartProcess("nserver");
    winsim::FailPerformanceQuery(ERROR_MORE_DATA);
    EXPECT_EQ(FindProcess("nserver"), 0u);
    const std::vector<DWORD> sizes = OfferedSizes();
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.front(), kFirstBuffer);
    EXPECT_LE(sizes.back(), 64u * 1024 * 1024);
    EXPECT_GT(sizes.back() + kGrowth, 64u * 1024 * 1024);
    EXPECT_EQ(sizes.size(), (sizes.back() - kFirstBuffer) / kGrowth + 1);
}

}  // namespace
