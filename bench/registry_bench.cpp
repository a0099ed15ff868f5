// Deleting a registry tree of 10,000 keys in three levels (10 keys, 10 in each, 100 in each of
// those), against deleting the same keys by their known names, deepest first: the least the
// registry can be asked to do. The library must find the names by enumeration and open each key
// on the way.
#include <string>
#include <vector>

#include "bench_plan.h"
#include "platform/winsim/control.h"
#include "system/registry.h"

namespace {

constexpr const char* kTreeDeletion = "DeleteRegistryTree";
constexpr const char* kKnownNames = "RegDeleteKeyA by known names";
constexpr const char* kTree = "SOFTWARE\\Tarvelle\\Bench Tree";
constexpr size_t kTopKeys = 10;
constexpr size_t kMiddleKeysEach = 10;
constexpr size_t kLeafKeysEach = 100;

// Every key of the tree below kTree, parents before their children.
std::vector<std::string> TreeKeys() {
    std::vector<std::string> keys;
    for (size_t top = 0; top < kTopKeys; ++top) {
        const std::string topKey = std::string(kTree) + "\\Level One " + std::to_string(top);
        keys.push_back(topKey);
        for (size_t middle = 0; middle < kMiddleKeysEach; ++middle) {
            const std::string middleKey = topKey + "\\Level Two " + std::to_string(middle);
            keys.push_back(middleKey);
            for (size_t leaf = 0; leaf < kLeafKeysEach; ++leaf) {
                keys.push_back(middleKey + "\\Level Three " + std::to_string(leaf));
            }
        }
    }
    return keys;
}

bool CreateTree(const std::vector<std::string>& keys) {
    winsim::Reset();
    for (const std::string& key : keys) {
        HKEY created = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &created, nullptr) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(created);
    }
    return true;
}

void DeleteThroughLibrary(benchmark::State& state) {
    const std::vector<std::string> keys = TreeKeys();
    for (auto _ : state) {
        if (!CreateTree(keys)) {
            state.SkipWithError("cannot create the tree");
            break;
        }
        LONG result = ERROR_SUCCESS;
        TimeRepetition(state, [&] { result = DeleteRegistryTree(HKEY_LOCAL_MACHINE, kTree); });
        if (result != ERROR_SUCCESS || winsim::KeyExists(std::string("HKLM\\") + kTree)) {
            state.SkipWithError("DeleteRegistryTree left the tree behind");
            break;
        }
    }
}

void DeleteByKnownNames(benchmark::State& state) {
    std::vector<std::string> keys = TreeKeys();
    const std::vector<std::string> deepestFirst(keys.rbegin(), keys.rend());
    for (auto _ : state) {
        if (!CreateTree(keys)) {
            state.SkipWithError("cannot create the tree");
            break;
        }
        bool deleted = true;
        TimeRepetition(state, [&] {
            for (const std::string& key : deepestFirst) {
                deleted =
                    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str()) == ERROR_SUCCESS && deleted;
            }
            deleted = RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTree) == ERROR_SUCCESS && deleted;
        });
        if (!deleted) {
            state.SkipWithError("a key of the tree could not be deleted");
            break;
        }
    }
}

}  // namespace

void RegisterRegistryBenchmarks(const BenchPlan& plan) {
    RegisterRepeated(kTreeDeletion, plan, DeleteThroughLibrary);
    RegisterRepeated(kKnownNames, plan, DeleteByKnownNames);
}

std::vector<Figure> RegistryFigures() {
    return {FloorFigure("DeleteRegistryTree, 10,000 keys in three levels", kTreeDeletion,
                        kKnownNames, kKnownNames, 3)};
}
