// The suite-wide cleanup on a machine of partitioned Domino servers: a partition's share goes
// with its last product while another partition holds the suite, and the whole suite with the
// last partition.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "api/counters.h"
#include "demo_machine_winsim.h"
#include "native/suite_fixture.h"
#include "products/examora.h"
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

TEST_F(PartitionCleanup, EmptyingOnePartitionTakesOnlyItsShare) {
    EXPECT_TRUE(Remove("Rendimo Manager", 1));
    EXPECT_EQ(reports.front(), Title("Rendimo Manager", 1));
    EXPECT_EQ(g_partitionCount, 1);
    EXPECT_EQ(Dword(kSuiteRoot, "Number of Partitions"), 1);
    EXPECT_FALSE(KeyExists(kPartition1));
    EXPECT_FALSE(KeyExists(kServer1Key));
    for (const char* path :
         {"C:\\Lotus\\Domino\\Data1\\ovstats.nsf", "C:\\Lotus\\Domino\\Data1\\ovstats.ntf",
          "C:\\Lotus\\Domino\\Data1\\console.ntf", "C:\\Lotus\\Domino\\Data1\\kesWizrd.ntf",
          "C:\\Lotus\\Domino\\Data1\\ovstatus.ntf", "C:\\Lotus\\Domino\\Data1\\Orvanta",
          "C:\\Lotus\\Domino\\Data1\\domino\\html\\Orvanta"}) {
        EXPECT_FALSE(FileExists(path)) << path;
    }
    EXPECT_EQ(NotesIni(kNotesIni1, "EXTMGR_ADDINS"), "");
    EXPECT_EQ(NotesIni(kNotesIni1, "SERVERTASKS"), "");
    // The command database setting is the whole suite's: it stays with the partition's notes.ini.
    EXPECT_EQ(NotesIni(kNotesIni1, "$OVCommandDb"), "ovcmd.nsf");

    // The other partition and what the partitions share stay.
    EXPECT_TRUE(KeyExists(kPartition2));
    EXPECT_TRUE(KeyExists(kServer2Key));
    EXPECT_EQ(NotesIni(kNotesIni2, "EXTMGR_ADDINS"), "NEXTPATH,NOVAPIMN");
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\Data2\\ovstats.nsf"));
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\Data2\\domino\\html\\Orvanta\\index.html"));
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\novinfo.exe"));
    EXPECT_TRUE(FileExists("C:\\Orvanta\\Examora\\Report2\\summary.txt"));
    EXPECT_TRUE(KeyExists(kUninstallKey));
    EXPECT_EQ(winsim::ServiceState("Orvanta Port Mapper"), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_FALSE(ValueExists(kRunOnceKey, "rem_ov_uninst1"));
}

TEST_F(PartitionCleanup, EmptyingTheLastPartitionTakesTheWholeSuite) {
    EXPECT_TRUE(Remove("Rendimo Manager", 1));
    EXPECT_TRUE(Remove("Examora", 2));
    EXPECT_FALSE(KeyExists(kSuiteRoot));
    EXPECT_FALSE(KeyExists(kUninstallKey));
    EXPECT_FALSE(FileExists("C:\\Orvanta"));
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\novinfo.exe"));
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\Data2\\domino\\html\\Orvanta"));
    EXPECT_EQ(NotesIni(kNotesIni2, "$OVCommandDb"), "<missing>");
    EXPECT_EQ(winsim::ServiceState("Orvanta Port Mapper"), 0u);
    EXPECT_EQ(Text(kRunOnceKey, "rem_ov_uninst1"), "uninst.exe -a -dC:\\WINNT\\ovuninstall.exe");
}

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
