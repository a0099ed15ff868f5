// The Sentrel agent's removal on its own: the shutdown command of its Notes task on Intel and
// Alpha, the database question for a directory with foreign files, and what it keeps while the
// Advanced Vellgard server or the Kestrune Console stays.
#include <gtest/gtest.h>

#include <algorithm>

#include "api/counters.h"
#include "native/sentrel_component_fixture.h"

namespace suite_test {
namespace {

constexpr const char* kAgentFlag = "Sentrel";
constexpr const char* kRecycleService = "Orvanta Recycle Service";
constexpr const char* kDatabaseQuestion = "Do you want to delete all OV Sentrel Management Agents?";
const std::string kProductKey = std::string(kSuiteRoot) + "\\Sentrel";
const std::string kEventSource =
    "SYSTEM\\CurrentControlSet\\Services\\EventLog"
    "\\Application\\Orvanta Sentrel";
const std::string kDatabaseDir = "C:\\Lotus\\Domino\\Data\\Orvanta";
const std::string kMailDatabase = "C:\\Lotus\\Domino\\Data\\mail\\ovsentrel.nsf";
const std::string kNotesIni = "C:\\Lotus\\Domino\\notes.ini";
const std::string kConsoleCommand = "C:\\Orvanta\\Common\\ovconcmd.exe";

void AddConsoleCommandProgram() {
    winsim::Program program;
    program.path = kConsoleCommand;
    program.action = winsim::ProgramAction::kConsoleCommand;
    winsim::AddProgram(program);
}

bool Running(const std::string& process) {
    for (const std::string& name : winsim::RunningProcessNames()) {
        if (name == process) {
            return true;
        }
    }
    return false;
}

using SentrelAgentRemoval = SentrelComponentFixture;

TEST_F(SentrelAgentRemoval, RunningServerTaskIsToldToQuitAndEverythingOfTheAgentGoes) {
    auto sentrel = Load({kAgentFlag});
    ASSERT_TRUE(sentrel->HasAgent());
    AddConsoleCommandProgram();
    winsim::StartProcess("nserver");
    winsim::StartProcess("novagent");
    // The wizard database stays with the suite once the client programs have
    // gone, so the database directory still holds it: that question is answered
    // no.
    answers = [](const std::string& question) { return question == kDatabaseQuestion; };
    // Seven steps, and one more for the running server: 100 / 8.
    sentrel->Start(12, true);

    EXPECT_TRUE(sentrel->RemoveAgent(&Record));
    EXPECT_EQ(reports, (Transcript{{"Shutting down OV Agent...", 12, 1, 1},
                                   {"Removing Sentrel directory...", 24, 1, 1},
                                   {"Removing OV Agent Program Files...", 36, 1, 1},
                                   {kDatabaseQuestion, 48, 2, 2},
                                   {LeftoverQuestion(kDatabaseDir), 48, 1, 2},
                                   {"Removing Folder Items...", 60, 3, 1},
                                   {"Updating the registry...", 72, 4, 1},
                                   {"Updating notes.ini...", 84, 4, 1},
                                   {"OV Agent successfully removed...", 96, 0, 1}}));

    const auto starts = winsim::ProgramStarts();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].commandLine,
              "C:\\Orvanta\\Common\\ovconcmd \"t ovagent q\" Mail01/Tarvelle");
    EXPECT_FALSE(Running("novagent"));
    EXPECT_TRUE(Running("nserver"));

    EXPECT_EQ(winsim::ServiceState(kRecycleService), 0u);
    for (const char* file :
         {"C:\\Orvanta\\Logs\\ovagent.log", "C:\\Orvanta\\Logs\\ovException.log",
          "C:\\Orvanta\\Sentrel", "C:\\Lotus\\Domino\\novagent.exe",
          "C:\\Lotus\\Domino\\novrcycl.exe", "C:\\Orvanta\\CLIENT",
          "C:\\Lotus\\Domino\\Data\\Orvanta\\ovcorrpt.nsf",
          "C:\\Lotus\\Domino\\Data\\Orvanta\\ovmail.nsf.bak1", "C:\\Lotus\\Domino\\Data\\ovsen.ntf",
          "C:\\Lotus\\Domino\\Data\\ovparam.ntf"}) {
        EXPECT_FALSE(FileExists(file)) << file;
    }
    EXPECT_FALSE(FileExists(kMailDatabase));
    // The client programs went; the wizard database is left to the suite.
    EXPECT_TRUE(FileExists(kDatabaseDir + "\\KesWizrd.nsf"));
    EXPECT_FALSE(FileExists(kDatabaseDir + "\\ovcorrpt.nsf"));

