// The directory trees the file benchmarks walk and delete, written straight onto the host so that
// the library and the host's own tools get identical trees.
#pragma once

#include <cstddef>
#include <string>

struct TreeShape {
    size_t topFolders = 0;
    // Folders inside each top folder.
    size_t subfoldersEach = 0;
    // Files in every folder, top folders and the folders inside them alike.
    size_t filesPerFolder = 0;

    size_t Folders() const { return topFolders * (1 + subfoldersEach); }
    size_t Files() const { return Folders() * filesPerFolder; }
};

// 2,000 folders (40 holding 49 each) with 10 files in each: 20,000 files, the size of a large
// add-in's data directory.
constexpr TreeShape kLargeTree{40, 49, 10};

// Creates root and the tree below it; each file holds a line of text. Throws when the host
// refuses.
void MakeHostTree(const std::string& root, const TreeShape& shape);

struct TreeCount {
    size_t folders = 0;
    size_t files = 0;
};
// What lies below root (root itself not counted).
TreeCount CountHostTree(const std::string& root);
