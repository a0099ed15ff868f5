// The Advanced Vellgard server's removal on its own: its reports, the shutdown
// of its Notes task, what it leaves while the agent is installed, and the
// hand-over to the subagent removal.
#include <gtest/gtest.h>

#include <algorithm>

#include "api/counters.h"
#include "native/sentrel_component_fixture.h"

namespace suite_test {
namespace {

constexpr const char* kVellgardFlag = "Advanced Vellgard Server";
const std::string kProductKey = std::string(kSuiteRoot) + "\\Sentrel";
const std::string kMailDatabase = "C:\\Lotus\\Domino\\Data\\mail\\ovsentrel.nsf";
const std::string kNotesIni = "C:\\Lotus\\Domino\\notes.ini";
const std::string kShortcut =
    "C:\\WINNT\\Profiles\\All Users\\Start "
    "Menu\\Programs\\Orvanta\\Sentrel\\Advanced Vellgard "
    "Readme File.lnk";

const Transcript kAloneOnSingleServer = {{"Removing Advanced Vellgard directory...", 14, 1, 1},
                                         {"Removing Advanced Vellgard Program Files...", 28, 1, 1},
                                         {"Removing Folder Items...", 56, 3, 1},
                                         {"Updating the registry...", 70, 4, 1},
                                         {"Updating notes.ini...", 84, 4, 1},
                                         {"Advanced Vellgard successfully removed...", 98, 0, 1}};

using SentrelAdvancedVellgardRemoval = SentrelComponentFixture;

TEST_F(SentrelAdvancedVellgardRemoval, RunningTaskIsToldToQuitBeforeAnythingGoes) {
    auto sentrel = Load({kVellgardFlag});
    winsim::Program console;
    console.path = "C:\\Orvanta\\Common\\ovconcmd.exe";
    console.action = winsim::ProgramAction::kConsoleCommand;
    winsim::AddProgram(console);
    winsim::StartProcess("nserver");
    winsim::StartProcess("novavg");
    sentrel->Start(14, true);

    EXPECT_TRUE(sentrel->RemoveAdvancedVellgard(&Record));
    // The running server's step is one more than the component's share.
    EXPECT_EQ(reports, (Transcript{{"Shutting down Advanced Vellgard...", 14, 1, 1},
                                   {"Removing Advanced Vellgard directory...", 28, 1, 1},
                                   {"Removing Advanced Vellgard Program Files...", 42, 1, 1},
                                   {"Removing Folder Items...", 70, 3, 1},
                                   {"Updating the registry...", 84, 4, 1},
                                   {"Updating notes.ini...", 98, 4, 1},
                                   {"Advanced Vellgard successfully removed...", 112, 0, 1}}));
    const auto starts = winsim::ProgramStarts();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].commandLine, "C:\\Orvanta\\Common\\ovconcmd \"t ovavg q\" Mail01/Tarvelle");
    const auto running = winsim::RunningProcessNames();
    EXPECT_EQ(std::count(running.begin(), running.end(), "novavg"), 0);

    for (const char* file :
         {"C:\\Lotus\\Domino\\novavg.exe", "C:\\Lotus\\Domino\\Data\\Orvanta\\ovavg.nsf",
          "C:\\Lotus\\Domino\\Data\\Orvanta\\ovavgbk.nsf", "C:\\Lotus\\Domino\\Data\\ovavg.nsf",
          "C:\\Lotus\\Domino\\Data\\ovavgbk.nsf", "C:\\Lotus\\Domino\\Data\\ovavg.ntf"}) {
        EXPECT_FALSE(FileExists(file)) << file;
    }
    EXPECT_FALSE(FileExists(kShortcut));
    EXPECT_FALSE(FileExists(kMailDatabase));
    EXPECT_FALSE(KeyExists(kProductKey + "\\OVAVG"));
    EXPECT_FALSE(KeyExists(kProductKey + "\\Paging"));
    // The agent's key, and the product key itself, go elsewhere.
    EXPECT_TRUE(KeyExists(kProductKey + "\\Mail"));
    EXPECT_EQ(SetupFlag(kVellgardFlag), 0);
    EXPECT_EQ(NotesIni(kNotesIni, "SERVERTASKS"), "REPLICA,ROUTER,UPDATE,AMGR,OVINFO");
    EXPECT_FALSE(sentrel->HasAdvancedVellgard());
    EXPECT_EQ(sentrel->ComponentCount(), 0);
}

TEST_F(SentrelAdvancedVellgardRemoval, AgentStillInstalledKeepsWhatItShares) {
    auto sentrel = Load({"Sentrel", kVellgardFlag, "OVSNMP"});
    sentrel->Start(14, false);

    EXPECT_TRUE(sentrel->RemoveAdvancedVellgard(&Record));
    EXPECT_EQ(reports, kAloneOnSingleServer);
    EXPECT_TRUE(KeyExists(kProductKey + "\\Paging"));
    EXPECT_TRUE(FileExists(kMailDatabase));
    EXPECT_TRUE(FileExists("C:\\Orvanta\\Logs\\ovsnmp.log"));
    EXPECT_TRUE(sentrel->HasSnmpSubagent());
    EXPECT_EQ(sentrel->ComponentCount(), 1);
}

TEST_F(SentrelAdvancedVellgardRemoval, ExamoraStillInstalledKeepsTheMailDatabase) {
    auto sentrel = Load({kVellgardFlag});
    g_examoraCount = 1;
    sentrel->Start(14, false);

    EXPECT_TRUE(sentrel->RemoveAdvancedVellgard(&Record));
    EXPECT_TRUE(FileExists(kMailDatabase));
}

TEST_F(SentrelAdvancedVellgardRemoval, ProductOfOneOfTwoPartitionsLeavesLogsAndTask) {
    UsePartitions(2);
    auto sentrel = Load({kVellgardFlag}, 1);
    g_partitionCount = 2;
    AddFile("C:\\Orvanta\\Logs\\ovpage.log");
    sentrel->Start(20, false);

    EXPECT_TRUE(sentrel->RemoveAdvancedVellgard(&Record));
    EXPECT_EQ(reports, (Transcript{{"Removing Folder Items...", 40, 3, 1},
                                   {"Updating the registry...", 60, 4, 1},
                                   {"Updating notes.ini...", 80, 4, 1},
                                   {"Advanced Vellgard successfully removed...", 100, 0, 1}}));
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\novavg.exe"));
    EXPECT_TRUE(FileExists("C:\\Orvanta\\Logs\\ovpage.log"));
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\Data1\\ovavg.nsf"));
    EXPECT_FALSE(KeyExists(std::string(kSuiteRoot) + "\\Partition 1\\Sentrel\\OVAVG"));
    EXPECT_EQ(SetupFlag(kVellgardFlag, 1), 0);
    EXPECT_EQ(NotesIni("C:\\Lotus\\Domino\\Data1\\notes.ini", "SERVERTASKS"), "OVINFO");
}

TEST_F(SentrelAdvancedVellgardRemoval, AlphaTaskAndWindowsNT351Items) {
    winsim::SystemVersion system = winsim::WindowsNT351();
    system.processorArchitecture = PROCESSOR_ARCHITECTURE_ALPHA;
    UseSystem(system);
    auto sentrel = Load({"Sentrel", kVellgardFlag});
    sentrel->Start(14, false);

    EXPECT_TRUE(sentrel->RemoveAdvancedVellgard(&Record));
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\aovavg.exe"));
    // It takes the items it was installed with, which are the agent's.
    EXPECT_TRUE(ProgmanItems("Orvanta Sentrel").empty());
}

}  // namespace
}  // namespace suite_test
