// The Pathlyn removals where the scenarios do not reach: component names compared exactly, the
// refusal while the Notes server runs, and Windows 95, which never looks for the server.
#include <gtest/gtest.h>

#include "native/pathlyn_kestrune_fixture.h"

namespace suite_test {
namespace {

constexpr const char* kFamily = "Pathlyn";
const std::string kProductKey = std::string(kSuiteRoot) + "\\Pathlyn";
const std::string kServerTask = "C:\\Lotus\\Domino\\novpathl.exe";
const std::string kClientProgram = "C:\\Lotus\\Domino\\ovCPathl.exe";
const std::string kSharedAddin = "C:\\Orvanta\\Common\\novapimn.dll";
const std::string kClientAddin = "C:\\Orvanta\\Common\\novCPthl.dll";

Transcript ServerReports(int32_t step, int32_t from = 0) {
    // A removal that stands at 80 after its registry line completes at 100.
    const int32_t registry = from + 5 * step;
    const int32_t success = registry == 80 ? 100 : registry + step;
    return {{"Removing OVPathlyn Server...", from, 1, 1},
            {"Removing OVPathlyn Server files...", from, 1, 1},
            {"Removing OVPathlyn Server logs...", from + step, 1, 1},
            {"Removing OVPathlyn Server Databases...", from + 2 * step, 2, 1},
            {"Removing Folder Items...", from + 3 * step, 3, 1},
            {"Updating notes.ini...", from + 4 * step, 3, 1},
            {"Updating the registry...", registry, 4, 1},
            {"OVPathlyn Server successfully removed...", success, 0, 1}};
}

Transcript ClientReports(int32_t step, int32_t from = 0) {
    return {{"Removing OVPathlyn Client...", from, 1, 1},
            {"Removing OVPathlyn Client files...", from, 1, 1},
            {"Removing OVPathlyn Server Databases...", from + step, 2, 1},
            {"Removing Folder Items...", from + 2 * step, 3, 1},
            {"Updating the registry...", from + 3 * step, 4, 1},
            {"OVPathlyn Client successfully removed...", from + 4 * step, 0, 1}};
}

Transcript Join(Transcript first, const Transcript& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

const Report kRefusal = {"The Notes server must be shut down to remove the OVPathlyn server!", 0, 1,
                         3};

using PathlynRemoval = PathlynKestruneFixture;

TEST_F(PathlynRemoval, ComponentNamesAreComparedExactly) {
    InstallWithFootprints({kPathlynServerFlag});
    ASSERT_TRUE(Scan());
    for (const char* name : {"Pathlyn server", "Pathlyn Server ", "Pathlyn Client", ""}) {
        reports.clear();
        EXPECT_FALSE(Remove(kFamily, 0, name)) << name;
        EXPECT_EQ(reports, Transcript({Title(kFamily, 0, name)})) << name;
    }
    EXPECT_EQ(g_pathlynCount, 1);
    EXPECT_TRUE(FileExists(kServerTask));
}

TEST_F(PathlynRemoval, ARunningNotesServerRefusesTheServerComponent) {
    InstallWithFootprints({kPathlynServerFlag, kPathlynClientFlag});
    winsim::StartProcess("nserver");
    ASSERT_TRUE(Scan());

    EXPECT_FALSE(Remove(kFamily, 0, kPathlynServerFlag));
    EXPECT_EQ(reports, Transcript({Title(kFamily, 0, kPathlynServerFlag),
                                   {"Removing OVPathlyn Server...", 0, 1, 1},
                                   kRefusal}));
    EXPECT_EQ(g_pathlynCount, 1);
    EXPECT_EQ(g_installedCount, 1);
    EXPECT_EQ(SetupFlag(kPathlynServerFlag), 1);
    EXPECT_EQ(SetupFlag("Installed"), 4);
    EXPECT_TRUE(FileExists(kServerTask));
    EXPECT_TRUE(FileExists("C:\\Orvanta\\Logs\\ovpathl.log"));
    EXPECT_TRUE(KeyExists(kProductKey));
    EXPECT_EQ(NotesIni(kNotesIni, "SERVERTASKS"), "Replica,Router,Update,AMgr,OVINFO,OVPATHL");
}

TEST_F(PathlynRemoval, ARunningNotesServerKeepsTheServerButNotTheClientOfAWholeRemoval) {
    InstallWithFootprints({kPathlynServerFlag, kPathlynClientFlag, kExamoraFlag});
    winsim::StartProcess("nserver");
    ASSERT_TRUE(Scan());

    EXPECT_TRUE(Remove(kFamily));
    EXPECT_EQ(reports, Join({Title(kFamily), {"Removing OVPathlyn Server...", 0, 1, 1}, kRefusal},
                            ClientReports(10)));
    EXPECT_TRUE(FileExists(kServerTask));
    EXPECT_TRUE(FileExists(kSharedAddin));
    EXPECT_FALSE(FileExists(kClientProgram));
    EXPECT_EQ(SetupFlag(kPathlynServerFlag), 1);
    EXPECT_EQ(SetupFlag(kPathlynClientFlag), 0);
    // The product counts as removed all the same: its folder and key go.
    EXPECT_EQ(g_pathlynCount, 0);
    EXPECT_EQ(g_installedCount, 1);
    EXPECT_FALSE(KeyExists(kProductKey));
    EXPECT_FALSE(FileExists(kStartMenu + "\\Pathlyn"));
}

TEST_F(PathlynRemoval, Windows95NeverLooksForTheNotesServer) {
    UseSystem(winsim::Windows95());
    InstallWithFootprints({kPathlynServerFlag, kExamoraFlag});
    winsim::StartProcess("nserver");
    ASSERT_TRUE(Scan());

    EXPECT_TRUE(Remove(kFamily));
    EXPECT_EQ(reports, Join({Title(kFamily)}, ServerReports(16)));
    EXPECT_FALSE(FileExists(kServerTask));
    EXPECT_FALSE(FileExists("C:\\WINDOWS\\Start Menu\\Programs\\Orvanta\\Pathlyn"));
    EXPECT_TRUE(winsim::PerformanceQueries().empty());
}

}  // namespace
}  // namespace suite_test
