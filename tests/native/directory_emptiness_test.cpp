// Whether a directory is empty decides whether the leftover-files question is asked before it
// goes, so a subdirectory that cannot be searched must never count as empty.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/winsim/control.h"
#include "support/files_tree.h"
#include "system/files.h"

namespace {

using files_tree::MakeFile;

using DirectoryEmptiness = files_tree::ScratchTree;

// The ANSI calls cannot make a path longer than MAX_PATH (a folder renamed above it can), so the
// tree is made on the drive's host folder.
TEST_F(DirectoryEmptiness, ASubdirectoryTooLongToNameIsNotEmpty) {
    MakeFile(PathOf("top\\e\\ovsen.nsf"));
    std::filesystem::rename(winsim::HostPath(PathOf("top\\e")),
                            winsim::HostPath(PathOf("top")) + "/" + std::string(250, 'e'));
    EXPECT_FALSE(IsDirectoryEmpty(PathOf("top").c_str()));
    EXPECT_EQ(winsim::OpenSearchCount(), 0u);
}

}  // namespace
