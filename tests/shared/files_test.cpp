#include <string>

#include "support/files_tree.h"
#include "support/machine.h"
#include "system/files.h"
#include "system/registry.h"

namespace {

using files_tree::Exists;
using files_tree::MakeDirectory;
using files_tree::MakeFile;

const std::string kSharedDlls = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";

class FileRemoval : public files_tree::ScratchTree {
  protected:
    void TearDown() override {
        DeleteRegistryValuesContaining(HKEY_LOCAL_MACHINE, kSharedDlls.c_str(), "UninstlibFiles",
                                       true);
        ScratchTree::TearDown();
    }

    static std::string Repeat(char c, size_t count) { return std::string(count, c); }
};

// ---- DeleteMatchingFiles --------------------------------------------------------------------

TEST_F(FileRemoval, ExactNameWithOrWithoutTrailingBackslash) {
    MakeFile(PathOf("novrcycl.exe"), true);
    MakeFile(PathOf("novagent.exe"), true);
    MakeFile(PathOf("novrcycl.exe.bak"));

    EXPECT_TRUE(DeleteMatchingFiles((std::string(kRoot) + "\\").c_str(), "novrcycl.exe"));
    EXPECT_TRUE(DeleteMatchingFiles(kRoot, "novagent.exe"));

    EXPECT_FALSE(Exists(PathOf("novrcycl.exe")));
    EXPECT_FALSE(Exists(PathOf("novagent.exe")));
    EXPECT_TRUE(Exists(PathOf("novrcycl.exe.bak")));
}

TEST_F(FileRemoval, SearchThatCannotStartIsFalse) {
    MakeFile(PathOf("ovsen.txt"));

    EXPECT_FALSE(DeleteMatchingFiles(kRoot, "ov*.n?f"));
    EXPECT_FALSE(DeleteMatchingFiles(PathOf("missing").c_str(), "*"));
    EXPECT_FALSE(DeleteMatchingFiles(nullptr, "*"));
    EXPECT_FALSE(DeleteMatchingFiles("", "*"));
    EXPECT_FALSE(DeleteMatchingFiles(kRoot, nullptr));
    EXPECT_FALSE(DeleteMatchingFiles(kRoot, ""));
    EXPECT_TRUE(Exists(PathOf("ovsen.txt")));
}

// ---- IsDirectoryEmpty -----------------------------------------------------------------------

TEST_F(FileRemoval, EmptyMeansNoFileAnywhereBelow) {
    MakeDirectory(PathOf("a\\b\\c"));
    MakeDirectory(PathOf("d"));
    EXPECT_TRUE(IsDirectoryEmpty(kRoot));

    MakeFile(PathOf("a\\b\\c\\ovsen.nsf"));
    EXPECT_FALSE(IsDirectoryEmpty(kRoot));
    EXPECT_FALSE(IsDirectoryEmpty(PathOf("a").c_str()));
    EXPECT_TRUE(IsDirectoryEmpty(PathOf("d").c_str()));

    // Dot directories are not looked into.
    MakeFile(PathOf("d\\.cache\\index.dat"));
    EXPECT_TRUE(IsDirectoryEmpty(PathOf("d").c_str()));
}

TEST_F(FileRemoval, MissingDirectoryIsEmptyButNoPathIsNot) {
    EXPECT_TRUE(IsDirectoryEmpty(PathOf("missing").c_str()));
    EXPECT_FALSE(IsDirectoryEmpty(nullptr));
    EXPECT_FALSE(IsDirectoryEmpty(""));
    // A tree to delete must be there.
    EXPECT_FALSE(DeleteDirectoryTree(PathOf("missing").c_str()));
    EXPECT_FALSE(DeleteDirectoryTree(nullptr));
    EXPECT_FALSE(DeleteDirectoryTree(""));
}

// A directory whose search pattern ("dir\\*") would not fit in MAX_PATH cannot be searched: it
// is not vouched for as empty, nor walked, nor searched for a pattern. Patterns of 258 and 259
// characters fit; 260 and ten times the limit do not.
TEST_F(FileRemoval, DirectoriesTooLongToSearchAreRefused) {
    for (const size_t search : {size_t{258}, size_t{259}, size_t{260}, size_t{2590}}) {
        const std::string dir = PathOf(Repeat('d', search - 2 - sizeof "C:\\UninstlibFiles"));
        ASSERT_EQ(dir.size() + 2, search);
        const bool fits = search < MAX_PATH;
        EXPECT_EQ(IsDirectoryEmpty(dir.c_str()), fits) << search;
        EXPECT_FALSE(DeleteDirectoryTree(dir.c_str())) << search;
        EXPECT_FALSE(DeleteMatchingFiles(dir.c_str(), "*")) << search;
    }
}

// ---- DeleteDirectoryTree --------------------------------------------------------------------

TEST_F(FileRemoval, TreeGoesWithReadOnlyFilesAndItself) {
    MakeFile(PathOf("Orvanta\\ovsen.nsf"), true);
    MakeFile(PathOf("Orvanta\\bin\\novagent.exe"), true);
    MakeFile(PathOf("Orvanta\\bin\\ovrt.dll"));
    MakeDirectory(PathOf("Orvanta\\logs\\old"));

    EXPECT_TRUE(DeleteDirectoryTree(PathOf("Orvanta").c_str()));

    EXPECT_FALSE(Exists(PathOf("Orvanta")));
    EXPECT_TRUE(Exists(kRoot));
}

TEST_F(FileRemoval, DotDirectoryAndItsParentsStay) {
    MakeFile(PathOf("Orvanta\\readme.txt"));
    MakeFile(PathOf("Orvanta\\data\\ovsen.nsf"));
    MakeFile(PathOf("Orvanta\\data\\.cache\\index.dat"));
    MakeFile(PathOf("Orvanta\\logs\\ovsen.log"));

    EXPECT_TRUE(DeleteDirectoryTree(PathOf("Orvanta").c_str()));

    EXPECT_TRUE(Exists(PathOf("Orvanta\\data\\.cache\\index.dat")));
    EXPECT_FALSE(Exists(PathOf("Orvanta\\readme.txt")));
    EXPECT_FALSE(Exists(PathOf("Orvanta\\data\\ovsen.nsf")));
    EXPECT_FALSE(Exists(PathOf("Orvanta\\logs")));
}

TEST_F(FileRemoval, SharedCountsOfTheTreeDropToZero) {
    const std::string inTree = PathOf("Orvanta\\bin\\ovrt.dll");
    const std::string matched = PathOf("ovsen.dll");
    MakeFile(inTree);
    MakeFile(matched);
    testing_machine::SetDword(kSharedDlls, inTree, 3);
    testing_machine::SetDword(kSharedDlls, matched, 2);

    // The trailing backslash must not show in the value name.
    EXPECT_TRUE(DeleteDirectoryTree(PathOf("Orvanta\\").c_str()));
    EXPECT_TRUE(DeleteMatchingFiles(kRoot, "ovsen.dll"));

    EXPECT_FALSE(Exists(inTree));
    EXPECT_TRUE(testing_machine::ValueExists(kSharedDlls, inTree));
    EXPECT_EQ(testing_machine::ReadDword(kSharedDlls, inTree), 0u);
    EXPECT_EQ(testing_machine::ReadDword(kSharedDlls, matched), 2u);
}

// A file whose full path takes all of MAX_PATH cannot be named in a MAX_PATH buffer: a pattern
// passes it over; the tree cannot all go, so its walk stops there and says so.
TEST_F(FileRemoval, FileTooLongToNameIsNeverCutIntoAnotherPath) {
    const std::string top = PathOf(Repeat('d', 100));
    const std::string dir = top + "\\" + Repeat('e', 100);
    const std::string tooLong = dir + "\\" + Repeat('f', MAX_PATH - dir.size() - 5) + ".nsf";
    ASSERT_EQ(tooLong.size(), static_cast<size_t>(MAX_PATH));
    MakeFile(tooLong);
    MakeFile(dir + "\\short.nsf");
    MakeFile(dir + "\\other.txt");

    EXPECT_TRUE(DeleteMatchingFiles(dir.c_str(), "*.nsf"));
    EXPECT_FALSE(Exists(dir + "\\short.nsf"));
    EXPECT_TRUE(Exists(dir + "\\other.txt"));

    EXPECT_FALSE(DeleteDirectoryTree(top.c_str()));
    EXPECT_TRUE(Exists(tooLong));
}

}  // namespace
