// The Rendimo Manager server removed as a component: what it takes off the catalogue and the
// setup flags, and which component names reach it.
#include <gtest/gtest.h>

#include "api/counters.h"
#include "native/suite_fixture.h"

namespace suite_test {
namespace {

constexpr const char* kFamily = "Rendimo Manager";
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

using KrmRemoval = SuiteFixture;

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

}  // namespace
}  // namespace suite_test
