// The product base: identity, what loading reads from the store and the registry, the component
// text, and the suite's key paths.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "api/counters.h"
#include "support/machine.h"
#include "support/test_family.h"

namespace machine = testing_machine;

namespace {

const std::string kRoot = "SOFTWARE\\Tarvelle\\Orvanta";

class ProductBase : public ::testing::Test {
  protected:
    void SetUp() override { machine::Reset(); }
    void TearDown() override { machine::Reset(); }

    static void SeedSetup(const std::string& setupKey) {
        machine::SetString(setupKey, "Program Directory", "C:\\Orvanta");
        machine::SetString(setupKey, "Folder Location", "C:\\WINNT\\Profiles\\All Users\\Orvanta");
        machine::SetString(setupKey, "Notes Directory", "C:\\Lotus\\Domino");
        machine::SetString(setupKey, "Notes Data Directory", "C:\\Lotus\\Domino\\Data");
        machine::SetString(setupKey, "Notes.ini", "C:\\Lotus\\Domino\\notes.ini");
        machine::SetString(setupKey, "Database Directory", "C:\\Lotus\\Domino\\Data\\Orvanta");
    }
};

TEST_F(ProductBase, MissingParametersLeaveEmptyDirectoriesAndNoServerName) {
    CTestFamily product("Kestrune", "5.0");
    EXPECT_STREQ(product.ProgramDir(), "");
    EXPECT_STREQ(product.CommonDir(), "\\Common");
    EXPECT_STREQ(product.LogsDir(), "\\Logs");
    EXPECT_STREQ(product.NotesIni(), "");
    EXPECT_EQ(product.ServerName(), nullptr);
}

// The server name's buffer holds 259 characters and the zero; a name that fills it without a zero
// (stored with no zero of its own) does not fit.
TEST_F(ProductBase, ServerNameFillsItsBufferButNoMore) {
    const std::string notes = kRoot + "\\Kestrune\\Notes";
    const std::string longest(MAX_PATH - 1, 's');
    machine::SetString(notes, "Server Name", longest);
    EXPECT_STREQ(CTestFamily("Kestrune", "5.0").ServerName(), longest.c_str());
    machine::SetBinary(notes, "Server Name", longest + "s");
    EXPECT_EQ(CTestFamily("Kestrune", "5.0").ServerName(), nullptr);
}

TEST_F(ProductBase, ProgramDirectoryTooLongForItsSubdirectoriesLeavesThemEmpty) {
    machine::SetString(kRoot + "\\Setup\\Setup", "Program Directory",
                       "C:\\" + std::string(254, 'd'));
    CTestFamily product("Kestrune", "5.0");
    EXPECT_EQ(std::strlen(product.ProgramDir()), 257u);
    EXPECT_STREQ(product.CommonDir(), "");
    EXPECT_STREQ(product.LogsDir(), "");
}

TEST_F(ProductBase, SuiteKeyPathsOfAPartitionObject) {
    CTestFamily examora("Examora", "5.2", "3");
    char path[MAX_PATH];
    EXPECT_TRUE(examora.BuildSuiteKeyPath(path, sizeof path, kProductKey));
    EXPECT_STREQ(path, "SOFTWARE\\Tarvelle\\Orvanta\\Partition 3\\Examora");
    EXPECT_TRUE(examora.BuildSuiteKeyPath(path, sizeof path, kPartitionKey));
    EXPECT_STREQ(path, "SOFTWARE\\Tarvelle\\Orvanta\\Partition 3");
    EXPECT_TRUE(examora.BuildSuiteKeyPath(path, sizeof path, kSuiteRootKey));
    EXPECT_STREQ(path, "SOFTWARE\\Tarvelle\\Orvanta");

    EXPECT_TRUE(examora.BuildProductKeyPath(path, sizeof path, "Notes", "Kestrune", false));
    EXPECT_STREQ(path, "SOFTWARE\\Tarvelle\\Orvanta\\Kestrune\\Notes");
    EXPECT_TRUE(examora.BuildProductKeyPath(path, sizeof path, "Notes", "Kestrune", true));
    EXPECT_STREQ(path, "SOFTWARE\\Tarvelle\\Orvanta\\Partition 3\\Kestrune\\Notes");
    EXPECT_TRUE(examora.BuildProductKeyPath(path, sizeof path, nullptr, nullptr, true));
    EXPECT_STREQ(path, "SOFTWARE\\Tarvelle\\Orvanta\\Partition 3\\Examora");
}

TEST_F(ProductBase, KeyPathsThatWouldNotFitAreRefused) {
    const std::string longName(250, 'n');
    CTestFamily product(longName.c_str(), "5.2", "25");
    char path[MAX_PATH];
    EXPECT_FALSE(product.BuildSuiteKeyPath(path, sizeof path, kProductKey));
    EXPECT_STREQ(path, "");
    EXPECT_FALSE(product.BuildProductKeyPath(path, sizeof path, "Notes", nullptr, false));
    EXPECT_STREQ(path, "");
}

}  // namespace
