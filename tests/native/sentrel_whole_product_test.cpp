// The whole product and its step counts: every component on one machine, removed in the family's
// order, with the subagent going after the last component that depends on it.
#include <gtest/gtest.h>

#include "api/counters.h"
#include "native/sentrel_fixture.h"
#include "support/services_seed.h"

namespace sentrel_test {
namespace {

constexpr const char* kStartMenu = "C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs\\Orvanta";
constexpr const char* kDatabaseDir = "C:\\Lotus\\Domino\\Data\\Orvanta";
constexpr const char* kNotesIni = "C:\\Lotus\\Domino\\notes.ini";

using SentrelWholeProduct = SentrelFixture;

TEST_F(SentrelWholeProduct, EveryComponentWithTheNotesServerRunning) {
    Install({kAgentFlag, kPagingFlag, kVellgardFlag, kSubagentFlag});
    winsim::StartProcess("nserver");
    winsim::StartProcess("novagent");
    winsim::StartProcess("novavg");
    auto product = Listed();

    EXPECT_FALSE(product->UninstallAll(&Record));

    // 8 + 5 + 7 steps: 5 percent each; the subagent and the Advanced Vellgard shutdown run on.
    EXPECT_EQ(product->StepPercent(), 5);
    const Transcript expected = {
        {"Shutting down OV Agent...", 5, 1, 1},
        {"Removing Sentrel directory...", 10, 1, 1},
        {"Removing OV Agent Program Files...", 15, 1, 1},
        {"Do you want to delete all OV Sentrel Management Agents?", 20, 2, 2},
        // The suite's own databases are still there.
        {LeftoverQuestion(kDatabaseDir), 20, 1, 2},
        {"Removing Folder Items...", 25, 3, 1},
        {"Updating the registry...", 30, 4, 1},
        {"Updating notes.ini...", 35, 4, 1},
        {"OV Agent successfully removed...", 40, 0, 1},
        {"Removing Message Center...", 40, 1, 1},
        {"Removing Message Center Directory...", 45, 1, 1},
        {"Removing Message Center Databases...", 50, 2, 1},
        {"Removing Folder Items...", 55, 3, 1},
        {"Updating the registry...", 60, 4, 1},
        {"OV Message Center successfully removed...", 65, 0, 1},
        {"Shutting down Advanced Vellgard...", 70, 1, 1},
        {"Removing Advanced Vellgard directory...", 75, 1, 1},
        {"Removing Advanced Vellgard Program Files...", 80, 1, 1},
        {"Removing Folder Items...", 90, 3, 1},
        {"Updating the registry...", 95, 4, 1},
        {"Updating notes.ini...", 100, 4, 1},
        {"Advanced Vellgard successfully removed...", 105, 0, 1},
        {"Removing OVSNMP subagent...", 105, 1, 1},
        {"Attempting to shut down the SNMP service...", 110, 1, 1},
        {"Removing OVSNMP directory...", 115, 1, 1},
        {"Removing OVSNMP subagent databases...", 120, 2, 1},
        {"Removing Folder items...", 125, 3, 1},
        {"Updating the registry...", 130, 4, 1},
        {"OV SNMP subagent successfully removed...", 135, 0, 1},
        {"Attempting to start SNMP service...", 140, 0, 1},
    };
    EXPECT_EQ(reports, expected);

    std::vector<std::string> commands;
    for (const winsim::ProgramStart& start : winsim::ProgramStarts()) {
        commands.push_back(start.commandLine);
    }
    const std::vector<std::string> expectedCommands = {
        "C:\\Orvanta\\Common\\ovconcmd \"t ovagent q\" Mail01/Tarvelle",
        "C:\\Orvanta\\Common\\ovconcmd \"t ovavg q\" Mail01/Tarvelle",
    };
    EXPECT_EQ(commands, expectedCommands);
    EXPECT_EQ(winsim::RunningProcessNames(), std::vector<std::string>{"nserver"});

    EXPECT_EQ(winsim::ServiceNames(),
              (std::vector<std::string>{"SNMP", "Orvanta Port Mapper", "Orvanta Vellgard Server"}));
    EXPECT_EQ(winsim::ServiceState("SNMP"), static_cast<DWORD>(SERVICE_RUNNING));
    for (const char* gone :
         {"C:\\Orvanta\\Sentrel", "C:\\Orvanta\\Mcg", "C:\\Orvanta\\Common\\OVSNMP",
          "C:\\Orvanta\\Logs\\ovagent.log", "C:\\Orvanta\\Logs\\ovsnmp.log",
          "C:\\Orvanta\\Logs\\ovpage.log", "C:\\Lotus\\Domino\\novagent.exe",
          "C:\\Lotus\\Domino\\novavg.exe", kDatabaseDir, "C:\\Lotus\\Domino\\Data\\ovsen.ntf",
          "C:\\Lotus\\Domino\\Data\\ovavg.nsf", "C:\\Lotus\\Domino\\Data\\mail\\ovsentrel.nsf"}) {
        EXPECT_FALSE(FileExists(gone)) << gone;
    }
    EXPECT_FALSE(FileExists(std::string(kStartMenu) + "\\Sentrel"));
    for (const std::string& key :
         {std::string(kSuiteRoot) + "\\Sentrel", std::string(kSuiteRoot) + "\\Mcg",
          std::string(kSuiteRoot) + "\\Kestrune\\Paging Server",
          std::string(kSuiteRoot) + "\\Kestrune\\SNMP PathName",
          std::string("SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application"
                      "\\Orvanta Sentrel")}) {
        EXPECT_FALSE(KeyExists(key)) << key;
    }
    for (const char* flag : {kAgentFlag, kPagingFlag, kVellgardFlag, kSubagentFlag}) {
        EXPECT_EQ(SetupFlag(flag), 0) << flag;
    }
    EXPECT_EQ(NotesIni(kNotesIni, "SERVERTASKS"), "REPLICA,ROUTER,UPDATE,AMGR,OVINFO");
    EXPECT_EQ(NotesIni(kNotesIni, "$OVCommandDb"), "<missing>");
    EXPECT_EQ(g_sentrelCount, 0);
    EXPECT_EQ(g_installedCount, 0);
    EXPECT_FALSE(product->IsInstalled());
    EXPECT_EQ(product->ComponentCount(), 0);
}

TEST_F(SentrelWholeProduct, ARemovalThatStopsEarlyDoesNotStopTheNextOne) {
    Install({kAgentFlag, kPagingFlag});
    winsim::AddService(services_seed::MakeService("Orvanta Recycle Service", SERVICE_RUNNING,
                                                  winsim::ServiceStop::kRefuses));
    auto product = Listed();

    EXPECT_FALSE(product->UninstallAll(&Record));

    ASSERT_GE(reports.size(), 2u);
    EXPECT_EQ(reports[0], (Report{"Cannot stop the Recycle Service.\nStop the "
                                  "service then retry uninstall!",
                                  0, 1, 2}));
    // 7 + 5 steps; the Message Center begins where the agent stopped.
    EXPECT_EQ(reports[1], (Report{"Removing Message Center...", 0, 1, 1}));
    EXPECT_EQ(reports.back(), (Report{"OV Message Center successfully removed...", 40, 0, 1}));
    EXPECT_TRUE(product->HasAgent());
    EXPECT_EQ(product->ComponentCount(), 1);
    EXPECT_TRUE(FileExists("C:\\Orvanta\\Sentrel\\ovrecycl.exe"));
    // The product counts as removed all the same, and its shell has gone.
    EXPECT_EQ(g_sentrelCount, 0);
    EXPECT_EQ(g_installedCount, 0);
    EXPECT_FALSE(product->IsInstalled());
}

// The percentage one step of each component is worth, as UninstallComponent sets it.
struct StepCase {
    const char* name;
    int partitions;  // 0: unpartitioned; 2: a partition of a machine with two
    bool serverRunning;
    const char* component;
    int32_t stepPercent;
};

class SentrelStepPercent : public SentrelWholeProduct,
                           public ::testing::WithParamInterface<StepCase> {};

TEST_P(SentrelStepPercent, OfTheRemovedComponent) {
    const StepCase& c = GetParam();
    int partition = 0;
    if (c.partitions != 0) {
        UsePartitions(c.partitions);
        partition = 1;
        Install({kAgentFlag}, 2);
    }
    Install({kAgentFlag, kPagingFlag, kVellgardFlag}, partition);
    if (c.serverRunning) {
        winsim::StartProcess("nserver");
    }
    auto product = Listed(partition);
    product->UninstallComponent(c.component, &Record);
    EXPECT_EQ(product->StepPercent(), c.stepPercent);
}

INSTANTIATE_TEST_SUITE_P(
    Components, SentrelStepPercent,
    ::testing::Values(StepCase{"AgentSingle", 0, false, "Sentrel", 14},
                      StepCase{"AgentSingleServerRunning", 0, true, "Sentrel", 12},
                      StepCase{"AgentPartition", 2, false, "Sentrel", 20},
                      StepCase{"AgentPartitionServerRunning", 2, true, "Sentrel", 16},
                      StepCase{"MessageCenterSingle", 0, true, "Message Center", 20},
                      StepCase{"MessageCenterPartition", 2, true, "Message Center", 25},
                      StepCase{"VellgardSingle", 0, true, "Advanced Vellgard Server", 14},
                      StepCase{"VellgardPartition", 2, true, "Advanced Vellgard Server", 20}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

TEST_F(SentrelWholeProduct, ServerIsNotLookedForOutsideWindowsNT) {
    UseSystem(winsim::Windows95());
    Install({kAgentFlag});
    winsim::StartProcess("nserver");
    auto product = Listed();
    product->UninstallComponent("Sentrel", &Record);
    // Seven steps: the running server does not count where it is not looked for.
    EXPECT_EQ(product->StepPercent(), 14);
}

TEST_F(SentrelWholeProduct, EveryComponentOfOneOfTwoPartitions) {
    UsePartitions(2);
    Install({kAgentFlag, kPagingFlag, kVellgardFlag}, 2);
    Install({kAgentFlag, kPagingFlag, kVellgardFlag}, 1);
    winsim::StartProcess("nserver");
    auto product = Listed(1);

    EXPECT_FALSE(product->UninstallAll(&Record));

    // (5 + 1) + 4 + 5 steps.
    EXPECT_EQ(product->StepPercent(), 6);
    std::vector<std::string> successes;
    for (const Report& report : reports) {
        if (report.step == 0) {
            successes.push_back(report.text);
        }
    }
    const std::vector<std::string> order = {"OV Agent successfully removed...",
                                            "OV Message Center successfully removed...",
                                            "Advanced Vellgard successfully removed..."};
    EXPECT_EQ(successes, order);
    // The other partition still uses the shared program files.
    EXPECT_TRUE(FileExists("C:\\Orvanta\\Sentrel\\ovrecycl.exe"));
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\novagent.exe"));
    EXPECT_FALSE(KeyExists(std::string(kSuiteRoot) + "\\Partition 1\\Sentrel"));
    EXPECT_TRUE(KeyExists(std::string(kSuiteRoot) + "\\Partition 2\\Sentrel"));
}

TEST_F(SentrelWholeProduct, ProgramManagerItemsOnWindowsNT351) {
    UseSystem(winsim::WindowsNT351());
    Install({kAgentFlag, kPagingFlag, kVellgardFlag, kSubagentFlag});
    winsim::AddProgmanGroup({"Main", {"File Manager"}});
    auto product = Listed();

    EXPECT_FALSE(product->UninstallAll(&Record));

    ASSERT_EQ(winsim::ProgmanGroups().size(), 1u);
    EXPECT_EQ(winsim::ProgmanGroups()[0].name, "Main");
    // The three removals with items ask for theirs; the whole group goes at the end.
    std::vector<std::string> commands;
    for (const winsim::ProgmanCommand& command : winsim::ProgmanCommands()) {
        if (command.text.rfind("[DeleteItem(", 0) == 0 ||
            command.text.rfind("[DeleteGroup(", 0) == 0) {
            commands.push_back(command.text);
        }
    }
    const std::vector<std::string> expected = {
        "[DeleteItem(Orvanta Recycle Utility)]",
        "[DeleteItem(Orvanta Sentrel Readme File)]",
        "[DeleteItem(Sentrel On-line Help)]",
        "[DeleteItem(Paging Server Log)]",
        "[DeleteItem(Send Page)]",
        "[DeleteItem(Orvanta Recycle Utility)]",
        "[DeleteItem(Orvanta Sentrel Readme File)]",
        "[DeleteItem(Sentrel On-line Help)]",
        "[DeleteItem(Send SNMP)]",
        "[DeleteGroup(Orvanta Sentrel)]",
    };
    EXPECT_EQ(commands, expected);
    EXPECT_FALSE(FileExists("C:\\Orvanta\\Sentrel"));
}

}  // namespace
}  // namespace sentrel_test
