// The parameter store when its runtime library, or one of its functions, is missing, and the
// promise that nothing of the library stays loaded between calls.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/winsim/control.h"
#include "system/parameter_store.h"

namespace {

class ParameterStoreFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        winsim::Reset();
        std::string error;
        ASSERT_TRUE(
            winsim::ImportRegistry("Windows Registry Editor Version 5.00\n\n"
                                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvelle\\Orvanta]\n"
                                   "\"Partitioned\"=dword:00000001\n"
                                   "\"Number of Partitions\"=dword:00000003\n\n"
                                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvelle\\Orvanta\\"
                                   "Setup\\Setup]\n"
                                   "\"Sentrel\"=dword:00000001\n"
                                   "\"Program Directory\"=\"C:\\\\Orvanta\"\n",
                                   &error))
            << error;
    }
    void TearDown() override { winsim::Reset(); }
};

TEST_F(ParameterStoreFaults, EveryCallLeavesTheLibraryUnloaded) {
    char text[MAX_PATH];
    int value = 0;
    EXPECT_TRUE(GetRuntimeParamString("Program Directory", text, "Setup", kSolutionSetup));
    EXPECT_TRUE(GetRuntimeParamInt("Sentrel", &value, "Setup", kSolutionSetup));
    EXPECT_TRUE(SetRuntimeParamInt("Sentrel", 0, "Setup", kSolutionSetup));
    EXPECT_TRUE(RuntimeIsPartitioned());
    EXPECT_EQ(RuntimePartitionCount(), 3);
    EXPECT_EQ(winsim::LoadedLibraryCount(), 0u);
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 0u);
}

TEST_F(ParameterStoreFaults, MissingLibraryAnswersFalseAndMinusOne) {
    winsim::HideLibrary("ovrt.dll");
    char text[MAX_PATH];
    std::strcpy(text, "previous");
    int value = 1;
    EXPECT_FALSE(GetRuntimeParamString("Program Directory", text, "Setup", kSolutionSetup));
    EXPECT_STREQ(text, "");
    EXPECT_FALSE(GetRuntimeParamInt("Sentrel", &value, "Setup", kSolutionSetup));
    EXPECT_FALSE(IsSetupFlagInstalled("Sentrel"));
    EXPECT_FALSE(SetRuntimeParamInt("Sentrel", 0, "Setup", kSolutionSetup));
    EXPECT_FALSE(RuntimeIsPartitioned());
    EXPECT_EQ(RuntimePartitionCount(), -1);
    EXPECT_EQ(winsim::LoadedLibraryCount(), 0u);
}

TEST_F(ParameterStoreFaults, MissingFunctionAnswersFalseAndFreesTheLibrary) {
    winsim::HideExport("ovrt.dll", "GetParamInt");
    winsim::HideExport("ovrt.dll", "GetNumberOfPartitions");
    int value = 1;
    EXPECT_FALSE(GetRuntimeParamInt("Sentrel", &value, "Setup", kSolutionSetup));
    EXPECT_FALSE(IsSetupFlagInstalled("Sentrel"));
    EXPECT_EQ(RuntimePartitionCount(), -1);
    char text[MAX_PATH];
    EXPECT_TRUE(GetRuntimeParamString("Program Directory", text, "Setup", kSolutionSetup));
    EXPECT_EQ(winsim::LoadedLibraryCount(), 0u);
}

TEST_F(ParameterStoreFaults, MissingSolutionSelectorMakesEveryParameterCallFail) {
    winsim::HideExport("ovrt.dll", "SetSolution");
    char text[MAX_PATH];
    int value = 0;
    EXPECT_FALSE(GetRuntimeParamString("Program Directory", text, "Setup", kSolutionSetup));
    EXPECT_FALSE(GetRuntimeParamInt("Sentrel", &value, "Setup", kSolutionSetup));
    EXPECT_FALSE(SetRuntimeParamInt("Sentrel", 0, "Setup", kSolutionSetup));
    EXPECT_TRUE(RuntimeIsPartitioned());
}

}  // namespace
