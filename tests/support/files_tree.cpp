#include "support/files_tree.h"

#include "support/files_remove.h"
#include "support/machine.h"

namespace files_tree {

void MakeDirectory(const std::string& path) {
    const size_t separator = path.rfind('\\');
    if (separator != std::string::npos && separator > 2) {
        MakeDirectory(path.substr(0, separator));
    }
    CreateDirectoryA(path.c_str(), nullptr);
}

void MakeFile(const std::string& path, bool readOnly) {
    MakeDirectory(path.substr(0, path.rfind('\\')));
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                    readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path << ": error " << GetLastError();
    DWORD written = 0;
    WriteFile(file, path.data(), static_cast<DWORD>(path.size()), &written, nullptr);
    CloseHandle(file);
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// What an earlier run left (under Wine the drive outlives the test program) goes first.
void ScratchTree::SetUp() {
    testing_machine::Reset();
    RemoveEverything(kRoot);
    ASSERT_TRUE(CreateDirectoryA(kRoot, nullptr)) << "error " << GetLastError();
}

void ScratchTree::TearDown() {
    RemoveEverything(kRoot);
}

}  // namespace files_tree
