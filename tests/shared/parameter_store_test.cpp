// The parameter store through the real runtime library: where it finds the suite's parameters,
// with and without partitions, and what a failed read leaves behind.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/machine.h"
#include "system/parameter_store.h"

namespace machine = testing_machine;

namespace {

const std::string kRoot = "SOFTWARE\\Tarvelle\\Orvanta";

class ParameterStore : public ::testing::Test {
  protected:
    void SetUp() override { machine::Reset(); }
    void TearDown() override { machine::Reset(); }
};

TEST_F(ParameterStore, UnpartitionedSuiteReadsBelowTheRoot) {
    machine::SetString(kRoot + "\\Setup\\Setup", "Program Directory", "C:\\Orvanta");
    machine::SetDword(kRoot + "\\Setup\\Setup", "Examora Server", 1);
    machine::SetString(kRoot + "\\Kestrune\\Mail", "Mail Database", "ovmail.nsf");

    char text[MAX_PATH];
    EXPECT_TRUE(GetRuntimeParamString("Program Directory", text, "Setup", kSolutionSetup));
    EXPECT_STREQ(text, "C:\\Orvanta");
    EXPECT_TRUE(GetRuntimeParamString("Mail Database", text, "Mail", kSolutionKestrune));
    EXPECT_STREQ(text, "ovmail.nsf");
    int value = 0;
    EXPECT_TRUE(GetRuntimeParamInt("Examora Server", &value, "Setup", kSolutionSetup));
    EXPECT_EQ(value, 1);
    EXPECT_TRUE(IsSetupFlagInstalled("Examora Server"));
    EXPECT_FALSE(RuntimeIsPartitioned());
    EXPECT_EQ(RuntimePartitionCount(), -1);
}

TEST_F(ParameterStore, PartitionedSuiteReadsThePartitionTheEnvironmentSelects) {
    machine::SetDword(kRoot, "Partitioned", 1);
    machine::SetDword(kRoot, "Number of Partitions", 2);
    machine::SetString(kRoot + "\\Partition 2\\Setup\\Setup", "Current Version", "5.2");
    machine::SetString(kRoot + "\\Setup\\Setup", "Current Version", "4.0");

    EXPECT_TRUE(RuntimeIsPartitioned());
    EXPECT_EQ(RuntimePartitionCount(), 2);

    char text[MAX_PATH];
    machine::SetEnvironment("OVNOTESPARTITION", "2");
    EXPECT_TRUE(GetRuntimeParamString("Current Version", text, "Setup", kSolutionSetup));
    EXPECT_STREQ(text, "5.2");

    machine::SetEnvironment("OVNOTESPARTITION", "1");
    machine::SetEnvironment("NOTESPARTITION", "2");
    EXPECT_FALSE(GetRuntimeParamString("Current Version", text, "Setup", kSolutionSetup));
    EXPECT_STREQ(text, "");

    machine::SetEnvironment("OVNOTESPARTITION", nullptr);
    EXPECT_TRUE(GetRuntimeParamString("Current Version", text, "Setup", kSolutionSetup));
    EXPECT_STREQ(text, "5.2");
}

TEST_F(ParameterStore, WritesCreateTheSectionOfTheSolution) {
    EXPECT_TRUE(SetRuntimeParamInt("Send Traps", 0, "Recycle", kSolutionSentrel));
    EXPECT_EQ(machine::ReadDword(kRoot + "\\Sentrel\\Recycle", "Send Traps"), 0u);
    EXPECT_TRUE(SetRuntimeParamInt("Rendimo Manager Server", 0, "Setup", kSolutionSetup));
    int value = 5;
    EXPECT_TRUE(GetRuntimeParamInt("Rendimo Manager Server", &value, "Setup", kSolutionSetup));
    EXPECT_EQ(value, 0);
}

TEST_F(ParameterStore, FailedReadsLeaveNoEarlierValueBehind) {
    machine::SetString(kRoot + "\\Setup\\Setup", "Folder Location", "C:\\Menu");
    machine::SetString(kRoot + "\\Setup\\Setup", "Flag As Text", "1");

    char text[MAX_PATH];
    std::strcpy(text, "previous");
    EXPECT_FALSE(GetRuntimeParamString("Missing", text, "Setup", kSolutionSetup));
    EXPECT_STREQ(text, "");
    // A text fills at most 259 characters of the 260-byte buffer: one less and exactly that are
    // read whole, one more and ten times that are failed reads, never cut.
    for (const size_t length : {size_t{258}, size_t{259}, size_t{260}, size_t{2590}}) {
        machine::SetString(kRoot + "\\Setup\\Setup", "Directory", std::string(length, 'y'));
        std::strcpy(text, "previous");
        const bool fits = length < MAX_PATH;
        EXPECT_EQ(GetRuntimeParamString("Directory", text, "Setup", kSolutionSetup), fits)
            << length;
        EXPECT_EQ(std::strlen(text), fits ? length : 0u) << length;
    }

    // A flag the store cannot read as a number is never taken for an installed one.
    int value = 1;
    EXPECT_FALSE(GetRuntimeParamInt("Flag As Text", &value, "Setup", kSolutionSetup));
    EXPECT_FALSE(IsSetupFlagInstalled("Flag As Text"));
    EXPECT_FALSE(IsSetupFlagInstalled("Missing"));
    EXPECT_FALSE(GetRuntimeParamString("Folder Location", nullptr, "Setup", kSolutionSetup));
}

}  // namespace
