#include <gtest/gtest.h>

#include <string>

#include "platform/winsim/control.h"
#include "support/files_tree.h"
#include "support/machine.h"
#include "system/files.h"
#include "system/protected_directories.h"

namespace {

using files_tree::Exists;
using files_tree::MakeDirectory;
using files_tree::MakeFile;

// The system's folders as an NT 4.0 machine keeps them (profiles below the Windows directory) and
// as Windows 2000 records them (a profiles directory of its own, set with an environment
// reference); which folders are refused is read from the machine, never assumed.
TEST(ProtectedSystemFolders, SystemFoldersAndWhatHoldsThemAreRefusedTheirContentsAreNot) {
    testing_machine::Reset();
    testing_machine::SetString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                               "D:\\Apps");
    testing_machine::SetString("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList",
                               "ProfilesDirectory", "%SystemDrive%\\Documents and Settings",
                               REG_EXPAND_SZ);
    testing_machine::SetString(
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Common Programs",
        "C:\\Menus\\Programs");
    winsim::SetEnvironment("SystemDrive", "C:");
    MakeFile("C:\\WINNT\\Profiles\\Administrator\\Start Menu\\Programs\\Orvanta\\Setup.lnk");
    MakeFile("C:\\WINNT\\Profiles\\All Users\\Desktop\\Orvanta.lnk");
    MakeFile("C:\\Documents and Settings\\Pat\\Start Menu\\Programs\\Orvanta\\Setup.lnk");
    MakeDirectory("C:\\Documents and Settings\\Pat\\Desktop");
    MakeFile("C:\\Menus\\Programs\\Orvanta\\Setup.lnk");
    MakeFile("C:\\Program Files\\Tarvelle\\Orvanta\\ovinfo.dll");

    const struct {
        const char* dir;
        bool mayDelete;
    } cases[] = {
        {"C:\\WINNT", false},
        {"C:\\WINNT\\Profiles", false},
        {"C:\\WINNT\\Profiles\\All Users", false},
        {"C:\\WINNT\\Profiles\\All Users\\Desktop", false},
        {"C:\\WINNT\\Profiles\\Administrator\\Start Menu", false},
        {"C:\\WINNT\\Profiles\\Administrator\\Start Menu\\Programs", false},
        {"C:\\WINNT\\Profiles\\Administrator\\Start Menu\\Programs\\Orvanta", true},
        {"C:\\WINNT\\Start Menu\\Programs", false},
        {"C:\\WINNT\\Desktop", false},
        {"C:\\Documents and Settings", false},
        {"C:\\Documents and Settings\\Pat\\Desktop", false},
        {"C:\\Documents and Settings\\Pat\\Start Menu\\Programs", false},
        {"C:\\Documents and Settings\\Pat\\Start Menu\\Programs\\Orvanta", true},
        {"C:\\Menus", false},
        {"C:\\Menus\\Programs\\Orvanta", true},
        {"C:\\Program Files", false},
        {"C:\\Program Files\\Tarvelle", true},
        {"D:\\Apps", false},
        {"D:\\Apps\\Orvanta", true},
        {"C:\\Lotus", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MayDeleteDirectoryTree(c.dir), c.mayDelete) << c.dir;
    }

    EXPECT_FALSE(DeleteDirectoryTree("C:\\WINNT\\Profiles\\All Users"));
    EXPECT_TRUE(Exists("C:\\WINNT\\Profiles\\All Users\\Desktop\\Orvanta.lnk"));
    EXPECT_TRUE(
        DeleteDirectoryTree("C:\\Documents and Settings\\Pat\\Start Menu\\Programs\\Orvanta"));
    EXPECT_FALSE(Exists("C:\\Documents and Settings\\Pat\\Start Menu\\Programs\\Orvanta"));
}

}  // namespace
