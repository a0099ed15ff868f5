// Deleting and walking a large directory tree through the simulated machine, against the host's
// own tools on an identical tree: whatever the library and winsim add to the host's file system
// calls shows in the ratio.
#include <filesystem>

#include "bench_plan.h"
#include "host_command.h"
#include "host_tree.h"
#include "platform/winsim/control.h"
#include "scratch_folder.h"
#include "system/files.h"

namespace {

constexpr const char* kDelete = "DeleteDirectoryTree";
constexpr const char* kRemoveFloor = "rm -rf";
constexpr const char* kWalk = "IsDirectoryEmpty";
constexpr const char* kWalkFloor = "find -type f -print -quit";

// The tree lies at C:\Bench\Tree on a drive mapped onto a scratch folder.
constexpr const char* kTreeOnDrive = "C:\\Bench\\Tree";
constexpr const char* kTreeBelowDrive = "Bench/Tree";

// A machine whose C: drive is the scratch folder.
void MapScratchDrive(const ScratchFolder& scratch) {
    winsim::Reset();
    winsim::MapDrive('C', scratch.Path());
}

void DeleteThroughLibrary(benchmark::State& state) {
    ScratchFolder scratch("delete");
    MapScratchDrive(scratch);
    const std::string tree = scratch.Below(kTreeBelowDrive);
    for (auto _ : state) {
        MakeHostTree(tree, kLargeTree);
        bool deleted = false;
        TimeRepetition(state, [&] { deleted = DeleteDirectoryTree(kTreeOnDrive); });
        if (!deleted || std::filesystem::exists(tree)) {
            state.SkipWithError("DeleteDirectoryTree left the tree behind");
        }
    }
}

void DeleteOnHost(benchmark::State& state) {
    ScratchFolder scratch("rm");
    const std::string tree = scratch.Below("tree");
    for (auto _ : state) {
        MakeHostTree(tree, kLargeTree);
        int status = -1;
        TimeRepetition(state, [&] { status = RunHostCommand({"rm", "-rf", tree}); });
        if (status != 0 || std::filesystem::exists(tree)) {
            state.SkipWithError("rm -rf left the tree behind");
        }
    }
}

// The folders of the large tree without their files: a directory holds no file only when every
// folder below it has been looked into, so both walks cover the whole tree.
constexpr TreeShape kFoldersOnly{kLargeTree.topFolders, kLargeTree.subfoldersEach, 0};

void WalkThroughLibrary(benchmark::State& state) {
    ScratchFolder scratch("walk");
    MapScratchDrive(scratch);
    MakeHostTree(scratch.Below(kTreeBelowDrive), kFoldersOnly);
    for (auto _ : state) {
        bool empty = false;
        TimeRepetition(state, [&] { empty = IsDirectoryEmpty(kTreeOnDrive); });
        if (!empty) {
            state.SkipWithError("IsDirectoryEmpty found a file in a tree of folders");
        }
    }
}

void WalkOnHost(benchmark::State& state) {
    ScratchFolder scratch("find");
    const std::string tree = scratch.Below("tree");
    MakeHostTree(tree, kFoldersOnly);
    for (auto _ : state) {
        int status = -1;
        TimeRepetition(state, [&] {
            status = RunHostCommand({"find", tree, "-type", "f", "-print", "-quit"});
        });
        if (status != 0) {
            state.SkipWithError("find failed");
        }
    }
}

}  // namespace

void RegisterFileBenchmarks(const BenchPlan& plan) {
    RegisterRepeated(kDelete, plan, DeleteThroughLibrary);
    RegisterRepeated(kRemoveFloor, plan, DeleteOnHost);
    RegisterRepeated(kWalk, plan, WalkThroughLibrary);
    RegisterRepeated(kWalkFloor, plan, WalkOnHost);
}

std::vector<Figure> FileFigures() {
    return {FloorFigure("DeleteDirectoryTree, 20,000 files in 2,000 folders", kDelete, kRemoveFloor,
                        kRemoveFloor, 1.5),
            FloorFigure("IsDirectoryEmpty, the same 2,000 folders without files", kWalk, kWalkFloor,
                        kWalkFloor, 1.5)};
}
