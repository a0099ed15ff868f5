// The suite-wide cleanup on a machine of partitioned Domino servers: a partition with a flag still
// set is not cleaned, and without a server name no other partition's key is taken.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "api/counters.h"
#include "native/suite_fixture.h"
#include "products/examora.h"
#include "sample_machine/demo_machine_winsim.h"
#include "uninstlib/uninstlib.h"

namespace suite_test {
namespace {

const std::string kPartition1 = std::string(kSuiteRoot) + "\\Partition 1";
const std::string kPartition2 = std::string(kSuiteRoot) + "\\Partition 2";
const std::string kServer1Key = std::string(kSuiteRoot) + "\\Mail01/Tarvelle";
const std::string kServer2Key = std::string(kSuiteRoot) + "\\Mail02/Tarvelle";
const std::string kNotesIni1 = "C:\\Lotus\\Domino\\Data1\\notes.ini";
const std::string kNotesIni2 = "C:\\Lotus\\Domino\\Data2\\notes.ini";

class PartitionCleanup : public SuiteFixture {
  protected:
    void SetUp() override {
        SuiteFixture::SetUp();
        UsePartitions(2);
        Install({kRendimoFlag}, 1);
        Install({kExamoraFlag}, 2);
        ASSERT_TRUE(Scan());
        ASSERT_EQ(g_partitionCount, 2);
    }
};

TEST_F(PartitionCleanup, APartitionWithAFlagStillSetIsNotCleaned) {
    Install({kRendimoFlag, kExamoraFlag}, 1);
    ovSetPartition(1);
    const std::unique_ptr<CProduct> product = MakeExamora(kVersion, "1");
    g_installedCount = 0;
    EXPECT_FALSE(product->CProduct::FinishRemoval());
    EXPECT_TRUE(KeyExists(kPartition1));
    EXPECT_EQ(g_partitionCount, 2);
}

TEST_F(PartitionCleanup, WithoutAServerNameNoOtherKeyIsTakenForTheServers) {
    SimulatedDemoMachine machine;
    machine.SetString(std::string(kSuiteRoot) + "\\Rendimo Manager", "Owner", "unpartitioned");
    HKEY notes = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kPartition1 + "\\Kestrune\\Notes").c_str(), 0,
                            KEY_ALL_ACCESS, &notes),
              ERROR_SUCCESS);
    RegDeleteValueA(notes, "Server Name");
    RegCloseKey(notes);
    ASSERT_TRUE(Scan());

    EXPECT_TRUE(Remove("Rendimo Manager", 1));
    EXPECT_FALSE(KeyExists(kPartition1));
    EXPECT_TRUE(KeyExists(kServer1Key));
    EXPECT_TRUE(KeyExists(std::string(kSuiteRoot) + "\\Rendimo Manager"));
    EXPECT_TRUE(KeyExists(kPartition2));
}

}  // namespace
}  // namespace suite_test
