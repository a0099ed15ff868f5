// The host trees and programs the file and caller benchmarks compare against.
#include <gtest/gtest.h>

#include <filesystem>

#include "host_command.h"
#include "host_tree.h"
#include "scratch_folder.h"

namespace {

TEST(HostTree, HoldsTheFilesAndFoldersItsShapeSays) {
    EXPECT_EQ(kLargeTree.Folders(), 2000u);
    EXPECT_EQ(kLargeTree.Files(), 20000u);

    ScratchFolder scratch("test");
    const TreeShape shape{3, 4, 2};
    MakeHostTree(scratch.Below("tree"), shape);
    const TreeCount count = CountHostTree(scratch.Below("tree"));
    EXPECT_EQ(count.folders, 15u);
    EXPECT_EQ(count.files, 30u);

    MakeHostTree(scratch.Below("folders"), TreeShape{3, 4, 0});
    EXPECT_EQ(CountHostTree(scratch.Below("folders")).files, 0u);
}

TEST(HostTree, ScratchFolderGoesWithEverythingBelowIt) {
    std::string path;
    {
        ScratchFolder scratch("test");
        path = scratch.Path();
        MakeHostTree(scratch.Below("tree"), TreeShape{1, 1, 1});
        ASSERT_TRUE(std::filesystem::is_directory(path));
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(HostCommand, ExitStatusEnvironmentAndMissingProgram) {
    EXPECT_EQ(RunHostCommand({"sh", "-c", "exit 3"}), 3);
    EXPECT_EQ(RunHostCommand({"sh", "-c", "test \"$BENCH_PROBE\" = set"}, {"BENCH_PROBE=set"}), 0);
    EXPECT_EQ(RunHostCommand({"sh", "-c", "test \"$BENCH_PROBE\" = set"}), 1);
    EXPECT_EQ(RunHostCommand({"/nonexistent/program"}), -1);
    EXPECT_EQ(RunHostCommand({}), -1);
}

}  // namespace
