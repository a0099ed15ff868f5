// The Pathlyn removals where the scenarios do not reach: component names compared exactly and the
// refusal while the Notes server runs.
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

// The caller answers true to every status line and to the error here (the scenarios' caller
// answers false): what it says to anything but a question changes nothing.
TEST_F(PathlynRemoval, ARunningNotesServerKeepsTheServerButNotTheClientOfAWholeRemoval) {
    InstallWithFootprints({kPathlynServerFlag, kPathlynClientFlag, kExamoraFlag});
    winsim::StartProcess("nserver");
    ASSERT_TRUE(Scan());

    const ProgressCallback answeringTrue = [](const char* text, int32_t percent, int32_t step,
                                              uint32_t kind) {
        return Record(text, percent, step, kind) || kind != 2;
    };
    EXPECT_TRUE(UninstallProduct(kFamily, kVersion, nullptr, nullptr, answeringTrue, 0));
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

// The server, then the client, through one catalogue: the second removal of the entry starts
// from 0 again, and the server, gone, is refused a second time.
TEST_F(PathlynRemoval, ASecondRemovalOfTheSameEntryStartsAfresh) {
    InstallWithFootprints({kPathlynServerFlag, kPathlynClientFlag});
    ASSERT_TRUE(Scan());
    EXPECT_TRUE(Remove(kFamily, 0, kPathlynServerFlag));
    reports.clear();
    EXPECT_FALSE(Remove(kFamily, 0, kPathlynServerFlag));
    EXPECT_TRUE(Remove(kFamily, 0, kPathlynClientFlag));
    EXPECT_EQ(reports,
              Join({Title(kFamily, 0, kPathlynServerFlag), Title(kFamily, 0, kPathlynClientFlag)},
                   ClientReports(25)));
}

}  // namespace
}  // namespace suite_test
