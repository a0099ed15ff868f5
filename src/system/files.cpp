#include "system/files.h"

#include "system/bounded_text.h"
#include "system/find_handle.h"
#include "system/registry.h"

namespace {

// Shared files (a DLL several products install) are counted here, one value per full path.
constexpr const char* kSharedDllsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
constexpr const char* kWholeDirectory = "*";

bool IsEmpty(const char* text) {
    return text == nullptr || text[0] == '\0';
}

bool IsDirectory(const WIN32_FIND_DATAA& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// "." and ".." and any directory named like them (".cache") are never entered.
bool IsDotDirectory(const WIN32_FIND_DATAA& entry) {
    return IsDirectory(entry) && entry.cFileName[0] == '.';
}

// A read-only file loses that bit first, since Windows refuses to delete it otherwise. Failures
// are left for the caller to notice as files still there.
void DeleteFoundFile(const char* path, DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    DeleteFileA(path);
}

// Nothing uses the file any more once its tree goes, whatever the count said.
void ReleaseSharedCount(const char* path) {
    DWORD count = 0;
    if (RegReadDword(HKEY_LOCAL_MACHINE, kSharedDllsKey, path, &count)) {
        RegWriteDword(HKEY_LOCAL_MACHINE, kSharedDllsKey, path, 0);
    }
}

enum class Search {
    // No directory or pattern given, or the two would not fit in MAX_PATH together.
    kRefused,
    // Nothing matches, or the directory is missing or cannot be read.
    kNothingThere,
    kStarted,
};

Search StartSearch(const char* dir, const char* pattern, FindHandle* find) {
    char search[MAX_PATH];
    if (IsEmpty(dir) || IsEmpty(pattern) || !JoinPath(search, sizeof search, dir, pattern)) {
        return Search::kRefused;
    }
    return find->First(search) ? Search::kStarted : Search::kNothingThere;
}

}  // namespace

bool DeleteMatchingFiles(const char* dir, const char* pattern) {
    FindHandle find;
    if (StartSearch(dir, pattern, &find) != Search::kStarted) {
        return false;
    }
    do {
        const WIN32_FIND_DATAA& entry = find.Entry();
        char path[MAX_PATH];
        if (!IsDirectory(entry) && JoinPath(path, sizeof path, dir, entry.cFileName)) {
            DeleteFoundFile(path, entry.dwFileAttributes);
        }
    } while (find.Next());
    return true;
}

bool IsDirectoryEmpty(const char* dir) {
    FindHandle find;
    const Search search = StartSearch(dir, kWholeDirectory, &find);
    if (search != Search::kStarted) {
        return search == Search::kNothingThere;
    }
    do {
        const WIN32_FIND_DATAA& entry = find.Entry();
        if (!IsDirectory(entry)) {
            return false;
        }
        char path[MAX_PATH];
        if (!IsDotDirectory(entry) && JoinPath(path, sizeof path, dir, entry.cFileName) &&
            !IsDirectoryEmpty(path)) {
            return false;
        }
    } while (find.Next());
    return true;
}

bool DeleteDirectoryTree(const char* dir) {
    {
        FindHandle find;
        if (StartSearch(dir, kWholeDirectory, &find) != Search::kStarted) {
            return false;
        }
        do {
            const WIN32_FIND_DATAA& entry = find.Entry();
            char path[MAX_PATH];
            if (IsDotDirectory(entry) || !JoinPath(path, sizeof path, dir, entry.cFileName)) {
                continue;
            }
            if (IsDirectory(entry)) {
                if (!DeleteDirectoryTree(path)) {
                    return false;
                }
            } else {
                ReleaseSharedCount(path);
                DeleteFoundFile(path, entry.dwFileAttributes);
            }
        } while (find.Next());
    }
    // The search is closed before the directory itself goes, so that no handle of ours holds it.
    RemoveDirectoryA(dir);
    return true;
}
