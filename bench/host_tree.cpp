#include "host_tree.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

void MakeFolder(const std::filesystem::path& folder, size_t files) {
    std::filesystem::create_directory(folder);
    for (size_t i = 0; i < files; ++i) {
        const std::filesystem::path file = folder / ("Data File " + std::to_string(i) + ".nsf");
        std::ofstream out(file, std::ios::binary);
        out << "benchmark file " << i << "\r\n";
        if (!out) {
            throw std::runtime_error("cannot write " + file.string());
        }
    }
}

}  // namespace

void MakeHostTree(const std::string& root, const TreeShape& shape) {
    std::filesystem::create_directories(root);
    for (size_t top = 0; top < shape.topFolders; ++top) {
        const std::filesystem::path folder =
            std::filesystem::path(root) / ("Folder " + std::to_string(top));
        MakeFolder(folder, shape.filesPerFolder);
        for (size_t sub = 0; sub < shape.subfoldersEach; ++sub) {
            MakeFolder(folder / ("Sub " + std::to_string(sub)), shape.filesPerFolder);
        }
    }
}

TreeCount CountHostTree(const std::string& root) {
    TreeCount count;
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(root, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_directory(error)) {
            ++count.folders;
        } else {
            ++count.files;
        }
    }
    return count;
}
