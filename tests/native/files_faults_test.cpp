// File removal on a machine where some files cannot be deleted and some directories cannot be
// read, and the searches it opens, which must all be closed whatever way it returns.
#include <filesystem>
#include <string>

#include "platform/winsim/control.h"
#include "support/files_tree.h"
#include "system/files.h"

namespace {

using files_tree::Exists;
using files_tree::MakeFile;

using FileRemovalFaults = files_tree::ScratchTree;

TEST_F(FileRemovalFaults, UndeletableFileKeepsItsDirectoriesAndNothingElse) {
    MakeFile(PathOf("Orvanta\\bin\\held.dll"));
    MakeFile(PathOf("Orvanta\\bin\\ovrt.dll"));
    MakeFile(PathOf("Orvanta\\ovsen.nsf"));
    winsim::FailDelete(PathOf("Orvanta\\bin\\held.dll"), ERROR_SHARING_VIOLATION);

    EXPECT_TRUE(DeleteDirectoryTree(PathOf("Orvanta").c_str()));

    EXPECT_TRUE(Exists(PathOf("Orvanta\\bin\\held.dll")));
    EXPECT_FALSE(Exists(PathOf("Orvanta\\bin\\ovrt.dll")));
    EXPECT_FALSE(Exists(PathOf("Orvanta\\ovsen.nsf")));
    EXPECT_EQ(winsim::OpenSearchCount(), 0u);
}

TEST_F(FileRemovalFaults, UndeletableMatchDoesNotStopTheOthers) {
    MakeFile(PathOf("ovsen.nsf"));
    MakeFile(PathOf("ovsen.ntf"), true);
    winsim::FailDelete(PathOf("ovsen.nsf"));

    EXPECT_TRUE(DeleteMatchingFiles(kRoot, "ovsen.n?f"));

    EXPECT_TRUE(Exists(PathOf("ovsen.nsf")));
    EXPECT_FALSE(Exists(PathOf("ovsen.ntf")));
    EXPECT_EQ(winsim::OpenSearchCount(), 0u);
}

// The walk goes in name order: what comes before the unreadable directory is gone, what comes
// after it is still there.
TEST_F(FileRemovalFaults, UnreadableSubdirectoryStopsTheWalkThere) {
    MakeFile(PathOf("Orvanta\\a.log"));
    MakeFile(PathOf("Orvanta\\b\\ovsen.nsf"));
    MakeFile(PathOf("Orvanta\\c.log"));
    winsim::FailSearch(PathOf("Orvanta\\b"));

    EXPECT_FALSE(DeleteDirectoryTree(PathOf("Orvanta").c_str()));

    EXPECT_FALSE(Exists(PathOf("Orvanta\\a.log")));
    EXPECT_TRUE(Exists(PathOf("Orvanta\\b\\ovsen.nsf")));
    EXPECT_TRUE(Exists(PathOf("Orvanta\\c.log")));
    EXPECT_EQ(winsim::OpenSearchCount(), 0u);
}

// A subdirectory whose path does not fit in MAX_PATH cannot be searched, so nothing vouches for
// it: the file below it keeps its parent from being empty. The ANSI calls cannot make such a
// tree (a folder renamed above it can); it is made on the drive's host folder.
TEST_F(FileRemovalFaults, SubdirectoryTooLongToNameIsNotEmpty) {
    MakeFile(PathOf("top\\e\\ovsen.nsf"));
    std::filesystem::rename(winsim::HostPath(PathOf("top\\e")),
                            winsim::HostPath(PathOf("top")) + "/" + std::string(250, 'e'));
    EXPECT_FALSE(IsDirectoryEmpty(PathOf("top").c_str()));
}

TEST_F(FileRemovalFaults, EmptinessCheckClosesWhatItOpenedWhenItStopsEarly) {
    MakeFile(PathOf("a\\b\\c\\ovsen.nsf"));
    MakeFile(PathOf("z.log"));

    EXPECT_FALSE(IsDirectoryEmpty(kRoot));
    EXPECT_EQ(winsim::OpenSearchCount(), 0u);
}

}  // namespace
