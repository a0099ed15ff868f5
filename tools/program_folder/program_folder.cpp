#include "program_folder.h"

#include "platform/win32.h"

std::string ProgramFile() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) {
        return "";
    }
    return std::string(path, length);
}

std::string ProgramFolder() {
    const std::string file = ProgramFile();
    const size_t separator = file.find_last_of("\\/");
    return separator == std::string::npos ? "" : file.substr(0, separator + 1);
}

bool KeepCurrentDirectoryOutOfLibrarySearch() {
    const std::string folder = ProgramFolder();
    return !folder.empty() && SetDllDirectoryA(folder.c_str()) != FALSE;
}
