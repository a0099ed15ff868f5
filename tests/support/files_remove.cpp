#include "support/files_remove.h"

#include "platform/win32.h"
#include "support/machine.h"

namespace files_tree {

// Dot directories too, which the library's tree removal leaves on purpose.
void RemoveEverything(const std::string& path) {
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            const std::string below = path + "\\" + name;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
                testing_machine::RemoveLink(below);
            } else if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                SetFileAttributesA(below.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(below.c_str());
            } else if (name != "." && name != "..") {
                RemoveEverything(below);
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace files_tree
