// The agent and Advanced Vellgard removals on their own: the exact command that makes their running
// Notes task quit, the database question for a directory with foreign files, and the mail database
// Examora still uses. What they delete otherwise is in the scenarios' machine changes.
#include <gtest/gtest.h>

#include <algorithm>

#include "api/counters.h"
#include "native/sentrel_fixture.h"

namespace sentrel_test {
namespace {

constexpr const char* kDatabaseQuestion = "Do you want to delete all OV Sentrel Management Agents?";
const std::string kDatabaseDir = "C:\\Lotus\\Domino\\Data\\Orvanta";

bool Running(const std::string& process) {
    const std::vector<std::string> names = winsim::RunningProcessNames();
    return std::find(names.begin(), names.end(), process) != names.end();
}

using SentrelTaskShutdown = SentrelFixture;

TEST_F(SentrelTaskShutdown, RunningAgentTaskIsToldToQuitBeforeTheAgentGoes) {
    Install({kAgentFlag});
    auto sentrel = MakeProduct();
    ASSERT_TRUE(sentrel->HasAgent());
    winsim::StartProcess("nserver");
    winsim::StartProcess("novagent");
    // The wizard database stays with the suite once the client programs have gone, so the
    // database directory still holds it: that question is answered no.
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
    EXPECT_TRUE(FileExists(kDatabaseDir + "\\KesWizrd.nsf"));
    EXPECT_FALSE(FileExists(kDatabaseDir + "\\ovcorrpt.nsf"));
    EXPECT_FALSE(sentrel->HasAgent());
    EXPECT_EQ(sentrel->ComponentCount(), 0);
}

TEST_F(SentrelTaskShutdown, RunningVellgardTaskIsToldToQuitBeforeAnythingGoes) {
    Install({kVellgardFlag});
    auto sentrel = MakeProduct();
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
    EXPECT_FALSE(Running("novavg"));
    EXPECT_FALSE(sentrel->HasAdvancedVellgard());
    EXPECT_EQ(sentrel->ComponentCount(), 0);
}

TEST_F(SentrelTaskShutdown, DatabaseDirectoryWithForeignFilesIsOfferedAndKeptOnNo) {
    Install({kAgentFlag});
    auto sentrel = MakeProduct();
    AddFile(kDatabaseDir + "\\custom.nsf");
    answers = [](const std::string& question) { return question == kDatabaseQuestion; };
    sentrel->Start(14, false);

    EXPECT_TRUE(sentrel->RemoveAgent(&Record));
    ASSERT_GE(reports.size(), 5u);
    EXPECT_EQ(reports[3], (Report{LeftoverQuestion(kDatabaseDir), 42, 1, 2}));
    EXPECT_TRUE(FileExists(kDatabaseDir + "\\custom.nsf"));
    EXPECT_FALSE(FileExists(kDatabaseDir + "\\ovnet.nsf"));
}

TEST_F(SentrelTaskShutdown, ExamoraStillInstalledKeepsTheVellgardMailDatabase) {
    Install({kVellgardFlag});
    auto sentrel = MakeProduct();
    g_examoraCount = 1;
    sentrel->Start(14, false);

    EXPECT_TRUE(sentrel->RemoveAdvancedVellgard(&Record));
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\Data\\mail\\ovsentrel.nsf"));
}

}  // namespace
}  // namespace sentrel_test
