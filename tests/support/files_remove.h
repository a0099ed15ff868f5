// Removes a Windows directory with everything in it through the Win32 file functions, dot
// directories and read-only files included: the clean-up of the file tests, on either platform.
#pragma once

#include <string>

namespace files_tree {

void RemoveEverything(const std::string& path);

}  // namespace files_tree
