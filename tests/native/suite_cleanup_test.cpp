// The suite-wide cleanup on an unpartitioned machine: nothing while a product is left, then
// everything the suite shares once the last one goes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "api/counters.h"
#include "native/suite_fixture.h"
#include "sample_machine/demo_machine_winsim.h"

namespace suite_test {
namespace {

const std::string kSuiteAgentKey = std::string(kSuiteRoot) + "\\Kestrune\\SNMP PathName";

class SuiteCleanup : public SuiteFixture {
  protected:
    void SetUp() override {
        SuiteFixture::SetUp();
        // The Sentrel family's SNMP extension agent, which the cleanup takes out of the list.
        SimulatedDemoMachine machine;
        machine.SetString(kExtensionAgentsKey, "OVSNMP", kSuiteAgentKey);
        machine.SetString(kSuiteAgentKey, "Pathname", "C:\\Orvanta\\Common\\OVSNMP\\ovsen.conf");
    }
};

// What else the last removal takes is in the scenarios' machine changes; the suite's SNMP extension
// agent is registered only here.
TEST_F(SuiteCleanup, TheLastRemovalTakesTheSuitesExtensionAgentOnly) {
    Install({kRendimoFlag});
    ASSERT_TRUE(Scan());
    EXPECT_TRUE(Remove("Rendimo Manager"));
    EXPECT_EQ(g_installedCount, 0);
    EXPECT_FALSE(KeyExists(kSuiteRoot));
    EXPECT_FALSE(ValueExists(kExtensionAgentsKey, "OVSNMP"));
    EXPECT_TRUE(ValueExists(kExtensionAgentsKey, "1"));
}

TEST_F(SuiteCleanup, TheProgramDirectoryWaitsForWhatUsedItToLetGo) {
    Install({kRendimoFlag});
    // No service to stop: the only pauses are the cleanup's own.
    winsim::AddService({"Orvanta Port Mapper", "", SERVICE_STOPPED});
    winsim::AddService({"SNMP", "", SERVICE_STOPPED});
    ASSERT_TRUE(Scan());
    const uint64_t sleptBefore = winsim::TotalSleptMs();

    EXPECT_TRUE(Remove("Rendimo Manager"));
    EXPECT_FALSE(FileExists("C:\\Orvanta"));
    // 5000 ms before the program directory, 1000 ms before the directory that holds it.
    EXPECT_EQ(winsim::TotalSleptMs() - sleptBefore, 6000u);
}

TEST_F(SuiteCleanup, AVendorKeyWithOtherProductsStays) {
    Install({kExamoraFlag});
    SimulatedDemoMachine().SetString("SOFTWARE\\Tarvelle\\Ledger", "Version", "2.0");
    ASSERT_TRUE(Scan());
    EXPECT_TRUE(Remove("Examora"));
    EXPECT_FALSE(KeyExists(kSuiteRoot));
    EXPECT_TRUE(KeyExists("SOFTWARE\\Tarvelle\\Ledger"));
}

TEST_F(SuiteCleanup, TheProgramDirectorysParentGoesOnlyWhenNothingIsLeftInIt) {
    DemoInstallation installation = SampleInstallation({kExamoraFlag});
    installation.programDir = "C:\\Program Files\\Tarvelle\\Orvanta";
    Install(installation);
    AddFile("C:\\Program Files\\Common Files\\shared.dll");
    ASSERT_TRUE(Scan());
    EXPECT_TRUE(Remove("Examora"));
    EXPECT_FALSE(FileExists("C:\\Program Files\\Tarvelle"));
    EXPECT_TRUE(FileExists("C:\\Program Files\\Common Files\\shared.dll"));

    installation.components = {kExamoraFlag};
    Install(installation);
    AddFile("C:\\Program Files\\Tarvelle\\Ledger\\ledger.exe");
    ASSERT_TRUE(Scan());
    EXPECT_TRUE(Remove("Examora"));
    EXPECT_FALSE(FileExists("C:\\Program Files\\Tarvelle\\Orvanta"));
    EXPECT_TRUE(FileExists("C:\\Program Files\\Tarvelle\\Ledger\\ledger.exe"));
}

TEST_F(SuiteCleanup, AProgramDirectoryAtADrivesRootNeverTakesTheDrive) {
    const std::filesystem::path drive =
        std::filesystem::temp_directory_path() / ("suite_cleanup_d_" + std::to_string(getpid()));
    std::filesystem::create_directories(drive);
    ASSERT_TRUE(winsim::MapDrive('D', drive.string()));
    SimulatedDemoMachine().AddDirectory("D:\\Spare");
    DemoInstallation installation = SampleInstallation({kExamoraFlag});
    installation.programDir = "D:\\Orvanta";
    Install(installation);
    ASSERT_TRUE(Scan());

    EXPECT_TRUE(Remove("Examora"));
    EXPECT_FALSE(FileExists("D:\\Orvanta"));
    EXPECT_TRUE(FileExists("D:\\Spare"));
    winsim::UnmapDrive('D');
    std::filesystem::remove_all(drive);
}

TEST_F(SuiteCleanup, TheWebDirectoryIsFoundBelowADataDirectoryEndingInASeparator) {
    DemoInstallation installation = SampleInstallation({kExamoraFlag});
    installation.notesDataDir = "C:\\Notes\\Data\\";
    installation.databaseDir = "C:\\Notes\\Data\\Orvanta";
    Install(installation);
    AddFile("C:\\Notes\\Data\\domino\\html\\homepage.nsf");
    ASSERT_TRUE(FileExists("C:\\Notes\\Data\\domino\\html\\Orvanta\\index.html"));
    ASSERT_TRUE(Scan());

    EXPECT_TRUE(Remove("Examora"));
    EXPECT_FALSE(FileExists("C:\\Notes\\Data\\domino\\html\\Orvanta"));
    EXPECT_TRUE(FileExists("C:\\Notes\\Data\\domino\\html\\homepage.nsf"));
}

TEST_F(SuiteCleanup, AlphaMachinesLoseTheIntelNamesOfTheTaskExecutablesOnly) {
    winsim::SystemVersion alpha = winsim::WindowsNT40();
    alpha.processorArchitecture = PROCESSOR_ARCHITECTURE_ALPHA;
    UseSystem(alpha);
    Install({kExamoraFlag});
    AddFile("C:\\Lotus\\Domino\\aovagent.exe");
    AddFile("C:\\Lotus\\Domino\\novagent.exe");
    ASSERT_TRUE(Scan());

    EXPECT_TRUE(Remove("Examora"));
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\novagent.exe"));
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\novinfo.exe"));
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\aovagent.exe"));
}

}  // namespace
}  // namespace suite_test
