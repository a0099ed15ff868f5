// The suite-wide cleanup on an unpartitioned machine: nothing while a product is left, then
// everything the suite shares once the last one goes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "api/counters.h"
#include "demo_machine_winsim.h"
#include "native/suite_fixture.h"
#include "support/test_family.h"

namespace suite_test {
namespace {

const std::string kNotesIni = "C:\\Lotus\\Domino\\notes.ini";
const std::string kStartMenu = "C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs\\Orvanta";
const std::string kDesktop = "C:\\WINNT\\Profiles\\All Users\\Desktop";
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

TEST_F(SuiteCleanup, NothingGoesWhileAProductIsLeft) {
    Install({kRendimoFlag, kExamoraFlag});
    ASSERT_TRUE(Scan());
    const uint64_t sleptBefore = winsim::TotalSleptMs();

    EXPECT_TRUE(Remove("Examora"));
    EXPECT_EQ(g_installedCount, 1);
    // Only the Examora removal's own pause.
    EXPECT_EQ(winsim::TotalSleptMs() - sleptBefore, 1000u);
    EXPECT_TRUE(KeyExists(kUninstallKey));
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\novinfo.exe"));
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\Data\\domino\\html\\Orvanta\\index.html"));
    EXPECT_EQ(NotesIni(kNotesIni, "SERVERTASKS"), "Replica,Router,Update,AMgr,OVINFO,OVSTATG");
    EXPECT_EQ(NotesIni(kNotesIni, "$OVCommandDb"), "ovcmd.nsf");
    EXPECT_FALSE(ValueExists(kRunOnceKey, "rem_ov_uninst1"));
    EXPECT_EQ(winsim::ServiceState("Orvanta Port Mapper"), static_cast<DWORD>(SERVICE_RUNNING));
}

TEST_F(SuiteCleanup, TheLastRemovalTakesEverythingTheSuiteShares) {
    Install({kRendimoFlag, kExamoraFlag});
    ASSERT_TRUE(Scan());
    EXPECT_TRUE(Remove("Examora"));

    EXPECT_TRUE(Remove("Rendimo Manager"));
    EXPECT_EQ(g_installedCount, 0);
    // Services: the suite's own deleted, the SNMP service only stopped.
    EXPECT_EQ(winsim::ServiceState("Orvanta Port Mapper"), 0u);
    EXPECT_EQ(winsim::ServiceState("SNMP"), static_cast<DWORD>(SERVICE_STOPPED));
    // Files: program directory, shared databases, templates and task executables, web pages,
    // Start-menu folder, setup logs.
    for (const char* path :
         {"C:\\Orvanta", "C:\\Lotus\\Domino\\Data\\Orvanta", "C:\\Lotus\\Domino\\Data\\ovstats.nsf",
          "C:\\Lotus\\Domino\\Data\\ovstats.ntf", "C:\\Lotus\\Domino\\Data\\ovstatus.ntf",
          "C:\\Lotus\\Domino\\Data\\console.ntf", "C:\\Lotus\\Domino\\Data\\kesWizrd.ntf",
          "C:\\Lotus\\Domino\\novinfo.exe", "C:\\Lotus\\Domino\\nextpath.dll",
          "C:\\Lotus\\Domino\\Data\\domino\\html\\Orvanta",
          "C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs\\Orvanta",
          "C:\\WINNT\\Profiles\\All Users\\Desktop\\kessetup.log",
          "C:\\WINNT\\Profiles\\All Users\\Desktop\\im46log.log",
          "C:\\WINNT\\Profiles\\All Users\\Desktop\\ov.log"}) {
        EXPECT_FALSE(FileExists(path)) << path;
    }
    EXPECT_TRUE(FileExists(kDesktop + "\\notes.lnk"));
    EXPECT_TRUE(FileExists("C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs"));
    // notes.ini: the suite's entries out, everything else as it was.
    EXPECT_EQ(NotesIni(kNotesIni, "SERVERTASKS"), "REPLICA,ROUTER,UPDATE,AMGR");
    EXPECT_EQ(NotesIni(kNotesIni, "EXTMGR_ADDINS"), "");
    EXPECT_EQ(NotesIni(kNotesIni, "$OVCommandDb"), "<missing>");
    EXPECT_EQ(NotesIni(kNotesIni, "ServerTasksAt1"), "Catalog,Design");
    // Registry: the suite's keys, the vendor's key left empty, the uninstall entry, the
    // suite's extension agent; Windows' own agent stays.
    EXPECT_FALSE(KeyExists(kSuiteRoot));
    EXPECT_FALSE(KeyExists("SOFTWARE\\Tarvelle"));
    EXPECT_FALSE(KeyExists(kUninstallKey));
    EXPECT_FALSE(ValueExists(kExtensionAgentsKey, "OVSNMP"));
    EXPECT_TRUE(ValueExists(kExtensionAgentsKey, "1"));
    EXPECT_EQ(Text(kEnvironmentKey, "Path"), "%systemroot%\\system32;%systemroot%");
    EXPECT_EQ(Text(kRunOnceKey, "rem_ov_uninst1"), "uninst.exe -a -dC:\\WINNT\\ovuninstall.exe");
    EXPECT_EQ(Text(kRunOnceKey, "rem_ov_uninst2"), "uninst.exe -a -dC:\\WINNT\\uninstlib.dll");
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

TEST_F(SuiteCleanup, AnUnpartitionedObjectDecidesByTheInstalledCount) {
    Install({kExamoraFlag});
    CTestFamily product("Examora", kVersion);
    g_installedCount = 1;
    EXPECT_FALSE(product.CProduct::FinishRemoval());
    EXPECT_TRUE(KeyExists(kSuiteRoot));
    g_installedCount = 0;
    EXPECT_TRUE(product.CProduct::FinishRemoval());
    EXPECT_FALSE(KeyExists(kSuiteRoot));
}

}  // namespace
}  // namespace suite_test
