// Finding a Windows path among the host's files. Windows finds names without regard to letter
// case and keeps the case they were written with; the host compares them exactly. A path written
// in its stored case costs one stat; another case is found through a per-folder index of names by
// their upper-case form, built once and rebuilt only when it misses, so that walking a large
// folder never scans it once per name.
#pragma once

#include <sys/stat.h>

#include <string>

#include "platform/winsim/files_path.h"

namespace winsim::detail {

using HostStat = struct stat;

struct HostFile {
    // The host path of what the Windows path names: the stored names of what exists, the last
    // name as written when it does not exist. The drive's folder for the root.
    std::string host;
    // The host folder that holds it, and its name there (stored case when it exists).
    std::string folder;
    std::string name;
    bool exists = false;
    HostStat info = {};
    // A host symbolic link: Windows shows it as a reparse point (a directory junction when it
    // leads to a folder) and removes the link itself, never what it leads to.
    bool link = false;

    bool IsDirectory() const { return exists && S_ISDIR(info.st_mode); }
};

// Fills exists, info (of what a link leads to) and link for file.host; a link that leads nowhere
// still exists, as a dangling junction does on Windows.
bool StatHostFile(HostFile* file);

// 0 when every folder on the way exists (the last name itself may be missing); 3 when the drive
// is not mapped or a folder on the way is missing or is a file.
DWORD FindOnHost(const WindowsPath& path, HostFile* out);

// The host folder's names, without "." and "..".
bool ListHostFolder(const std::string& folder, std::vector<std::string>* names);

// The Win32 code for an errno of a failed host call.
DWORD ErrorFromErrno(int error);

}  // namespace winsim::detail

namespace winsim::detail {

// A path given to a file function that takes no wildcards, parsed and found: 0, or the code the
// function fails with (the last name itself may be missing).
DWORD LocateFile(const char* text, WindowsPath* path, HostFile* file);

}  // namespace winsim::detail
