// The Examora server removal: a program directory holding only the readme, the report directory of
// a partition, the numbered task lists of notes.ini, and the mail database it shares with the
// Sentrel products.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "api/counters.h"
#include "native/suite_fixture.h"
#include "products/examora.h"
#include "uninstlib/uninstlib.h"

namespace suite_test {
namespace {

constexpr const char* kFamily = "Examora";
const std::string kExamoraDir = "C:\\Orvanta\\Examora";
const std::string kNotesIni = "C:\\Lotus\\Domino\\notes.ini";
const std::string kMailDatabase = "C:\\Lotus\\Domino\\Data\\mail\\orvanta.nsf";
const std::string kMailKey = std::string(kSuiteRoot) + "\\Kestrune\\Mail";

// The removal's reports after the title; the question, when one is asked, comes after the
// program files line.
Transcript Removal(const Report& title, const std::string& question = {}) {
    Transcript reports = {title,
                          {"Removing Examora Server...", 0, 1, 1},
                          {"Removing Examora Server Program Files...", 20, 1, 1}};
    if (!question.empty()) {
        reports.push_back({question, 40, 1, 2});
    }
    const Transcript rest = {{"Removing Examora Server databases...", 40, 2, 1},
                             {"Removing Folder Items...", 60, 3, 1},
                             {"Updating the registry...", 80, 4, 1},
                             {"Orvanta Examora successfully removed...", 100, 0, 1}};
    reports.insert(reports.end(), rest.begin(), rest.end());
    return reports;
}

class ExamoraRemoval : public SuiteFixture {
  protected:
    // Installs Examora beside the Rendimo Manager, which keeps the suite-wide cleanup away.
    static void InstallBeside() {
        Install({kExamoraFlag, kRendimoFlag});
        ASSERT_TRUE(Scan());
    }
};

TEST_F(ExamoraRemoval, AProgramDirectoryWithOnlyTheReadmeGoesWithoutAQuestion) {
    InstallBeside();
    const uint64_t sleptBefore = winsim::TotalSleptMs();

    EXPECT_TRUE(Remove(kFamily));
    EXPECT_EQ(reports, Removal(Title(kFamily)));
    EXPECT_FALSE(FileExists(kExamoraDir));
    EXPECT_EQ(winsim::TotalSleptMs() - sleptBefore, 1000u);
    // The rest of what goes is in the leftover scenarios' machine changes.
    EXPECT_EQ(NotesIni(kNotesIni, "ServerTasksAt3"), "");
    EXPECT_EQ(SetupFlag(kExamoraFlag), 0);
    EXPECT_EQ(SetupFlag("Installed"), 8);
    EXPECT_EQ(g_examoraCount, 0);
    EXPECT_EQ(g_installedCount, 1);
}

TEST_F(ExamoraRemoval, APartitionLosesOnlyItsReportDirectory) {
    UsePartitions(2);
    Install({kExamoraFlag, kRendimoFlag}, 1);
    Install({kExamoraFlag, kRendimoFlag}, 2);
    ASSERT_TRUE(Scan());
    ASSERT_EQ(g_examoraCount, 2);

    EXPECT_TRUE(Remove(kFamily, 2));
    EXPECT_EQ(reports, Removal(Title(kFamily, 2)));
    EXPECT_FALSE(FileExists(kExamoraDir + "\\Report2"));
    EXPECT_TRUE(FileExists(kExamoraDir + "\\Report1\\summary.txt"));
    EXPECT_TRUE(FileExists(kExamoraDir + "\\exreadme.txt"));
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\Data2\\examora.ntf"));
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\Data1\\examora.ntf"));
    EXPECT_FALSE(KeyExists(std::string(kSuiteRoot) + "\\Partition 2\\Examora"));
    EXPECT_TRUE(KeyExists(std::string(kSuiteRoot) + "\\Partition 1\\Examora"));
    EXPECT_FALSE(KeyExists(std::string(kSuiteRoot) + "\\Partition 2\\Kestrune\\Mail"));
    EXPECT_EQ(SetupFlag(kExamoraFlag, 2), 0);
    EXPECT_EQ(SetupFlag(kExamoraFlag, 1), 1);
    EXPECT_EQ(g_examoraCount, 1);
}

TEST_F(ExamoraRemoval, TheTaskLeavesTheFirstNumberedListThatHoldsIt) {
    InstallBeside();
    SetNotesIni(kNotesIni, "ServerTasksAt5", "EXAMORA,Compact");
    SetNotesIni(kNotesIni, "ServerTasksAt25", "EXAMORA");

    EXPECT_TRUE(Remove(kFamily));
    EXPECT_EQ(NotesIni(kNotesIni, "ServerTasksAt1"), "Catalog,Design");
    EXPECT_EQ(NotesIni(kNotesIni, "ServerTasksAt3"), "");
    EXPECT_EQ(NotesIni(kNotesIni, "ServerTasksAt5"), "EXAMORA,Compact");
    EXPECT_EQ(NotesIni(kNotesIni, "ServerTasksAt25"), "EXAMORA");
}

TEST_F(ExamoraRemoval, OnlyTheFirst24NumberedListsAreLookedAt) {
    InstallBeside();
    SetNotesIni(kNotesIni, "ServerTasksAt3", "Object Info");
    SetNotesIni(kNotesIni, "ServerTasksAt24", "Stats,EXAMORA");
    SetNotesIni(kNotesIni, "ServerTasksAt25", "EXAMORA");

    EXPECT_TRUE(Remove(kFamily));
    EXPECT_EQ(NotesIni(kNotesIni, "ServerTasksAt3"), "Object Info");
    EXPECT_EQ(NotesIni(kNotesIni, "ServerTasksAt24"), "STATS");
    EXPECT_EQ(NotesIni(kNotesIni, "ServerTasksAt25"), "EXAMORA");
}

TEST_F(ExamoraRemoval, ASentrelProductKeepsTheMailDatabaseAndItsSetting) {
    Install({kExamoraFlag});
    const std::unique_ptr<CProduct> product = MakeExamora(kVersion, nullptr);
    g_examoraCount = 1;
    g_sentrelCount = 1;
    g_installedCount = 2;

    EXPECT_TRUE(product->Uninstall(nullptr, &Record));
    EXPECT_EQ(reports, Removal(Title(kFamily)));
    EXPECT_TRUE(FileExists(kMailDatabase));
    EXPECT_EQ(Text(kMailKey, "Mail Database"), kMailDatabase);
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\nexamora.exe"));
}

TEST_F(ExamoraRemoval, ARunningNotesServerDoesNotStopTheRemoval) {
    InstallBeside();
    winsim::StartProcess("nserver");

    EXPECT_TRUE(Remove(kFamily));
    EXPECT_EQ(reports, Removal(Title(kFamily)));
    EXPECT_TRUE(winsim::PerformanceQueries().empty());
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\nexamora.exe"));
}

}  // namespace
}  // namespace suite_test
