// The partition exports as a caller sees them: the library loaded by name, the exports found by
// their plain names, a fresh load for each case so the remembered partition starts unset.
#include <gtest/gtest.h>

#include <string>

#include "support/loaded_library.h"
#include "support/machine.h"
#include "uninstlib/uninstlib.h"

namespace machine = testing_machine;

namespace {

class PartitionExports : public LoadedLibraryTest {
  protected:
    void SetUp() override {
        LoadedLibraryTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        getPartition = Resolve<ovGetPartitionFunction>("ovGetPartition");
        setPartition = Resolve<ovSetPartitionFunction>("ovSetPartition");
        setPartitionExt = Resolve<ovSetPartitionExtFunction>("ovSetPartitionExt");
        shouldCreateEnv = Resolve<ovShouldCreateEnvFunction>("ovShouldCreateEnv");
        ASSERT_TRUE(getPartition && setPartition && setPartitionExt && shouldCreateEnv);
    }

    ovGetPartitionFunction getPartition = nullptr;
    ovSetPartitionFunction setPartition = nullptr;
    ovSetPartitionExtFunction setPartitionExt = nullptr;
    ovShouldCreateEnvFunction shouldCreateEnv = nullptr;
};

TEST_F(PartitionExports, DominoVariableWinsOverTheSuitesOwn) {
    machine::SetEnvironment("NOTESPARTITION", "3");
    machine::SetEnvironment("OVNOTESPARTITION", "5");
    EXPECT_EQ(getPartition(), 3);
}

TEST_F(PartitionExports, SuiteVariableIsReadWhenTheDominoOneIsMissing) {
    machine::SetEnvironment("OVNOTESPARTITION", "5");
    EXPECT_EQ(getPartition(), 5);
}

TEST_F(PartitionExports, FirstPartitionReadIsRememberedForGood) {
    machine::SetEnvironment("NOTESPARTITION", "3");
    EXPECT_EQ(getPartition(), 3);
    setPartition(7);
    machine::SetEnvironment("NOTESPARTITION", "9");
    EXPECT_EQ(getPartition(), 3);
    EXPECT_EQ(machine::ReadEnvironment("OVNOTESPARTITION"), "7");
}

TEST_F(PartitionExports, NothingIsRememberedWhileNoVariableIsSet) {
    EXPECT_EQ(getPartition(), -1);
    EXPECT_EQ(getPartition(), -1);
    setPartition(4);
    EXPECT_EQ(getPartition(), 4);
    setPartition(6);
    EXPECT_EQ(getPartition(), 4);
}

// The variable is read into a 100-byte buffer: a text of 100 characters or ten times that is
// not read at all (never cut into another number); 99 characters are. Leading zeros keep the
// long texts the number 7.
TEST_F(PartitionExports, VariablesTooLongForTheirBufferAreNotRead) {
    for (const size_t length : {size_t{1000}, size_t{100}}) {
        machine::SetEnvironment("NOTESPARTITION", (std::string(length - 1, '0') + "7").c_str());
        EXPECT_EQ(getPartition(), -1) << length;
    }
    machine::SetEnvironment("NOTESPARTITION", nullptr);
    machine::SetEnvironment("OVNOTESPARTITION", (std::string(98, '0') + "7").c_str());
    EXPECT_EQ(getPartition(), 7);
}

TEST_F(PartitionExports, TextThatIsNoNumberIsRememberedAsZero) {
    machine::SetEnvironment("NOTESPARTITION", "first");
    EXPECT_EQ(getPartition(), 0);
    machine::SetEnvironment("NOTESPARTITION", "2");
    EXPECT_EQ(getPartition(), 0);
}

TEST_F(PartitionExports, SettingTouchesOnlyTheSuitesVariable) {
    machine::SetEnvironment("NOTESPARTITION", "1");
    setPartition(12);
    EXPECT_EQ(machine::ReadEnvironment("OVNOTESPARTITION"), "12");
    EXPECT_EQ(machine::ReadEnvironment("NOTESPARTITION"), "1");
    setPartition(-2);
    EXPECT_EQ(machine::ReadEnvironment("OVNOTESPARTITION"), "-2");
}

TEST_F(PartitionExports, EnvironmentIsCreatedOnlyWithoutADominoKey) {
    EXPECT_EQ(shouldCreateEnv(), 1);
    setPartitionExt(4);
    EXPECT_EQ(machine::ReadEnvironment("OVNOTESPARTITION"), "4");
    EXPECT_EQ(machine::ReadEnvironment("NOTESPARTITION"), "4");
}

TEST_F(PartitionExports, ExtendedSetWithZeroLeavesTheDominoVariable) {
    setPartitionExt(0);
    EXPECT_EQ(machine::ReadEnvironment("OVNOTESPARTITION"), "0");
    EXPECT_EQ(machine::ReadEnvironment("NOTESPARTITION"), "");
}

TEST_F(PartitionExports, ExtendedSetOnADominoMachineLeavesTheDominoVariable) {
    machine::CreateKey("Software\\Lotus\\Domino");
    EXPECT_EQ(shouldCreateEnv(), 0);
    setPartitionExt(4);
    EXPECT_EQ(machine::ReadEnvironment("OVNOTESPARTITION"), "4");
    EXPECT_EQ(machine::ReadEnvironment("NOTESPARTITION"), "");
}

}  // namespace
