// File searches: FindFirstFileA, FindNextFileA and FindClose. A search takes the names of its
// folder when it starts, in the order NTFS keeps them (by their upper-case form, "." and ".."
// first except in a drive's root), and looks each one up again when it hands it out, so a file
// deleted during the search is passed over.
#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/winsim/control.h"
#include "platform/winsim/files_attributes.h"
#include "platform/winsim/files_faults.h"
#include "platform/winsim/files_match.h"
#include "platform/winsim/handles.h"
#include "platform/winsim/text_case.h"

namespace winsim {

namespace {

const detail::HandleKind kSearchHandle = {"file search", false};

// Seconds between 1601, where FILETIME starts, and 1970, where the host's time starts.
constexpr uint64_t kEpochDifference = 11644473600ULL;
constexpr uint64_t kTicksPerSecond = 10000000ULL;

struct Search {
    std::string folder;
    std::vector<std::string> names;
    size_t next = 0;
};

FILETIME ToFileTime(const struct timespec& time) {
    const uint64_t ticks =
        (static_cast<uint64_t>(time.tv_sec) + kEpochDifference) * kTicksPerSecond +
        static_cast<uint64_t>(time.tv_nsec) / 100;
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

void Fill(const std::string& name, const detail::HostFile& file, WIN32_FIND_DATAA* data) {
    std::memset(data, 0, sizeof *data);
    data->dwFileAttributes = detail::AttributesOf(file);
    data->ftCreationTime = ToFileTime(file.info.st_mtim);
    data->ftLastAccessTime = ToFileTime(file.info.st_atim);
    data->ftLastWriteTime = ToFileTime(file.info.st_mtim);
    if (!file.IsDirectory()) {
        const uint64_t size = static_cast<uint64_t>(file.info.st_size);
        data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
        data->nFileSizeLow = static_cast<DWORD>(size);
    }
    std::strncpy(data->cFileName, name.c_str(), sizeof data->cFileName - 1);
}

// The next name of the search that still exists, into data; false at the end.
bool Advance(Search& search, WIN32_FIND_DATAA* data) {
    while (search.next < search.names.size()) {
        const std::string& name = search.names[search.next++];
        detail::HostFile file;
        file.name = name;
        file.host = name == "." ? search.folder : search.folder + "/" + name;
        if (detail::StatHostFile(&file)) {
            Fill(name, file, data);
            return true;
        }
    }
    return false;
}

bool Matches(const std::string& pattern, const std::string& name) {
    return pattern == "*" || detail::MatchesPattern(pattern, name);
}

std::vector<std::string> MatchingNames(const detail::WindowsPath& path,
                                       const detail::HostFile& folder, const std::string& pattern) {
    std::vector<std::string> names;
    if (!detail::HasWildcards(pattern)) {
        detail::HostFile entry;
        if (detail::FindOnHost(path, &entry) == ERROR_SUCCESS && entry.exists) {
            names.push_back(entry.name);
        }
        return names;
    }
    std::vector<std::string> listed;
    detail::ListHostFolder(folder.host, &listed);
    for (std::string& name : listed) {
        if (Matches(pattern, name)) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end(), detail::LessNoCase());
    if (!folder.name.empty()) {
        for (const char* dots : {"..", "."}) {
            if (Matches(pattern, dots)) {
                names.insert(names.begin(), dots);
            }
        }
    }
    return names;
}

// 0 with the search started, or the code FindFirstFileA fails with.
DWORD StartSearch(const char* text, Search* search) {
    detail::WindowsPath path;
    DWORD error = detail::ParseWindowsPath(text, detail::NameRule::kPattern, &path);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    // "C:\Orvanta\" asks for no name in C:\Orvanta; "C:\" for none in the root.
    const bool noName = path.trailingSeparator || path.IsRoot();
    const detail::WindowsPath directory = noName ? path : path.Parent();
    detail::HostFile folder;
    error = detail::FindOnHost(directory, &folder);
    if (error != ERROR_SUCCESS || !folder.exists) {
        return ERROR_PATH_NOT_FOUND;
    }
    if (!folder.IsDirectory()) {
        return ERROR_INVALID_NAME;
    }
    if (noName) {
        return ERROR_FILE_NOT_FOUND;
    }
    error = detail::SearchFault(directory);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    search->folder = folder.host;
    search->names = MatchingNames(path, folder, path.components.back());
    return ERROR_SUCCESS;
}

}  // namespace

size_t OpenSearchCount() {
    return detail::OpenHandleCount(kSearchHandle);
}

}  // namespace winsim

extern "C" {

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
    auto search = std::make_shared<winsim::Search>();
    DWORD error = winsim::StartSearch(lpFileName, search.get());
    if (error == ERROR_SUCCESS && !winsim::Advance(*search, lpFindFileData)) {
        error = ERROR_FILE_NOT_FOUND;
    }
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    return winsim::detail::AddHandle(winsim::kSearchHandle, search);
}

BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
    auto search = winsim::detail::HandleObject<winsim::Search>(hFindFile, winsim::kSearchHandle);
    if (search == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!winsim::Advance(*search, lpFindFileData)) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI FindClose(HANDLE hFindFile) {
    if (!winsim::detail::RemoveHandle(hFindFile, winsim::kSearchHandle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

}  // extern "C"
