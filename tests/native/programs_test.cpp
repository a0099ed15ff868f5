// RunAndWait against programs of the simulated machine, with the virtual clock showing how long
// each start kept the caller.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/winsim/control.h"
#include "support/services_seed.h"
#include "system/programs.h"

namespace {

using services_seed::MakeProgram;

bool IsRunning(const std::string& name) {
    const std::vector<std::string> names = winsim::RunningProcessNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

class Programs : public ::testing::Test {
  protected:
    void SetUp() override { winsim::Reset(); }
    void TearDown() override {
        EXPECT_EQ(winsim::OpenProcessHandleCount(), 0u);
        winsim::Reset();
    }
};

TEST_F(Programs, ProgramThatFinishesAtOnceIsNotWaitedFor) {
    winsim::AddProgram(MakeProgram("C:\\Tools\\quick.exe", 0, 3));
    char line[] = "C:\\Tools\\quick.exe /all";
    EXPECT_EQ(RunAndWait(line), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(winsim::NowMs(), 0u);

    // Started without a console, with nothing inherited, in the caller's environment and folder.
    const std::vector<winsim::ProgramStart> starts = winsim::ProgramStarts();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].applicationName, "");
    EXPECT_EQ(starts[0].commandLine, "C:\\Tools\\quick.exe /all");
    EXPECT_EQ(starts[0].creationFlags, 0x4000008u);
    EXPECT_FALSE(starts[0].inheritHandles);
    EXPECT_FALSE(starts[0].ownEnvironment);
    EXPECT_EQ(starts[0].currentDirectory, "");
    EXPECT_EQ(starts[0].startupInfoSize, 104u);
    EXPECT_EQ(starts[0].error, 0u);
    EXPECT_NE(starts[0].processId, 0u);
}

TEST_F(Programs, ProgramThatRunsTwentySecondsIsLeftRunningAfterFifteen) {
    winsim::AddProgram(MakeProgram("C:\\Tools\\slow.exe", 20000));
    char line[] = "C:\\Tools\\slow.exe";
    EXPECT_EQ(RunAndWait(line), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(winsim::NowMs(), 15000u);
    EXPECT_TRUE(IsRunning("slow"));
    Sleep(5000);
    EXPECT_FALSE(IsRunning("slow"));
}

TEST_F(Programs, SecondWaitEndsWithTheProgram) {
    winsim::AddProgram(MakeProgram("C:\\Tools\\report.exe", 12000));
    char line[] = "C:\\Tools\\report.exe";
    EXPECT_EQ(RunAndWait(line), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(winsim::NowMs(), 12000u);
    EXPECT_FALSE(IsRunning("report"));

    // A program that ends within the first wait gets no second one.
    winsim::AddProgram(MakeProgram("C:\\Tools\\short.exe", 9000));
    char shortLine[] = "C:\\Tools\\short.exe";
    EXPECT_EQ(RunAndWait(shortLine), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(winsim::NowMs(), 21000u);
}

TEST_F(Programs, MissingProgramIsRecordedAndNothingRuns) {
    char line[] = "C:\\Orvanta\\Common\\ovconcmd \"t ovagent q\" MAIL01";
    EXPECT_EQ(RunAndWait(line), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(winsim::RunningProcessNames().empty());
    const std::vector<winsim::ProgramStart> starts = winsim::ProgramStarts();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(winsim::NowMs(), 0u);
}

}  // namespace
