#include "platform/winsim/profile_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/winsim/files_attributes.h"
#include "platform/winsim/files_lookup.h"
#include "platform/winsim/profile_faults.h"

namespace winsim::detail {

namespace {

// A name without a folder lies in the Windows directory; anything else is a path. No name at all
// is the system's own profile, win.ini.
std::string FullName(const char* name) {
    const std::string text = name != nullptr ? name : "win.ini";
    if (text.find_first_of("\\/") != std::string::npos) {
        return text;
    }
    char windowsDir[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    if (length == 0 || length >= sizeof windowsDir) {
        return text;
    }
    return std::string(windowsDir, length) + "\\" + text;
}

DWORD Locate(const char* name, WindowsPath* path, HostFile* file) {
    return LocateFile(FullName(name).c_str(), path, file);
}

}  // namespace

bool ReadProfileFile(const char* name, std::string* content, DWORD* error) {
    content->clear();
    WindowsPath path;
    HostFile file;
    *error = Locate(name, &path, &file);
    if (*error != ERROR_SUCCESS) {
        return false;
    }
    if (!file.exists) {
        *error = ERROR_FILE_NOT_FOUND;
        return false;
    }
    if (file.IsDirectory()) {
        *error = ERROR_ACCESS_DENIED;
        return false;
    }
    std::ifstream in(file.host, std::ios::binary);
    if (!in) {
        *error = ErrorFromErrno(errno);
        return false;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    *content = bytes.str();
    return true;
}

bool WriteProfileFile(const char* name, const std::string& content, DWORD* error) {
    WindowsPath path;
    HostFile file;
    *error = Locate(name, &path, &file);
    if (*error == ERROR_SUCCESS) {
        *error = ProfileWriteFault(path);
    }
    if (*error == ERROR_SUCCESS && file.exists &&
        (file.IsDirectory() || IsReadOnly(AttributesOf(file)))) {
        *error = ERROR_ACCESS_DENIED;
    }
    if (*error != ERROR_SUCCESS) {
        return false;
    }
    std::ofstream out(file.host, std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out) {
        *error = ErrorFromErrno(errno);
        return false;
    }
    return true;
}

}  // namespace winsim::detail
