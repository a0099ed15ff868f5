// The Rendimo Manager server removal as a caller drives it: the reports, their percentages and
// phases, and what is left of the product on the machine afterwards.
#include <gtest/gtest.h>

#include "api/counters.h"
#include "native/suite_fixture.h"

namespace suite_test {
namespace {

constexpr const char* kFamily = "Rendimo Manager";
const std::string kStartMenu = "C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs\\Orvanta";
const std::string kNotesIni = "C:\\Lotus\\Domino\\notes.ini";
const std::string kProductKey = std::string(kSuiteRoot) + "\\Rendimo Manager";

Transcript RemovalAlone(const Report& title) {
    return {title,
            {"Removing OVKRM Server...", 0, 1, 1},
            {"Removing OVKRM Server files...", 0, 1, 1},
            {"Removing OVKRM Server logs...", 16, 1, 1},
            {"Removing OVKRM Server Databases...", 32, 2, 1},
            {"Removing Folder Items...", 48, 3, 1},
            {"Updating notes.ini...", 64, 3, 1},
            {"Updating the registry...", 80, 4, 1},
            {"OVKRM Server successfully removed...", 100, 0, 1}};
}

Transcript Refusal(const Report& title) {
    return {title,
            {"Removing OVKRM Server...", 0, 1, 1},
            {"The Notes server must be shut down to remove the OVKRM server!", 0, 1, 3}};
}

using KrmRemoval = SuiteFixture;

TEST_F(KrmRemoval, TheOnlyProductGoesWithEverythingOfItsOwnAndThenTheSuite) {
    Install({kRendimoFlag});
    ASSERT_TRUE(Scan());
    EXPECT_EQ(g_rendimoCount, 1);

    EXPECT_TRUE(Remove(kFamily));
    EXPECT_EQ(reports, RemovalAlone(Title(kFamily)));
    EXPECT_EQ(g_rendimoCount, 0);
    EXPECT_EQ(g_installedCount, 0);
    for (const char* file : {"C:\\Lotus\\Domino\\novstatg.exe", "C:\\Lotus\\Domino\\pcache.txt",
                             "C:\\Orvanta\\CLIENT\\ovkrmvw.exe", "C:\\Orvanta\\Logs\\ovstatg.log",
                             "C:\\Lotus\\Domino\\Data\\Orvanta\\ovrmstat.nsf",
                             "C:\\Lotus\\Domino\\Data\\Orvanta\\KesWizrd.nsf",
                             "C:\\Lotus\\Domino\\Data\\ovrmstat.ntf"}) {
        EXPECT_FALSE(FileExists(file)) << file;
    }
    EXPECT_FALSE(FileExists(kStartMenu + "\\Rendimo Manager"));
    EXPECT_EQ(NotesIni(kNotesIni, "SERVERTASKS"), "REPLICA,ROUTER,UPDATE,AMGR");
    // The suite-wide cleanup ran after it: nothing of the suite is left but the removal of the
    // uninstaller at the next start.
    EXPECT_FALSE(KeyExists(kSuiteRoot));
    EXPECT_FALSE(FileExists("C:\\Orvanta"));
    EXPECT_EQ(Text(kRunOnceKey, "rem_ov_uninst2"), "uninst.exe -a -dC:\\WINNT\\uninstlib.dll");
}

TEST_F(KrmRemoval, ComponentRemovalClearsTheFlagAndTakesTheWeightOffInstalled) {
    Install({kRendimoFlag, kExamoraFlag});
    ASSERT_TRUE(Scan());

    EXPECT_TRUE(Remove(kFamily, 0, kRendimoFlag));
    EXPECT_EQ(reports, RemovalAlone(Title(kFamily, 0, kRendimoFlag)));
    EXPECT_EQ(SetupFlag(kRendimoFlag), 0);
    EXPECT_EQ(SetupFlag("Installed"), 2);
    EXPECT_EQ(SetupFlag(kExamoraFlag), 1);
    EXPECT_FALSE(KeyExists(kProductKey));
    EXPECT_FALSE(KeyExists(std::string(kSuiteRoot) + "\\Kestrune\\Database Directory"));
    EXPECT_EQ(g_rendimoCount, 0);
    EXPECT_EQ(g_installedCount, 1);
    // Examora is still installed: the suite stays.
    EXPECT_TRUE(KeyExists(kUninstallKey));
    EXPECT_EQ(NotesIni(kNotesIni, "SERVERTASKS"), "REPLICA,ROUTER,UPDATE,AMGR,OVINFO");

    // The entry is removed: the catalogue no longer reaches it.
    reports.clear();
    EXPECT_FALSE(Remove(kFamily, 0, kRendimoFlag));
    EXPECT_TRUE(reports.empty());
}

TEST_F(KrmRemoval, ComponentNamesAreComparedExactly) {
    Install({kRendimoFlag});
    ASSERT_TRUE(Scan());
    for (const char* name : {"Rendimo Manager server", "Rendimo Manager Server ", ""}) {
        reports.clear();
        EXPECT_FALSE(Remove(kFamily, 0, name)) << name;
        EXPECT_EQ(reports, Transcript({Title(kFamily, 0, name)})) << name;
    }
    // An empty name leaves two blanks before the suffix.
    EXPECT_EQ(reports[0].text, "Removing Rendimo Manager 5.2  from your computer...");
    EXPECT_EQ(g_rendimoCount, 1);
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\novstatg.exe"));
    EXPECT_TRUE(KeyExists(kProductKey));
}

TEST_F(KrmRemoval, ARunningNotesServerRefusesTheComponentRemoval) {
    Install({kRendimoFlag});
    winsim::StartProcess("nserver");
    ASSERT_TRUE(Scan());

    EXPECT_FALSE(Remove(kFamily, 0, kRendimoFlag));
    EXPECT_EQ(reports, Refusal(Title(kFamily, 0, kRendimoFlag)));
    EXPECT_EQ(g_rendimoCount, 1);
    EXPECT_EQ(g_installedCount, 1);
    EXPECT_EQ(SetupFlag(kRendimoFlag), 1);
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\novstatg.exe"));
    EXPECT_TRUE(FileExists(kStartMenu + "\\Rendimo Manager"));
    EXPECT_TRUE(KeyExists(kProductKey));
    EXPECT_EQ(NotesIni(kNotesIni, "SERVERTASKS"), "Replica,Router,Update,AMgr,OVINFO,OVSTATG");
}

TEST_F(KrmRemoval, ARunningNotesServerLeavesTheFilesOfAWholeRemoval) {
    Install({kRendimoFlag, kExamoraFlag});
    winsim::StartProcess("nserver");
    ASSERT_TRUE(Scan());

    EXPECT_TRUE(Remove(kFamily));
    EXPECT_EQ(reports, Refusal(Title(kFamily)));
    // The product is taken out of the catalogue, its folder, key and flag with it...
    EXPECT_EQ(g_rendimoCount, 0);
    EXPECT_EQ(g_installedCount, 1);
    EXPECT_FALSE(FileExists(kStartMenu + "\\Rendimo Manager"));
    EXPECT_FALSE(KeyExists(kProductKey));
    EXPECT_EQ(SetupFlag(kRendimoFlag), 0);
    EXPECT_EQ(SetupFlag("Installed"), 2);
    // ... while its files, databases and task entry stay.
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\novstatg.exe"));
    EXPECT_TRUE(FileExists("C:\\Lotus\\Domino\\Data\\Orvanta\\ovrmstat.nsf"));
    EXPECT_EQ(NotesIni(kNotesIni, "SERVERTASKS"), "Replica,Router,Update,AMgr,OVINFO,OVSTATG");
}

TEST_F(KrmRemoval, Windows95NeverLooksForTheNotesServer) {
    UseSystem(winsim::Windows95());
    Install({kRendimoFlag, kExamoraFlag});
    winsim::StartProcess("nserver");
    ASSERT_TRUE(Scan());

    EXPECT_TRUE(Remove(kFamily, 0, kRendimoFlag));
    EXPECT_EQ(reports, RemovalAlone(Title(kFamily, 0, kRendimoFlag)));
    EXPECT_TRUE(winsim::PerformanceQueries().empty());
    EXPECT_FALSE(FileExists("C:\\Lotus\\Domino\\novstatg.exe"));
    EXPECT_FALSE(FileExists("C:\\WINDOWS\\Start Menu\\Programs\\Orvanta\\Rendimo Manager"));
}

TEST_F(KrmRemoval, ProgramManagerItemsAndGroupGoOnWindowsNT351) {
    UseSystem(winsim::WindowsNT351());
    winsim::AddProgmanGroup({"Orvanta Examora", {"Examora Readme File"}});
    Install({kRendimoFlag});
    ASSERT_TRUE(Scan());
    ASSERT_EQ(
        ProgmanItems("Orvanta Rendimo Manager"),
        std::vector<std::string>({"Rendimo Manager Readme File", "Rendimo Manager On-Line Help"}));

    EXPECT_TRUE(Remove(kFamily));
    EXPECT_EQ(reports, RemovalAlone(Title(kFamily)));
    std::vector<std::string> commands;
    for (const winsim::ProgmanCommand& command : winsim::ProgmanCommands()) {
        commands.push_back(command.text);
    }
    EXPECT_EQ(commands, std::vector<std::string>({
                            "[ShowGroup(Orvanta Rendimo Manager, 2)]",
                            "[ShowGroup(Orvanta Rendimo Manager, 1)]",
                            "[DeleteItem(Rendimo Manager Readme File)]",
                            "[ShowGroup(Orvanta Rendimo Manager, 2)]",
                            "[ShowGroup(Orvanta Rendimo Manager, 1)]",
                            "[DeleteItem(Rendimo Manager On-Line Help)]",
                            "[DeleteGroup(Orvanta Rendimo Manager)]",
                        }));
    // Groups of the suite's other products are not the suite cleanup's on Windows NT 3.51.
    EXPECT_EQ(ProgmanGroupNames(), std::vector<std::string>({"Orvanta Examora"}));
}

}  // namespace
}  // namespace suite_test
