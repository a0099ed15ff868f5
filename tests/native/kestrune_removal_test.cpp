// The Kestrune Console removal as a caller drives it, beside other products and as the last
// product of the suite, on Windows NT 4.0, Windows 95 and Windows NT 3.51: the reports, their
// percentages and phases, and what is left on the machine afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "native/pathlyn_kestrune_fixture.h"

namespace suite_test {
namespace {

constexpr const char* kFamily = "Kestrune";
const std::string kProductKey = std::string(kSuiteRoot) + "\\Kestrune";

Transcript ConsoleReports(const Report& title) {
    return {title,
            {"Removing OV Kestrune Console...", 0, 1, 1},
            {"Removing Folder Items...", 16, 3, 1},
            {"Updating the registry...", 32, 4, 1},
            {"OV Kestrune was successfully removed...", 48, 0, 1}};
}

std::vector<std::string> ProgmanCommandTexts() {
    std::vector<std::string> texts;
    for (const winsim::ProgmanCommand& command : winsim::ProgmanCommands()) {
        texts.push_back(command.text);
    }
    return texts;
}

using KestruneRemoval = PathlynKestruneFixture;

TEST_F(KestruneRemoval, TheConsoleGoesBesideAnotherProduct) {
    InstallWithFootprints({kKestruneFlag, kExamoraFlag});
    ASSERT_TRUE(Scan());
    ASSERT_EQ(SearchPath(), kSearchPath + ";C:\\Orvanta\\CLIENT");
    EXPECT_EQ(g_kestruneCount, 1);

    EXPECT_TRUE(Remove(kFamily));
    EXPECT_EQ(reports, ConsoleReports(Title(kFamily)));
    EXPECT_EQ(g_kestruneCount, 0);
    EXPECT_EQ(g_installedCount, 1);
    EXPECT_FALSE(FileExists(kStartMenu + "\\Kestrune Console.lnk"));
    EXPECT_FALSE(FileExists(kStartMenu + "\\Kestrune 99 Readme File.lnk"));
    EXPECT_EQ(SearchPath(), "%systemroot%\\system32;%systemroot%;c:\\orvanta");
    // The product key goes whole, with the settings Examora still reads.
    EXPECT_FALSE(KeyExists(kProductKey));
    EXPECT_EQ(SetupFlag(kKestruneFlag), 0);
    EXPECT_EQ(SetupFlag("Installed"), 2);
    // The console program stays in the client directory for the suite-wide cleanup.
    EXPECT_TRUE(FileExists("C:\\Orvanta\\CLIENT\\ovconsole.exe"));
    EXPECT_TRUE(KeyExists(kUninstallKey));
}

TEST_F(KestruneRemoval, TheLastProductOfTheSuiteIsFollowedByTheSuiteCleanup) {
    InstallWithFootprints({kKestruneFlag});
    ASSERT_TRUE(Scan());

    EXPECT_TRUE(UninstallProduct(kFamily, kVersion, nullptr, kKestruneFlag, &Record, 0));
    EXPECT_EQ(reports, ConsoleReports(Title(kFamily, 0, kKestruneFlag)));
    EXPECT_EQ(g_installedCount, 0);
    EXPECT_FALSE(KeyExists(kSuiteRoot));
    EXPECT_EQ(SearchPath(), "%systemroot%\\system32;%systemroot%");
    EXPECT_EQ(Text(kRunOnceKey, "rem_ov_uninst1"), "uninst.exe -a -dC:\\WINNT\\ovuninstall.exe");
}

TEST_F(KestruneRemoval, OtherComponentNamesRemoveNothing) {
    InstallWithFootprints({kKestruneFlag, kExamoraFlag});
    ASSERT_TRUE(Scan());
    for (const char* name : {"Kestrune console", "Kestrune", "Examora Server"}) {
        reports.clear();
        EXPECT_FALSE(Remove(kFamily, 0, name)) << name;
        EXPECT_EQ(reports, Transcript({Title(kFamily, 0, name)})) << name;
    }
    EXPECT_EQ(g_kestruneCount, 1);
    EXPECT_TRUE(FileExists(kStartMenu + "\\Kestrune Console.lnk"));

    EXPECT_TRUE(Remove(kFamily, 0, kKestruneFlag));
    reports.clear();
    EXPECT_FALSE(Remove(kFamily, 0, kKestruneFlag));
    EXPECT_TRUE(reports.empty());
}

TEST_F(KestruneRemoval, Windows95ShortcutsLieInItsOwnStartMenu) {
    UseSystem(winsim::Windows95());
    InstallWithFootprints({kKestruneFlag, kExamoraFlag});
    const std::string startMenu = "C:\\WINDOWS\\Start Menu\\Programs\\Orvanta";
    ASSERT_TRUE(FileExists(startMenu + "\\Kestrune Console.lnk"));
    ASSERT_TRUE(Scan());

    EXPECT_TRUE(Remove(kFamily));
    EXPECT_EQ(reports, ConsoleReports(Title(kFamily)));
    EXPECT_FALSE(FileExists(startMenu + "\\Kestrune Console.lnk"));
    EXPECT_FALSE(FileExists(startMenu + "\\Kestrune 99 Readme File.lnk"));
    EXPECT_TRUE(FileExists(startMenu + "\\Examora"));
}

TEST_F(KestruneRemoval, WindowsNT351RemovesTheItemAndTheSentrelGroup) {
    UseSystem(winsim::WindowsNT351());
    InstallWithFootprints({kKestruneFlag, kExamoraFlag});
    winsim::AddProgmanGroup({"Orvanta Sentrel", {"Orvanta Sentrel Readme File"}});
    ASSERT_EQ(ProgmanItems("Orvanta"), std::vector<std::string>({"Kestrune Console"}));
    ASSERT_TRUE(Scan());

    EXPECT_TRUE(Remove(kFamily));
    EXPECT_EQ(reports, ConsoleReports(Title(kFamily)));
    EXPECT_EQ(ProgmanCommandTexts(),
              std::vector<std::string>({"[ShowGroup(Orvanta , 2)]", "[ShowGroup(Orvanta , 1)]",
                                        "[DeleteItem(Kestrune Console)]",
                                        "[DeleteGroup(Orvanta Sentrel)]"}));
    // Program Manager reads the group's name without the blank that ends it.
    EXPECT_TRUE(ProgmanItems("Orvanta").empty());
    const std::vector<std::string> groups = ProgmanGroupNames();
    EXPECT_EQ(std::count(groups.begin(), groups.end(), "Orvanta Sentrel"), 0);
    EXPECT_EQ(std::count(groups.begin(), groups.end(), "Orvanta Examora"), 1);
}

}  // namespace
}  // namespace suite_test
