#include <string>

#include "support/files_tree.h"
#include "support/machine.h"
#include "system/directory_form.h"
#include "system/files.h"
#include "system/protected_directories.h"

namespace {

using files_tree::Exists;
using files_tree::MakeDirectory;
using files_tree::MakeFile;

// ---- The compared form of a directory -------------------------------------------------------

TEST(DirectoryForm, SpellingsOfOneDirectoryComeOutAlike) {
    struct Case {
        const char* written;
        DirectoryForm form;
        const char* canonical;
    };
    const Case cases[] = {
        {"C:\\Lotus\\Domino\\Data", DirectoryForm::kBelowRoot, "c:\\lotus\\domino\\data"},
        {"c:/LOTUS//domino\\Data\\", DirectoryForm::kBelowRoot, "c:\\lotus\\domino\\data"},
        {"C:\\WINNT.", DirectoryForm::kBelowRoot, "c:\\winnt"},
        {"C:\\WINNT \\System32. .", DirectoryForm::kBelowRoot, "c:\\winnt\\system32"},
        {"\\\\Server\\Share\\Orvanta", DirectoryForm::kBelowRoot, "\\\\server\\share\\orvanta"},
        {"C:\\", DirectoryForm::kRoot, "c:"},
        {"d://", DirectoryForm::kRoot, "d:"},
        {"\\\\server\\share", DirectoryForm::kRoot, "\\\\server\\share"},
        {"\\\\server\\share\\", DirectoryForm::kRoot, "\\\\server\\share"},
        {"", DirectoryForm::kNotAbsolute, ""},
        {"Orvanta", DirectoryForm::kNotAbsolute, ""},
        {"\\Orvanta", DirectoryForm::kNotAbsolute, ""},
        {"C:", DirectoryForm::kNotAbsolute, ""},
        {"C:Orvanta", DirectoryForm::kNotAbsolute, ""},
        {"1:\\Orvanta", DirectoryForm::kNotAbsolute, ""},
        {"C:\\Orvanta\\..\\..", DirectoryForm::kNotAbsolute, ""},
        {"C:\\Orvanta\\.\\Data", DirectoryForm::kNotAbsolute, ""},
        {"\\\\server", DirectoryForm::kNotAbsolute, ""},
        {"\\\\server\\", DirectoryForm::kNotAbsolute, ""},
        {"\\\\?\\C:\\Orvanta", DirectoryForm::kNotAbsolute, ""},
        {"\\\\.\\C:\\Orvanta", DirectoryForm::kNotAbsolute, ""},
    };
    for (const Case& c : cases) {
        std::string canonical = "left over";
        EXPECT_EQ(CanonicalDirectory(c.written, &canonical), c.form) << c.written;
        EXPECT_EQ(canonical, c.canonical) << c.written;
    }
    std::string canonical;
    EXPECT_EQ(CanonicalDirectory(nullptr, &canonical), DirectoryForm::kNotAbsolute);
}

TEST(DirectoryForm, AncestorIsAWholeNameAway) {
    EXPECT_TRUE(IsSameOrAncestor("c:\\lotus", "c:\\lotus"));
    EXPECT_TRUE(IsSameOrAncestor("c:\\lotus", "c:\\lotus\\domino\\data"));
    EXPECT_TRUE(IsSameOrAncestor("c:", "c:\\lotus"));
    EXPECT_FALSE(IsSameOrAncestor("c:\\lotus", "c:\\lotus notes"));
    EXPECT_FALSE(IsSameOrAncestor("c:\\lotus\\domino", "c:\\lotus"));
    EXPECT_FALSE(IsSameOrAncestor("", "c:\\lotus"));
}

// ---- What DeleteDirectoryTree refuses ---------------------------------------------------------

class ProtectedTree : public files_tree::ScratchTree {
  protected:
    void TearDown() override {
        ForgetProtectedDirectories();
        ScratchTree::TearDown();
    }
};

TEST_F(ProtectedTree, NotesDirectoriesAndWhatHoldsThemStayWholeInAnySpelling) {
    const std::string data = PathOf("Lotus\\Domino\\Data");
    MakeFile(data + "\\names.nsf");
    MakeFile(data + "\\domino\\html\\Orvanta\\ovweb.html");
    MakeFile(PathOf("Lotus\\Orvanta\\ovsen.nsf"));
    ProtectDirectory(PathOf("Lotus\\Domino").c_str());
    ProtectDirectory(data.c_str());

    for (const std::string& refused :
         {data, data + "\\", PathOf("LOTUS/domino//DATA."), PathOf("Lotus\\Domino"),
          PathOf("Lotus"), std::string(kRoot), PathOf("Lotus\\Orvanta\\..\\Domino")}) {
        EXPECT_FALSE(MayDeleteDirectoryTree(refused.c_str())) << refused;
        EXPECT_FALSE(DeleteDirectoryTree(refused.c_str())) << refused;
    }
    EXPECT_TRUE(Exists(data + "\\names.nsf"));

    // Below the data directory and beside it, the suite's own directories still go.
    EXPECT_TRUE(DeleteDirectoryTree((data + "\\domino\\html\\Orvanta").c_str()));
    EXPECT_TRUE(DeleteDirectoryTree(PathOf("Lotus\\Orvanta").c_str()));
    EXPECT_FALSE(Exists(data + "\\domino\\html\\Orvanta"));
    EXPECT_FALSE(Exists(PathOf("Lotus\\Orvanta")));
    EXPECT_TRUE(Exists(data + "\\names.nsf"));

    // Once the catalogue that named them is gone, they are ordinary directories again.
    ForgetProtectedDirectories();
    EXPECT_TRUE(DeleteDirectoryTree(data.c_str()));
    EXPECT_FALSE(Exists(data));
}

// Settings written by older installers name directories by their short (8.3) names.
TEST_F(ProtectedTree, ShortNamesAreTheDirectoriesTheyStandFor) {
    const std::string data = PathOf("Lotus Domino\\Data Directory");
    MakeFile(data + "\\names.nsf");
    const std::string shortData = testing_machine::ShortPath(data);
    if (shortData.empty() || shortData == data) {
        GTEST_SKIP() << "this system's disks keep no short names";
    }
    ProtectDirectory(data.c_str());
    EXPECT_FALSE(DeleteDirectoryTree(shortData.c_str())) << shortData;
    EXPECT_FALSE(DeleteDirectoryTree(testing_machine::ShortPath(PathOf("Lotus Domino")).c_str()));
    ForgetProtectedDirectories();
    ProtectDirectory(shortData.c_str());
    EXPECT_FALSE(MayDeleteDirectoryTree(data.c_str()));
    EXPECT_TRUE(Exists(data + "\\names.nsf"));
}

TEST_F(ProtectedTree, PatternsNeverReachOutOfTheirDirectory) {
    MakeFile(PathOf("keep.nsf"));
    MakeFile(PathOf("Orvanta\\ovsen.nsf"));
    const std::string dir = PathOf("Orvanta");
    for (const char* pattern :
         {"..\\*.nsf", "../keep.nsf", "sub\\*", "C:keep.nsf", "ovsen.nsf:x"}) {
        EXPECT_FALSE(DeleteMatchingFiles(dir.c_str(), pattern)) << pattern;
    }
    EXPECT_TRUE(Exists(PathOf("keep.nsf")));
    EXPECT_TRUE(DeleteMatchingFiles(dir.c_str(), "ov*.n?f"));
    EXPECT_FALSE(Exists(PathOf("Orvanta\\ovsen.nsf")));
}

// ---- Links ------------------------------------------------------------------------------------

}  // namespace
