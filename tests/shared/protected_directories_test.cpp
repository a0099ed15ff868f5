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

TEST_F(ProtectedTree, RootsAndPathsThatAreNotAbsoluteAreRefused) {
    MakeFile(PathOf("keep.txt"));
    for (const char* refused : {"UninstlibFiles", "\\UninstlibFiles", "C:UninstlibFiles", "C:\\",
                                "C:", "C:/", "\\\\server\\share", "\\\\server\\share\\", ""}) {
        EXPECT_FALSE(DeleteDirectoryTree(refused)) << refused;
    }
    EXPECT_FALSE(DeleteDirectoryTree(nullptr));
    EXPECT_TRUE(Exists(PathOf("keep.txt")));

    // Nor are such paths searched: what they name depends on where the caller stands.
    for (const char* relative : {"UninstlibFiles", "\\UninstlibFiles", "C:UninstlibFiles"}) {
        EXPECT_FALSE(DeleteMatchingFiles(relative, "keep.txt")) << relative;
        EXPECT_FALSE(IsDirectoryEmpty(relative)) << relative;
    }
    EXPECT_TRUE(Exists(PathOf("keep.txt")));
}

TEST_F(ProtectedTree, TheWindowsDirectoryIsRefusedHoweverWritten) {
    char windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    ASSERT_GT(length, 3u);
    std::string upper = windows;
    for (char& c : upper) {
        c = c == '\\' ? '/' : static_cast<char>(toupper(static_cast<unsigned char>(c)));
    }
    for (const std::string& refused : {std::string(windows), std::string(windows) + "\\",
                                       upper + "/", std::string(windows) + ". "}) {
        EXPECT_FALSE(MayDeleteDirectoryTree(refused.c_str())) << refused;
    }
    EXPECT_TRUE(MayDeleteDirectoryTree((std::string(windows) + "\\Orvanta").c_str()));
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

// A link planted in the suite's directory leads to a user's folder: the link goes, the folder
// and its files stay. Wine shows links of the host as junctions but cannot remove them: there the
// link and the directories holding it stay, and the user's files must still be all there.
TEST_F(ProtectedTree, DirectoryLinksAreRemovedNeverFollowed) {
    const std::string user = PathOf("Users\\Pat");
    MakeFile(user + "\\report.doc");
    MakeFile(user + "\\Old\\letter.doc");
    if (!testing_machine::MakeDirectoryLink(PathOf("Probe"), user)) {
        GTEST_SKIP() << "this system cannot make a directory link here";
    }
    const bool linksGo = RemoveDirectoryA(PathOf("Probe").c_str()) != FALSE;
    EXPECT_TRUE(Exists(user + "\\report.doc"));

    MakeFile(PathOf("Orvanta\\Program\\ovinfo.dll"));
    const std::string link = PathOf("Orvanta\\Program\\Reports");
    ASSERT_TRUE(testing_machine::MakeDirectoryLink(link, user));
    const std::string linkOnly = PathOf("Orvanta\\Links");
    MakeDirectory(linkOnly);
    ASSERT_TRUE(testing_machine::MakeDirectoryLink(linkOnly + "\\Pat", user));

    EXPECT_TRUE(IsDirectoryEmpty(linkOnly.c_str()));
    EXPECT_TRUE(IsDirectoryEmpty(link.c_str()));
    EXPECT_TRUE(DeleteDirectoryTree(PathOf("Orvanta").c_str()));
    EXPECT_TRUE(Exists(user + "\\report.doc"));
    EXPECT_TRUE(Exists(user + "\\Old\\letter.doc"));
    EXPECT_FALSE(Exists(PathOf("Orvanta\\Program\\ovinfo.dll")));
    EXPECT_EQ(Exists(PathOf("Orvanta")), !linksGo);

    // Given the link itself, only the link goes.
    ASSERT_TRUE(testing_machine::MakeDirectoryLink(PathOf("Reports"), user));
    EXPECT_EQ(DeleteDirectoryTree(PathOf("Reports").c_str()), linksGo);
    EXPECT_EQ(Exists(PathOf("Reports")), !linksGo);
    EXPECT_TRUE(Exists(user + "\\report.doc"));
    EXPECT_TRUE(Exists(user + "\\Old\\letter.doc"));
}

}  // namespace