    for (const char* subkey : {"Crash Detection", "Availability Stats", "OVAGENT", "Recycle",
                               "Current State", "User", "Paging", "Mail"}) {
        EXPECT_FALSE(KeyExists(kProductKey + "\\" + subkey)) << subkey;
    }
    EXPECT_TRUE(KeyExists(kProductKey));
    EXPECT_FALSE(KeyExists(kEventSource));
    EXPECT_EQ(SetupFlag(kAgentFlag), 0);
    EXPECT_EQ(NotesIni(kNotesIni, "SERVERTASKS"), "REPLICA,ROUTER,UPDATE,AMGR,OVINFO");
    EXPECT_EQ(NotesIni(kNotesIni, "$OVCommandDb"), "<missing>");
    EXPECT_FALSE(sentrel->HasAgent());
    EXPECT_EQ(sentrel->ComponentCount(), 0);
}

TEST_F(SentrelAgentRemoval, AlphaServerTasksCarryTheirPlatformLetter) {
    winsim::SystemVersion alpha = winsim::WindowsNT40();
    alpha.processorArchitecture = PROCESSOR_ARCHITECTURE_ALPHA;
    UseSystem(alpha);
    auto sentrel = Load({kAgentFlag});
    AddConsoleCommandProgram();
    winsim::StartProcess("aserver");
    winsim::StartProcess("aovagent");
    sentrel->Start(12, true);

    EXPECT_TRUE(sentrel->RemoveAgent(&Record));
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports[0], (Report{"Shutting down OV Agent...", 12, 1, 1}));
    ASSERT_EQ(winsim::ProgramStarts().size(), 1u);
    EXPECT_FALSE(Running("aovagent"));
    for (const char* file :
         {"C:\\Lotus\\Domino\\aovagent.exe", "C:\\Lotus\\Domino\\aovlog.exe",
          "C:\\Lotus\\Domino\\aovrboot.exe", "C:\\Lotus\\Domino\\aovrcycl.exe"}) {
        EXPECT_FALSE(FileExists(file)) << file;
    }
}

TEST_F(SentrelAgentRemoval, DatabaseDirectoryWithForeignFilesIsOfferedAndKeptOnNo) {
    auto sentrel = Load({kAgentFlag});
    AddFile(kDatabaseDir + "\\custom.nsf");
    answers = [](const std::string& question) { return question == kDatabaseQuestion; };
    sentrel->Start(14, false);

    EXPECT_TRUE(sentrel->RemoveAgent(&Record));
    ASSERT_GE(reports.size(), 5u);
    EXPECT_EQ(reports[3], (Report{LeftoverQuestion(kDatabaseDir), 42, 1, 2}));
    EXPECT_TRUE(FileExists(kDatabaseDir + "\\custom.nsf"));
    EXPECT_FALSE(FileExists(kDatabaseDir + "\\ovnet.nsf"));
}

TEST_F(SentrelAgentRemoval, AdvancedVellgardKeepsWhatItSharesAndTheSubagent) {
    auto sentrel = Load({kAgentFlag, "Advanced Vellgard Server", "Paging Server", "OVSNMP"});
    sentrel->Start(5, false);

    EXPECT_TRUE(sentrel->RemoveAgent(&Record));
    EXPECT_EQ(reports.back(), (Report{"OV Agent successfully removed...", 35, 0, 1}));
    EXPECT_TRUE(KeyExists(kProductKey + "\\Paging"));
    EXPECT_TRUE(KeyExists(kProductKey + "\\Mail"));
    EXPECT_TRUE(FileExists("C:\\Orvanta\\Logs\\ovsnmp.log"));
    EXPECT_TRUE(FileExists("C:\\Orvanta\\Logs\\ovpage.log"));
    EXPECT_TRUE(FileExists(kMailDatabase));
    EXPECT_TRUE(sentrel->HasSnmpSubagent());
    EXPECT_EQ(sentrel->ComponentCount(), 2);
}

TEST_F(SentrelAgentRemoval, ClientProgramsStayWhileTheConsoleIsInstalled) {
    auto sentrel = Load({kAgentFlag});
    AddFile("C:\\Orvanta\\CLIENT\\ovkesvw.exe");
    g_kestruneCount = 1;
    sentrel->Start(14, false);

    EXPECT_TRUE(sentrel->RemoveAgent(&Record));
    EXPECT_TRUE(FileExists("C:\\Orvanta\\CLIENT\\ovkesvw.exe"));
    EXPECT_FALSE(FileExists(kDatabaseDir + "\\KesWizrd.nsf"));
}

}  // namespace
}  // namespace suite_test
